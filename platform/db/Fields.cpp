#include "platform/db/Fields.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/DataSet.h"
#include "platform/db/RecordLayout.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/MaskUtils.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>

REGISTER_COMPONENT(TStringField, TField)
    PUBLISHED(Size, 20)
END_REGISTER

REGISTER_COMPONENT(TMemoField, TField)
    PUBLISHED(Size, 0)
END_REGISTER

REGISTER_COMPONENT(TNumericField, TField)
    PUBLISHED(Alignment, taRightJustify)
    PUBLISHED(DisplayFormat, String())
    PUBLISHED(EditFormat, String())
END_REGISTER

REGISTER_COMPONENT(TIntegerField, TNumericField)
    PUBLISHED(MaxValue, 0)
    PUBLISHED(MinValue, 0)
END_REGISTER

REGISTER_COMPONENT(TSmallintField, TIntegerField)
    PUBLISHED(MaxValue, 32767)
    PUBLISHED(MinValue, -32768)
END_REGISTER

REGISTER_COMPONENT(TWordField, TIntegerField)
    PUBLISHED(MaxValue, 65535)
    PUBLISHED(MinValue, 0)
END_REGISTER

REGISTER_COMPONENT(TAutoIncField, TIntegerField)
END_REGISTER

REGISTER_COMPONENT(TFloatField, TNumericField)
    PUBLISHED(Precision, 15)
END_REGISTER

REGISTER_COMPONENT(TCurrencyField, TFloatField)
END_REGISTER

REGISTER_COMPONENT(TBooleanField, TField)
    PUBLISHED(DisplayValues, QStringLiteral("True;False"))
END_REGISTER

REGISTER_COMPONENT(TDateTimeField, TField)
    PUBLISHED(DisplayFormat, String())
END_REGISTER

REGISTER_COMPONENT(TDateField, TDateTimeField)
END_REGISTER

REGISTER_COMPONENT(TTimeField, TDateTimeField)
END_REGISTER

namespace {

using TRec = std::vector<std::uint8_t>;

// Dates are the bulk of what a full-text search over a table formats, so
// the common short date formats (d, dd, m, mm, yy, yyyy and separators) are
// rendered directly; anything else goes through FormatDateTime.
class TShortDateWriter {
public:
    bool Write(TDateTime Value, String& Out)
    {
        QChar Buf[32];
        const int N = Render(Value, Buf);
        if (N < 0)
            return false;
        Out = String(Buf, N);
        return true;
    }
    // The same text as UTF-8 into Out, whose room is reused.
    bool WriteUtf8(TDateTime Value, QByteArray& Out)
    {
        QChar Buf[32];
        const int N = Render(Value, Buf);
        if (N < 0)
            return false;
        Out.resize(N);
        char* P = Out.data();
        for (int I = 0; I < N; ++I) {
            if (Buf[I].unicode() >= 0x80) {
                // A separator outside ASCII: let Qt encode it.
                Out = String(Buf, N).toUtf8();
                break;
            }
            P[I] = char(Buf[I].unicode());
        }
        return true;
    }

private:
    // The text into Buf (room for 32); -1 when the format is not simple.
    int Render(TDateTime Value, QChar* Buf)
    {
        if (FFormat != FormatSettings.ShortDateFormat || FSeparator != FormatSettings.DateSeparator)
            Parse();
        if (!FSimple)
            return -1;
        std::uint16_t Y = 0, M = 0, D = 0;
        DecodeDate(Value, Y, M, D);
        int N = 0;
        auto Digits = [&](int V, int Width) {
            QChar Tmp[8];
            int K = 0;
            do {
                Tmp[K++] = QChar(u'0' + V % 10);
                V /= 10;
            } while (V > 0 && K < 8);
            while (K < Width && K < 8)
                Tmp[K++] = QChar(u'0');
            while (K > 0)
                Buf[N++] = Tmp[--K];
        };
        for (const TToken& T : FTokens) {
            if (N > 20)
                return -1;
            switch (T.Kind) {
            case 'd': Digits(D, T.Width); break;
            case 'm': Digits(M, T.Width); break;
            case 'y': Digits(T.Width == 2 ? Y % 100 : Y, T.Width); break;
            default: Buf[N++] = T.Literal; break;
            }
        }
        return N;
    }

    struct TToken {
        char Kind;  // 'd', 'm', 'y' or 0 for a literal
        int Width;
        QChar Literal;
    };

