#pragma once
// Text and font helpers the framed controls share: font measurements on
// the screen, a rotated font, accelerator marks of captions, a centred
// rectangle and integer minimum and maximum.
#include "platform/graphics/Font.h"
#include "platform/graphics/Gdi.h"

// Whether the font, selected into a screen context, is a TrueType font.
bool IsTrueTypeFont(TFont* Font);
// The font's cell height plus 2: a line of text with a pixel above and below.
int GetFontHeight(TFont* Font);
// The average width of the 52 letters of the alphabet, rounded (halves
// to even).
int GetAverageCharWidth(TFont* Font);
// A font like Font turned by Angle degrees anticlockwise (escapement Angle
// * 10), bold or normal weight, italic, underline and strike-out, character
// set, pitch and face as Font's.  The caller owns the handle (DeleteObject).
HFONT CreateRotatedFont(TFont* Font, int Angle);

// The number of Ch in S.
int CountChar(QChar Ch, const String& S);
// S without its accelerator marks: an "&" before another character is
// dropped, "&&" gives one "&", and an "&" that ends S is kept.
String StripAccelChars(const String& S);
// The Width x Height rectangle centred in R (halves rounded towards zero).
TRect CenteredRect(const TRect& R, int Width, int Height);

inline int MinInteger(int A, int B)
{
    return A < B ? A : B;
}

inline int MaxInteger(int A, int B)
{
    return A > B ? A : B;
}
