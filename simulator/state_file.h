// The state file: articles, operators, passwords, counters, day totals,
// cash, Z records, the electronic journal, the clock offset and the network
// settings, one record per line. 8-bit texts are written in hexadecimal so
// that any byte survives. An open receipt is not kept.
#pragma once

#include <string>

#include "simulator/printer_state.h"

namespace simulator {

// Leaves `state` untouched and returns true when the file does not exist;
// false, with a reason, when it cannot be read.
bool LoadStateFile(const std::string& path, PrinterState& state, std::string& error);

// Writes a new file and puts it in place of the old one.
bool SaveStateFile(const std::string& path, const PrinterState& state);

}  // namespace simulator
