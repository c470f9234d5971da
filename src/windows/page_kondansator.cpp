#include "main_pages.h"

#include <QWidget>

void pages::buildKondansator(QWidget *page)
{
    Q_UNUSED(page);
}
