#pragma once
// The running application object, asked for by the kind a caller needs.
//
// A program may run on a bare QCoreApplication (the contact-file tools do)
// or on none at all.  Qt's qApp and qGuiApp macros cast the application to
// QApplication or QGuiApplication unchecked, which is undefined behaviour
// for a core application and lets it reach code that needs screens,
// cursors or widgets.  Code that would use those asks here first; without
// a GUI, cursors, screens and dialogs do nothing or give their defaults.
class QGuiApplication;

// The application as a GUI application, or nullptr when there is none or it
// is only a QCoreApplication.
QGuiApplication* GuiApplication();
// True when the application is a widget application (QApplication), which
// widgets, dialogs and menus need.
bool HasWidgetApplication();
