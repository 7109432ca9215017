#include "platform/db/FilterExpr.h"

#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

#include <QList>
#include <cmath>
#include <iterator>
#include <optional>
#include <random>

namespace {

enum : int { fID, fNAAM, fGEBOORTE, fGROEP, fBEDRAG, fACTIEF, fOPMERKING, fGEWIJZIGD, fFOTO };

struct TRow {
    std::int64_t Id;
    std::optional<QString> Naam;
    std::optional<TDateTime> Geboorte;
    std::optional<std::int64_t> Groep;
    std::optional<double> Bedrag;
    std::optional<bool> Actief;
    std::optional<QString> Opmerking;
    std::optional<TDateTime> Gewijzigd;
};

TFilterField Resolve(const String& Name)
{
    static const struct { const char* Name; TFilterField Field; } Fields[] = {
        {"ID", {fID, ftInteger}}, {"NAAM", {fNAAM, ftString}}, {"GEBOORTE_DATUM", {fGEBOORTE, ftDate}},
        {"ID_GROEP", {fGROEP, ftInteger}}, {"BEDRAG", {fBEDRAG, ftFloat}}, {"ACTIEF", {fACTIEF, ftBoolean}},
        {"OPMERKING", {fOPMERKING, ftMemo}}, {"GEWIJZIGD", {fGEWIJZIGD, ftDateTime}}, {"FOTO", {fFOTO, ftBlob}},
        {"MET SPATIE", {fNAAM, ftString}}, {"AND", {fID, ftInteger}}};
    for (const auto& F : Fields)
        if (Name.compare(QLatin1String(F.Name), Qt::CaseInsensitive) == 0)
            return F.Field;
    return {};
}

// The records carry their text as UTF-8, as the table engine stores it, or
// as QStrings; the filter must give the same answers either way.
class FilterExprTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        SavedSettings = FormatSettings;
        FormatSettings.ShortDateFormat = QStringLiteral("dd-mm-yyyy");
        FormatSettings.DateSeparator = u'-';
        FormatSettings.DecimalSeparator = u'.';
        Rows = {
            {1, "Jan", EncodeDate(1980, 3, 15), 5, 10.5, true, "eerste", EncodeDate(2023, 1, 2) + 0.5},
            {2, "jan", EncodeDate(1975, 12, 1), 5, 12.25, false, std::nullopt, EncodeDate(2023, 1, 2)},
            {3, "Janssen", std::nullopt, -1, std::nullopt, std::nullopt, "Zeer lange opmerking", std::nullopt},
            {4, std::nullopt, EncodeDate(2000, 2, 29), 7, 0.0, true, "", std::nullopt},
            {5, "D'Hondt", EncodeDate(1980, 3, 16), std::nullopt, -3.0, false, "z", std::nullopt},
            {6, QString::fromUtf8("Željko Ünal"), EncodeDate(1950, 1, 1), 12, 100.0, true, "x", std::nullopt},
        };
    }
    void TearDown() override { FormatSettings = SavedSettings; }

    TFilterValue Text(const std::optional<QString>& S, QByteArray& Keep) const
    {
        if (!S)
            return TFilterValue::Null();
        if (!GetParam())
            return TFilterValue::FromString(*S);
        Keep = S->toUtf8();
        return TFilterValue::FromUtf8(Keep);
    }

    template <typename T, typename F>
    static TFilterValue Opt(const std::optional<T>& V, F Make)
    {
        return V ? Make(*V) : TFilterValue::Null();
    }

    bool Accepts(const TFilterExpr& Expr, const TRow& R) const
    {
        QByteArray KeepNaam, KeepOpm;
        return Expr.Evaluate([&](int Field) -> TFilterValue {
            switch (Field) {
            case fID: return TFilterValue::FromInteger(R.Id);
            case fNAAM: return Text(R.Naam, KeepNaam);
            case fGEBOORTE: return Opt(R.Geboorte, TFilterValue::FromDateTime);
            case fGROEP: return Opt(R.Groep, TFilterValue::FromInteger);
            case fBEDRAG: return Opt(R.Bedrag, TFilterValue::FromFloat);
            case fACTIEF: return Opt(R.Actief, TFilterValue::FromBoolean);
            case fOPMERKING: return Text(R.Opmerking, KeepOpm);
            case fGEWIJZIGD: return Opt(R.Gewijzigd, TFilterValue::FromDateTime);
            }
            ADD_FAILURE() << "unexpected field " << Field;
            return TFilterValue::Null();
        });
    }

    // The ids of the rows the filter accepts.
    QList<std::int64_t> Ids(const QString& Filter, TFilterOptions Options = {}) const
    {
        const TFilterExpr Expr(Filter, Resolve, Options);
        QList<std::int64_t> Result;
        for (const TRow& R : Rows)
            if (Accepts(Expr, R))
                Result.append(R.Id);
        return Result;
    }

    std::vector<TRow> Rows;
    TFormatSettings SavedSettings;
};

