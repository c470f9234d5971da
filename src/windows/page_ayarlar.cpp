#include "main_pages.h"

#include <QWidget>

void pages::buildAyarlar(QWidget *page)
{
    Q_UNUSED(page);
}
