// The frame the desktop's window manager puts round a top-level window:
// its title bar and borders are not ours, yet a window placed on the
// screen must keep them there (GetDesktopFrameMargins), and the frame is
// known for sure only once the desktop has shown it (WhenDesktopFramed).
#include "platform/graphics/GuiApplication.h"
#include "platform/windows/WndHandle.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace {

std::function<TRect(HWND)>& DesktopFrameHook()
{
    static std::function<TRect(HWND)> Hook;
    return Hook;
}

// What the last framed window the desktop showed had: the window manager
// frames the next one alike.
QMargins& LastFrameSeen()
{
    static QMargins Seen;
    return Seen;
}

// A desktop without a window manager draws no frames.
bool DesktopDrawsFrames()
{
    const QString Name = QGuiApplication::platformName();
    return Name.compare(QLatin1String("offscreen"), Qt::CaseInsensitive) != 0
        && Name.compare(QLatin1String("minimal"), Qt::CaseInsensitive) != 0;
}

// The frame of a shown window as the desktop told Qt; null while the
// window is not framed yet.
QMargins FrameOfShown(QWindow* W)
{
    if (W == nullptr || !W->isVisible() || W->flags().testFlag(Qt::FramelessWindowHint))
        return {};
    const QMargins M = W->frameMargins();
    if (!M.isNull())
        LastFrameSeen() = M;
    return M;
}

QMargins FrameOfAnotherWindow(QWindow* Except)
{
    for (QWindow* W : QGuiApplication::topLevelWindows())
        if (W != Except)
            if (const QMargins M = FrameOfShown(W); !M.isNull())
                return M;
    return LastFrameSeen();
}

// Before any window was framed: a title bar as the style draws one, with
// a border round it; rather too much than a title bar off the screen.
QMargins EstimatedFrame()
{
    const QStyle* S = QApplication::style();
    const int Border = std::max(4, S->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth));
    return {Border, S->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * Border, Border, Border};
}

// Watches a window's Qt widget for its first paint on the screen: by then
// the window manager has framed it. Done runs after that paint, from the
// event loop, and the watch goes.
class TFramedWatch : public QObject {
public:
    TFramedWatch(HWND Wnd, QWidget* Widget, std::function<void()> Done)
        : QObject(Widget), FWnd(Wnd), FDone(std::move(Done))
    {
        Widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override
    {
        if (E->type() == QEvent::Paint && !FSeen) {
            FSeen = true;
            Watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this, [this] { Fire(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void Fire()
    {
        deleteLater();
        if (QvWnd::Live(FWnd) != nullptr)
            GuardEntry(FWnd, FDone);
    }

    HWND FWnd;
    std::function<void()> FDone;
    bool FSeen = false;
};

TRect ToSides(const QMargins& M)
{
    return {M.left(), M.top(), M.right(), M.bottom()};
}

} // namespace

TRect GetDesktopFrameMargins(HWND Wnd)
{
    HWND Top = QvWnd::Live(Wnd);
    if (Top == nullptr || !Top->FramedByDesktop())
        return {};
    if (DesktopFrameHook())
        return DesktopFrameHook()(Top);
    if (!HasWidgetApplication() || !DesktopDrawsFrames())
        return {};
    QWidget* Widget = WindowQtWidget(Top);
    QWindow* Own = Widget != nullptr ? Widget->windowHandle() : nullptr;
    QMargins M = FrameOfShown(Own);
    if (M.isNull())
        M = FrameOfAnotherWindow(Own);
    // The first window: the window manager is asked; the estimate stands
    // in where it cannot say.
    if (M.isNull())
        if (const std::optional<QMargins> Asked = QvWnd::AskDesktopFrame(Top); Asked && !Asked->isNull())
            M = LastFrameSeen() = *Asked;
    if (M.isNull())
        M = EstimatedFrame();
    return ToSides(M);
}

void SetDesktopFrameHook(std::function<TRect(HWND Wnd)> Hook)
{
    DesktopFrameHook() = std::move(Hook);
}

void WhenDesktopFramed(HWND Wnd, std::function<void()> Done)
{
    HWND Top = QvWnd::Live(Wnd);
    QWidget* Widget = Top != nullptr && Top->FramedByDesktop() ? WindowQtWidget(Top) : nullptr;
    if (Widget != nullptr)
        new TFramedWatch(Top, Widget, std::move(Done));
}