    void Parse()
    {
        FFormat = FormatSettings.ShortDateFormat;
        FSeparator = FormatSettings.DateSeparator;
        FTokens.clear();
        FSimple = !FFormat.isEmpty();
        for (qsizetype I = 0; I < FFormat.size() && FSimple;) {
            const QChar C = FFormat[I].toLower();
            if (C == u'd' || C == u'm' || C == u'y') {
                qsizetype J = I;
                while (J < FFormat.size() && FFormat[J].toLower() == C)
                    ++J;
                const int Run = int(J - I);
                const bool Ok = C == u'y' ? (Run == 2 || Run == 4) : (Run == 1 || Run == 2);
                if (!Ok)
                    FSimple = false;
                else
                    FTokens.push_back({char(C.unicode()), C == u'y' ? Run : Run, QChar()});
                I = J;
            } else if (C == u'/') {
                FTokens.push_back({0, 0, FSeparator});
                ++I;
            } else if (C == u'-' || C == u'.' || C == u' ') {
                FTokens.push_back({0, 0, FFormat[I]});
                ++I;
            } else {
                FSimple = false;
            }
        }
    }

    String FFormat;
    QChar FSeparator;
    bool FSimple = false;
    std::vector<TToken> FTokens;
};

TShortDateWriter& ShortDates()
{
    static TShortDateWriter Writer;
    return Writer;
}

}  // namespace

// --- TStringField ------------------------------------------------------------

TStringField::TStringField(TComponent* AOwner) : TField(AOwner)
{
    SetDataType(ftString);
    SetSize(20);
}

String TStringField::AsString() const
{
    const std::uint8_t* R = Record();
    return R ? Layout().Text(R, Column()) : String();
}

void TStringField::SetAsString(const String& Value)
{
    String V = Value;
    if (Size() > 0 && V.size() > Size())
        V.truncate(WholeCharacterCut(V, Size()));
    const QByteArray Utf8 = V.toUtf8();
    WriteValue([&](TRec& R, const TRecordLayout& L, int C) { L.SetUtf8(R, C, Utf8); });
}

int TStringField::AsInteger() const { return StrToInt(AsString()); }
double TStringField::AsFloat() const { return StrToFloat(AsString()); }
void TStringField::SetAsFloat(double Value) { SetAsString(FloatToStr(Value)); }
TDateTime TStringField::AsDateTime() const { return StrToDateTime(AsString()); }
void TStringField::SetAsDateTime(TDateTime Value) { SetAsString(DateTimeToStr(Value)); }

bool TStringField::AsBoolean() const
{
    const String S = AsString();
    return !S.isEmpty() && QStringLiteral("TtYy").contains(S[0]);
}

Variant TStringField::AsVariant() const
{
    return IsNull() ? Null() : Variant(AsString());
}

// --- TMemoField -------------------------------------------------------------

void TStringField::GetText(String& Text, bool DisplayText) const
{
    Text = AsString();
    if (DisplayText && !EditMask().isEmpty())
        Text = FormatMaskText(EditMask(), Text);
}

TMemoField::TMemoField(TComponent* AOwner) : TField(AOwner)
{
    SetDataType(ftMemo);
}

String TMemoField::AsString() const
{
    const std::uint8_t* R = Record();
    return R ? Layout().Text(R, Column()) : String();
}

void TMemoField::SetAsString(const String& Value)
{
    const QByteArray Utf8 = Value.toUtf8();
    WriteValue([&](TRec& R, const TRecordLayout& L, int C) { L.SetUtf8(R, C, Utf8); });
}

Variant TMemoField::AsVariant() const
{
    return IsNull() ? Null() : Variant(AsString());
}

void TMemoField::GetText(String& Text, bool DisplayText) const
{
    (void)DisplayText;
    Text = AsString();
}

// --- TNumericField ------------------------------------------------------------

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner)
{
    SetAlignment(taRightJustify);
}

void TNumericField::SetDisplayFormat(const String& Value)
{
    FDisplayFormat = Value;
    if (DataSet())
        DataSet()->DataEvent(deLayoutChange);
}

void TNumericField::SetEditFormat(const String& Value)
{
    FEditFormat = Value;
}

// --- TIntegerField ----------------------------------------------------------

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner)
{
    SetDataType(ftInteger);
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner)
{
    SetDataType(ftSmallint);
    SetMinValue(-32768);
    SetMaxValue(32767);
}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner)
{
    SetDataType(ftWord);
    SetMinValue(0);
    SetMaxValue(65535);
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner)
{
    SetDataType(ftAutoInc);
}

int TIntegerField::AsInteger() const
{
    const std::uint8_t* R = Record();
    return R && !Layout().IsNull(R, Column()) ? Layout().Int32(R, Column()) : 0;
}

String TIntegerField::AsString() const
{
    return IsNull() ? String() : IntToStr(AsInteger());
}

