#include "frm_mesajlar.h"

TFrmMesajlar::TFrmMesajlar(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TFrmMesajlar"));
}
