// Write acknowledgements: the device's echo of a setting write, and the
// industrial modem's sentence after an index write.
#include "handlers.h"

#include "working_text.h"

namespace handlers {

void writeAcknowledgement(WorkingText &, ClientContext &) {}
void indexWritten(WorkingText &, ClientContext &) {}

} // namespace handlers
