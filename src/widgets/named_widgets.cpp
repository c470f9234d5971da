#include "named_widgets.h"

void NamedWidgets::index(QObject *root)
{
    const auto add = [this](QObject *o) {
        const QString name = o->objectName();
        // Qt names a few parts of its own widgets (the tab bar's scroll buttons).
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))
            || name == QLatin1String("ScrollLeftButton") || name == QLatin1String("ScrollRightButton"))
            return;
        const QString key = name.toLower();
        auto it = m_byName.find(key);
        if (it != m_byName.end() && it.value() != o) {
            m_clashes.append(name);
            return; // the first one created keeps the name
        }
        m_byName.insert(key, o);
        m_exact[name] = o;
    };
    add(root);
    const auto all = root->findChildren<QObject *>();
    for (QObject *o : all)
        add(o);
}
