#pragma once
// The process-wide colour state of the control foundation - whether the
// screen shows more than 256 colours, and which XP colour scheme is active -
// and the colour sets that panels, status bars, buttons, check glyphs and
// the group bar paint with.  "Office style" below means gcsMSOffice while
// themes are enabled: only then do the scheme's own colours apply;
// otherwise the sets are derived from the system colours.
#include "controls/foundation/FcTypes.h"
#include "platform/graphics/Colors.h"

#include <cstdint>

// The XP colour schemes as the scheme byte holds them.
inline constexpr std::uint8_t XpSchemeBlue = 0;
inline constexpr std::uint8_t XpSchemeOlive = 1;
inline constexpr std::uint8_t XpSchemeSilver = 2;

// True when the screen has more than 8 bits per pixel.
bool ScreenHasManyColors();
// The scheme named by "ColorName" of the current user's theme manager key:
// "HOMESTEAD" olive, "METALLIC" silver (any case), anything else or nothing
// blue.
std::uint8_t ReadXpColorScheme();

// The many-colours flag: gradients and the light hot-track colour are used
// only while it is set.  Taken from the screen on first use; tests set it.
bool ManyColors();
void SetManyColors(bool Value);
// The scheme byte, read from the registry on first use.  Values beyond
// silver count as blue.
std::uint8_t XpColorScheme();
void SetXpColorScheme(std::uint8_t Value);
// Reads the scheme again.  Runs on every theme change of the theme
// services, before the windows hear of it (WM_THEMECHANGED).
void XpColorSchemeChanged();

// Hot-tracked buttons: frame, light (the fill when few colours) and fill.
void GetHotTrackColors(TFcGradientColorStyle ColorStyle, TColor& FrameColor, TColor& LightColor, TColor& FillColor);
void GetPanelGradientColors(TFcGradientColorStyle ColorStyle, TColor& StartColor, TColor& StopColor);
TColor GetPanelFrameColor(TFcGradientColorStyle ColorStyle);
void GetStatusGradientColors(TFcGradientColorStyle ColorStyle, TColor& StartColor, TColor& StopColor,
                             TColor& DividerColor);
void GetGroupBarGradientColors(TFcGradientColorStyle ColorStyle, TColor& StartColor, TColor& StopColor);
// The group palette; Special groups have their own.  The group painter
// gives each of the ten its role.
void GetGroupColors(TFcGradientColorStyle ColorStyle, bool Special, TColor& C1, TColor& C2, TColor& C3, TColor& C4,
                    TColor& C5, TColor& C6, TColor& C7, TColor& C8, TColor& C9, TColor& C10);
// C1, C2 and C5, C6 are the panel gradient pair twice.
void GetGroupItemColors(TFcGradientColorStyle ColorStyle, TColor& C1, TColor& C2, TColor& TextColor,
                        TColor& HotTextColor, TColor& C5, TColor& C6);
void GetGroupTextColors(TFcGradientColorStyle ColorStyle, TColor& TextColor, TColor& HotTextColor);
