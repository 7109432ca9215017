#include "platform/forms/HintWindow.h"

#include "platform/classes/TypInfo.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/Canvas.h"

REGISTER_COMPONENT(THintWindow, TCustomControl)
    PUBLISHED_STORED(Color, clInfoBk, &THintWindow::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(ParentFont, false)
    PUBLISHED(Visible, false)
END_REGISTER

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clInfoBk);
    Font()->Assign(Screen->HintFont());
    Canvas()->Font()->Assign(Font());
    Canvas()->Brush()->SetStyle(bsClear);
    FVisible = false;
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

void THintWindow::Paint()
{
    TRect R = ClientRect();
    InflateRect(R, -2, -2);
    Canvas()->Font()->Assign(Font());
    Canvas()->Font()->SetColor(clInfoText);
    Canvas()->Brush()->SetStyle(bsClear);
    DrawText(Canvas()->Handle(), Caption(), &R, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DrawTextBiDiModeFlagsReadingOnly());
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData)
{
    (void)AData;
    TRect R{0, 0, MaxWidth, 0};
    Canvas()->Font()->Assign(Font());
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Canvas()->Font()->Handle());
    DrawText(DC, AHint, &R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DrawTextBiDiModeFlagsReadingOnly());
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    R.Right += 6;
    R.Bottom += 2;
    return R;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint)
{
    SetCaption(AHint);
    Rect.Bottom += 4;
    const TRect Desktop = Screen->DesktopRect();
    if (Rect.Top + Rect.Height() > Desktop.Bottom)
        OffsetRect(Rect, 0, Desktop.Bottom - Rect.Top - Rect.Height());
    if (Rect.Left + Rect.Width() > Desktop.Right)
        OffsetRect(Rect, Desktop.Right - Rect.Left - Rect.Width(), 0);
    if (Rect.Left < Desktop.Left)
        OffsetRect(Rect, Desktop.Left - Rect.Left, 0);
    if (Rect.Bottom < Desktop.Top)
        OffsetRect(Rect, 0, Desktop.Top - Rect.Bottom);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    ::SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void* AData)
{
    (void)AData;
    ActivateHint(Rect, AHint);
}

bool THintWindow::IsHintMsg(const MSG& Msg)
{
    const UINT M = Msg.message;
    return (M >= WM_KEYFIRST && M <= WM_KEYLAST) || M == CM_ACTIVATE || M == CM_DEACTIVATE || M == CM_APPKEYDOWN
        || M == CM_APPSYSCOMMAND || M == WM_COMMAND || (M > WM_MOUSEMOVE && M <= WM_MOUSELAST && M != WM_MOUSEWHEEL)
        || M == WM_NCMOUSEMOVE;
}

void THintWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::WndProc(Message);
}
