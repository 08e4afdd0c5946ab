#include "gui/ui/notification_bridge.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTimer>

namespace v38 {

namespace {
// Per-control state kept on the control itself, so it goes away with it.
const char kAttached[] = "_v38_attached";
const char kWasChecked[] = "_v38_was_checked";
const char kComboBase[] = "_v38_combo_base";
const char kListArmed[] = "_v38_list_armed";
const char kListRow[] = "_v38_list_row";
const char kSliderPending[] = "_v38_slider_pending";
const char kEditKind[] = "_v38_edit";

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

bool isInnerEdit(QWidget* edit) {
    QWidget* parent = edit->parentWidget();
    return qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent);
}
} // namespace

NotificationBridge::NotificationBridge(Sink sink, QObject* parent)
    : QObject(parent), m_sink(std::move(sink)) {}

void NotificationBridge::raise(QWidget* sender, const QString& type, qintptr wParam, qintptr lParam) {
    if (m_sink)
        m_sink(Notification{type, sender, wParam, lParam});
}

void NotificationBridge::attach(QWidget* root) {
    if (!root)
        return;
    attachControl(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        attachControl(child);
}

void NotificationBridge::attachControl(QWidget* control) {
    if (control->property(kAttached).toBool())
        return;
    control->setProperty(kAttached, true);
    // Any control may ask for "menu" on a context-menu request (list rows with their own menus).
    if (control->property("notifymenu").toBool())
        control->installEventFilter(this);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        attachButton(button);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        attachCombo(combo);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        if (!qobject_cast<QScrollBar*>(slider))
            attachSlider(slider);
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        attachList(list);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (isInnerEdit(edit))
            return;
        edit->setProperty(kEditKind, true);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { raise(edit, notify::kTextChanged); });
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] { raise(edit, notify::kReturn); });
    } else if (qobject_cast<QTextEdit*>(control) || qobject_cast<QPlainTextEdit*>(control)) {
        control->setProperty(kEditKind, true);
        control->installEventFilter(this);
    }
}

void NotificationBridge::attachButton(QAbstractButton* button) {
    const QString groupName = button->property("group").toString();
    if (!groupName.isEmpty() && button->isCheckable()) {
        QButtonGroup*& group = m_groups[groupName];
        if (!group) {
            group = new QButtonGroup(this);
            group->setExclusive(true);
        }
        button->setAutoExclusive(false);
        group->addButton(button);
    }
    const bool isCheckBox = qobject_cast<QCheckBox*>(button) != nullptr;
    connect(button, &QAbstractButton::pressed, this, [this, button, isCheckBox] {
        button->setProperty(kWasChecked, button->isChecked());
        if (isCheckBox)
            raise(button, notify::kCheckClick);
    });
    // Qt emits toggled before clicked; the contract wants "click" first, so both come from clicked.
    connect(button, &QAbstractButton::clicked, this, [this, button](bool checked) {
        QPointer<QAbstractButton> guard(button);
        raise(button, notify::kClick);
        if (!guard || !button->isCheckable())
            return;
        const bool was = button->property(kWasChecked).toBool();
        const bool grouped = button->group() != nullptr || button->autoExclusive();
        if (grouped ? (checked && !was) : (checked != was))
            raise(button, notify::kSelectChanged);
    });
}

void NotificationBridge::attachCombo(QComboBox* combo) {
    combo->setProperty(kComboBase, combo->currentIndex());
    combo->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, [this, combo](int index) {
        const int old = combo->property(kComboBase).toInt();
        combo->setProperty(kComboBase, index);
        if (index != old)
            raise(combo, notify::kItemSelect, index, old);
    });
}

void NotificationBridge::attachSlider(QAbstractSlider* slider) {
    connect(slider, &QAbstractSlider::sliderMoved, this,
            [this, slider] { raise(slider, notify::kMoveValueChanged); });
    connect(slider, &QAbstractSlider::sliderReleased, this,
            [this, slider] { raise(slider, notify::kValueChanged); });
    // actionTriggered comes before the value moves: remember that this change is the user's.
    connect(slider, &QAbstractSlider::actionTriggered, this, [slider](int action) {
        if (action != QAbstractSlider::SliderNoAction && !slider->isSliderDown() &&
            slider->sliderPosition() != slider->value())
            slider->setProperty(kSliderPending, true);
    });
    connect(slider, &QAbstractSlider::valueChanged, this, [this, slider] {
        if (!slider->property(kSliderPending).toBool())
            return;
        slider->setProperty(kSliderPending, false);
        raise(slider, notify::kValueChanged);
    });
}

void NotificationBridge::attachList(QListWidget* list) {
    list->setProperty(kListRow, list->currentRow());
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::currentRowChanged, this, [this, list](int row) {
        const int old = list->property(kListRow).toInt();
        list->setProperty(kListRow, row);
        if (!list->property(kListArmed).toBool())
            return;
        list->setProperty(kListArmed, false);
        raise(list, notify::kItemSelect, row, old);
    });
    auto rowSender = [list](QListWidgetItem* item) -> QWidget* {
        QWidget* row = item ? list->itemWidget(item) : nullptr;
        return row ? row : list;
    };
    connect(list, &QListWidget::itemPressed, this,
            [this, rowSender](QListWidgetItem* item) { raise(rowSender(item), notify::kItemClick); });
    connect(list, &QListWidget::itemActivated, this,
            [this, rowSender](QListWidgetItem* item) { raise(rowSender(item), notify::kItemActivate); });
}

bool NotificationBridge::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ContextMenu && watched->property("notifymenu").toBool()) {
        raise(static_cast<QWidget*>(watched), notify::kMenu);
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(watched)) {
        // The index before a user action is the "old" index of the change it makes.
        if (isUserInput(type))
            combo->setProperty(kComboBase, combo->currentIndex());
        return false;
    }
    if (isUserInput(type)) {
        QListWidget* list = qobject_cast<QListWidget*>(watched);
        if (!list && watched->parent())
            list = qobject_cast<QListWidget*>(watched->parent());
        if (list) {
            // The selection change this input makes, if any, happens while it is delivered.
            list->setProperty(kListArmed, true);
            QPointer<QListWidget> guard(list);
            QTimer::singleShot(0, list, [guard] {
                if (guard)
                    guard->setProperty(kListArmed, false);
            });
            return false;
        }
    }
    if ((type == QEvent::FocusIn || type == QEvent::FocusOut) && watched->property(kEditKind).toBool()) {
        raise(static_cast<QWidget*>(watched),
              type == QEvent::FocusIn ? notify::kSetFocus : notify::kKillFocus);
    }
    return false;
}

void NotificationBridge::setComboItemHidden(QComboBox* combo, int row, bool hidden) {
    if (!combo || row < 0 || row >= combo->count())
        return;
    if (auto* view = qobject_cast<QListView*>(combo->view()))
        view->setRowHidden(row, hidden);
    if (auto* model = qobject_cast<QStandardItemModel*>(combo->model())) {
        if (QStandardItem* item = model->item(row)) {
            Qt::ItemFlags flags = item->flags();
            item->setFlags(hidden ? flags & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable)
                                  : flags | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
    }
}

} // namespace v38
