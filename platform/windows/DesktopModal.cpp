#include "platform/windows/DesktopModal.h"

#include "platform/graphics/GuiApplication.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

namespace {

// Below, after Xlib's header.
void SetNetWmModal(Display* D, unsigned long Window, bool Modal);

} // namespace

void SetDesktopModal(QWidget* Window, bool Modal)
{
    QGuiApplication* App = GuiApplication();
    auto* X11 = App != nullptr ? App->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (X11 == nullptr || X11->display() == nullptr) {
        Window->setWindowModality(Modal ? Qt::WindowModal : Qt::NonModal);
        return;
    }
    Window->setWindowModality(Qt::NonModal);
    SetNetWmModal(X11->display(), Window->winId(), Modal);
}

// Last: Xlib's macros (None, Bool, Status ...) must reach no other code,
// which is also why this file is compiled on its own, outside any batch.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace {

// The window's _NET_WM_STATE as it is, with or without the modal state.
void SetNetWmModal(Display* D, unsigned long Window, bool Modal)
{
    const Atom State = XInternAtom(D, "_NET_WM_STATE", False);
    const Atom ModalState = XInternAtom(D, "_NET_WM_STATE_MODAL", False);
    std::vector<Atom> States;
    Atom Type = 0;
    int Format = 0;
    unsigned long Count = 0;
    unsigned long After = 0;
    unsigned char* Data = nullptr;
    if (XGetWindowProperty(D, Window, State, 0, 1024, False, XA_ATOM, &Type, &Format, &Count, &After, &Data) == Success
        && Data != nullptr) {
        if (Type == XA_ATOM && Format == 32) {
            const auto* Atoms = reinterpret_cast<const Atom*>(Data);
            States.assign(Atoms, Atoms + Count);
        }
        XFree(Data);
    }
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

} // namespace
