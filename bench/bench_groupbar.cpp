// The group bar against Qt Widgets, in one run, on a 200 x 700 bar of six
// groups of ten items, each item with an image, over a gradient (our bar
// in the category view with exclusive mode, as the program uses it; a
// QToolBox of six pages of QToolButtons with icons over a gradient
// background on the Qt side).
//
//   repaint      the whole bar painted afresh, against QWidget::render of
//                the tool box
//   hover        1,000 mouse moves down the bar, each handled and what it
//                invalidated painted, against the same moves sent to the
//                tool box's window and its repaints processed
//   outlook      a group opened and the first opened again in the Outlook
//                style, painted, against switching the tool box's page
//                there and back
//
// After the Google Benchmark output a summary prints each figure as
// ours / Qt (target: at most 1) and what a hover move repaints.
#include "bench/BenchArgs.h"
#include "controls/lists/FcGroupBar.h"
#include "platform/actions/ImgList.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int GWidth = 200, GHeight = 700, GGroups = 6, GItems = 10, GMoves = 1000;

QImage Icon(int Index)
{
    QImage I(16, 16, QImage::Format_ARGB32);
    I.fill(QColor::fromHsv(Index * 36 % 360, 200, 220));
    QPainter P(&I);
    P.setPen(Qt::black);
    P.drawRect(2, 2, 11, 11);
    return I;
}

QString ItemCaption(int Group, int Item)
{
    return QStringLiteral("Opdracht %1.%2").arg(Group + 1).arg(Item + 1);
}

// --- ours ------------------------------------------------------------------------------------------

// The area painted, summed over every paint of a group or the bar (their
// clip boxes), for the hover figures.
long long GPaintedArea = 0;

void CountPainted(TCanvas* Canvas)
{
    const TRect R = Canvas->ClipRect();
    GPaintedArea += (long long)R.Width() * R.Height();
}

class TBenchGroup : public TFcGroup {
public:
    using TFcGroup::TFcGroup;

protected:
    void Paint() override
    {
        CountPainted(Canvas());
        TFcGroup::Paint();
    }
};

class TBenchBar : public TFcGroupBar {
public:
    using TFcGroupBar::TFcGroupBar;

protected:
    void Paint() override
    {
        CountPainted(Canvas());
        TFcGroupBar::Paint();
    }
};

struct TOurBar {
    TForm* Form = nullptr;
    TFcGroupBar* Bar = nullptr;
    ~TOurBar()
    {
        if (Form != nullptr)
            Form->Free();
    }
};

std::unique_ptr<TOurBar> BuildOurs(TFcGroupBarStyle Style)
{
    auto Result = std::make_unique<TOurBar>();
    TForm* F = CreateNewForm<TForm>(nullptr);
    Result->Form = F;
    F->SetBounds(0, 0, GWidth, GHeight);
    auto* Images = new TImageList(F);
    for (int I = 0; I < GItems; ++I)
        Images->AddImage(Icon(I));
    auto* Bar = new TBenchBar(F);
    Result->Bar = Bar;
    Bar->SetAlign(alClient);
    Bar->SetParent(F);
    Bar->SetStyle(Style);
    Bar->SetSmallImages(Images);
    for (int G = 0; G < GGroups; ++G) {
        auto* Group = new TBenchGroup(F);
        Group->SetCaption(QStringLiteral("Groep %1").arg(G + 1));
        for (int I = 0; I < GItems; ++I) {
            TFcGroupItem* Item = Group->Items()->Add();
            Item->SetCaption(ItemCaption(G, I));
            Item->SetImageIndex(I);
            Item->SetOnClick([](TObject*) {});
        }
        Group->SetGroupBar(Bar);
    }
    if (Style == gbsCategoryView)
        Bar->SetExclusiveMode(true);
    Bar->SetScrollPosition(0);
    F->Show();
    UpdateWindow(F->Handle());
    return Result;
}

