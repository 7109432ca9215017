// The temporary files of atomic saves: what a crash left behind goes with the
// next save, what another writer is still writing stays, and nothing else
// beside the file is ever touched.
#include "platform/rtl/SaveTemps.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "tests/support/AtomicSaves.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <atomic>
#include <climits>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QStringList Entries(const QString& Folder)
{
    QStringList Names = QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    Names.sort();
    return Names;
}

}  // namespace

TEST(SaveTemps, NextSaveRemovesWhatEarlierSavesAbandonedAndNothingElse)
{
    TTestDir Dir;
    const QString Target = Dir.File("settings.ini");
    WriteRaw(Target, "old");
    struct TPlanted {
        const char* Name;
        bool Goes;
    };
    // Plain files as a killed save leaves them, empty or partly written.
    const std::vector<TPlanted> Plain = {
        {".settings.ini.quorvytmp-Ab3dE9", true},
        {".settings.ini.quorvytmp-zzzzzz", true},
        {".settings.ini.quorvytmp-000000", true},
        {".settings.ini.quorvytmp-ab-de9", false}, // not what a save names
        {".settings.ini.quorvytmp-Ab3dE9x", false}, // one letter too many
        {".settings.ini.quorvytmp-Ab3dE", false}, // one too few
        {"settings.ini.quorvytmp-Ab3dE9", false}, // not hidden
        {".settings.ini.quorvytmp-Ab3dE9.x", false}, // more after it
        {".other.ini.quorvytmp-Ab3dE9", false}, // goes when other.ini is saved
        {".Settings.ini.quorvytmp-Ab3dE9", false}, // names differ in case
        // Without our mark: a file rsync is receiving, a user's copy, and
        // what a version without the mark left, which looks the same.
        {".settings.ini.Ab3dE9", false},
        {".settings.ini.kopie1", false},
        {".settings.ini.000000", false},
    };
    for (const TPlanted& P : Plain)
        ASSERT_TRUE(WriteRaw(Dir.File(P.Name), "[Gebruiker]\r\nNaam=Jan"));
    // Another copy of the program is writing this one right now.
    TFileBeingWritten Busy(Dir.File(".settings.ini.quorvytmp-Wr1t3s"), "[Gebruiker]");
    ASSERT_TRUE(Busy.Locked());
    // The right name, but not a plain file of ours that only we can name.
    ASSERT_TRUE(WriteRaw(Dir.File("kopie.txt"), "kopie"));
    ASSERT_EQ(::link(QFile::encodeName(Dir.File("kopie.txt")).constData(),
                     QFile::encodeName(Dir.File(".settings.ini.quorvytmp-Hl1nk2")).constData()),
              0);
    ASSERT_EQ(::symlink("kopie.txt", QFile::encodeName(Dir.File(".settings.ini.quorvytmp-Sym123")).constData()), 0);
    ASSERT_TRUE(CreateDir(Dir.File(".settings.ini.quorvytmp-Dir123")));

    SaveFileAtomically(Target, "new");

    QStringList Expected = {"settings.ini",
                            ".settings.ini.quorvytmp-Wr1t3s",
                            "kopie.txt",
                            ".settings.ini.quorvytmp-Hl1nk2",
                            ".settings.ini.quorvytmp-Sym123",
                            ".settings.ini.quorvytmp-Dir123"};
    for (const TPlanted& P : Plain)
        if (!P.Goes)
            Expected << P.Name;
    Expected.sort();
    EXPECT_EQ(Entries(Dir.Path()), Expected);
    EXPECT_EQ(ReadRaw(Target), "new");
    EXPECT_EQ(ReadRaw(Dir.File(".settings.ini.quorvytmp-Wr1t3s")), "[Gebruiker]");
    EXPECT_EQ(ReadRaw(Dir.File(".settings.ini.Ab3dE9")), "[Gebruiker]\r\nNaam=Jan");
    EXPECT_EQ(ReadRaw(Dir.File("kopie.txt")), "kopie");
}

TEST(SaveTemps, LeftoversGoFromBesideTheFileALinkNames)
{
    TTestDir Dir;
    ASSERT_TRUE(CreateDir(Dir.File("echt")));
    WriteRaw(Dir.File("echt/Familie.quorvy"), "oud");
    ASSERT_EQ(::symlink("echt/Familie.quorvy", QFile::encodeName(Dir.File("Familie.quorvy")).constData()), 0);
    WriteRaw(Dir.File("echt/.Familie.quorvy.quorvytmp-Qw3rty"), "half");
    // Beside the link nothing of ours was ever written.
    WriteRaw(Dir.File(".Familie.quorvy.quorvytmp-Qw3rty"), "niet van ons");

    RemoveAbandonedTempFiles(Dir.File("Familie.quorvy"));
    EXPECT_EQ(Entries(Dir.File("echt")), QStringList({"Familie.quorvy"}));
    EXPECT_EQ(Entries(Dir.Path()), QStringList({".Familie.quorvy.quorvytmp-Qw3rty", "Familie.quorvy", "echt"}));

    // Nothing to do, nowhere to do it: no failure either.
    RemoveAbandonedTempFiles(Dir.File("ontbreekt/x.ini"));
    RemoveAbandonedTempFiles(QString());
    RemoveAbandonedTempFiles(Dir.Path());
}

