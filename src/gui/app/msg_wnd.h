// The message box: a modal question with a title and a text (or a text id), answered by the
// confirm button (1), the cancel button or the close button (0).
#pragma once

#include "gui/ui/window_base.h"

namespace v38 {

class CMsgWnd : public WindowBase {
    Q_OBJECT
public:
    explicit CMsgWnd(QWidget* parent = nullptr);
    QString windowClassName() const override { return QStringLiteral("MsgWnd"); }
    int dpi() const { return m_dpi; }
    void setDpi(int dpi);

protected:
    void notify(const Notification& notification) override;

private:
    int m_dpi = 96;
};

// Buttons: 0 shows only the confirm button, 1 confirm and cancel.
constexpr int kMsgButtonsConfirm = 0;
constexpr int kMsgButtonsConfirmCancel = 1;

int ShowMessageBox(QWidget* parent, const QString& title, const QString& text, int dpi, bool textIsResourceId,
                   int buttons);

} // namespace v38