using L = QList<std::int64_t>;

QString ErrorOf(const QString& Filter, TFilterOptions Options = {})
{
    return ErrorMessage<EDatabaseError>([&] { TFilterExpr Expr(Filter, Resolve, Options); });
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(TextForms, FilterExprTest, ::testing::Values(false, true),
                         [](const auto& Info) { return Info.param ? "Utf8" : "QString"; });

TEST_P(FilterExprTest, IntegerComparisonsAndQuotedNumbers)
{
    EXPECT_EQ(Ids("ID_GROEP = 5"), L({1, 2}));
    EXPECT_EQ(Ids("ID_GROEP = '5'"), L({1, 2}));  // the main window's group filter
    EXPECT_EQ(Ids("ID_GROEP = ' 12 '"), L({6}));
    EXPECT_EQ(Ids("ID_GROEP <> 5"), L({3, 4, 6}));  // the null group is not "<> 5"
    EXPECT_EQ(Ids("ID_GROEP = -1"), L({3}));
    EXPECT_EQ(Ids("ID_GROEP < 5"), L({3}));
    EXPECT_EQ(Ids("ID_GROEP <= 5"), L({1, 2, 3}));
    EXPECT_EQ(Ids("ID_GROEP > 5"), L({4, 6}));
    EXPECT_EQ(Ids("ID_GROEP >= 7"), L({4, 6}));
    // A literal on the left mirrors the operator.
    EXPECT_EQ(Ids("7 <= ID_GROEP"), L({4, 6}));
    EXPECT_EQ(Ids("'5' = ID_GROEP"), L({1, 2}));
    EXPECT_EQ(Ids("ID = 2.0"), L({2}));
    EXPECT_EQ(Ids("ID = 2.5"), L());
    EXPECT_EQ(Ids("ID = '2.0'"), L({2}));
    EXPECT_EQ(Ids("ID = 99999999999999999999"), L());
    EXPECT_EQ(Ids("ID = ID_GROEP"), L());
    EXPECT_EQ(Ids("ID < ID_GROEP"), L({1, 2, 4, 6}));
}

TEST_P(FilterExprTest, FloatsDatesAndBooleans)
{
    EXPECT_EQ(Ids("BEDRAG > 10.5"), L({2, 6}));
    EXPECT_EQ(Ids("BEDRAG = '12.25'"), L({2}));
    EXPECT_EQ(Ids("BEDRAG < -2.5"), L({5}));
    EXPECT_EQ(Ids("BEDRAG >= .5"), L({1, 2, 6}));
    EXPECT_EQ(Ids("BEDRAG = ID_GROEP"), L());
    EXPECT_EQ(Ids("BEDRAG < ID"), L({4, 5}));

    EXPECT_EQ(Ids("GEBOORTE_DATUM = '15-03-1980'"), L({1}));
    EXPECT_EQ(Ids("GEBOORTE_DATUM >= '15-3-1980'"), L({1, 4, 5}));
    EXPECT_EQ(Ids("GEBOORTE_DATUM < '01-01-1976'"), L({2, 6}));
    EXPECT_EQ(Ids("YEAR(GEBOORTE_DATUM) = 1980"), L({1, 5}));
    EXPECT_EQ(Ids("MONTH(GEBOORTE_DATUM) = 2 AND DAY(GEBOORTE_DATUM) = 29"), L({4}));
    EXPECT_EQ(Ids("YEAR('29-02-2000') = 2000"), L({1, 2, 3, 4, 5, 6}));
    // Literals follow the short date format of the moment.
    FormatSettings.ShortDateFormat = QStringLiteral("m/d/yyyy");
    FormatSettings.DateSeparator = u'/';
    EXPECT_EQ(Ids("GEBOORTE_DATUM = '3/15/1980'"), L({1}));
    EXPECT_NE(ErrorOf("GEBOORTE_DATUM = '15-03-1980'"), QStringLiteral("<no error>"));
    FormatSettings.ShortDateFormat = QStringLiteral("dd-mm-yyyy");
    FormatSettings.DateSeparator = u'-';
    // A date-time with a time is not equal to its day.
    EXPECT_EQ(Ids("GEWIJZIGD = '02-01-2023'"), L({2}));
    EXPECT_EQ(Ids("GEWIJZIGD = '02-01-2023 12:00'"), L({1}));
    EXPECT_EQ(Ids("GEWIJZIGD > GEBOORTE_DATUM"), L({1, 2}));

    EXPECT_EQ(Ids("ACTIEF"), L({1, 4, 6}));
    EXPECT_EQ(Ids("NOT ACTIEF"), L({2, 3, 5}));  // null is not true
    EXPECT_EQ(Ids("ACTIEF = FALSE"), L({2, 5}));
    EXPECT_EQ(Ids("ACTIEF = 'true'"), L({1, 4, 6}));
    EXPECT_EQ(Ids("TRUE"), L({1, 2, 3, 4, 5, 6}));
}

TEST_P(FilterExprTest, TextComparisonCaseAndPartialMatch)
{
    EXPECT_EQ(Ids("NAAM = 'Jan'"), L({1}));
    EXPECT_EQ(Ids("NAAM = 'jan'", {foCaseInsensitive}), L({1, 2}));
    EXPECT_EQ(Ids("NAAM <> 'Jan'"), L({2, 3, 5, 6}));
    EXPECT_EQ(Ids("NAAM = 'D''Hondt'"), L({5}));
    EXPECT_EQ(Ids("NAAM = 'Jan*'"), L({1, 3}));
    EXPECT_EQ(Ids("NAAM = 'JAN*'", {foCaseInsensitive}), L({1, 2, 3}));
    EXPECT_EQ(Ids("NAAM <> 'Jan*'"), L({2, 5, 6}));
    EXPECT_EQ(Ids("NAAM = '*'"), L({1, 2, 3, 5, 6}));
    EXPECT_EQ(Ids("'Jan*' = NAAM"), L({1, 3}));
    // Without partial compare the star is an ordinary character.
    EXPECT_EQ(Ids("NAAM = 'Jan*'", {foNoPartialCompare}), L());
    EXPECT_EQ(Ids(QString::fromUtf8("NAAM = 'Željko*'")), L({6}));
    EXPECT_EQ(Ids(QString::fromUtf8("NAAM = 'želJKO ünal'"), {foCaseInsensitive}), L({6}));
    // Case-sensitive order keeps "jan" next to "Jan"; both sort before "Janssen".
    EXPECT_EQ(Ids("NAAM < 'Janssen'"), L({1, 2, 5}));
    EXPECT_EQ(Ids("NAAM > 'Jan'"), L({2, 3, 6}));
    EXPECT_EQ(Ids("NAAM > 'jan'"), L({3, 6}));
    EXPECT_EQ(Ids("NAAM >= 'jan'", {foCaseInsensitive}), L({1, 2, 3, 6}));
    EXPECT_EQ(Ids("OPMERKING = ''"), L({4}));
    EXPECT_EQ(Ids("OPMERKING > NAAM"), L({3, 5}));
}

TEST_P(FilterExprTest, NullsAndLogic)
{
    EXPECT_EQ(Ids("NAAM IS NULL"), L({4}));
    EXPECT_EQ(Ids("naam is not null"), L({1, 2, 3, 5, 6}));
    EXPECT_EQ(Ids("NAAM = NULL"), L({4}));
    EXPECT_EQ(Ids("NULL <> GEBOORTE_DATUM"), L({1, 2, 4, 5, 6}));
    // Two-valued logic: a comparison with null is false, so NOT makes it true.
    EXPECT_EQ(Ids("NOT NAAM = 'Jan'"), L({2, 3, 4, 5, 6}));
    EXPECT_EQ(Ids("NOT (BEDRAG > 0)"), L({3, 4, 5}));

    // OR binds looser than AND, NOT tighter than both.
    EXPECT_EQ(Ids("ID = 1 OR ID = 2 AND ID_GROEP = 7"), L({1}));
    EXPECT_EQ(Ids("(ID = 1 OR ID = 2) AND ID_GROEP = 5"), L({1, 2}));
    EXPECT_EQ(Ids("NOT ID = 1 AND ID < 3"), L({2}));
    EXPECT_EQ(Ids("NOT (ID = 1 OR ID = 2) and not not ID < 4"), L({3}));
    EXPECT_EQ(Ids("ID = 1 or ID = 3 OR ID = 5 Or ID = 6"), L({1, 3, 5, 6}));
    EXPECT_EQ(Ids("((ID) = (1))"), L({1}));
}

TEST_P(FilterExprTest, LikeInAndFunctions)
{
    EXPECT_EQ(Ids("NAAM LIKE 'J%n'"), L({1, 3}));
    EXPECT_EQ(Ids("NAAM LIKE '_an'"), L({1, 2}));
    EXPECT_EQ(Ids("NAAM LIKE '%'"), L({1, 2, 3, 5, 6}));
    EXPECT_EQ(Ids("NAAM LIKE '%s%n'"), L({3}));
    EXPECT_EQ(Ids("NAAM LIKE 'j%'", {foCaseInsensitive}), L({1, 2, 3}));
    EXPECT_EQ(Ids("NAAM NOT LIKE 'J%'"), L({2, 5, 6}));
    EXPECT_EQ(Ids(QString::fromUtf8("NAAM LIKE '_eljko _nal'")), L({6}));
    EXPECT_EQ(Ids("OPMERKING LIKE '%lange%'"), L({3}));

    EXPECT_EQ(Ids("ID_GROEP IN (7, '12')"), L({4, 6}));
    EXPECT_EQ(Ids("ID_GROEP NOT IN (5)"), L({3, 4, 6}));
    EXPECT_EQ(Ids("NAAM IN ('jan', 'JANSSEN')", {foCaseInsensitive}), L({1, 2, 3}));

    EXPECT_EQ(Ids("UPPER(NAAM) = 'JAN'"), L({1, 2}));
    EXPECT_EQ(Ids("lower(NAAM) = 'janssen'"), L({3}));
    EXPECT_EQ(Ids("UPPER(NAAM) = UPPER('jan*')"), L({1, 2, 3}));
    EXPECT_EQ(Ids("TRIM(OPMERKING) = TRIMRIGHT('  z  ')"), L());
    EXPECT_EQ(Ids("TRIM(OPMERKING) = TRIMLEFT('  z  ')"), L());
    EXPECT_EQ(Ids("TRIM(OPMERKING) = TRIM('  z  ')"), L({5}));
}

TEST_P(FilterExprTest, FieldNames)
{
    EXPECT_EQ(Ids("[id_groep] = 12"), L({6}));
    EXPECT_EQ(Ids("\"Id_Groep\" = 12"), L({6}));
    EXPECT_EQ(Ids("[MET SPATIE] = 'Jan'"), L({1}));
    EXPECT_EQ(Ids("[AND] = 1"), L({1}));  // a keyword as a field name needs brackets
    const TFilterExpr Expr("NAAM = 'x' OR ID > 3 AND naam <> 'y' OR ID_GROEP IS NULL", Resolve);
    EXPECT_EQ(Expr.FieldIndexes(), std::vector<int>({fNAAM, fID, fGROEP}));
}

TEST(FilterExprErrors, ClassicTexts)
{
    const struct { const char* Filter; const char* Message; } Cases[] = {
        {"NAAM = 'Jan", "Unterminated string constant in filter expression 'NAAM = 'Jan'"},
        {"[NAAM = 'x'", "Unterminated field name in filter expression '[NAAM = 'x''"},
        {"NAAM = 'x' ID = 1", "Filter expression incorrectly terminated in filter expression 'NAAM = 'x' ID = 1'"},
        {"ID = 1)", "Filter expression incorrectly terminated in filter expression 'ID = 1)'"},
        {"NAAM =", "Expression expected but nothing found in filter expression 'NAAM ='"},
        {"AND ID = 1", "Expression expected but 'AND' found in filter expression 'AND ID = 1'"},
        {"ID = )", "Expression expected but ')' found in filter expression 'ID = )'"},
        {"(ID = 1", "')' expected but nothing found in filter expression '(ID = 1'"},
        {"UPPER(NAAM 'x'", "')' expected but 'x' found in filter expression 'UPPER(NAAM 'x''"},
        {"ID # 1", "Invalid filter expression character: '#' in filter expression 'ID # 1'"},
        {"ID != 1", "Invalid filter expression character: '!' in filter expression 'ID != 1'"},
        {"ID + 1 = 2", "Arithmetic in filter expressions not supported in filter expression 'ID + 1 = 2'"},
        {"ID = -ID", "Arithmetic in filter expressions not supported in filter expression 'ID = -ID'"},
        {"ID_GROEP = 'abc'", "'abc' is not a valid integer value in filter expression 'ID_GROEP = 'abc''"},
        {"BEDRAG = '1,5'", "'1,5' is not a valid floating point value in filter expression 'BEDRAG = '1,5''"},
        {"GEBOORTE_DATUM = '31-02-1980'", "'31-02-1980' is not a valid date in filter expression 'GEBOORTE_DATUM = '31-02-1980''"},
        {"GEWIJZIGD = 'gisteren'", "'gisteren' is not a valid date and time in filter expression 'GEWIJZIGD = 'gisteren''"},
        {"ACTIEF = 'ja'", "'ja' is not a valid boolean value in filter expression 'ACTIEF = 'ja''"},
        {"NAAM = 5", "Type mismatch in expression in filter expression 'NAAM = 5'"},
        {"GEBOORTE_DATUM = 5", "Type mismatch in expression in filter expression 'GEBOORTE_DATUM = 5'"},
        {"(ID = 1) = TRUE", "Type mismatch in expression in filter expression '(ID = 1) = TRUE'"},
        {"ID LIKE '1%'", "Type mismatch in expression in filter expression 'ID LIKE '1%''"},
        {"UPPER(ID) = 'x'", "Type mismatch in expression in filter expression 'UPPER(ID) = 'x''"},
        {"'x'", "Type mismatch in expression in filter expression ''x''"},
        {"NAAM", "Field 'NAAM' is not of type Boolean in filter expression 'NAAM'"},
        {"ID = 1 AND NAAM", "Field 'NAAM' is not of type Boolean in filter expression 'ID = 1 AND NAAM'"},
        {"ID < NULL", "NULL only allowed with '=' and '<>' in filter expression 'ID < NULL'"},
        {"ID IS 5", "'NULL' expected but '5' found in filter expression 'ID IS 5'"},
        {"ID IN ()", "IN predicate list may not be empty in filter expression 'ID IN ()'"},
        {"ID IN (1 2)", "')' or ',' expected but '2' found in filter expression 'ID IN (1 2)'"},
        {"FOO(ID) = 1", "Unknown function 'FOO' in filter expression 'FOO(ID) = 1'"},
        {"FOTO IS NULL", "Field 'FOTO' cannot be used in a filter expression in filter expression 'FOTO IS NULL'"},
        // Unknown fields keep the data set's own classic text.
        {"ONBEKEND = 1", "Field 'ONBEKEND' not found"},
        {"[Onbekend veld] = 1", "Field 'Onbekend veld' not found"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(ErrorOf(QString::fromUtf8(C.Filter)), QString::fromUtf8(C.Message)) << C.Filter;
}

TEST(FilterExprErrors, NestingIsBoundedNotFatal)
{
    const QString Deep = QString(5000, u'(') + "ID = 1" + QString(5000, u')');
    EXPECT_EQ(ErrorOf(Deep).left(35), QStringLiteral("Filter expression nested too deeply"));
    EXPECT_TRUE(ErrorOf(QStringLiteral("NOT ").repeated(5000) + "ID = 1").startsWith("Filter expression nested too deeply"));
    EXPECT_TRUE(ErrorOf(QStringLiteral("UPPER(").repeated(5000)).startsWith("Filter expression nested too deeply"));
    const QString Fine = QString(100, u'(') + "ID = 1" + QString(100, u')');
    EXPECT_EQ(ErrorOf(Fine), QStringLiteral("<no error>"));
    // Long flat chains are no nesting at all.
    EXPECT_EQ(ErrorOf(QStringLiteral("ID = 1 OR ").repeated(20000) + "ID = 2"), QStringLiteral("<no error>"));
}

TEST(FilterExprErrors, MessagesQuoteOnlyTheStartOfLongInput)
{
    const QString Long = QString(100000, u'x');
    const struct {
        QString Filter;
        QString Message;
    } Cases[] = {
        {QString(2000000, u'(') + "ID = 1" + QString(2000000, u')'),
         "Filter expression too long in filter expression '" + QString(40, u'(') + "…'"},
        {QStringLiteral("ID = 1 AND ").repeated(1000000) + "ID = 2",
         "Filter expression too long in filter expression 'ID = 1 AND ID = 1 AND ID = 1 AND ID = 1 …'"},
        {QString(20000, u'(') + "ID = 1" + QString(20000, u')'),
         "Filter expression nested too deeply in filter expression '" + QString(40, u'(') + "…'"},
        {"ID = '" + Long + "'",
         "'" + QString(40, u'x') + "…' is not a valid integer value in filter expression 'ID = '" + QString(34, u'x')
             + "…'"},
        {"[" + Long + "] = 1", "Field '" + QString(40, u'x') + "…' not found"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(ErrorOf(C.Filter), C.Message);
}

TEST(FilterExprErrors, ResolverErrorsPassThrough)
{
    auto Strict = [](const String& Name) -> TFilterField { throw EDatabaseError("no field " + Name); };
    EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { TFilterExpr Expr("x = 1", Strict); }), QStringLiteral("no field x"));
}

TEST(FilterExprBasics, BlankTextAcceptsEverything)
{
    for (const char* Text : {"", "   ", "\t\r\n"}) {
        const TFilterExpr Expr(Text, Resolve);
        EXPECT_TRUE(Expr.IsEmpty());
        EXPECT_TRUE(Expr.Evaluate([](int) { return TFilterValue::Null(); }));
    }
}

TEST(FilterExprBasics, PlainFunctionAccessorAndOwnedValues)
{
    struct TRecord { std::int64_t Groep; QString Naam; } Rec{12, "Piet"};
    const TFilterExpr Expr("ID_GROEP = '12' AND NAAM = 'Pi*'", Resolve);
    auto Get = [](void* Context, int Field) -> TFilterValue {
        const auto* R = static_cast<TRecord*>(Context);
        return Field == fGROEP ? TFilterValue::FromInteger(R->Groep) : TFilterValue::FromStringView(R->Naam);
    };
    EXPECT_TRUE(Expr.Evaluate(TFilterRecordAccessor(Get, &Rec)));
    Rec.Groep = 13;
    EXPECT_FALSE(Expr.Evaluate(TFilterRecordAccessor(Get, &Rec)));

    // Values survive being copied and moved, and the source dying.
    TFilterValue Copy;
    {
        TFilterValue Owned = TFilterValue::FromString(QStringLiteral("abc").repeated(3));
        Copy = Owned;
        TFilterValue Moved = std::move(Owned);
        EXPECT_EQ(Moved.StringView(), QStringLiteral("abcabcabc"));
    }
    EXPECT_EQ(Copy.StringView(), QStringLiteral("abcabcabc"));
    EXPECT_EQ(TFilterValue::FromVariant(Variant(7)).AsInteger(), 7);
    EXPECT_TRUE(TFilterValue::FromVariant(Variant::MakeNull()).IsNull());
}

TEST(FilterExprBasics, LongAndMalformedUtf8)
{
    const TFilterExpr Like("NAAM LIKE '%z'", Resolve);
    const TFilterExpr Equal("NAAM = 'ab'", Resolve, {foCaseInsensitive});
    QByteArray Bytes;
    auto Accessor = [&Bytes](int) { return TFilterValue::FromUtf8(Bytes); };
    Bytes = QByteArray(1000, 'a') + "\xc3\xa9z";
    EXPECT_TRUE(Like.Evaluate(Accessor));
    Bytes = "a\xff\xc3" "z";  // broken sequences read as replacement characters
    EXPECT_TRUE(Like.Evaluate(Accessor));
    EXPECT_FALSE(Equal.Evaluate(Accessor));
    Bytes = "AB";
    EXPECT_TRUE(Equal.Evaluate(Accessor));
}

// Random texts from the language's pieces and from raw characters: every one
// parses or raises EDatabaseError, and what parses evaluates.
TEST(FilterExprFuzz, GarbageNeverCrashes)
{
    static const char* const Pieces[] = {
        "ID", "NAAM", "ID_GROEP", "GEBOORTE_DATUM", "ACTIEF", "BEDRAG", "[NAAM]", "\"ID\"", "FOO", "'5'", "'Jan*'",
        "'01-02-2000'", "'", "''", "5", "-3", "1.5", ".", "=", "<>", "<", ">=", "(", ")", ",", "AND", "OR",
        "NOT", "IS", "NULL", "LIKE", "IN", "TRUE", "UPPER", "YEAR", "+", "*", "[", "\"", "%", "#", " ", " ",
    };
    std::mt19937 Random(20231206);
    int Parsed = 0;
    for (int Round = 0; Round < 20000; ++Round) {
        QString Text;
        const int Count = int(Random() % 12);
        for (int I = 0; I < Count; ++I) {
            if (Random() % 8 == 0)
                Text += QChar(char16_t(Random() % 0x3000 + 1));
            else
                Text += QString::fromLatin1(Pieces[Random() % std::size(Pieces)]);
            if (Random() % 2)
                Text += u' ';
        }
        try {
            const TFilterExpr Expr(Text, Resolve);
            ++Parsed;
            Expr.Evaluate([&](int Field) {
                switch (Random() % 4) {
                case 0: return TFilterValue::Null();
                case 1: return TFilterValue::FromInteger(Field);
                case 2: return TFilterValue::FromUtf8("\xe2\x82");
                default: return TFilterValue::FromFloat(std::nan(""));
                }
            });
        } catch (const EDatabaseError&) {
        }
    }
    EXPECT_GT(Parsed, 100);
}
