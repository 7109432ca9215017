// Data sources and data links: the order in which controls hear about
// changes, the field link's editing rules and the row window of grids.
#include "platform/db/DataLink.h"
#include "tests/support/PersonTables.h"

#include <gtest/gtest.h>

namespace {

// A control's link that logs every notification.
class TLogLink : public TDataLink {
public:
    explicit TLogLink(QStringList& Log) : FLog(Log) { SetVisualControl(true); }
    using TDataLink::SetEditing;

protected:
    void ActiveChanged() override { FLog << QString("link.Active=%1").arg(Active()); }
    void DataSetChanged() override { FLog << "link.DataSetChanged"; }
    void DataSetScrolled(int Distance) override { FLog << QString("link.Scrolled(%1)").arg(Distance); }
    void EditingChanged() override { FLog << QString("link.Editing=%1").arg(Editing()); }
    void RecordChanged(TField* Field) override
    {
        FLog << QString("link.RecordChanged(%1)").arg(Field ? Field->FieldName() : "nil");
    }
    void UpdateData() override { FLog << "link.UpdateData"; }
    void CheckBrowseMode() override { FLog << "link.CheckBrowseMode"; }

private:
    QStringList& FLog;
};

class DataLinks : public TPersonTableTest {
protected:
    void SetUp() override
    {
        TPersonTableTest::SetUp();
        T->SetIndexName("ID_ASC");
        T->CreateDataSet();
        for (int I = 1; I <= 6; ++I)
            AddPerson(T, I, QString("P%1").arg(I));
        T->First();
        DS = new TDataSource(Module.get());
        DS->SetOnStateChange([this](TObject*) { Log << QString("ds.StateChange(%1)").arg(DS->State()); });
        DS->SetOnDataChange([this](TObject*, TField* F) {
            Log << QString("ds.DataChange(%1)").arg(F ? F->FieldName() : "nil");
        });
        DS->SetOnUpdateData([this](TObject*) { Log << "ds.UpdateData"; });
    }
    TDataSource* DS = nullptr;
    QStringList Log;
};

}  // namespace

TEST_F(DataLinks, ClassicNotificationOrderForEditAndPost)
{
    TLogLink Link(Log);
    Link.SetDataSource(DS);
    DS->SetDataSet(T);
    EXPECT_EQ(Log, QStringList({"link.Active=1", "ds.StateChange(1)", "ds.DataChange(nil)"}));

    Log.clear();
    T->SetBeforeEdit([this](TDataSet*) { Log << "BeforeEdit"; });
    T->SetAfterEdit([this](TDataSet*) { Log << "AfterEdit"; });
    T->SetBeforePost([this](TDataSet*) { Log << "BeforePost"; });
    T->SetAfterPost([this](TDataSet*) { Log << "AfterPost"; });
    T->Edit();
    EXPECT_EQ(Log, QStringList({"link.CheckBrowseMode", "BeforeEdit", "link.Editing=1", "ds.StateChange(2)", "link.RecordChanged(nil)",
                                "ds.DataChange(nil)", "AfterEdit"}));

    Log.clear();
    T->FieldByName("NAAM")->SetAsString("x");
    EXPECT_EQ(Log, QStringList({"link.RecordChanged(NAAM)", "ds.DataChange(NAAM)"}));

    Log.clear();
    T->Post();
    EXPECT_EQ(Log, QStringList({"link.UpdateData", "ds.UpdateData", "link.CheckBrowseMode", "BeforePost",
                                "link.Editing=0", "ds.StateChange(1)", "link.DataSetChanged",
                                "ds.DataChange(nil)", "AfterPost"}));

    Log.clear();
    T->Next();
    // A one-row link scrolls by the one record.
    EXPECT_EQ(Log, QStringList({"link.CheckBrowseMode", "link.Scrolled(1)", "ds.DataChange(nil)"}));

    Log.clear();
    T->Close();
    EXPECT_EQ(Log, QStringList({"link.Active=0", "ds.StateChange(0)"}));
    Link.SetDataSource(nullptr);
}

TEST_F(DataLinks, DisabledSourceAndReadOnlyLinkDoNotEdit)
{
    TLogLink Link(Log);
    Link.SetDataSource(DS);
    DS->SetDataSet(T);
    Link.SetReadOnly(true);
    EXPECT_FALSE(Link.Edit());
    EXPECT_EQ(T->State(), dsBrowse);
    Link.SetReadOnly(false);
    DS->SetAutoEdit(false);
    EXPECT_FALSE(Link.Edit());
    DS->SetAutoEdit(true);
    EXPECT_TRUE(Link.Edit());
    EXPECT_EQ(T->State(), dsEdit);
    T->Cancel();
    DS->SetEnabled(false);
    EXPECT_FALSE(Link.Active());
    DS->SetEnabled(true);
    EXPECT_TRUE(Link.Active());
    Link.SetDataSource(nullptr);
}

