#include "main_pages.h"

#include <QWidget>

void pages::buildModem(QWidget *page)
{
    Q_UNUSED(page);
}
