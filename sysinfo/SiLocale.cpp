#include "sysinfo/SiLocale.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace {

struct TPrimary {
    QLocale::Language Language;
    std::uint16_t Id;
};

// The classic primary language identifiers of the languages a Dutch
// address book is likely to meet.
constexpr TPrimary Primaries[] = {
    {QLocale::Arabic, 0x01},
    {QLocale::Bulgarian, 0x02},
    {QLocale::Catalan, 0x03},
    {QLocale::Chinese, 0x04},
    {QLocale::Czech, 0x05},
    {QLocale::Danish, 0x06},
    {QLocale::German, 0x07},
    {QLocale::Greek, 0x08},
    {QLocale::English, 0x09},
    {QLocale::Spanish, 0x0A},
    {QLocale::Finnish, 0x0B},
    {QLocale::French, 0x0C},
    {QLocale::Hebrew, 0x0D},
    {QLocale::Hungarian, 0x0E},
    {QLocale::Icelandic, 0x0F},
    {QLocale::Italian, 0x10},
    {QLocale::Japanese, 0x11},
    {QLocale::Korean, 0x12},
    {QLocale::Dutch, 0x13},
    {QLocale::NorwegianBokmal, 0x14},
    {QLocale::NorwegianNynorsk, 0x14},
    {QLocale::Polish, 0x15},
    {QLocale::Portuguese, 0x16},
    {QLocale::Romanian, 0x18},
    {QLocale::Russian, 0x19},
    {QLocale::Croatian, 0x1A},
    {QLocale::Slovak, 0x1B},
    {QLocale::Albanian, 0x1C},
    {QLocale::Swedish, 0x1D},
    {QLocale::Thai, 0x1E},
    {QLocale::Turkish, 0x1F},
    {QLocale::Urdu, 0x20},
    {QLocale::Indonesian, 0x21},
    {QLocale::Ukrainian, 0x22},
    {QLocale::Belarusian, 0x23},
    {QLocale::Slovenian, 0x24},
    {QLocale::Estonian, 0x25},
    {QLocale::Latvian, 0x26},
    {QLocale::Lithuanian, 0x27},
    {QLocale::Persian, 0x29},
    {QLocale::Vietnamese, 0x2A},
    {QLocale::Basque, 0x2D},
    {QLocale::Afrikaans, 0x36},
    {QLocale::Hindi, 0x39},
    {QLocale::Irish, 0x3C},
    {QLocale::Malay, 0x3E},
    {QLocale::Welsh, 0x52},
    {QLocale::WesternFrisian, 0x62},
    {QLocale::Luxembourgish, 0x6E},
};

struct TSublanguage {
    QLocale::Language Language;
    QLocale::Territory Territory;
    std::uint16_t Sub;
};

// Sublanguages other than the default (1) of each language.
constexpr TSublanguage Sublanguages[] = {
    {QLocale::English, QLocale::UnitedKingdom, 2}, {QLocale::English, QLocale::Australia, 3},
    {QLocale::English, QLocale::Canada, 4},        {QLocale::English, QLocale::NewZealand, 5},
    {QLocale::English, QLocale::Ireland, 6},       {QLocale::English, QLocale::SouthAfrica, 7},
    {QLocale::Dutch, QLocale::Belgium, 2},         {QLocale::German, QLocale::Switzerland, 2},
    {QLocale::German, QLocale::Austria, 3},        {QLocale::German, QLocale::Luxembourg, 4},
    {QLocale::German, QLocale::Liechtenstein, 5},  {QLocale::French, QLocale::Belgium, 2},
    {QLocale::French, QLocale::Canada, 3},         {QLocale::French, QLocale::Switzerland, 4},
    {QLocale::French, QLocale::Luxembourg, 5},     {QLocale::Spanish, QLocale::Mexico, 2},
    {QLocale::Spanish, QLocale::Spain, 3},         {QLocale::Portuguese, QLocale::Portugal, 2},
    {QLocale::Italian, QLocale::Switzerland, 2},   {QLocale::Chinese, QLocale::China, 2},
    {QLocale::Chinese, QLocale::HongKong, 3},      {QLocale::Chinese, QLocale::Singapore, 4},
    {QLocale::Swedish, QLocale::Finland, 2},       {QLocale::NorwegianNynorsk, QLocale::Norway, 2},
};

