#pragma once
// The live display: once a second the active device's registers are copied
// from the register store into the main window's displays.
#include "client_context.h"

class RefreshCycle {
public:
    explicit RefreshCycle(ClientContext &ctx);
    // One tick of Timer1.
    void Timer1Timer();

private:
    ClientContext &m_ctx;
};
