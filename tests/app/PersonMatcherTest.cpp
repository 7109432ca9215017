// The full-text search's test of a person reads stored bytes where it can;
// it must answer exactly as the lower-cased display texts would.
#include "app/qv_match.h"

#include "app/qv_data.h"
#include "platform/db/Fields.h"
#include "platform/rtl/DateUtils.h"
#include "tests/app/AppRoots.h"
#include "tests/support/PersonTables.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::vector<const char*> Searched = {"DATUM_ACTIEF", "AANHEF",      "ROEP_NAAM",      "ACHTER_NAAM",
                                           "GEBOORTE_DATUM", "MOBIEL",    "EMAIL_ADRES_1", "OPMERKINGEN"};

String LowerAZ(String Text)
{
    for (QChar& C : Text)
        if (C >= QLatin1Char('A') && C <= QLatin1Char('Z'))
            C = QChar(C.unicode() + 32);
    return Text;
}

// What the search has always asked: the lower-cased display texts.
bool DisplayTextsHold(TDataSet* T, const String& Wanted)
{
    for (const char* Name : Searched)
        if (LowerAZ(T->FieldByName(QString::fromLatin1(Name))->DisplayText()).contains(Wanted))
            return true;
    return false;
}

class PersonMatcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Data->OpenFiles(Dir.File("a.quorvy"), true));
        struct TRow {
            QString Last, Call, Mobile, Mail, Remarks;
            TDateTime Born;
        };
        const std::vector<TRow> Rows = {
            {"Ölçek", "ÉMILE", "06-1234", "E.Mile@Example.ORG", "Straße\r\nzweite regel", EncodeDate(1970, 5, 6)},
            {"de Vries", "anna", "", "", "", EncodeDate(1988, 2, 29) + EncodeTime(13, 45, 0, 0)},
            {"Zwart", "", "0687", "x@y.nl", "TENNIS  ", -1},
            {"café", "Noël", "", "", "日本語のメモ", EncodeDate(2001, 12, 31)},
        };
        int Id = 0;
        for (const TRow& R : Rows) {
            T->Append();
            T->FieldByName("ID_QUORVY")->SetAsInteger(++Id);
            T->FieldByName("ACHTER_NAAM")->SetAsString(R.Last);
            T->FieldByName("ROEP_NAAM")->SetAsString(R.Call);
            T->FieldByName("MOBIEL")->SetAsString(R.Mobile);
            T->FieldByName("EMAIL_ADRES_1")->SetAsString(R.Mail);
            T->FieldByName("OPMERKINGEN")->SetAsString(R.Remarks);
            if (R.Born >= 0)
                T->FieldByName("GEBOORTE_DATUM")->SetAsDateTime(R.Born);
            T->Post();
        }
    }
    void TearDown() override { Data->AbandonFiles(); }

    // For every person and every text: the matcher agrees with the display
    // texts.
    void ExpectAgreement(const char* Situation)
    {
        const QStringList Wanted = {"06",  "1970",   "29/02/1988", "13:45", "émile", "ÉMILE", "e.mile@example.org",
                                    "ö",   "Ö",      "straße",     "\r\nz", "tennis  ", "tennis   ", "日本",
                                    "noë", "café",   "/",          "x",     "17/05"};
        int Found = 0;
        for (T->First(); !T->Eof(); T->Next())
            for (const QString& Text : Wanted) {
                const String Lowered = LowerAZ(Text);
                const bool Expected = DisplayTextsHold(T, Lowered);
                Found += Expected;
                EXPECT_EQ(TPersonMatcher(T, Searched, Lowered).Matches(), Expected)
                    << Situation << ": " << T->FieldByName("ACHTER_NAAM")->AsString().toStdString() << " / "
                    << Text.toStdString();
            }
        EXPECT_GT(Found, 10) << Situation;
    }

    TTestDir Dir;
    TOwnAppRoots OwnRoots;
    TDutchDates Dates;
    TDataModuleMain* Data = CreateComponent<TDataModuleMain>(nullptr);
    TClientDataSet* T = Data->cdsQuorvy;
};

} // namespace

TEST_F(PersonMatcherTest, AgreesWithTheDisplayTextsOfTheProgramsDates)
{
    ExpectAgreement("dd/mm/yyyy");
}

TEST_F(PersonMatcherTest, AgreesWhenTheDisplayTextsAreOtherwise)
{
    {
        // Another short date format.
        FormatSettings.DateSeparator = QLatin1Char('-');
        FormatSettings.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
        ExpectAgreement("yyyy-mm-dd");
        FormatSettings.DateSeparator = QLatin1Char('/');
        FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    }
    // A display format, an edit mask and a text handler of a field's own.
    dynamic_cast<TDateTimeField*>(T->FieldByName("GEBOORTE_DATUM"))->SetDisplayFormat("d mmmm yyyy");
    T->FieldByName("MOBIEL")->SetEditMask("00-0000;0; ");
    T->FieldByName("ACHTER_NAAM")->SetOnGetText([](TField* Sender, String& Text, bool) {
        Text = QStringLiteral("Familie ") + Sender->AsString().toUpper();
    });
    ExpectAgreement("own display texts");
    T->FieldByName("ACHTER_NAAM")->SetOnGetText(nullptr);
}