constexpr std::uint16_t LanguageUserDefault = 0x0400;

QLocale NamedLocale(const QLocale& Locale)
{
    return Locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : Locale;
}

bool IsSpace(QChar Ch)
{
    return Ch.isSpace() || Ch == QChar(0x00A0) || Ch == QChar(0x202F);
}

// A formatted amount reduced to its shape: the symbol as '$', the number
// as '1', the negative sign as '-', blanks as one ' ', brackets kept.
String AmountShape(const String& Text, const QLocale& Locale)
{
    const String Minus = Locale.negativeSign();
    String Shape;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const QChar Ch = Text[I];
        QChar Mark;
        if (Ch == QLatin1Char('$'))
            Mark = QLatin1Char('$');
        else if (Ch.isDigit() || String(Ch) == Locale.decimalPoint() || String(Ch) == Locale.groupSeparator())
            Mark = QLatin1Char('1');
        else if (QStringView(Text).mid(I).startsWith(Minus) || Ch == QLatin1Char('-'))
            Mark = QLatin1Char('-');
        else if (IsSpace(Ch))
            Mark = QLatin1Char(' ');
        else if (Ch == QLatin1Char('(') || Ch == QLatin1Char(')'))
            Mark = Ch;
        else
            continue;
        if (Shape.isEmpty() || Shape.back() != Mark || (Mark != QLatin1Char('1') && Mark != QLatin1Char(' ')))
            Shape += Mark;
    }
    return Shape.trimmed();
}

int ShapeIndex(const String& Shape, std::initializer_list<const char*> Shapes, int Default)
{
    int Index = 0;
    for (const char* S : Shapes) {
        if (Shape == QLatin1String(S))
            return Index;
        ++Index;
    }
    return Default;
}

int CurrencyFormat(const QLocale& L)
{
    return ShapeIndex(AmountShape(L.toCurrencyString(1.5, QStringLiteral("$")), L), {"$1", "1$", "$ 1", "1 $"}, 0);
}

int NegativeCurrencyFormat(const QLocale& L)
{
    return ShapeIndex(AmountShape(L.toCurrencyString(-1.5, QStringLiteral("$")), L),
                      {"($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-", "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1",
                       "1- $", "($ 1)", "(1 $)"},
                      1);
}

int NegativeNumberFormat(const QLocale& L)
{
    return ShapeIndex(AmountShape(L.toString(-1.5, 'f', 1), L), {"(1)", "-1", "- 1", "1-", "1 -"}, 1);
}

int CurrencyDigits(const QLocale& L)
{
    const String Text = L.toCurrencyString(1.0, QStringLiteral("$"));
    const qsizetype Point = Text.lastIndexOf(L.decimalPoint());
    int Digits = 0;
    for (qsizetype I = Point + 1; Point >= 0 && I < Text.size() && Text[I].isDigit(); ++I)
        ++Digits;
    return Digits;
}

// The first character of a date or time format that is no field letter.
String FormatSeparator(const String& Format, const char* Fallback)
{
    for (QChar Ch : Format)
        if (!Ch.isLetter() && Ch != QLatin1Char('\'') && !IsSpace(Ch))
            return String(Ch);
    return QString::fromLatin1(Fallback);
}

// Qt's date pattern in the classic picture letters: a year of one or
// three letters is the full year.
String ClassicDatePicture(String Format)
{
    static const QRegularExpression LoneYear(QStringLiteral("(?<!y)(y|yyy)(?!y)"));
    return Format.replace(LoneYear, QStringLiteral("yyyy"));
}

