#pragma once
// The full-text search's test of one person: does the search text occur in
// the display text of one of the searched fields, the letters A to Z of
// both compared without regard to case?
//
// A search over a large contact file tests every person, so the test reads
// the stored text of the current record where it can instead of building
// each field's display text: text fields compare their stored UTF-8 bytes
// (folding A to Z only, which never touches the bytes of other characters),
// whole dates in the program's "dd/mm/yyyy" are written into a small
// buffer.  A field whose display text is anything else (an OnGetText
// handler, an edit mask, a display format, another date format, a time of
// day) is asked for its display text.
#include "platform/rtl/System.h"

#include <QByteArray>
#include <vector>

class TDataSet;
class TField;

class TPersonMatcher {
public:
    // Looks for Wanted (lower-cased A to Z already) in the fields named, of
    // the data set's current record.
    TPersonMatcher(TDataSet* Table, const std::vector<const char*>& FieldNames, const String& Wanted);

    bool Matches() const;

private:
    enum TProbeKind { pkText, pkDate, pkDisplay };
    struct TProbe {
        TField* Field;
        int Column;
        TProbeKind Kind;
    };
    bool Contains(const char* Text, qsizetype Length) const;
    bool DateContains(const TProbe& Probe, const std::uint8_t* Record) const;
    bool DisplayContains(const TProbe& Probe) const;

    TDataSet* FTable;
    std::vector<TProbe> FProbes;
    QByteArray FWanted;
    bool FProgramDates;
    // The text could be part of a date as the program shows dates.
    bool FDateCanMatch;
};
