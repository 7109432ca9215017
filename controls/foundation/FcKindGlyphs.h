#pragma once
// The ten standard dialog buttons a bit button can be (Kind): their
// captions, modal results and glyphs.  Each glyph is our own two-cell
// artwork (up, then disabled), 18 x 18 pixels a cell, drawn in code the
// first time it is asked for ("FCCOMMON_" and the kind's word name it) and
// kept until the program ends.  Its bottom-left pixel is the transparent
// colour.
#include "platform/windows/ControlTypes.h"
#include "platform/graphics/Bitmap.h"

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// The shared bitmap of Kind (nullptr for bkCustom); the caller copies it.
TBitmap* GetKindBitmap(TBitBtnKind Kind);
// "FCCOMMON_OK" ... ("" for bkCustom).
String KindBitmapName(TBitBtnKind Kind);
// "OK", "Cancel", "&Help" ... ("" for bkCustom).
String KindCaption(TBitBtnKind Kind);
TModalResult KindModalResult(TBitBtnKind Kind);
// The default button's kinds (OK, Yes) and the cancel button's (Cancel, No).
inline bool KindIsDefault(TBitBtnKind Kind)
{
    return Kind == bkOK || Kind == bkYes;
}
inline bool KindIsCancel(TBitBtnKind Kind)
{
    return Kind == bkCancel || Kind == bkNo;
}
