// The page control against QTabWidget, in one run, on an 800 x 500 control
// with 12 pages whose tabs carry images and do not fit one row (the strip
// scrolls), with close buttons (ours: the strip's, Qt: one per tab).
//
//   repaint      the whole control painted afresh into the form's image,
//                against QWidget::render of the tab widget into a QImage
//   hover        1,000 mouse moves along the strip, each followed by the
//                painting it caused (ours: only the tabs whose hot state
//                changed, their outlines from cached regions), against
//                hover moves over the QTabBar and the updates they post
//   switch       100 page changes, each painted
//
// Both sides pass through Qt's event loop once per move and per change, as
// a user's input arrives one event at a time.
//
// The summary prints each figure as ours / Qt (target: at most 1), and
// the hover moves once more with the default region cache of one region.
#include "bench/BenchArgs.h"
#include "controls/lists/FcPageControl.h"
#include "platform/actions/ImgList.h"
#include "platform/forms/Application.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHoverEvent>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTabBar>
#include <QTabWidget>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int GWidth = 800, GHeight = 500, GPages = 12, GImages = 4;

QString PageCaption(int I)
{
    return QStringLiteral("Tabblad nummer %1").arg(I + 1);
}

QImage Icon(int I)
{
    QImage Image(16, 16, QImage::Format_ARGB32);
    Image.fill(QColor::fromHsv(I * 80 % 360, 200, 220));
    return Image;
}

struct TOurs {
    TForm* Form = nullptr;
    TFcPageControl* Pages = nullptr;
};

TOurs BuildOurs(int RegionCache)
{
    TOurs O;
    O.Form = CreateNewForm<TForm>(nullptr);
    O.Form->SetBounds(0, 0, GWidth, GHeight);
    auto* Images = new TImageList(O.Form);
    for (int I = 0; I < GImages; ++I)
        Images->AddImage(Icon(I));
    O.Pages = new TFcPageControl(O.Form);
    O.Pages->SetAlign(alClient);
    O.Pages->SetImages(Images);
    O.Pages->SetShowCloseButton(true);
    O.Pages->SetRegionCacheCapacity(RegionCache);
    O.Pages->SetParent(O.Form);
    for (int I = 0; I < GPages; ++I) {
        auto* Sheet = new TFcTabSheet(O.Form);
        Sheet->SetCaption(PageCaption(I));
        Sheet->SetImageIndex(I % GImages);
        Sheet->SetPageControl(O.Pages);
    }
    O.Pages->SetActivePageIndex(0);
    O.Form->Show();
    UpdateWindow(O.Form->Handle());
    return O;
}

std::unique_ptr<QTabWidget> BuildQt()
{
    auto W = std::make_unique<QTabWidget>();
    W->setTabsClosable(true);
    W->setUsesScrollButtons(true);
    for (int I = 0; I < GPages; ++I)
        W->addTab(new QWidget, QIcon(QPixmap::fromImage(Icon(I % GImages))), PageCaption(I));
    W->resize(GWidth, GHeight);
    W->show();
    QCoreApplication::processEvents();
    return W;
}

// --- repaint ---

void OursRepaint(benchmark::State& State)
{
    TOurs O = BuildOurs(1);
    if (!O.Pages->TabsOverflow())
        State.SkipWithError("the tabs fit one row");
    for (auto _ : State) {
        RedrawWindow(O.Pages->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        UpdateWindow(O.Form->Handle());
    }
    O.Form->Free();
}

void QtRepaint(benchmark::State& State)
{
    auto W = BuildQt();
    QImage Image(GWidth, GHeight, QImage::Format_RGB32);
    for (auto _ : State) {
        W->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
}

// --- hover ---

// Along the strip and back, through the middle of the tabs.
TPoint HoverPoint(int I, int Y)
{
    const int X = I % 1400;
    return {X < 700 ? 4 + X : 4 + 1399 - X, Y};
}

void OursHover(benchmark::State& State, int RegionCache)
{
    TOurs O = BuildOurs(RegionCache);
    const int Y = O.Pages->FixedDimension() / 2;
    for (auto _ : State) {
        for (int I = 0; I < 1000; ++I) {
            const TPoint P = HoverPoint(I, Y);
            O.Pages->Perform(WM_MOUSEMOVE, 0, PointToLParam(P));
            UpdateWindow(O.Form->Handle());
            QCoreApplication::processEvents();
        }
    }
    O.Form->Free();
}

void OursHoverCached(benchmark::State& State)
{
    OursHover(State, -1);
}

void OursHoverOneRegion(benchmark::State& State)
{
    OursHover(State, 1);
}

void QtHover(benchmark::State& State)
{
    auto W = BuildQt();
    QTabBar* Bar = W->tabBar();
    const int Y = Bar->height() / 2;
    for (auto _ : State) {
        QPoint Old(0, Y);
        for (int I = 0; I < 1000; ++I) {
            const TPoint P = HoverPoint(I, Y);
            const QPoint Q(P.X, P.Y);
            QHoverEvent Hover(QEvent::HoverMove, QPointF(Q), QPointF(Bar->mapToGlobal(Q)), QPointF(Old));
            QCoreApplication::sendEvent(Bar, &Hover);
            QMouseEvent Move(QEvent::MouseMove, QPointF(Q), QPointF(Bar->mapToGlobal(Q)), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(Bar, &Move);
            QCoreApplication::processEvents();
            Old = Q;
        }
    }
}

// --- switch ---

void OursSwitch(benchmark::State& State)
{
    TOurs O = BuildOurs(1);
    int Page = 0;
    for (auto _ : State) {
        for (int I = 0; I < 100; ++I) {
            Page = (Page + 1) % GPages;
            O.Pages->SetActivePageIndex(Page);
            UpdateWindow(O.Form->Handle());
            QCoreApplication::processEvents();
        }
    }
    O.Form->Free();
}

void QtSwitch(benchmark::State& State)
{
    auto W = BuildQt();
    int Page = 0;
    for (auto _ : State) {
        for (int I = 0; I < 100; ++I) {
            Page = (Page + 1) % GPages;
            W->setCurrentIndex(Page);
            QCoreApplication::processEvents();
        }
    }
}

BENCHMARK(OursRepaint)->Name("repaint/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtRepaint)->Name("repaint/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursHoverCached)->Name("hover/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtHover)->Name("hover/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursSwitch)->Name("switch/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(QtSwitch)->Name("switch/qt")->Unit(benchmark::kMillisecond);
BENCHMARK(OursHoverOneRegion)->Name("hover-one-region/ours")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    if (!InitializeBenchmarks(argc, argv, "0.2"))
        return 1;
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    const std::string Title = "Summary: ours / QTabWidget (" + std::to_string(GPages) + " pages, " +
                              std::to_string(GWidth) + " x " + std::to_string(GHeight) + "); target ratio <= 1";
    Reporter.PrintRatios(Title.c_str());
    return 0;
}
