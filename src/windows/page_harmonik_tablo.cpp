#include "main_pages.h"

#include <QWidget>

void pages::buildHarmonikTablo(QWidget *page)
{
    Q_UNUSED(page);
}
