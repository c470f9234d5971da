#pragma once
// A made-up site of any size, for load tests and demonstrations: groups of
// 20 devices of every kind, their energy spread over the four bands, a few
// off line, seen whole by the demo users. The same size always makes the
// same site.
#include "site.h"

namespace sim {

// Serials of a generated site: kGeneratedFirstSerial, +1, … in listing order.
constexpr quint32 kGeneratedFirstSerial = 100001;
constexpr int kGeneratedGroupSize = 20;
// Every this many devices, the last one is off line.
constexpr int kGeneratedOfflineEvery = 37;

// 1 to kMaxDevicesPerUser devices; users "demo" (1234, with the demo site's
// stored messages) and "işletme" (5678) see all of them.
Site generatedSite(int devices);

} // namespace sim
