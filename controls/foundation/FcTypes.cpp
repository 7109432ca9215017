// Names of the shared enumerations, so that form definitions and the
// run-time property calls can spell their values.
#include "controls/foundation/FcTypes.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TFrameStyleEx, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp,
              fsStatus, fsPopup, fsFlatBold, fsFlatRounded)
REGISTER_SUBRANGE(TFrameStyle)
REGISTER_ENUM(TSide, sdLeft, sdTop, sdRight, sdBottom)
REGISTER_ENUM(TFramingPreference, fpCustomFraming, fpXPThemes)
REGISTER_ENUM(TTextStyle, tsNormal, tsRaised, tsRecessed, tsShadow)
REGISTER_ENUM(TAlignmentVertical, avTop, avCenter, avBottom)
REGISTER_ENUM(TOrientation, orHorizontal, orVertical)
REGISTER_ENUM(TBarStyle, bsTraditional, bsLED, bsGradient)
REGISTER_ENUM(TFcScrollStyle, scsNone, scsLeft, scsUp, scsRight, scsDown)
REGISTER_ENUM(TFcHotTrackColorType, htctComplement, htctActual)
REGISTER_ENUM(TFcButtonHotTrackStyle, htsInterior, htsFrame)
REGISTER_ENUM(TGradientDirection, gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter,
              gdHorizontalBox, gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox)
REGISTER_ENUM(TFcGradientColorStyle, gcsSystem, gcsMSOffice, gcsCustom)
REGISTER_ENUM(TFcVisualStyle, vsClassic, vsWinXP, vsGradient)
REGISTER_ENUM(TFcGroupBarGradientPath, gpTopToBottom, gpBottomToTop)
