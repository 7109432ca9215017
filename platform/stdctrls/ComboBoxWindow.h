#pragma once
// The window part of a combo box: what the classic combo window does with
// the CB_* messages, its face (frame, drop button, the chosen item of the
// list styles), the mouse, the keyboard and the wheel, and the drop-down
// list with its local loop.  TCustomComboBox hands it every message its own
// handling passes on (DefaultHandler), and the keys of its edit part; it
// tells the control with CN_COMMAND (CBN_SELCHANGE, CBN_DROPDOWN,
// CBN_CLOSEUP, CBN_SELENDOK, CBN_SELENDCANCEL, CBN_EDITCHANGE).
#include "platform/classes/Component.h"
#include "platform/windows/Messages.h"
#include "platform/stdctrls/ListEngine.h"

#include <memory>

class TCustomComboBox;
class TComboDropDownList;

class TComboBoxWindow {
public:
    explicit TComboBoxWindow(TCustomComboBox* Combo);
    ~TComboBoxWindow();

    // False when the message is not one the combo window answers.
    bool Handle(TMessage& Message);
    // A key of the combo box (its own window's or its edit part's) that
    // opens, closes or moves through the list; true when it was used.
    bool ComboKey(TMessage& Message);
    bool Dropped() const { return FDropped; }
    // Opens the list and runs its loop until it closes.
    void Open();
    void Close(bool Ok);
    // The user chose Index in the open list.
    void Choose(int Index);
    // Selects Index as the user does (the edit text follows; Notify: the
    // control hears of it with CBN_SELCHANGE).
    void SelectIndex(int Index, bool Notify);
    void ItemsChanged();
    void DestroyList();
    HWND ListHandle() const;

    TRect ButtonRect();
    // The selection field: the chosen item of the list styles, the edit
    // part of the others.
    TRect FieldRect();

private:
    TListEngine& Engine();
    bool ItemMessage(TMessage& M);
    bool TextMessage(TMessage& M);
    bool OtherComboMessage(TMessage& M);
    void SetEditText(const String& Text);
    String EditText();
    void Notify(unsigned short Code);
    void Paint(TMessage& M);
    void PaintFace(void* DC);
    void PaintField(void* DC);
    void PaintButton(void* DC);
    void Wheel(int Delta);
    void Char(TMessage& M);
    int StepFrom(int Index, unsigned Key);
    void RunLoop();
    bool EndsLoop(const MSG& M);

    TCustomComboBox* FCombo;
    std::unique_ptr<TComboDropDownList, TComponentDeleter> FList;
    bool FDropped = false;
    int FWheelRest = 0;
    bool FPainting = false;
    bool FChangedWhilePainting = false;
    TTypeAhead FTypeAhead;
};
