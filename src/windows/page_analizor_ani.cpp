#include "main_pages.h"

#include <QWidget>

void pages::buildAnalizorAni(QWidget *page)
{
    Q_UNUSED(page);
}
