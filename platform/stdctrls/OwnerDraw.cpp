#include "platform/stdctrls/OwnerDraw.h"

namespace {

struct TStateFlag {
    UINT Flag;
    TOwnerDrawStateItem Item;
};

constexpr TStateFlag StateFlags[] = {
    {ODS_SELECTED, odSelected},
    {ODS_GRAYED, odGrayed},
    {ODS_DISABLED, odDisabled},
    {ODS_CHECKED, odChecked},
    {ODS_FOCUS, odFocused},
    {ODS_DEFAULT, odDefault},
    {ODS_HOTLIGHT, odHotLight},
    {ODS_INACTIVE, odInactive},
    {ODS_NOACCEL, odNoAccel},
    {ODS_NOFOCUSRECT, odNoFocusRect},
    {ODS_COMBOBOXEDIT, odComboBoxEdit},
};

} // namespace

TOwnerDrawState OwnerDrawStateFromFlags(UINT ItemState)
{
    TOwnerDrawState State;
    for (const TStateFlag& F : StateFlags)
        if ((ItemState & F.Flag) != 0)
            State.Include(F.Item);
    return State;
}

UINT OwnerDrawFlagsFromState(TOwnerDrawState State)
{
    UINT Flags = 0;
    for (const TStateFlag& F : StateFlags)
        if (State.Contains(F.Item))
            Flags |= F.Flag;
    return Flags;
}
