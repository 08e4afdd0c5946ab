#include "gui/app/about_wnd.h"

#include "core/update/update_product_table.h"
#include "gui/app/window_layout.h"
#include "gui/ui/language_texts.h"

#include <QLabel>

namespace v38 {

CAboutWnd::CAboutWnd(QWidget* parent) : WindowBase(parent) {
    setWindowFlag(Qt::Tool, parent != nullptr);
    setWindowTitle("  ");
}

bool CAboutWnd::create() {
    if (!loadLayout("AboutWnd.xml"))
        return false;
    resize(kCreateWidth, kCreateHeight);
    fillVersion();
    return true;
}

void CAboutWnd::fillVersion() {
    // The key's text comes back through the hidden label, as every localised text with a value does.
    auto* probe = findControlAs<QLabel>("text_test");
    auto* label = findControlAs<QLabel>("software_ver_label");
    if (!label)
        return;
    QString prefix = LanguageTexts::current().text("software_rev_text");
    if (probe) {
        setControlTextId(probe, "software_rev_text");
        prefix = probe->text();
    }
    label->setText(prefix + QString::fromStdString(applicationUpdateProduct().versionText));
}

void CAboutWnd::notify(const Notification& n) {
    if (n.type == notify::kClick) {
        const QString name = n.senderName().toLower();
        if (name == "minbtn")
            sendMessage(msg::kSysCommand, msg::kScMinimize);
        else if (name == "maxbtn")
            sendMessage(msg::kSysCommand, msg::kScMaximize);
        else if (name == "restorebtn")
            sendMessage(msg::kSysCommand, msg::kScRestore);
        // "homepage_btn" has no page to open.
    }
    WindowBase::notify(n);
}

qintptr CAboutWnd::handleMessage(const WindowMessage& message, bool& handled) {
    if (message.id == 3089) {
        reloadTexts();
        fillVersion();
        update();
        handled = true;
    }
    return 0;
}

} // namespace v38
