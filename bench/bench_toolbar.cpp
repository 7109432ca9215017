// The toolbar against Qt Widgets, in one run:
//
//   repaint      a toolbar of 1000 x 28 with 20 tool buttons (16 x 16
//                images, captions beside them, two drop-down buttons and a
//                separator) painted afresh, against a QToolBar with 20
//                QToolButtons rendered into a QImage with QWidget::render
//   hover        1,000 mouse moves across the bar, one pixel apart, each
//                handled and what it changed painted (the hot look moving
//                from button to button), against the same moves given to
//                the Qt toolbar's buttons and painted by Qt
//
// After the Google Benchmark output a summary prints each as ours / Qt
// (target: at most 1), the best of three runs of each.
#include "bench/BenchArgs.h"
#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/foundation/FcToolbar.h"
#include "platform/actions/Menus.h"
#include "platform/forms/Application.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int GWidth = 1000, GHeight = 28, GButtons = 20, GSweep = 1000;
int GQtButtonsShown = 0;

// Twenty small pictures, each a coloured square with a darker frame.
QImage Picture(int I)
{
    QImage P(16, 16, QImage::Format_ARGB32);
    P.fill(Qt::transparent);
    QPainter Painter(&P);
    const QColor C = QColor::fromHsv((I * 37) % 360, 180, 220);
    Painter.fillRect(2, 2, 12, 12, C);
    Painter.setPen(C.darker(160));
    Painter.drawRect(2, 2, 11, 11);
    return P;
}

QString CaptionOf(int I)
{
    return QStringLiteral("K%1").arg(I + 1);
}

struct TOurBar {
    TForm* Form = nullptr;
    TFcToolbar* Bar = nullptr;
};

TOurBar BuildOurBar()
{
    TOurBar B;
    B.Form = CreateNewForm<TForm>(nullptr);
    B.Form->SetBounds(0, 0, GWidth, 100);
    auto* Images = new TImageList(B.Form);
    for (int I = 0; I < GButtons; ++I)
        Images->AddImage(Picture(I));
    auto* Menu = new TPopupMenu(B.Form);
    B.Bar = new TFcToolbar(B.Form);
    B.Bar->SetParent(B.Form);
    B.Bar->SetImages(Images);
    B.Bar->SetRowHeight(24);
    B.Bar->SetButtonHeight(24);
    B.Bar->SetButtonWidth(44);
    B.Bar->SetShowButtonCaptions(true);
    for (int I = 0; I < GButtons; ++I) {
        if (I == GButtons / 2) {
            auto* Gap = new TFcSpacer(B.Form);
            Gap->SetGrooved(true);
            Gap->SetHeight(24);
            Gap->SetParent(B.Bar);
        }
        auto* Button = new TFcToolButton(B.Form);
        Button->SetCaption(CaptionOf(I));
        Button->SetImageIndex(I);
        if (I == 3 || I == 12) {
            Button->SetToolStyle(tsDropDown);
            Button->SetDropDownMenu(Menu);
        }
        Button->SetParent(B.Bar);
    }
    B.Form->Show();
    UpdateWindow(B.Form->Handle());
    return B;
}

std::unique_ptr<QToolBar> BuildQtBar()
{
    auto Bar = std::make_unique<QToolBar>();
    Bar->setIconSize(QSize(16, 16));
    Bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* Menu = new QMenu(Bar.get());
    Menu->addAction(QStringLiteral("Een"));
    for (int I = 0; I < GButtons; ++I) {
        if (I == GButtons / 2)
            Bar->addSeparator();
        auto* Button = new QToolButton;
        Button->setIcon(QIcon(QPixmap::fromImage(Picture(I))));
        Button->setText(CaptionOf(I));
        Button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        Button->setAutoRaise(true);
        // The sizes ours lays out (a drop-down with its 14-pixel arrow),
        // so that both bars show all their buttons.
        Button->setFixedSize(44, 24);
        if (I == 3 || I == 12) {
            Button->setMenu(Menu);
            Button->setPopupMode(QToolButton::MenuButtonPopup);
            Button->setFixedSize(44 + 14, 24);
        }
        Bar->addWidget(Button);
    }
    Bar->resize(GWidth, GHeight);
    Bar->show();
    QApplication::processEvents();
    return Bar;
}

