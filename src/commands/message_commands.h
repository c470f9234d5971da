#pragma once
// The messages window's actions: the new-messages request, and the text of
// the message picked in its list.
#include "client_context.h"

#include <QByteArray>

namespace commands {

// "yenimesajiste" 0x01 user 0x01 F4 F4 F4, the user being slot 0 of the
// device list (the name of the login).
QByteArray newMessagesRequest(const ClientContext &ctx);
// Sends it on the main connection, whatever the connection's state.
void requestNewMessages(ClientContext &ctx);
// The list entry at this index was picked: its message's text replaces what
// the text area showed; no entry (-1) empties the text area.
void showMessage(ClientContext &ctx, int index);
// Connects the list of the messages window to showMessage.
void installMessages(ClientContext &ctx);

} // namespace commands
