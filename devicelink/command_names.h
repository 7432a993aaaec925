// Russian names of the device commands.
#pragma once

namespace devicelink {

// The name of a command code as UTF-8 text; codes without a name give the
// invalid-command text "Неверная команда". Never null; a constant the caller
// does not free.
const char* CommandNameOf(int commandCode);

}  // namespace devicelink
