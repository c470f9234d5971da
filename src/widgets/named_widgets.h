#pragma once
#include <QHash>
#include <QObject>
#include <QString>

#include <unordered_map>

// Finds the named components of a window by objectName, without regard to
// letter case (the run-time built names such as "c1_r" find C1_R). Built once
// after the window's components exist.
class NamedWidgets {
public:
    explicit NamedWidgets(QObject *root = nullptr) { if (root) index(root); }
    void index(QObject *root);
    QObject *object(const QString &name) const
    {
        // The name as the component carries it is found without folding
        // (handlers look names up for every message they handle).
        const auto it = m_exact.find(name);
        if (it != m_exact.end())
            return it->second;
        return m_byName.value(name.toLower());
    }
    template <class T> T *get(const QString &name) const { return qobject_cast<T *>(object(name)); }
    int size() const { return int(m_byName.size()); }
    // Names that were found on more than one component (letter case folded).
    QStringList clashes() const { return m_clashes; }

private:
    QHash<QString, QObject *> m_byName;  // letter case folded
    // A plain hash over the name's characters: names are short.
    struct NameHash {
        size_t operator()(const QString &s) const noexcept
        {
            size_t h = 14695981039346656037ull;
            for (const QChar c : s)
                h = (h ^ c.unicode()) * 1099511628211ull;
            return h;
        }
    };
    // The same components by their own names.
    std::unordered_map<QString, QObject *, NameHash> m_exact;
    QStringList m_clashes;
};
