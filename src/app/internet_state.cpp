#include "internet_state.h"

#include <QNetworkInformation>

bool internetAvailable()
{
    static const bool loaded = QNetworkInformation::loadDefaultBackend();
    QNetworkInformation *info = loaded ? QNetworkInformation::instance() : nullptr;
    if (!info)
        return true;
    const auto r = info->reachability();
    return r == QNetworkInformation::Reachability::Online
           || r == QNetworkInformation::Reachability::Unknown;
}