// Handles every queued message.
void HandleMessages()
{
    MSG M;
    while (PeekMessage(M, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(M);
        DispatchMessage(M);
    }
}

void SendOurMove(TForm* F, int X, int Y)
{
    QWidget* W = WindowQtWidget(F->Handle());
    const QPointF Local(X, Y);
    QMouseEvent E(QEvent::MouseMove, Local, W->mapToGlobal(Local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(W, &E);
    HandleMessages();
}

int MoveY(int Move)
{
    return Move * GHeight / GMoves;
}

void OursRepaint(benchmark::State& State)
{
    auto Ours = BuildOurs(gbsCategoryView);
    for (auto _ : State) {
        RedrawWindow(Ours->Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        UpdateWindow(Ours->Form->Handle());
    }
}

void OursHover(benchmark::State& State)
{
    auto Ours = BuildOurs(gbsCategoryView);
    for (auto _ : State)
        for (int I = 0; I < GMoves; ++I) {
            SendOurMove(Ours->Form, 50, MoveY(I));
            UpdateWindow(Ours->Form->Handle());
        }
}

void OursOutlook(benchmark::State& State)
{
    auto Ours = BuildOurs(gbsOutlook);
    for (auto _ : State) {
        Ours->Bar->Groups(2)->Open();
        UpdateWindow(Ours->Form->Handle());
        Ours->Bar->Groups(0)->Open();
        UpdateWindow(Ours->Form->Handle());
    }
}

// --- Qt -------------------------------------------------------------------------------------------------

std::unique_ptr<QToolBox> BuildQt()
{
    auto Box = std::make_unique<QToolBox>();
    for (int G = 0; G < GGroups; ++G) {
        auto* Page = new QWidget;
        // The same fade as our bar's background behind the buttons.
        QPalette Palette = Page->palette();
        QLinearGradient Fade(0, 0, 0, GHeight);
        Fade.setColorAt(0, QColor(212, 208, 200));
        Fade.setColorAt(1, QColor(128, 128, 128));
        Palette.setBrush(QPalette::Window, Fade);
        Page->setPalette(Palette);
        Page->setAutoFillBackground(true);
        auto* Layout = new QVBoxLayout(Page);
        Layout->setContentsMargins(8, 4, 8, 4);
        Layout->setSpacing(0);
        for (int I = 0; I < GItems; ++I) {
            auto* Button = new QToolButton(Page);
            Button->setText(ItemCaption(G, I));
            Button->setIcon(QIcon(QPixmap::fromImage(Icon(I))));
            Button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            Button->setAutoRaise(true);
            Button->setFixedHeight(20);
            Layout->addWidget(Button);
        }
        Layout->addStretch();
        Box->addItem(Page, QStringLiteral("Groep %1").arg(G + 1));
    }
    Box->resize(GWidth, GHeight);
    Box->show();
    QCoreApplication::processEvents();
    return Box;
}

void SendQtMove(QToolBox* Box, int X, int Y)
{
    QWindow* Window = Box->windowHandle();
    const QPointF Local(X, Y);
    QMouseEvent E(QEvent::MouseMove, Local, Box->mapToGlobal(Local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Window, &E);
    QCoreApplication::processEvents();
}

void QtRepaint(benchmark::State& State)
{
    auto Box = BuildQt();
    QImage Image(GWidth, GHeight, QImage::Format_RGB32);
    for (auto _ : State) {
        Box->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
}

void QtHover(benchmark::State& State)
{
    auto Box = BuildQt();
    for (auto _ : State)
        for (int I = 0; I < GMoves; ++I)
            SendQtMove(Box.get(), 50, MoveY(I));
}

void QtOutlook(benchmark::State& State)
{
    auto Box = BuildQt();
    for (auto _ : State) {
        Box->setCurrentIndex(2);
        QCoreApplication::processEvents();
        Box->setCurrentIndex(0);
        QCoreApplication::processEvents();
    }
}

BENCHMARK(OursRepaint)->Name("repaint/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtRepaint)->Name("repaint/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursHover)->Name("hover/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtHover)->Name("hover/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursOutlook)->Name("outlook/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtOutlook)->Name("outlook/qt")->Unit(benchmark::kMillisecond);

// What one hover move repaints: the area the bar and its groups paint
// while the move is handled and what it invalidated is painted.
void PrintHoverRepaints()
{
    auto Ours = BuildOurs(gbsCategoryView);
    long long Total = 0, Largest = 0;
    int Repainting = 0;
    for (int I = 0; I < GMoves; ++I) {
        GPaintedArea = 0;
        SendOurMove(Ours->Form, 50, MoveY(I));
        UpdateWindow(Ours->Form->Handle());
        const long long Area = GPaintedArea;
        Total += Area;
        Largest = std::max(Largest, Area);
        Repainting += Area > 0 ? 1 : 0;
    }
    const double Bar = double(GWidth) * GHeight;
    std::printf("hover: %d of %d moves repainted something; per move %.0f px on average (%.2f%% of the bar), "
                "at most %lld px (%.2f%%)\n",
                Repainting, GMoves, double(Total) / GMoves, 100.0 * double(Total) / GMoves / Bar, Largest,
                100.0 * double(Largest) / Bar);
}

// The bar's own share of a hover move: WM_MOUSEMOVE sent straight to the
// window under the mouse and what it invalidated painted, without the
// message queue's passes through Qt's event loop.
void PrintHoverHandling()
{
    auto Ours = BuildOurs(gbsCategoryView);
    const TPoint Origin = Ours->Form->ClientToScreen({0, 0});
    QElapsedTimer Timer;
    Timer.start();
    for (int I = 0; I < GMoves; ++I) {
        TPoint P{Origin.X + 50, Origin.Y + MoveY(I)};
        HWND Under = WindowFromPoint(P);
        ScreenToClient(Under, &P);
        SendMessage(Under, WM_MOUSEMOVE, 0, PointToLParam(P));
        UpdateWindow(Ours->Form->Handle());
    }
    std::printf("hover, handling only: %.3f ms for %d moves sent straight to the window under the mouse\n",
                Timer.nsecsElapsed() / 1e6, GMoves);
}

void PrintSummary(TRatioReporter& Reporter)
{
    char Title[160];
    std::snprintf(Title, sizeof Title, "Summary: ours / Qt Widgets (%d groups of %d items, %d x %d); target ratio <= 1",
                  GGroups, GItems, GWidth, GHeight);
    Reporter.PrintRatios(Title);
    PrintHoverRepaints();
    PrintHoverHandling();
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
