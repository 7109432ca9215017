#include "bench/SqliteContact.h"

#include <cstring>
#include <stdexcept>

TSqliteStatement::TSqliteStatement(sqlite3* Db, const std::string& Sql)
{
    if (sqlite3_prepare_v2(Db, Sql.c_str(), -1, &FStatement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(Db) + " in: " + Sql);
}

bool TSqliteStatement::Step()
{
    const int Rc = sqlite3_step(FStatement);
    if (Rc == SQLITE_ROW)
        return true;
    if (Rc != SQLITE_DONE)
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(sqlite3_db_handle(FStatement)));
    return false;
}

void SqliteBackup(sqlite3* To, sqlite3* From)
{
    sqlite3_backup* Backup = sqlite3_backup_init(To, "main", From, "main");
    if (!Backup)
        throw std::runtime_error(std::string("SQLite backup: ") + sqlite3_errmsg(To));
    const int Rc = sqlite3_backup_step(Backup, -1);
    sqlite3_backup_finish(Backup);
    if (Rc != SQLITE_DONE)
        throw std::runtime_error(std::string("SQLite backup: ") + sqlite3_errstr(Rc));
}

sqlite3* SqliteOpenFile(const QString& Path, int Flags)
{
    sqlite3* Db = nullptr;
    if (sqlite3_open_v2(Path.toUtf8().constData(), &Db, Flags, nullptr) != SQLITE_OK) {
        std::string Message = std::string("SQLite: cannot open ") + Path.toStdString();
        sqlite3_close(Db);
        throw std::runtime_error(Message);
    }
    return Db;
}

namespace {

TBenchFieldKind KindOf(const char* Name)
{
    for (const TBenchFieldDef& F : PersonTableDef().Fields)
        if (std::strcmp(F.Name, Name) == 0)
            return F.Kind;
    return TBenchFieldKind::Integer;
}

} // namespace

bool IsTextField(const char* Name)
{
    return KindOf(Name) == TBenchFieldKind::String;
}

bool IsDateField(const char* Name)
{
    const TBenchFieldKind Kind = KindOf(Name);
    return Kind == TBenchFieldKind::Date || Kind == TBenchFieldKind::DateTime;
}

std::string SqliteIndexName(const char* Field)
{
    return std::string("IX_") + Field;
}

std::string SqliteOrder(const char* Field)
{
    return std::string(Field) + (IsTextField(Field) ? " COLLATE NOCASE" : "");
}

std::string SqliteDisplayColumn(const char* Field)
{
    return IsDateField(Field) ? std::string("strftime('%d/%m/%Y', ") + Field + ")" : std::string(Field);
}

void TSqliteContact::Load(const QString& Path)
{
    Close();
    FDb = SqliteOpenFile(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3* File = SqliteOpenFile(Path, SQLITE_OPEN_READONLY);
    try {
        SqliteBackup(FDb, File);
    } catch (...) {
        sqlite3_close(File);
        throw;
    }
    sqlite3_close(File);
}

void TSqliteContact::Open(const QString& Path)
{
    Load(Path);
    const TBenchTableDef* Defs[3] = {&PersonTableDef(), &AdresTableDef(), &GroepTableDef()};
    for (int I = 0; I < 3; ++I) {
        TSqliteStatement Max(FDb, std::string("SELECT MAX(") + Defs[I]->KeyField + ") FROM " + Defs[I]->Name);
        Max.Step();
        FLastKey[I] = sqlite3_column_int(Max.Get(), 0);
    }
    CreateIndex("ACHTER_NAAM");
    SqliteExec(FDb, "CREATE INDEX IX_GROEP_NAAM ON GROEP (GROEP_NAAM COLLATE NOCASE)");
    FirstId("ACHTER_NAAM");
}

void TSqliteContact::CreateIndex(const char* Field)
{
    const std::string Sql = "CREATE INDEX " + SqliteIndexName(Field) + " ON QUORVY (" + SqliteOrder(Field) + ")";
    SqliteExec(FDb, Sql.c_str());
}

void TSqliteContact::DropIndex(const char* Field)
{
    SqliteExec(FDb, ("DROP INDEX " + SqliteIndexName(Field)).c_str());
}

int TSqliteContact::FirstId(const char* Field)
{
    TSqliteStatement First(FDb, std::string("SELECT ID_QUORVY FROM QUORVY INDEXED BY ") + SqliteIndexName(Field)
                                    + " ORDER BY " + SqliteOrder(Field) + " LIMIT 1");
    return First.Step() ? sqlite3_column_int(First.Get(), 0) : -1;
}

void TSqliteContact::WriteBack(const QString& Path)
{
    sqlite3* File = SqliteOpenFile(Path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        SqliteBackup(File, FDb);
    } catch (...) {
        sqlite3_close(File);
        throw;
    }
    sqlite3_close(File);
}

void TSqliteContact::Close()
{
    if (FDb)
        sqlite3_close(FDb);
    FDb = nullptr;
}
