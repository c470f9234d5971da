#pragma once

// Whether the machine has an internet connection, as the operating system's
// reachability service tells. Where no such service can be loaded the answer
// is yes, so a machine without one can still log in.
bool internetAvailable();
