#include "gui/ui/window_base.h"

#include "gui/ui/control_timers.h"
#include "gui/ui/language_texts.h"
#include "gui/ui/notification_bridge.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace v38 {

namespace {
const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

WindowBase::FontApplier& fontApplier() {
    static WindowBase::FontApplier applier;
    return applier;
}

class MessageEvent : public QEvent {
public:
    explicit MessageEvent(WindowMessage message) : QEvent(kMessageEvent), message(std::move(message)) {}
    WindowMessage message;
};
} // namespace

WindowBase::WindowBase(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    m_bridge = new NotificationBridge([this](const Notification& n) { dispatchNotify(n); }, this);
    m_controlTimers = new ControlTimers(
        [this](QWidget* control, int id) {
            dispatchNotify(Notification{notify::kTimer, control, id, 0});
        },
        this);
    // Window timers share the machinery, keyed on the window itself.
    m_windowTimers = new ControlTimers(
        [this](QWidget*, int id) {
            dispatchMessage(WindowMessage{msg::kTimer, id, 0, {}});
        },
        this);
}

WindowBase::~WindowBase() {
    // Hiding during destruction moves the focus; nothing may reach the half-destroyed window.
    m_closed = true;
    delete m_bridge;
    m_bridge = nullptr;
}

bool WindowBase::loadLayout(const QString& layoutName) {
    UiLoader loader(this);
    QWidget* root = loader.loadLayout(layoutName, this);
    if (!root)
        return false;
    if (root->objectName().isEmpty())
        root->setObjectName("root");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(root);
    m_root = root;
    // The layout's own size is the window's size.
    resize(root->size());
    m_index.setScope(this);
    attachControls(root);
    LanguageTexts::current().apply(this);
    if (fontApplier())
        fontApplier()(this);
    if (!m_initPosted) {
        m_initPosted = true;
        QPointer<WindowBase> guard(this);
        QMetaObject::invokeMethod(
            this,
            [guard] {
                if (guard && !guard->m_closed)
                    guard->sendNotify(guard->m_root, notify::kWindowInit);
            },
            Qt::QueuedConnection);
    }
    return true;
}

QWidget* WindowBase::loadSubLayout(const QString& layoutName, QWidget* parent) {
    UiLoader loader(nullptr);
    return loader.loadLayout(layoutName, parent);
}

void WindowBase::attachControls(QWidget* subtree) {
    if (!m_bridge || !subtree)
        return;
    m_bridge->attach(subtree);
    m_index.invalidate();
    // Captions move the frameless window.
    QList<QWidget*> widgets = subtree->findChildren<QWidget*>();
    widgets.prepend(subtree);
    for (QWidget* widget : widgets)
        if (widget->property("caption").toBool())
            widget->installEventFilter(this);
}

QWidget* WindowBase::findControl(const QString& name) {
    return m_index.find(name);
}

void WindowBase::dispatchNotify(const Notification& notification) {
    if (m_closed && notification.type != notify::kTimer)
        return;
    notify(notification);
}

void WindowBase::notify(const Notification& notification) {
    if (notification.type == notify::kClick &&
        notification.senderName().compare("closebtn", Qt::CaseInsensitive) == 0)
        closeWindow(0);
}

void WindowBase::sendNotify(QWidget* sender, const QString& type, qintptr wParam, qintptr lParam) {
    dispatchNotify(Notification{type, sender, wParam, lParam});
}

void WindowBase::postNotify(QWidget* sender, const QString& type, qintptr wParam, qintptr lParam) {
    QPointer<WindowBase> guard(this);
    QPointer<QWidget> senderGuard(sender);
    QMetaObject::invokeMethod(
        this,
        [guard, senderGuard, type, wParam, lParam] {
            if (guard)
                guard->dispatchNotify(Notification{type, senderGuard, wParam, lParam});
        },
        Qt::QueuedConnection);
}

void WindowBase::notifyFrom(QWidget* sender, const QString& type, qintptr wParam, qintptr lParam) {
    for (QWidget* widget = sender; widget; widget = widget->parentWidget()) {
        if (auto* window = qobject_cast<WindowBase*>(widget)) {
            window->sendNotify(sender, type, wParam, lParam);
            return;
        }
    }
}

