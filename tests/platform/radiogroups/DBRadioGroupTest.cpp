// The data-aware radio group on a client data set: the item of the field's
// value is shown (none when no item has it), a choice edits the record and
// writes the item's value, and a choice the record cannot take is refused.
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Fields.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/RadioButton.h"
#include "tests/platform/buttons/FormFixture.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct DBRadioGroups : TFormFixture {
    TClientDataSet* Table = nullptr;
    TDataSource* Source = nullptr;
    TDBRadioGroup* Gender = nullptr;
    TButton* Before = nullptr;
    QStringList Events;

    void SetUp() override
    {
        Form->SetBounds(0, 0, 400, 300);
        Table = new TClientDataSet(Form);
        Table->FieldDefs()->Add("ID", ftInteger, 0, true);
        Table->FieldDefs()->Add("GENDER", ftString, 1);
        Table->FieldDefs()->Add("SOORT", ftString, 10);
        Table->CreateDataSet();
        const struct {
            int Id;
            const char* Gender;
            const char* Soort;
        } Rows[] = {{1, "V", "Werk"}, {2, "M", "Prive"}, {3, "X", ""}, {4, "", "W"}};
        for (const auto& R : Rows) {
            Table->Append();
            Table->FieldByName("ID")->SetAsInteger(R.Id);
            Table->FieldByName("GENDER")->SetAsString(QString::fromLatin1(R.Gender));
            Table->FieldByName("SOORT")->SetAsString(QString::fromLatin1(R.Soort));
            Table->Post();
        }
        Table->First();
        Source = new TDataSource(Form);
        Source->SetDataSet(Table);

        Before = Add<TButton>("Before", Bounds(220, 10, 75, 25));
        Gender = Add<TDBRadioGroup>("Gender", Bounds(10, 10, 185, 50));
        Gender->SetColumns(2);
        Gender->Items()->AddStrings(QStringList{"Vrou&w", "&Man"});
        Gender->Values()->AddStrings(QStringList{"V", "M"});
        Gender->SetDataField("GENDER");
        Gender->SetDataSource(Source);
        Gender->SetOnClick([this](TObject*) { Events << "click"; });
        Gender->SetOnChange([this](TObject*) { Events << "change " + Gender->Value(); });
        Form->Show();
    }

    TField* GenderField() const { return Table->FieldByName("GENDER"); }
    // Records are added in ID order.
    void GoTo(int Id) { Table->SetRecNo(Id); }
};

TEST_F(DBRadioGroups, ShowsTheItemWhoseValueTheFieldHoldsAndNoneForOtherValues)
{
    const struct {
        int Id;
        int ItemIndex;
        const char* Value;
    } Cases[] = {{1, 0, "V"}, {2, 1, "M"}, {3, -1, "X"}, {4, -1, ""}, {1, 0, "V"}};
    for (const auto& C : Cases) {
        GoTo(C.Id);
        EXPECT_EQ(Gender->ItemIndex(), C.ItemIndex) << "record " << C.Id;
        EXPECT_EQ(Gender->Value(), QString::fromLatin1(C.Value)) << "record " << C.Id;
        EXPECT_EQ(Gender->Buttons(1)->Checked(), C.ItemIndex == 1);
    }
    // Showing a record is no choice and no edit.
    EXPECT_EQ(Events, QStringList({"change M", "change X", "change ", "change V"}));
    EXPECT_EQ(Table->State(), dsBrowse);
}

TEST_F(DBRadioGroups, AnItemWithoutItsOwnValueStandsForItsCaption)
{
    auto* Soort = Add<TDBRadioGroup>("Soort", Bounds(10, 100, 185, 80));
    Soort->Items()->AddStrings(QStringList{"Werk", "Prive", "Overig"});
    // Fewer values than items, and an empty one: the captions stand in.
    Soort->Values()->AddStrings(QStringList{"W", ""});
    Soort->SetDataField("SOORT");
    Soort->SetDataSource(Source);
    const struct {
        int Id;
        int ItemIndex;
    } Cases[] = {{1, -1}, {2, 1}, {3, -1}, {4, 0}};
    for (const auto& C : Cases) {
        GoTo(C.Id);
        EXPECT_EQ(Soort->ItemIndex(), C.ItemIndex) << "record " << C.Id;
    }
    // Values changed later count at once.
    Soort->Values()->SetStrings(0, QStringLiteral("Werk"));
    GoTo(1);
    EXPECT_EQ(Soort->ItemIndex(), 0);
}

