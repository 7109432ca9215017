#pragma once
// A small person table for the data set tests.
#include "platform/db/ClientDataSet.h"
#include "platform/db/Fields.h"
#include "platform/rtl/SysUtils.h"

#include <memory>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& S, std::ostream* Os)
{
    *Os << '"' << S.toStdString() << '"';
}

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
