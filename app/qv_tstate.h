#pragma once
// A step over a table that may fail (a sort, a search, a filter, a loop
// over every record) keeps what the user saw: while a TTableState lives
// the table's controls are switched off and the cursor shows that the
// program is busy.  Commit ends the step as it went: controls and cursor
// come back and show the table as the step left it.  Without Commit (an
// exception, or a step that gave up) the table goes back to its index and
// its record, out of any edit or key-search state, before controls and
// cursor come back.
#include "platform/db/DataSet.h"
#include "platform/windows/ControlTypes.h"

class TClientDataSet;

class TTableState {
public:
    explicit TTableState(TClientDataSet* Table, TCursor Cursor = crHourGlass);
    ~TTableState();
    TTableState(const TTableState&) = delete;
    TTableState& operator=(const TTableState&) = delete;

    // The step succeeded: keep the table's index and record as they are
    // now, and show them.  What the table's controls raise while they are
    // switched on again passes on.
    void Commit();
    // The index and bookmark taken at the start.
    String IndexName() const { return FIndexName; }
    TBookmark Bookmark() const { return FBookmark; }

private:
    void Restore() noexcept;
    void Finish();

    TClientDataSet* FTable;
    String FIndexName;
    TBookmark FBookmark = NoBookmark;
    TCursor FOldCursor;
    bool FCommitted = false;
};
