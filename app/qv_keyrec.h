#pragma once
// The record number of every key of a table, found once, for a writer
// that looks up a related record (a person's address, group) for each of
// thousands of rows.  Keys are counted numbers in practice: those from
// zero up to a few times the record count go into a flat table, one step
// and one small array per look-up; any other set of keys into a hash map.
#include <unordered_map>
#include <vector>

class TClientDataSet;

class TKeyRecNos {
public:
    // Reads every record of Table in its current order: the record number
    // is the position in that order.  Negative keys are left out (they
    // mean "none" in a link).
    void Build(TClientDataSet* Table, const char* KeyField);
    bool Empty() const { return FCount == 0; }
    // The record number of Key; 0 when no record has it.
    int Find(int Key) const;

private:
    // By key; 0 for a key no record has.
    std::vector<int> FDense;
    std::unordered_map<int, int> FSparse;
    int FCount = 0;
};
