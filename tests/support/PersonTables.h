#pragma once
// Small person tables for the tests of the table engine, the data sets and
// whatever shows their records: the engine's field list and records, a
// client data set with its field and index definitions, and Dutch dates.
#include "platform/db/ClientDataSet.h"
#include "platform/db/Fields.h"
#include "platform/db/TableData.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// --- the table engine on its own ---

// Columns of PersonFields().
enum TPersonTableColumn { fId, fName, fBorn, fNote };

inline std::vector<TTableField> PersonFields()
{
    return {{"ID", ftInteger, 0, true},
            {"NAME", ftString, 20, false},
            {"BORN", ftDate, 0, false},
            {"NOTE", ftMemo, 0, false}};
}

// A record of a table defined with PersonFields(); a negative Born leaves
// the date empty (NaN is stored, for tests of forged files).
inline TRecordBuffer Person(const TTableData& T, int Id, const QString& Name, double Born = -1,
                            const QString& Note = {})
{
    const TRecordLayout& L = T.Layout();
    TRecordBuffer R = L.EmptyRecord();
    L.SetInt32(R, fId, Id);
    L.SetText(R, fName, Name);
    if (Born >= 0 || std::isnan(Born))
        L.SetDouble(R, fBorn, Born);
    L.SetText(R, fNote, Note);
    return R;
}

// --- client data sets ---

// Dutch date conventions for the length of a test.
class TDutchDates {
public:
    TDutchDates() : FSaved(FormatSettings)
    {
        FormatSettings.DateSeparator = QLatin1Char('/');
        FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        FormatSettings.LongTimeFormat = QStringLiteral("hh:nn:ss");
    }
    ~TDutchDates() { FormatSettings = FSaved; }

private:
    TFormatSettings FSaved;
};

inline void DefinePersons(TClientDataSet* T)
{
    T->FieldDefs()->Add("ID", ftInteger, 0, true);
    T->FieldDefs()->Add("NAAM", ftString, 10);
    T->FieldDefs()->Add("GROEP", ftInteger);
    T->FieldDefs()->Add("GEBOREN", ftDateTime);
    T->FieldDefs()->Add("ACTIEF", ftDate);
    T->FieldDefs()->Add("NOTITIE", ftMemo);
    T->IndexDefs()->Add("ID_ASC", "ID", {ixPrimary, ixUnique});
    T->IndexDefs()->Add("ID_DESC", "ID", {ixUnique, ixDescending});
    T->IndexDefs()->Add("NAAM_ASC", "NAAM", {ixCaseInsensitive});
    T->IndexDefs()->Add("NAAM_DESC", "NAAM", {ixCaseInsensitive, ixDescending});
    T->IndexDefs()->Add("GROEP_NAAM", "GROEP;NAAM", {ixCaseInsensitive});
}

inline void AddPerson(TClientDataSet* T, int Id, const QString& Naam, int Groep = -1)
{
    T->Append();
    T->FieldByName("ID")->SetAsInteger(Id);
    T->FieldByName("NAAM")->SetAsString(Naam);
    T->FieldByName("GROEP")->SetAsInteger(Groep);
    T->Post();
}

inline QStringList NamesInOrderOf(TClientDataSet* T, const QString& Field)
{
    QStringList Out;
    const TBookmark B = T->GetBookmark();
    T->First();
    while (!T->Eof()) {
        Out << T->FieldByName(Field)->AsString();
        T->Next();
    }
    if (B != NoBookmark)
        T->GotoBookmark(B);
    return Out;
}

inline QStringList NamesInOrder(TClientDataSet* T)
{
    return NamesInOrderOf(T, "NAAM");
}

// A person table (DefinePersons, not yet created) owned by a plain
// component, freed with it.
class TPersonTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Module = std::make_unique<TComponent>(nullptr);
        T = new TClientDataSet(Module.get());
        DefinePersons(T);
    }
    std::unique_ptr<TComponent> Module;
    TClientDataSet* T = nullptr;
};
