#pragma once
// The meter page's and the consumption page's requests: meter readings,
// energy between two dates and the consumption registers. installMeter()
// (commands.h) connects them to their buttons.
#include "client_context.h"

#include <QString>

namespace commands {

void VrShadowButton11Click(ClientContext &ctx); // "Sayaç Oku"
void VrShadowButton13Click(ClientContext &ctx); // "Tedaş Okuma", with the Yes/No warning
void VrShadowButton12Click(ClientContext &ctx); // "Tarih Arası Oranları Hesapla" (page 6)
void BitBtn1Click(ClientContext &ctx);          // "İki Tarih Arası Oranları Hesapla" (page 1)
void VrShadowButton8Click(ClientContext &ctx);  // "Enerji Değerlerini İste"

// The warning shown before a utility reading; its line breaks are the bytes
// 0x0A 0x0D, in that order.
QString utilityReadingQuestion();

} // namespace commands
