#pragma once
// Files and paths under the classic names.  Paths use '/'.  Routines that
// answer a question return false (or -1) on failure; routines that write user
// data raise EInOutError naming the file.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <cstdint>
#include <functional>

inline constexpr QChar PathDelim{u'/'};
inline constexpr QChar PathSep{u':'};

// --- questions ---
// FileExists is false for folders; both follow symbolic links.
bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
// The longest name, in bytes of the encoded name, that an entry of Folder
// may have: what the folder's file system says, 255 when it does not say
// (a folder that does not exist included) or says more.
int MaxFileNameLength(const String& Folder);
// Stands in for the file system's answer to MaxFileNameLength (pathconf's),
// which tests cannot choose; an empty hook asks the file system again.
using TNameLimitHook = std::function<long(const String& Folder)>;
void SetNameLimitHook(TNameLimitHook Hook);
// Whether a file of this name could exist: its name within its folder's
// limit and the whole path within the system's (PATH_MAX).  Says nothing
// about whether the folder exists or may be written.
bool FileNameFits(const String& FileName);
// Size in bytes, -1 when the file is missing.
std::int64_t FileSize(const String& FileName);
// Last modification as a file date (seconds since 1970-01-01 UTC), -1 when
// the file is missing.  FileDateToDateTime turns it into local time.
std::int64_t FileAge(const String& FileName);
bool FileAge(const String& FileName, TDateTime& FileDateTime);
TDateTime FileDateToDateTime(std::int64_t FileDate);

// --- changes ---
// Creates the folder and any missing parents; true when it exists afterwards.
bool ForceDirectories(const String& Dir);
bool CreateDir(const String& Dir);
// Removes an empty folder.
bool RemoveDir(const String& Dir);
// Deletes a file (never a folder).
bool DeleteFile(const String& FileName);
// Renames or moves a file or folder.  Refuses to replace an existing target,
// as the classic call does, so a rename can never destroy another file.
bool RenameFile(const String& OldName, const String& NewName);

// --- path text ---
// "/a/b/c.txt": path "/a/b/", dir "/a/b", name "c.txt", ext ".txt".
String ExtractFilePath(const String& FileName);
String ExtractFileDir(const String& FileName);
String ExtractFileName(const String& FileName);
// With the dot; empty when the name has none.
String ExtractFileExt(const String& FileName);
// Extension must carry its dot; an empty one removes the extension.
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// Absolute and without "." and ".." parts, relative to the current folder.
String ExpandFileName(const String& FileName);
// The one name of a file or folder: absolute, symbolic links followed, "."
// and ".." resolved, without a trailing '/' (except the root).  For a name
// that does not exist (yet) the part that exists is resolved and the rest
// kept as written.
String CanonicalFileName(const String& FileName);
// Whether two names reach the same file or folder ("is this the same
// folder"), whichever links, dots and trailing '/' they are written with.
// Names are compared with regard to case, as the file system does.
bool SamePath(const String& A, const String& B);
// The current folder, without a trailing '/'.
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);

// --- searching a folder ---
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;   // names starting with '.'
inline constexpr int faSysFile = 0x04;  // devices, sockets, pipes
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;  // every regular file
inline constexpr int faSymLink = 0x40;
inline constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    std::int64_t Time = 0;  // file date, as FileAge
    std::int64_t Size = 0;
    int Attr = 0;
    String Name;
    int ExcludeAttr = 0;
    TDateTime TimeStamp() const { return FileDateToDateTime(Time); }

    // The matches still to hand out, kept between FindFirst and FindNext.
    String FPath;
    QStringList FPending;
};