void OursRepaint(benchmark::State& State)
{
    TOurBar B = BuildOurBar();
    for (auto _ : State) {
        RedrawWindow(B.Bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        UpdateWindow(B.Bar->Handle());
    }
    B.Form->Free();
}

void QtRepaint(benchmark::State& State)
{
    auto Bar = BuildQtBar();
    QImage Image(GWidth, GHeight, QImage::Format_RGB32);
    for (auto _ : State) {
        Bar->render(&Image);
        benchmark::DoNotOptimize(Image.constBits());
    }
}

// A mouse move as the desktop gives it to the top-level window.
void SendMove(QWidget* Window, QPoint Local, QPoint Global)
{
    QMouseEvent E(QEvent::MouseMove, QPointF(Local), QPointF(Local), QPointF(Global), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(Window, &E);
}

void OursHover(benchmark::State& State)
{
    TOurBar B = BuildOurBar();
    QWidget* Window = WindowQtWidget(B.Form->Handle());
    const TPoint Origin = B.Bar->ClientToScreen({0, 0});
    TRect Frame;
    GetWindowRect(B.Form->Handle(), &Frame);
    MSG Msg;
    for (auto _ : State) {
        for (int X = 0; X < GSweep; ++X) {
            const QPoint Local(Origin.X - Frame.Left + X, Origin.Y - Frame.Top + 14);
            SendMove(Window, Local, QPoint(Origin.X + X, Origin.Y + 14));
            // Every message the move queued (the cursor's and the move's),
            // as Qt's side handles all the move gives rise to.
            while (Application->ProcessMessage(Msg)) {
            }
            UpdateWindow(B.Form->Handle());
        }
    }
    B.Form->Free();
}

// The same moves given to the Qt toolbar's window, which finds the button
// under the pointer and gives it enter, leave and hover events as Qt does
// for a real pointer; one pass of the loop paints what changed.
// Counts the buttons' enter events.
class TEnterCounter : public QObject {
public:
    int Enters = 0;
    bool eventFilter(QObject*, QEvent* E) override
    {
        if (E->type() == QEvent::Enter)
            ++Enters;
        return false;
    }
};

void QtHover(benchmark::State& State)
{
    auto Bar = BuildQtBar();
    TEnterCounter Counter;
    for (QToolButton* B : Bar->findChildren<QToolButton*>())
        B->installEventFilter(&Counter);
    QWindow* Window = Bar->windowHandle();
    for (auto _ : State) {
        for (int X = 0; X < GSweep; ++X) {
            const QPointF P(X, 14);
            QMouseEvent E(QEvent::MouseMove, P, P, QPointF(Bar->mapToGlobal(P.toPoint())), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(Window, &E);
            QApplication::processEvents();
        }
    }
    // The moves reached the buttons: each sweep entered every one shown.
    int Shown = 0;
    for (QToolButton* B : Bar->findChildren<QToolButton*>())
        Shown += B->isVisible() && B->geometry().right() < GSweep ? 1 : 0;
    GQtButtonsShown = Shown;
    if (Counter.Enters < Shown)
        State.SkipWithError("the Qt toolbar's buttons did not follow the pointer");
}

// Three runs each, the best counted: the machine is shared.
BENCHMARK(OursRepaint)->Name("repaint/ours")->Unit(benchmark::kMicrosecond)->Repetitions(3);
BENCHMARK(QtRepaint)->Name("repaint/qt")->Unit(benchmark::kMicrosecond)->Repetitions(3);
BENCHMARK(OursHover)->Name("hover/ours")->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(QtHover)->Name("hover/qt")->Unit(benchmark::kMillisecond)->Repetitions(3);

void PrintSummary(TRatioReporter& Reporter)
{
    TOurBar B = BuildOurBar();
    char Title[200];
    std::snprintf(Title, sizeof Title,
                  "Summary: ours / Qt Widgets, a toolbar of %d x %d (ours laid out %d x %d) with %d tool buttons; "
                  "target ratio <= 1",
                  GWidth, GHeight, B.Bar->Width(), B.Bar->Height(), GButtons);
    B.Form->Free();
    Reporter.PrintRatios(Title);
    std::printf("(hover: one sweep of %d moves; the Qt toolbar showed %d of its buttons)\n", GSweep, GQtButtonsShown);
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
