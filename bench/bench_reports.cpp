// The full report on 100,000 generated persons against abook, in one run.
//
//   report_csv/abook        `abook --convert` of the same persons, written
//                           by this benchmark as an abook file, into CSV:
//                           a process that reads and parses the whole file
//                           and writes five columns (name, e-mail
//                           addresses, phone, notes, nick name)
//   open_report_csv_abook_columns/ours
//                           THE LIKE-FOR-LIKE COMPARISON: the contact file
//                           opened, the full report window's Print with
//                           the columns abook's CSV holds (merged name, the
//                           two e-mail addresses, merged phone, call name;
//                           notes have no column in the report) into a
//                           comma-separated file, the file closed again
//   report_<format>_abook_columns/ours
//                           the same columns from the already open file,
//                           as an HTML page and a comma-separated file
//   report_<format>/ours    every column ("Volledige Rapportage") from the
//                           open file, as an HTML page, a fixed-width and
//                           a comma-separated file: six times abook's
//                           columns, so not the same work as abook's side
//                           (abook's own all-fields CSV, "allcsv", crashes
//                           in Debian's build and cannot be the peer); it
//                           is kept as a figure and held to the targets too
//   open_report_csv/ours    every column, the file opened and closed
//
// Targets: our CSV report no slower than abook's whole conversion, the
// HTML page within 2x of it; memory during the run at most 1.5x the open
// contact file's (measured in a child process: the resident set the open
// file adds, and the peak while the three reports are written).
//
// `bench_reports --qv-contact-file PATH N` writes a contact file of N
// generated persons, to look at the reports in the program itself;
// `bench_reports --qv-reports PATH` writes the reports this benchmark
// measures of that file into the temporary folder and prints their names.
//
// abook comes from the Debian package of that name, which `make bench`
// installs; without it the abook side is skipped with a message.
#include "app/qv_about.h"
#include "app/qv_data.h"
#include "app/qv_rap_f.h"
#include "app/qv_toolb.h"
#include "bench/BenchArgs.h"
#include "bench/BenchMemory.h"
#include "bench/ContactGenerator.h"
#include "controls/lists/FcChkLst.h"
#include "controls/lists/FcComboBox.h"
#include "platform/forms/Application.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <unistd.h>

namespace {

constexpr int GPersons = 100000;

struct TBenchFiles {
    QTemporaryDir Dir;
    QString Contact;
    QString Abook;
    QString Abook_Out;
    QString Abook_Program;
};

TBenchFiles* GFiles = nullptr;

QString DateText(const TBenchDate& D)
{
    return D.IsNull() ? QString() : QString::asprintf("%04d-%02d-%02d", D.Year, D.Month, D.Day);
}

// One line of abook's file: its format has no way to hold a line break.
QString OneLine(QString Text)
{
    return Text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// The persons as abook keeps them: name, e-mail addresses, the address and
// the phone numbers, nick name, web site, birthday and notes.
void WriteAbookFile(const TContactData& Data, const QString& Path)
{
    std::map<int, const TBenchAdres*> Addresses;
    for (const TBenchAdres& A : Data.Addresses)
        Addresses[A.IdAdres] = &A;
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly))
        return;
    QTextStream Out(&File);
    Out << "# abook addressbook file\n\n[format]\nprogram=abook\nversion=0.6.1\n\n";
    int Index = 0;
    for (const TBenchPerson& P : Data.Persons) {
        Out << "\n[" << Index++ << "]\n";
        Out << "name=" << ToolBox::PersonDisplayName(P.Aanhef, P.RoepNaam, P.TussenVoegsel, P.AchterNaam) << '\n';
        QStringList Mail;
        for (const QString& M : {P.EmailAdres1, P.EmailAdres2})
            if (!M.isEmpty())
                Mail << M;
        if (!Mail.isEmpty())
            Out << "email=" << Mail.join(',') << '\n';
        if (const auto It = Addresses.find(P.IdAdres); It != Addresses.end()) {
            const TBenchAdres& A = *It->second;
            Out << "address=" << A.StraatNaam << ' ' << A.HuisNummer << A.Toevoeging << '\n'
                << "city=" << A.WoonPlaats << "\nzip=" << A.Postcode << "\ncountry=" << A.Land << '\n'
                << "phone=" << A.TelefoonNummer1 << '\n';
        }
        Out << "workphone=" << P.TelefoonNummerWerk << "\nmobile=" << P.Mobiel << "\nnick=" << P.RoepNaam
            << "\nurl=" << P.Website << "\nanniversary=" << DateText(P.GeboorteDatum)
            << "\nnotes=" << OneLine(P.Opmerkingen) << '\n';
    }
}