TEST_F(DataLinks, FieldDataLinkFollowsItsFieldAndWritesBackOnlyWhenModified)
{
    TFieldDataLink Link;
    QString Shown;
    QStringList Events;
    Link.SetOnDataChange([&](TObject*) { Shown = Link.Field() ? Link.Field()->DisplayText() : "<none>"; });
    Link.SetOnEditingChange([&](TObject*) { Events << QString("editing=%1").arg(Link.Editing()); });
    Link.SetOnUpdateData([&](TObject*) { Link.Field()->SetAsString("getypt"); });
    Link.SetDataSource(DS);
    Link.SetFieldName("NAAM");
    EXPECT_EQ(Link.Field(), nullptr);
    DS->SetDataSet(T);
    EXPECT_EQ(Link.Field(), T->FieldByName("NAAM"));
    EXPECT_EQ(Shown, "P1");
    T->Next();
    EXPECT_EQ(Shown, "P2");
    // A change of another field does not disturb this control.
    T->Edit();
    Shown.clear();
    T->FieldByName("GROEP")->SetAsInteger(9);
    EXPECT_EQ(Shown, "");
    // Not modified: the post writes nothing from the control.
    T->Post();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "P2");
    ASSERT_TRUE(Link.Edit());
    Link.Modified();
    T->Post();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "getypt");
    EXPECT_EQ(Events, QStringList({"editing=1", "editing=0", "editing=1", "editing=0"}));
    // A read-only field never lets the link edit.
    T->FieldByName("NAAM")->SetReadOnly(true);
    EXPECT_FALSE(Link.CanModify());
    EXPECT_FALSE(Link.Edit());
    Link.SetDataSource(nullptr);
    EXPECT_EQ(Link.Field(), nullptr);
}

TEST_F(DataLinks, RowWindowOfAGrid)
{
    TLogLink Grid(Log);
    Grid.SetBufferCount(3);
    Grid.SetDataSource(DS);
    DS->SetDataSet(T);
    EXPECT_EQ(Grid.RecordCount(), 3);
    EXPECT_EQ(Grid.ActiveRecord(), 0);

    auto Rows = [&] {
        QStringList Out;
        const int Saved = Grid.ActiveRecord();
        for (int R = 0; R < Grid.RecordCount(); ++R) {
            Grid.SetActiveRecord(R);
            Out << T->FieldByName("NAAM")->AsString();
        }
        Grid.SetActiveRecord(Saved);
        return Out;
    };
    EXPECT_EQ(Rows(), QStringList({"P1", "P2", "P3"}));
    T->Next();
    T->Next();
    EXPECT_EQ(Grid.ActiveRecord(), 2);
    EXPECT_EQ(Rows(), QStringList({"P1", "P2", "P3"}));
    Log.clear();
    T->Next();  // the window scrolls one row
    EXPECT_EQ(Log.filter("Scrolled"), QStringList({"link.Scrolled(1)"}));
    EXPECT_EQ(Grid.ActiveRecord(), 2);
    EXPECT_EQ(Rows(), QStringList({"P2", "P3", "P4"}));
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "P4");  // rows read, current kept

    // An inserted record shows at the current row, the rest moves down.
    T->Insert();
    T->FieldByName("NAAM")->SetAsString("nieuw");
    EXPECT_EQ(Rows(), QStringList({"P2", "P3", "nieuw"}));
    T->Cancel();
    T->Last();
    EXPECT_EQ(Rows(), QStringList({"P4", "P5", "P6"}));
    T->First();
    EXPECT_EQ(Rows(), QStringList({"P1", "P2", "P3"}));
    Grid.SetDataSource(nullptr);
    EXPECT_EQ(T->BufferCount(), 1);
}

TEST_F(DataLinks, LinksSurviveTheirDataSourceAndDataSet)
{
    TFieldDataLink Link;
    Link.SetDataSource(DS);
    Link.SetFieldName("NAAM");
    DS->SetDataSet(T);
    ASSERT_TRUE(Link.Active());
    T->Free();
    EXPECT_FALSE(Link.Active());
    EXPECT_EQ(DS->DataSet(), nullptr);
    DS->Free();
    EXPECT_EQ(Link.DataSource(), nullptr);
}

TEST(DataLinkFields, ALinkLetsGoOfAFieldThatIsDestroyed)
{
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    auto* Naam = new TStringField(&Module);
    Naam->SetFieldName("NAAM");
    Naam->SetDataSet(T);
    T->FieldDefs()->Add("NAAM", ftString, 20);
    T->CreateDataSet();
    auto* DS = new TDataSource(&Module);
    DS->SetDataSet(T);
    TFieldDataLink Link;
    int Changes = 0;
    Link.SetOnDataChange([&](TObject*) { ++Changes; });
    Link.SetDataSource(DS);
    Link.SetFieldName("NAAM");
    ASSERT_EQ(Link.Field(), Naam);
    Naam->Free();
    EXPECT_EQ(Link.Field(), nullptr);
    EXPECT_EQ(T->FieldCount(), 0);
    EXPECT_GE(Changes, 2);
    Link.SetDataSource(nullptr);
}

TEST_F(DataLinks, ASourceSwitchedBetweenOpenDataSetsMovesItsLinksToTheNewFields)
{
    auto* Other = new TClientDataSet(Module.get());
    DefinePersons(Other);
    Other->CreateDataSet();
    AddPerson(Other, 1, "Q1");
    TFieldDataLink Link;
    Link.SetDataSource(DS);
    Link.SetFieldName("NAAM");
    DS->SetDataSet(T);
    ASSERT_EQ(Link.Field(), T->FieldByName("NAAM"));
    DS->SetDataSet(Other);
    EXPECT_EQ(Link.Field(), Other->FieldByName("NAAM"));
    // The old data set can go without the link holding one of its fields.
    T->Free();
    EXPECT_EQ(Link.Field()->AsString(), "Q1");
    Link.SetDataSource(nullptr);
}
