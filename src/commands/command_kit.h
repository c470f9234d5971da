#pragma once
// Small pieces every command uses: the target serial, requests for it, and
// the conversion of typed numbers with the standard error box on failure.
#include "client_context.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace commands {

// The text of the serial box Edit111, as wire bytes.
QByteArray serialField(const ClientContext &ctx);
// keyword 0x01 serial 0x01 field 0x01 … F4 F4 F4, the serial from Edit111.
QByteArray requestForSerial(const ClientContext &ctx, const QByteArray &keyword,
                            const QList<QByteArray> &fields = {});

// A typed whole number; anything else shows the conversion error in the
// application's standard error box and gives nothing.
std::optional<qint32> toInteger(const ClientContext &ctx, const QString &text);
// Likewise for a decimal number written with the locale's separator.
std::optional<double> toDecimal(const ClientContext &ctx, const QString &text);

// The texts of the conversion errors.
QString integerError(const QString &text);
QString decimalError(const QString &text);

} // namespace commands
