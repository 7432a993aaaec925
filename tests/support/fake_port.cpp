#include "tests/support/fake_port.h"

#include <cstdio>

namespace testing_support {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
        out += buf;
    }
    return out;
}

}  // namespace testing_support
