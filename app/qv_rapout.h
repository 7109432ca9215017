#pragma once
// The full report's rows: the 33 columns a user can choose from (person,
// address and group fields and three merged columns) and the three writers
// that put one row per person of the person table, in its current order
// and filter, into a report file: an HTML page, a fixed-width text file or
// a comma-separated text file.
//
// Every value is made safe for where it goes: HTML text is escaped (the
// page holds no links, so no field's text can become one), and a
// comma-separated value has its double quotes doubled inside the quotes
// that every value gets, so that separators, quotes and line breaks in a
// value are read back by any spreadsheet as that one value.
#include "app/qv_keyrec.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/System.h"

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <vector>

class TClientDataSet;
class TField;
class TReportFile;

// Where a column's value comes from.
enum TReportSource {
    rsPerson, // a field of the person
    rsAddress, // a field of the person's address
    rsPostcode, // the address's postcode as "1234 AB"
    rsGroup, // a field of the person's group
    rsHeading, // the check list's heading: never a column
    rsMergedName, // the person's display name
    rsMergedAddress, // the address on one line
    rsMergedPhone, // the first phone number there is
};

struct TReportColumn {
    const char* Caption; // the check list's item
    TReportSource Source;
    const char* Field; // the field of a single-field column
    const char* Header; // the HTML page's column header
    int Width; // the fixed-width text's column width
    String CaptionText() const { return QString::fromUtf8(Caption); }
};

inline constexpr int ReportColumnCount = 33;
// "SAMENGEVOEGDE VELDEN": a heading that is never checked.
inline constexpr int ReportHeadingItem = 29;
extern const std::array<TReportColumn, ReportColumnCount> ReportColumns;

enum TReportFormat { rfHtml, rfFixedWidth, rfCommaSeparated };

// Writes the rows of the person table.  The caller has the address and
// group tables on their key indexes ("ID_ADRES_ASC", "ID_GROEP_ASC") and
// puts everything back afterwards; the writer moves all three tables.
class TFullReportWriter {
public:
    // Items: the checked items (0-28, 30-32), in item order.
    TFullReportWriter(TClientDataSet* Persons, TClientDataSet* Addresses, TClientDataSet* Groups,
                      std::vector<int> Items);

    // A page titled "Quorvy® 2023 - " + Title (just "Quorvy® 2023" for a
    // blank title), its table Width percent wide; persons inactive before
    // today are left out.
    void WriteHtml(const String& Title, int Width, TReportFile& Out);
    // Every person, inactive ones included; no title and no header line.
    void WriteFixedWidth(TReportFile& Out);
    void WriteCommaSeparated(TReportFile& Out);

private:
    // Looks up the current person's address and group.
    void FindRelations();
    // A chosen column's text for the current person, in UTF-8: a view of
    // the stored value or of one of the writer's buffers, valid until the
    // next column is read.  Values go from the table into the file without
    // a String in between: a report of every person writes millions.
    QByteArrayView Cell(std::size_t Column);
    QByteArrayView PostcodeText(QByteArrayView Stored);
    QByteArrayView MergedPhone();
    // The postcode column shows no postcode (blanks in a text report).
    bool BlankPostcode(std::size_t Column);
    bool Inactive(TDateTime Today) const;
    void WriteHtmlCell(QByteArrayView Text, TReportFile& Out);

    TClientDataSet* FPersons;
    TClientDataSet* FAddresses;
    TClientDataSet* FGroups;
    std::vector<int> FItems;
    // The field of each chosen item (null for the merged columns).
    std::vector<TField*> FFields;
    TField* FAddressLink;
    TField* FGroupLink;
    TField* FInactive;
    std::array<TField*, 4> FNameParts; // salutation, call name, infix, last name
    std::array<TField*, 4> FAddressParts; // street, number, addition, place
    std::array<TField*, 4> FPhones; // address 1 and 2, mobile, work
    bool FHasAddress = false;
    bool FHasGroup = false;
    // Built when a chosen column needs them.
    TKeyRecNos FAddressKeys;
    TKeyRecNos FGroupKeys;
    // Converted values (one per part of a merged column) and composed cells.
    std::array<QByteArray, 4> FScratch;
    QByteArray FCell;
    QByteArray FEscaped;
};
