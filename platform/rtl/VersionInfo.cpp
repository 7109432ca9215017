#include "platform/rtl/VersionInfo.h"

#include "platform/rtl/FileUtils.h"

#include <QFileInfo>
#include <optional>

namespace {

std::optional<TVersionResource>& ProgramResource()
{
    static std::optional<TVersionResource> Resource;
    return Resource;
}

bool IsRunningProgram(const String& FileName)
{
    if (FileName.isEmpty())
        return false;
    const String Mine = QFileInfo(ProgramFileName()).canonicalFilePath();
    return !Mine.isEmpty() && QFileInfo(FileName).canonicalFilePath() == Mine;
}

String Hex4(std::uint16_t Value)
{
    return QStringLiteral("%1").arg(Value, 4, 16, QLatin1Char('0'));
}

} // namespace

void RegisterVersionResource(const TVersionResource& Resource)
{
    ProgramResource() = Resource;
}

std::uint32_t GetFileVersionInfoSize(const String& FileName)
{
    if (!IsRunningProgram(FileName) || !ProgramResource())
        return 0;
    // The classic block holds every string as UTF-16 with its name and a
    // small header; the size only has to be honest about being non-zero.
    std::uint32_t Size = 92;
    for (const auto& [Name, Value] : ProgramResource()->Strings)
        Size += std::uint32_t(2 * (Name.size() + Value.size() + 2) + 6);
    return Size;
}

bool GetFileVersionInfo(const String& FileName, TVersionResource& Block)
{
    if (GetFileVersionInfoSize(FileName) == 0)
        return false;
    Block = *ProgramResource();
    return true;
}

bool VerQueryTranslation(const TVersionResource& Block, std::uint16_t& Language, std::uint16_t& CodePage)
{
    Language = Block.Language;
    CodePage = Block.CodePage;
    return true;
}

bool VerQueryValue(const TVersionResource& Block, const String& SubBlock, String& Value)
{
    const String Prefix = QStringLiteral("\\StringFileInfo\\") + Hex4(Block.Language) + Hex4(Block.CodePage) +
                          QLatin1Char('\\');
    if (!SubBlock.startsWith(Prefix, Qt::CaseInsensitive))
        return false;
    const String Name = SubBlock.mid(Prefix.size());
    for (const auto& [Key, Text] : Block.Strings)
        if (Key.compare(Name, Qt::CaseInsensitive) == 0) {
            Value = Text;
            return true;
        }
    return false;
}
