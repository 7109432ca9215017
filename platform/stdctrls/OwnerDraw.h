#pragma once
// Owner drawing of list and combo items: the classic WM_DRAWITEM and
// WM_MEASUREITEM records (reflected to the control as CN_DRAWITEM and
// CN_MEASUREITEM), the item state as a set, and the events that hand the
// drawing to the program.
#include "platform/controls/Messages.h"

#include <functional>

class TWinControl;

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
