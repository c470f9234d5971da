#pragma once
// The requests for a device's energy between two dates, as the consumption
// page, the meter page and the compensation watch send them.
#include "energy_range.h"

#include <QByteArray>
#include <QDate>

namespace energy {

// A date field: the date in the short date format of the regional
// settings, no time of day.
QByteArray wireDate(const QDate &date);
// "reaktifener" for a device's own records, "sycreaktfener" for a meter.
QByteArray rangeKeyword(RangeAnswer::Source source);
// keyword 0x01 serial 0x01 first 0x01 last 0x01 F4 F4 F4.
QByteArray rangeRequest(RangeAnswer::Source source, const QByteArray &serial, const QByteArray &firstDate,
                        const QByteArray &lastDate);

} // namespace energy