// The program's data module with the contact file open, and the report
// window on "Volledige Rapportage" in the format asked for.
class TOurReport {
public:
    TOurReport()
    {
        if (DataModuleMain == nullptr)
            CreateComponent<TDataModuleMain>(Application);
        SetShellOpenHook([](const QUrl&) { return true; });
    }
    void Open() { DataModuleMain->OpenFiles(GFiles->Contact, false); }
    void Close() { DataModuleMain->CloseFiles(); }
    // Writes the report (every column, or only Items); returns its file,
    // which the caller removes.
    QString Run(int Format, const std::vector<int>& Items = {})
    {
        std::unique_ptr<TFormFullReport, TComponentDeleter> Form(CreateComponent<TFormFullReport>(nullptr));
        if (!Items.empty())
            Form->SpeedButtonSelectNoneClick(nullptr);
        for (int Item : Items)
            Form->FcCheckListBeschikbareVelden->SetItemChecked(Item, true);
        Form->FcComboBoxResult->SetItemIndex(Format);
        Form->FcComboBoxResultChange(nullptr);
        const QString File = Form->RunReport();
        DataModuleMain->TempFiles->Clear();
        return File;
    }
};

// The columns abook's CSV holds: name, e-mail addresses, phone, nick name
// (its notes have no column in the full report).
const std::vector<int> GAbookColumns = {30, 12, 13, 32, 4};

void Report(benchmark::State& State, int Format, std::vector<int> Items)
{
    TOurReport Ours;
    Ours.Open();
    for (auto _ : State) {
        const QString File = Ours.Run(Format, Items);
        State.PauseTiming();
        if (File.isEmpty())
            State.SkipWithError("no report");
        DeleteFile(File);
        State.ResumeTiming();
    }
    Ours.Close();
}

void OpenReportCsv(benchmark::State& State, std::vector<int> Items)
{
    TOurReport Ours;
    for (auto _ : State) {
        Ours.Open();
        const QString File = Ours.Run(2, Items);
        Ours.Close();
        State.PauseTiming();
        DeleteFile(File);
        State.ResumeTiming();
    }
}

void AbookCsv(benchmark::State& State)
{
    if (GFiles->Abook_Program.isEmpty()) {
        State.SkipWithError("abook is not installed (make bench installs the Debian package abook)");
        return;
    }
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("HOME"), GFiles->Dir.path());
    for (auto _ : State) {
        QProcess Abook;
        Abook.setProcessEnvironment(Env);
        Abook.start(GFiles->Abook_Program,
                    {"--convert", "--informat", "abook", "--infile", GFiles->Abook, "--outformat", "csv", "--outfile",
                     GFiles->Abook_Out});
        if (!Abook.waitForFinished(600000) || Abook.exitCode() != 0) {
            State.SkipWithError("abook failed");
            break;
        }
        State.PauseTiming();
        QFile::remove(GFiles->Abook_Out);
        State.ResumeTiming();
    }
}

// --- memory ---------------------------------------------------------------------

// In a process of its own: the resident set the open contact file adds,
// and the peak above the start while the three reports are written.
int MeasureMemoryChild(const QString& Contact)
{
    TBenchFiles Files;
    Files.Contact = Contact;
    GFiles = &Files;
    TOurReport Ours;
    const qint64 Before = StatusKiB("VmRSS");
    Ours.Open();
    const qint64 Open = StatusKiB("VmRSS") - Before;
    ResetPeakKiB();
    for (int Format : {0, 1, 2})
        DeleteFile(Ours.Run(Format));
    for (int Format : {0, 2})
        DeleteFile(Ours.Run(Format, GAbookColumns));
    const qint64 Peak = StatusKiB("VmHWM") - Before;
    std::printf("%lld %lld\n", static_cast<long long>(Open), static_cast<long long>(Peak));
    GFiles = nullptr;
    return 0;
}

