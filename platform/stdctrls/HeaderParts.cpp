#include "platform/stdctrls/HeaderParts.h"

#include "platform/stdctrls/ControlText.h"

#include <algorithm>

namespace {

// How near a divider the mouse must be to grab it.
constexpr int DividerReach = 3;
// The room between a section's edge and its text.
constexpr int TextMargin = 4;

} // namespace

void PaintHeaderSection(TCanvas* Canvas, const TRect& R, const String& Text, TAlignment Alignment, bool Pressed,
                        bool Flat, bool Enabled)
{
    HDC DC = Canvas->Handle();
    TRect Face = R;
    if (Flat) {
        FillRect(DC, &Face, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(DC, &Face, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    } else if (Pressed) {
        FrameRect(DC, &Face, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(Face, -1, -1);
        FillRect(DC, &Face, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawFrameControl(DC, &Face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    }
    static const unsigned Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TRect T = R;
    InflateRect(T, -TextMargin, 0);
    if (Pressed)
        OffsetRect(T, 1, 1);
    Canvas->Brush()->SetStyle(bsClear);
    DrawControlText(Canvas, Text, T, Alignments[Alignment] | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX,
                    Enabled);
}

int HeaderDividerAt(const std::vector<int>& Rights, int X)
{
    int Found = -1;
    for (int I = 0; I < int(Rights.size()); ++I)
        if (X >= Rights[std::size_t(I)] - DividerReach && X < Rights[std::size_t(I)] + DividerReach)
            Found = I;
    return Found;
}

int THeaderDrag::WidthAt(int X, int Min, int Max) const
{
    return std::clamp(StartWidth + X - StartX, std::max(Min, 0), std::max(Min, Max));
}

bool SetHeaderDividerCursor(TWinControl* Header, const std::vector<int>& Rights, bool Dragging, TMessage& Message)
{
    if (Message.Msg != WM_SETCURSOR || !Header->HandleAllocated() || HWND(Message.WParam) != Header->Handle())
        return false;
    TPoint P;
    GetCursorPos(&P);
    if (!Dragging && HeaderDividerAt(Rights, Header->ScreenToClient(P).X) < 0)
        return false;
    SetCursor(CursorHandle(crHSplit));
    Message.Result = 1;
    return true;
}
