// The table engine against SQLite, on the same synthetic contact files, in
// one run.  Every operation the address book leans on is timed on both
// sides at 1,000, 10,000 and 100,000 persons:
//
//   open_close    open a contact file (three tables) as the data module does
//                 (key index, highest key, display index, first record) and
//                 close it unchanged
//   load_close    read the three tables and close them, nothing else
//   index_first   switch the person index to a field for the first time
//                 (the order is built), per switch
//   index_cached  switch between five built indexes and back, per switch
//   find_key      exact key search on the last-name index
//   goto_nearest  nearest key search on the last-name index
//   full_pass     every person in index order, the display text of the 20
//                 fields the full-text search reads
//   post_1000     post 1,000 new persons
//   close_write   close a contact file with a change in each table (all
//                 three written back)
//
// SQLite does the same work with its own means: the database file is read
// whole into an in-memory database (backup API), an index is CREATE INDEX,
// a switch to a built index is a query ordered by it, the key searches are
// prepared statements, the pass reads the same 20 columns as UTF-16 text
// with dates formatted as the engine displays them, the posts are inserts in
// one transaction, and writing back is a backup to the file.
//
// After the Google Benchmark output a summary prints each figure as ours /
// SQLite, the memory per person and the file sizes.  The key searches and
// the pass also check that both sides found and read the same (counters
// "mismatches" and "chars"); QV_BENCH_DEBUG=1 lists the keys that differ.
#include "bench/BenchArgs.h"
#include "bench/ContactGenerator.h"
#include "bench/SqliteContact.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/db/ClientDataSet.h"

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point Start)
{
    return std::chrono::duration<double>(TClock::now() - Start).count();
}

const int GSizes[] = {1000, 10000, 100000};

// The five person fields the index benchmarks switch to: text, date, long
// text with many empty values, a phone number and an integer link.
const char* const GSwitchFields[] = {"ROEP_NAAM", "GEBOORTE_DATUM", "EMAIL_ADRES_1", "MOBIEL", "ID_GROEP"};


// --- the contact files ------------------------------------------------------

struct TBenchSet {
    int N = 0;
    QString ContactPath;   // persons; + ".adres", + ".groep"
    QString SqlitePath;
    qint64 OurBytes = 0;
    qint64 SqliteBytes = 0;
    std::vector<QString> ExactKeys;     // last names that exist, as typed (any case)
    std::vector<QString> NearKeys;      // beginnings of names + "zz": never a name itself
    std::vector<TBenchPerson> NewPersons;
    double GenerateSeconds = 0;
    std::string EngineError;   // why the engine's contact file could not be written
};