void WindowBase::setTimer(QWidget* control, int id, int milliseconds) {
    if (!control || control == this)
        m_windowTimers->set(this, id, milliseconds);
    else
        m_controlTimers->set(control, id, milliseconds);
}

void WindowBase::killTimer(QWidget* control, int id) {
    if (!control || control == this)
        m_windowTimers->kill(this, id);
    else
        m_controlTimers->kill(control, id);
}

bool WindowBase::isTimerActive(QWidget* control, int id) const {
    if (!control || control == this)
        return m_windowTimers->isActive(const_cast<WindowBase*>(this), id);
    return m_controlTimers->isActive(control, id);
}

qintptr WindowBase::sendMessage(unsigned id, qintptr wParam, qintptr lParam, const QVariant& data) {
    return dispatchMessage(WindowMessage{id, wParam, lParam, data});
}

void WindowBase::postMessage(unsigned id, qintptr wParam, qintptr lParam, const QVariant& data) {
    QCoreApplication::postEvent(this, new MessageEvent(WindowMessage{id, wParam, lParam, data}));
}

qintptr WindowBase::dispatchMessage(const WindowMessage& message) {
    bool handled = false;
    const qintptr result = handleMessage(message, handled);
    if (handled)
        return result;
    return defaultMessage(message);
}

qintptr WindowBase::handleMessage(const WindowMessage&, bool& handled) {
    handled = false;
    return 0;
}

qintptr WindowBase::defaultMessage(const WindowMessage& message) {
    switch (message.id) {
    case msg::kClose:
        if (!m_closed) {
            m_closeCode = static_cast<int>(message.wParam);
            finishClose();
        }
        return 0;
    case msg::kSysCommand:
        switch (message.wParam) {
        case msg::kScMinimize:
            showMinimized();
            break;
        case msg::kScMaximize:
            showMaximized();
            break;
        case msg::kScRestore:
            showNormal();
            break;
        case msg::kScClose:
            // The system close of any window ends that window only.
            closeWindow(0);
            break;
        default:
            break;
        }
        return 0;
    default:
        return 0;
    }
}

void WindowBase::closeWindow(int code) {
    if (m_closed)
        return;
    sendMessage(msg::kClose, code);
}

void WindowBase::finishClose() {
    m_closed = true;
    m_controlTimers->killAll();
    m_windowTimers->killAll();
    hide();
    if (m_modalLoop)
        m_modalLoop->quit();
    sendMessage(msg::kDestroy);
    emit closed(m_closeCode);
}

int WindowBase::showModal() {
    if (m_closed)
        return m_closeCode;
    setWindowModality(Qt::ApplicationModal);
    centerWindow();
    show();
    QEventLoop loop;
    m_modalLoop = &loop;
    if (!m_closed)
        loop.exec();
    m_modalLoop = nullptr;
    return m_closeCode;
}

void WindowBase::centerWindow() {
    QScreen* screen = nullptr;
    if (QWidget* owner = parentWidget())
        screen = owner->window()->screen();
    if (!screen)
        screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void WindowBase::setFontApplier(FontApplier applier) {
    fontApplier() = std::move(applier);
}

void WindowBase::reloadTexts() {
    LanguageTexts::current().apply(this);
}

QWidget* WindowBase::createControl(const QString&, QWidget*) {
    return nullptr;
}

bool WindowBase::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
        sendMessage(msg::kActivate, 1);
        break;
    case QEvent::WindowDeactivate:
        sendMessage(msg::kActivate, 0);
        break;
    case QEvent::Enter:
        sendMessage(msg::kMouseHover);
        break;
    case QEvent::Leave:
        sendMessage(msg::kMouseLeave);
        break;
    default:
        if (event->type() == kMessageEvent) {
            dispatchMessage(static_cast<MessageEvent*>(event)->message);
            return true;
        }
        break;
    }
    return QWidget::event(event);
}

bool WindowBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        watched->property("caption").toBool()) {
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
    }
    return QWidget::eventFilter(watched, event);
}

void WindowBase::closeEvent(QCloseEvent* event) {
    // A close asked for by the desktop goes the way of the system close command.
    if (!m_closed) {
        event->ignore();
        sendMessage(msg::kSysCommand, msg::kScClose);
        if (!m_closed)
            return;
    }
    event->accept();
}

void WindowBase::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_root && !m_closed)
        sendNotify(m_root, notify::kWindowSize);
}

} // namespace v38