TEST(SaveTemps, WritersOfTheSameFileNeverRemoveEachOthersWork)
{
    // Each save first removes what it takes for abandoned; a writer that
    // did not hold its temporary file to the end would lose it to the other.
    TTestDir Dir;
    const QString Target = Dir.File("gedeeld.ini");
    std::atomic<int> Failures{0};
    auto Writer = [&](char Tag) {
        for (int I = 0; I < 60; ++I) {
            try {
                SaveFileAtomically(Target, QByteArray(2000, Tag));
            } catch (const EInOutError&) {
                ++Failures;
            }
        }
    };
    std::thread A(Writer, 'a');
    std::thread B(Writer, 'b');
    A.join();
    B.join();
    EXPECT_EQ(Failures.load(), 0);
    EXPECT_EQ(Entries(Dir.Path()), QStringList({"gedeeld.ini"}));
    const QByteArray Last = ReadRaw(Target);
    EXPECT_TRUE(Last == QByteArray(2000, 'a') || Last == QByteArray(2000, 'b'));
}

TEST(SaveTemps, FilesWhoseNamesReachALimitAreSavedAndTheirLeftoversFound)
{
    TTestDir Dir;
    const int Limit = MaxFileNameLength(Dir.Path());
    // A temporary name adds ".", ".quorvytmp-" and six random characters, so
    // it keeps Limit - 18 bytes of the file's name, fewer where that would
    // split a character.
    const int Cut = Limit - 18;
    // Folders deep enough to leave a file's name between 100 and 200 bytes
    // before its path reaches PATH_MAX, which counts the closing zero byte.
    const QString Folder(100, u'd');
    const int Depth = (PATH_MAX - 1 - int(QFile::encodeName(Dir.Path()).size()) - 100) / 101;
    const QString Deep = (Folder + '/').repeated(Depth);
    const int Left = PATH_MAX - 1 - int(QFile::encodeName(Dir.Path() + Deep).size());
    ASSERT_TRUE(QDir().mkpath(Dir.File(Deep)));
    struct TCase {
        const char* What;
        QString In; // folder below the test's own
        int Length; // bytes of the file's name: Head bytes 'n', Char, then 'z'
        int Head;
        QByteArray Char;
        int Kept; // bytes of the name in the temporary name
    };
    const std::vector<TCase> Cases = {
        {"ascii at the limit", "", Limit, 0, "", Cut},
        {"ascii one short of it", "", Limit - 1, 0, "", Cut},
        {"two-byte character across the cut", "", Limit - 1, Cut - 1, "\xc3\xab", Cut - 1}, // ë
        {"four-byte character across the cut", "", Limit, Cut - 1, "\xf0\x9f\x93\x87", Cut - 1}, // 📇
        {"cut before its last byte", "", Limit - 1, Cut - 3, "\xf0\x9f\x93\x87", Cut - 3},
        {"three-byte character just before the cut", "", Limit, Cut - 3, "\xe2\x82\xac", Cut}, // €
        {"path at the system's limit", Deep, Left, 0, "", Left - 18},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.What);
        QByteArray Bytes = QByteArray(C.Head, 'n') + C.Char;
        Bytes += QByteArray(C.Length - Bytes.size(), 'z');
        const QString Name = QString::fromUtf8(Bytes);
        const QString Temp = QString::fromUtf8("." + Bytes.left(C.Kept) + ".quorvytmp-");
        const QString Here = Dir.File(C.In);
        const QString Target = Here + Name;
        ASSERT_TRUE(WriteRaw(Target, "oud"));
        // What a killed save left, and what a running one is writing.
        ASSERT_TRUE(WriteRaw(Here + Temp + "Ab3dE9", "half"));
        TFileBeingWritten Busy(Here + Temp + "Wr1t3s", "bezig");
        ASSERT_TRUE(Busy.Locked());

        EXPECT_NO_THROW(SaveFileAtomically(Target, "nieuw"));
        EXPECT_EQ(ReadRaw(Target), "nieuw");
        QStringList Expected = {Name, Temp + "Wr1t3s"};
        if (C.In.isEmpty())
            Expected << Folder;
        Expected.sort();
        EXPECT_EQ(Entries(Here), Expected);
        QFile::remove(Target);
        QFile::remove(Here + Temp + "Wr1t3s");
    }
}

TEST(SaveTemps, NoFileSystemIsTakenAtItsWordForNamesBeyond255Bytes)
{
    TTestDir Dir;
    if (MaxFileNameLength(Dir.Path()) < 255)
        GTEST_SKIP() << "the test folder's file system allows shorter names";
    struct TReported {
        long Limit; // what the file system says (pathconf)
        int Taken;
    };
    // FAT and exFAT say 1530 for names of 255 UTF-16 units.
    const std::vector<TReported> Cases = {{1530, 255}, {256, 255}, {255, 255}, {143, 143}, {0, 255}, {-1, 255}};
    long Reported = 0;
    struct THook {
        explicit THook(long& Reported)
        {
            SetNameLimitHook([&Reported](const String&) { return Reported; });
        }
        ~THook() { SetNameLimitHook(nullptr); }
    } Hook(Reported);
    for (const TReported& C : Cases) {
        Reported = C.Limit;
        EXPECT_EQ(MaxFileNameLength(Dir.Path()), C.Taken) << C.Limit;
    }
    // On a stick: a name of 256 bytes is refused before anything is made,
    // one of 255 is saved, its temporary name cut to fit.
    Reported = 1530;
    EXPECT_FALSE(FileNameFits(Dir.File(QString(256, u'n'))));
    const QString Longest = Dir.File(QString(255, u'n'));
    ASSERT_TRUE(FileNameFits(Longest));
    EXPECT_NO_THROW(SaveFileAtomically(Longest, "nieuw"));
    EXPECT_EQ(ReadRaw(Longest), "nieuw");
}
