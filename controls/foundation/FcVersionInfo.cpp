#include "controls/foundation/FcVersionInfo.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/VersionInfo.h"

#include <QFileInfo>

REGISTER_COMPONENT(TFcVersionInfo, TComponent)
    PUBLISHED_STORED(FilePath, String(), &TFcVersionInfo::IsFilePathStored)
END_REGISTER

TFcVersionInfo::TFcVersionInfo(TComponent* AOwner) : TComponent(AOwner), FStrings(std::make_unique<TStringList>())
{
    if (!ComponentState().Contains(csDesigning))
        ReadVersionStrings();
}

TFcVersionInfo::~TFcVersionInfo() = default;

const QStringList& TFcVersionInfo::VersionKeys()
{
    static const QStringList Keys = {
        QStringLiteral("CompanyName"),      QStringLiteral("FileDescription"), QStringLiteral("FileVersion"),
        QStringLiteral("InternalName"),     QStringLiteral("LegalCopyright"),  QStringLiteral("LegalTrademarks"),
        QStringLiteral("OriginalFilename"), QStringLiteral("ProductName"),     QStringLiteral("ProductVersion"),
        QStringLiteral("Comments")};
    return Keys;
}

void TFcVersionInfo::SetFilePath(const String& Value)
{
    if (FFilePath == Value)
        return;
    FFilePath = Value;
    if (!ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading))
        ReadVersionStrings();
}

String TFcVersionInfo::GetVersionString(int Index) const
{
    return FStrings->Strings(Index);
}

void TFcVersionInfo::Loaded()
{
    TComponent::Loaded();
    if (!ComponentState().Contains(csDesigning))
        ReadVersionStrings();
}

bool TFcVersionInfo::IsFilePathStored() const
{
    if (FFilePath.isEmpty())
        return false;
    return QFileInfo(FFilePath).canonicalFilePath() != QFileInfo(ProgramFileName()).canonicalFilePath();
}

void TFcVersionInfo::ReadVersionStrings()
{
    // An empty path stands for the running program; FilePath itself stays
    // empty, so a form definition never records this machine's program path.
    const String Path = FFilePath.isEmpty() ? ProgramFileName() : FFilePath;
    TVersionResource Block;
    FHasVersionInfo = GetFileVersionInfoSize(Path) > 0 && GetFileVersionInfo(Path, Block);
    QStringList Values;
    if (FHasVersionInfo) {
        // The strings of the first translation; without one every lookup
        // misses and the strings stay empty.
        std::uint16_t Language = 0, CodePage = 0;
        String Prefix = QStringLiteral("\\StringFileInfo\\");
        if (VerQueryTranslation(Block, Language, CodePage))
            Prefix += QStringLiteral("%1%2").arg(Language, 4, 16, QLatin1Char('0')).arg(CodePage, 4, 16, QLatin1Char('0'));
        Prefix += QLatin1Char('\\');
        for (const String& Key : VersionKeys()) {
            String Value;
            Values << (VerQueryValue(Block, Prefix + Key, Value) ? Value : String());
        }
    } else {
        for (int I = 0; I < VersionKeys().size(); ++I)
            Values << QStringLiteral("Value Not Available");
    }
    FStrings->Clear();
    for (const String& V : Values)
        FStrings->Add(V);
}
