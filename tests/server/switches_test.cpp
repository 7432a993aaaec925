// The start mode a command line selects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/switches.h"

using server::StartMode;

namespace {

StartMode ModeOf(std::vector<std::string> args) {
    args.insert(args.begin(), "VexlorECR.exe");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return server::StartModeOf(static_cast<int>(argv.size()), argv.data());
}

TEST(SwitchesTest, FirstSwitchInOrderDecides) {
    const std::pair<std::vector<std::string>, StartMode> cases[] = {
        {{"/regserver"}, StartMode::Register},
        {{"-RegServer"}, StartMode::Register},
        {{"/REGSERVER"}, StartMode::Register},
        {{"/RegServer", "/UnregServer"}, StartMode::Register},
        {{"/UnregServer", "/RegServer"}, StartMode::Register},
        {{"-unregserver"}, StartMode::Unregister},
        {{"/Automation", "-Embedding"}, StartMode::Automation},
        {{"-Embedding"}, StartMode::Embedding},
        {{}, StartMode::Manual},
        {{"/RegServerX"}, StartMode::Manual},
        {{"//RegServer"}, StartMode::Manual},
        {{"RegServer"}, StartMode::Manual},
        {{"/"}, StartMode::Manual},
    };
    for (const auto& [args, mode] : cases) {
        std::string line;
        for (const std::string& a : args) line += a + " ";
        EXPECT_EQ(static_cast<int>(ModeOf(args)), static_cast<int>(mode)) << "[" << line << "]";
    }
}

}  // namespace
