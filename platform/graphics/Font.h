#pragma once
// TFont: a logical font with the classic properties.  Height is in pixels
// with the classic sign convention (negative = character height); Size is
// in points at 96 pixels per inch.  Faces that are not installed fall back
// through fontconfig when the font is drawn.
#include "platform/graphics/GraphicsObject.h"

#include <cstdint>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
// A byte with names (DEFAULT_CHARSET ...) in form text.
enum TFontCharset : std::uint8_t {};
using TFontName = String;

// Names of the character sets for streaming.
bool CharsetToIdent(std::int64_t Charset, String& Ident);
bool IdentToCharset(const String& Ident, std::int64_t& Charset);

class TFont : public TGraphicsObject {
public:
    TFont();
    void Assign(TPersistent* Source) override;

    HFONT Handle();
    // Adopts the logical font of Value (the handle itself stays the caller's).
    void SetHandle(HFONT Value);

    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    TFontName Name() const { return FName; }
    void SetName(const TFontName& Value);
    // Escapement of the text in tenths of degrees, anticlockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value > 0 ? Value : 96; }

    LOGFONT LogFont() const;
    bool Equals(const TFont& Other) const;

private:
    TFontCharset FCharset = TFontCharset(DEFAULT_CHARSET);
    TColor FColor = clWindowText;
    int FHeight = -11;
    TFontName FName = QStringLiteral("MS Sans Serif");
    int FOrientation = 0;
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    int FPixelsPerInch = 96;
};
