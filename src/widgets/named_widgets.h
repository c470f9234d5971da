#pragma once
#include <QHash>
#include <QObject>
#include <QString>

// Finds the named components of a window by objectName, without regard to
// letter case (the run-time built names such as "c1_r" find C1_R). Built once
// after the window's components exist.
class NamedWidgets {
public:
    explicit NamedWidgets(QObject *root = nullptr) { if (root) index(root); }
    void index(QObject *root);
    QObject *object(const QString &name) const { return m_byName.value(name.toLower()); }
    template <class T> T *get(const QString &name) const { return qobject_cast<T *>(object(name)); }
    int size() const { return int(m_byName.size()); }
    // Names that were found on more than one component (letter case folded).
    QStringList clashes() const { return m_clashes; }

private:
    QHash<QString, QObject *> m_byName;
    QStringList m_clashes;
};
