#include "fiscal/call_pattern.h"

#include <cstring>

#include "commands/commands.h"
#include "devicelink/device_link.h"

namespace fiscal {

void PrinterResults(devicelink::RetData& record) {
    ObjectState& s = State();
    s.LastReply = record;
    --s.ReplyPending;
    s.DeviceErrorCount = (record.StatusWord & FailureMask) ? 1 : 0;
}

void RecordRefusal() {
    State().LastStatusWord = kRefusedStatusWord;
    State().OperationState = kRefused;
}

bool ConnectionGuard() {
    const ObjectState& s = State();
    if (s.PortOpen != -1 && s.PortNumber != -1 && s.LinkReady != 0) return true;
    RecordRefusal();
    return false;
}

namespace {

// False when the wrapper sent nothing: no completion will come.
bool Sent(int wrapperResult) {
    if (wrapperResult >= 0) return true;
    State().ReplyPending = 0;
    return false;
}

// A status query whose outcome is not recorded.
void StatusQuery(char letter) {
    State().ReplyPending = 1;
    Sent(commands::CmdGetStatus(&PrinterResults, 0, letter == 'X'));
}

}  // namespace

bool Accepted(int wrapperResult) {
    if (Sent(wrapperResult)) return true;
    RecordRefusal();
    return false;
}

bool SendRawAndWait(int commandCode, std::string_view data) {
    State().ReplyPending = 1;
    return Accepted(devicelink::TheDeviceLink().SendCommand(&PrinterResults, 0, commandCode, data));
}

void LeadingStatusQuery(char letter) { StatusQuery(letter); }

bool StatusPreCheck(char letter) {
    ResetDeviceErrors();
    StatusQuery(letter);
    if (!LastExchangeFailed()) return true;
    RecordOutcome();
    return false;
}

void TrailingStatusQuery() { StatusQuery('W'); }

void KeepReplyStatus() {
    ObjectState& s = State();
    s.LastStatusWord = s.LastReply.StatusWord;
    std::memcpy(s.SavedStatusBytes, s.LastReply.StatusByte, sizeof s.SavedStatusBytes);
}

bool RecordOutcome() {
    KeepReplyStatus();
    State().OperationState = LastExchangeFailed() ? kDeviceFailed : kSucceeded;
    return State().OperationState == kSucceeded;
}

void RecordUnusableReply() {
    State().DeviceErrorCount = 1;
    RecordOutcome();
}

}  // namespace fiscal
