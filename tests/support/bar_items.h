#pragma once
// The device bar as a test reads it: an item found by the serial its caption
// ends with, and a click on it where a user clicks.
#include "group_bar.h"

#include <QString>
#include <QTest>

namespace support {

inline GroupBarItem *barItem(const GroupBar &bar, qint64 serial)
{
    const QString tail = QStringLiteral(" No: %1").arg(serial);
    for (GroupBarGroup *g : bar.groups())
        for (GroupBarItem *it : g->items())
            if (it->caption().endsWith(tail))
                return it;
    return nullptr;
}

// False when the bar has no such item.
inline bool clickBarItem(const GroupBar &bar, qint64 serial)
{
    GroupBarItem *it = barItem(bar, serial);
    if (it)
        QTest::mouseClick(it, Qt::LeftButton, {}, QPoint(30, it->height() / 2));
    return it != nullptr;
}

} // namespace support
