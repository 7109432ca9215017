// A contact file is locked while it is open: a second holder, under any
// name of the file, is refused and told who holds it; a lock whose holder
// died is taken over; without room for a lock file the file itself is
// still locked, and the lock file is made once it can be.
#include "platform/rtl/FileLock.h"

#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Waits until another process holds the lock on LockFile, looking without
// ever removing the file.
bool WaitUntilLocked(const QString& LockFile)
{
    for (int Try = 0; Try < 500; ++Try) {
        const int Fd = ::open(QFile::encodeName(LockFile).constData(), O_RDONLY | O_CLOEXEC);
        const bool Held = Fd >= 0 && ::flock(Fd, LOCK_EX | LOCK_NB) != 0;
        if (Fd >= 0)
            ::close(Fd);
        if (Held)
            return true;
        QThread::msleep(10);
    }
    return false;
}

} // namespace

TEST(FileLock, ASecondHolderIsRefusedWithTheHoldersProcessId)
{
    TTestDir Dir;
    const QString File = Dir.File("familie.quorvy");
    TFileLock First(File);
    EXPECT_EQ(First.LockFileName(), Dir.File(".familie.quorvy.lock"));
    ASSERT_EQ(First.Acquire(), flLocked);
    EXPECT_EQ(First.Acquire(), flLocked);
    EXPECT_EQ(ReadRaw(First.LockFileName()).trimmed().toLongLong(), qint64(::getpid()));

    TFileLock Second(File);
    EXPECT_EQ(Second.Acquire(), flHeld);
    EXPECT_EQ(Second.HolderPid(), qint64(::getpid()));
    EXPECT_FALSE(Second.Locked());

    // Another file in the same folder is another lock.
    TFileLock Other(Dir.File("werk.quorvy"));
    EXPECT_EQ(Other.Acquire(), flLocked);

    First.Release();
    EXPECT_FALSE(QFile::exists(First.LockFileName()));
    EXPECT_EQ(Second.Acquire(), flLocked);
}

TEST(FileLock, ALockLeftByAProcessThatEndedIsTakenOver)
{
    TTestDir Dir;
    const QString File = Dir.File("familie.quorvy");
    TFileLock Lock(File);
    // A crashed holder leaves its file with its process id behind.
    ASSERT_TRUE(WriteRaw(Lock.LockFileName(), "999999999\n"));
    ASSERT_EQ(Lock.Acquire(), flLocked);
    EXPECT_EQ(ReadRaw(Lock.LockFileName()).trimmed().toLongLong(), qint64(::getpid()));
    Lock.Release();

    // A live holder in another process, which writes its process id and
    // is then killed.
    QProcess Holder;
    Holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("exec 9<>\"$0\" && flock -x 9 && echo $$ >&9 && exec sleep 60"),
                  Lock.LockFileName()});
    ASSERT_TRUE(Holder.waitForStarted());
    if (!WaitUntilLocked(Lock.LockFileName()))
        GTEST_SKIP() << "the flock program did not lock the file";
    TFileLockResult Result = flLocked;
    for (int Try = 0; Try < 500; ++Try) {
        Result = Lock.Acquire();
        if (Result != flHeld || Lock.HolderPid() != 0)
            break;
        QThread::msleep(10);
    }
    EXPECT_EQ(Result, flHeld);
    EXPECT_EQ(Lock.HolderPid(), Holder.processId());
    Holder.kill();
    Holder.waitForFinished();
    EXPECT_EQ(Lock.Acquire(), flLocked);
}

TEST(FileLock, AFolderThatCannotHoldTheLockFileFails)
{
    TFileLock Lock(QStringLiteral("/proc/quorvy-test/familie.quorvy"));
    EXPECT_EQ(Lock.Acquire(), flFailed);
    EXPECT_NE(Lock.ErrorCode(), 0);
    EXPECT_FALSE(Lock.Locked());
}

TEST(FileLock, EveryNameOfOneFileIsOneLock)
{
    TTestDir Dir;
    const QString File = Dir.File("familie.quorvy");
    ASSERT_TRUE(WriteRaw(File, "tabel"));
    ASSERT_TRUE(QDir().mkpath(Dir.File("elders")));
    ASSERT_EQ(::symlink(QFile::encodeName(File).constData(), QFile::encodeName(Dir.File("elders/kort.quorvy"))), 0);
    ASSERT_EQ(::link(QFile::encodeName(File).constData(), QFile::encodeName(Dir.File("elders/hard.quorvy"))), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(Dir.Path()).constData(), QFile::encodeName(Dir.File("map"))), 0);

    TFileLock First(File);
    ASSERT_EQ(First.Acquire(), flLocked);
    // A desktop shortcut, a hard link elsewhere, and other spellings.
    for (const QString& Name : {Dir.File("elders/kort.quorvy"), Dir.File("elders/hard.quorvy"),
                                Dir.File("elders/../familie.quorvy"), Dir.File("map/familie.quorvy")}) {
        TFileLock Second(Name);
        EXPECT_EQ(Second.Acquire(), flHeld) << Name.toStdString();
        EXPECT_EQ(Second.HolderPid(), qint64(::getpid())) << Name.toStdString();
        EXPECT_TRUE(First.Guards(Name)) << Name.toStdString();
    }
    EXPECT_FALSE(First.Guards(Dir.File("werk.quorvy")));

    // A file not made yet is one lock under every spelling of its folder.
    TFileLock New(Dir.File("nieuw.quorvy"));
    ASSERT_EQ(New.Acquire(), flLocked);
    TFileLock NewElsewhere(Dir.File("map/nieuw.quorvy"));
    EXPECT_EQ(NewElsewhere.Acquire(), flHeld);

    First.Release();
    TFileLock Hard(Dir.File("elders/hard.quorvy"));
    EXPECT_EQ(Hard.Acquire(), flLocked);
}

