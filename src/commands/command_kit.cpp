#include "command_kit.h"

#include "client_state.h"
#include "named_widgets.h"
#include "numbers.h"
#include "wire.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace commands {

QByteArray serialField(const ClientContext &ctx)
{
    const auto *edit = ctx.mainWidgets ? ctx.mainWidgets->get<QLineEdit>(QStringLiteral("Edit111")) : nullptr;
    return edit ? wire::encode(edit->text()) : QByteArray();
}

QByteArray requestForSerial(const ClientContext &ctx, const QByteArray &keyword, const QList<QByteArray> &fields)
{
    QList<QByteArray> all;
    all.reserve(fields.size() + 1);
    all.append(serialField(ctx));
    all.append(fields);
    return wire::buildRequest(keyword, all);
}

QString integerError(const QString &text)
{
    return QCoreApplication::translate("Commands", "'%1' geçerli bir tam sayı değeri değil.").arg(text);
}

QString decimalError(const QString &text)
{
    return QCoreApplication::translate("Commands", "'%1' geçerli bir sayı değeri değil.").arg(text);
}

std::optional<qint32> toInteger(const ClientContext &ctx, const QString &text)
{
    // Blanks around the number are accepted, as the number fields trim them.
    const std::optional<qint32> v = numbers::parseInt(QStringView(text).trimmed());
    if (!v)
        ctx.error(integerError(text));
    return v;
}

std::optional<double> toDecimal(const ClientContext &ctx, const QString &text)
{
    const QChar separator = ctx.prog ? ctx.prog->decimalSeparator : QLatin1Char('.');
    const std::optional<double> v = numbers::parseDecimal(text, separator);
    if (!v)
        ctx.error(decimalError(text));
    return v;
}

} // namespace commands
