#include "platform/forms/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

String QtTranslationsPath()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool LoadDutchTranslations()
{
    static bool Loaded = false;
    if (Loaded)
        return true;
    QCoreApplication* App = QCoreApplication::instance();
    if (App == nullptr)
        return false;
    // "qt_nl" pulls in the Dutch files of every Qt module that has them.
    auto* Translator = new QTranslator(App);
    if (!Translator->load(QLocale(QLocale::Dutch, QLocale::Netherlands), QStringLiteral("qt"), QStringLiteral("_"),
                          QtTranslationsPath())) {
        delete Translator;
        return false;
    }
    QCoreApplication::installTranslator(Translator);
    Loaded = true;
    return true;
}