TEST(FileLock, AFileReplacedWhileLockedStaysLocked)
{
    TTestDir Dir;
    const QString File = Dir.File("familie.quorvy");
    ASSERT_TRUE(WriteRaw(File, "oud"));
    TFileLock First(File);
    ASSERT_EQ(First.Acquire(), flLocked);
    // A save, or a sync tool putting an older version back: a new file.
    ASSERT_TRUE(WriteRaw(Dir.File("vervanging"), "nieuw"));
    ASSERT_EQ(::rename(QFile::encodeName(Dir.File("vervanging")).constData(), QFile::encodeName(File).constData()), 0);
    TFileLock Second(File);
    EXPECT_EQ(Second.Acquire(), flHeld);
    EXPECT_EQ(Second.HolderPid(), qint64(::getpid()));
}

TEST(FileLock, WithoutRoomForALockFileTheFileItselfIsStillLocked)
{
    TTestDir Dir;
    const QString File = Dir.File("familie.quorvy");
    ASSERT_TRUE(WriteRaw(File, "tabel"));
    // What a full disk or a folder that may not be written does to the lock
    // file, whoever runs the test: it cannot be made.
    ASSERT_TRUE(QDir().mkpath(Dir.File(".familie.quorvy.lock")));
    ASSERT_TRUE(QDir().mkpath(Dir.File(".nieuw.quorvy.lock")));

    TFileLock First(File);
    EXPECT_EQ(First.Acquire(), flLocked);
    EXPECT_TRUE(First.Locked());
    EXPECT_EQ(First.ErrorCode(), EISDIR);
    TFileLock Second(File);
    EXPECT_EQ(Second.Acquire(), flHeld);
    EXPECT_EQ(Second.HolderPid(), qint64(::getpid()));

    // A file not made yet has nothing else to lock.
    TFileLock New(Dir.File("nieuw.quorvy"));
    EXPECT_EQ(New.Acquire(), flFailed);
    EXPECT_FALSE(New.Locked());
    EXPECT_EQ(New.ErrorCode(), EISDIR);
}

TEST(FileLock, ALockFileThatCouldNotBeMadeIsMadeOnceItCan)
{
    TTestDir Dir;
    const QString File = Dir.File("familie.quorvy");
    ASSERT_TRUE(WriteRaw(File, "tabel"));
    // What the system says to the lock file, whoever runs the test.
    int Refused = 0;
    struct THook {
        explicit THook(int& Refused)
        {
            SetLockFileHook([&Refused](const String&) { return Refused; });
        }
        ~THook() { SetLockFileHook(nullptr); }
    } Hook(Refused);
    struct TCase {
        int Code;
        bool RefusesWrites; // every write beside the file, a save's too
    };
    const std::vector<TCase> Cases = {{EROFS, true},  {EACCES, true},  {EPERM, true},  {ENOSPC, true},
                                      {EDQUOT, true}, {EISDIR, false}, {EMFILE, false}};
    for (const TCase& C : Cases) {
        Refused = C.Code;
        TFileLock Lock(File);
        EXPECT_EQ(Lock.Acquire(), flLocked) << C.Code;
        EXPECT_FALSE(Lock.HasLockFile()) << C.Code;
        EXPECT_EQ(Lock.ErrorCode(), C.Code);
        EXPECT_EQ(Lock.WritesRefusedBeside(), C.RefusesWrites) << C.Code;
        EXPECT_FALSE(Lock.AcquireLockFile()) << C.Code;
    }
    // Another user's lock file that may not be opened says nothing about
    // the folder.
    ASSERT_TRUE(WriteRaw(Dir.File(".familie.quorvy.lock"), "4711\n"));
    Refused = EACCES;
    {
        TFileLock Lock(File);
        EXPECT_EQ(Lock.Acquire(), flLocked);
        EXPECT_FALSE(Lock.WritesRefusedBeside());
    }
    ASSERT_TRUE(QFile::remove(Dir.File(".familie.quorvy.lock")));

    Refused = ENOSPC;
    TFileLock First(File);
    ASSERT_EQ(First.Acquire(), flLocked);
    Refused = 0;
    EXPECT_TRUE(First.AcquireLockFile());
    EXPECT_TRUE(First.HasLockFile());
    EXPECT_EQ(First.ErrorCode(), 0);
    EXPECT_EQ(ReadRaw(First.LockFileName()).trimmed().toLongLong(), qint64(::getpid()));
    // A sync tool replaces the file: the lock file still keeps others off.
    ASSERT_TRUE(WriteRaw(Dir.File("vervanging"), "tabel"));
    ASSERT_EQ(::rename(QFile::encodeName(Dir.File("vervanging")).constData(), QFile::encodeName(File).constData()), 0);
    TFileLock Second(File);
    EXPECT_EQ(Second.Acquire(), flHeld);
    EXPECT_FALSE(Second.AcquireLockFile());
    EXPECT_EQ(Second.HolderPid(), qint64(::getpid()));
    EXPECT_FALSE(Second.Locked());
}
