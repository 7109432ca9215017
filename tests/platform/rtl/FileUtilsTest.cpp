#include "platform/rtl/FileUtils.h"

#include "platform/rtl/Exceptions.h"
#include "tests/support/AtomicSaves.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList FindAll(const QString& Pattern, int Attr)
{
    QStringList Names;
    TSearchRec F;
    for (int R = FindFirst(Pattern, Attr, F); R == 0; R = FindNext(F))
        Names << F.Name;
    FindClose(F);
    return Names;
}

}  // namespace

TEST(FileUtils, PathPartsFollowTheClassicRules)
{
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileExt("/a/b/c.txt"), ".txt");
    EXPECT_EQ(ExtractFilePath("c.txt"), "");
    EXPECT_EQ(ExtractFileDir("/c.txt"), "/");
    EXPECT_EQ(ExtractFileName("/a/b/"), "");
    // A dot in a folder name is no extension.
    EXPECT_EQ(ExtractFileExt("/a.d/readme"), "");
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("/a.d/readme", ".txt"), "/a.d/readme.txt");
    EXPECT_EQ(ChangeFileExt("/a/data.quorvy", ".bak"), "/a/data.bak");
    EXPECT_EQ(ChangeFileExt("/a/data.quorvy", ""), "/a/data");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(PathDelim, QLatin1Char('/'));
}

TEST(FileUtils, ExpandFileNameResolvesDots)
{
    EXPECT_EQ(ExpandFileName("/a/./b/../c.txt"), "/a/c.txt");
    EXPECT_EQ(ExpandFileName("x.txt"), QDir::currentPath() + "/x.txt");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
}

TEST(FileUtils, FilesAndFolders)
{
    TTestDir Dir;
    const QString Deep = Dir.File("one/two/three");
    EXPECT_FALSE(DirectoryExists(Deep));
    EXPECT_TRUE(ForceDirectories(Deep + "/"));
    EXPECT_TRUE(DirectoryExists(Deep));
    EXPECT_FALSE(FileExists(Deep));  // a folder is not a file
    EXPECT_TRUE(ForceDirectories(Deep));  // already there

    const QString File = Deep + "/data.quorvy";
    WriteRaw(File, "12345");
    EXPECT_TRUE(FileExists(File));
    EXPECT_EQ(FileSize(File), 5);
    EXPECT_EQ(FileSize(Dir.File("missing")), -1);
    EXPECT_EQ(FileAge(Dir.File("missing")), -1);

    // ForceDirectories cannot go through a file.
    EXPECT_FALSE(ForceDirectories(File + "/sub"));
    EXPECT_FALSE(RemoveDir(Deep));  // not empty
    EXPECT_FALSE(DeleteFile(Deep));  // never a folder
    EXPECT_TRUE(DeleteFile(File));
    EXPECT_FALSE(FileExists(File));
    EXPECT_FALSE(DeleteFile(File));
    EXPECT_TRUE(RemoveDir(Deep));
    EXPECT_TRUE(CreateDir(Deep));
    EXPECT_FALSE(CreateDir(Deep));
}

TEST(FileUtils, RenameNeverReplacesAnotherFile)
{
    TTestDir Dir;
    WriteRaw(Dir.File("a"), "old a");
    WriteRaw(Dir.File("b"), "old b");
    EXPECT_FALSE(RenameFile(Dir.File("a"), Dir.File("b")));
    EXPECT_EQ(ReadRaw(Dir.File("b")), "old b");
    EXPECT_TRUE(RenameFile(Dir.File("a"), Dir.File("c")));
    EXPECT_FALSE(FileExists(Dir.File("a")));
    EXPECT_EQ(ReadRaw(Dir.File("c")), "old a");
    EXPECT_FALSE(RenameFile(Dir.File("missing"), Dir.File("d")));
}

