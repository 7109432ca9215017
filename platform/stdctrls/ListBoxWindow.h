#pragma once
// The window part of a list box: what the classic list-box window does
// with the LB_* messages, painting, the mouse, the keyboard, the wheel and
// the scroll bars.  TCustomListBox hands it every message its own handling
// passes on (DefaultHandler); it tells the control of a new selection or a
// double click with CN_COMMAND (LBN_SELCHANGE, LBN_DBLCLK), has owner-drawn
// items painted and measured through CN_DRAWITEM and CN_MEASUREITEM, and
// asks for a virtual list's texts through the control.
#include "platform/windows/Messages.h"
#include "platform/stdctrls/ListEngine.h"

#include <vector>

class TCustomListBox;

class TListBoxWindow {
public:
    explicit TListBoxWindow(TCustomListBox* Box) : FBox(Box) {}

    // False when the message is not one the list window answers.
    bool Handle(TMessage& Message);
    // Scroll range and position after the items or the size changed.
    void UpdateScrollBars();
    // Tab stops in dialog units (LB_SETTABSTOPS).
    const std::vector<int>& TabStops() const { return FTabStops; }

private:
    TListEngine& Engine();
    TSize Client();
    bool ListMessage(TMessage& M);
    bool ItemMessage(TMessage& M);
    bool SelectionMessage(TMessage& M);
    bool GeometryMessage(TMessage& M);
    void Changed();
    void Notify(unsigned short Code);

    void Paint(TMessage& M);
    void PaintItems(void* DC);
    void EndPainting(const TMessage& M, const PAINTSTRUCT& PS);
    void PaintItem(void* DC, int Index, const TRect& R);
    void DrawStandardItem(void* DC, int Index, const TRect& R, unsigned State);

    void MouseDown(TMessage& M, bool Double);
    void MouseMove(TMessage& M);
    void MouseUp();
    void TrackTo(int Index, bool Shift, bool Ctrl);
    void Extend(int Index, bool Shift, bool Ctrl, bool CtrlToggles);
    bool KeyDown(TMessage& M);
    void Char(TMessage& M);
    void MoveCaret(int Index, bool Shift, bool Ctrl);
    void Wheel(int Delta);
    void Scroll(int Bar, int Code, int Pos);
    int PageSize();

    TCustomListBox* FBox;
    bool FRedraw = true;
    bool FTracking = false;
    bool FPainting = false;
    bool FChangedWhilePainting = false;
    int FWheelRest = 0;
    std::vector<int> FTabStops;
    TTypeAhead FTypeAhead;
};
