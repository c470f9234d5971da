#include "settings_requests.h"

#include "split_word.h"
#include "wire.h"

#include <QCoreApplication>
#include <QList>

#include <initializer_list>

namespace commands::requests {

namespace {

// The serial, then high and low of every word.
QByteArray wordRequest(const QByteArray &keyword, const QByteArray &serial, std::initializer_list<qint32> words)
{
    QList<QByteArray> fields{serial};
    for (qint32 w : words) {
        const SplitWord parts = splitWord(w);
        fields << parts.high << parts.low;
    }
    return wire::buildRequest(keyword, fields);
}

QByteArray flag(bool set)
{
    return set ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

} // namespace

QByteArray currentTransformer(const QByteArray &serial, qint32 ratio)
{
    return wordRequest("zorvctyaz", serial, {ratio});
}

QByteArray tanPhi(const QByteArray &serial, qint32 value)
{
    return wordRequest("zorvtanfiyaz", serial, {twosComplement16(value)});
}

QByteArray inductiveLimit(const QByteArray &serial, qint32 limit)
{
    return wordRequest("zorvindcezasiniryaz", serial, {limit});
}

QByteArray capacitiveLimit(const QByteArray &serial, qint32 limit)
{
    return wordRequest("zorvkapcezasiniryaz", serial, {limit});
}

QByteArray switchingTimes(const QByteArray &serial, qint32 maxIn, qint32 maxOut, qint32 minInOut)
{
    return wordRequest("zorvalmacikarmayaz", serial, {maxIn, maxOut, minInOut});
}

QByteArray learningAndDirection(const QByteArray &serial, bool learningEnabled, bool directionEnabled)
{
    return wire::buildRequest("zorvkonogryonyaz", {serial, "0", flag(!learningEnabled), "0",
                                                   flag(!directionEnabled), "0", "0"});
}

QByteArray switchingMode(const QByteArray &serial, bool manual)
{
    return wire::buildRequest("zorvotomanuelyaz", {serial, flag(manual)});
}

QByteArray fastMode(const QByteArray &serial, bool enabled)
{
    return wire::buildRequest("zorvhizlimod", {serial, flag(enabled)});
}

QByteArray readConstants(const QByteArray &serial)
{
    return wire::buildRequest("zorvsabitiste", {serial});
}

QByteArray readSteps(const QByteArray &serial)
{
    return wire::buildRequest("kondasatordurum", {serial});
}

QByteArray writeStep(const QByteArray &serial, int step, qint32 r, qint32 s, qint32 t)
{
    QList<QByteArray> fields{serial};
    for (qint32 v : {r, s, t}) {
        const SplitWord parts = splitWord(v);
        fields << parts.high << parts.low;
    }
    fields << QByteArrayLiteral("0") << QByteArray::number(step);
    return wire::buildRequest("Kondandegeryaz", fields);
}

QByteArray switchStep(const QByteArray &serial, int step)
{
    return wire::buildRequest("zorvdevreyealcikart", {serial, QByteArray::number(step)});
}

QString switchStepStatus(int step)
{
    return QCoreApplication::translate("StepCommands", "%1 nolu Kondansator devreye alınıyor/çıkartılıyor.Lütfen bekleyin...")
        .arg(step);
}

} // namespace commands::requests
