#include "main_pages.h"

#include <QWidget>

void pages::buildHarmonikDalga(QWidget *page)
{
    Q_UNUSED(page);
}
