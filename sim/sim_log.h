#pragma once
// How the simulator writes its log: one line per event, prefixed with the
// time and the session, wire bytes rendered as the client's communication log
// renders them (control bytes as <01>), long ones shortened with their size.
#include <QByteArray>
#include <QString>

namespace sim::log {

// Wire bytes longer than this are shortened in the log.
constexpr qsizetype kShownBytes = 120;

// "kulsifre<01>demo<01>1234<02>"; beyond kShownBytes: the first kShownBytes
// bytes, then " … (1.234 bytes)".
QString bytes(const QByteArray &wireBytes, qsizetype shown = kShownBytes);

// A request as the log shows it: rendered as bytes() does, with a login's
// password (everything after the user name) as "***", so that a log kept by a
// service or the system journal never holds a password, nor its length.
QString request(const QByteArray &request, qsizetype shown = kShownBytes);

// "2026-12-09 14:52:11.123" for now.
QString timestamp();

} // namespace sim::log
