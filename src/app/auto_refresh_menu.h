#pragma once
// The automatic refresh in the "Cihaz" menu: the checkable "Otomatik Yenile"
// (off at every start) and the submenu "Yenileme Aralığı" with a spin box of
// seconds, remembered in the settings.
class QMenu;
class QWidget;
namespace fleet {
class AutoRefresh;
class ClientEvents;
class RequestScheduler;
} // namespace fleet

fleet::AutoRefresh *addAutoRefreshMenu(QMenu *menu, fleet::RequestScheduler &scheduler, fleet::ClientEvents &events,
                                       QWidget *window);
