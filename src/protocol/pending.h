#pragma once
// The values of pendingRequest: the keyword of the answer the client expects
// next, stored by the request senders and read by the "enerjial" handling.
// Code page 1254 bytes ("ü" 0xFC, "ç" 0xE7, "ı" 0xFD).
#include <QByteArray>

namespace pending {
inline const QByteArray susayaci = QByteArrayLiteral("susayaci");
inline const QByteArray akimtrafosu = QByteArrayLiteral("akimtrafosu");
inline const QByteArray tanfi = QByteArrayLiteral("tanfi");
inline const QByteArray induktifceza = QByteArrayLiteral("ind\xFCktifceza");
inline const QByteArray kapasitifceza = QByteArrayLiteral("kapasitifceza");
inline const QByteArray almacikarma = QByteArrayLiteral("alma\xE7\xFDkarma");
inline const QByteArray otomanuel = QByteArrayLiteral("otomanuel");
inline const QByteArray hizlimod = QByteArrayLiteral("h\xFDzl\xFDmod");
inline const QByteArray endeksyaz = QByteArrayLiteral("endeksyaz");
inline const QByteArray tekliroledrm = QByteArrayLiteral("tekliroledrm");
inline const QByteArray outputdrm = QByteArrayLiteral("outputdrm");
inline const QByteArray anideger = QByteArrayLiteral("anideger");
inline const QByteArray tuketim = QByteArrayLiteral("tuketim");
inline const QByteArray harmonikzorv = QByteArrayLiteral("harmonikzorv");
inline const QByteArray sabitler = QByteArrayLiteral("sabitler");
inline const QByteArray kondasatordurum = QByteArrayLiteral("kondasatordurum");
inline const QByteArray harmonikb = QByteArrayLiteral("harmonikb");
inline const QByteArray harmoniki = QByteArrayLiteral("harmoniki");
inline const QByteArray harmoniku = QByteArrayLiteral("harmoniku");
inline const QByteArray sayac = QByteArrayLiteral("sayac"); // no "enerjial" branch
} // namespace pending
