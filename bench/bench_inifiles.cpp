// Ini files against QSettings in IniFormat, in one run:
//
//   values/<n>     a file with one section of n keys (between two small
//                  sections): TIniFile::ReadSectionValues against a fresh
//                  QSettings listing the group's keys and reading each value
//   sections/<n>   a file of n sections of one key each: ReadSections
//                  against a fresh QSettings listing its groups
//
// Each iteration gives the file a new modification time, so that neither
// side can answer from what it read before: ours reads the file on every
// call anyway, QSettings reads it again once it has changed.  After the
// Google Benchmark output a summary prints ours / QSettings at 10,000 and
// 100,000 keys; time in proportion to the size keeps the ratio the same.
#include "bench/BenchArgs.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/StringList.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace {

const int GSizes[] = {10000, 100000};

QTemporaryDir& Folder()
{
    static QTemporaryDir Dir;
    return Dir;
}

QString WriteFile(const QString& Name, const QByteArray& Text)
{
    const QString Path = Folder().filePath(Name);
    QFile F(Path);
    if (!F.open(QIODevice::WriteOnly) || F.write(Text) != Text.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(Path));
    return Path;
}

QString ValuesFile(int Keys)
{
    static std::map<int, QString> Made;
    QString& Path = Made[Keys];
    if (Path.isEmpty()) {
        QByteArray Text = "[Voor]\r\nA=1\r\n[Contacten]\r\n";
        for (int I = 0; I < Keys; ++I)
            Text += "Sleutel" + QByteArray::number(I) + "=Waarde" + QByteArray::number(I) + "\r\n";
        Text += "[Na]\r\nB=2\r\n";
        Path = WriteFile(QStringLiteral("values%1.ini").arg(Keys), Text);
    }
    return Path;
}

QString SectionsFile(int Sections)
{
    static std::map<int, QString> Made;
    QString& Path = Made[Sections];
    if (Path.isEmpty()) {
        QByteArray Text;
        for (int I = 0; I < Sections; ++I)
            Text += "[Groep" + QByteArray::number(I) + "]\r\nNaam=" + QByteArray::number(I) + "\r\n";
        Path = WriteFile(QStringLiteral("sections%1.ini").arg(Sections), Text);
    }
    return Path;
}

// A new modification time for the file, outside the timed part.
void Touch(benchmark::State& State, const QString& Path)
{
    State.PauseTiming();
    static auto Stamp = std::filesystem::file_time_type::clock::now();
    Stamp += std::chrono::seconds(1);
    std::filesystem::last_write_time(Path.toStdString(), Stamp);
    State.ResumeTiming();
}

void Check(benchmark::State& State, qsizetype Got, int Want)
{
    if (Got != Want)
        State.SkipWithError("the listing has the wrong length");
}

void OursValues(benchmark::State& State)
{
    const int Keys = int(State.range(0));
    const QString Path = ValuesFile(Keys);
    TStringList List;
    for (auto _ : State) {
        Touch(State, Path);
        TIniFile Ini(Path);
        Ini.ReadSectionValues(QStringLiteral("Contacten"), &List);
    }
    Check(State, List.Count(), Keys);
}

void QtValues(benchmark::State& State)
{
    const int Keys = int(State.range(0));
    const QString Path = ValuesFile(Keys);
    QStringList List;
    for (auto _ : State) {
        Touch(State, Path);
        QSettings Ini(Path, QSettings::IniFormat);
        Ini.beginGroup(QStringLiteral("Contacten"));
        List.clear();
        for (const QString& Key : Ini.childKeys())
            List.append(Key + QLatin1Char('=') + Ini.value(Key).toString());
    }
    Check(State, List.size(), Keys);
}

void OursSections(benchmark::State& State)
{
    const int Sections = int(State.range(0));
    const QString Path = SectionsFile(Sections);
    TStringList List;
    for (auto _ : State) {
        Touch(State, Path);
        TIniFile Ini(Path);
        Ini.ReadSections(&List);
    }
    Check(State, List.Count(), Sections);
}

void QtSections(benchmark::State& State)
{
    const int Sections = int(State.range(0));
    const QString Path = SectionsFile(Sections);
    QStringList List;
    for (auto _ : State) {
        Touch(State, Path);
        QSettings Ini(Path, QSettings::IniFormat);
        List = Ini.childGroups();
    }
    Check(State, List.size(), Sections);
}

void Register()
{
    struct TSide {
        const char* Operation;
        const char* Side;
        void (*Run)(benchmark::State&);
    };
    const TSide Sides[] = {{"values", "ours", OursValues},
                           {"values", "qt", QtValues},
                           {"sections", "ours", OursSections},
                           {"sections", "qt", QtSections}};
    for (const int Size : GSizes)
        for (const TSide& S : Sides) {
            const std::string Name = std::string(S.Operation) + "/" + std::to_string(Size) + "/" + S.Side;
            // Three runs each, the best counted: the machine is shared.
            benchmark::RegisterBenchmark(Name.c_str(), S.Run)->Arg(Size)->Unit(benchmark::kMillisecond)->Repetitions(3);
        }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    Register();
    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    Reporter.PrintRatios("Summary: ours / QSettings (IniFormat), reading a file of n keys; target ratio <= 1");
    return 0;
}
