#include "platform/graphics/Font.h"

#include "platform/classes/TypInfo.h"

namespace {

const TIdentMapEntry Charsets[] = {
    {0, "ANSI_CHARSET"},       {1, "DEFAULT_CHARSET"},   {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"}, {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"}, {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},   {178, "ARABIC_CHARSET"},  {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
};

} // namespace

bool CharsetToIdent(std::int64_t Charset, String& Ident)
{
    for (const TIdentMapEntry& E : Charsets)
        if (E.Value == Charset) {
            Ident = QString::fromLatin1(E.Name);
            return true;
        }
    return false;
}

bool IdentToCharset(const String& Ident, std::int64_t& Charset)
{
    for (const TIdentMapEntry& E : Charsets)
        if (Ident.compare(QLatin1String(E.Name), Qt::CaseInsensitive) == 0) {
            Charset = E.Value;
            return true;
        }
    return false;
}

REGISTER_INTEGER_CONSTS(TFontCharset, TIdentToInt(IdentToCharset), TIntToIdent(CharsetToIdent))
REGISTER_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
REGISTER_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)

// Classic declaration order; Size follows Height and is never written.
REGISTER_CLASS(TFont, TPersistent)
    PUBLISHED_NODEFAULT(Charset)
    PUBLISHED_NODEFAULT(Color)
    PUBLISHED_NODEFAULT(Height)
    PUBLISHED_NODEFAULT(Name)
    PUBLISHED(Orientation, 0)
    PUBLISHED(Pitch, fpDefault)
    PUBLISHED_STORED(Size, 8, false)
    PUBLISHED_NODEFAULT(Style)
END_REGISTER

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source)
{
    if (auto* F = dynamic_cast<TFont*>(Source)) {
        if (F == this)
            return;
        FCharset = F->FCharset;
        FColor = F->FColor;
        FHeight = F->FHeight;
        FName = F->FName;
        FOrientation = F->FOrientation;
        FPitch = F->FPitch;
        FStyle = F->FStyle;
        FPixelsPerInch = F->FPixelsPerInch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

bool TFont::Equals(const TFont& Other) const
{
    return FCharset == Other.FCharset && FColor == Other.FColor && FHeight == Other.FHeight &&
           FName == Other.FName && FOrientation == Other.FOrientation && FPitch == Other.FPitch &&
           FStyle == Other.FStyle;
}

LOGFONT TFont::LogFont() const
{
    LOGFONT L;
    L.lfHeight = FHeight;
    L.lfEscapement = FOrientation;
    L.lfOrientation = FOrientation;
    L.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    L.lfItalic = FStyle.Contains(fsItalic);
    L.lfUnderline = FStyle.Contains(fsUnderline);
    L.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    L.lfCharSet = FCharset;
    L.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    L.lfFaceName = FName;
    return L;
}

HFONT TFont::Handle()
{
    if (FHandle == nullptr)
        FHandle = CreateFontIndirect(LogFont());
    return static_cast<HFONT>(FHandle);
}

void TFont::SetHandle(HFONT Value)
{
    LOGFONT L;
    if (!GetObject(Value, L))
        return;
    FHeight = L.lfHeight;
    FOrientation = L.lfEscapement;
    FStyle = {};
    if (L.lfWeight >= FW_BOLD)
        FStyle.Include(fsBold);
    if (L.lfItalic)
        FStyle.Include(fsItalic);
    if (L.lfUnderline)
        FStyle.Include(fsUnderline);
    if (L.lfStrikeOut)
        FStyle.Include(fsStrikeOut);
    FCharset = TFontCharset(L.lfCharSet);
    FPitch = (L.lfPitchAndFamily & 3) == FIXED_PITCH ? fpFixed
             : (L.lfPitchAndFamily & 3) == VARIABLE_PITCH ? fpVariable
                                                          : fpDefault;
    FName = L.lfFaceName;
    Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
    if (AssignIfChanged(FCharset, Value))
        Changed();
}

void TFont::SetColor(TColor Value)
{
    // The colour is not part of the handle: only tell the owner.
    if (AssignIfChanged(FColor, Value) && FOnChange)
        FOnChange(this);
}

void TFont::SetHeight(int Value)
{
    if (AssignIfChanged(FHeight, Value))
        Changed();
}

void TFont::SetName(const TFontName& Value)
{
    if (!Value.isEmpty() && AssignIfChanged(FName, Value))
        Changed();
}

void TFont::SetOrientation(int Value)
{
    if (AssignIfChanged(FOrientation, Value))
        Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (AssignIfChanged(FPitch, Value))
        Changed();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int Value)
{
    SetHeight(-MulDiv(Value, FPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles Value)
{
    if (AssignIfChanged(FStyle, Value))
        Changed();
}
