#pragma once

struct AppOptions;
struct ClientWindows;

// Starts the client as the command line and the remembered settings ask: the
// login window filled in, the main window where it was last left, shown
// normally, minimised, or only as its tray icon. The window's place is
// remembered again when the program ends.
void startClient(ClientWindows &windows, const AppOptions &options);