// Every report the benchmark writes, kept, for comparing one build's
// reports with another's.
int WriteReportsOf(const QString& Contact)
{
    TBenchFiles Files;
    Files.Contact = Contact;
    GFiles = &Files;
    TOurReport Ours;
    Ours.Open();
    for (int Format : {0, 1, 2})
        std::printf("%s\n", qPrintable(Ours.Run(Format)));
    for (int Format : {0, 2})
        std::printf("%s\n", qPrintable(Ours.Run(Format, GAbookColumns)));
    Ours.Close();
    GFiles = nullptr;
    return 0;
}

void PrintMemory()
{
    QProcess Child;
    Child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--qv-memory"), GFiles->Contact});
    if (!Child.waitForFinished(600000) || Child.exitCode() != 0) {
        std::printf("\nmemory: the measuring process failed\n");
        return;
    }
    const QList<QByteArray> Parts = Child.readAllStandardOutput().trimmed().split(' ');
    const double Open = Parts.value(0).toDouble() / 1024, Peak = Parts.value(1).toDouble() / 1024;
    std::printf("\nmemory: open contact file %.1f MiB, peak while reporting %.1f MiB: %.2fx (target <= 1.5)\n", Open,
                Peak, Open > 0 ? Peak / Open : 0.0);
}

void PrintSummary(TRatioReporter& Reporter)
{
    Reporter.PrintRatios("Full report of 100,000 persons against abook --convert (CSV):");
    const double Abook = Reporter.Pair("report_csv").Qt;
    if (Abook <= 0)
        return;
    struct TTarget {
        const char* Operation;
        double Limit;
    };
    std::printf("\nagainst abook's whole conversion to CSV (%.1f ms), the like-for-like one first:\n", Abook * 1e3);
    for (const TTarget& T :
         {TTarget{"open_report_csv_abook_columns", 1.0}, TTarget{"report_csv_abook_columns", 1.0},
          TTarget{"report_html_abook_columns", 2.0}, TTarget{"report_csv", 1.0}, TTarget{"open_report_csv", 1.0},
          TTarget{"report_html", 2.0}, TTarget{"report_fixed", 0}}) {
        const double Ours = Reporter.Pair(T.Operation).Ours;
        if (Ours <= 0)
            continue;
        if (T.Limit > 0)
            std::printf("%-30s %8.2f (target <= %.0f)\n", T.Operation, Ours / Abook, T.Limit);
        else
            std::printf("%-30s %8.2f\n", T.Operation, Ours / Abook);
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    SetProgramFormats();
    if (argc == 3 && QByteArray(argv[1]) == "--qv-memory")
        return MeasureMemoryChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--qv-reports")
        return WriteReportsOf(QString::fromLocal8Bit(argv[2]));
    // A contact file of N generated persons to look at in the program.
    if (argc == 4 && QByteArray(argv[1]) == "--qv-contact-file") {
        WriteContactFile(TContactGenerator().Generate(QByteArray(argv[3]).toInt()), QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (!InitializeBenchmarks(argc, argv, "0.5"))
        return 1;
    TBenchFiles Files;
    GFiles = &Files;
    // Reports go into this run's own folder and leave with it.
    qputenv("TMPDIR", QFile::encodeName(Files.Dir.filePath("tmp")));
    ForceDirectories(Files.Dir.filePath("tmp"));
    Files.Contact = Files.Dir.filePath("personen.quorvy");
    Files.Abook = Files.Dir.filePath("personen.abook");
    Files.Abook_Out = Files.Dir.filePath("personen.csv");
    Files.Abook_Program = QStandardPaths::findExecutable(QStringLiteral("abook"));
    {
        const TContactData Data = TContactGenerator().Generate(GPersons);
        WriteContactFile(Data, Files.Contact);
        WriteAbookFile(Data, Files.Abook);
    }
    // The files just written go to disk now, not during the first runs.
    ::sync();
    const std::vector<int> Every;
    benchmark::RegisterBenchmark("report_csv/abook", AbookCsv)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("open_report_csv_abook_columns/ours", OpenReportCsv, GAbookColumns)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("report_csv_abook_columns/ours", Report, 2, GAbookColumns)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("report_html_abook_columns/ours", Report, 0, GAbookColumns)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("report_csv/ours", Report, 2, Every)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("open_report_csv/ours", OpenReportCsv, Every)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("report_html/ours", Report, 0, Every)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("report_fixed/ours", Report, 1, Every)->Unit(benchmark::kMillisecond);
    TRatioReporter Reporter("abook", "abook");
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintSummary(Reporter);
    PrintMemory();
    GFiles = nullptr;
    return 0;
}
