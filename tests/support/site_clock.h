#pragma once
// The simulator's clock for the tests that depend on the date: the middle of
// a month at noon, so that the billing period is two weeks old and no day
// ends while a test runs, whatever the machine's date.
#include "sim_server.h"

#include <QDateTime>

inline QDateTime fixedSiteTime()
{
    return QDateTime(QDate(2026, 3, 16), QTime(12, 0));
}

inline void useFixedSiteClock(sim::SimServer &server)
{
    server.setWallClock(sim::SimServer::clockFrom(fixedSiteTime().toMSecsSinceEpoch()));
}