TEST(FileUtils, FileAgeIsTheModificationTime)
{
    TTestDir Dir;
    const QString File = Dir.File("f");
    WriteRaw(File, "x");
    struct timespec Times[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(File).constData(), Times, 0), 0);
    EXPECT_EQ(FileAge(File), 1700000000);
    TDateTime Stamp = 0;
    ASSERT_TRUE(FileAge(File, Stamp));
    const QDateTime Local = QDateTime::fromSecsSinceEpoch(1700000000).toLocalTime();
    EXPECT_EQ(YearOf(Stamp), Local.date().year());
    EXPECT_EQ(DayOf(Stamp), Local.date().day());
    EXPECT_FALSE(FileAge(Dir.File("missing"), Stamp));
}

TEST(FileUtils, FindFirstMatchesWildcardsWithoutCase)
{
    TTestDir Dir;
    WriteRaw(Dir.File("Familie.QUORVY"), "1");
    WriteRaw(Dir.File("werk.quorvy"), "12");
    WriteRaw(Dir.File("werk.quorvy.bak"), "");
    WriteRaw(Dir.File("notes.txt"), "");
    WriteRaw(Dir.File(".hidden.quorvy"), "");
    ASSERT_TRUE(CreateDir(Dir.File("map.quorvy")));

    EXPECT_EQ(FindAll(Dir.File("*.quorvy"), faAnyFile & ~faDirectory & ~faHidden),
              QStringList({"Familie.QUORVY", "werk.quorvy"}));
    EXPECT_EQ(FindAll(Dir.File("*.quorvy"), faAnyFile),
              QStringList({".hidden.quorvy", "Familie.QUORVY", "map.quorvy", "werk.quorvy"}));
    EXPECT_EQ(FindAll(Dir.File("w?rk.*"), 0), QStringList({"werk.quorvy", "werk.quorvy.bak"}));
    EXPECT_EQ(FindAll(Dir.File("*.*"), faDirectory).size(), 5);
    EXPECT_TRUE(FindAll(Dir.File("*.xyz"), faAnyFile).isEmpty());

    TSearchRec F;
    ASSERT_EQ(FindFirst(Dir.File("werk.QUORVY"), faAnyFile, F), 0);
    EXPECT_EQ(F.Name, "werk.quorvy");
    EXPECT_EQ(F.Size, 2);
    EXPECT_EQ(F.Attr & faDirectory, 0);
    EXPECT_NE(FindNext(F), 0);
    FindClose(F);
    ASSERT_EQ(FindFirst(Dir.File("map.*"), faDirectory, F), 0);
    EXPECT_NE(F.Attr & faDirectory, 0);
    FindClose(F);
    EXPECT_NE(FindFirst(Dir.File("nope/*"), faAnyFile, F), 0);
}

TEST(FileUtils, MatchesMaskTreatsOtherCharactersLiterally)
{
    EXPECT_TRUE(MatchesMask("a+b (1).txt", "a+b (?).TXT"));
    EXPECT_FALSE(MatchesMask("axb.txt", "a.b.txt"));
    EXPECT_FALSE(MatchesMask("data.quorvy1", "*.quorvy"));
    EXPECT_TRUE(MatchesMask("noext", "*.*"));
}

TEST(FileUtils, ProgramFileIsTheRunningExecutable)
{
    const QString Exe = ParamStr(0);
    EXPECT_TRUE(Exe.startsWith('/'));
    EXPECT_TRUE(FileExists(Exe));
    EXPECT_EQ(ProgramFolder(), ExtractFilePath(Exe));
    EXPECT_TRUE(ProgramFolder().endsWith('/'));
    EXPECT_EQ(ParamStr(ParamCount() + 1), "");
}

