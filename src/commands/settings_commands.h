#pragma once
// The click handlers of page 8 "Ayarlar" (the compensation relay's settings)
// and of the capacitor steps on pages 0 and 4. installSettings and
// installSteps connect them to their buttons; tests may call them directly.
#include "client_context.h"

#include <QString>

#include <optional>

namespace commands {

// Page 8.
void Button9Click(ClientContext &ctx);          // "zorvctyaz", the transformer ratio CT
void btntanfiClick(ClientContext &ctx);         // "zorvtanfiyaz", Tanfi
void btnindcezaClick(ClientContext &ctx);       // "zorvindcezasiniryaz", indcezasinir
void btnkapcezaClick(ClientContext &ctx);       // "zorvkapcezasiniryaz", kapcezasinir
void Button7Click(ClientContext &ctx);          // "zorvalmacikarmayaz", the three switching times
void Button5Click(ClientContext &ctx);          // "zorvkonogryonyaz", learning and direction fixing
void zorvotomanuelyazClick(ClientContext &ctx); // "zorvotomanuelyaz", manual or automatic
void Button8Click(ClientContext &ctx);          // "zorvhizlimod", fast mode
void sabitokuClick(ClientContext &ctx);         // "zorvsabitiste", read the constants

// Capacitor steps.
void BitBtn2Click(ClientContext &ctx);          // "kondasatordurum", read every step
void stepWriter(ClientContext &ctx, int step);  // c<n>yaz: "Kondandegeryaz"
void stepSwitcher(ClientContext &ctx, int step); // durum<n>: "zorvdevreyealcikart"

// What LblGiden says when the mode or fast-mode button is clicked while
// neither option of its pair is checked; nothing is sent then.
QString chooseOptionFirst();

// Shared by the two files of handlers.
namespace settings_kit {
// The text of a spin box of the main window (empty when there is none).
QString spinText(const ClientContext &ctx, const QString &name);
// That text as a whole number; otherwise the conversion error and nothing.
std::optional<qint32> spinWhole(const ClientContext &ctx, const QString &name);
bool isChecked(const ClientContext &ctx, const QString &name);
void setPending(ClientContext &ctx, const QByteArray &value);
// Writes whose echo the client does not check still get an answer from the
// device. Left under an earlier request's pendingRequest, that echo would be
// read as the earlier answer (a register read decoding it into the live
// values); with nothing pending it is passed over.
void expectNoAnswer(ClientContext &ctx);
// Sends, then shows the status text; LblMesaj emptied when asked.
void sendWithStatus(ClientContext &ctx, const QByteArray &request, const QString &status, bool clearMessage);
} // namespace settings_kit

} // namespace commands