TEST_F(DBRadioGroups, ChoosingAnItemEditsTheRecordAndWritesItsValue)
{
    GoTo(1);
    Events.clear();
    MouseClick(Gender->Buttons(1), {5, 5});
    EXPECT_EQ(Table->State(), dsEdit);
    EXPECT_EQ(GenderField()->AsString(), QStringLiteral("M"));
    EXPECT_EQ(Gender->ItemIndex(), 1);
    EXPECT_EQ(Events, QStringList({"click", "change M"}));
    Table->Post();
    GoTo(2);
    GoTo(1);
    EXPECT_EQ(GenderField()->AsString(), QStringLiteral("M"));
    EXPECT_EQ(Gender->ItemIndex(), 1);
}

TEST_F(DBRadioGroups, TabbingThroughARecordWithoutMatchingItemWritesNothing)
{
    GoTo(3);
    Before->SetFocus();
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(Gender->Buttons(0)->Focused());
    PressKey(Form, Qt::Key_Tab);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(GenderField()->AsString(), QStringLiteral("X"));
    EXPECT_EQ(Gender->ItemIndex(), -1);
}

struct TRefusal {
    const char* Name;
    std::function<void(DBRadioGroups&)> Arrange;
};

class DBRadioGroupRefusals : public DBRadioGroups, public ::testing::WithParamInterface<TRefusal> {};

TEST_P(DBRadioGroupRefusals, AChoiceTheRecordCannotTakeIsRefusedAndTheShownItemStays)
{
    GetParam().Arrange(*this);
    GoTo(1);
    Events.clear();
    MouseClick(Gender->Buttons(1), {5, 5});
    Gender->Buttons(0)->SetFocus();
    PressKey(Form, Qt::Key_Down);
    PressKey(Form, Qt::Key_M, Qt::AltModifier, QStringLiteral("m"));
    EXPECT_EQ(Gender->ItemIndex(), 0);
    EXPECT_TRUE(Gender->Buttons(0)->Checked());
    EXPECT_FALSE(Gender->Buttons(1)->Checked());
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(GenderField()->AsString(), QStringLiteral("V"));
    EXPECT_TRUE(Events.isEmpty()) << Events.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, DBRadioGroupRefusals,
    ::testing::Values(TRefusal{"ReadOnlyGroup", [](DBRadioGroups& T) { T.Gender->SetReadOnly(true); }},
                      TRefusal{"ReadOnlyDataSet", [](DBRadioGroups& T) { T.Table->SetReadOnly(true); }},
                      TRefusal{"ReadOnlyField", [](DBRadioGroups& T) { T.GenderField()->SetReadOnly(true); }},
                      TRefusal{"NoAutoEdit", [](DBRadioGroups& T) { T.Source->SetAutoEdit(false); }}),
    [](const ::testing::TestParamInfo<TRefusal>& Info) { return std::string(Info.param.Name); });

TEST_F(DBRadioGroups, AValueTheFieldRefusesIsReportedAndTheFieldsItemShownAgain)
{
    QStringList Reported;
    Application->SetOnException([&](TObject*, Exception& E) { Reported << E.Message(); });
    GenderField()->SetOnSetText([](TField*, const String&) { throw EDatabaseError(QStringLiteral("Ongeldig")); });
    GoTo(1);
    MouseClick(Gender->Buttons(1), {5, 5});
    Application->SetOnException(nullptr);
    EXPECT_EQ(Reported, QStringList({"Ongeldig"}));
    EXPECT_EQ(GenderField()->AsString(), QStringLiteral("V"));
    EXPECT_EQ(Gender->ItemIndex(), 0);
    EXPECT_EQ(Gender->Value(), QStringLiteral("V"));
}

TEST_F(DBRadioGroups, ADataSourceThatGoesLeavesTheGroupUnboundShowingNothing)
{
    GoTo(2);
    Source->Free();
    EXPECT_EQ(Gender->DataSource(), nullptr);
    EXPECT_EQ(Gender->ItemIndex(), -1);
    MouseClick(Gender->Buttons(0), {5, 5});
    EXPECT_EQ(Gender->ItemIndex(), -1);
}

} // namespace
