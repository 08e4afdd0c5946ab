// A user action reported by a control: its type, the sending control and two values, plus the
// type names the controls raise.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace v38 {

struct Notification {
    QString type;
    QPointer<QWidget> sender;
    qintptr wParam = 0;
    qintptr lParam = 0;

    QString senderName() const { return sender ? sender->objectName() : QString(); }
};

namespace notify {
inline const QString kClick = QStringLiteral("click");
inline const QString kSelectChanged = QStringLiteral("selectchanged");
inline const QString kCheckClick = QStringLiteral("checkclick");
inline const QString kItemSelect = QStringLiteral("itemselect");
inline const QString kItemClick = QStringLiteral("itemclick");
inline const QString kItemActivate = QStringLiteral("itemactivate");
inline const QString kValueChanged = QStringLiteral("valuechanged");
inline const QString kMoveValueChanged = QStringLiteral("movevaluechanged");
inline const QString kTextChanged = QStringLiteral("textchanged");
inline const QString kReturn = QStringLiteral("return");
inline const QString kSetFocus = QStringLiteral("setfocus");
inline const QString kKillFocus = QStringLiteral("killfocus");
inline const QString kTimer = QStringLiteral("timer");
inline const QString kWindowInit = QStringLiteral("windowinit");
inline const QString kWindowSize = QStringLiteral("windowsize");
inline const QString kMenu = QStringLiteral("menu");
inline const QString kDbClick = QStringLiteral("dbclick");
inline const QString kColorChanged = QStringLiteral("colorchanged");
inline const QString kMouseEnter = QStringLiteral("msenter");
inline const QString kMouseLeave = QStringLiteral("msleave");
inline const QString kClickSelectEnd = QStringLiteral("click_select_end");
} // namespace notify

} // namespace v38
