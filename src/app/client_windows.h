#pragma once
#include "auto_reconnect.h"
#include "frm_ana.h"
#include "frm_giris.h"
#include "frm_haberlesme.h"
#include "frm_mesajlar.h"
#include "server_connection.h"
#include "tvd1kal.h"
#include "watch_wiring.h"

// The five windows of the client, created in this order and wired together.
// The first one is the program's main window.
struct ClientWindows {
    TFrmAna ana;
    TFrmGiris giris;
    TFrmhaberlesme haberlesme;
    TVD1KAL vd1kal;
    TFrmMesajlar mesajlar;
    AutoReconnect reconnect; // wired to the windows above
    WatchWiring *takip = nullptr; // owned by ana

    ClientWindows()
    {
        giris.setConnection(&ana.connection());
        QObject::connect(&giris, &TFrmGiris::closeProgram, &ana, &QWidget::close);
        ana.attach({&giris, &giris, [this] { giris.suiButton1Click(); }}, &haberlesme, &vd1kal, &mesajlar);
        reconnect.install(ana, giris);
        takip = new WatchWiring(ana);
    }
};
