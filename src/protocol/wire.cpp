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
    QString text = decode(bytes);
    for (QChar &c : text) {
        const ushort u = c.unicode();
        if (u < 0x20)
            c = QChar(0x2400 + u); // ␀ … ␟
        else if (u == 0x7F)
            c = QChar(0x2421); // ␡
    }
    return text;
}

} // namespace wire
