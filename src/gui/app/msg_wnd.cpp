#include "gui/app/msg_wnd.h"

#include "gui/app/window_layout.h"
#include "gui/ui/language_texts.h"

#include <QLabel>
#include <QPointer>

namespace v38 {

CMsgWnd::CMsgWnd(QWidget* parent) : WindowBase(parent) {
    setWindowFlag(Qt::Tool, parent != nullptr);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName("msgwnd");
}

void CMsgWnd::setDpi(int dpi) {
    m_dpi = validatedDpi(dpi, "MSG_WND DPI SET ERROR");
}

void CMsgWnd::notify(const Notification& n) {
    if (n.type == notify::kClick) {
        const QString name = n.senderName().toLower();
        if (name == "confirm_btn") {
            closeWindow(1);
            return;
        }
        if (name == "cancel_btn") {
            closeWindow(0);
            return;
        }
        if (name == "minbtn")
            sendMessage(msg::kSysCommand, msg::kScMinimize);
        else if (name == "maxbtn")
            sendMessage(msg::kSysCommand, msg::kScMaximize);
        else if (name == "restorebtn")
            sendMessage(msg::kSysCommand, msg::kScRestore);
    }
    WindowBase::notify(n);
}

int ShowMessageBox(QWidget* parent, const QString& title, const QString& text, int dpi, bool textIsResourceId,
                   int buttons) {
    // On the heap and guarded: the parent may go away while the box's loop runs.
    QPointer<CMsgWnd> box = new CMsgWnd(parent);
    if (!box->loadLayout("XML_MSG")) {
        delete box;
        return 0;
    }
    if (!title.isEmpty()) {
        if (auto* label = box->findControlAs<QLabel>("MessageTitle"))
            label->setText(title);
    }
    if (!text.isEmpty()) {
        if (auto* label = box->findControlAs<QLabel>("MessageText")) {
            if (textIsResourceId)
                setControlTextId(label, text);
            else
                label->setText(text);
        }
    }
    box->setDpi(dpi);
    if (QWidget* cancel = box->findControl("cancel_btn"))
        cancel->setVisible(buttons == kMsgButtonsConfirmCancel);
    if (QWidget* confirm = box->findControl("confirm_btn"))
        confirm->setFocus();
    const int result = box->showModal();
    delete box;
    return result;
}

} // namespace v38
