#pragma once
// The accumulated text of an electricity meter's readout, as the "sayacal"
// pieces bring it, and the values of the six OBIS codes the meter page shows.
//
// Each code's value is what the meter sent after the code's "(" of the code's
// first occurrence: the characters up to the "*" before the unit or the ")"
// that closes a value without unit (a line end also ends it). While the rest
// of that value has not arrived yet, the value runs to the end of the text so
// far. At most 16 characters are taken.
//
// Finding the codes costs only the newly appended text: the first occurrence
// of a code never moves while text is only appended, so each code is looked
// for in the new text alone, together with the few characters before it that
// may hold the start of a code split between two pieces.
//
// The text is bounded: once it grows past kLimit characters, the oldest part
// is cut so that the newest kKeep characters stay, and the codes are looked
// for again in what is left.
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace energy {

class MeterReadout {
public:
    static constexpr qsizetype kKeep = 256 * 1024;
    static constexpr qsizetype kLimit = 2 * kKeep;
    static constexpr qsizetype kMaxValue = 16;
    static constexpr int kCodes = 6;

    // "1.8.0(" active total, "5.8.0(" inductive total, "8.8.0(" capacitive
    // total, "1.8.1(" … "1.8.3(" the active tariff registers.
    static const std::array<QString, kCodes> &codes();

    // Forgets the text.
    void clear();
    // Appends a piece; returns how many characters were cut from the front
    // to keep the bound (0 when none).
    qsizetype append(QStringView piece);
    // Replaces the whole text (the memo was changed by someone else).
    void reset(const QString &text);

    const QString &text() const { return m_text; }
    qsizetype size() const { return m_text.size(); }

    // The value of code i (0 to kCodes - 1), or nothing before the code has
    // arrived.
    std::optional<QString> value(int i) const;

    // The same rule over any text, without the index.
    static std::optional<QString> valueIn(QStringView text, QStringView code);

private:
    static QString valueAt(QStringView text, qsizetype start);
    void look(qsizetype from);

    QString m_text;
    // For each code: where its first value starts (after the "("), or -1.
    std::array<qsizetype, kCodes> m_start{-1, -1, -1, -1, -1, -1};
};

} // namespace energy
