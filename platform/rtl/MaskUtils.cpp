#include "platform/rtl/MaskUtils.h"

#include "platform/rtl/SysUtils.h"

namespace {

constexpr QChar FieldSeparator = QLatin1Char(';');
constexpr QChar Escape = QLatin1Char('\\');

bool IsInputCode(QChar C)
{
    switch (C.unicode()) {
    case u'0':
    case u'9':
    case u'#':
    case u'L':
    case u'l':
    case u'A':
    case u'a':
    case u'C':
    case u'c':
        return true;
    default:
        return false;
    }
}

// The mask part ends at the first separator that is not escaped.
int FirstSeparator(const String& EditMask)
{
    for (int I = 0; I < EditMask.size(); ++I) {
        if (EditMask.at(I) == Escape)
            ++I;
        else if (EditMask.at(I) == FieldSeparator)
            return I;
    }
    return -1;
}

struct TMaskFields {
    String Mask;
    bool SaveLiterals = true;
    QChar Blank = QChar(DefaultMaskBlank);
};

TMaskFields SplitFields(const String& EditMask)
{
    TMaskFields F;
    const int Sep = FirstSeparator(EditMask);
    if (Sep < 0) {
        F.Mask = EditMask;
        return F;
    }
    F.Mask = EditMask.left(Sep);
    const String Rest = EditMask.mid(Sep + 1);
    const int Sep2 = Rest.indexOf(FieldSeparator);
    const String Save = Sep2 < 0 ? Rest : Rest.left(Sep2);
    if (!Save.isEmpty())
        F.SaveLiterals = Save.at(0) != QLatin1Char('0');
    if (Sep2 >= 0 && Sep2 + 1 < Rest.size())
        F.Blank = Rest.at(Sep2 + 1);
    return F;
}

} // namespace

// --- positions -------------------------------------------------------------------

bool TMaskPosition::Required() const
{
    return !IsLiteral
        && (Char == QLatin1Char('0') || Char == QLatin1Char('L') || Char == QLatin1Char('A')
            || Char == QLatin1Char('C'));
}

bool TMaskPosition::Accepts(QChar C) const
{
    // A position holds one code unit: half a character of two never fits.
    if (IsLiteral || C.isSurrogate())
        return false;
    switch (Char.toLatin1()) {
    case '0':
    case '9':
        return C.isDigit();
    case '#':
        return C.isDigit() || C == QLatin1Char('+') || C == QLatin1Char('-');
    case 'L':
    case 'l':
        return C.isLetter();
    case 'A':
    case 'a':
        return C.isLetterOrNumber();
    default:
        return !C.isNull();
    }
}

QChar TMaskPosition::Convert(QChar C) const
{
    switch (Case) {
    case mcUpperCase:
        return C.toUpper();
    case mcLowerCase:
        return C.toLower();
    default:
        return C;
    }
}

// --- the layout -------------------------------------------------------------------

TMaskLayout::TMaskLayout(const String& EditMask) : TMaskLayout(EditMask, FormatSettings)
{}

TMaskLayout::TMaskLayout(const String& EditMask, const TFormatSettings& Settings)
{
    const TMaskFields F = SplitFields(EditMask);
    FSaveLiterals = F.SaveLiterals;
    FBlank = F.Blank;
    Parse(F.Mask, Settings);
}

void TMaskLayout::Parse(const String& Mask, const TFormatSettings& Settings)
{
    TMaskCase Case = mcNoCase;
    auto Literal = [this](QChar C) { FPositions.push_back({true, C, mcNoCase}); };
    for (int I = 0; I < Mask.size(); ++I) {
        const QChar C = Mask.at(I);
        if (C == Escape) {
            if (I + 1 < Mask.size())
                Literal(Mask.at(++I));
        } else if (C == QLatin1Char('!')) {
            FLeadingBlanks = true;
        } else if (C == QLatin1Char('<') && I + 1 < Mask.size() && Mask.at(I + 1) == QLatin1Char('>')) {
            Case = mcNoCase;
            ++I;
        } else if (C == QLatin1Char('>')) {
            Case = mcUpperCase;
        } else if (C == QLatin1Char('<')) {
            Case = mcLowerCase;
        } else if (IsInputCode(C)) {
            FPositions.push_back({false, C, Case});
        } else if (C == QLatin1Char('/')) {
            Literal(Settings.DateSeparator);
        } else if (C == QLatin1Char(':')) {
            Literal(Settings.TimeSeparator);
        } else if (C == QLatin1Char('_')) {
            Literal(QLatin1Char(' '));
        } else {
            Literal(C);
        }
    }
}

