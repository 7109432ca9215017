#pragma once
// Colour arithmetic shared by every framed control: conversion to and from
// a hue, saturation and lightness scale of 0 to 240, darker and lighter
// shades, a weighted blend, a near-colour test and the theme colours.
// Every colour goes through ColorToRGB first, so system colours work.
// Amounts, weights and scale values are clamped to 0..255: an amount of 256
// darkens as far as 255 does instead of wrapping round to no change.
#include "platform/graphics/Colors.h"

#include <cstdint>

// Hue, saturation and lightness, each rounded (halves to even) to 0..240.
void ColorToHsl240(TColor Color, std::uint8_t& H, std::uint8_t& S, std::uint8_t& L);
std::uint8_t HueOfColor(TColor Color);
// The hue is taken over 239 steps (239 is a full turn, as 0); lightness of
// 240 or more gives white, a lightness of 0 black.
TColor Hsl240ToColor(int H, int S, int L);

// Lightness lowered or raised by Amount on the 0..240 scale; hue and
// saturation pass through the scale and back.
TColor DarkenColor(TColor Color, int Amount);
TColor LightenColor(TColor Color, int Amount);
// Negative amounts darken, positive ones lighten; 0 returns Color itself.
TColor ShiftColorLightness(TColor Color, int Amount);
// Per channel Color1 * w + Color2 * (1 - w) with w = Weight / 255.
TColor MixColors(TColor Color1, TColor Color2, int Weight);
// Hues less than 20 apart (without wrapping round) and lightnesses less
// than 60 apart; saturation is ignored.
bool ColorsAreNear(TColor Color1, TColor Color2);
// The hue turned by 120, full saturation, the given lightness.
TColor OppositeHueColor(TColor Color, int Lightness);

// A colour of the active visual theme (Element 0 to 6: edit border,
// explorer-bar texts and fills, button text); clBtnFace while themes are
// off, white for an unknown element.
TColor GetThemedColor(int Element);
