#pragma once
#include "register_store.h"

#include <QWidget>

// Hidden window object that owns the device register store. Created at
// start-up before the first server message is handled; never shown.
class TVD1KAL : public QWidget {
    Q_OBJECT
public:
    explicit TVD1KAL(QWidget *parent = nullptr);
    RegisterStore &store() { return m_store; }

private:
    RegisterStore m_store;
};