void TIntegerField::GetText(String& Text, bool DisplayText) const
{
    (void)DisplayText;
    Text = AsString();
}

void TIntegerField::CheckRange(long long Value) const
{
    if ((FMinValue != 0 || FMaxValue != 0) && (Value < FMinValue || Value > FMaxValue))
        throw EDatabaseError(
            Format(QString::fromLatin1(DBConsts::SFieldRangeError),
                   {IntToStr(Value), QuotedInput(DisplayName()), IntToStr(FMinValue), IntToStr(FMaxValue)}));
}

void TIntegerField::SetAsInteger(int Value)
{
    CheckRange(Value);
    WriteValue([&](TRec& R, const TRecordLayout& L, int C) { L.SetInt32(R, C, Value); });
}

void TIntegerField::SetAsFloat(double Value)
{
    const long long V = Round(Value);
    if (V < INT32_MIN || V > INT32_MAX)
        throw EDatabaseError(
            Format(QString::fromLatin1(DBConsts::SFieldRangeError),
                   {FloatToStr(Value), QuotedInput(DisplayName()), IntToStr(INT32_MIN), IntToStr(INT32_MAX)}));
    SetAsInteger(int(V));
}

void TIntegerField::SetAsString(const String& Value)
{
    if (Value.isEmpty()) {
        Clear();
        return;
    }
    int V = 0;
    if (!TryStrToInt(Value, V))
        DatabaseErrorFmt(DBConsts::SInvalidIntegerValue, Value, DisplayName());
    SetAsInteger(V);
}

Variant TIntegerField::AsVariant() const
{
    return IsNull() ? Null() : Variant(AsInteger());
}

bool TIntegerField::IsValidChar(QChar Ch) const
{
    return Ch == QLatin1Char('+') || Ch == QLatin1Char('-') || (Ch >= QLatin1Char('0') && Ch <= QLatin1Char('9'));
}

// --- TFloatField --------------------------------------------------------------

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner)
{
    SetDataType(ftFloat);
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner)
{
    SetDataType(ftCurrency);
}

double TFloatField::AsFloat() const
{
    const std::uint8_t* R = Record();
    return R && !Layout().IsNull(R, Column()) ? Layout().Double(R, Column()) : 0.0;
}

int TFloatField::AsInteger() const
{
    return int(Round(AsFloat()));
}

String TFloatField::AsString() const
{
    return IsNull() ? String() : FloatToStrF(AsFloat(), ffGeneral, FPrecision, 0);
}

void TFloatField::GetText(String& Text, bool DisplayText) const
{
    (void)DisplayText;
    Text = AsString();
}

void TFloatField::SetAsFloat(double Value)
{
    WriteValue([&](TRec& R, const TRecordLayout& L, int C) { L.SetDouble(R, C, Value); });
}

void TFloatField::SetAsString(const String& Value)
{
    if (Value.isEmpty()) {
        Clear();
        return;
    }
    double V = 0;
    if (!TryStrToFloat(Value, V) || !std::isfinite(V))
        DatabaseErrorFmt(DBConsts::SInvalidFloatValue, Value, DisplayName());
    SetAsFloat(V);
}

Variant TFloatField::AsVariant() const
{
    return IsNull() ? Null() : Variant(AsFloat());
}

bool TFloatField::IsValidChar(QChar Ch) const
{
    return (Ch >= QLatin1Char('0') && Ch <= QLatin1Char('9')) || Ch == QLatin1Char('+') || Ch == QLatin1Char('-')
        || Ch == QLatin1Char('E') || Ch == QLatin1Char('e') || Ch == FormatSettings.DecimalSeparator;
}

// --- TBooleanField ------------------------------------------------------------

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner)
{
    SetDataType(ftBoolean);
}

bool TBooleanField::AsBoolean() const
{
    const std::uint8_t* R = Record();
    return R && !Layout().IsNull(R, Column()) && Layout().Bool(R, Column());
}

void TBooleanField::SetAsBoolean(bool Value)
{
    WriteValue([&](TRec& R, const TRecordLayout& L, int C) { L.SetBool(R, C, Value); });
}

String TBooleanField::AsString() const
{
    return IsNull() ? String() : AsBoolean() ? FTrueText : FFalseText;
}

void TBooleanField::SetAsString(const String& Value)
{
    if (Value.isEmpty()) {
        Clear();
        return;
    }
    if (FTrueText.startsWith(Value, Qt::CaseInsensitive))
        SetAsBoolean(true);
    else if (FFalseText.startsWith(Value, Qt::CaseInsensitive))
        SetAsBoolean(false);
    else
        DatabaseErrorFmt(DBConsts::SInvalidBoolValue, Value, DisplayName());
}

