// The writer that crash_saves.sh kills at random moments, and the checks of
// what it leaves on disk.
//
//   crash_writer init DIR PERSONS  makes the contact file DIR/Familie.quorvy
//                                  (mode 0600) and DIR/quorvy.ini
//   crash_writer run DIR LOG       opens, changes and closes the contact file
//                                  and saves the settings, until killed; marks
//                                  each step in LOG
//   crash_writer settings DIR      saves the settings until SIGTERM, as a
//                                  second copy of the program would; then
//                                  prints "saves=N failures=M"
//   crash_writer check DIR         checks the files as they lie on disk and
//                                  prints one line; exit status 1 on a fault
//   crash_writer once DIR          opens and closes the contact file
//
// Every address and group carries a tag of its own, and every person
// records the tags of the address and group it was given.  A person whose
// key names a record with another tag has been adopted by a record that
// reused a lost key: the fault this test is after.
#include "app/qv_data.h"
#include "platform/db/Fields.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/IniFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString ContactName = QStringLiteral("Familie.quorvy");
const QString SettingsName = QStringLiteral("quorvy.ini");

// Marks are written unbuffered, so that they are on record up to the
// instant of the kill.
class TMarks {
public:
    explicit TMarks(const QString& LogFile)
        : FFd(::open(QFile::encodeName(LogFile).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600))
    {
    }
    void Mark(const QString& Text) const
    {
        const QByteArray Line = Text.toUtf8() + '\n';
        if (FFd >= 0 && ::write(FFd, Line.constData(), size_t(Line.size())) < 0)
            std::perror("mark");
    }

private:
    int FFd;
};

QString NewTag()
{
    return QString::number(QRandomGenerator::global()->generate64(), 36);
}

QString PersonTags(const QString& AddressTag, const QString& GroupTag)
{
    return QStringLiteral("adres=%1;groep=%2").arg(AddressTag, GroupTag);
}

std::unique_ptr<TDataModuleMain, TComponentDeleter> NewModule()
{
    return std::unique_ptr<TDataModuleMain, TComponentDeleter>(CreateComponent<TDataModuleMain>(nullptr));
}

void AddAddress(TDataModuleMain* DM, int Id, const QString& Tag)
{
    TClientDataSet* A = DM->cdsAdres;
    A->Append();
    A->FieldByName("ID_ADRES")->SetAsInteger(Id);
    A->FieldByName("STRAAT_NAAM")->SetAsString(QStringLiteral("Dorpsstraat"));
    A->FieldByName("HUIS_NUMMER")->SetAsString(QString::number(Id % 999 + 1));
    A->FieldByName("WOON_PLAATS")->SetAsString(Tag);
    A->Post();
}

void AddGroup(TDataModuleMain* DM, int Id, const QString& Tag)
{
    TClientDataSet* G = DM->cdsGroep;
    G->Append();
    G->FieldByName("ID_GROEP")->SetAsInteger(Id);
    G->FieldByName("GROEP_NAAM")->SetAsString(Tag);
    G->Post();
}

void AddPerson(TDataModuleMain* DM, int Id, int Adres, const QString& AdresTag, int Groep, const QString& GroepTag)
{
    TClientDataSet* P = DM->cdsQuorvy;
    P->Append();
    P->FieldByName("ID_QUORVY")->SetAsInteger(Id);
    P->FieldByName("ACHTER_NAAM")->SetAsString(QStringLiteral("Persoon %1").arg(Id));
    P->FieldByName("ROEP_NAAM")->SetAsString(QStringLiteral("Jan"));
    P->FieldByName("EMAIL_ADRES_1")->SetAsString(QStringLiteral("persoon%1@example.nl").arg(Id));
    P->FieldByName("ID_ADRES")->SetAsInteger(Adres);
    P->FieldByName("ID_GROEP")->SetAsInteger(Groep);
    P->FieldByName("OPMERKINGEN")->SetAsString(PersonTags(AdresTag, GroepTag));
    P->Post();
}

void SaveSettings(const QString& Dir, int Value)
{
    TIniFile Ini(Dir + SettingsName);
    Ini.WriteInteger(QStringLiteral("Crash"), QStringLiteral("Sessie"), Value);
}

