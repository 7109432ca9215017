// The windowing layer against Qt Widgets, in one run, on a form of about
// 200 controls at 1000 x 700: rows of panels, each row of column panels,
// each column of two captioned panels, and graphic captions in all of them
// (our panels and graphic controls; QFrame panels with QLabel captions,
// kept in place by box layouts, on the Qt side).
//
//   repaint      every control painted afresh into the form's image, against
//                QWidget::render of the Qt form into a QImage
//   resize       the form resized (every child realigned) and painted,
//                against a resize of the Qt form (its layouts) and render
//   perform      10,000 messages sent to a control, against 10,000 events
//                sent to a widget
//
// After the Google Benchmark output a summary prints each figure as
// ours / Qt (target: at most 1) and the memory the window images take.
#include "bench/BenchArgs.h"
#include "platform/windows/GraphicControl.h"
#include "platform/forms/Application.h"
#include "platform/graphics/Canvas.h"
#include "platform/stdctrls/ExtCtrls.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBoxLayout>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int GWidth = 1000, GHeight = 700, GRows = 4, GColumns = 5;

// A caption drawn by its parent: the graphic control of the form.
class TBenchCaption : public TGraphicControl {
public:
    explicit TBenchCaption(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 80, 16); }

protected:
    void Paint() override
    {
        TRect R = ClientRect();
        Canvas()->Font()->Assign(Font());
        Canvas()->Brush()->SetStyle(bsClear);
        DrawText(Canvas()->Handle(), Caption(), &R, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    }
};

int GControls = 0;

TPanel* Panel(TComponent* Owner, TWinControl* Parent, TAlign Align, int Size, const String& Caption)
{
    auto* P = new TPanel(Owner);
    P->SetBounds(0, 0, Size, Size);
    P->SetAlign(Align);
    P->SetCaption(Caption);
    P->SetParent(Parent);
    ++GControls;
    return P;
}

void Captions(TComponent* Owner, TWinControl* Parent, int Count)
{
    for (int I = 0; I < Count; ++I) {
        auto* C = new TBenchCaption(Owner);
        C->SetAlign(alTop);
        C->SetCaption(QStringLiteral("Regel %1").arg(I + 1));
        C->SetParent(Parent);
        ++GControls;
    }
}

// Ours: rows aligned to the top, columns to the left, two panels each.
TForm* BuildOurForm()
{
    TForm* F = CreateNewForm<TForm>(nullptr);
    F->SetBounds(0, 0, GWidth, GHeight);
    GControls = 0;
    for (int R = 0; R < GRows; ++R) {
        TPanel* Row = Panel(F, F, R + 1 < GRows ? alTop : alClient, GHeight / GRows, String());
        for (int C = 0; C < GColumns; ++C) {
            TPanel* Column = Panel(F, Row, C + 1 < GColumns ? alLeft : alClient, GWidth / GColumns, String());
            Captions(F, Column, 1);
            TPanel* Upper = Panel(F, Column, alTop, 80, QStringLiteral("Boven %1.%2").arg(R).arg(C));
            Captions(F, Upper, 3);
            TPanel* Lower = Panel(F, Column, alClient, 80, QStringLiteral("Onder %1.%2").arg(R).arg(C));
            Captions(F, Lower, 3);
        }
    }
    F->Show();
    UpdateWindow(F->Handle());
    return F;
}

QFrame* QtPanel(QWidget* Parent, QBoxLayout* Into, const QString& Caption, int Captions, bool Horizontal = false)
{
    auto* F = new QFrame(Parent);
    F->setFrameStyle(QFrame::Panel | QFrame::Raised);
    F->setLineWidth(1);
    auto* L = Horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(F)) : new QVBoxLayout(F);
    L->setContentsMargins(1, 1, 1, 1);
    L->setSpacing(0);
    if (!Caption.isEmpty())
        L->addWidget(new QLabel(Caption, F));
    for (int I = 0; I < Captions; ++I)
        L->addWidget(new QLabel(QStringLiteral("Regel %1").arg(I + 1), F));
    Into->addWidget(F);
    return F;
}

