#pragma once
// A step over a table that may fail (a sort, a search, a filter, a loop
// over every record) keeps what the user saw: while a TTableState lives
// the table's controls are switched off and the cursor shows that the
// program is busy; when it goes without Commit (an exception, or a step
// that gave up) the table is back on its index and its record, out of any
// key-search state.  Controls and cursor come back in every case.
#include "platform/db/DataSet.h"
#include "platform/windows/ControlTypes.h"

class TClientDataSet;

class TTableState {
public:
    explicit TTableState(TClientDataSet* Table, TCursor Cursor = crHourGlass);
    ~TTableState();
    TTableState(const TTableState&) = delete;
    TTableState& operator=(const TTableState&) = delete;

    // The step succeeded: keep the table's index and record as they are now.
    void Commit() { FCommitted = true; }
    // The index and bookmark taken at the start.
    String IndexName() const { return FIndexName; }
    TBookmark Bookmark() const { return FBookmark; }

private:
    void Restore() noexcept;

    TClientDataSet* FTable;
    String FIndexName;
    TBookmark FBookmark = NoBookmark;
    TCursor FOldCursor;
    bool FCommitted = false;
};
