#include "wire.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace wire {

QByteArray encode(const QString &text)
{
    QStringEncoder enc("windows-1254");
    return enc.encode(text);
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder dec("windows-1254");
    return dec.decode(bytes);
}

QByteArray buildRequest(const QByteArray &keyword, const QList<QByteArray> &fields, RequestForm form)
{
    QByteArray out;
    qsizetype size = keyword.size() + kRequestEnd.size() + 1;
    for (const QByteArray &f : fields)
        size += f.size() + 1;
    out.reserve(size);
    out += keyword;
    switch (form) {
    case RequestForm::KeepAlive:
        break;
    case RequestForm::Login:
        out += kFieldEnd;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            out += fields[i];
            out += (i + 1 == fields.size()) ? kCredentialsEnd : kFieldEnd;
        }
        break;
    case RequestForm::General:
        out += kFieldEnd;
        for (const QByteArray &f : fields) {
            out += f;
            out += kFieldEnd;
        }
        break;
    }
    out += kRequestEnd;
    return out;
}

QByteArray loginRequest(const QByteArray &user, const QByteArray &password)
{
    // An empty password travels as one blank.
    return buildRequest("kulsifre", {user, password.isEmpty() ? QByteArray(" ") : password},
                        RequestForm::Login);
}

QByteArray keepAliveRequest()
{
    return buildRequest("ping", {}, RequestForm::KeepAlive);
}

QString renderForLog(const QByteArray &bytes)
{
    const QString text = decode(bytes);
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F)
            out += QStringLiteral("<%1>").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

} // namespace wire
