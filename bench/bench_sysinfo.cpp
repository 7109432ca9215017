// The system-information component against the same facts read straight
// from /proc, uname, the password database and Qt, in one run:
//
//   sysinfo/ours     every published property of TSiSysInfo read once
//   sysinfo/direct   each of those facts read once the plain way
//
// After the Google Benchmark output a summary prints ours / direct (target
// at most 2) and the slowest properties (target under 1 ms each, since a
// status bar polls some of them every second).
//
// What the component keeps once read (the user's password entry, the
// kernel's release, the name of the time zone per zone, the list of
// fonts) the direct reads keep as well.
#include "bench/BenchArgs.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/StringList.h"
#include "sysinfo/SiSysInfo.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLocale>
#include <QPrinterInfo>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStyleHints>
#include <QThread>
#include <QTimeZone>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

TSiSysInfo* GInfo = nullptr;

std::vector<const TPropInfo*> OwnProps()
{
    std::vector<const TPropInfo*> Props;
    for (const TPropInfo* P : GetPropList(GInfo))
        if (GetPropInfo(ClassOf<TComponent>(), P->Name) == nullptr)
            Props.push_back(P);
    return Props;
}

void ReadProp(const TPropInfo* P)
{
    if (P->Kind() == tkUString)
        benchmark::DoNotOptimize(GetStrProp(GInfo, P));
    else if (P->Kind() == tkClass)
        benchmark::DoNotOptimize(static_cast<TStrings*>(GetObjectProp(GInfo, P))->Count());
    else
        benchmark::DoNotOptimize(GetOrdProp(GInfo, P));
}

// --- the direct reads, one per property, in the same order of topics ---

