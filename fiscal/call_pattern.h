// The steps every printer-talking member is made of. A member reads as a
// short sequence of them:
//
//   if (!ConnectionGuard()) return refused;
//   LeadingStatusQuery();
//   ResetDeviceErrors();
//   if (!SendAndWait(commands::CmdCloseFiscal)) return refused;
//   return RecordOutcome();
//
// All state is the process-wide ObjectState; the device link runs every
// exchange synchronously, so a command has always completed when
// SendAndWait returns.
#pragma once

#include <string_view>
#include <utility>

#include "devicelink/ret_data.h"
#include "fiscal/object_state.h"

namespace fiscal {

// The completion of every exchange: keeps the record and judges it.
void PrinterResults(devicelink::RetData& record);

// True when a port is open; otherwise records the refused outcome.
bool ConnectionGuard();

// Records the refused outcome: LastStatusWord FFFFFFFFh, OperationState -1.
void RecordRefusal();

// Hands a wrapper's result to the caller's bookkeeping: false (and the
// refused outcome recorded) when the wrapper refused or the link was not
// ready, so nothing was sent.
bool Accepted(int wrapperResult);

// Runs one exchange through a command wrapper, with PrinterResults as its
// completion and tag 0. False when nothing was sent (refused outcome
// recorded).
template <class... Params, class... Args>
bool SendAndWait(int (*wrapper)(devicelink::Completion, int, Params...), Args&&... args) {
    State().ReplyPending = 1;
    return Accepted(wrapper(&PrinterResults, 0, static_cast<Params>(args)...));
}

// Sends a command that has no wrapper, with `data` as its data field.
bool SendRawAndWait(int commandCode, std::string_view data);

// Command 74 with "W" (or "X"); its outcome is not recorded.
void LeadingStatusQuery(char letter = 'W');

// A second status query whose failure ends the member: false after
// recording the device failure.
bool StatusPreCheck(char letter = 'W');

// One more status query after the outcome is recorded; only LastReply (and
// so FPStatus) changes.
void TrailingStatusQuery();

inline void ResetDeviceErrors() { State().DeviceErrorCount = 0; }
inline bool LastExchangeFailed() { return State().DeviceErrorCount > 0; }

// Keeps the last reply's status word and bytes for GetError and
// Status0..Status5; OperationState is left alone.
void KeepReplyStatus();

// Keeps the last exchange's status for GetError and Status0..Status5 and
// sets OperationState; true on success.
bool RecordOutcome();

// Records a reply the member cannot use (it lacks a field the member reads)
// as a device failure: its status is kept, OperationState is -2.
void RecordUnusableReply();

// One command of a member that sends several: false, with the outcome
// recorded, when it was not sent or the printer did not accept it; the
// member then stops there.
template <class... Params, class... Args>
bool SendStep(int (*wrapper)(devicelink::Completion, int, Params...), Args&&... args) {
    ResetDeviceErrors();
    if (!SendAndWait(wrapper, std::forward<Args>(args)...)) return false;
    if (!LastExchangeFailed()) return true;
    RecordOutcome();
    return false;
}

// The common shape of a one-command member: guard, leading status query,
// the command, outcome. False on refusal or failure.
template <class... Params, class... Args>
bool RunCommand(int (*wrapper)(devicelink::Completion, int, Params...), Args&&... args) {
    if (!ConnectionGuard()) return false;
    LeadingStatusQuery();
    ResetDeviceErrors();
    if (!SendAndWait(wrapper, std::forward<Args>(args)...)) return false;
    return RecordOutcome();
}

}  // namespace fiscal