// Path is a folder plus a pattern for the names ("data/*.quorvy"): '*' and
// '?' match without regard to case, "*.*" matches every name.  Regular files
// are always found; folders, hidden and system entries only when Attr asks
// for them.  "." and ".." are never returned.  Entries come in name order.
// The result is 0 on a match, otherwise an error code (2: nothing found,
// 3: no such folder, 18: no more files).
int FindFirst(const String& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
// The wildcard rule FindFirst uses, for callers that filter names themselves.
bool MatchesMask(const String& FileName, const String& Mask);

// --- the program ---
// ParamStr(0) is the full path of the running executable.
String ParamStr(int Index);
int ParamCount();
String ProgramFileName();
// Folder of the running executable, with a trailing '/'.
String ProgramFolder();

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else ~/.config/; ends with '/'.  Nothing is created.
String UserConfigFolder();
// The user's documents folder as the desktop's user folders name it
// (XDG_DOCUMENTS_DIR in user-dirs.dirs), else ~/Documents/; ends with '/'.
// Nothing is created.
String UserDocumentsFolder();
// The user's state folder, for what a program keeps between runs that is
// neither configuration nor a document (recent files): $XDG_STATE_HOME when
// it is an absolute path, else ~/.local/state/; ends with '/'.  Nothing is
// created.
String UserStateFolder();

// $TMPDIR when set, else the private folder "quorvy/tmp/" under the user's
// cache folder ($XDG_CACHE_HOME or ~/.cache), created with mode 0700.  Ends
// with '/'.  Raises EInOutError when the private folder cannot be made safe.
String GetTempPath();

// --- reading files ---
enum TOpenForReading { orOpened, orFailed, orNotRegular };
// Opens FileName for reading only when it is a regular file (after
// symbolic links).  orFailed: missing, unreadable or a folder, and errno
// says which (EISDIR for a folder); orNotRegular: a pipe, device or socket,
// which may block the open or never end, and is left unread.
TOpenForReading OpenRegularFile(QFile& File, const String& FileName);
// The same as a descriptor opened with Mode (O_RDONLY, O_RDWR), for a caller
// that keeps it itself: -1 unless Kind is orOpened.  The caller closes it.
int OpenRegularDescriptor(const String& FileName, int Mode, TOpenForReading& Kind);
// OpenRegularFile, raising the Dutch EInOutError that says why when the
// file cannot be read.
void OpenRegularFileOrRaise(QFile& File, const String& FileName);

// --- writing files ---
// Creates a new file for writing (mode 0600) and returns its descriptor;
// fails when anything, even a dangling symbolic link, already has the name.
// Raises EInOutError.  The caller closes the descriptor.
int CreateFileExclusive(const String& FileName);
// CreateFileExclusive, write Bytes, flush to disk, close; on failure the new
// file is removed and EInOutError raised.
void WriteFileExclusive(const String& FileName, const QByteArray& Bytes);

// Replaces FileName with Bytes so that readers and crashes see either the old
// or the new file, never a mix: the bytes go to a temporary file in the same
// folder, are flushed to disk and renamed over the target, and then the
// folder is flushed so that the rename itself is on disk.  A replaced file
// keeps its permissions; a symbolic link keeps pointing at the file it named.
// On failure the temporary file is removed, the old file stays as it was and
// EInOutError is raised with a message naming FileName.  When only the last
// flush fails the new file is in place but not known to be on disk; that is
// raised as a failed write too, so that the caller writes it again.
// Temporary files that earlier saves of the file abandoned are removed
// first (see SaveTemps.h).
void SaveFileAtomically(const String& FileName, const QByteArray& Bytes);

// Flushes the folder entry of FileName (just renamed into place) to disk and
// returns 0 or the errno value of the failure.  SaveFileAtomically calls the
// installed hook instead of the real flush; tests install one to make the
// flush fail or to see which files were saved in which order.  An empty hook
// puts the real flush back.
using TFolderSyncHook = std::function<int(const String& FileName)>;
void SetFolderSyncHook(TFolderSyncHook Hook);

// --- failures ---
// Why a file could not be opened, read or written, in Dutch, for the end of
// a message: the reasons a user meets by name ("geen toegang (onvoldoende
// rechten)", "de schijf is vol", "het bestandssysteem is alleen-lezen", "de
// map of het bestand bestaat niet", "het bestand is in gebruik" ...), any
// other errno value as "systeemfout <code>".  The system's own texts are
// English, and every message the program shows is Dutch.
String SysErrorMessage(int ErrorCode);
// The same for a Qt device that failed: a file by the kind of error it
// reports (Qt keeps no errno value), any other device in general words.
String DeviceErrorMessage(const QIODevice& Device);
// EInOutError "Het bestand "<FileName>" kan niet worden <Done>: <reason>."
// for a step ("geopend", "opgeslagen" ...) that failed with errno Code.
EInOutError FileError(const String& FileName, const String& Done, int Code);
EInOutError FileError(const String& FileName, const String& Done, const String& Reason, int Code = 0);
