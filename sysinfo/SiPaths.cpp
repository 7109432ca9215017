#include "sysinfo/SiPaths.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/FileUtils.h"
#include "sysinfo/SiStrings.h"

REGISTER_ENUM(TSiPathPrefix, ppWindows, ppSystem, ppProgram, ppFixed)

namespace {

String PrefixFolder(TSiPathPrefix Prefix)
{
    switch (Prefix) {
    case ppWindows:
        return UserConfigFolder();
    case ppSystem:
        return QStringLiteral("/usr/lib");
    case ppProgram:
        return ProgramFolder();
    case ppFixed:
        break;
    }
    return String();
}

} // namespace

String GetSiPath(TSiPathPrefix Prefix, bool WithBackslash)
{
    const String Folder = PrefixFolder(Prefix);
    if (Folder.isEmpty())
        return Folder;
    return WithBackslash ? IncludeTrailingBackslashStr(Folder) : ExcludeTrailingBackslashStr(Folder);
}

String SiCompleteFileName(const String& Name, TSiPathPrefix Prefix, const String& DefaultExt)
{
    String Result = Name.isEmpty() ? ChangeFileExt(ProgramFileName(), DefaultExt) : Name;
    if (ExtractFileExt(Result).isEmpty())
        Result += DefaultExt;
    if (Prefix != ppFixed)
        Result = GetSiPath(Prefix, true) + ExtractFileName(Result);
    return Result;
}
