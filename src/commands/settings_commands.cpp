// Page 8 "Ayarlar": reading and writing the compensation relay's settings.
#include "commands.h"

namespace commands {

void installSettings(ClientContext &) {}

} // namespace commands
