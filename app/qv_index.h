#pragma once
// A table's index for the length of one step: the constructor remembers
// the table's index name and sets another, the destructor sets the old one
// again, also when the step ends by an exception.  The current record
// stays the one the step left current.
#include "platform/rtl/System.h"

class TClientDataSet;

class TIndexScope {
public:
    TIndexScope(TClientDataSet* Table, const String& IndexName);
    ~TIndexScope();
    TIndexScope(const TIndexScope&) = delete;
    TIndexScope& operator=(const TIndexScope&) = delete;

    // The index name the table had before.
    String OldIndexName() const { return FOldIndexName; }

private:
    TClientDataSet* FTable;
    String FOldIndexName;
};
