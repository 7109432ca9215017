#include "platform/rtl/FileUtils.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SaveTemps.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

QByteArray Native(const String& Path)
{
    return QFile::encodeName(Path);
}

bool StatPath(const String& Path, struct stat& Info)
{
    return !Path.isEmpty() && ::stat(Native(Path).constData(), &Info) == 0;
}

bool LStatPath(const String& Path, struct stat& Info)
{
    return !Path.isEmpty() && ::lstat(Native(Path).constData(), &Info) == 0;
}

// Writes everything, retrying short writes and interrupted calls.
bool WriteAll(int Fd, const QByteArray& Bytes)
{
    const char* P = Bytes.constData();
    qsizetype Left = Bytes.size();
    while (Left > 0) {
        const ssize_t Done = ::write(Fd, P, size_t(Left));
        if (Done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        P += Done;
        Left -= Done;
    }
    return true;
}

// The permission bits a newly created file would get from the process umask,
// read without changing it (umask() itself cannot be queried safely).
mode_t DefaultFileMode()
{
    mode_t Mask = 022;
    QFile Status(QStringLiteral("/proc/self/status"));
    if (Status.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> Lines = Status.readAll().split('\n');
        for (const QByteArray& Line : Lines) {
            if (Line.startsWith("Umask:")) {
                bool Ok = false;
                const uint Value = Line.mid(6).trimmed().toUInt(&Ok, 8);
                if (Ok)
                    Mask = mode_t(Value);
                break;
            }
        }
    }
    return 0666 & ~Mask;
}

TFolderSyncHook& FolderSyncHook()
{
    static TFolderSyncHook Hook;
    return Hook;
}

TNameLimitHook& NameLimitHook()
{
    static TNameLimitHook Hook;
    return Hook;
}

int SyncFolderOf(const String& FileName)
{
    const String Folder = ExtractFileDir(FileName);
    const int Fd = ::open(Native(Folder.isEmpty() ? QStringLiteral(".") : Folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd < 0)
        return errno;
    const int Code = ::fsync(Fd) == 0 ? 0 : errno;
    ::close(Fd);
    return Code;
}

// Some file systems cannot flush a folder at all and say so; there is
// nothing more to be had there, and refusing every save would help no one.
bool FolderSyncUnsupported(int Code)
{
    return Code == EINVAL || Code == EROFS || Code == ENOTSUP;
}

// The wildcard as a regular expression: '*' any run, '?' one character.
QRegularExpression MaskExpression(const String& Mask)
{
    String Pattern;
    Pattern.reserve(Mask.size() * 2 + 4);
    for (QChar C : Mask) {
        if (C == QLatin1Char('*'))
            Pattern += QStringLiteral(".*");
        else if (C == QLatin1Char('?'))
            Pattern += QLatin1Char('.');
        else
            Pattern += QRegularExpression::escape(String(C));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(Pattern),
                              QRegularExpression::CaseInsensitiveOption
                                  | QRegularExpression::DotMatchesEverythingOption);
}

int EntryAttr(const String& Name, const struct stat& Info, bool IsLink)
{
    int Attr = 0;
    if (S_ISDIR(Info.st_mode))
        Attr |= faDirectory;
    else if (S_ISREG(Info.st_mode))
        Attr |= faArchive;
    else
        Attr |= faSysFile;
    if (Name.startsWith(QLatin1Char('.')))
        Attr |= faHidden;
    if ((Info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        Attr |= faReadOnly;
    if (IsLink)
        Attr |= faSymLink;
    return Attr;
}

// Fills F from the next pending name that still exists and passes the
// attribute filter.
int FindMatching(TSearchRec& F)
{
    while (!F.FPending.isEmpty()) {
        const String Name = F.FPending.takeFirst();
        const String Full = F.FPath + Name;
        struct stat Info;
        struct stat LinkInfo;
        if (!LStatPath(Full, LinkInfo))
            continue;
        const bool IsLink = S_ISLNK(LinkInfo.st_mode);
        if (!StatPath(Full, Info))
            Info = LinkInfo;  // a dangling link is reported as itself
        const int Attr = EntryAttr(Name, Info, IsLink);
        if ((Attr & F.ExcludeAttr) != 0)
            continue;
        F.Name = Name;
        F.Attr = Attr;
        F.Size = S_ISREG(Info.st_mode) ? std::int64_t(Info.st_size) : 0;
        F.Time = std::int64_t(Info.st_mtime);
        return 0;
    }
    return 18;
}

// $HOME, with a trailing '/'.
String HomeFolder()
{
    String Home = qEnvironmentVariable("HOME");
    if (Home.isEmpty())
        Home = QDir::homePath();
    return IncludeTrailingPathDelimiter(Home);
}

// $Variable when it names an absolute folder, else Fallback under the home
// folder; with a trailing '/'.
String XdgFolder(const char* Variable, const String& Fallback)
{
    // Relative values are invalid by the XDG rules and are ignored.
    const String Xdg = qEnvironmentVariable(Variable);
    if (!Xdg.isEmpty() && Xdg.startsWith(PathDelim))
        return IncludeTrailingPathDelimiter(Xdg);
    return HomeFolder() + Fallback;
}

String CacheFolder()
{
    return XdgFolder("XDG_CACHE_HOME", QStringLiteral(".cache/"));
}

EInOutError FolderError(const String& Dir, int Code)
{
    return EInOutError(QStringLiteral("De map \"%1\" kan niet worden aangemaakt: %2.").arg(Dir, SysErrorMessage(Code)),
                       Code);
}

EInOutError NotPrivate(const String& Dir, int Code)
{
    return EInOutError(QStringLiteral("De tijdelijke map \"%1\" kan niet veilig worden gebruikt: hij is niet van deze "
                                      "gebruiker alleen.")
                           .arg(Dir),
                       Code);
}

// Makes Folder exist as a real folder of ours with mode 0700, refusing a
// symbolic link or a folder that belongs to someone else.
void MakePrivateFolder(const String& Folder)
{
    const String Dir = ExcludeTrailingPathDelimiter(Folder);
    if (::mkdir(Native(Dir).constData(), 0700) != 0 && errno != EEXIST)
        throw FolderError(Dir, errno);
    struct stat Info;
    if (!LStatPath(Dir, Info) || !S_ISDIR(Info.st_mode) || Info.st_uid != ::geteuid())
        throw NotPrivate(Dir, 0);
    if ((Info.st_mode & 0777) != 0700 && ::chmod(Native(Dir).constData(), 0700) != 0)
        throw NotPrivate(Dir, errno);
}

}  // namespace

// ---------------------------------------------------------------------------
// Questions

bool FileExists(const String& FileName)
{
    struct stat Info;
    return StatPath(FileName, Info) && !S_ISDIR(Info.st_mode);
}

bool DirectoryExists(const String& Directory)
{
    struct stat Info;
    return StatPath(Directory, Info) && S_ISDIR(Info.st_mode);
}

int MaxFileNameLength(const String& Folder)
{
    // The limit of nearly every Linux file system, what POSIX lets a system
    // leave unsaid, and the most any is taken at its word for.  FAT and exFAT
    // (USB sticks) say 1530 while their names hold 255 UTF-16 units: 255
    // bytes of plain letters, more only for names of other characters.  At
    // 255 bytes a few of those are refused that would fit, never one that
    // is too long.
    constexpr long Highest = 255;
    const String Where = Folder.isEmpty() ? QStringLiteral(".") : Folder;
    const TNameLimitHook& Hook = NameLimitHook();
    const long Limit = Hook ? Hook(Where) : ::pathconf(Native(Where).constData(), _PC_NAME_MAX);
    return int(Limit > 0 && Limit <= Highest ? Limit : Highest);
}

void SetNameLimitHook(TNameLimitHook Hook)
{
    NameLimitHook() = std::move(Hook);
}

bool FileNameFits(const String& FileName)
{
    // PATH_MAX counts the terminating zero byte.
    return Native(FileName).size() < PATH_MAX
        && Native(ExtractFileName(FileName)).size() <= MaxFileNameLength(ExtractFileDir(FileName));
}

std::int64_t FileSize(const String& FileName)
{
    struct stat Info;
    if (!StatPath(FileName, Info) || S_ISDIR(Info.st_mode))
        return -1;
    return std::int64_t(Info.st_size);
}

std::int64_t FileAge(const String& FileName)
{
    struct stat Info;
    if (!StatPath(FileName, Info) || S_ISDIR(Info.st_mode))
        return -1;
    return std::int64_t(Info.st_mtime);
}

bool FileAge(const String& FileName, TDateTime& FileDateTime)
{
    const std::int64_t Age = FileAge(FileName);
    if (Age < 0)
        return false;
    FileDateTime = FileDateToDateTime(Age);
    return true;
}

TDateTime FileDateToDateTime(std::int64_t FileDate)
{
    const QDateTime Local = QDateTime::fromSecsSinceEpoch(FileDate).toLocalTime();
    const QDate D = Local.date();
    const QTime T = Local.time();
    TDateTime Result = 0;
    if (!TryEncodeDate(D.year(), D.month(), D.day(), Result))
        return 0;
    return ComposeDateTime(Result, EncodeTime(T.hour(), T.minute(), T.second(), 0));
}

// ---------------------------------------------------------------------------
// Changes

bool ForceDirectories(const String& Dir)
{
    const String Path = ExcludeTrailingPathDelimiter(Dir);
    if (Path.isEmpty())
        return false;
    if (DirectoryExists(Path))
        return true;
    const String Parent = ExtractFileDir(Path);
    if (Parent != Path && !Parent.isEmpty() && !ForceDirectories(Parent))
        return false;
    return CreateDir(Path) || DirectoryExists(Path);
}

bool CreateDir(const String& Dir)
{
    return !Dir.isEmpty() && ::mkdir(Native(Dir).constData(), 0777) == 0;
}

bool RemoveDir(const String& Dir)
{
    return !Dir.isEmpty() && ::rmdir(Native(ExcludeTrailingPathDelimiter(Dir)).constData()) == 0;
}

bool DeleteFile(const String& FileName)
{
    struct stat Info;
    if (!LStatPath(FileName, Info) || S_ISDIR(Info.st_mode))
        return false;
    return ::unlink(Native(FileName).constData()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName)
{
    if (OldName.isEmpty() || NewName.isEmpty())
        return false;
    const QByteArray From = Native(OldName);
    const QByteArray To = Native(NewName);
    if (::renameat2(AT_FDCWD, From.constData(), AT_FDCWD, To.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace flag: link and unlink keep the
    // guarantee for files; folders fall back to a checked rename.
    struct stat Info;
    if (LStatPath(NewName, Info))
        return false;
    if (::link(From.constData(), To.constData()) == 0)
        return ::unlink(From.constData()) == 0;
    return ::rename(From.constData(), To.constData()) == 0;
}

// ---------------------------------------------------------------------------
// Path text

String ExtractFilePath(const String& FileName)
{
    return FileName.left(FileName.lastIndexOf(PathDelim) + 1);
}

String ExtractFileDir(const String& FileName)
{
    int I = int(FileName.lastIndexOf(PathDelim));
    // The root keeps its delimiter, and so does a doubled one, so that the
    // result never turns an absolute path into a relative one.
    if (I > 0 && FileName.at(I - 1) != PathDelim)
        return FileName.left(I);
    return FileName.left(I + 1);
}

String ExtractFileName(const String& FileName)
{
    return FileName.mid(FileName.lastIndexOf(PathDelim) + 1);
}

String ExtractFileExt(const String& FileName)
{
    const qsizetype Dot = FileName.lastIndexOf(QLatin1Char('.'));
    if (Dot < 0 || Dot < FileName.lastIndexOf(PathDelim))
        return String();
    return FileName.mid(Dot);
}

String ChangeFileExt(const String& FileName, const String& Extension)
{
    const qsizetype Dot = FileName.lastIndexOf(QLatin1Char('.'));
    if (Dot < 0 || Dot < FileName.lastIndexOf(PathDelim))
        return FileName + Extension;
    return FileName.left(Dot) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S)
{
    return S.endsWith(PathDelim) ? S : S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S)
{
    // The root stays "/", or the result would name the current folder.
    if (S.size() > 1 && S.endsWith(PathDelim))
        return S.left(S.size() - 1);
    return S;
}

String ExpandFileName(const String& FileName)
{
    if (FileName.isEmpty())
        return String();
    String Result = QDir::cleanPath(QDir::current().absoluteFilePath(FileName));
    if (FileName.endsWith(PathDelim))
        Result = IncludeTrailingPathDelimiter(Result);
    return Result;
}

namespace {

// realpath(3) of Path, or empty when some part of it does not exist.
String RealPath(const String& Path)
{
    char* Real = ::realpath(Native(Path).constData(), nullptr);
    if (Real == nullptr)
        return String();
    const String Result = QFile::decodeName(Real);
    std::free(Real);
    return Result;
}

} // namespace

String CanonicalFileName(const String& FileName)
{
    if (FileName.isEmpty())
        return String();
    // Not cleaned first: ".." after a link climbs from the link's target.
    String Existing = FileName.startsWith(PathDelim) ? FileName : GetCurrentDir() + PathDelim + FileName;
    String Rest;
    for (;;) {
        const String Real = RealPath(Existing);
        if (!Real.isEmpty())
            return QDir::cleanPath(Rest.isEmpty() ? Real : Real + PathDelim + Rest);
        while (Existing.size() > 1 && Existing.endsWith(PathDelim))
            Existing.chop(1);
        const qsizetype Slash = Existing.lastIndexOf(PathDelim);
        if (Slash < 0 || Existing.size() <= 1)
            return QDir::cleanPath(FileName);
        const String Part = Existing.mid(Slash + 1);
        Rest = Rest.isEmpty() ? Part : Part + PathDelim + Rest;
        Existing = Slash == 0 ? String(PathDelim) : Existing.left(Slash);
    }
}

bool SamePath(const String& A, const String& B)
{
    return !A.isEmpty() && !B.isEmpty() && CanonicalFileName(A) == CanonicalFileName(B);
}

String GetCurrentDir()
{
    return QDir::currentPath();
}

bool SetCurrentDir(const String& Dir)
{
    return !Dir.isEmpty() && QDir::setCurrent(Dir);
}

// ---------------------------------------------------------------------------
// Searching

bool MatchesMask(const String& FileName, const String& Mask)
{
    if (Mask == QLatin1String("*") || Mask == QLatin1String("*.*"))
        return true;
    return MaskExpression(Mask).match(FileName).hasMatch();
}

int FindFirst(const String& Path, int Attr, TSearchRec& F)
{
    F = TSearchRec();
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    F.FPath = ExtractFilePath(Path);
    String Mask = ExtractFileName(Path);
    if (Mask.isEmpty())
        return 2;
    QDir Dir(F.FPath.isEmpty() ? QStringLiteral(".") : F.FPath);
    if (!Dir.exists())
        return 3;
    const QStringList Names =
        Dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDir::NoSort);
    for (const String& Name : Names) {
        if (MatchesMask(Name, Mask))
            F.FPending.append(Name);
    }
    std::sort(F.FPending.begin(), F.FPending.end(), [](const String& A, const String& B) {
        const int C = A.compare(B, Qt::CaseInsensitive);
        return C != 0 ? C < 0 : A < B;
    });
    const int Result = FindMatching(F);
    return Result == 0 ? 0 : 2;
}

int FindNext(TSearchRec& F)
{
    return FindMatching(F);
}

void FindClose(TSearchRec& F)
{
    F.FPending.clear();
}

// ---------------------------------------------------------------------------
// The program

String ProgramFileName()
{
    const String Exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (!Exe.isEmpty())
        return Exe;
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationFilePath();
    return String();
}

String ProgramFolder()
{
    return ExtractFilePath(ProgramFileName());
}

namespace {
QStringList CommandLine()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::arguments();
    QFile File(QStringLiteral("/proc/self/cmdline"));
    QStringList Result;
    if (File.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> Parts = File.readAll().split('\0');
        for (const QByteArray& Part : Parts)
            Result.append(QFile::decodeName(Part));
        if (!Result.isEmpty() && Result.last().isEmpty())
            Result.removeLast();
    }
    return Result;
}
}  // namespace

String ParamStr(int Index)
{
    if (Index == 0)
        return ProgramFileName();
    const QStringList Args = CommandLine();
    return Index > 0 && Index < Args.size() ? Args.at(Index) : String();
}

int ParamCount()
{
    return std::max(0, int(CommandLine().size()) - 1);
}

String UserConfigFolder()
{
    return XdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config/"));
}

String UserDocumentsFolder()
{
    // Qt reads the desktop's user folders file and falls back to ~/Documents.
    const String Folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (Folder.isEmpty())
        return HomeFolder() + QStringLiteral("Documents/");
    return IncludeTrailingPathDelimiter(Folder);
}

String UserStateFolder()
{
    return XdgFolder("XDG_STATE_HOME", QStringLiteral(".local/state/"));
}

String GetTempPath()
{
    const String TmpDir = qEnvironmentVariable("TMPDIR");
    if (!TmpDir.isEmpty())
        return IncludeTrailingPathDelimiter(TmpDir);
    const String Cache = CacheFolder();
    const String App = Cache + QStringLiteral("quorvy/");
    const String Tmp = App + QStringLiteral("tmp/");
    // The cache folder itself may be shared or a link the user made on
    // purpose; only the folders we create must be private.
    if (!ForceDirectories(Cache))
        throw FolderError(ExcludeTrailingPathDelimiter(Cache), errno);
    MakePrivateFolder(App);
    MakePrivateFolder(Tmp);
    return Tmp;
}

// ---------------------------------------------------------------------------
// Reading

int OpenRegularDescriptor(const String& FileName, int Mode, TOpenForReading& Kind)
{
    Kind = orFailed;
    if (FileName.isEmpty()) {
        errno = ENOENT;
        return -1;
    }
    // Without blocking: opening a pipe would wait for a writer.  What the
    // name is, is asked of the open file, so it cannot change in between.
    const int Fd = ::open(Native(FileName).constData(), Mode | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0)
        return -1;
    struct stat Info;
    const bool Known = ::fstat(Fd, &Info) == 0;
    int Code = Known ? 0 : errno;
    if (Known && S_ISDIR(Info.st_mode))
        Code = EISDIR;
    Kind = !Known || S_ISDIR(Info.st_mode) ? orFailed : S_ISREG(Info.st_mode) ? orOpened : orNotRegular;
    if (Kind == orOpened && ::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) & ~O_NONBLOCK) != 0)
        Code = errno;
    if (Code != 0 || Kind != orOpened) {
        ::close(Fd);
        errno = Code != 0 ? Code : EIO;
        if (Kind == orOpened)
            Kind = orFailed;
        return -1;
    }
    return Fd;
}

TOpenForReading OpenRegularFile(QFile& File, const String& FileName)
{
    TOpenForReading Kind;
    const int Fd = OpenRegularDescriptor(FileName, O_RDONLY, Kind);
    if (Fd < 0)
        return Kind;
    if (!File.open(Fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(Fd);
        errno = EIO;
        return orFailed;
    }
    return orOpened;
}

void OpenRegularFileOrRaise(QFile& File, const String& FileName)
{
    switch (OpenRegularFile(File, FileName)) {
    case orOpened:
        return;
    case orNotRegular:
        throw FileError(FileName, QStringLiteral("geopend"), QStringLiteral("het is geen gewoon bestand"));
    case orFailed:
        throw FileError(FileName, QStringLiteral("geopend"), FileName.isEmpty() ? ENOENT : errno);
    }
}

// ---------------------------------------------------------------------------
// Writing

int CreateFileExclusive(const String& FileName)
{
    const int Fd = FileName.isEmpty()
                       ? -1
                       : ::open(Native(FileName).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (Fd < 0) {
        const int Code = FileName.isEmpty() ? ENOENT : errno;
        throw FileError(FileName, QStringLiteral("aangemaakt"), Code);
    }
    return Fd;
}

void WriteFileExclusive(const String& FileName, const QByteArray& Bytes)
{
    const int Fd = CreateFileExclusive(FileName);
    bool Ok = WriteAll(Fd, Bytes) && ::fsync(Fd) == 0;
    int Code = Ok ? 0 : errno;
    if (::close(Fd) != 0 && Ok) {
        Ok = false;
        Code = errno;
    }
    if (!Ok) {
        ::unlink(Native(FileName).constData());
        throw FileError(FileName, QStringLiteral("geschreven"), Code);
    }
}

void SaveFileAtomically(const String& FileName, const QByteArray& Bytes)
{
    auto Fail = [&FileName](int Code) { throw FileError(FileName, QStringLiteral("opgeslagen"), Code); };
    auto NotOnDisk = [&FileName](int Code) {
        throw EInOutError(QStringLiteral("Het bestand \"%1\" is vervangen, maar staat misschien nog niet op de "
                                         "schijf: %2.")
                              .arg(FileName, SysErrorMessage(Code)),
                          Code);
    };
    if (FileName.isEmpty() || FileName.endsWith(PathDelim))
        Fail(EISDIR);

    // Replace the file a symbolic link names, not the link.
    const String Target = SaveTarget(FileName);
    // A folder in the way is found by the rename itself, which refuses it.
    struct stat Old;
    const bool Exists = StatPath(Target, Old) && !S_ISDIR(Old.st_mode);

    RemoveAbandonedTempFiles(Target);
    QByteArray Temp;
    const int Fd = CreateSaveTemp(Target, Temp);
    if (Fd < 0)
        Fail(errno);

    // The target's permissions before the first byte: no copy of the data,
    // a leftover of a killed save included, allows more than the file does.
    const mode_t Mode = Exists ? (Old.st_mode & 07777) : DefaultFileMode();
    bool Ok = ::fchmod(Fd, Mode) == 0 && WriteAll(Fd, Bytes) && ::fsync(Fd) == 0
              && ::rename(Temp.constData(), Native(Target).constData()) == 0;
    int Code = Ok ? 0 : errno;
    if (!Ok) {
        ::unlink(Temp.constData());
        ::close(Fd);
        Fail(Code);
    }
    // Closing releases the lock, so it waits until the name is gone: a
    // cleaner must never take a finished file for an abandoned one.
    if (::close(Fd) != 0)
        NotOnDisk(errno);
    const TFolderSyncHook& Hook = FolderSyncHook();
    Code = Hook ? Hook(Target) : SyncFolderOf(Target);
    if (Code != 0 && !FolderSyncUnsupported(Code))
        NotOnDisk(Code);
}

void SetFolderSyncHook(TFolderSyncHook Hook)
{
    FolderSyncHook() = std::move(Hook);
}

// ---------------------------------------------------------------------------
// Failures

String SysErrorMessage(int ErrorCode)
{
    static const struct {
        int Code;
        const char* Reason;
    } Reasons[] = {
        {EACCES, "geen toegang (onvoldoende rechten)"},
        {EPERM, "geen toegang (onvoldoende rechten)"},
        {ENOSPC, "de schijf is vol"},
        {EDQUOT, "de toegestane schijfruimte is op"},
        {EFBIG, "het bestand wordt te groot"},
        {EROFS, "het bestandssysteem is alleen-lezen"},
        {ENOENT, "de map of het bestand bestaat niet"},
        {ENOTDIR, "een deel van het pad is geen map"},
        {EISDIR, "er staat een map met die naam"},
        {EEXIST, "er bestaat al een bestand met die naam"},
        {ETXTBSY, "het bestand is in gebruik"},
        {EBUSY, "het bestand is in gebruik"},
        {EAGAIN, "het bestand is in gebruik"},
        {ENAMETOOLONG, "de naam is te lang"},
        {ELOOP, "het pad leidt in een kringetje van koppelingen"},
        {EMFILE, "er zijn te veel bestanden geopend"},
        {ENFILE, "er zijn te veel bestanden geopend"},
        {EIO, "de schijf gaf een lees- of schrijffout"},
    };
    for (const auto& R : Reasons)
        if (R.Code == ErrorCode)
            return QString::fromUtf8(R.Reason);
    if (ErrorCode == 0)
        return QStringLiteral("de oorzaak is onbekend");
    return QStringLiteral("systeemfout %1").arg(ErrorCode);
}

String DeviceErrorMessage(const QIODevice& Device)
{
    const auto* File = qobject_cast<const QFileDevice*>(&Device);
    if (File == nullptr)
        return QStringLiteral("de gegevens konden niet worden doorgegeven");
    switch (File->error()) {
    case QFileDevice::NoError:
        return SysErrorMessage(0);
    case QFileDevice::ReadError:
        return QStringLiteral("het bestand kan niet worden gelezen");
    case QFileDevice::WriteError:
        return QStringLiteral("het bestand kan niet worden geschreven");
    case QFileDevice::ResourceError:
        // What Qt reports for a full disk, and for too many open files.
        return QStringLiteral("de schijf is vol of het systeem heeft te weinig middelen");
    case QFileDevice::PermissionsError:
        return SysErrorMessage(EACCES);
    default:
        return QStringLiteral("bestandsfout %1").arg(int(File->error()));
    }
}

EInOutError FileError(const String& FileName, const String& Done, int Code)
{
    return FileError(FileName, Done, SysErrorMessage(Code), Code);
}

EInOutError FileError(const String& FileName, const String& Done, const String& Reason, int Code)
{
    return EInOutError(QStringLiteral("Het bestand \"%1\" kan niet worden %2: %3.").arg(FileName, Done, Reason), Code);
}
