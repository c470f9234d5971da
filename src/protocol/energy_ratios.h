#pragma once
// Reactive-to-active energy ratios and the four bands that tell a user how
// close the site runs to a reactive-energy penalty. Widget-free: the handlers
// write the results into the displays.
#include <QString>

namespace energy {

enum class Band { Normal, Critical, Alarm, Penalty };
enum class Reactive { Inductive, Capacitive };

struct Ratios {
    double inductive = 0;
    double capacitive = 0;
};

// The ratios of the reactive energy to the active energy between two
// readings (A active, L inductive, C capacitive at the first and the second
// date), in percent. Both are 0 unless the active energy grew.
Ratios rangeRatios(double a1, double a2, double l1, double l2, double c1, double c2);

// The ratio rounded to a whole number, halves to the even neighbour
// (16.5 → 16, 17.5 → 18).
double roundedRatio(double ratio);

// The band of a ratio in percent. The rounded ratio is compared as a signed
// number, so a negative ratio is NORMAL:
//   inductive:  < 15 NORMAL, 15–16 KRİTİK, 17–19 ALARM, ≥ 20 CEZA
//   capacitive: < 10 NORMAL, 10–11 KRİTİK, 12–14 ALARM, ≥ 15 CEZA
Band band(double ratio, Reactive kind);

// "NORMAL", "KRİTİK", "ALARM", "CEZA".
QString bandText(Band b);
// Lime, yellow, fuchsia, red, as 0xRRGGBB.
quint32 bandColour(Band b);

} // namespace energy
