#include "app/qv_match.h"

#include "platform/db/DataSet.h"
#include "platform/db/Fields.h"
#include "platform/db/RecordLayout.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Each byte with A to Z lower-cased, every other byte as it is.
const std::array<unsigned char, 256> FoldAZ = [] {
    std::array<unsigned char, 256> Table{};
    for (int C = 0; C < 256; ++C)
        Table[std::size_t(C)] = (C >= 'A' && C <= 'Z') ? (unsigned char)(C + ('a' - 'A')) : (unsigned char)C;
    return Table;
}();

// A date is shown with digits, '/' and, with a time of day, ':' and a blank:
// a text with anything else in it is never part of one.
bool CouldBeInADate(const QByteArray& Wanted)
{
    return std::all_of(Wanted.begin(), Wanted.end(),
                       [](char C) { return (C >= '0' && C <= '9') || C == '/' || C == ':' || C == ' '; });
}

// Writes "dd/mm/yyyy" into Out; false for a date outside the years 1..9999.
bool WriteProgramDate(double Value, char (&Out)[10])
{
    std::uint16_t Year = 0, Month = 0, Day = 0;
    DecodeDate(Value, Year, Month, Day);
    if (Year < 1 || Year > 9999)
        return false;
    auto Two = [&Out](int At, int V) {
        Out[At] = char('0' + V / 10);
        Out[At + 1] = char('0' + V % 10);
    };
    Two(0, Day);
    Out[2] = '/';
    Two(3, Month);
    Out[5] = '/';
    Two(6, Year / 100);
    Two(8, Year % 100);
    return true;
}

} // namespace

TPersonMatcher::TPersonMatcher(TDataSet* Table, const std::vector<const char*>& FieldNames, const String& Wanted)
    : FTable(Table), FWanted(Wanted.toUtf8()),
      FProgramDates(FormatSettings.ShortDateFormat == QStringLiteral("dd/mm/yyyy")
                    && FormatSettings.DateSeparator == QLatin1Char('/')
                    && FormatSettings.LongTimeFormat == QStringLiteral("hh:mm:ss")
                    && FormatSettings.TimeSeparator == QLatin1Char(':')),
      FDateCanMatch(CouldBeInADate(FWanted))
{
    for (const char* Name : FieldNames) {
        TField* Field = Table->FieldByName(QString::fromLatin1(Name));
        TProbeKind Kind = pkDisplay;
        if (!Field->OnGetText()) {
            if (auto* Dates = dynamic_cast<TDateTimeField*>(Field);
                Dates != nullptr && Field->DataType() != ftTime && Dates->DisplayFormat().isEmpty())
                Kind = pkDate;
            else if (dynamic_cast<TMemoField*>(Field) != nullptr
                     || (dynamic_cast<TStringField*>(Field) != nullptr && Field->EditMask().isEmpty()))
                Kind = pkText;
        }
        FProbes.push_back({Field, Field->FieldNo() - 1, Kind});
    }
}

bool TPersonMatcher::Contains(const char* Text, qsizetype Length) const
{
    const qsizetype Size = FWanted.size();
    const auto* Stored = reinterpret_cast<const unsigned char*>(Text);
    const auto* Sought = reinterpret_cast<const unsigned char*>(FWanted.constData());
    for (qsizetype At = 0, Last = Length - Size; At <= Last; ++At) {
        if (FoldAZ[Stored[At]] != Sought[0])
            continue;
        qsizetype I = 1;
        while (I < Size && FoldAZ[Stored[At + I]] == Sought[I])
            ++I;
        if (I == Size)
            return true;
    }
    return false;
}

bool TPersonMatcher::DateContains(const TProbe& Probe, const std::uint8_t* Record) const
{
    if (FProgramDates && !FDateCanMatch)
        return false;
    const TRecordLayout& Layout = *FTable->Layout();
    if (Layout.IsNull(Record, Probe.Column))
        return false;
    const double Value = Layout.Double(Record, Probe.Column);
    char Text[10];
    if (FProgramDates && Value == std::trunc(Value) && WriteProgramDate(Value, Text))
        return Contains(Text, sizeof Text);
    return DisplayContains(Probe);
}

bool TPersonMatcher::DisplayContains(const TProbe& Probe) const
{
    const QByteArray Text = Probe.Field->DisplayText().toUtf8();
    return Contains(Text.constData(), Text.size());
}

bool TPersonMatcher::Matches() const
{
    const std::uint8_t* Record = FTable->ActiveBuffer();
    if (Record == nullptr || FWanted.isEmpty())
        return Record != nullptr;
    const TRecordLayout& Layout = *FTable->Layout();
    for (const TProbe& Probe : FProbes) {
        bool Found = false;
        switch (Probe.Kind) {
        case pkText: {
            if (Layout.IsNull(Record, Probe.Column))
                break;
            const QByteArrayView Text = Layout.Utf8(Record, Probe.Column);
            Found = Contains(Text.data(), Text.size());
            break;
        }
        case pkDate:
            Found = DateContains(Probe, Record);
            break;
        case pkDisplay:
            Found = DisplayContains(Probe);
            break;
        }
        if (Found)
            return true;
    }
    return false;
}
