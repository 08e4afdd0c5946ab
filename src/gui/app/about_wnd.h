// The about window: product name and software version; modal, one at a time.
#pragma once

#include "gui/ui/window_base.h"

namespace v38 {

class CAboutWnd : public WindowBase {
    Q_OBJECT
public:
    explicit CAboutWnd(QWidget* parent = nullptr);
    QString windowClassName() const override { return QStringLiteral("AboutWnd"); }
    bool create();

protected:
    void notify(const Notification& notification) override;
    qintptr handleMessage(const WindowMessage& message, bool& handled) override;

private:
    void fillVersion();
};

} // namespace v38
