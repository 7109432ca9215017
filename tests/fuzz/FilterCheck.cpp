#include "tests/fuzz/FuzzChecks.h"

#include "platform/db/FilterExpr.h"
#include "platform/rtl/DateUtils.h"
#include "tests/fuzz/CheckGuard.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

enum : int { fID, fNAAM, fGEBOORTE, fGROEP, fBEDRAG, fACTIEF, fOPMERKING, fGEWIJZIGD, fFOTO };

TFilterField Resolve(const String& Name)
{
    static const struct {
        const char* Name;
        TFilterField Field;
    } Fields[] = {{"ID", {fID, ftInteger}},
                  {"NAAM", {fNAAM, ftString}},
                  {"GEBOORTE_DATUM", {fGEBOORTE, ftDate}},
                  {"ID_GROEP", {fGROEP, ftLargeint}},
                  {"BEDRAG", {fBEDRAG, ftFloat}},
                  {"ACTIEF", {fACTIEF, ftBoolean}},
                  {"OPMERKING", {fOPMERKING, ftMemo}},
                  {"GEWIJZIGD", {fGEWIJZIGD, ftDateTime}},
                  {"FOTO", {fFOTO, ftBlob}},
                  {"MET SPATIE", {fNAAM, ftString}}};
    for (const auto& F : Fields)
        if (Name.compare(QLatin1String(F.Name), Qt::CaseInsensitive) == 0)
            return F.Field;
    return {};
}

// One record; an empty optional is null.
struct TRow {
    std::optional<std::int64_t> Id;
    std::optional<QString> Naam;
    std::optional<double> Geboorte;
    std::optional<std::int64_t> Groep;
    std::optional<double> Bedrag;
    std::optional<bool> Actief;
    std::optional<QString> Opmerking;
    std::optional<double> Gewijzigd;
};

// Records at the edges of every type: nulls, empty and wildcard text,
// letters outside ASCII and their cases, extreme and not-a-number values.
const std::vector<TRow>& Rows()
{
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double Inf = std::numeric_limits<double>::infinity();
    constexpr auto Low = std::numeric_limits<std::int64_t>::min();
    constexpr auto High = std::numeric_limits<std::int64_t>::max();
    static const std::vector<TRow> List = {
        {1, "Jan", EncodeDate(1980, 3, 15), 5, 10.5, true, "eerste", EncodeDate(2023, 1, 2) + 0.5},
        {2, "jan", EncodeDate(1975, 12, 1), 5, 12.25, false, std::nullopt, EncodeDate(2023, 1, 2)},
        {3, "JANSSEN", std::nullopt, -1, std::nullopt, std::nullopt, "Zeer lange opmerking", std::nullopt},
        {4, std::nullopt, EncodeDate(2000, 2, 29), 7, 0.0, true, "", std::nullopt},
        {5, "D'Hondt", EncodeDate(1980, 3, 16), std::nullopt, -0.0, false, "z", NaN},
        {6, QString::fromUtf8("Željko Ünal"), -693593.0, High, Inf, true, QString::fromUtf8("ÆØÅ ß ǅ"), 2958465.99999},
        {7, "a*b%c_d", NaN, Low, -Inf, std::nullopt, "  spaties  ", -1.5},
        {std::nullopt, "", 0.0, 0, NaN, false, QStringLiteral("regel\r\nregel"), 0.0},
        {High, QString(QChar(0)) + QStringLiteral("x"), 1e300, 1, 1e-300, true, QString::fromUtf8("\xF0\x9F\x98\x80"),
         36526.0},
    };
    return List;
}

enum TTextForm { tfOwned, tfView, tfUtf8 };