// Qt's time pattern in the classic picture letters: the AM/PM marker is "tt".
String ClassicTimePicture(String Format)
{
    static const QRegularExpression AmPm(QStringLiteral("AP|ap|A|a"));
    return Format.replace(AmPm, QStringLiteral("tt"));
}

String Number(int Value)
{
    return QString::number(Value);
}

} // namespace

std::uint16_t SiLanguageId(const QLocale& Locale)
{
    const QLocale L = NamedLocale(Locale);
    for (const TPrimary& P : Primaries) {
        if (P.Language != L.language())
            continue;
        std::uint16_t Sub = 1;
        for (const TSublanguage& S : Sublanguages)
            if (S.Language == L.language() && S.Territory == L.territory())
                Sub = S.Sub;
        return std::uint16_t(Sub << 10 | P.Id);
    }
    return LanguageUserDefault;
}

std::uint16_t GetDefaultLanguageId()
{
    return SiLanguageId(QLocale());
}

String GetDefaultLanguageName()
{
    const QLocale L = NamedLocale(QLocale());
    String Language = L.nativeLanguageName();
    if (Language.isEmpty())
        Language = QLocale::languageToString(L.language());
    String Territory = L.nativeTerritoryName();
    if (Territory.isEmpty())
        Territory = QLocale::territoryToString(L.territory());
    return Territory.isEmpty() ? Language : Language + QStringLiteral(" (") + Territory + QLatin1Char(')');
}

String GetSiLocaleItem(const QLocale& L, int Index)
{
    const String ShortDate = L.dateFormat(QLocale::ShortFormat);
    const String ShortTime = L.timeFormat(QLocale::ShortFormat);
    const bool Monday = L.firstDayOfWeek() == Qt::Monday;
    switch (Index) {
    case 0:
        return QStringLiteral("1"); // Gregorian
    case 1:
        return Number(CurrencyDigits(L));
    case 2:
        return Number(CurrencyFormat(L));
    case 3:
        return QStringLiteral("2");
    case 4:
        return Number(int(L.firstDayOfWeek()) - 1); // 0 Monday ... 6 Sunday
    case 5:
        return Monday ? QStringLiteral("2") : QStringLiteral("0"); // ISO weeks where they start on Monday
    case 6:
        return QStringLiteral("1"); // leading zeros
    case 7:
        return L.measurementSystem() == QLocale::MetricSystem ? QStringLiteral("0") : QStringLiteral("1");
    case 8:
        return Number(NegativeCurrencyFormat(L));
    case 9:
        return Number(NegativeNumberFormat(L));
    case 10:
        return ShortTime.contains(QLatin1Char('a'), Qt::CaseInsensitive) ? QStringLiteral("0") : QStringLiteral("1");
    case 11:
        return L.amText();
    case 12:
        return L.pmText();
    case 13:
        return L.currencySymbol();
    case 14:
        return FormatSeparator(ShortDate, "/");
    case 15:
        return L.decimalPoint();
    case 16:
        return QStringLiteral("3;0");
    case 17:
        return L.decimalPoint() == QLatin1String(",") ? QStringLiteral(";") : QStringLiteral(",");
    case 18:
        return ClassicDatePicture(L.dateFormat(QLocale::LongFormat));
    case 19:
        return L.decimalPoint();
    case 20:
        return QStringLiteral("3;0");
    case 21:
        return L.groupSeparator();
    case 22:
        return L.negativeSign();
    case 23:
        return L.positiveSign();
    case 24:
        return ClassicDatePicture(ShortDate);
    case 25:
        return L.groupSeparator();
    case 26:
        return FormatSeparator(ShortTime, ":");
    case 27:
        return ClassicTimePicture(ShortTime);
    default:
        return QStringLiteral("Hallo");
    }
}
