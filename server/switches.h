// Command-line switches: "/Name" or "-Name", compared without regard to
// case; the argument must be exactly the prefix and the name.
#pragma once

namespace server {

bool SwitchPresent(int argc, char** argv, const char* name);

enum class StartMode {
    Register,    // /RegServer: register, then exit
    Unregister,  // /UnregServer: unregister, then exit
    Automation,  // started by COM: serve, quit with the last object
    Embedding,   // serve, keep running
    Manual,      // no switch: register, then serve and keep running
};

// The first of RegServer, UnregServer, then Automation or Embedding decides.
StartMode StartModeOf(int argc, char** argv);

}  // namespace server
