#pragma once
// Device selection: a click on a device item makes that device the active one
// (page layout for its kind, row 1 emptied, serial into Edit111, the opening
// request sent); the menu caption that follows Edit111; the hidden double
// request.
#include "client_context.h"

#include <QString>

namespace commands {

// The click action of every device item.
void RzGroup1Items0Click(ClientContext &ctx, GroupBarItem *item);
// Edit111 or Edit5 changed: AktifCihaz1 reads "Aktif Cihaz: " + Edit111.
void Edit111Change(ClientContext &ctx);
// "2 kere veri iste": "enertum" twice, Edit7 milliseconds apart.
void btnikikereisteClick(ClientContext &ctx);

// The serial slice of an item caption: the 10 characters after the first
// ":" (fewer when the caption ends sooner; empty without a ":").
QString serialSlice(const QString &caption);

} // namespace commands
