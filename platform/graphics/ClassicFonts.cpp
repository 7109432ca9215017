// Registration of the classic faces (see ClassicFonts.h).
#include "platform/graphics/ClassicFonts.h"

#include "platform/graphics/GuiApplication.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>

namespace {

// The files of the faces, as fonts-wine names them.
const char* const FaceFiles[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};

QSet<QString>& RegisteredFiles()
{
    static auto* Files = new QSet<QString>;
    return *Files;
}

QSet<QString>& RegisteredFamilies()
{
    static auto* Families = new QSet<QString>;
    return *Families;
}

// The dialog-font aliases of the classic desktop: the old one is the
// bitmap face, the newer one Tahoma.
void MapDialogAliases()
{
    if (RegisteredFamilies().contains(QStringLiteral("MS Sans Serif")))
        QFont::insertSubstitution(QStringLiteral("MS Shell Dlg"), QStringLiteral("MS Sans Serif"));
    if (RegisteredFamilies().contains(QStringLiteral("Tahoma")))
        QFont::insertSubstitution(QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Tahoma"));
}

} // namespace

String ClassicFontFolder()
{
    return QStringLiteral("/usr/share/wine/fonts");
}

QStringList RegisterClassicFonts(const String& Folder)
{
    QStringList Families;
    if (GuiApplication() == nullptr)
        return Families;
    const QDir Dir(Folder);
    for (const char* Name : FaceFiles) {
        const QString Path = QFileInfo(Dir.filePath(QLatin1String(Name))).absoluteFilePath();
        if (RegisteredFiles().contains(Path) || !QFileInfo::exists(Path))
            continue;
        const int Id = QFontDatabase::addApplicationFont(Path);
        if (Id < 0)
            continue;
        RegisteredFiles().insert(Path);
        for (const QString& Family : QFontDatabase::applicationFontFamilies(Id)) {
            RegisteredFamilies().insert(Family);
            if (!Families.contains(Family))
                Families.append(Family);
        }
    }
    MapDialogAliases();
    return Families;
}

void EnsureClassicFonts()
{
    static bool Done = false;
    if (Done || GuiApplication() == nullptr)
        return;
    Done = true;
    RegisterClassicFonts(ClassicFontFolder());
}

bool ClassicFontRegistered(const String& Family)
{
    return RegisteredFamilies().contains(Family);
}
