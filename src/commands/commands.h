#pragma once
// The user's actions that send a request: device selection, the settings of
// the compensation relay, the capacitor steps, the meter and energy requests,
// the relay and modem commands and the harmonic requests. Each feature
// connects its own buttons; install() runs them all once the main window's
// components exist.
#include "client_context.h"

namespace commands {

void install(ClientContext &ctx);

void installSelection(ClientContext &ctx);   // device items, Edit111, btnikikereiste
void installSettings(ClientContext &ctx);    // page 8 "Ayarlar"
void installSteps(ClientContext &ctx);       // capacitor steps on pages 0 and 4
void installMeter(ClientContext &ctx);       // pages 1 and 6: energy and meter
void installRelays(ClientContext &ctx);      // pages 2 and 9: relays, modem
void installHarmonics(ClientContext &ctx);   // pages 3 and 5: harmonics

} // namespace commands
