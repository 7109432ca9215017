#pragma once
// The vocabulary every framed control of both control libraries shares:
// frame styles and sides, framing preference, text styles, gradient
// directions, visual and gradient colour styles.  Ordinal values are those
// stored in form definitions; never reorder them.
#include "platform/classes/Subrange.h"
#include "platform/rtl/System.h"

enum TFrameStyleEx {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};

// The frame styles without fsFlatRounded, which only panel borders draw:
// a sub-range of TFrameStyleEx, sharing its identifiers.
using TFrameStyle = TSubrange<TFrameStyleEx, fsNone, fsFlatBold>;

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
// Bit n is the side of ordinal n: sdLeft 1, sdTop 2, sdRight 4, sdBottom 8.
using TSides = TSet<TSide>;
inline constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

enum TFramingPreference { fpCustomFraming, fpXPThemes };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TOrientation { orHorizontal, orVertical };
enum TBarStyle { bsTraditional, bsLED, bsGradient };
enum TFcScrollStyle { scsNone, scsLeft, scsUp, scsRight, scsDown };
enum TFcHotTrackColorType { htctComplement, htctActual };
enum TFcButtonHotTrackStyle { htsInterior, htsFrame };

enum TGradientDirection {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};

enum TFcGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
enum TFcVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TFcGroupBarGradientPath { gpTopToBottom, gpBottomToTop };
