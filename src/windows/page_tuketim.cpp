#include "main_pages.h"

#include <QWidget>

void pages::buildTuketim(QWidget *page)
{
    Q_UNUSED(page);
}
