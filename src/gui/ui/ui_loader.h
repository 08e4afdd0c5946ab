// Builds control trees from the skin's .ui layouts. The owning window's control factory is asked
// first for every class name, so program classes and sub-layouts come from the window; Qt's classes
// are the fallback.
#pragma once

#include <QString>
#include <QUiLoader>

namespace v38 {

class ControlFactory {
public:
    virtual ~ControlFactory() = default;
    // A new control for the class name (compared without regard to case), or null for "not mine".
    virtual QWidget* createControl(const QString& className, QWidget* parent) = 0;
};

class UiLoader : public QUiLoader {
public:
    explicit UiLoader(ControlFactory* factory = nullptr);

    // Builds the layout with that program name (see layoutFilePath) under parent; null when the file
    // is missing or malformed.
    QWidget* loadLayout(const QString& layoutName, QWidget* parent);
    QWidget* loadFile(const QString& path, QWidget* parent);

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override;

private:
    ControlFactory* m_factory;
};

} // namespace v38
