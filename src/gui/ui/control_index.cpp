#include "gui/ui/control_index.h"

namespace v38 {

void ControlIndex::setScope(QWidget* scope) {
    m_scope = scope;
    invalidate();
}

void ControlIndex::build() {
    m_byName.clear();
    m_built = true;
    if (!m_scope)
        return;
    auto add = [this](QWidget* widget) {
        const QString name = widget->objectName().toLower();
        if (!name.isEmpty() && !m_byName.contains(name))
            m_byName.insert(name, widget);
    };
    add(m_scope);
    for (QWidget* child : m_scope->findChildren<QWidget*>())
        add(child);
}

QWidget* ControlIndex::find(const QString& name) {
    if (!m_built)
        build();
    auto it = m_byName.constFind(name.toLower());
    if (it == m_byName.constEnd())
        return nullptr;
    if (!*it) {
        // The control went away since the index was built.
        build();
        it = m_byName.constFind(name.toLower());
        return it != m_byName.constEnd() ? it->data() : nullptr;
    }
    return *it;
}

QWidget* findControlIn(QWidget* scope, const QString& name) {
    if (!scope || name.isEmpty())
        return nullptr;
    if (scope->objectName().compare(name, Qt::CaseInsensitive) == 0)
        return scope;
    for (QWidget* child : scope->findChildren<QWidget*>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

} // namespace v38
