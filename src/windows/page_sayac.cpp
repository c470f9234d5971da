#include "main_pages.h"

#include <QWidget>

void pages::buildSayac(QWidget *page)
{
    Q_UNUSED(page);
}
