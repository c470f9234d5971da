#pragma once
// Bytes on the wire: 8-bit text in code page 1254, fields ended by 0x01,
// every request ended by three 0xF4.
#include <QByteArray>
#include <QList>
#include <QString>

namespace wire {

constexpr char kFieldEnd = '\x01';
constexpr char kCredentialsEnd = '\x02';
inline const QByteArray kRequestEnd = QByteArrayLiteral("\xF4\xF4\xF4");

// Text to code page 1254 bytes and back.
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

enum class RequestForm {
    General,   // keyword 0x01 (field 0x01)* F4 F4 F4; no fields is the bare form
    Login,     // keyword 0x01 user 0x01 password 0x02 F4 F4 F4
    KeepAlive, // keyword F4 F4 F4
};

// The one builder of every request the client sends. Field bytes are sent as
// they are (a field may be a single raw byte such as a relay mask).
QByteArray buildRequest(const QByteArray &keyword, const QList<QByteArray> &fields = {},
                        RequestForm form = RequestForm::General);

QByteArray loginRequest(const QByteArray &user, const QByteArray &password);
QByteArray keepAliveRequest();

// A received read rendered for the communication log: printable bytes as
// code page 1254 text, control bytes as their hexadecimal value in angle
// brackets ("pong<01>").
QString renderForLog(const QByteArray &bytes);

} // namespace wire
