// The version component reads the strings the build compiled into the
// running program (this test program) and nothing for any other file.
#include "controls/foundation/FcVersionInfo.h"
#include "platform/classes/DataModule.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/VersionInfo.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class TVersionTestModule : public TDataModule {
public:
    explicit TVersionTestModule(TComponent* AOwner) : TDataModule(AOwner) {}
};

using TVersionPtr = std::unique_ptr<TFcVersionInfo, TComponentDeleter>;
using TModulePtr = std::unique_ptr<TVersionTestModule, TComponentDeleter>;

QStringList AllStrings(const TFcVersionInfo& V)
{
    QStringList S;
    for (int I = 0; I < 10; ++I)
        S << V.GetVersionString(I);
    return S;
}

const QStringList NotAvailable(10, QStringLiteral("Value Not Available"));

// Puts the program's own resource back when a test replaced it.
class TResourceGuard {
public:
    TResourceGuard() { FHad = GetFileVersionInfo(ProgramFileName(), FSaved); }
    ~TResourceGuard()
    {
        if (FHad)
            RegisterVersionResource(FSaved);
    }

private:
    bool FHad = false;
    TVersionResource FSaved;
};

TModulePtr ReadModule(const QByteArray& Text)
{
    TModulePtr M(new TVersionTestModule(nullptr));
    ReadComponentFromText(Text, M.get(), QStringLiteral("version.form"));
    return M;
}

} // namespace

REGISTER_COMPONENT(TVersionTestModule, TDataModule)
END_REGISTER

TEST(VersionInfo, TheRunningProgramsStringsFromTheBuild)
{
    TVersionPtr V(new TFcVersionInfo(nullptr));
    EXPECT_TRUE(V->HasVersionInfo());
    EXPECT_TRUE(V->FilePath().isEmpty()); // empty stands for the running program
    EXPECT_EQ(V->GetVersionString(TFcVersionInfo::viProductVersion), QStringLiteral(QV_PROJECT_VERSION));
    EXPECT_TRUE(V->GetVersionString(TFcVersionInfo::viFileVersion).startsWith(QStringLiteral(QV_PROJECT_VERSION ".")));
    EXPECT_FALSE(V->GetVersionString(TFcVersionInfo::viFileDescription).isEmpty());
    // Names the build's table leaves out, Comments among them, are empty.
    EXPECT_EQ(V->GetVersionString(TFcVersionInfo::viComments), QString());
    EXPECT_EQ(V->GetVersionString(TFcVersionInfo::viCompanyName), QString());
    EXPECT_THROW(V->GetVersionString(10), EListError);
    EXPECT_THROW(V->GetVersionString(-1), EListError);
}

TEST(VersionInfo, AnyOtherFileHasNoVersionInformation)
{
    TTestDir Dir;
    ASSERT_TRUE(WriteRaw(Dir.File("other"), "MZ not a program of ours"));
    for (const QString& Path : {Dir.File("other"), Dir.File("missing"), QStringLiteral("/")}) {
        TVersionPtr V(new TFcVersionInfo(nullptr));
        V->SetFilePath(Path);
        EXPECT_FALSE(V->HasVersionInfo()) << Path.toStdString();
        EXPECT_EQ(AllStrings(*V), NotAvailable);
    }
}

TEST(VersionInfo, ChangingThePathReadsAtOnce)
{
    TVersionPtr V(new TFcVersionInfo(nullptr));
    const QString Description = V->GetVersionString(TFcVersionInfo::viFileDescription);
    V->SetFilePath(QStringLiteral("/nonexistent/program"));
    EXPECT_EQ(AllStrings(*V), NotAvailable);
    V->SetFilePath(QString());
    EXPECT_TRUE(V->FilePath().isEmpty());
    EXPECT_EQ(V->GetVersionString(TFcVersionInfo::viFileDescription), Description);
}

TEST(VersionInfo, StringsOfTheResourcesTranslation)
{
    TResourceGuard Guard;
    TVersionResource R;
    R.Language = 0x0409;
    R.CodePage = 0x04B0;
    R.Strings = {{"CompanyName", "Brouwerij"}, {"comments", "lower-case key"}, {"LegalCopyright", "© 2023"}};
    RegisterVersionResource(R);
    TVersionPtr V(new TFcVersionInfo(nullptr));
    EXPECT_EQ(AllStrings(*V),
              QStringList({"Brouwerij", "", "", "", "© 2023", "", "", "", "", "lower-case key"}));
    // The key prefix holds the translation in lower-case hexadecimal.
    String Value;
    EXPECT_TRUE(VerQueryValue(R, "\\StringFileInfo\\040904b0\\CompanyName", Value));
    EXPECT_FALSE(VerQueryValue(R, "\\StringFileInfo\\041304e4\\CompanyName", Value));
}

TEST(VersionInfo, StreamsWithDefaultsAndRoundTrips)
{
    // A fresh component writes nothing of its own: the program's path is
    // not stored.
    TModulePtr M(new TVersionTestModule(nullptr));
    auto* V = new TFcVersionInfo(M.get());
    V->SetName("VersionInfo");
    const QByteArray Fresh = WriteComponentToText(M.get());
    EXPECT_FALSE(Fresh.contains("FilePath"));
    EXPECT_TRUE(IsPublishedProp(V, "FilePath"));

    // Another file's path is written, read back (and read once loaded),
    // and written again the same.
    V->SetFilePath(QStringLiteral("/opt/other/program"));
    const QByteArray First = WriteComponentToText(M.get());
    EXPECT_TRUE(First.contains("FilePath = '/opt/other/program'"));
    TModulePtr Back = ReadModule(First);
    auto* Read = dynamic_cast<TFcVersionInfo*>(Back->FindComponent("VersionInfo"));
    ASSERT_NE(Read, nullptr);
    EXPECT_EQ(Read->FilePath(), "/opt/other/program");
    EXPECT_EQ(AllStrings(*Read), NotAvailable);
    EXPECT_EQ(WriteComponentToText(Back.get()), First);

    TModulePtr Again = ReadModule(Fresh);
    auto* Own = dynamic_cast<TFcVersionInfo*>(Again->FindComponent("VersionInfo"));
    ASSERT_NE(Own, nullptr);
    EXPECT_TRUE(Own->HasVersionInfo());
    EXPECT_EQ(WriteComponentToText(Again.get()), Fresh);
}
