// Finds controls by object name without regard to case, scoped to one subtree. The index is built
// once per subtree and rebuilt only when controls were added or removed.
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace v38 {

class ControlIndex {
public:
    explicit ControlIndex(QWidget* scope = nullptr) : m_scope(scope) {}

    void setScope(QWidget* scope);
    QWidget* scope() const { return m_scope; }
    // The first control in tree order with that name (the scope itself included), or null.
    QWidget* find(const QString& name);
    // Forget the index; call it after controls were added to or renamed in the subtree.
    void invalidate() { m_built = false; }

private:
    void build();

    QPointer<QWidget> m_scope;
    QHash<QString, QPointer<QWidget>> m_byName;
    bool m_built = false;
};

// One-off lookup without keeping an index.
QWidget* findControlIn(QWidget* scope, const QString& name);

} // namespace v38
