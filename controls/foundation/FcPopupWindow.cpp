#include "controls/foundation/FcPopupWindow.h"

#include "controls/foundation/FcMessages.h"
#include "platform/classes/ComponentRef.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

namespace {

bool IsMousePress(UINT Msg)
{
    switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

bool Terminated()
{
    return Application != nullptr && Application->Terminated();
}

} // namespace

TFcPopup::TFcPopup(TFcPopupPanel* Panel) : TFcCustomPopup(Panel), FPanel(Panel)
{
    if (TCustomForm* Form = GetParentForm(Panel))
        SetParentWindow(Form->Handle());
    SetColor(Panel->Color());
    SetFont(Panel->Font());
    SetHint(Panel->Hint());
    SetShowHint(Panel->ShowHint());
    SetCtl3D(false);
}

TFcPopup::~TFcPopup()
{
    if (FPanel->FPopup == this)
        FPanel->FPopup = nullptr;
}

void TFcPopup::CreateParams(TCreateParams& Params)
{
    TFcCustomPopup::CreateParams(Params);
    Params.Style = WS_POPUP;
}

void TFcPopup::TakeContent()
{
    for (int I = 0; I < FPanel->ControlCount(); ++I) {
        auto* Win = dynamic_cast<TWinControl*>(FPanel->Controls(I));
        if (Win != nullptr && Win->Enabled() && Win->Visible()) {
            FKeyTarget = Win;
            break;
        }
    }
    for (int I = FPanel->ControlCount() - 1; I >= 0; --I)
        FPanel->Controls(I)->SetParent(this);
    FContentTaken = true;
}

void TFcPopup::HideAndReturnContent()
{
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!FContentTaken)
        return;
    FContentTaken = false;
    FKeyTarget = nullptr;
    for (int I = ControlCount() - 1; I >= 0; --I)
        Controls(I)->SetParent(FPanel);
}

void TFcPopup::PostClose()
{
    if (FClosePosted || !HandleAllocated())
        return;
    FClosePosted = true;
    PostMessage(Handle(), PM_CLOSEPOPUP, 0, 0);
}

void TFcPopup::EndWithClose()
{
    HideAndReturnContent();
    PostClose();
}

bool TFcPopup::RunLoop()
{
    const TComponentRef<> Alive(this);
    MSG Msg;
    while (Alive) {
        if (!PeekMessage(Msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Idle time: the application's idle work, then wait for input.
            if (Application != nullptr)
                Application->HandleMessage();
            else
                WaitMessage();
            if (Alive && Terminated()) {
                EndWithClose();
                break;
            }
            continue;
        }
        bool Ended = false;
        if (!HandleLoopMessage(Msg, Ended) && !Alive)
            return false;
        if (Ended)
            break;
    }
    return Alive && !FStillOpen;
}

// One message of the loop; false when the window went while handling it.
bool TFcPopup::HandleLoopMessage(MSG& Msg, bool& Ended)
{
    const TComponentRef<> Alive(this);
    const HWND Own = Handle();
    if (Msg.message == PM_CLOSEPOPUP && Msg.hwnd == Own) {
        // The message stays queued: dispatched later, it frees the window.
        FClosePosted = true;
        HideAndReturnContent();
        Ended = true;
        return true;
    }
    if ((Msg.message == CM_DEACTIVATE && Msg.hwnd == nullptr) || Msg.message == WM_ACTIVATEAPP) {
        EndWithClose();
        Ended = true;
        return true;
    }
    if (IsMousePress(Msg.message) && Msg.hwnd != Own && !IsChild(Own, Msg.hwnd)) {
        // The press that ends the popup goes no further.
        PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE);
        EndWithClose();
        Ended = true;
        return true;
    }
    if (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) {
        PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE);
        TranslateMessage(Msg);
        SendMessage(Own, Msg.message, Msg.wParam, Msg.lParam);
    } else if (Msg.message == WM_KILLFOCUS) {
        // Freed on this way out too.
        EndWithClose();
        Ended = true;
        return true;
    } else {
        MSG Processed;
        if (Application != nullptr)
            Application->ProcessMessage(Processed);
        else if (PeekMessage(Processed, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(Processed);
    }
    if (!Alive)
        return false;
    if (Terminated()) {
        EndWithClose();
        Ended = true;
    }
    return true;
}

void TFcPopup::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case PM_CLOSEPOPUP: {
        HideAndReturnContent();
        // Freed once the message that is running has returned.
        RunAfterDispatch([Self = TComponentRef<>(this)] {
            if (Self)
                Self->Free();
        });
        return;
    }
    case WM_SYSCOMMAND:
        PostClose();
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_NCACTIVATE:
        Message.Result = 0;
        return;
    case CM_CONTROLLISTCHANGE:
        if (Message.LParam == 0 && reinterpret_cast<TControl*>(Message.WParam) == FKeyTarget)
            FKeyTarget = nullptr;
        break;
    default:
        if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST) {
            if ((Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) && Message.WParam == VK_ESCAPE)
                PostClose();
            if (FKeyTarget != nullptr) {
                FKeyTarget->WindowProc()(Message);
                return;
            }
        }
        break;
    }
    TFcCustomPopup::WndProc(Message);
}
