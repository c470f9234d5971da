// Device selection: the click on a device item, the serial box and its menu caption, the hidden double request.
#include "commands.h"

namespace commands {

void installSelection(ClientContext &) {}

} // namespace commands
