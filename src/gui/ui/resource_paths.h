// Where the program finds its skin, DefaultData and Font folders: beside the executable in a build,
// $prefix/share/v38-device when installed; tests may point it elsewhere.
#pragma once

#include <QString>

namespace v38 {

QString resourceDir();
// Overrides the folder (an empty path restores the default).
void setResourceDir(const QString& path);

QString skinDir();
QString defaultDataDir();
QString fontDir();

// A layout named as the program names it ("XML_MAIN", "XML\CustomControlXML\DeviceProfile.xml") as
// the skin file that holds it: '/' separators and the ".ui" extension.
QString layoutFilePath(const QString& layoutName);
// A menu file ("menu.xml", "XML\Menus\macro_action_menu.xml") keeps its name, with '/' separators.
QString menuFilePath(const QString& menuName);

} // namespace v38
