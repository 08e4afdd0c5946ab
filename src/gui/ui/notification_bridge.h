// Turns Qt's signals and events of a control tree into the program's notifications, with the types
// and values of the layout contract. Only user actions raise one: a control set from code stays
// silent.
#pragma once

#include "gui/ui/notification.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAbstractButton;
class QAbstractSlider;
class QButtonGroup;
class QComboBox;
class QListWidget;

namespace v38 {

class NotificationBridge : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const Notification&)>;

    explicit NotificationBridge(Sink sink, QObject* parent = nullptr);

    // Connects every control of the subtree (root included); controls already connected are skipped.
    // Checkable buttons with the dynamic property "group" form one exclusive group per name; controls
    // with the dynamic property "notifymenu" raise "menu" on a context-menu request.
    void attach(QWidget* root);

    // A hidden combo row keeps its index and cannot be chosen by mouse, keys or wheel.
    static void setComboItemHidden(QComboBox* combo, int row, bool hidden);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attachControl(QWidget* control);
    void attachButton(QAbstractButton* button);
    void attachCombo(QComboBox* combo);
    void attachSlider(QAbstractSlider* slider);
    void attachList(QListWidget* list);
    void raise(QWidget* sender, const QString& type, qintptr wParam = 0, qintptr lParam = 0);

    Sink m_sink;
    QHash<QString, QButtonGroup*> m_groups;
};

} // namespace v38
