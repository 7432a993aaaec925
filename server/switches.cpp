#include "server/switches.h"

#include <cstring>
#include <strings.h>

namespace server {

bool SwitchPresent(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if ((a[0] == '/' || a[0] == '-') && strcasecmp(a + 1, name) == 0) return true;
    }
    return false;
}

StartMode StartModeOf(int argc, char** argv) {
    if (SwitchPresent(argc, argv, "REGSERVER")) return StartMode::Register;
    if (SwitchPresent(argc, argv, "UNREGSERVER")) return StartMode::Unregister;
    if (SwitchPresent(argc, argv, "AUTOMATION")) return StartMode::Automation;
    if (SwitchPresent(argc, argv, "EMBEDDING")) return StartMode::Embedding;
    return StartMode::Manual;
}

}  // namespace server
