#pragma once
// Synthetic contact files for the table benchmarks: persons, addresses and
// groups that look like a Dutch address book (names with infixes, streets,
// postcodes, phone numbers, dates, e-mail addresses, remarks of varied
// length).  The same seed always gives the same rows, so runs compare.
//
// The rows are plain values; the writers put them into a contact file of our
// own table engine (three table files) and into one SQLite database file with
// the same three tables, so both sides work on identical data.
#include <QString>
#include <cstdint>
#include <vector>

class TClientDataSet;
class TField;

struct sqlite3;
struct sqlite3_stmt;

// A calendar date without time; Year 0 means "no date" (a null field).
struct TBenchDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;

    bool IsNull() const { return Year == 0; }
    // Days since 1899-12-30, as the runtime's TDateTime counts them.
    double ToDateTime() const;
    // "yyyy-mm-dd": sorts as the date does, the form SQLite's date functions read.
    QString ToIso() const;
};

struct TBenchPerson {
    int IdQuorvy = 0;
    int IdAdres = -1;
    int IdGroep = -1;
    TBenchDate DatumActief;
    TBenchDate DatumInactief;
    QString Aanhef;
    QString VoorVoegsel;
    QString VoorLetters;
    QString RoepNaam;
    QString TussenVoegsel;
    QString AchterNaam;
    QString AchterVoegsel;
    QString Gender;
    TBenchDate GeboorteDatum;
    QString Nationaliteit;
    QString Mobiel;
    QString TelefoonNummerWerk;
    QString EmailAdres1;
    QString EmailAdres2;
    QString SkypeId;
    QString MsnId;
    QString Website;
    QString Opmerkingen;
};

struct TBenchAdres {
    int IdAdres = 0;
    QString StraatNaam;
    QString HuisNummer;
    QString Toevoeging;
    QString Postcode;
    QString ZipCode;
    QString WoonPlaats;
    QString Land;
    QString TelefoonNummer1;
    QString TelefoonNummer2;
    QString Opmerkingen;
};

struct TBenchGroep {
    int IdGroep = 0;
    QString GroepNaam;
    QString GroepText;
};

struct TContactData {
    std::vector<TBenchPerson> Persons;
    std::vector<TBenchAdres> Addresses;
    std::vector<TBenchGroep> Groups;
};

// Field kinds and sizes of the three tables, in field order.  Both writers and
// the benchmark's own table definitions read them from here, so the engine and
// SQLite always get the same layout.
enum class TBenchFieldKind { Integer, String, Date, DateTime, Memo };

struct TBenchFieldDef {
    const char* Name;
    TBenchFieldKind Kind;
    int Size;
};

struct TBenchTableDef {
    const char* Name;        // table (and SQLite table) name
    const char* Extension;   // appended to the contact-file path ("" for persons)
    const char* KeyField;
    std::vector<TBenchFieldDef> Fields;
    std::vector<const char*> IndexOrder;   // fields that get an _ASC/_DESC pair
};

const TBenchTableDef& PersonTableDef();
const TBenchTableDef& AdresTableDef();
const TBenchTableDef& GroepTableDef();

// The person fields the full-text search reads, in the order it reads them.
const std::vector<const char*>& SearchableFields();

// Deterministic pseudo-random numbers (splitmix64): the standard library's
// distributions differ between implementations, these do not.
class TBenchRandom {
public:
    explicit TBenchRandom(std::uint64_t Seed) : FState(Seed) {}
    std::uint64_t Next();
    // 0 <= result < Count.
    int Below(int Count);
    int Between(int Low, int High);   // inclusive
    bool Chance(int Percent);

private:
    std::uint64_t FState;
};

class TContactGenerator {
public:
    explicit TContactGenerator(std::uint64_t Seed = 20231123) : FRandom(Seed) {}

    // N persons, N/2 addresses and N/50 groups (at least one each); keys run
    // from 1, links point at an existing address or group or are -1.
    TContactData Generate(int PersonCount);

    TBenchPerson NewPerson(int IdQuorvy, int AdresCount, int GroepCount);
    TBenchAdres NewAdres(int IdAdres);
    TBenchGroep NewGroep(int IdGroep);

private:
    QString Remark(int MaxSentences);
    QString PhoneNumber(bool Mobile);
    TBenchDate DateBetween(int FirstYear, int LastYear);

    TBenchRandom FRandom;
};

// SQLite: one database file with the tables QUORVY, ADRES and GROEP, dates as
// "yyyy-mm-dd" text, NULL for an empty date; the key is the rowid.  Only the
// keys are indexed in the file: other indexes are built when asked for, as the
// engine builds its own.
void CreateSqliteTables(sqlite3* Db);
void WriteSqliteFile(const TContactData& Data, const QString& Path);

// One prepared INSERT for a table, reused for every row.
class TSqliteInserter {
public:
    TSqliteInserter(sqlite3* Db, const TBenchTableDef& Def);
    ~TSqliteInserter();
    TSqliteInserter(const TSqliteInserter&) = delete;
    TSqliteInserter& operator=(const TSqliteInserter&) = delete;

    void Insert(const TBenchPerson& Person);
    void Insert(const TBenchAdres& Adres);
    void Insert(const TBenchGroep& Groep);

private:
    template <typename Row>
    void InsertRow(const Row& Values);
    void Step();
    sqlite3_stmt* FStatement = nullptr;
};

// Executes SQL that returns no rows; a failure throws std::runtime_error.
void SqliteExec(sqlite3* Db, const char* Sql);

// Our engine: field and index definitions of one of the three tables, as the
// address book's data module defines them.
void DefineTable(TClientDataSet* Table, const TBenchTableDef& Def);
// The open table's fields in the order of Def (FieldByName once per field).
std::vector<TField*> TableFields(TClientDataSet* Table, const TBenchTableDef& Def);
// Append, a value for every field, Post.
void AppendPerson(TClientDataSet* Table, const std::vector<TField*>& Fields, const TBenchPerson& Person);
// Writes Path (persons), Path + ".adres" and Path + ".groep".
void WriteContactFile(const TContactData& Data, const QString& Path);
