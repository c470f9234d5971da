#include "tvd1kal.h"

TVD1KAL::TVD1KAL(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TVD1KAL"));
}
