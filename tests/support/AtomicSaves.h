#pragma once
// What tests need to look at atomic saves from outside: the folder flush
// scripted (to fail, or to see which files were saved in which order), and a
// temporary file that another copy of the program is still writing.
#include "platform/rtl/FileUtils.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// Replaces the folder flush for the life of the object.  Every saved file
// is recorded in the order of its save; the flush answers FailWith (0: it
// worked, else an errno value), for the save of FailOn only when that is
// given.
class TScriptedFolderSync {
public:
    TScriptedFolderSync()
    {
        SetFolderSyncHook([this](const String& FileName) {
            Saved << FileName;
            return FailOn.isEmpty() || FileName == FailOn ? FailWith : 0;
        });
    }
    ~TScriptedFolderSync() { SetFolderSyncHook(nullptr); }
    TScriptedFolderSync(const TScriptedFolderSync&) = delete;
    TScriptedFolderSync& operator=(const TScriptedFolderSync&) = delete;

    QStringList Saved;
    int FailWith = 0;
    QString FailOn;
};

// A temporary file as a writer that is still at work holds it: open, with
// an exclusive lock, until the object goes.
class TFileBeingWritten {
public:
    TFileBeingWritten(const QString& Path, const QByteArray& Bytes)
    {
        FFd = ::open(QFile::encodeName(Path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (FFd >= 0 && ::flock(FFd, LOCK_EX | LOCK_NB) == 0)
            FLocked = ::write(FFd, Bytes.constData(), size_t(Bytes.size())) == Bytes.size();
    }
    ~TFileBeingWritten()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileBeingWritten(const TFileBeingWritten&) = delete;
    TFileBeingWritten& operator=(const TFileBeingWritten&) = delete;
    bool Locked() const { return FLocked; }

private:
    int FFd = -1;
    bool FLocked = false;
};
