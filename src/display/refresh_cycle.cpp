#include "refresh_cycle.h"

RefreshCycle::RefreshCycle(ClientContext &ctx) : m_ctx(ctx) {}

void RefreshCycle::Timer1Timer() {}
