#include "platform/graphics/ThemeIcons.h"

#include "platform/graphics/GuiApplication.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QSet>
#include <QStringList>
#include <QtGlobal>

String IconThemeName()
{
    return QStringLiteral("Tango");
}

void SelectIconTheme()
{
    // Without a desktop's platform theme (the tests' offscreen platform)
    // Qt knows no folders to look in: the freedesktop ones are added.
    QStringList Paths = QIcon::themeSearchPaths();
    QStringList DataDirs = qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (DataDirs.isEmpty())
        DataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    bool Added = false;
    for (const QString& Dir : DataDirs) {
        const QString Icons = Dir + QStringLiteral("/icons");
        if (!Paths.contains(Icons)) {
            Paths << Icons;
            Added = true;
        }
    }
    if (Added)
        QIcon::setThemeSearchPaths(Paths);
    if (QIcon::themeName() != IconThemeName())
        QIcon::setThemeName(IconThemeName());
}

QImage ThemeIconImage(const String& Name, int Width, int Height)
{
    if (GuiApplication() == nullptr || Name.isEmpty() || Width <= 0 || Height <= 0)
        return QImage();
    SelectIconTheme();
    const QIcon Icon = QIcon::fromTheme(Name);
    if (Icon.isNull())
        return QImage();
    const QImage Found = Icon.pixmap(QSize(Width, Height), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    if (Found.isNull())
        return QImage();
    if (Found.size() == QSize(Width, Height))
        return Found;
    // A smaller icon sits in the middle of the cell, as the theme draws it.
    QImage Cell(Width, Height, QImage::Format_ARGB32);
    Cell.fill(Qt::transparent);
    QPainter P(&Cell);
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage((Width - Found.width()) / 2, (Height - Found.height()) / 2, Found);
    P.end();
    return Cell;
}

QImage DefinitionIconImage(const String& Name, int Width, int Height)
{
    QImage Image = ThemeIconImage(Name, Width, Height);
    static QSet<String> Warned;
    if (Image.isNull() && !Warned.contains(Name)) {
        Warned.insert(Name);
        qWarning("The icon \"%s\" is not in the icon theme %s: its image stays empty.", qUtf8Printable(Name),
                 qUtf8Printable(IconThemeName()));
    }
    return Image;
}
