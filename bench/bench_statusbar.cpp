// The status bar against Qt Widgets, in one run:
//
//   repaint      a status bar of 1000 x 24 with eight panes (two of them
//                polling: a clock and a Caps Lock pane) painted afresh,
//                against a QStatusBar with eight QLabels rendered into a
//                QImage with QWidget::render
//   tick         one tick of the shared polling timer over 50 panes (20
//                clocks, 15 lock keys, 15 free-memory panes, the clock
//                moving on a second every tick, so every clock has a new
//                text) and the repaint it causes
//
// After the Google Benchmark output a summary prints the repaint as
// ours / Qt (target: at most 1) and the tick as a share of the one-second
// interval (target: under 1 %).
#include "bench/BenchArgs.h"
#include "controls/foundation/FcClockStatus.h"
#include "controls/foundation/FcKeyStatus.h"
#include "controls/foundation/FcResourceStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "platform/forms/Application.h"
#include "platform/rtl/DateUtils.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QStatusBar>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int GWidth = 1000, GHeight = 24;

const char* const GTexts[] = {"Gereed",   "Personen: 1.234", "Groep: Familie", "Adres: Dorpsstraat 12",
                              "Bewerken", "Gefilterd"};

struct TOurBar {
    TForm* Form = nullptr;
    TFcStatusBar* Bar = nullptr;
};

TOurBar BuildOurBar(int Panes, bool Mixed)
{
    TOurBar B;
    B.Form = CreateNewForm<TForm>(nullptr);
    B.Form->SetBounds(0, 0, GWidth, 200);
    B.Bar = new TFcStatusBar(B.Form);
    B.Bar->SetParent(B.Form);
    B.Bar->SetHeight(GHeight);
    const int Width = GWidth / Panes;
    for (int I = 0; I < Panes; ++I) {
        TFcCustomStatusPane* Pane;
        if (Mixed) {
            // Eight panes: six texts, a clock and a Caps Lock pane.
            if (I == 6)
                Pane = new TFcClockStatus(B.Form);
            else if (I == 7)
                Pane = new TFcKeyStatus(B.Form);
            else {
                auto* Text = new TFcStatusPane(B.Form);
                Text->SetCaption(QString::fromUtf8(GTexts[I % 6]));
                Pane = Text;
            }
        } else if (I < 20) {
            Pane = new TFcClockStatus(B.Form);
        } else if (I < 35) {
            Pane = new TFcKeyStatus(B.Form);
        } else {
            Pane = new TFcResourceStatus(B.Form);
        }
        Pane->SetBounds(I * Width, 0, Width, GHeight);
        Pane->SetAlign(alLeft);
        Pane->SetParent(B.Bar);
    }
    B.Form->Show();
    UpdateWindow(B.Form->Handle());
    return B;
}

void OursRepaint(benchmark::State& State)
{
    TOurBar B = BuildOurBar(8, true);
    for (auto _ : State) {
        RedrawWindow(B.Bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        UpdateWindow(B.Bar->Handle());
    }
    B.Form->Free();
}

void QtRepaint(benchmark::State& State)
{
    QStatusBar Bar;
    for (int I = 0; I < 8; ++I)
        Bar.addWidget(new QLabel(I < 6        ? QString::fromUtf8(GTexts[I])
                                     : I == 6 ? QStringLiteral("09-03-2024 14:05:07")
                                              : QStringLiteral("CAPS")),
                      1);
    Bar.resize(GWidth, GHeight);
    Bar.show();
    QImage Image(GWidth, GHeight, QImage::Format_RGB32);
    for (auto _ : State) {
        Bar.render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
}

void OursTick(benchmark::State& State)
{
    int Second = 0;
    SetClockHook([&Second] { return EncodeDateTime(2024, 3, 9, 14, 0, 0, 0) + Second / double(SecsPerDay); });
    TOurBar B = BuildOurBar(50, false);
    TTimer* Timer = PollingList()->Timer();
    Timer->SetInterval(1000);
    for (auto _ : State) {
        ++Second;
        Timer->OnTimer()(Timer);
        UpdateWindow(B.Form->Handle());
    }
    B.Form->Free();
    SetClockHook({});
}

BENCHMARK(OursRepaint)->Name("repaint/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(QtRepaint)->Name("repaint/qt")->Unit(benchmark::kMicrosecond);
BENCHMARK(OursTick)->Name("tick/ours")->Unit(benchmark::kMicrosecond);

std::map<std::string, double> GSeconds;

class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Reports) override
    {
        ConsoleReporter::ReportRuns(Reports);
        for (const Run& R : Reports)
            if (R.run_type == Run::RT_Iteration && !R.error_occurred && R.iterations != 0)
                GSeconds[R.benchmark_name()] = R.real_accumulated_time / double(R.iterations);
    }
};

void PrintSummary()
{
    const double Ours = GSeconds["repaint/ours"], Qt = GSeconds["repaint/qt"], Tick = GSeconds["tick/ours"];
    std::printf("\nSummary\n");
    std::printf("repaint of a %d x %d bar with 8 panes: ours %.1f us, Qt %.1f us, ours / Qt %.2f (target <= 1)\n",
                GWidth, GHeight, Ours * 1e6, Qt * 1e6, Qt > 0 ? Ours / Qt : 0.0);
    std::printf("one polling tick over 50 panes, repaint included: %.1f us = %.3f %% of its 1 s interval "
                "(target < 1 %%)\n",
                Tick * 1e6, Tick * 100);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    TCollectingReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintSummary();
    return 0;
}
