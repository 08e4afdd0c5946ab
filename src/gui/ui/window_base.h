// The base of every window: its layout from a skin file, control lookup, notifications, control
// timers, window messages with a per-message hook, and modal runs with a close code.
#pragma once

#include "gui/ui/control_index.h"
#include "gui/ui/notification.h"
#include "gui/ui/ui_loader.h"
#include "gui/ui/window_message.h"

#include <QWidget>

#include <functional>

class QEventLoop;

namespace v38 {

class ControlTimers;
class NotificationBridge;

class WindowBase : public QWidget, protected ControlFactory {
    Q_OBJECT
public:
    explicit WindowBase(QWidget* parent = nullptr);
    ~WindowBase() override;

    virtual QString windowClassName() const = 0;

    // Builds the layout as the window's content, connects its controls and fills its texts. The
    // "windowinit" notification follows once, from the event loop. False when the layout is missing.
    bool loadLayout(const QString& layoutName);
    // Builds a sub-layout (no factory) for a control factory to return.
    QWidget* loadSubLayout(const QString& layoutName, QWidget* parent);
    // Connects controls added after the layout was built and refreshes the name index.
    void attachControls(QWidget* subtree);

    QWidget* root() const { return m_root; }
    QWidget* findControl(const QString& name);
    QWidget* findControl(QWidget* scope, const QString& name) const { return findControlIn(scope, name); }
    template <class T>
    T* findControlAs(const QString& name) {
        return qobject_cast<T*>(findControl(name));
    }

    // Notifications, dispatched to notify(): now, or from the event loop.
    void sendNotify(QWidget* sender, const QString& type, qintptr wParam = 0, qintptr lParam = 0);
    void postNotify(QWidget* sender, const QString& type, qintptr wParam = 0, qintptr lParam = 0);
    // Raises a notification at the window that holds the sender (program controls use this).
    static void notifyFrom(QWidget* sender, const QString& type, qintptr wParam = 0, qintptr lParam = 0);

    // One-shot timers. Bound to a control they raise "timer" with the id in wParam; bound to the
    // window itself (control null) they arrive as the timer message.
    void setTimer(QWidget* control, int id, int milliseconds);
    void killTimer(QWidget* control, int id);
    bool isTimerActive(QWidget* control, int id) const;

    // Window messages run through handleMessage() first, then the base's own handling.
    qintptr sendMessage(unsigned id, qintptr wParam = 0, qintptr lParam = 0, const QVariant& data = {});
    void postMessage(unsigned id, qintptr wParam = 0, qintptr lParam = 0, const QVariant& data = {});

    // Shows the window modal to the application and returns its close code.
    int showModal();
    // Ends the window (and its modal run) with a code. A window that is closed stays closed.
    void closeWindow(int code = 0);
    bool isClosed() const { return m_closed; }
    int closeCode() const { return m_closeCode; }
    void centerWindow();

    // Refills every text from the current language.
    void reloadTexts();

    // Gives a window's controls the program's fonts; called for every layout built (the font set
    // belongs to the application, which installs it).
    using FontApplier = std::function<void(QWidget* root)>;
    static void setFontApplier(FontApplier applier);

signals:
    void closed(int code);

protected:
    // The window's notification handling; call the base for its default click handling.
    virtual void notify(const Notification& notification);
    // The per-message hook: set handled to keep the base from seeing the message.
    virtual qintptr handleMessage(const WindowMessage& message, bool& handled);
    // The base's own message handling (close, destroy, system commands).
    virtual qintptr defaultMessage(const WindowMessage& message);

    QWidget* createControl(const QString& className, QWidget* parent) override;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void dispatchNotify(const Notification& notification);
    qintptr dispatchMessage(const WindowMessage& message);
    void finishClose();

    QWidget* m_root = nullptr;
    ControlIndex m_index;
    NotificationBridge* m_bridge = nullptr;
    ControlTimers* m_controlTimers = nullptr;
    ControlTimers* m_windowTimers = nullptr;
    QEventLoop* m_modalLoop = nullptr;
    bool m_closed = false;
    bool m_initPosted = false;
    int m_closeCode = 0;
};

} // namespace v38