int Init(const QString& Dir, int Persons)
{
    auto DM = NewModule();
    const QString Path = Dir + ContactName;
    DM->OpenFiles(Path, true);
    const int Addresses = std::max(1, Persons / 4);
    const int Groups = 50;
    QStringList AddressTags, GroupTags;
    for (int I = 1; I <= Addresses; ++I) {
        AddressTags << NewTag();
        AddAddress(DM.get(), I, AddressTags.last());
    }
    for (int I = 1; I <= Groups; ++I) {
        GroupTags << NewTag();
        AddGroup(DM.get(), I, GroupTags.last());
    }
    for (int I = 1; I <= Persons; ++I) {
        const int A = (I % Addresses) + 1;
        const int G = (I % Groups) + 1;
        AddPerson(DM.get(), I, A, AddressTags[A - 1], G, GroupTags[G - 1]);
    }
    DM->CloseFiles();
    // Narrower than the umask would give: what is left beside these files
    // must never allow more.
    for (const QString& Name : {ContactName, ContactName + ".adres", ContactName + ".groep"})
        ::chmod(QFile::encodeName(Dir + Name).constData(), 0600);
    SaveSettings(Dir, 0);
    ::chmod(QFile::encodeName(Dir + SettingsName).constData(), 0600);
    return 0;
}

// The highest record goes, and the references of the persons to it with it,
// so that its key is the one the next file session gives again.
void DeleteTop(TDataModuleMain* DM, TClientDataSet* Table, const QString& KeyField)
{
    Table->SetIndexName(KeyField + "_ASC");
    Table->Last();
    if (Table->IsEmpty())
        return;
    const int Key = Table->FieldByName(KeyField)->AsInteger();
    Table->Delete();
    TClientDataSet* P = DM->cdsQuorvy;
    while (P->Locate(KeyField, Key)) {
        P->Edit();
        P->FieldByName(KeyField)->SetAsInteger(-1);
        P->Post();
    }
}

void Session(TDataModuleMain* DM, const QString& Dir, int Number, const TMarks& Log)
{
    QRandomGenerator& R = *QRandomGenerator::global();
    Log.Mark(QStringLiteral("O"));
    DM->OpenFiles(Dir + ContactName, false);
    Log.Mark(QStringLiteral("o"));
    // An address and a group from an earlier session go first: their
    // residents and participants are in the person file on disk.
    if (R.bounded(2) == 0)
        DeleteTop(DM, DM->cdsAdres, QStringLiteral("ID_ADRES"));
    if (R.bounded(2) == 0)
        DeleteTop(DM, DM->cdsGroep, QStringLiteral("ID_GROEP"));
    // Often nothing new: then the key of the address that went is the one
    // the next session hands out again.
    const int New = R.bounded(2) == 0 ? 0 : int(R.bounded(1, 4));
    for (int I = 0; I < New; ++I) {
        const QString AdresTag = NewTag();
        const QString GroepTag = NewTag();
        const int A = ++DM->LastAdresID;
        const int G = ++DM->LastGroepID;
        AddAddress(DM, A, AdresTag);
        AddGroup(DM, G, GroepTag);
        AddPerson(DM, ++DM->LastQuorvyID, A, AdresTag, G, GroepTag);
        AddPerson(DM, ++DM->LastQuorvyID, A, AdresTag, -1, QString());
    }
    DM->cdsAdres->SetIndexName(QStringLiteral("ID_ADRES_ASC"));
    DM->cdsGroep->SetIndexName(QStringLiteral("GROEP_NAAM_ASC"));
    Log.Mark(QStringLiteral("S"));
    DM->CloseFiles();
    Log.Mark(QStringLiteral("E"));
    Log.Mark(QStringLiteral("I"));
    SaveSettings(Dir, Number);
    Log.Mark(QStringLiteral("i"));
}

