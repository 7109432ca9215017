#include "platform/graphics/GuiApplication.h"

#include <QGuiApplication>

QGuiApplication* GuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

bool HasWidgetApplication()
{
    // By class name: this layer does not link the widgets library.
    const QCoreApplication* App = QCoreApplication::instance();
    return App != nullptr && App->inherits("QApplication");
}