QByteArray ReadFile(const char* Path)
{
    QFile F(QString::fromLatin1(Path));
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

qint64 MemInfoKiB(const char* Name)
{
    for (const QByteArray& Line : ReadFile("/proc/meminfo").split('\n'))
        if (Line.startsWith(Name))
            return Line.mid(qstrlen(Name) + 1).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

QString PasswordField(bool FullName)
{
    static const QStringList Entry = [] {
        struct passwd Pwd;
        struct passwd* Result = nullptr;
        char Buffer[4096];
        if (::getpwuid_r(::geteuid(), &Pwd, Buffer, sizeof Buffer, &Result) != 0 || Result == nullptr)
            return QStringList{QString(), QString()};
        return QStringList{QString::fromLocal8Bit(Pwd.pw_name),
                           QString::fromLocal8Bit(Pwd.pw_gecos).section(QLatin1Char(','), 0, 0)};
    }();
    return Entry.at(FullName ? 1 : 0);
}

QString Release()
{
    static const QString Kernel = [] {
        struct utsname U;
        ::uname(&U);
        return QString::fromLatin1(U.release);
    }();
    return Kernel;
}

QString TimeZoneName()
{
    static QByteArray Id;
    static QString Name;
    const QByteArray Now = QTimeZone::systemTimeZoneId();
    if (Now != Id || Name.isEmpty()) {
        Name = QTimeZone(Now).displayName(QTimeZone::StandardTime, QTimeZone::LongName);
        Id = Now;
    }
    return Name;
}

qsizetype FontCount()
{
    static const qsizetype Count = QFontDatabase::families().size();
    return Count;
}

QString TempFolder()
{
    const QString Tmp = qEnvironmentVariable("TMPDIR");
    if (!Tmp.isEmpty())
        return Tmp + QLatin1Char('/');
    const QString Folder = QDir::homePath() + QStringLiteral("/.cache/quorvy/tmp");
    ::mkdir(QFile::encodeName(Folder).constData(), 0700);
    return Folder + QLatin1Char('/');
}

QString Host()
{
    char Name[256] = {};
    ::gethostname(Name, sizeof Name - 1);
    return QString::fromLocal8Bit(Name).section(QLatin1Char('.'), 0, 0).left(15).toUpper();
}

QScreen* Primary()
{
    return QGuiApplication::primaryScreen();
}

std::vector<std::function<void()>> DirectReads()
{
    auto Keep = [](auto F) { return std::function<void()>([F] { benchmark::DoNotOptimize(F()); }); };
    std::vector<std::function<void()>> R = {
        Keep([] { return PasswordField(false); }),
        Keep([] { return QString(); }),
        Keep([] { return PasswordField(true); }),
        Keep([] { return Release().section(QLatin1Char('.'), 0, 1); }),
        Keep([] { return qEnvironmentVariable("XDG_CONFIG_HOME", QDir::homePath() + "/.config"); }),
        Keep([] { return QStringLiteral("/usr/lib"); }),
        Keep([] { return QStringLiteral("0 %"); }),
        Keep([] { return QStringLiteral("0 %"); }),
        Keep([] { return QStringLiteral("0 %"); }),
        Keep([] { return QString::number(100 - MemInfoKiB("MemAvailable") * 100 / MemInfoKiB("MemTotal")) + " %"; }),
        Keep([] { return QStringLiteral("Windows NT"); }),
        Keep([] { return TempFolder(); }),
        Keep([] { return Host(); }),
        Keep([] {
            struct utsname U;
            ::uname(&U);
            return QString::fromLatin1(U.machine);
        }),
        Keep([] { return QLocale().nativeLanguageName() + " (" + QLocale().nativeTerritoryName() + ")"; }),
        Keep([] { return TimeZoneName(); }),
        Keep([] { return Release().section(QLatin1Char('.'), 2, 2).toInt(); }),
        Keep([] { return 0; }),
        Keep([] { return int(QLocale().language()); }),
        Keep([] { return QTimeZone::systemTimeZone().standardTimeOffset(QDateTime::currentDateTimeUtc()); }),
        Keep([] { return Primary()->geometry().width(); }),
        Keep([] { return Primary()->geometry().height(); }),
        Keep([] { return Primary()->logicalDotsPerInch(); }),
    };
    for (const char* Name : {"MemTotal", "MemAvailable"})
        R.push_back(Keep([Name] { return MemInfoKiB(Name); }));
    R.push_back(Keep([] { return qint64(1) << 37; })); // the address space
    R.push_back(Keep([] { return ReadFile("/proc/self/statm").split(' ').value(0).toLongLong(); }));
    for (const char* Name : {"SwapTotal", "SwapFree"})
        R.push_back(Keep([Name] { return MemInfoKiB(Name); }));
    R.push_back(Keep([] { return 0; }));
    for (int I = 0; I < 3; ++I)
        R.push_back(Keep([] { return int(QGuiApplication::queryKeyboardModifiers()); }));
    R.push_back(Keep([] { return QApplication::isEffectEnabled(Qt::UI_General); }));
    R.push_back(Keep([] { return true; }));
    R.push_back(Keep([] { return false; }));
    R.push_back(Keep([] { return int(QGuiApplication::font().styleStrategy()); }));
    for (bool Fixed : {true, false, true})
        R.push_back(Keep([Fixed] { return Fixed; }));
    // The 28 locale items: one locale call each.
    const std::vector<std::function<QString(const QLocale&)>> Locale = {
        [](const QLocale&) { return QStringLiteral("1"); },
        [](const QLocale& L) { return L.toCurrencyString(1.0); },
        [](const QLocale& L) { return L.toCurrencyString(1.5); },
        [](const QLocale&) { return QStringLiteral("2"); },
        [](const QLocale& L) { return QString::number(L.firstDayOfWeek()); },
        [](const QLocale& L) { return QString::number(L.firstDayOfWeek()); },
        [](const QLocale&) { return QStringLiteral("1"); },
        [](const QLocale& L) { return QString::number(L.measurementSystem()); },
        [](const QLocale& L) { return L.toCurrencyString(-1.5); },
        [](const QLocale& L) { return L.toString(-1.5); },
        [](const QLocale& L) { return L.timeFormat(QLocale::ShortFormat); },
        [](const QLocale& L) { return L.amText(); },
        [](const QLocale& L) { return L.pmText(); },
        [](const QLocale& L) { return L.currencySymbol(); },
        [](const QLocale& L) { return L.dateFormat(QLocale::ShortFormat); },
        [](const QLocale& L) { return L.decimalPoint(); },
        [](const QLocale&) { return QStringLiteral("3;0"); },
        [](const QLocale& L) { return L.decimalPoint(); },
        [](const QLocale& L) { return L.dateFormat(QLocale::LongFormat); },
        [](const QLocale& L) { return L.decimalPoint(); },
        [](const QLocale&) { return QStringLiteral("3;0"); },
        [](const QLocale& L) { return L.groupSeparator(); },
        [](const QLocale& L) { return L.negativeSign(); },
        [](const QLocale& L) { return L.positiveSign(); },
        [](const QLocale& L) { return L.dateFormat(QLocale::ShortFormat); },
        [](const QLocale& L) { return L.groupSeparator(); },
        [](const QLocale& L) { return L.timeFormat(QLocale::ShortFormat); },
        [](const QLocale& L) { return L.timeFormat(QLocale::ShortFormat); },
    };
    for (const auto& Item : Locale)
        R.push_back(Keep([Item] { return Item(QLocale()); }));
    R.push_back(Keep([] { return QProcessEnvironment::systemEnvironment().toStringList().size(); }));
    R.push_back(Keep([] { return FontCount(); }));
    R.push_back(Keep([] { return QPrinterInfo::availablePrinterNames().size(); }));
    R.push_back(Keep([] { return QThread::idealThreadCount(); }));
    R.push_back(Keep([] { return Primary()->depth(); }));
    R.push_back(Keep([] { return 1; }));
    R.push_back(Keep([] { return QGuiApplication::styleHints()->keyboardAutoRepeatRate(); }));
    return R;
}

void ReadOurs()
{
    static const std::vector<const TPropInfo*> Props = OwnProps();
    for (const TPropInfo* P : Props)
        ReadProp(P);
}

void ReadDirect()
{
    static const std::vector<std::function<void()>> Reads = DirectReads();
    for (const auto& Read : Reads)
        Read();
}

void Ours(benchmark::State& State)
{
    for (auto _ : State)
        ReadOurs();
}

void Direct(benchmark::State& State)
{
    for (auto _ : State)
        ReadDirect();
}

BENCHMARK(Ours)->Name("sysinfo/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(Direct)->Name("sysinfo/direct")->Unit(benchmark::kMicrosecond);

std::map<std::string, double> GSeconds;

class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Reports) override
    {
        ConsoleReporter::ReportRuns(Reports);
        for (const Run& R : Reports)
            if (R.run_type == Run::RT_Iteration && !R.error_occurred && R.iterations > 0)
                GSeconds[R.benchmark_name()] = R.real_accumulated_time / double(R.iterations);
    }
};

// Mean time of one call of Read, warm.
double MeanSeconds(const std::function<void()>& Read)
{
    Read();
    int Reads = 0;
    const auto Start = TClock::now();
    auto Now = Start;
    while (Reads < 1000 && Now - Start < std::chrono::milliseconds(20)) {
        Read();
        ++Reads;
        Now = TClock::now();
    }
    return std::chrono::duration<double>(Now - Start).count() / Reads;
}

struct TFactTime {
    QString Name;
    double Ours = 0;
    double Direct = 0;
};

// Each property against its direct read (the lists run in the same order).
std::vector<TFactTime> FactTimes()
{
    const std::vector<const TPropInfo*> Props = OwnProps();
    const std::vector<std::function<void()>> Reads = DirectReads();
    std::vector<TFactTime> Times;
    for (std::size_t I = 0; I < Props.size() && I < Reads.size(); ++I)
        Times.push_back({Props[I]->Name, MeanSeconds([P = Props[I]] { ReadProp(P); }), MeanSeconds(Reads[I])});
    return Times;
}

void PrintFacts(const char* Title, std::vector<TFactTime> Times,
                const std::function<bool(const TFactTime&, const TFactTime&)>& Order)
{
    std::sort(Times.begin(), Times.end(), Order);
    std::printf("%s\n  %-28s %10s %10s\n", Title, "property", "ours", "direct");
    for (std::size_t I = 0; I < std::min<std::size_t>(5, Times.size()); ++I)
        std::printf("  %-28s %7.1f us %7.1f us\n", qPrintable(Times[I].Name), Times[I].Ours * 1e6,
                    Times[I].Direct * 1e6);
}

void PrintSummary()
{
    const double Ours = GSeconds["sysinfo/ours"], Direct = GSeconds["sysinfo/direct"];
    std::printf("\nSummary: every property of TSiSysInfo once (%zu properties, %zu direct reads)\n", OwnProps().size(),
                DirectReads().size());
    std::printf("ours %.1f us, direct %.1f us, ours / direct %.2f (target <= 2)\n", Ours * 1e6, Direct * 1e6,
                Direct > 0 ? Ours / Direct : 0.0);
    const std::vector<TFactTime> Times = FactTimes();
    PrintFacts("slowest properties (target < 1 ms each):", Times,
               [](const TFactTime& A, const TFactTime& B) { return A.Ours > B.Ours; });
    PrintFacts("slowest direct reads:", Times,
               [](const TFactTime& A, const TFactTime& B) { return A.Direct > B.Direct; });
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    TSiSysInfo Info(nullptr);
    GInfo = &Info;
    // The first reads load plug-ins and tables once for the whole run.
    ReadOurs();
    ReadDirect();
    TCollectingReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintSummary();
    return 0;
}