Variant TBooleanField::AsVariant() const
{
    return IsNull() ? Null() : Variant(AsBoolean());
}

void TBooleanField::SetDisplayValues(const String& Value)
{
    FDisplayValues = Value;
    const int Sep = int(Value.indexOf(QLatin1Char(';')));
    if (Sep < 0) {
        FTrueText = Value;
        FFalseText.clear();
    } else {
        FTrueText = Value.left(Sep);
        FFalseText = Value.mid(Sep + 1);
    }
    if (DataSet())
        DataSet()->DataEvent(deLayoutChange);
}

// --- TDateTimeField -------------------------------------------------------------

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner)
{
    SetDataType(ftDateTime);
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner)
{
    SetDataType(ftDate);
}

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner)
{
    SetDataType(ftTime);
}

TDateTime TDateTimeField::AsDateTime() const
{
    const std::uint8_t* R = Record();
    return R && !Layout().IsNull(R, Column()) ? Layout().Double(R, Column()) : 0.0;
}

void TDateTimeField::SetAsDateTime(TDateTime Value)
{
    if (DataType() == ftDate)
        Value = DateOf(Value);
    else if (DataType() == ftTime)
        Value = TimeOf(Value);
    WriteValue([&](TRec& R, const TRecordLayout& L, int C) { L.SetDouble(R, C, Value); });
}

String TDateTimeField::AsString() const
{
    String S;
    GetText(S, false);
    return S;
}

void TDateTimeField::GetText(String& Text, bool DisplayText) const
{
    if (IsNull()) {
        Text.clear();
        return;
    }
    const TDateTime V = AsDateTime();
    const bool OwnFormat = DisplayText && !FDisplayFormat.isEmpty();
    if (!OwnFormat && DataType() != ftTime && V == std::trunc(V) && ShortDates().Write(V, Text))
        return;
    String F;
    if (OwnFormat)
        F = FDisplayFormat;
    else if (DataType() == ftDate)
        F = QStringLiteral("ddddd");
    else if (DataType() == ftTime)
        F = QStringLiteral("tt");
    // An empty format is "c": the date, and the time only when there is one.
    Text = FormatDateTime(F, V);
}

QByteArrayView TDateTimeField::AsUtf8(QByteArray& Scratch) const
{
    // As GetText's edit text, without a String for the common case.
    const std::uint8_t* R = Record();
    if (!R || Layout().IsNull(R, Column()))
        return QByteArrayView();
    const TDateTime V = Layout().Double(R, Column());
    if (DataType() != ftTime && V == std::trunc(V) && ShortDates().WriteUtf8(V, Scratch))
        return Scratch;
    return TField::AsUtf8(Scratch);
}

void TDateTimeField::SetAsString(const String& Value)
{
    // A text of blanks is an emptied edit, not a date.
    if (Value.trimmed().isEmpty()) {
        Clear();
        return;
    }
    switch (DataType()) {
    case ftDate:
        SetAsDateTime(StrToDate(Value));
        break;
    case ftTime:
        SetAsDateTime(StrToTime(Value));
        break;
    default:
        SetAsDateTime(StrToDateTime(Value));
        break;
    }
}

Variant TDateTimeField::AsVariant() const
{
    return IsNull() ? Null() : VarFromDateTime(AsDateTime());
}

bool TDateTimeField::IsValidChar(QChar Ch) const
{
    return TField::IsValidChar(Ch);
}

void TDateTimeField::SetDisplayFormat(const String& Value)
{
    FDisplayFormat = Value;
    if (DataSet())
        DataSet()->DataEvent(deLayoutChange);
}

// --- factory ------------------------------------------------------------------

TField* CreateFieldForType(TFieldType DataType, TComponent* AOwner)
{
    switch (DataType) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
        return new TStringField(AOwner);
    case ftSmallint: return new TSmallintField(AOwner);
    case ftInteger: return new TIntegerField(AOwner);
    case ftWord: return new TWordField(AOwner);
    case ftAutoInc: return new TAutoIncField(AOwner);
    case ftBoolean: return new TBooleanField(AOwner);
    case ftFloat: return new TFloatField(AOwner);
    case ftCurrency: return new TCurrencyField(AOwner);
    case ftDate: return new TDateField(AOwner);
    case ftTime: return new TTimeField(AOwner);
    case ftDateTime: return new TDateTimeField(AOwner);
    case ftMemo:
    case ftFmtMemo:
        return new TMemoField(AOwner);
    default:
        return nullptr;
    }
}
