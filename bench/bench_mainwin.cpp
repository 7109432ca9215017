// The main window as the user drives it, on a contact file of 100,000
// generated persons, in one run:
//
//   start/empty      data module and main window made, shown and painted
//                    with no file open (the start page lists the folder)
//   start/last_file  the same, then the most recent file opened from the
//                    recent list and the person page painted
//   open             a file opened from the start page's list, painted
//   sort/<column>/asc, sort/<column>/desc
//                    a click on a column title of a freshly opened file,
//                    then a second click on it, each painted (the engine
//                    builds each order on its first use)
//   search/indexed   the indexed search on the last name (nearest match)
//   search/fulltext  the full-text search's "Heen" from the one person that
//                    holds the text to the end ("niet meer gevonden")
//
// SQLite is the peer where one fits, on the same persons held in memory as
// our engine holds them: opening is reading the database file into memory
// with the first page of the person list; a first sort is CREATE INDEX and
// the first page in its order, the descending sort the first page in the
// other direction; the indexed search a nearest-key query on its index; the
// full-text pass the same 20 fields as the grid shows them (dates as
// dd/mm/yyyy, lower() folding A to Z only, as our search does), from the
// person after the match to the end of the last-name order.
//
// After the Google Benchmark output a summary prints each figure against
// its target and, where SQLite does the same, the ratio; then the memory of
// the open file against its size.
#include "bench/BenchArgs.h"
#include "bench/ContactGenerator.h"
#include "bench/SqliteContact.h"

#include "app/qv_data.h"
#include "app/qv_main.h"
#include "app/qv_set.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcListBox.h"
#include "platform/db/Fields.h"
#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/InputQuery.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "sysinfo/SiLibrary.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point Start)
{
    return std::chrono::duration<double>(TClock::now() - Start).count();
}

constexpr int GPersons = 100000;
constexpr int GPageRows = 30;
const char* const GMarker = "qvbenchmarker";

// --- the files ----------------------------------------------------------------

struct TFiles {
    QTemporaryDir Root;
    QString DataFolder;
    QString ContactPath;
    QString SqlitePath;
    QString FirstLastName; // the first person in last-name order (holds GMarker)
    QString NearKey;       // a last-name prefix for the indexed search
    qint64 ContactBytes = 0;
};