TEST(FileUtils, TempPathFromTmpDirOrPrivateCacheFolder)
{
    TEnvGuard Tmp("TMPDIR");
    TEnvGuard Cache("XDG_CACHE_HOME");
    TTestDir Dir;

    qputenv("TMPDIR", QFile::encodeName(Dir.Path() + "given"));
    EXPECT_EQ(GetTempPath(), Dir.Path() + "given/");

    qunsetenv("TMPDIR");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Dir.Path() + "new/cache"));
    const QString Path = GetTempPath();
    EXPECT_EQ(Path, Dir.Path() + "new/cache/quorvy/tmp/");
    struct stat Info;
    ASSERT_EQ(::stat(QFile::encodeName(Path).constData(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 0777, 0700u);
    ::chmod(QFile::encodeName(Path).constData(), 0755);  // widened by someone: narrowed again
    EXPECT_EQ(GetTempPath(), Path);
    ASSERT_EQ(::stat(QFile::encodeName(Path).constData(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 0777, 0700u);

    // A relative cache folder is invalid and ignored: the home's ".cache" serves.
    TEnvGuard Home("HOME");
    qputenv("HOME", QFile::encodeName(Dir.Path() + "home"));
    qputenv("XDG_CACHE_HOME", "relative/cache");
    EXPECT_EQ(GetTempPath(), Dir.Path() + "home/.cache/quorvy/tmp/");

    // A link planted where the private folder belongs is refused.
    const QString Other = Dir.Path() + "cache2";
    ASSERT_TRUE(ForceDirectories(Other + "/quorvy-elsewhere"));
    ASSERT_TRUE(ForceDirectories(Other + "/quorvy"));
    ASSERT_EQ(::symlink(QFile::encodeName(Other + "/quorvy-elsewhere").constData(),
                        QFile::encodeName(Other + "/quorvy/tmp").constData()),
              0);
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Other));
    EXPECT_THROW(GetTempPath(), EInOutError);
}

TEST(FileUtils, OnlyRegularFilesAreOpenedForReading)
{
    TTestDir Dir;
    ASSERT_TRUE(WriteRaw(Dir.File("file"), "inhoud"));
    ASSERT_EQ(
        ::symlink(QFile::encodeName(Dir.File("file")).constData(), QFile::encodeName(Dir.File("link")).constData()), 0);
    // A pipe without a writer: opening it plainly would wait for one.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Dir.File("pipe")).constData(), 0600), 0);
    const struct {
        QString Name;
        TOpenForReading Expected;
    } Cases[] = {
        {Dir.File("file"), orOpened}, {Dir.File("link"), orOpened}, {Dir.File("missing"), orFailed},
        {Dir.Path(), orFailed},       {QString(), orFailed},        {Dir.File("pipe"), orNotRegular},
        {"/dev/null", orNotRegular},
    };
    for (const auto& C : Cases) {
        QFile File;
        EXPECT_EQ(OpenRegularFile(File, C.Name), C.Expected) << C.Name.toStdString();
        EXPECT_EQ(File.isOpen(), C.Expected == orOpened);
        if (File.isOpen()) {
            EXPECT_EQ(File.readAll(), "inhoud");
        }
    }
}

TEST(FileUtils, CreateFileExclusiveNeverFollowsAnExistingName)
{
    TTestDir Dir;
    WriteFileExclusive(Dir.File("report.html"), "<html>");
    EXPECT_EQ(ReadRaw(Dir.File("report.html")), "<html>");
    EXPECT_THROW(WriteFileExclusive(Dir.File("report.html"), "other"), EInOutError);
    EXPECT_EQ(ReadRaw(Dir.File("report.html")), "<html>");

    // A dangling link must not let the write land at its target.
    ASSERT_EQ(::symlink(QFile::encodeName(Dir.File("target")).constData(),
                        QFile::encodeName(Dir.File("trap.html")).constData()),
              0);
    EXPECT_THROW(CreateFileExclusive(Dir.File("trap.html")), EInOutError);
    EXPECT_FALSE(FileExists(Dir.File("target")));
}

TEST(FileUtils, SaveFileAtomicallyReplacesWholeFiles)
{
    TTestDir Dir;
    const QString File = Dir.File("settings.ini");
    SaveFileAtomically(File, "first");
    EXPECT_EQ(ReadRaw(File), "first");
    ::chmod(QFile::encodeName(File).constData(), 0640);
    SaveFileAtomically(File, "second");
    EXPECT_EQ(ReadRaw(File), "second");
    struct stat Info;
    ASSERT_EQ(::stat(QFile::encodeName(File).constData(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(Dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({"settings.ini"}));
}

TEST(FileUtils, SaveFileAtomicallyWritesThroughALink)
{
    TTestDir Dir;
    WriteRaw(Dir.File("real.ini"), "old");
    ASSERT_EQ(::symlink("real.ini", QFile::encodeName(Dir.File("link.ini")).constData()), 0);
    SaveFileAtomically(Dir.File("link.ini"), "new");
    EXPECT_EQ(ReadRaw(Dir.File("real.ini")), "new");
    EXPECT_FALSE(QFileInfo(Dir.File("link.ini")).symLinkTarget().isEmpty());
}

TEST(FileUtils, FailedAtomicSaveKeepsTheOldFileAndNamesIt)
{
    TTestDir Dir;
    ASSERT_TRUE(CreateDir(Dir.File("folder")));
    WriteRaw(Dir.File("folder/inside"), "keep");
    try {
        SaveFileAtomically(Dir.File("folder"), "data");
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_TRUE(E.Message().contains(Dir.File("folder"))) << E.Message().toStdString();
    }
    EXPECT_EQ(ReadRaw(Dir.File("folder/inside")), "keep");
    EXPECT_THROW(SaveFileAtomically(Dir.File("no/such/folder.ini"), "data"), EInOutError);
    EXPECT_FALSE(DirectoryExists(Dir.File("no")));
    EXPECT_EQ(QDir(Dir.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"folder"}));
}

TEST(FileUtils, FailedFolderFlushIsAFailedSave)
{
    // The rename has happened either way; only a file system that cannot
    // flush folders at all is taken at its word.
    struct TCase {
        int Code;
        bool Raises;
    };
    for (const TCase& C : {TCase{0, false}, TCase{EIO, true}, TCase{ENOSPC, true}, TCase{EDQUOT, true},
                           TCase{EINVAL, false}, TCase{EROFS, false}}) {
        SCOPED_TRACE(C.Code);
        TTestDir Dir;
        const QString File = Dir.File("settings.ini");
        WriteRaw(File, "old");
        ASSERT_EQ(::symlink("settings.ini", QFile::encodeName(Dir.File("link.ini")).constData()), 0);
        TScriptedFolderSync Sync;
        Sync.FailWith = C.Code;
        try {
            SaveFileAtomically(Dir.File("link.ini"), "new");
            EXPECT_FALSE(C.Raises);
        } catch (const EInOutError& E) {
            EXPECT_TRUE(C.Raises);
            EXPECT_EQ(E.ErrorCode, C.Code);
            EXPECT_TRUE(E.Message().contains(Dir.File("link.ini"))) << E.Message().toStdString();
            EXPECT_TRUE(E.Message().contains("staat misschien nog niet op de schijf")) << E.Message().toStdString();
        }
        // The folder that is flushed is the one the file really lives in.
        EXPECT_EQ(Sync.Saved, QStringList({QFileInfo(File).canonicalFilePath()}));
        EXPECT_EQ(ReadRaw(File), "new");
        EXPECT_EQ(QDir(Dir.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList({"link.ini", "settings.ini"}));
    }
}

TEST(FileUtils, FailuresSayWhyInDutchAndOtherwiseGiveTheSystemsCode)
{
    const struct {
        int Code;
        QString Reason;
    } Cases[] = {
        {EACCES, "geen toegang (onvoldoende rechten)"},
        {EPERM, "geen toegang (onvoldoende rechten)"},
        {ENOSPC, "de schijf is vol"},
        {EDQUOT, "de toegestane schijfruimte is op"},
        {EROFS, "het bestandssysteem is alleen-lezen"},
        {ENOENT, "de map of het bestand bestaat niet"},
        {ENOTDIR, "een deel van het pad is geen map"},
        {ETXTBSY, "het bestand is in gebruik"},
        {EBUSY, "het bestand is in gebruik"},
        {EISDIR, "er staat een map met die naam"},
        {EPROTO, QStringLiteral("systeemfout %1").arg(EPROTO)},
        {0, "de oorzaak is onbekend"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(SysErrorMessage(C.Code), C.Reason) << C.Code;

    // As a save reports it: the file, the step and the reason, in Dutch.
    TTestDir Dir;
    const QString Missing = Dir.File("weg/quorvy.ini");
    try {
        SaveFileAtomically(Missing, "data");
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(),
                  "Het bestand \"" + Missing + "\" kan niet worden opgeslagen: de map of het bestand bestaat niet.");
        EXPECT_EQ(E.ErrorCode, ENOENT);
    }
}

TEST(FileUtils, DocumentsAndStateFoldersFollowTheDesktopsSettings)
{
    TTestDir Dir;
    TEnvGuard Home("HOME", QFile::encodeName(Dir.Path() + "home"));
    TEnvGuard Config("XDG_CONFIG_HOME", QFile::encodeName(Dir.Path() + "config"));
    TEnvGuard State("XDG_STATE_HOME", "");

    EXPECT_EQ(UserDocumentsFolder(), Dir.Path() + "home/Documents/");
    ASSERT_TRUE(ForceDirectories(Dir.Path() + "config"));
    ASSERT_TRUE(WriteRaw(Dir.File("config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Mijn documenten\"\n"));
    EXPECT_EQ(UserDocumentsFolder(), Dir.Path() + "home/Mijn documenten/");

    EXPECT_EQ(UserStateFolder(), Dir.Path() + "home/.local/state/");
    qputenv("XDG_STATE_HOME", QFile::encodeName(Dir.Path() + "state"));
    EXPECT_EQ(UserStateFolder(), Dir.Path() + "state/");
    // Relative values are invalid by the desktop's rules and ignored.
    qputenv("XDG_STATE_HOME", "state");
    EXPECT_EQ(UserStateFolder(), Dir.Path() + "home/.local/state/");
}

TEST(FileUtils, CanonicalNamesFollowLinksSoTheSameFolderIsFound)
{
    TTestDir Dir;
    const QString Real = QFileInfo(Dir.Path()).canonicalFilePath();
    ASSERT_TRUE(ForceDirectories(Dir.Path() + "data/sub"));
    ASSERT_TRUE(QFile::link(Dir.Path() + "data", Dir.Path() + "link"));

    EXPECT_EQ(CanonicalFileName(Dir.Path() + "link/"), Real + "/data");
    EXPECT_EQ(CanonicalFileName(Dir.Path() + "data/./sub/.."), Real + "/data");
    // ".." after a link climbs from where the link leads.
    EXPECT_EQ(CanonicalFileName(Dir.Path() + "link/sub/../sub"), Real + "/data/sub");
    // What does not exist yet keeps its written rest under the resolved part.
    EXPECT_EQ(CanonicalFileName(Dir.Path() + "link/new/file.quorvy"), Real + "/data/new/file.quorvy");
    EXPECT_EQ(CanonicalFileName("/"), "/");

    EXPECT_TRUE(SamePath(Dir.Path() + "link", Dir.Path() + "data/"));
    EXPECT_TRUE(SamePath(Dir.Path() + "link/sub/..", Dir.Path() + "data"));
    EXPECT_FALSE(SamePath(Dir.Path() + "data", Dir.Path() + "data/sub"));
    EXPECT_FALSE(SamePath(Dir.Path() + "data", Dir.Path() + "DATA"));
    EXPECT_FALSE(SamePath("", ""));

    // Relative names are taken from the current folder.
    const QString Old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Dir.Path() + "data"));
    EXPECT_TRUE(SamePath("sub", Dir.Path() + "link/sub"));
    QDir::setCurrent(Old);
}
