#include "wire.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <vector>

namespace wire {

namespace {

// Code page 1254 maps every byte to one character: the mapping is taken
// once from the system's converter, and text is converted through it without
// making a converter for every field. Characters outside the code page go
// through the converter, so they come out as it writes them.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    std::vector<qint16> fromUnicode = std::vector<qint16>(0x10000, -1);
    bool byteForChar = true;

    CodePage()
    {
        QStringDecoder dec("windows-1254");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString c = dec.decode(QByteArrayView(&byte, 1));
            if (c.size() != 1) {
                byteForChar = false;
                continue;
            }
            toUnicode[size_t(b)] = c.at(0).unicode();
        }
        // A character some byte decodes to is written back as that byte, if
        // the converter does so.
        QStringEncoder enc("windows-1254");
        for (int b = 255; b >= 0; --b) {
            const QChar c(toUnicode[size_t(b)]);
            if (enc.encode(QStringView(&c, 1)) == QByteArray(1, char(b)))
                fromUnicode[c.unicode()] = qint16(b);
        }
    }
};

const CodePage &codePage()
{
    static const CodePage page;
    return page;
}

} // namespace

QByteArray encode(const QString &text)
{
    const CodePage &page = codePage();
    QByteArray out(text.size(), Qt::Uninitialized);
    char *p = out.data();
    for (const QChar c : text) {
        const qint16 b = page.fromUnicode[c.unicode()];
        if (b < 0) {
            QStringEncoder enc("windows-1254");
            return enc.encode(text);
        }
        *p++ = char(b);
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    const CodePage &page = codePage();
    if (!page.byteForChar) {
        QStringDecoder dec("windows-1254");
        return dec.decode(bytes);
    }
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    for (const char b : bytes)
        *p++ = page.toUnicode[uchar(b)];
    return out;
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