QTemporaryDir& WorkDir()
{
    static QTemporaryDir Dir(QDir::tempPath() + QStringLiteral("/quorvy-bench-XXXXXX"));
    if (!Dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    return Dir;
}

QString OurTablePath(const QString& ContactPath, const TBenchTableDef& Def)
{
    return ContactPath + QString::fromLatin1(Def.Extension);
}

[[maybe_unused]] qint64 OurFileBytes(const QString& ContactPath)
{
    qint64 Total = 0;
    for (const TBenchTableDef* Def : {&PersonTableDef(), &AdresTableDef(), &GroepTableDef()})
        Total += QFileInfo(OurTablePath(ContactPath, *Def)).size();
    return Total;
}

void CopyFile(const QString& From, const QString& To)
{
    QFile::remove(To);
    if (!QFile::copy(From, To))
        throw std::runtime_error("cannot copy " + From.toStdString());
}

const TBenchSet& BenchSet(int N)
{
    static std::map<int, std::unique_ptr<TBenchSet>> Sets;
    auto It = Sets.find(N);
    if (It != Sets.end())
        return *It->second;

    const auto Start = TClock::now();
    auto Set = std::make_unique<TBenchSet>();
    Set->N = N;
    const QString Base = WorkDir().filePath(QStringLiteral("contacts-%1").arg(N));
    Set->ContactPath = Base + QStringLiteral(".quorvy");
    Set->SqlitePath = Base + QStringLiteral(".sqlite");

    TContactGenerator Generator(20231123u + std::uint64_t(N));
    const TContactData Data = Generator.Generate(N);
    // An engine that cannot write its files still leaves the SQLite half to run.
    try {
        WriteContactFile(Data, Set->ContactPath);
        Set->OurBytes = OurFileBytes(Set->ContactPath);
    } catch (const std::exception& E) {
        Set->EngineError = E.what();
    }
    WriteSqliteFile(Data, Set->SqlitePath);
    Set->SqliteBytes = QFileInfo(Set->SqlitePath).size();

    // Search keys: names that exist, typed in another case now and then, and
    // beginnings of names followed by "zz", which no name is, so the nearest
    // search moves on to the next name (or stays on the last person).
    TBenchRandom Random(7);
    for (int I = 0; I < 1024; ++I) {
        QString Name = Data.Persons[std::size_t(Random.Below(N))].AchterNaam;
        if (I % 4 == 1)
            Name = Name.toUpper();
        else if (I % 4 == 2)
            Name = Name.toLower();
        Set->ExactKeys.push_back(Name);
        const QString Other = Data.Persons[std::size_t(Random.Below(N))].AchterNaam;
        Set->NearKeys.push_back(Other.left(1 + Random.Below(int(Other.size()))) + QStringLiteral("zz"));
    }
    for (int I = 0; I < 1000; ++I)
        Set->NewPersons.push_back(Generator.NewPerson(N + 1 + I, N / 2, N / 50));
    Set->GenerateSeconds = SecondsSince(Start);
    return *(Sets[N] = std::move(Set));
}

// --- SQLite side ------------------------------------------------------------

// One open contact per size for the benchmarks that only read.
TSqliteContact& SharedSqlite(int N)
{
    static std::map<int, std::unique_ptr<TSqliteContact>> Open;
    auto& Slot = Open[N];
    if (!Slot) {
        Slot = std::make_unique<TSqliteContact>();
        Slot->Open(BenchSet(N).SqlitePath);
        for (const char* Field : GSwitchFields)
            Slot->CreateIndex(Field);
    }
    return *Slot;
}

std::string SqliteScanSql()
{
    std::string Sql = "SELECT ";
    bool First = true;
    for (const char* Field : SearchableFields()) {
        if (!First)
            Sql += ", ";
        First = false;
        Sql += SqliteDisplayColumn(Field);
    }
    return Sql + " FROM QUORVY INDEXED BY IX_ACHTER_NAAM ORDER BY ACHTER_NAAM COLLATE NOCASE";
}

// --- our engine -------------------------------------------------------------


// A contact file in our engine, opened and closed as the data module does.
class TOurContact {
public:
    TOurContact()
    {
        for (auto& T : FTables)
            T = std::make_unique<TClientDataSet>(nullptr);
    }
    ~TOurContact()
    {
        try {
            Close();
        } catch (...) {
        }
    }

    TClientDataSet* Persons() const { return FTables[0].get(); }
    TClientDataSet* Addresses() const { return FTables[1].get(); }
    TClientDataSet* Groups() const { return FTables[2].get(); }

    void Open(const QString& ContactPath)
    {
        static const char* const DisplayIndex[3] = {"ACHTER_NAAM_ASC", "ID_ADRES_ASC", "GROEP_NAAM_ASC"};
        const TBenchTableDef* Defs[3] = {&PersonTableDef(), &AdresTableDef(), &GroepTableDef()};
        for (int I = 0; I < 3; ++I) {
            TClientDataSet* T = FTables[std::size_t(I)].get();
            T->SetFileName(OurTablePath(ContactPath, *Defs[I]));
            T->SetIndexName(QString::fromLatin1(Defs[I]->KeyField) + QStringLiteral("_DESC"));
            T->Open();
            FLastKey[I] = T->IsEmpty() ? 0 : T->FieldByName(QString::fromLatin1(Defs[I]->KeyField))->AsInteger();
            T->SetLogChanges(false);
            T->SetIndexName(QString::fromLatin1(DisplayIndex[I]));
            T->First();
        }
    }

    // Only the raw read of the three files.
    void Load(const QString& ContactPath)
    {
        const TBenchTableDef* Defs[3] = {&PersonTableDef(), &AdresTableDef(), &GroepTableDef()};
        for (int I = 0; I < 3; ++I) {
            TClientDataSet* T = FTables[std::size_t(I)].get();
            T->SetFileName(OurTablePath(ContactPath, *Defs[I]));
            T->Open();
        }
    }

    void Close()
    {
        for (auto& T : FTables) {
            T->Close();
            T->SetIndexName(QString());
            T->SetFileName(QString());
        }
    }

    int LastKey(int Table) const { return FLastKey[Table]; }

private:
    std::unique_ptr<TClientDataSet> FTables[3];
    int FLastKey[3] = {-1, -1, -1};
};

// The contact file for the engine's cases; raises when it could not be made.
const TBenchSet& OurSet(int N)
{
    const TBenchSet& Set = BenchSet(N);
    if (!Set.EngineError.empty())
        throw std::runtime_error("no contact file: " + Set.EngineError);
    return Set;
}

TOurContact& SharedOurs(int N)
{
    static std::map<int, std::unique_ptr<TOurContact>> Open;
    auto& Slot = Open[N];
    if (!Slot) {
        Slot = std::make_unique<TOurContact>();
        Slot->Open(OurSet(N).ContactPath);
        for (const char* Field : GSwitchFields)
            Slot->Persons()->SetIndexName(QString::fromLatin1(Field) + QStringLiteral("_ASC"));
        Slot->Persons()->SetIndexName(QStringLiteral("ACHTER_NAAM_ASC"));
    }
    return *Slot;
}

// A private copy of a contact file for the benchmarks that write.
QString OurScratchCopy(const TBenchSet& Set)
{
    const QString Scratch = WorkDir().filePath(QStringLiteral("scratch-%1.quorvy").arg(Set.N));
    for (const TBenchTableDef* Def : {&PersonTableDef(), &AdresTableDef(), &GroepTableDef()})
        CopyFile(OurTablePath(Set.ContactPath, *Def), OurTablePath(Scratch, *Def));
    return Scratch;
}


QString SqliteScratchCopy(const TBenchSet& Set)
{
    const QString Scratch = WorkDir().filePath(QStringLiteral("scratch-%1.sqlite").arg(Set.N));
    CopyFile(Set.SqlitePath, Scratch);
    return Scratch;
}

// --- the benchmarks: SQLite -------------------------------------------------

void SqliteOpenClose(benchmark::State& State)
{
    const TBenchSet& Set = BenchSet(int(State.range(0)));
    for (auto _ : State) {
        TSqliteContact Contact;
        Contact.Open(Set.SqlitePath);
        Contact.Close();
    }
}

void SqliteLoadClose(benchmark::State& State)
{
    const TBenchSet& Set = BenchSet(int(State.range(0)));
    for (auto _ : State) {
        TSqliteContact Contact;
        Contact.Load(Set.SqlitePath);
        Contact.Close();
    }
}

void SqliteIndexFirst(benchmark::State& State)
{
    const TBenchSet& Set = BenchSet(int(State.range(0)));
    TSqliteContact Contact;
    Contact.Open(Set.SqlitePath);
    for (auto _ : State) {
        double Seconds = 0;
        for (const char* Field : GSwitchFields) {
            const auto Start = TClock::now();
            Contact.CreateIndex(Field);
            benchmark::DoNotOptimize(Contact.FirstId(Field));
            Seconds += SecondsSince(Start);
            Contact.DropIndex(Field);
        }
        State.SetIterationTime(Seconds / 5);
    }
}

void SqliteIndexCached(benchmark::State& State)
{
    TSqliteContact& Contact = SharedSqlite(int(State.range(0)));
    for (auto _ : State) {
        const auto Start = TClock::now();
        for (const char* Field : GSwitchFields) {
            benchmark::DoNotOptimize(Contact.FirstId(Field));
            benchmark::DoNotOptimize(Contact.FirstId("ACHTER_NAAM"));
        }
        State.SetIterationTime(SecondsSince(Start) / 10);
    }
}

std::string SqliteKeySql(bool Nearest)
{
    return std::string("SELECT ID_QUORVY FROM QUORVY INDEXED BY IX_ACHTER_NAAM WHERE ACHTER_NAAM ")
           + (Nearest ? ">=" : "=") + " ?1 COLLATE NOCASE ORDER BY ACHTER_NAAM COLLATE NOCASE LIMIT 1";
}

// The person key SQLite finds for each search key (-1: none).  A nearest
// search past the last name stays on the last person, as the classic key
// search does.
[[maybe_unused]] std::vector<int> SqliteKeyResults(const TBenchSet& Set, bool Nearest)
{
    sqlite3* Db = SharedSqlite(Set.N).Db();
    TSqliteStatement Last(Db, "SELECT ID_QUORVY FROM QUORVY ORDER BY ACHTER_NAAM COLLATE NOCASE DESC, ID_QUORVY DESC LIMIT 1");
    const int LastId = Last.Step() ? sqlite3_column_int(Last.Get(), 0) : -1;
    TSqliteStatement Find(Db, SqliteKeySql(Nearest));
    std::vector<int> Result;
    for (const QString& Key : Nearest ? Set.NearKeys : Set.ExactKeys) {
        sqlite3_bind_text16(Find.Get(), 1, Key.utf16(), int(Key.size() * 2), SQLITE_STATIC);
        Result.push_back(Find.Step() ? sqlite3_column_int(Find.Get(), 0) : Nearest ? LastId : -1);
        Find.Reset();
    }
    return Result;
}

void SqliteKeySearch(benchmark::State& State, bool Nearest)
{
    const TBenchSet& Set = BenchSet(int(State.range(0)));
    TSqliteContact& Contact = SharedSqlite(Set.N);
    TSqliteStatement Find(Contact.Db(), SqliteKeySql(Nearest));
    const std::vector<QString>& Keys = Nearest ? Set.NearKeys : Set.ExactKeys;
    std::size_t I = 0;
    int Found = 0;
    for (auto _ : State) {
        const QString& Key = Keys[I++ & 1023];
        sqlite3_bind_text16(Find.Get(), 1, Key.utf16(), int(Key.size() * 2), SQLITE_STATIC);
        if (Find.Step())
            Found += sqlite3_column_int(Find.Get(), 0) > 0;
        Find.Reset();
    }
    benchmark::DoNotOptimize(Found);
    if (!Nearest && Found != int(State.iterations()))
        State.SkipWithError("SQLite missed an existing key");
}

void SqliteFullPass(benchmark::State& State)
{
    TSqliteContact& Contact = SharedSqlite(int(State.range(0)));
    TSqliteStatement Scan(Contact.Db(), SqliteScanSql());
    const int Columns = int(SearchableFields().size());
    std::int64_t Chars = 0;
    for (auto _ : State) {
        Chars = 0;
        while (Scan.Step())
            for (int C = 0; C < Columns; ++C) {
                benchmark::DoNotOptimize(sqlite3_column_text16(Scan.Get(), C));
                Chars += sqlite3_column_bytes16(Scan.Get(), C) / 2;
            }
        Scan.Reset();
        benchmark::DoNotOptimize(Chars);
    }
    // Both sides must read the same text: compare this counter.
    State.counters["chars"] = double(Chars);
}

void SqlitePost1000(benchmark::State& State)
{
    const TBenchSet& Set = BenchSet(int(State.range(0)));
    for (auto _ : State) {
        TSqliteContact Contact;
        Contact.Open(Set.SqlitePath);
        const auto Start = TClock::now();
        SqliteExec(Contact.Db(), "BEGIN");
        {
            TSqliteInserter Insert(Contact.Db(), PersonTableDef());
            for (const TBenchPerson& P : Set.NewPersons)
                Insert.Insert(P);
        }
        SqliteExec(Contact.Db(), "COMMIT");
        State.SetIterationTime(SecondsSince(Start));
    }
}

void SqliteCloseWrite(benchmark::State& State)
{
    const TBenchSet& Set = BenchSet(int(State.range(0)));
    for (auto _ : State) {
        const QString Scratch = SqliteScratchCopy(Set);
        TSqliteContact Contact;
        Contact.Load(Scratch);
        SqliteExec(Contact.Db(), "UPDATE QUORVY SET MOBIEL = '06-99999999' WHERE ID_QUORVY = 1");
        SqliteExec(Contact.Db(), "UPDATE ADRES SET LAND = 'Nederland' WHERE ID_ADRES = 1");
        SqliteExec(Contact.Db(), "UPDATE GROEP SET GROEP_NAAM = 'Familie' WHERE ID_GROEP = 1");
        const auto Start = TClock::now();
        Contact.WriteBack(Scratch);
        Contact.Close();
        State.SetIterationTime(SecondsSince(Start));
    }
}

// --- the benchmarks: our engine ---------------------------------------------


void OursOpenClose(benchmark::State& State)
{
    const TBenchSet& Set = OurSet(int(State.range(0)));
    for (auto _ : State) {
        TOurContact Contact;
        Contact.Open(Set.ContactPath);
        Contact.Close();
    }
}

void OursLoadClose(benchmark::State& State)
{
    const TBenchSet& Set = OurSet(int(State.range(0)));
    for (auto _ : State) {
        TOurContact Contact;
        Contact.Load(Set.ContactPath);
        Contact.Close();
    }
}

void OursIndexFirst(benchmark::State& State)
{
    const TBenchSet& Set = OurSet(int(State.range(0)));
    for (auto _ : State) {
        TOurContact Contact;
        Contact.Open(Set.ContactPath);
        TClientDataSet* Persons = Contact.Persons();
        double Seconds = 0;
        for (const char* Field : GSwitchFields) {
            const QString Name = QString::fromLatin1(Field) + QStringLiteral("_ASC");
            const auto Start = TClock::now();
            Persons->SetIndexName(Name);
            Seconds += SecondsSince(Start);
            Persons->SetIndexName(QStringLiteral("ACHTER_NAAM_ASC"));
        }
        State.SetIterationTime(Seconds / 5);
        Contact.Close();
    }
}

void OursIndexCached(benchmark::State& State)
{
    TClientDataSet* Persons = SharedOurs(int(State.range(0))).Persons();
    QString Names[5];
    for (int I = 0; I < 5; ++I)
        Names[I] = QString::fromLatin1(GSwitchFields[I]) + QStringLiteral("_ASC");
    const QString Home = QStringLiteral("ACHTER_NAAM_ASC");
    for (auto _ : State) {
        const auto Start = TClock::now();
        for (const QString& Name : Names) {
            Persons->SetIndexName(Name);
            Persons->SetIndexName(Home);
        }
        State.SetIterationTime(SecondsSince(Start) / 10);
    }
}

void OursKeySearch(benchmark::State& State, bool Nearest)
{
    const TBenchSet& Set = OurSet(int(State.range(0)));
    TClientDataSet* Persons = SharedOurs(Set.N).Persons();
    Persons->SetIndexName(QStringLiteral("ACHTER_NAAM_ASC"));
    TField* Key = Persons->FieldByName(QStringLiteral("ACHTER_NAAM"));
    const std::vector<QString>& Keys = Nearest ? Set.NearKeys : Set.ExactKeys;
    const std::vector<int> Expected = SqliteKeyResults(Set, Nearest);
    TField* Id = Persons->FieldByName(QStringLiteral("ID_QUORVY"));
    int Mismatches = 0;
    for (std::size_t K = 0; K < Keys.size(); ++K) {
        if (Nearest) {
            Persons->SetKey();
            Key->SetAsString(Keys[K]);
            Persons->GotoNearest();
        } else if (!Persons->FindKey({Variant(Keys[K])})) {
            ++Mismatches;
            continue;
        }
        const int Got = Persons->Eof() && Persons->IsEmpty() ? -1 : Id->AsInteger();
        Mismatches += Got != Expected[K];
        if (Got != Expected[K] && qEnvironmentVariableIsSet("QV_BENCH_DEBUG"))
            std::fprintf(stderr, "key '%s': ours %d (%s, eof %d), SQLite %d\n", qPrintable(Keys[K]), Got,
                         qPrintable(Persons->FieldByName(QStringLiteral("ACHTER_NAAM"))->AsString()), int(Persons->Eof()), Expected[K]);
    }
    // The same record as SQLite finds (ties go to the lower key on both sides).
    State.counters["mismatches"] = Mismatches;
    std::size_t I = 0;
    int Found = 0;
    for (auto _ : State) {
        const QString& Value = Keys[I++ & 1023];
        if (Nearest) {
            Persons->SetKey();
            Key->SetAsString(Value);
            Persons->GotoNearest();
            ++Found;
        } else {
            Found += Persons->FindKey({Variant(Value)});
        }
    }
    benchmark::DoNotOptimize(Found);
    if (!Nearest && Found != int(State.iterations()))
        State.SkipWithError("the engine missed an existing key");
}

void OursFullPass(benchmark::State& State)
{
    TClientDataSet* Persons = SharedOurs(int(State.range(0))).Persons();
    std::vector<TField*> Fields;
    for (const char* Name : SearchableFields())
        Fields.push_back(Persons->FieldByName(QString::fromLatin1(Name)));
    std::int64_t Chars = 0;
    for (auto _ : State) {
        Chars = 0;
        Persons->First();
        while (!Persons->Eof()) {
            for (TField* F : Fields)
                Chars += F->DisplayText().size();
            Persons->Next();
        }
        benchmark::DoNotOptimize(Chars);
    }
    State.counters["chars"] = double(Chars);
}

void OursPost1000(benchmark::State& State)
{
    const TBenchSet& Set = OurSet(int(State.range(0)));
    for (auto _ : State) {
        const QString Scratch = OurScratchCopy(Set);
        TOurContact Contact;
        Contact.Open(Scratch);
        TClientDataSet* Persons = Contact.Persons();
        const std::vector<TField*> Fields = TableFields(Persons, PersonTableDef());
        const auto Start = TClock::now();
        for (const TBenchPerson& P : Set.NewPersons)
            AppendPerson(Persons, Fields, P);
        State.SetIterationTime(SecondsSince(Start));
        Contact.Close();
    }
}

void OursCloseWrite(benchmark::State& State)
{
    const TBenchSet& Set = OurSet(int(State.range(0)));
    for (auto _ : State) {
        const QString Scratch = OurScratchCopy(Set);
        TOurContact Contact;
        Contact.Open(Scratch);
        const std::pair<TClientDataSet*, const char*> Changes[3] = {
            {Contact.Persons(), "MOBIEL"}, {Contact.Addresses(), "LAND"}, {Contact.Groups(), "GROEP_NAAM"}};
        for (const auto& [Table, Field] : Changes) {
            Table->First();
            Table->Edit();
            TField* F = Table->FieldByName(QString::fromLatin1(Field));
            F->SetAsString(F->AsString() + QStringLiteral("1"));
            Table->Post();
        }
        const auto Start = TClock::now();
        Contact.Close();
        State.SetIterationTime(SecondsSince(Start));
    }
}


// --- memory -----------------------------------------------------------------

// Peak and resident memory of opening a contact file, measured in a child
// process of this program so that nothing the benchmarks allocated before
// hides in the numbers.
struct TMemoryFigures {
    qint64 HeapBytes = -1;   // heap in use after opening, above what was in use before
    qint64 PeakBytes = -1;   // growth of the peak resident set while opening
};

qint64 StatusKiB(const char* Key)
{
    QFile Status(QStringLiteral("/proc/self/status"));
    if (!Status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray Prefix = QByteArray(Key) + ':';
    for (const QByteArray& Line : Status.readAll().split('\n'))
        if (Line.startsWith(Prefix))
            return Line.mid(Prefix.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

qint64 HeapInUse()
{
    const struct mallinfo2 Info = mallinfo2();
    return qint64(Info.uordblks + Info.hblkhd);
}

// Starts a new peak: the kernel sets the high-water mark back to the current
// resident set, so the growth measured from here is this step's alone.
qint64 ResetPeakKiB()
{
    QFile ClearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (ClearRefs.open(QIODevice::WriteOnly) && ClearRefs.write("5") == 1) {
        ClearRefs.close();
        return StatusKiB("VmRSS");
    }
    return StatusKiB("VmHWM");
}

int MeasureMemoryChild(const QString& Side, const QString& Path)
{
    const qint64 HeapBefore = HeapInUse();
    const qint64 PeakBefore = ResetPeakKiB();
    qint64 Heap = 0;
    if (Side == QLatin1String("sqlite")) {
        TSqliteContact Contact;
        Contact.Open(Path);
        Heap = HeapInUse() - HeapBefore;
        std::printf("%lld %lld\n", static_cast<long long>(Heap),
                    static_cast<long long>((StatusKiB("VmHWM") - PeakBefore) * 1024));
        return 0;
    }
    TOurContact Contact;
    Contact.Open(Path);
    Heap = HeapInUse() - HeapBefore;
    std::printf("%lld %lld\n", static_cast<long long>(Heap),
                static_cast<long long>((StatusKiB("VmHWM") - PeakBefore) * 1024));
    return 0;
}

TMemoryFigures MeasureMemory(const QString& Side, const QString& Path)
{
    QProcess Child;
    Child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--qv-memory"), Side, Path});
    TMemoryFigures Figures;
    if (!Child.waitForFinished(120000) || Child.exitCode() != 0)
        return Figures;
    const QList<QByteArray> Parts = Child.readAllStandardOutput().trimmed().split(' ');
    if (Parts.size() == 2) {
        Figures.HeapBytes = Parts[0].toLongLong();
        Figures.PeakBytes = Parts[1].toLongLong();
    }
    return Figures;
}

// --- the summary --------------------------------------------------------------

struct TResultKey {
    std::string Operation;
    int N;
    bool operator<(const TResultKey& O) const { return std::tie(Operation, N) < std::tie(O.Operation, O.N); }
};

struct TResult {
    double Ours = -1;     // seconds per iteration
    double Sqlite = -1;
};

std::map<TResultKey, TResult> GResults;

// Prints as usual and keeps each figure for the summary.
class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Reports) override
    {
        ConsoleReporter::ReportRuns(Reports);
        for (const Run& R : Reports) {
            if (R.run_type != Run::RT_Iteration || R.error_occurred || R.iterations == 0)
                continue;
            // "operation/side/N[/manual_time]"
            const std::string Name = R.benchmark_name();
            const std::size_t A = Name.find('/');
            const std::size_t B = Name.find('/', A + 1);
            if (A == std::string::npos || B == std::string::npos)
                continue;
            const TResultKey Key{Name.substr(0, A), std::atoi(Name.c_str() + B + 1)};
            const double Seconds = R.real_accumulated_time / double(R.iterations);
            if (Name.compare(A + 1, B - A - 1, "ours") == 0)
                GResults[Key].Ours = Seconds;
            else
                GResults[Key].Sqlite = Seconds;
        }
    }
};

struct TOperation {
    const char* Name;
    const char* Title;
    bool Targeted;          // at 100,000 persons ours must not be slower than SQLite
    double TargetSeconds;   // and not slower than this (0: no such limit)
};

// read 3 tables + close is the first part of open + close, shown to tell the
// file reading from the index building; it has no target of its own.
const TOperation GOperations[] = {
    {"open_close", "open + close unchanged", true, 0.150},
    {"load_close", "  (read 3 tables + close)", false, 0},
    {"index_first", "index switch, first build", true, 0},
    {"index_cached", "index switch, built", true, 0.001},
    {"find_key", "FindKey (last name)", true, 5e-6},
    {"goto_nearest", "GotoNearest (last name)", true, 5e-6},
    {"full_pass", "pass over 20 search fields", true, 0},
    {"post_1000", "post 1,000 persons", true, 0},
    {"close_write", "close with write (3 tables)", true, 0.150},
};

std::string FormatSeconds(double Seconds)
{
    char Text[32];
    if (Seconds < 0)
        return "-";
    if (Seconds < 1e-3)
        std::snprintf(Text, sizeof Text, "%.2f us", Seconds * 1e6);
    else if (Seconds < 1)
        std::snprintf(Text, sizeof Text, "%.2f ms", Seconds * 1e3);
    else
        std::snprintf(Text, sizeof Text, "%.3f s", Seconds);
    return Text;
}

void PrintSummary()
{
    std::printf("\nSummary: ours / SQLite (per operation; index switches per switch)\n");
    std::printf("%-30s %7s %12s %12s %8s  %s\n", "operation", "N", "ours", "SQLite", "ratio", "target at 100,000");
    for (const TOperation& Op : GOperations) {
        for (int N : GSizes) {
            auto It = GResults.find({Op.Name, N});
            if (It == GResults.end())
                continue;
            const TResult& R = It->second;
            std::string Ratio = "-";
            if (R.Ours > 0 && R.Sqlite > 0) {
                char Text[16];
                std::snprintf(Text, sizeof Text, "%.2f", R.Ours / R.Sqlite);
                Ratio = Text;
            }
            std::string Target;
            if (N == 100000 && R.Ours > 0 && Op.Targeted) {
                const bool Faster = R.Ours <= R.Sqlite;
                const bool InTime = R.Ours <= Op.TargetSeconds;
                if (R.Sqlite > 0)
                    Target = Faster ? "<= SQLite: met" : "<= SQLite: MISSED";
                if (Op.TargetSeconds > 0)
                    Target += std::string(Target.empty() ? "" : "; ") + "<= " + FormatSeconds(Op.TargetSeconds)
                              + (InTime ? ": met" : ": MISSED");
            }
            std::printf("%-30s %7d %12s %12s %8s  %s\n", Op.Title, N, FormatSeconds(R.Ours).c_str(),
                        FormatSeconds(R.Sqlite).c_str(), Ratio.c_str(), Target.c_str());
        }
    }

    // Memory: the larger of the heap in use after opening and the growth of
    // the resident set's peak while opening, per person and against the
    // size of the files it came from.
    std::printf("\nFiles and memory of an open contact file, per person (p)\n");
    std::printf("  heap = heap in use after opening; peak = growth of the peak resident set while opening;\n"
                "  mem/file = the larger of the two / the size of the file(s) read\n");
    std::printf("%7s %11s %9s %9s %9s %11s %9s %9s %9s\n", "N", "our files", "heap/p", "peak/p", "mem/file",
                "SQLite file", "heap/p", "peak/p", "mem/file");
    for (int N : GSizes) {
        const TBenchSet& Set = BenchSet(N);
        TMemoryFigures Ours;
        if (Set.EngineError.empty())
            Ours = MeasureMemory(QStringLiteral("ours"), Set.ContactPath);
        const TMemoryFigures Sql = MeasureMemory(QStringLiteral("sqlite"), Set.SqlitePath);
        auto PerPerson = [N](qint64 Bytes) {
            char Text[24];
            if (Bytes < 0)
                return std::string("-");
            std::snprintf(Text, sizeof Text, "%.0f B", double(Bytes) / N);
            return std::string(Text);
        };
        auto Ratio = [](const TMemoryFigures& M, qint64 File) {
            char Text[24];
            const qint64 Bytes = std::max(M.HeapBytes, M.PeakBytes);
            if (Bytes < 0 || File <= 0)
                return std::string("-");
            std::snprintf(Text, sizeof Text, "%.2f", double(Bytes) / double(File));
            return std::string(Text);
        };
        auto Size = [](qint64 Value) {
            char Text[24];
            if (Value <= 0)
                return std::string("-");
            std::snprintf(Text, sizeof Text, "%.2f MB", double(Value) / 1e6);
            return std::string(Text);
        };
        std::printf("%7d %11s %9s %9s %9s %11s %9s %9s %9s\n", N, Size(Set.OurBytes).c_str(),
                    PerPerson(Ours.HeapBytes).c_str(), PerPerson(Ours.PeakBytes).c_str(),
                    Ratio(Ours, Set.OurBytes).c_str(), Size(Set.SqliteBytes).c_str(),
                    PerPerson(Sql.HeapBytes).c_str(), PerPerson(Sql.PeakBytes).c_str(),
                    Ratio(Sql, Set.SqliteBytes).c_str());
    }
    std::printf("  target: our mem/file <= 3 at 100,000 persons\n");
}

// A case that fails (the engine raising, SQLite refusing) is reported as an
// error and the run goes on with the others.
template <typename F>
void Register(const char* Operation, const char* Side, F Function, bool ManualTime)
{
    const std::string Name = std::string(Operation) + "/" + Side;
    auto Guarded = [Function](benchmark::State& State) {
        try {
            Function(State);
        } catch (const std::exception& E) {
            if (!State.error_occurred())
                State.SkipWithError(E.what());
        }
    };
    benchmark::internal::Benchmark* B = benchmark::RegisterBenchmark(Name.c_str(), Guarded);
    for (int N : GSizes)
        B->Arg(N);
    B->Unit(benchmark::kMicrosecond);
    if (ManualTime)
        B->UseManualTime();
    // Writing ends in fsync on both sides, whose time varies with whatever
    // else the disk does: more rounds.
    if (std::strcmp(Operation, "close_write") == 0)
        B->MinTime(0.4);
}

void RegisterAll()
{
    Register("open_close", "ours", OursOpenClose, false);
    Register("open_close", "sqlite", SqliteOpenClose, false);
    Register("load_close", "ours", OursLoadClose, false);
    Register("load_close", "sqlite", SqliteLoadClose, false);
    Register("index_first", "ours", OursIndexFirst, true);
    Register("index_first", "sqlite", SqliteIndexFirst, true);
    Register("index_cached", "ours", OursIndexCached, true);
    Register("index_cached", "sqlite", SqliteIndexCached, true);
    Register("find_key", "ours", [](benchmark::State& S) { OursKeySearch(S, false); }, false);
    Register("find_key", "sqlite", [](benchmark::State& S) { SqliteKeySearch(S, false); }, false);
    Register("goto_nearest", "ours", [](benchmark::State& S) { OursKeySearch(S, true); }, false);
    Register("goto_nearest", "sqlite", [](benchmark::State& S) { SqliteKeySearch(S, true); }, false);
    Register("full_pass", "ours", OursFullPass, false);
    Register("full_pass", "sqlite", SqliteFullPass, false);
    Register("post_1000", "ours", OursPost1000, true);
    Register("post_1000", "sqlite", SqlitePost1000, true);
    Register("close_write", "ours", OursCloseWrite, true);
    Register("close_write", "sqlite", SqliteCloseWrite, true);
}

// Writes one contact file and its SQLite twin into a folder, to look at.
int GenerateInto(int N, const QString& Folder)
{
    if (N <= 0 || !QDir().mkpath(Folder))
        return 1;
    const QString Base = QDir(Folder).filePath(QStringLiteral("contacts-%1").arg(N));
    const TContactData Data = TContactGenerator(20231123u + std::uint64_t(N)).Generate(N);
    WriteContactFile(Data, Base + QStringLiteral(".quorvy"));
    WriteSqliteFile(Data, Base + QStringLiteral(".sqlite"));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--qv-memory") == 0)
        return MeasureMemoryChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 4 && std::strcmp(argv[1], "--qv-generate") == 0)
        return GenerateInto(std::atoi(argv[2]), QString::fromLocal8Bit(argv[3]));

    if (!InitializeBenchmarks(argc, argv, "0.1"))
        return 1;
    try {
        // The files first, so that generating them is not timed.
        for (int N : GSizes) {
            const TBenchSet& Set = BenchSet(N);
            std::printf("generated %d persons in %.1f s\n", N, Set.GenerateSeconds);
            if (!Set.EngineError.empty())
                std::printf("  our contact file could not be written: %s\n", Set.EngineError.c_str());
        }
        std::fflush(stdout);
        RegisterAll();
        TCollectingReporter Reporter;
        benchmark::RunSpecifiedBenchmarks(&Reporter);
        PrintSummary();
    } catch (const std::exception& E) {
        // The platform's exceptions derive from std::exception too.
        std::fprintf(stderr, "bench_tables: %s\n", E.what());
        benchmark::Shutdown();
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
