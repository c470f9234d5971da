#include "main_pages.h"

#include <QWidget>

void pages::buildAsiriAkim(QWidget *page)
{
    Q_UNUSED(page);
}
