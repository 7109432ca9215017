#pragma once
// The vocabulary of the tab strip and the page control (unit FcTabs): where
// the tabs stand and in which order, the outline styles, alignments of
// captions and images, the four text states, the events, the unit's error
// class and its messages, and the cursor position the strip asks for while
// a tab is dragged or hot-tracked.  Ordinals are what form definitions
// store; never reorder them.
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"

#include <functional>

enum TFcTabOrientation { toTop, toLeft, toBottom, toRight };
enum TFcTabSequence { tsStandard, tsReverse };
enum TFcTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant };
enum TFcTabHotTrackStyle { htsTab, htsText };
enum TFcHorizontalAlignment { haLeft, haCenter, haRight };
enum TFcVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TFcImagePosition { ipLeft, ipRight, ipTop, ipBottom, ipBack, ipStretch };
// The state a caption is drawn in (the default colours are TFcTextColors').
enum TFcTextStyle { tsSelected, tsUnselected, tsHotTrack, tsDisabled };

DECLARE_EXCEPTION(EFcTabControlError, Exception)

// The unit's messages (resource strings).
extern const char* const SFcCapacityInvalid;
extern const char* const SFcErrorCreatingRegion;
extern const char* const SFcIncorrectPointCount;
extern const char* const SFcErrorSavingDC;
extern const char* const SFcInvalidPageIndex;
extern const char* const SFcCannotChangePageVisible;

using TFcTabChangingEvent = std::function<void(TObject* Sender, int NewIndex, bool& AllowChange)>;
using TFcTabCloseEvent = std::function<void(TObject* Sender, bool& AllowClose)>;
using TFcGetTextColorEvent =
    std::function<void(TObject* Sender, int ATabIndex, TFcTextStyle AStyle, TColor& AColor, bool& Handled)>;
using TFcPaintBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool& Handled)>;
using TFcPaintCardBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled)>;
using TFcPaintTabBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled)>;
using TFcTabOrderChangeEvent = std::function<void(TObject* Sender, int OldIndex, int NewIndex)>;

// Where the mouse cursor is on the screen, as the hot-track poll and the
// drag-scroll timer ask for it: GetCursorPos unless a test drives it.  An
// empty function puts GetCursorPos back.
TPoint FcTabCursorPos();
void SetFcTabCursorPosFunction(std::function<TPoint()> Function);

// The distance the mouse moves with a button down before a tab (or a
// docked control on its page) starts to drag: the classic 5 pixels.
inline constexpr int FcTabDragThreshold = 5;
