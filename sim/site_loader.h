#pragma once
// Reads a site file: a JSON description of the devices, users, stored
// messages, answer timing and faults of a site. A file that is not JSON is
// refused naming the line and column; a value of the wrong type, a missing
// field or an inconsistency is refused naming the device or user, the field
// and the line.
#include "site.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace sim {

struct SiteLoad {
    std::optional<Site> site;
    QString error; // "site.json:12: device 12002 "Kompanzasyon Rölesi": "ct" must be …"
};

// source names the text in messages (normally the file name).
SiteLoad parseSite(const QByteArray &json, const QString &source);
SiteLoad loadSiteFile(const QString &path);

} // namespace sim
