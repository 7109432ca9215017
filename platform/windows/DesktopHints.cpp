#include "platform/windows/DesktopHints.h"

#include "platform/graphics/GuiApplication.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

namespace {

// Below, after Xlib's header.
void SetNetWmModal(Display* D, unsigned long Window, bool Modal);
std::optional<QMargins> RequestFrameExtents(Display* D, unsigned long Window);

Display* X11Display()
{
    QGuiApplication* App = GuiApplication();
    auto* X11 = App != nullptr ? App->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return X11 != nullptr ? X11->display() : nullptr;
}

} // namespace

void SetDesktopModal(QWidget* Window, bool Modal)
{
    Display* D = X11Display();
    if (D == nullptr) {
        Window->setWindowModality(Modal ? Qt::WindowModal : Qt::NonModal);
        return;
    }
    Window->setWindowModality(Qt::NonModal);
    SetNetWmModal(D, Window->winId(), Modal);
}

std::optional<QMargins> AskedFrameExtents(QWidget* Window)
{
    Display* D = X11Display();
    if (D == nullptr || Window->isVisible())
        return std::nullopt;
    return RequestFrameExtents(D, Window->winId());
}

// Last: Xlib's macros (None, Bool, Status ...) must reach no other code,
// which is also why this file is compiled on its own, outside any batch.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace {

// A property of 32-bit values (atoms, cardinals) as Xlib hands them: in
// longs.  Empty when the window has none of that type.
std::vector<unsigned long> PropertyValues(Display* D, unsigned long Window, Atom Property, Atom Type)
{
    Atom ActualType = 0;
    int Format = 0;
    unsigned long Count = 0;
    unsigned long After = 0;
    unsigned char* Data = nullptr;
    std::vector<unsigned long> Values;
    if (XGetWindowProperty(D, Window, Property, 0, 4096, False, Type, &ActualType, &Format, &Count, &After, &Data)
            == Success
        && Data != nullptr) {
        if (ActualType == Type && Format == 32) {
            const auto* V = reinterpret_cast<const unsigned long*>(Data);
            Values.assign(V, V + Count);
        }
        XFree(Data);
    }
    return Values;
}

// The window's _NET_WM_STATE as it is, with or without the modal state.
void SetNetWmModal(Display* D, unsigned long Window, bool Modal)
{
    const Atom State = XInternAtom(D, "_NET_WM_STATE", False);
    const Atom ModalState = XInternAtom(D, "_NET_WM_STATE_MODAL", False);
    std::vector<unsigned long> States = PropertyValues(D, Window, State, XA_ATOM);
    States.erase(std::remove(States.begin(), States.end(), ModalState), States.end());
    if (Modal)
        States.push_back(ModalState);
    if (States.empty())
        XDeleteProperty(D, Window, State);
    else
        XChangeProperty(D, Window, State, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(States.data()),
                        int(States.size()));
    XFlush(D);
}

// The window's _NET_FRAME_EXTENTS (left, right, top, bottom), once the
// window manager has set it.
std::optional<QMargins> FrameExtents(Display* D, unsigned long Window, Atom Extents)
{
    const std::vector<unsigned long> V = PropertyValues(D, Window, Extents, XA_CARDINAL);
    if (V.size() != 4)
        return std::nullopt;
    return QMargins(int(V[0]), int(V[2]), int(V[1]), int(V[3]));
}

// Asks, and waits a moment for the answer: the window manager sets the
// property at once, and the first window is placed only once.
std::optional<QMargins> RequestFrameExtents(Display* D, unsigned long Window)
{
    const Atom Request = XInternAtom(D, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom Extents = XInternAtom(D, "_NET_FRAME_EXTENTS", False);
    const std::vector<unsigned long> Supported =
        PropertyValues(D, DefaultRootWindow(D), XInternAtom(D, "_NET_SUPPORTED", False), XA_ATOM);
    if (std::find(Supported.begin(), Supported.end(), Request) == Supported.end())
        return std::nullopt;
    XEvent E{};
    E.xclient.type = ClientMessage;
    E.xclient.window = Window;
    E.xclient.message_type = Request;
    E.xclient.format = 32;
    XSendEvent(D, DefaultRootWindow(D), False, SubstructureRedirectMask | SubstructureNotifyMask, &E);
    XFlush(D);
    QElapsedTimer Clock;
    Clock.start();
    while (Clock.elapsed() < 200) {
        if (std::optional<QMargins> Answer = FrameExtents(D, Window, Extents))
            return Answer;
        QThread::msleep(2);
    }
    return std::nullopt;
}

} // namespace
