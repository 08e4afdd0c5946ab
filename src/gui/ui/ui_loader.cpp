#include "gui/ui/ui_loader.h"

#include "core/platform/debug_log.h"
#include "gui/ui/resource_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace v38 {

UiLoader::UiLoader(ControlFactory* factory) : m_factory(factory) {
    setWorkingDirectory(QDir(skinDir()));
}

QWidget* UiLoader::loadLayout(const QString& layoutName, QWidget* parent) {
    return loadFile(layoutFilePath(layoutName), parent);
}

QWidget* UiLoader::loadFile(const QString& path, QWidget* parent) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        debugOutput("layout missing: " + path.toStdString());
        return nullptr;
    }
    // Image paths inside a layout are relative to the skin folder.
    setWorkingDirectory(QFileInfo(path).absoluteDir());
    QDir skin(skinDir());
    if (skin.exists())
        setWorkingDirectory(skin);
    QWidget* root = load(&file, parent);
    if (!root)
        debugOutput("layout unreadable: " + path.toStdString() + ": " + errorString().toStdString());
    return root;
}

QWidget* UiLoader::createWidget(const QString& className, QWidget* parent, const QString& name) {
    if (m_factory) {
        if (QWidget* control = m_factory->createControl(className, parent)) {
            if (control->parent() != parent && parent)
                control->setParent(parent);
            control->setObjectName(name);
            return control;
        }
    }
    return QUiLoader::createWidget(className, parent, name);
}

} // namespace v38