int TMaskLayout::NextInput(int Index) const
{
    for (int I = std::max(Index, 0); I < Length(); ++I)
        if (!Position(I).IsLiteral)
            return I;
    return Length();
}

int TMaskLayout::PriorInput(int Index) const
{
    for (int I = std::min(Index, Length()) - 1; I >= 0; --I)
        if (!Position(I).IsLiteral)
            return I;
    return -1;
}

int TMaskLayout::InputCount() const
{
    int N = 0;
    for (const TMaskPosition& P : FPositions)
        N += P.IsLiteral ? 0 : 1;
    return N;
}

String TMaskLayout::EmptyEditText() const
{
    String S;
    S.reserve(Length());
    for (const TMaskPosition& P : FPositions)
        S += P.IsLiteral ? P.Char : FBlank;
    return S;
}

String TMaskLayout::EditTextFromText(const String& Text) const
{
    String S = EmptyEditText();
    auto Put = [&](int Index, QChar C) { S[Index] = C == QLatin1Char(' ') ? FBlank : Position(Index).Convert(C); };
    if (FSaveLiterals) {
        // Position by position; a literal of the value is taken where the
        // mask has that literal, so values without some literals still fit.
        int V = 0;
        for (int I = 0; I < Length() && V < Text.size(); ++I) {
            if (Position(I).IsLiteral) {
                if (Text.at(V) == Position(I).Char)
                    ++V;
            } else {
                Put(I, Text.at(V++));
            }
        }
        return S;
    }
    const int Inputs = InputCount();
    String Chars = Text.left(Inputs);
    if (FLeadingBlanks)
        Chars = String(Inputs - Chars.size(), QLatin1Char(' ')) + Chars;
    int V = 0;
    for (int I = 0; I < Length() && V < Chars.size(); ++I)
        if (!Position(I).IsLiteral)
            Put(I, Chars.at(V++));
    return S;
}

String TMaskLayout::TextFromEditText(const String& EditText) const
{
    String S;
    for (int I = 0; I < Length(); ++I) {
        const TMaskPosition& P = Position(I);
        if (P.IsLiteral && !FSaveLiterals)
            continue;
        const QChar C = I < EditText.size() ? EditText.at(I) : FBlank;
        S += !P.IsLiteral && C == FBlank ? QChar(QLatin1Char(' ')) : C;
    }
    if (FSaveLiterals)
        return S;
    if (FLeadingBlanks) {
        int First = 0;
        while (First < S.size() && S.at(First) == QLatin1Char(' '))
            ++First;
        return S.mid(First);
    }
    int End = S.size();
    while (End > 0 && S.at(End - 1) == QLatin1Char(' '))
        --End;
    return S.left(End);
}

int TMaskLayout::FirstInvalid(const String& EditText) const
{
    for (int I = 0; I < Length(); ++I) {
        const TMaskPosition& P = Position(I);
        if (I >= EditText.size())
            return I;
        const QChar C = EditText.at(I);
        if (P.IsLiteral) {
            if (C != P.Char)
                return I;
        } else if (C == FBlank) {
            if (P.Required())
                return I;
        } else if (!P.Accepts(C)) {
            return I;
        }
    }
    return EditText.size() > Length() ? Length() : -1;
}

// --- the classic calls --------------------------------------------------------------

String FormatMaskText(const String& EditMask, const String& Value)
{
    const TMaskLayout Layout(EditMask);
    if (!Layout.IsMasked())
        return Value;
    String S = Layout.EditTextFromText(Value);
    for (int I = 0; I < S.size(); ++I)
        if (!Layout.IsLiteral(I) && S.at(I) == Layout.Blank())
            S[I] = QLatin1Char(' ');
    return S;
}

bool MaskGetMaskSave(const String& EditMask)
{
    return SplitFields(EditMask).SaveLiterals;
}

QChar MaskGetMaskBlank(const String& EditMask)
{
    return SplitFields(EditMask).Blank;
}

int MaskGetFldSeparator(const String& EditMask)
{
    return FirstSeparator(EditMask);
}
