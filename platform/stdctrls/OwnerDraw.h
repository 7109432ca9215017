#pragma once
// Owner drawing of list and combo items: the classic WM_DRAWITEM and
// WM_MEASUREITEM records (reflected to the control as CN_DRAWITEM and
// CN_MEASUREITEM), the item state as a set, and the events that hand the
// drawing to the program.
#include "platform/windows/Messages.h"

#include <functional>
#include <vector>

class TWinControl;
class TControlCanvas;
class TFont;

enum : UINT { WM_DRAWITEM = 0x002B, WM_MEASUREITEM = 0x002C, WM_DELETEITEM = 0x002D, WM_COMPAREITEM = 0x0039 };
enum : UINT {
    CN_DRAWITEM = UINT(CN_BASE) + UINT(WM_DRAWITEM),
    CN_MEASUREITEM = UINT(CN_BASE) + UINT(WM_MEASUREITEM),
    CN_DELETEITEM = UINT(CN_BASE) + UINT(WM_DELETEITEM),
    CN_COMPAREITEM = UINT(CN_BASE) + UINT(WM_COMPAREITEM),
};

enum : UINT { ODT_MENU = 1, ODT_LISTBOX = 2, ODT_COMBOBOX = 3, ODT_BUTTON = 4, ODT_STATIC = 5 };
// What the drawing is for.
enum : UINT { ODA_DRAWENTIRE = 0x0001, ODA_SELECT = 0x0002, ODA_FOCUS = 0x0004 };
enum : UINT {
    ODS_SELECTED = 0x0001,
    ODS_GRAYED = 0x0002,
    ODS_DISABLED = 0x0004,
    ODS_CHECKED = 0x0008,
    ODS_FOCUS = 0x0010,
    ODS_DEFAULT = 0x0020,
    ODS_COMBOBOXEDIT = 0x1000,
    ODS_HOTLIGHT = 0x0040,
    ODS_INACTIVE = 0x0080,
    ODS_NOACCEL = 0x0100,
    ODS_NOFOCUSRECT = 0x0200,
};

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    // -1 (as unsigned) when there is no item: the list is empty.
    UINT itemID = 0;
    UINT itemAction = ODA_DRAWENTIRE;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    TRect rcItem;
    std::uintptr_t itemData = 0;
};

struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};

struct DELETEITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    HWND hwndItem = nullptr;
    std::uintptr_t itemData = 0;
};

// The item state as the class library hands it to OnDrawItem.
enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit,
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

// ODS_* flags as a set, and back.
TOwnerDrawState OwnerDrawStateFromFlags(UINT ItemState);
UINT OwnerDrawFlagsFromState(TOwnerDrawState State);

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// --- the handling lists and combos share ----------------------------------------------

// Sends CN_DRAWITEM for one item to Control (the window asks its control).
void SendDrawItem(TWinControl* Control, UINT CtlType, HWND Wnd, HDC DC, int Index, const TRect& R, UINT State,
                  std::uintptr_t Data);
// Asks Control for the height of an item of a variable-height list
// (CN_MEASUREITEM); DefaultHeight unless it says otherwise.
int MeasureOwnerItem(TWinControl* Control, UINT CtlType, int Index, int DefaultHeight, std::uintptr_t Data);

// The classic CN_DRAWITEM of a list or combo box: Canvas draws on the
// item's context with the control's font and brush, a selected item in the
// selection colours; Draw paints an item, an index below 0 (an empty
// list's focus) is filled; the focus rectangle comes last.
void OwnerDrawItem(TWinControl* Control, TControlCanvas* Canvas, TMessage& Message,
                   const std::function<void(int Index, TRect Rect, TOwnerDrawState State)>& Draw);
// The classic CN_MEASUREITEM: the height starts at DefaultHeight and
// Measure may change it.
void AnswerMeasureItem(TMessage& Message, int DefaultHeight,
                       const std::function<void(int Index, int& Height)>& Measure);

// An item as a list draws it when no program does: the selection colour
// behind a lit item (else Back), the text 2 pixels in and centred in the
// item's height, grey when disabled, tabs at TabStops (pixels from the
// text's start; none: every eight characters).
struct TPlainItem {
    String Text;
    TColor Back = clWindow;
    TFont* Font = nullptr;
    bool Lit = false;
    bool Disabled = false;
    std::vector<int> TabStops;
};
void DrawPlainItem(HDC DC, const TRect& R, const TPlainItem& Item);
