// A window on the test layout that records what reaches it: notifications and messages.
#pragma once

#include "gui/ui/resource_paths.h"
#include "gui/ui/window_base.h"

#include <QColor>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace v38 {

// A program control: raises "colorchanged" with the picked colour.
class TestPalette : public QWidget {
public:
    using QWidget::QWidget;
    void pick(QRgb argb) {
        WindowBase::notifyFrom(this, notify::kColorChanged, static_cast<qintptr>(argb), 0);
    }
};

struct Seen {
    QString type;
    QString sender;
    qintptr wParam;
    qintptr lParam;
    bool operator==(const Seen&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << seen.type.toStdString() << "(" << seen.sender.toStdString() << ", " << seen.wParam << ", "
               << seen.lParam << ")";
}

class TestWindow : public WindowBase {
public:
    QString windowClassName() const override { return "TestWnd"; }

    std::vector<Seen> notes;
    std::vector<WindowMessage> messages;
    bool handleEverything = false;

    std::vector<Seen> take() {
        std::vector<Seen> out;
        out.swap(notes);
        return out;
    }

protected:
    void notify(const Notification& n) override {
        notes.push_back({n.type, n.senderName(), n.wParam, n.lParam});
        WindowBase::notify(n);
    }
    qintptr handleMessage(const WindowMessage& message, bool& handled) override {
        messages.push_back(message);
        handled = handleEverything;
        return 0;
    }
    QWidget* createControl(const QString& className, QWidget* parent) override {
        if (className.compare("TestPalette", Qt::CaseInsensitive) == 0)
            return new TestPalette(parent);
        if (className.compare("TestSubLayoutUI", Qt::CaseInsensitive) == 0)
            return loadSubLayout("XML\\TestSub.xml", parent);
        return nullptr;
    }
};

// Points the resource folder at the test skin for the test's duration.
class TestSkinFixture : public ::testing::Test {
protected:
    void SetUp() override { setResourceDir(QStringLiteral(V38_SOURCE_DIR "/tests/gui/ui")); }
    void TearDown() override { setResourceDir(QStringLiteral(V38_BINARY_DIR "/bin")); }
};

} // namespace v38