std::unique_ptr<QWidget> BuildQtForm()
{
    auto W = std::make_unique<QWidget>();
    auto* Rows = new QVBoxLayout(W.get());
    Rows->setContentsMargins(0, 0, 0, 0);
    Rows->setSpacing(0);
    for (int R = 0; R < GRows; ++R) {
        QFrame* Row = QtPanel(W.get(), Rows, QString(), 0, true);
        auto* Columns = static_cast<QBoxLayout*>(Row->layout());
        for (int C = 0; C < GColumns; ++C) {
            QFrame* Column = QtPanel(Row, Columns, QString(), 1);
            auto* Inner = static_cast<QBoxLayout*>(Column->layout());
            QtPanel(Column, Inner, QStringLiteral("Boven %1.%2").arg(R).arg(C), 3);
            QtPanel(Column, Inner, QStringLiteral("Onder %1.%2").arg(R).arg(C), 3);
        }
    }
    W->resize(GWidth, GHeight);
    W->show();
    return W;
}

void OursRepaint(benchmark::State& State)
{
    TForm* F = BuildOurForm();
    for (auto _ : State) {
        RedrawWindow(F->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        UpdateWindow(F->Handle());
    }
    State.counters["controls"] = GControls;
    F->Free();
}

void QtRepaint(benchmark::State& State)
{
    auto W = BuildQtForm();
    QImage Image(GWidth, GHeight, QImage::Format_RGB32);
    for (auto _ : State) {
        W->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
}

void OursResize(benchmark::State& State)
{
    TForm* F = BuildOurForm();
    bool Small = false;
    for (auto _ : State) {
        Small = !Small;
        F->SetBounds(0, 0, Small ? GWidth - 100 : GWidth, Small ? GHeight - 50 : GHeight);
        UpdateWindow(F->Handle());
    }
    F->Free();
}

void QtResize(benchmark::State& State)
{
    auto W = BuildQtForm();
    QImage Image(GWidth, GHeight, QImage::Format_RGB32);
    bool Small = false;
    for (auto _ : State) {
        Small = !Small;
        W->resize(Small ? GWidth - 100 : GWidth, Small ? GHeight - 50 : GHeight);
        W->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
}

void OursPerform(benchmark::State& State)
{
    TForm* F = BuildOurForm();
    TControl* Target = F->Controls(0);
    for (auto _ : State)
        for (int I = 0; I < 10000; ++I)
            benchmark::DoNotOptimize(Target->Perform(CM_HITTEST, 0, 0));
    F->Free();
}

void QtPerform(benchmark::State& State)
{
    auto W = BuildQtForm();
    QWidget* Target = W->findChild<QFrame*>();
    for (auto _ : State)
        for (int I = 0; I < 10000; ++I) {
            QEvent E(QEvent::User);
            benchmark::DoNotOptimize(QCoreApplication::sendEvent(Target, &E));
        }
}

BENCHMARK(OursRepaint)->Name("repaint/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtRepaint)->Name("repaint/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursResize)->Name("resize/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtResize)->Name("resize/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursPerform)->Name("perform/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtPerform)->Name("perform/qt")->Unit(benchmark::kMillisecond);

void PrintSummary(TRatioReporter& Reporter)
{
    char Title[160];
    std::snprintf(Title, sizeof Title, "Summary: ours / Qt Widgets (%d controls, %d x %d form); target ratio <= 1",
                  GControls, GWidth, GHeight);
    Reporter.PrintRatios(Title);
    // The images the windows paint into: one per top-level window.
    TForm* F = BuildOurForm();
    std::size_t Bytes = 0;
    int Images = 0;
    for (HWND W : TopLevelWindowList())
        if (const std::size_t B = WindowSurfaceBytes(W)) {
            Bytes += B;
            ++Images;
        }
    const double One = double(GWidth) * GHeight * 4;
    std::printf("window images: %d for %d controls, %.1f MB = %.2f x one 32-bit image of the form "
                "(Qt's backing store adds 1 x; target <= 2 x in all)\n",
                Images, GControls, Bytes / 1e6, Bytes / One);
    F->Free();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    PrintSummary(Reporter);
    return 0;
}
