#pragma once
// A shown form with a small address table and a data source for the
// data-aware controls, and a focusable control to leave them for.
#include "controls/lists/FcEdit.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Fields.h"
#include "tests/controls/lists/ListsFixture.h"

#include <QInputMethodEvent>
#include <QWidget>

struct DBControls : ListsForm {
    TClientDataSet* Table = nullptr;
    TDataSource* Source = nullptr;
    TFcEdit* Other = nullptr;
    // What the application's exception handler was given.
    QStringList Reported;

    void SetUp() override
    {
        ListsForm::SetUp();
        Table = new TClientDataSet(Form);
        Table->FieldDefs()->Add("ID", ftInteger, 0, true);
        Table->FieldDefs()->Add("NAAM", ftString, 25);
        Table->FieldDefs()->Add("AANHEF", ftString, 12);
        Table->FieldDefs()->Add("POSTCODE", ftString, 6);
        Table->FieldDefs()->Add("BEDRAG", ftInteger);
        Table->FieldDefs()->Add("NOTITIE", ftMemo);
        Table->CreateDataSet();
        const struct {
            int Id;
            const char *Naam, *Aanhef, *Postcode;
            int Bedrag;
            const char* Notitie;
        } Rows[] = {{1, "Jansen", "2", "1234AB", 10, "eerste regel"},
                    {2, "de Vries", "", "5678CD", 20, ""},
                    {3, "Bakker", "x", "", 30, "derde"}};
        for (const auto& R : Rows) {
            Table->Append();
            Table->FieldByName("ID")->SetAsInteger(R.Id);
            Table->FieldByName("NAAM")->SetAsString(QString::fromLatin1(R.Naam));
            Table->FieldByName("AANHEF")->SetAsString(QString::fromLatin1(R.Aanhef));
            Table->FieldByName("POSTCODE")->SetAsString(QString::fromLatin1(R.Postcode));
            Table->FieldByName("BEDRAG")->SetAsInteger(R.Bedrag);
            Table->FieldByName("NOTITIE")->SetAsString(QString::fromLatin1(R.Notitie));
            Table->Post();
        }
        Table->First();
        Source = new TDataSource(Form);
        Source->SetDataSet(Table);
        Other = Make<TFcEdit>(Bounds(300, 10, 80, 21));
        Application->SetOnException([this](TObject*, Exception& E) { Reported << E.Message(); });
    }
    void TearDown() override
    {
        Application->SetOnException({});
        ListsForm::TearDown();
    }
    TField* Field(const char* Name) const { return Table->FieldByName(QString::fromLatin1(Name)); }
    // Records are added in ID order.
    void GoTo(int Id) { Table->SetRecNo(Id); }
    // Text composed by an input method, committed into Editor.
    static void CommitInput(QWidget* Editor, const QString& Text)
    {
        QInputMethodEvent Commit;
        Commit.setCommitString(Text);
        QCoreApplication::sendEvent(Editor, &Commit);
        PumpMessages();
    }
};
