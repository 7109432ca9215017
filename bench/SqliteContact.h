#pragma once
// SQLite as the peer of our table engine in the benchmarks: a contact file
// held the way our engine holds one (the database file read whole into an
// in-memory database, written back whole), prepared statements, and the SQL
// for the person table's orders and display texts.
#include "bench/ContactGenerator.h"

#include <sqlite3.h>

#include <QString>
#include <string>

class TSqliteStatement {
public:
    TSqliteStatement(sqlite3* Db, const std::string& Sql);
    ~TSqliteStatement() { sqlite3_finalize(FStatement); }
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    sqlite3_stmt* Get() const { return FStatement; }
    // True for a row; false when done; a failure throws std::runtime_error.
    bool Step();
    void Reset() { sqlite3_reset(FStatement); }

private:
    sqlite3_stmt* FStatement = nullptr;
};

void SqliteBackup(sqlite3* To, sqlite3* From);
sqlite3* SqliteOpenFile(const QString& Path, int Flags);

// Whether a person field is text (its order ignores case, as our indexes do).
bool IsTextField(const char* Name);
bool IsDateField(const char* Name);
std::string SqliteIndexName(const char* Field);
// The field in ORDER BY or CREATE INDEX: text without regard to case.
std::string SqliteOrder(const char* Field);
// The field as the grid displays it: dates as dd/mm/yyyy.
std::string SqliteDisplayColumn(const char* Field);

class TSqliteContact {
public:
    ~TSqliteContact() { Close(); }

    // The file's database copied into an in-memory one.
    void Load(const QString& Path);
    // What the data module does on opening: the highest key of each table,
    // the display order of persons and groups, the first person.
    void Open(const QString& Path);
    void CreateIndex(const char* Field);
    void DropIndex(const char* Field);
    // The first person in the order of a field: what a grid shows after the
    // switch.
    int FirstId(const char* Field);
    void WriteBack(const QString& Path);
    void Close();

    sqlite3* Db() const { return FDb; }
    int LastKey(int Table) const { return FLastKey[Table]; }

private:
    sqlite3* FDb = nullptr;
    int FLastKey[3] = {-1, -1, -1};
};