// The real folder flush, with a mark after each rename so that the script
// sees which table a kill interrupted.
int FlushAndMark(const TMarks& Log, const String& FileName)
{
    Log.Mark(QStringLiteral("w ") + ExtractFileName(FileName));
    const int Fd = ::open(QFile::encodeName(ExtractFileDir(FileName)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd < 0)
        return errno;
    const int Code = ::fsync(Fd) == 0 ? 0 : errno;
    ::close(Fd);
    return Code;
}

int Run(const QString& Dir, const QString& LogFile)
{
    const TMarks Log(LogFile);
    SetFolderSyncHook([&Log](const String& FileName) { return FlushAndMark(Log, FileName); });
    Log.Mark(QStringLiteral("start"));
    auto DM = NewModule();
    DM->ShowNotice = [&Log](const TDataModuleMain::TNotice& N) { Log.Mark(QStringLiteral("notice ") + N.Text); };
    for (int Number = 1;; ++Number)
        Session(DM.get(), Dir, Number, Log);
}

std::atomic<bool> Stop{false};

int Settings(const QString& Dir)
{
    std::signal(SIGTERM, [](int) { Stop = true; });
    long Saves = 0;
    long Failures = 0;
    while (!Stop) {
        try {
            SaveSettings(Dir, int(Saves % 100000));
        } catch (const Exception& E) {
            ++Failures;
            std::fprintf(stderr, "%s\n", qPrintable(E.Message()));
        }
        ++Saves;
    }
    std::printf("saves=%ld failures=%ld\n", Saves, Failures);
    return Failures == 0 ? 0 : 1;
}

int Once(const QString& Dir)
{
    auto DM = NewModule();
    DM->ShowNotice = [](const TDataModuleMain::TNotice& N) { std::printf("notice %s\n", qPrintable(N.Text)); };
    DM->OpenFiles(Dir + ContactName, false);
    DM->CloseFiles();
    SaveSettings(Dir, -1);
    return 0;
}

// --- checks ------------------------------------------------------------------

struct TCheck {
    int Live = 0;        // temporary files a running writer holds
    int Leftovers = 0;   // abandoned ones
    QStringList LeftoverNames;
    int LeftoverBytes = 0;
    int TooOpen = 0;     // leftovers that allow more than their target
    int Strangers = 0;   // other files that should not be there
    int Dangling = 0;    // references to records that are not there
    int Adopted = 0;     // references to records with another tag
    int Persons = 0;
    QStringList Faults;
};

const QStringList& Targets()
{
    static const QStringList Names = {ContactName, ContactName + ".adres", ContactName + ".groep", SettingsName};
    return Names;
}

mode_t ModeOf(const QString& Path)
{
    struct stat Info;
    return ::lstat(QFile::encodeName(Path).constData(), &Info) == 0 ? (Info.st_mode & 07777) : 0;
}

enum TTempState { tsGone, tsHeld, tsAbandoned };

// The second writer of the settings is at work all along: its temporary
// file may be renamed away, or not yet locked, at the instant it is looked
// at.  Only a file that stays, unheld, is abandoned.
TTempState StateOf(const QString& Path)
{
    for (int Look = 0; Look < 2; ++Look) {
        const int Fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_CLOEXEC);
        if (Fd < 0)
            return tsGone;
        const bool Held = ::flock(Fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(Fd);
        if (Held)
            return tsHeld;
        ::usleep(20000);
    }
    return tsAbandoned;
}

void CheckFolder(const QString& Dir, TCheck& C)
{
    const QStringList Names = QDir(Dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& Name : Names) {
        if (Targets().contains(Name))
            continue;
        bool Leftover = false;
        for (const QString& Target : Targets()) {
            // A save's temporary file: ".<name>.quorvytmp-" and six random
            // letters or digits.
            static const QRegularExpression Random(QStringLiteral("^[A-Za-z0-9]{6}$"));
            const QString Prefix = "." + Target + ".quorvytmp-";
            if (Name.startsWith(Prefix) && Random.match(Name.mid(Prefix.size())).hasMatch()) {
                Leftover = true;
                const TTempState State = StateOf(Dir + Name);
                if (State == tsHeld)
                    ++C.Live;
                if (State != tsAbandoned)
                    continue;
                ++C.Leftovers;
                C.LeftoverNames << Name;
                C.LeftoverBytes += int(QFileInfo(Dir + Name).size());
                if ((ModeOf(Dir + Name) & ~ModeOf(Dir + Target)) != 0)
                    ++C.TooOpen;
            }
        }
        if (!Leftover)
            ++C.Strangers;
    }
}

// Loads a table file as it lies, without the clean-up of an open.
std::unique_ptr<TClientDataSet, TComponentDeleter> LoadCopy(const QString& Dir, const QString& Name,
                                                            const QString& Scratch)
{
    QFile::remove(Scratch + Name);
    if (!QFile::copy(Dir + Name, Scratch + Name))
        throw EInOutError(QStringLiteral("cannot copy %1").arg(Name));
    std::unique_ptr<TClientDataSet, TComponentDeleter> T(CreateComponent<TClientDataSet>(nullptr));
    T->LoadFromFile(Scratch + Name);
    return T;
}

QHash<int, QString> TagsOf(TClientDataSet* T, const QString& KeyField, const QString& TagField)
{
    QHash<int, QString> Tags;
    for (T->First(); !T->Eof(); T->Next())
        Tags.insert(T->FieldByName(KeyField)->AsInteger(), T->FieldByName(TagField)->AsString());
    return Tags;
}

void CheckLink(int Key, const QString& Tag, const QHash<int, QString>& Tags, TCheck& C)
{
    if (Key == -1)
        return;
    const auto Found = Tags.find(Key);
    if (Found == Tags.end())
        ++C.Dangling;
    else if (Found.value() != Tag)
        ++C.Adopted;
}

void CheckReferences(const QString& Dir, const QString& Scratch, TCheck& C)
{
    auto Persons = LoadCopy(Dir, ContactName, Scratch);
    auto Addresses = LoadCopy(Dir, ContactName + ".adres", Scratch);
    auto Groups = LoadCopy(Dir, ContactName + ".groep", Scratch);
    const QHash<int, QString> AddressTags = TagsOf(Addresses.get(), "ID_ADRES", "WOON_PLAATS");
    const QHash<int, QString> GroupTags = TagsOf(Groups.get(), "ID_GROEP", "GROEP_NAAM");
    static const QRegularExpression Recorded(QStringLiteral("^adres=(\\w*);groep=(\\w*)$"));
    TClientDataSet* P = Persons.get();
    for (P->First(); !P->Eof(); P->Next()) {
        ++C.Persons;
        const auto M = Recorded.match(P->FieldByName("OPMERKINGEN")->AsString());
        if (!M.hasMatch()) {
            C.Faults << QStringLiteral("person %1 without tags").arg(P->FieldByName("ID_QUORVY")->AsInteger());
            continue;
        }
        CheckLink(P->FieldByName("ID_ADRES")->AsInteger(), M.captured(1), AddressTags, C);
        CheckLink(P->FieldByName("ID_GROEP")->AsInteger(), M.captured(2), GroupTags, C);
    }
}

void CheckSettings(const QString& Dir, TCheck& C)
{
    QFile F(Dir + SettingsName);
    if (!F.open(QIODevice::ReadOnly)) {
        C.Faults << QStringLiteral("settings missing");
        return;
    }
    static const QRegularExpression Whole(QStringLiteral("^\\[Crash\\]\\r\\nSessie=-?\\d+\\r\\n$"));
    if (!Whole.match(QString::fromUtf8(F.readAll())).hasMatch())
        C.Faults << QStringLiteral("settings torn");
}

int Check(const QString& Dir)
{
    TCheck C;
    CheckFolder(Dir, C);
    const QString Scratch = QDir::cleanPath(Dir + "../check-scratch") + "/";
    QDir().mkpath(Scratch);
    try {
        CheckReferences(Dir, Scratch, C);
        // And the program opens the copies, whatever it has to repair.
        auto DM = NewModule();
        DM->ShowNotice = [](const TDataModuleMain::TNotice&) {};
        DM->OpenFiles(Scratch + ContactName, false);
    } catch (const Exception& E) {
        C.Faults << QStringLiteral("does not load: ") + E.Message();
    }
    CheckSettings(Dir, C);
    if (C.Adopted > 0)
        C.Faults << QStringLiteral("%1 references adopted by other records").arg(C.Adopted);
    if (C.TooOpen > 0)
        C.Faults << QStringLiteral("%1 leftovers allow more than their file").arg(C.TooOpen);
    if (C.Strangers > 0)
        C.Faults << QStringLiteral("%1 unexpected files").arg(C.Strangers);
    std::printf("%s persons=%d leftovers=%d leftover_bytes=%d live=%d dangling=%d adopted=%d [%s]%s%s\n",
                C.Faults.isEmpty() ? "ok" : "FAIL", C.Persons, C.Leftovers, C.LeftoverBytes, C.Live, C.Dangling,
                C.Adopted, qPrintable(C.LeftoverNames.join(' ')),
                C.Faults.isEmpty() ? "" : " : ", qPrintable(C.Faults.join("; ")));
    return C.Faults.isEmpty() ? 0 : 1;
}

int Usage()
{
    std::fprintf(stderr, "usage: crash_writer init DIR PERSONS | run DIR LOG | settings DIR | check DIR | once DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    const QStringList Args = App.arguments();
    if (Args.size() < 3)
        return Usage();
    const QString Mode = Args[1];
    const QString Dir = IncludeTrailingPathDelimiter(ExpandFileName(Args[2]));
    try {
        if (Mode == "init" && Args.size() == 4)
            return Init(Dir, Args[3].toInt());
        if (Mode == "run" && Args.size() == 4)
            return Run(Dir, Args[3]);
        if (Mode == "settings")
            return Settings(Dir);
        if (Mode == "check")
            return Check(Dir);
        if (Mode == "once")
            return Once(Dir);
    } catch (const Exception& E) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(E.ClassName()), qPrintable(E.Message()));
        return 1;
    }
    return Usage();
}
