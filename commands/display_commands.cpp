// Display, clock, status, drawer, cash, barcode and device identity.
#include <cstdint>

#include "commands/commands.h"
#include "commands/data_field.h"
#include "commands/send.h"

namespace commands {

int CmdClearDisplay(Completion completion, int tag) {
    return SendEmpty(completion, tag, kClearDisplay);
}

int CmdDisplayLower(Completion completion, int tag, const char* text) {
    return SendText(completion, tag, kDisplayLower, text);
}

int CmdDisplayUpper(Completion completion, int tag, const char* text) {
    return SendText(completion, tag, kDisplayUpper, text);
}

int CmdShowDateTime(Completion completion, int tag) {
    return SendEmpty(completion, tag, kShowDateTime);
}

int CmdSetDateTime(Completion completion, int tag, const char* date, const char* time) {
    return DataField().Format("%s %s", TextOf(date), TextOf(time)).Send(completion, tag,
                                                                         kSetDateTime);
}

int CmdGetDateTime(Completion completion, int tag) {
    return SendEmpty(completion, tag, kGetDateTime);
}

int CmdGetStatus(Completion completion, int tag, int flag) {
    return SendData(completion, tag, kGetStatus, flag ? "X" : "W");
}

int CmdDiagnostics(Completion completion, int tag, int flag) {
    return SendData(completion, tag, kDiagnostics, flag ? "1" : "0");
}

int CmdDeviceId(Completion completion, int tag) { return SendEmpty(completion, tag, kDeviceId); }

int CmdOpenDrawer(Completion completion, int tag, int number) {
    if (number <= 4) return SendEmpty(completion, tag, kOpenDrawer);
    return DataField().Format("%d", number).Send(completion, tag, kOpenDrawer);
}

int CmdServiceCash(Completion completion, int tag, double amount) {
    if (!AllFinite(amount)) return kRejected;
    if (amount == 0) return SendEmpty(completion, tag, kServiceCash);
    return DataField().AppendAmount(amount).Send(completion, tag, kServiceCash);
}

int CmdBarcode(Completion completion, int tag, int type, const char* text) {
    // Unsigned arithmetic: the type's low byte decides, negative types too.
    const char code =
        static_cast<char>(static_cast<std::uint8_t>(0x30u + static_cast<unsigned>(type)));
    return DataField().Append(code).Append(TextOf(text)).Send(completion, tag, kBarcode);
}

int CmdReadNetParams(Completion completion, int tag) {
    return SendEmpty(completion, tag, kReadNetParams);
}

}  // namespace commands