// Runs Expr over every row, handing text over in Form; fails when it reads a
// field it does not list.
QString Answers(const TFilterExpr& Expr, TTextForm Form, QList<bool>& Result)
{
    QString Problem;
    for (const TRow& R : Rows()) {
        // Borrowed text stays valid until Evaluate returns.
        const QByteArray Utf8[2] = {R.Naam ? R.Naam->toUtf8() : QByteArray(),
                                    R.Opmerking ? R.Opmerking->toUtf8() : QByteArray()};
        auto Text = [&](const std::optional<QString>& S, int Slot) {
            if (!S)
                return TFilterValue::Null();
            if (Form == tfOwned)
                return TFilterValue::FromString(*S);
            if (Form == tfView)
                return TFilterValue::FromStringView(*S);
            return TFilterValue::FromUtf8(Utf8[Slot]);
        };
        auto Opt = [](const auto& V, auto Make) { return V ? Make(*V) : TFilterValue::Null(); };
        Result.append(Expr.Evaluate([&](int Field) -> TFilterValue {
            const auto& Listed = Expr.FieldIndexes();
            if (std::find(Listed.begin(), Listed.end(), Field) == Listed.end())
                Problem = QStringLiteral("it reads field %1, which it does not list").arg(Field);
            switch (Field) {
            case fID:
                return Opt(R.Id, TFilterValue::FromInteger);
            case fNAAM:
                return Text(R.Naam, 0);
            case fGEBOORTE:
                return Opt(R.Geboorte, TFilterValue::FromDateTime);
            case fGROEP:
                return Opt(R.Groep, TFilterValue::FromInteger);
            case fBEDRAG:
                return Opt(R.Bedrag, TFilterValue::FromFloat);
            case fACTIEF:
                return Opt(R.Actief, TFilterValue::FromBoolean);
            case fOPMERKING:
                return Text(R.Opmerking, 1);
            case fGEWIJZIGD:
                return Opt(R.Gewijzigd, TFilterValue::FromDateTime);
            default:
                return TFilterValue::Null();
            }
        }));
    }
    return Problem;
}

// The classic texts, quoting at most MaxQuotedInput characters of their
// input (QuotedInput): the problem and the start of the expression, or the
// start of the field's name.  However long the text, the message stays short.
bool NamesTheExpression(const QString& Message, const QString& Text)
{
    constexpr qsizetype Longest = 256;
    if (Message.size() > Longest)
        return false;
    if (Message.endsWith(QStringLiteral(" in filter expression '%1'").arg(QuotedInput(Text))))
        return true;
    const QLatin1String Head("Field '"), Tail("' not found");
    return Message.startsWith(Head) && Message.endsWith(Tail)
        && Message.size() - Head.size() - Tail.size() <= MaxQuotedInput + 1;
}

// Result is left empty when Text is refused (rightly); Error then says why.
// Blank tells a text that holds no expression (it accepts every record).
QString AnswersOf(const QString& Text, TFilterOptions Options, QList<bool>& Result, QString& Error, bool& Blank)
{
    std::optional<TFilterExpr> Expr;
    try {
        Expr.emplace(Text, Resolve, Options);
    } catch (const EDatabaseError& E) {
        Error = E.Message();
        if (!NamesTheExpression(E.Message(), Text))
            return QStringLiteral("error without the start of the expression, or too long: %1").arg(E.Message());
        return {};
    }
    Blank = Expr->IsEmpty();
    QList<bool> Forms[3];
    for (TTextForm Form : {tfOwned, tfView, tfUtf8})
        if (QString Problem = Answers(*Expr, Form, Forms[Form]); !Problem.isEmpty())
            return Problem;
    if (Forms[tfView] != Forms[tfOwned] || Forms[tfUtf8] != Forms[tfOwned])
        return QStringLiteral("text as UTF-8 or as a string answers differently");
    Result = Forms[tfOwned];
    return {};
}

QString CheckFilterUnguarded(const QByteArray& Data)
{
    const QString Text = QString::fromUtf8(Data);
    for (std::uint64_t Bits = 0; Bits < 4; ++Bits) {
        const TFilterOptions Options = TFilterOptions::FromBits(Bits);
        QList<bool> Plain;
        QString Error;
        bool Blank = false;
        if (QString Problem = AnswersOf(Text, Options, Plain, Error, Blank); !Problem.isEmpty())
            return QStringLiteral("options %1: %2").arg(Bits).arg(Problem);
        if (Plain.isEmpty() || Blank)
            continue;
        // A comparison with null is false, so NOT is the opposite everywhere.
        QList<bool> Negated;
        const QString Not = QStringLiteral("NOT (") + Text + QLatin1Char(')');
        if (QString Problem = AnswersOf(Not, Options, Negated, Error, Blank); !Problem.isEmpty() || Negated.isEmpty())
            return QStringLiteral("options %1: %2 does not parse: %3").arg(Bits).arg(Not, Problem + Error);
        for (int I = 0; I < Plain.size(); ++I)
            if (Negated[I] == Plain[I])
                return QStringLiteral("options %1: row %2 answers %3 to both '%4' and its NOT")
                    .arg(Bits)
                    .arg(I)
                    .arg(Plain[I])
                    .arg(Text);
    }
    return {};
}

} // namespace

QString CheckFilter(const QByteArray& Data)
{
    return Guarded([&] { return CheckFilterUnguarded(Data); });
}