TFiles& Files()
{
    static std::unique_ptr<TFiles> F;
    if (F)
        return *F;
    F = std::make_unique<TFiles>();
    const QString Root = F->Root.path() + QLatin1Char('/');
    F->DataFolder = Root + QStringLiteral("data/");
    QDir().mkpath(F->DataFolder);
    QDir().mkpath(Root + QStringLiteral("config/quorvy"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Root + QStringLiteral("config")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(Root + QStringLiteral("state")));
    qputenv("TMPDIR", QFile::encodeName(Root));
    QFile Ini(Root + QStringLiteral("config/quorvy/quorvy.ini"));
    Ini.open(QIODevice::WriteOnly);
    Ini.write(QStringLiteral("[General]\r\nSaveSettings=0\r\n[Algemeen]\r\nConfirmOnExit=0\r\n[Folders]\r\nData=%1\r\n")
                  .arg(F->DataFolder)
                  .toUtf8());
    Ini.close();

    TContactData Data = TContactGenerator().Generate(GPersons);
    // The one person the full-text search finds: the first in the grid.
    auto First = std::min_element(Data.Persons.begin(), Data.Persons.end(), [](const auto& A, const auto& B) {
        return QString::compare(A.AchterNaam, B.AchterNaam, Qt::CaseInsensitive) < 0;
    });
    First->Opmerkingen += QStringLiteral(" ") + QString::fromLatin1(GMarker);
    F->FirstLastName = First->AchterNaam;
    F->NearKey = Data.Persons[GPersons / 2].AchterNaam.left(3);
    F->ContactPath = F->DataFolder + QStringLiteral("Bench.quorvy");
    WriteContactFile(Data, F->ContactPath);
    F->SqlitePath = Root + QStringLiteral("bench.sqlite");
    WriteSqliteFile(Data, F->SqlitePath);
    // The recent-files list of an earlier run names it.
    QDir().mkpath(Root + QStringLiteral("state/quorvy"));
    QFile Recent(Root + QStringLiteral("state/quorvy/quorvy.mru"));
    Recent.open(QIODevice::WriteOnly);
    Recent.write((F->ContactPath + QStringLiteral("\r\n")).toUtf8());
    Recent.close();
    for (const QString& Name : {F->ContactPath, F->ContactPath + ".adres", F->ContactPath + ".groep"})
        F->ContactBytes += QFileInfo(Name).size();
    return *F;
}

long ResidentKilobytes()
{
    QFile Status(QStringLiteral("/proc/self/status"));
    if (!Status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& Line : Status.readAll().split('\n'))
        if (Line.startsWith("VmRSS:"))
            return Line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// --- ours --------------------------------------------------------------------------

// The program's two windows as its main block makes them.
struct TProgram {
    TProgram()
    {
        Application->CreateForm(DataModuleMain);
        Application->CreateForm(FormMain);
        FormMain->Show();
        Paint();
    }
    ~TProgram()
    {
        if (DataModuleMain->Active)
            DataModuleMain->AbandonFiles();
        FormMain->Free();
        DataModuleMain->Free();
    }
    static void Paint()
    {
        Application->ProcessMessages();
        UpdateWindow(FormMain->Handle());
    }
    void OpenFromList()
    {
        FormMain->FcListBoxPreviousFiles->SetItemIndex(0);
        FormMain->FcListBoxPreviousFilesClick(nullptr);
        Paint();
    }
};

// Dialogs answered without showing them: the search texts typed, every
// message box acknowledged.
struct TQuietDialogs {
    explicit TQuietDialogs(const QString& Typed)
    {
        SetInputQueryHook([Typed](const String&, const String&, String& Value) {
            Value = Typed;
            return true;
        });
        SetMessageBoxHook([this](const String& Text, const String&, unsigned) {
            LastMessage = Text;
            return IDOK;
        });
    }
    ~TQuietDialogs()
    {
        SetInputQueryHook({});
        SetMessageBoxHook({});
    }
    String LastMessage;
};

void OursStartEmpty(benchmark::State& State)
{
    Files();
    for (auto _ : State) {
        const auto Start = TClock::now();
        TProgram Program;
        State.SetIterationTime(SecondsSince(Start));
    }
}

void OursStartLastFile(benchmark::State& State)
{
    Files();
    for (auto _ : State) {
        const auto Start = TClock::now();
        TProgram Program;
        FormMain->MenuMRUClick(nullptr);
        Program.OpenFromList();
        State.SetIterationTime(SecondsSince(Start));
        if (!DataModuleMain->Active)
            State.SkipWithError("the last file did not open");
    }
}

void OursOpen(benchmark::State& State)
{
    Files();
    TProgram Program;
    for (auto _ : State) {
        const auto Start = TClock::now();
        Program.OpenFromList();
        State.SetIterationTime(SecondsSince(Start));
        DataModuleMain->AbandonFiles();
        FormMain->ResetMainWindow();
    }
}

// Both clicks on one title of a freshly opened file: the first sorts
// ascending (range 1 = 0), the second descending (range 1 = 1).
void OursSort(benchmark::State& State)
{
    Files();
    const int Column = int(State.range(0));
    const bool Descending = State.range(1) != 0;
    TProgram Program;
    for (auto _ : State) {
        Program.OpenFromList();
        TDBGridColumns* Columns = FormMain->FcDBGridQuorvy->Columns();
        TColumn* Title = Columns->Items(Column);
        // The file opens sorted on column 0 ascending: that order comes back
        // after another; a descending order follows the ascending one.
        if (!Descending && Column == 0)
            FormMain->FcDBGridQuorvyTitleClick(Columns->Items(1));
        if (Descending && Column != 0)
            FormMain->FcDBGridQuorvyTitleClick(Title);
        const auto Start = TClock::now();
        FormMain->FcDBGridQuorvyTitleClick(Title);
        TProgram::Paint();
        State.SetIterationTime(SecondsSince(Start));
        if (SortColumn != Column || SortAscending == Descending)
            State.SkipWithError("the grid is not in the order asked for");
        DataModuleMain->AbandonFiles();
        FormMain->ResetMainWindow();
    }
}

void OursIndexedSearch(benchmark::State& State)
{
    TFiles& F = Files();
    TProgram Program;
    Program.OpenFromList();
    TQuietDialogs Dialogs(F.NearKey);
    for (auto _ : State) {
        DataModuleMain->cdsQuorvy->First();
        const auto Start = TClock::now();
        FormMain->FcGroupZoekenItems0Click(nullptr);
        TProgram::Paint();
        State.SetIterationTime(SecondsSince(Start));
    }
    if (!DataModuleMain->cdsQuorvy->FieldByName("ACHTER_NAAM")->AsString().startsWith(F.NearKey, Qt::CaseInsensitive))
        State.SkipWithError("the indexed search went elsewhere");
}

void OursFullText(benchmark::State& State)
{
    TFiles& F = Files();
    TProgram Program;
    Program.OpenFromList();
    TQuietDialogs Dialogs(QString::fromLatin1(GMarker));
    FormMain->FcGroupZoekenItems1Click(nullptr);
    if (DataModuleMain->cdsQuorvy->FieldByName("ACHTER_NAAM")->AsString() != F.FirstLastName)
        State.SkipWithError("the full-text search did not find its person");
    for (auto _ : State) {
        DataModuleMain->cdsQuorvy->First();
        const auto Start = TClock::now();
        FormMain->FcToolButtonSearchForwardClick(nullptr);
        TProgram::Paint();
        State.SetIterationTime(SecondsSince(Start));
    }
    if (!Dialogs.LastMessage.endsWith(QStringLiteral("niet meer gevonden.")))
        State.SkipWithError("the search did not run to the end");
}

// --- SQLite ------------------------------------------------------------------------

// The columns of one page of the grid, in its order.
std::string PageSql(const char* OrderField, bool Descending)
{
    std::string Sql = "SELECT ";
    for (std::size_t I = 0; I < PersonColumns.size(); ++I)
        Sql += (I ? ", " : "") + SqliteDisplayColumn(PersonColumns[I].Field);
    return Sql + " FROM QUORVY ORDER BY " + SqliteOrder(OrderField) + (Descending ? " DESC" : "") + " LIMIT "
         + std::to_string(GPageRows);
}

void ReadPage(TSqliteContact& Contact, const char* OrderField, bool Descending)
{
    TSqliteStatement Page(Contact.Db(), PageSql(OrderField, Descending));
    while (Page.Step())
        for (int C = 0; C < int(PersonColumns.size()); ++C)
            benchmark::DoNotOptimize(sqlite3_column_text16(Page.Get(), C));
}

void SqliteOpen(benchmark::State& State)
{
    TFiles& F = Files();
    for (auto _ : State) {
        TSqliteContact Contact;
        const auto Start = TClock::now();
        Contact.Open(F.SqlitePath);
        ReadPage(Contact, "ACHTER_NAAM", false);
        State.SetIterationTime(SecondsSince(Start));
    }
}

void SqliteSort(benchmark::State& State)
{
    TFiles& F = Files();
    const char* Field = PersonColumns[std::size_t(State.range(0))].Field;
    const bool Descending = State.range(1) != 0;
    for (auto _ : State) {
        TSqliteContact Contact;
        Contact.Open(F.SqlitePath);
        const bool Built = std::string(Field) == "ACHTER_NAAM";
        if (Descending && !Built)
            Contact.CreateIndex(Field);
        const auto Start = TClock::now();
        if (!Descending && !Built)
            Contact.CreateIndex(Field);
        ReadPage(Contact, Field, Descending);
        State.SetIterationTime(SecondsSince(Start));
    }
}

void SqliteIndexedSearch(benchmark::State& State)
{
    TFiles& F = Files();
    TSqliteContact Contact;
    Contact.Open(F.SqlitePath);
    TSqliteStatement Nearest(Contact.Db(), "SELECT ID_QUORVY FROM QUORVY WHERE ACHTER_NAAM >= ?1 COLLATE NOCASE "
                                           "ORDER BY ACHTER_NAAM COLLATE NOCASE LIMIT 1");
    const QByteArray Key = F.NearKey.toUtf8();
    for (auto _ : State) {
        const auto Start = TClock::now();
        sqlite3_bind_text(Nearest.Get(), 1, Key.constData(), int(Key.size()), SQLITE_TRANSIENT);
        Nearest.Step();
        Nearest.Reset();
        ReadPage(Contact, "ACHTER_NAAM", false);
        State.SetIterationTime(SecondsSince(Start));
    }
}

void SqliteFullText(benchmark::State& State)
{
    TFiles& F = Files();
    TSqliteContact Contact;
    Contact.Open(F.SqlitePath);
    std::string Where;
    for (const char* Field : SearchableFields())
        Where += (Where.empty() ? "" : " OR ") + std::string("instr(lower(") + SqliteDisplayColumn(Field) + "), ?1) > 0";
    // The persons after the first one in last-name order, tested in that
    // order to the end.
    TSqliteStatement Pass(Contact.Db(), "SELECT ID_QUORVY FROM QUORVY WHERE (" + Where
                                            + ") ORDER BY ACHTER_NAAM COLLATE NOCASE LIMIT -1 OFFSET 1");
    int Found = 0;
    for (auto _ : State) {
        const auto Start = TClock::now();
        sqlite3_bind_text(Pass.Get(), 1, GMarker, -1, SQLITE_STATIC);
        Found = 0;
        while (Pass.Step())
            ++Found;
        Pass.Reset();
        State.SetIterationTime(SecondsSince(Start));
    }
    if (Found != 0)
        State.SkipWithError("SQLite found the text again");
}

// --- registration and summary --------------------------------------------------------

void RegisterAll()
{
    auto Manual = [](benchmark::internal::Benchmark* B, int Iterations) {
        B->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(Iterations);
    };
    Manual(benchmark::RegisterBenchmark("start/empty/ours", OursStartEmpty), 5);
    Manual(benchmark::RegisterBenchmark("start/last_file/ours", OursStartLastFile), 3);
    Manual(benchmark::RegisterBenchmark("open/ours", OursOpen), 5);
    Manual(benchmark::RegisterBenchmark("open/sqlite", SqliteOpen), 5);
    for (int Column = 0; Column < int(PersonColumns.size()); ++Column)
        for (int Descending = 0; Descending < 2; ++Descending) {
            const std::string Name = std::string("sort/") + PersonColumns[std::size_t(Column)].Field
                                   + (Descending ? "/desc" : "/asc");
            Manual(benchmark::RegisterBenchmark((Name + "/ours").c_str(), OursSort)->Args({Column, Descending}), 2);
            Manual(benchmark::RegisterBenchmark((Name + "/sqlite").c_str(), SqliteSort)->Args({Column, Descending}),
                   2);
        }
    Manual(benchmark::RegisterBenchmark("search/indexed/ours", OursIndexedSearch), 20);
    Manual(benchmark::RegisterBenchmark("search/indexed/sqlite", SqliteIndexedSearch), 20);
    Manual(benchmark::RegisterBenchmark("search/fulltext/ours", OursFullText), 5);
    Manual(benchmark::RegisterBenchmark("search/fulltext/sqlite", SqliteFullText), 5);
}

double TargetOf(const std::string& Operation)
{
    if (Operation.rfind("start/", 0) == 0)
        return 0.300;
    if (Operation == "search/fulltext")
        return 0.050;
    return 0.100;
}

void PrintSummary(TRatioReporter& R)
{
    std::printf("\nSummary at %d persons: ours against the target and, where it does the same, SQLite\n", GPersons);
    std::printf("%-34s %11s %8s %11s %7s\n", "operation", "ours", "target", "SQLite", "ratio");
    std::string Slowest;
    double SlowestShare = 0;
    for (const std::string& Op : R.Order()) {
        // The reporter keeps SQLite's time as the peer's.
        const double Ours = R.Pair(Op).Ours, Sqlite = R.Pair(Op).Qt, Target = TargetOf(Op);
        if (Ours <= 0)
            continue;
        if (Ours / Target > SlowestShare) {
            SlowestShare = Ours / Target;
            Slowest = Op;
        }
        if (Sqlite > 0)
            std::printf("%-34s %8.2f ms %5.0f ms %8.2f ms %7.2f%s\n", Op.c_str(), Ours * 1e3, Target * 1e3,
                        Sqlite * 1e3, Ours / Sqlite, Ours > Target ? "  OVER TARGET" : "");
        else
            std::printf("%-34s %8.2f ms %5.0f ms %11s %7s%s\n", Op.c_str(), Ours * 1e3, Target * 1e3, "-", "-",
                        Ours > Target ? "  OVER TARGET" : "");
    }
    std::printf("closest to its target: %s (%.0f %% of it)\n", Slowest.c_str(), SlowestShare * 100);
}

void PrintMemory()
{
    TFiles& F = Files();
    long Empty = 0, Open = 0;
    {
        TProgram Program;
        Empty = ResidentKilobytes();
        Program.OpenFromList();
        Open = ResidentKilobytes();
    }
    const double FileKb = double(F.ContactBytes) / 1024;
    std::printf("\nMemory: the program with no file %ld KB; with the file open %ld KB (+%ld KB)\n", Empty, Open,
                Open - Empty);
    std::printf("contact file %.0f KB; growth / file size %.2f (target <= 2)\n", FileKb, double(Open - Empty) / FileKb);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    TSiLibraryScope SiLibrary;
    Application->Initialize();
    if (!InitializeBenchmarks(argc, argv, "0"))
        return 1;
    Files();
    // Memory first, before the benchmarks have grown the heap.
    PrintMemory();
    RegisterAll();
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintSummary(Reporter);
    return 0;
}
