// TDataModuleMain: the contact file's three tables as the form definition
// describes them, opening, creating and writing back, keys, the recent-files
// list, the map template, the residents and participants lists, and the
// failures that must never leave a contact file half open or half written.
#include "app/qv_data.h"
#include "platform/forms/Screen.h"

#include "app/qv_set.h"
#include "app/qv_toolb.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/Fields.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FileUtils.h"
#include "tests/app/AppRoots.h"
#include "tests/support/AtomicSaves.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& Name)
{
    QFile F(Name);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

void WriteAll(const QString& Name, const QByteArray& Bytes)
{
    QFile F(Name);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
}

QDateTime Modified(const QString& Name)
{
    return QFileInfo(Name).lastModified();
}

void Backdate(const QString& Name)
{
    QFile F(Name);
    ASSERT_TRUE(F.open(QIODevice::ReadWrite));
    ASSERT_TRUE(F.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), QFileDevice::FileModificationTime));
}

class DataModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetClockHook([] { return EncodeDate(2024, 5, 17) + EncodeTime(14, 30, 0, 0); });
        DM.reset(CreateComponent<TDataModuleMain>(nullptr));
        Path = Dir.File("Familie.quorvy");
    }
    void TearDown() override
    {
        DM.reset();
        SetClockHook(nullptr);
    }

    void AddPerson(int Id, const QString& LastName, int Adres = -1, int Groep = -1,
                   const QString& CallName = QString(), const QString& Infix = QString())
    {
        TClientDataSet* P = DM->cdsQuorvy;
        P->Append();
        P->FieldByName("ID_QUORVY")->SetAsInteger(Id);
        P->FieldByName("ACHTER_NAAM")->SetAsString(LastName);
        P->FieldByName("ROEP_NAAM")->SetAsString(CallName);
        P->FieldByName("TUSSEN_VOEGSEL")->SetAsString(Infix);
        P->FieldByName("ID_ADRES")->SetAsInteger(Adres);
        P->FieldByName("ID_GROEP")->SetAsInteger(Groep);
        P->Post();
    }
    void AddAddress(int Id, const QString& Street, const QString& Number, const QString& Place)
    {
        TClientDataSet* A = DM->cdsAdres;
        A->Append();
        A->FieldByName("ID_ADRES")->SetAsInteger(Id);
        A->FieldByName("STRAAT_NAAM")->SetAsString(Street);
        A->FieldByName("HUIS_NUMMER")->SetAsString(Number);
        A->FieldByName("WOON_PLAATS")->SetAsString(Place);
        A->Post();
    }
    void AddGroup(int Id, const QString& Name)
    {
        TClientDataSet* G = DM->cdsGroep;
        G->Append();
        G->FieldByName("ID_GROEP")->SetAsInteger(Id);
        G->FieldByName("GROEP_NAAM")->SetAsString(Name);
        G->Post();
    }
    // A closed contact file with a few records in each table.
    void MakeContactFile()
    {
        ASSERT_TRUE(DM->OpenFiles(Path, true));
        AddPerson(3, "jansen", 5);
        AddPerson(57, "Bakker", 5, 2, "anna", "de");
        AddPerson(12, "de Vries", -1, 2);
        AddAddress(5, "Dorpsstraat", "12", "Ede");
        AddGroup(2, "Familie");
        DM->CloseFiles();
    }

    void ExpectAllClosed()
    {
        for (TClientDataSet* T : {DM->cdsQuorvy, DM->cdsAdres, DM->cdsGroep}) {
            EXPECT_FALSE(T->Active()) << T->Name().toStdString();
            EXPECT_TRUE(T->FileName().isEmpty()) << T->Name().toStdString();
        }
        EXPECT_FALSE(DM->Active);
        EXPECT_TRUE(DM->FileName.isEmpty());
        EXPECT_EQ(DM->LastQuorvyID, -1);
        EXPECT_EQ(DM->LastAdresID, -1);
        EXPECT_EQ(DM->LastGroepID, -1);
    }

    TTestDir Dir;
    // DM is the program's data module while the test runs.
    TOwnAppRoots OwnRoots;
    std::unique_ptr<TDataModuleMain, TComponentDeleter> DM;
    QString Path;
};

} // namespace

// --- the form definition ----------------------------------------------------

namespace {

// The stored layout of the three tables.  Contact files written by every
// earlier version depend on it, so it is spelled out here in full rather
// than read back from the definition.
struct TExpectedField {
    const char* Name;
    TFieldType Type;
    int Size;
    const char* Mask;
};

const char* const DateMask = "!99/99/0000;1; ";

const std::vector<TExpectedField> ExpectedPersonFields = {
    {"ID_QUORVY", ftInteger, 0, ""},
    {"ID_ADRES", ftInteger, 0, ""},
    {"ID_GROEP", ftInteger, 0, ""},
    {"DATUM_ACTIEF", ftDate, 0, DateMask},
    {"DATUM_INACTIEF", ftDate, 0, DateMask},
    {"AANHEF", ftString, 25, ""},
    {"VOOR_VOEGSEL", ftString, 10, ""},
    {"VOOR_LETTERS", ftString, 10, ""},
    {"ROEP_NAAM", ftString, 25, ""},
    {"TUSSEN_VOEGSEL", ftString, 10, ""},
    {"ACHTER_NAAM", ftString, 50, ""},
    {"ACHTER_VOEGSEL", ftString, 10, ""},
    {"GENDER", ftString, 1, ""},
    {"GEBOORTE_DATUM", ftDateTime, 0, DateMask},
    {"NATIONALITEIT", ftString, 50, ""},
    {"MOBIEL", ftString, 20, ""},
    {"TELEFOON_NUMMER_WERK", ftString, 20, ""},
    {"EMAIL_ADRES_1", ftString, 126, ""},
    {"EMAIL_ADRES_2", ftString, 126, ""},
    {"SKYPE_ID", ftString, 126, ""},
    {"MSN_ID", ftString, 126, ""},
    {"WEBSITE", ftString, 126, ""},
    {"OPMERKINGEN", ftMemo, 0, ""},
};

const std::vector<TExpectedField> AddressFields = {
    {"ID_ADRES", ftInteger, 0, ""},         {"STRAAT_NAAM", ftString, 40, ""},
    {"HUIS_NUMMER", ftString, 6, "0#####;1; "}, {"TOEVOEGING", ftString, 5, ""},
    {"POSTCODE", ftString, 6, "0000 >LL;0; "}, {"ZIP_CODE", ftString, 10, ""},
    {"WOON_PLAATS", ftString, 40, ""},      {"LAND", ftString, 40, ""},
    {"TELEFOON_NUMMER_1", ftString, 20, ""}, {"TELEFOON_NUMMER_2", ftString, 20, ""},
    {"OPMERKINGEN", ftMemo, 0, ""},
};

const std::vector<TExpectedField> GroupFields = {
    {"ID_GROEP", ftInteger, 0, ""},
    {"GROEP_NAAM", ftString, 50, ""},
    {"GROEP_TEXT", ftMemo, 0, ""},
};

// Person indexes do not follow the field order.
const std::vector<const char*> PersonIndexOrder = {
    "ID_QUORVY", "ID_ADRES", "ID_GROEP", "ACHTER_NAAM", "TUSSEN_VOEGSEL", "ROEP_NAAM",
    "VOOR_LETTERS", "AANHEF", "VOOR_VOEGSEL", "ACHTER_VOEGSEL", "GENDER", "GEBOORTE_DATUM",
    "NATIONALITEIT", "TELEFOON_NUMMER_WERK", "MOBIEL", "EMAIL_ADRES_1", "EMAIL_ADRES_2",
    "SKYPE_ID", "MSN_ID", "WEBSITE", "DATUM_ACTIEF", "DATUM_INACTIEF",
};

void ExpectFields(TClientDataSet* Table, const std::vector<TExpectedField>& Expected)
{
    const std::string Where = Table->Name().toStdString();
    ASSERT_EQ(Table->FieldDefs()->Count(), int(Expected.size())) << Where;
    ASSERT_EQ(Table->FieldCount(), int(Expected.size())) << Where;
    for (int I = 0; I < int(Expected.size()); ++I) {
        const TExpectedField& F = Expected[std::size_t(I)];
        const TFieldDef* Def = Table->FieldDefs()->Items(I);
        EXPECT_EQ(Def->Name(), F.Name) << Where << " def " << I;
        EXPECT_EQ(Def->DataType(), F.Type) << Where << " " << F.Name;
        if (F.Type == ftString) {
            EXPECT_EQ(Def->Size(), F.Size) << Where << " " << F.Name;
        }
        // The persistent field, named as the designer names it.
        TField* Field = Table->Fields()->Fields(I);
        EXPECT_EQ(Field->FieldName(), F.Name) << Where << " field " << I;
        EXPECT_EQ(Field->Name(), Table->Name() + F.Name) << Where;
        EXPECT_EQ(Field->DataType(), F.Type) << Where << " " << F.Name;
        if (F.Type == ftString) {
            EXPECT_EQ(Field->Size(), F.Size) << Where << " " << F.Name;
        }
        EXPECT_EQ(Field->EditMask(), F.Mask) << Where << " " << F.Name;
    }
}

// Two indexes per non-memo field, "_ASC" then "_DESC", in the given order.
void ExpectIndexes(TClientDataSet* Table, const std::vector<TExpectedField>& Fields,
                   const std::vector<const char*>& Order)
{
    const std::string Where = Table->Name().toStdString();
    const String Key = Fields.front().Name;
    TIndexDefs* Defs = Table->IndexDefs();
    ASSERT_EQ(Defs->Count(), int(2 * Order.size())) << Where;
    for (int I = 0; I < int(Order.size()); ++I) {
        const String Field = Order[std::size_t(I)];
        const auto Found = std::find_if(Fields.begin(), Fields.end(),
                                        [&](const TExpectedField& F) { return Field == F.Name; });
        ASSERT_NE(Found, Fields.end()) << Field.toStdString();
        TIndexOptions Asc, Desc{ixDescending};
        if (Field == Key) {
            Asc = {ixPrimary, ixUnique};
            Desc = {ixUnique, ixDescending};
        } else if (Found->Type == ftString) {
            Asc = {ixCaseInsensitive};
            Desc = {ixDescending, ixCaseInsensitive};
        }
        const TIndexDef* A = Defs->Items(2 * I);
        const TIndexDef* D = Defs->Items(2 * I + 1);
        EXPECT_EQ(A->Name(), Field + "_ASC") << Where;
        EXPECT_EQ(A->Fields(), Field) << Where;
        EXPECT_EQ(A->Options(), Asc) << Where << " " << Field.toStdString();
        EXPECT_EQ(D->Name(), Field + "_DESC") << Where;
        EXPECT_EQ(D->Fields(), Field) << Where;
        EXPECT_EQ(D->Options(), Desc) << Where << " " << Field.toStdString();
    }
}

std::vector<const char*> NonMemoNames(const std::vector<TExpectedField>& Fields)
{
    std::vector<const char*> Names;
    for (const TExpectedField& F : Fields)
        if (F.Type != ftMemo)
            Names.push_back(F.Name);
    return Names;
}

void ExpectStoredLayout(TDataModuleMain* DM)
{
    ExpectFields(DM->cdsQuorvy, ExpectedPersonFields);
    ExpectFields(DM->cdsAdres, AddressFields);
    ExpectFields(DM->cdsGroep, GroupFields);
    ExpectIndexes(DM->cdsQuorvy, ExpectedPersonFields, PersonIndexOrder);
    ExpectIndexes(DM->cdsAdres, AddressFields, NonMemoNames(AddressFields));
    ExpectIndexes(DM->cdsGroep, GroupFields, NonMemoNames(GroupFields));
}

} // namespace

TEST_F(DataModuleTest, FormDefinitionGivesClosedTablesWithTheirFieldsAndIndexes)
{
    ExpectAllClosed();
    EXPECT_EQ(DataModuleMain, DM.get());
    EXPECT_EQ(DM->DataSourceQuorvy->DataSet(), DM->cdsQuorvy);
    EXPECT_EQ(DM->DataSourceAdres->DataSet(), DM->cdsAdres);
    EXPECT_EQ(DM->DataSourceGroep->DataSet(), DM->cdsGroep);
    // Only the list windows attach the residents and participants fillers.
    EXPECT_FALSE(DM->DataSourceAdres->OnDataChange());
    EXPECT_FALSE(DM->DataSourceGroep->OnDataChange());
    EXPECT_TRUE(DM->cdsQuorvy->OnNewRecord());
    EXPECT_TRUE(DM->cdsAdres->OnNewRecord());
    EXPECT_FALSE(DM->cdsGroep->OnNewRecord());
    EXPECT_EQ(DM->MapTemplate, nullptr);
    ExpectStoredLayout(DM.get());
}

TEST_F(DataModuleTest, TableFilesKeepTheLayoutAndNewFilesAlwaysGetIt)
{
    ASSERT_TRUE(DM->OpenFiles(Path, true));
    DM->CloseFiles();
    // Opening takes the definitions from the files.
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    ExpectStoredLayout(DM.get());
    DM->CloseFiles();
    ExpectStoredLayout(DM.get());

    // A person table made elsewhere, with a field of its own, a narrower
    // last name and an index of its own, opens ...
    const QString Odd = Dir.File("Anders.quorvy");
    {
        std::unique_ptr<TClientDataSet, TComponentDeleter> T(CreateComponent<TClientDataSet>(nullptr));
        T->FieldDefs()->Assign(DM->cdsQuorvy->FieldDefs());
        T->FieldDefs()->Find("ACHTER_NAAM")->SetSize(10);
        T->FieldDefs()->Add("HOBBY", ftString, 20, false);
        T->IndexDefs()->Add("HOBBY_ASC", "HOBBY", TIndexOptions());
        T->CreateDataSet();
        T->SaveToFile(Odd);
    }
    ASSERT_TRUE(QFile::copy(Path + ".adres", Odd + ".adres"));
    ASSERT_TRUE(QFile::copy(Path + ".groep", Odd + ".groep"));
    ASSERT_TRUE(DM->OpenFiles(Odd, false));
    EXPECT_NE(DM->cdsQuorvy->FieldDefs()->Find("HOBBY"), nullptr);
    DM->CloseFiles();

    // ... but hands nothing of it on to the next new contact file.
    const QString Fresh = Dir.File("Nieuw.quorvy");
    ASSERT_TRUE(DM->OpenFiles(Fresh, true));
    ExpectStoredLayout(DM.get());
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Fresh, false));
    ExpectStoredLayout(DM.get());
}

// --- opening, keys and writing back -----------------------------------------

TEST_F(DataModuleTest, NewFileStartsAtKeyZeroAndIsWrittenEmptyOnClose)
{
    ASSERT_TRUE(DM->OpenFiles(Path, true));
    EXPECT_TRUE(DM->Active);
    EXPECT_EQ(DM->GetFileName(), Path);
    EXPECT_EQ(DM->LastQuorvyID, 0);
    EXPECT_EQ(DM->LastAdresID, 0);
    EXPECT_EQ(DM->LastGroepID, 0);
    EXPECT_EQ(DM->cdsQuorvy->IndexName(), "ACHTER_NAAM_ASC");
    EXPECT_EQ(DM->cdsAdres->IndexName(), "ID_ADRES_ASC");
    EXPECT_EQ(DM->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
    EXPECT_EQ(DM->cdsAdres->FileName(), Path + ".adres");
    for (TClientDataSet* T : {DM->cdsQuorvy, DM->cdsAdres, DM->cdsGroep})
        EXPECT_FALSE(T->LogChanges()) << T->Name().toStdString();
    // Nothing is on disk before the file is closed.
    EXPECT_FALSE(QFile::exists(Path));

    DM->CloseFiles();
    ExpectAllClosed();
    EXPECT_TRUE(QFile::exists(Path));
    EXPECT_TRUE(QFile::exists(Path + ".adres"));
    EXPECT_TRUE(QFile::exists(Path + ".groep"));
    EXPECT_FALSE(QFile::exists(Dir.File("Familie.naw")));

    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_TRUE(DM->cdsQuorvy->IsEmpty());
    EXPECT_EQ(DM->LastQuorvyID, 0);
    EXPECT_EQ(DM->LastGroepID, 0);
}

TEST_F(DataModuleTest, HighestKeysAreReadBackWhateverTheRecordOrder)
{
    MakeContactFile();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->LastQuorvyID, 57);
    EXPECT_EQ(DM->LastAdresID, 5);
    EXPECT_EQ(DM->LastGroepID, 2);
    for (TClientDataSet* T : {DM->cdsQuorvy, DM->cdsAdres, DM->cdsGroep})
        EXPECT_FALSE(T->LogChanges()) << T->Name().toStdString();
    EXPECT_EQ(DM->cdsAdres->IndexName(), "ID_ADRES_ASC");
    EXPECT_EQ(DM->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
    // The person table opens on last names, without regard to case, at the first.
    EXPECT_EQ(DM->cdsQuorvy->RecNo(), 1);
    EXPECT_EQ(DM->cdsQuorvy->FieldByName("ACHTER_NAAM")->AsString(), "Bakker");
    EXPECT_EQ(DM->cdsQuorvy->FieldByName("ROEP_NAAM")->AsString(), "anna");
    DM->cdsQuorvy->Next();
    EXPECT_EQ(DM->cdsQuorvy->FieldByName("ACHTER_NAAM")->AsString(), "de Vries");

    // Bakker holds the top key; once deleted, that key is given again.
    DM->cdsQuorvy->First();
    DM->cdsQuorvy->Delete();
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->LastQuorvyID, 12);
}

TEST_F(DataModuleTest, NewRecordDefaults)
{
    ASSERT_TRUE(DM->OpenFiles(Path, true));
    TClientDataSet* P = DM->cdsQuorvy;
    P->Insert();
    EXPECT_EQ(P->FieldByName("ID_ADRES")->AsInteger(), -1);
    EXPECT_EQ(P->FieldByName("ID_GROEP")->AsInteger(), -1);
    EXPECT_EQ(P->FieldByName("DATUM_ACTIEF")->AsDateTime(), EncodeDate(2024, 5, 17));
    EXPECT_EQ(P->FieldByName("GENDER")->AsString(), "V");
    EXPECT_EQ(P->FieldByName("NATIONALITEIT")->AsString(), "Nederlandse");
    EXPECT_TRUE(P->FieldByName("ID_QUORVY")->IsNull());
    P->Cancel();

    DM->cdsAdres->Insert();
    EXPECT_EQ(DM->cdsAdres->FieldByName("LAND")->AsString(), "Nederland");
    DM->cdsAdres->Cancel();
    DM->cdsGroep->Insert();
    EXPECT_TRUE(DM->cdsGroep->FieldByName("GROEP_NAAM")->IsNull());
    DM->cdsGroep->Cancel();
}

TEST_F(DataModuleTest, ClosingWritesOnlyTheTablesThatChanged)
{
    MakeContactFile();
    for (const QString& F : {Path, Path + ".adres", Path + ".groep"})
        Backdate(F);
    const QDateTime Old = Modified(Path);

    ASSERT_TRUE(DM->OpenFiles(Path, false));
    DM->CloseFiles();
    EXPECT_EQ(Modified(Path), Old);
    EXPECT_EQ(Modified(Path + ".adres"), Old);
    EXPECT_EQ(Modified(Path + ".groep"), Old);

    // A change with the change log off still counts.
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    DM->cdsAdres->Edit();
    DM->cdsAdres->FieldByName("WOON_PLAATS")->SetAsString("Wageningen");
    DM->cdsAdres->Post();
    DM->CloseFiles();
    EXPECT_EQ(Modified(Path), Old);
    EXPECT_NE(Modified(Path + ".adres"), Old);
    EXPECT_EQ(Modified(Path + ".groep"), Old);

    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->cdsAdres->FieldByName("WOON_PLAATS")->AsString(), "Wageningen");
}

namespace {

// What another program does to a table file of an open contact file.
enum TOutsideChange {
    ocReplaced, // a new file renamed over it (a sync tool, a backup)
    ocOverwritten, // the other version written into the same file
    ocTouched, // its date changed and a second name given, bytes kept
    ocRemoved,
};

void ChangeFromOutside(const QString& Table, const QString& OtherVersion, TOutsideChange How)
{
    switch (How) {
    case ocReplaced:
        WriteAll(Table + ".sync", ReadAll(OtherVersion));
        ASSERT_EQ(::rename(QFile::encodeName(Table + ".sync").constData(), QFile::encodeName(Table).constData()), 0);
        break;
    case ocOverwritten:
        WriteAll(Table, ReadAll(OtherVersion));
        break;
    case ocTouched:
        Backdate(Table);
        ASSERT_EQ(::link(QFile::encodeName(Table).constData(), QFile::encodeName(Table + ".bak").constData()), 0);
        break;
    case ocRemoved:
        ASSERT_TRUE(QFile::remove(Table));
        break;
    }
}

} // namespace

TEST_F(DataModuleTest, FilesChangedByAnotherProgramAreWrittenAsOneSetOnlyOverAChange)
{
    const struct {
        const char* Suffixes; // of the tables changed from outside, '|'-separated
        TOutsideChange How;
        bool Typed; // a person was added here
        bool AllWritten; // the three tables of this program are on disk
    } Cases[] = {
        {"|.adres|.groep", ocReplaced, true, true}, // a backup put back, then a person added
        {"|.adres|.groep", ocReplaced, false, false}, // nothing of ours: theirs stays
        {".adres", ocOverwritten, true, true}, // one table of another version
        {".groep", ocOverwritten, false, false},
        {"|.adres", ocTouched, true, false}, // the same bytes are the same version
        {".adres", ocRemoved, true, true},
        {".adres", ocRemoved, false, true}, // written again, and with it the rest
    };
    const QString Other = Dir.File("Ander.quorvy");
    ASSERT_TRUE(DM->OpenFiles(Other, true));
    AddPerson(1, "Willemsen", 1, 1);
    AddAddress(1, "Oranjeplein", "3", "Oss");
    AddGroup(1, "Club");
    DM->CloseFiles();
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Suffixes << " " << C.How << " " << C.Typed);
        for (const QString& Suffix : {QString(), QStringLiteral(".adres"), QStringLiteral(".groep")}) {
            QFile::remove(Path + Suffix);
            QFile::remove(Path + Suffix + ".bak");
        }
        MakeContactFile();
        QStringList Notices;
        DM->ShowNotice = [&](const TDataModuleMain::TNotice& Notice) {
            EXPECT_EQ(Notice.Caption, "Contactbestand gewijzigd");
            EXPECT_TRUE(Notice.Warning);
            Notices << Notice.Text;
        };
        ASSERT_TRUE(DM->OpenFiles(Path, false));
        for (const QString& Suffix : QString::fromLatin1(C.Suffixes).split(QLatin1Char('|')))
            ChangeFromOutside(Path + Suffix, Other + Suffix, C.How);
        QByteArray Before[3];
        for (int I = 0; I < 3; ++I)
            Before[I] = ReadAll(Path + QStringList({"", ".adres", ".groep"})[I]);
        if (C.Typed)
            AddPerson(58, "Smit", 5, 2);
        TScriptedFolderSync Sync;
        DM->CloseFiles();
        DM->ShowNotice = nullptr;

        if (!C.AllWritten) {
            EXPECT_TRUE(Notices.isEmpty());
            // Only what was typed here, over the file it was read from.
            EXPECT_EQ(Sync.Saved, C.Typed ? QStringList({Path}) : QStringList());
            for (int I = C.Typed ? 1 : 0; I < 3; ++I)
                EXPECT_EQ(ReadAll(Path + QStringList({"", ".adres", ".groep"})[I]), Before[I]) << I;
            continue;
        }
        EXPECT_EQ(Sync.Saved, QStringList({Path + ".adres", Path + ".groep", Path}));
        ASSERT_EQ(Notices.size(), 1);
        EXPECT_TRUE(Notices[0].contains(Path));
        // Of the user's changes only where there were any.
        EXPECT_EQ(Notices[0].contains("De versie in Quorvy® is opgeslagen, met al uw wijzigingen"), C.Typed);
        EXPECT_EQ(Notices[0].contains("U had niets gewijzigd, maar omdat er een deel van het bestand ontbrak, is de "
                                      "versie in Quorvy® opnieuw opgeslagen"),
                  !C.Typed);
        // Persons, addresses and groups of one version: Smit lives where
        // the others of this file live.
        ASSERT_TRUE(DM->OpenFiles(Path, false));
        EXPECT_EQ(DM->cdsQuorvy->RecordCount(), C.Typed ? 4 : 3);
        EXPECT_EQ(DM->cdsQuorvy->Locate("ACHTER_NAAM", "Smit", {}), C.Typed);
        ASSERT_TRUE(DM->cdsAdres->Locate("ID_ADRES", 5, {}));
        EXPECT_EQ(DM->cdsAdres->FieldByName("WOON_PLAATS")->AsString(), "Ede");
        ASSERT_TRUE(DM->cdsGroep->Locate("ID_GROEP", 2, {}));
        EXPECT_EQ(DM->cdsGroep->FieldByName("GROEP_NAAM")->AsString(), "Familie");
        DM->CloseFiles();
    }
}

// A sync tool halfway: the persons already point at address 11, the
// address table that has it comes in only after the file was opened and
// repaired.  The repair is no change of the user's: with nothing changed
// here the other program's files stay as they are; a change of the
// user's writes this program's version, the repair with it, and says so.
TEST_F(DataModuleTest, ARepairAloneNeverOverwritesTablesAnotherProgramReplaced)
{
    const QStringList Suffixes = {"", ".adres", ".groep"};
    for (const bool Typed : {false, true}) {
        SCOPED_TRACE(Typed);
        for (const QString& Suffix : Suffixes)
            QFile::remove(Path + Suffix);
        MakeContactFile();
        const QByteArray OldAddresses = ReadAll(Path + ".adres");
        ASSERT_TRUE(DM->OpenFiles(Path, false));
        AddAddress(11, "Nieuwstraat", "11", "Ede");
        AddPerson(70, "Dekker", 11);
        DM->CloseFiles();
        const QString Synced = Dir.File("synced.adres");
        WriteAll(Synced, ReadAll(Path + ".adres"));
        WriteAll(Path + ".adres", OldAddresses);

        QStringList Notices;
        DM->ShowNotice = [&](const TDataModuleMain::TNotice& Notice) { Notices << Notice.Caption; };
        ASSERT_TRUE(DM->OpenFiles(Path, false));
        ASSERT_EQ(Notices, QStringList({"Contactbestand hersteld"}));
        ChangeFromOutside(Path + ".adres", Synced, ocReplaced);
        QByteArray Theirs[3];
        for (int I = 0; I < 3; ++I)
            Theirs[I] = ReadAll(Path + Suffixes[I]);
        if (Typed)
            AddPerson(71, "Smit");
        TScriptedFolderSync Sync;
        DM->CloseFiles();

        if (!Typed) {
            EXPECT_EQ(Notices, QStringList({"Contactbestand hersteld"}));
            EXPECT_TRUE(Sync.Saved.isEmpty());
            for (int I = 0; I < 3; ++I)
                EXPECT_EQ(ReadAll(Path + Suffixes[I]), Theirs[I]) << I;
        } else {
            EXPECT_EQ(Notices, QStringList({"Contactbestand hersteld", "Contactbestand gewijzigd"}));
            EXPECT_EQ(Sync.Saved, QStringList({Path + ".adres", Path + ".groep", Path}));
        }
        // Theirs, whole, needs no repair; ours has it.
        ASSERT_TRUE(DM->OpenFiles(Path, false));
        EXPECT_EQ(Notices.size(), Typed ? 2 : 1);
        ASSERT_TRUE(DM->cdsQuorvy->Locate("ID_QUORVY", 70, {}));
        EXPECT_EQ(DM->cdsQuorvy->FieldByName("ID_ADRES")->AsInteger(), Typed ? -1 : 11);
        EXPECT_EQ(DM->cdsQuorvy->Locate("ID_QUORVY", 71, {}), Typed);
        DM->CloseFiles();
        DM->ShowNotice = nullptr;
    }
}

// A sync tool put older address and group tables back; the user added an
// address; the close wrote the addresses, then the disk filled up as the
// groups went in.  Once there is room again the next close writes the
// whole set, not only what still differs, and says what it did.
TEST_F(DataModuleTest, AWholeSetThatFailedPartWayIsWrittenWholeAndToldWhenTriedAgain)
{
    const QString Other = Dir.File("Ander.quorvy");
    ASSERT_TRUE(DM->OpenFiles(Other, true));
    AddAddress(1, "Oranjeplein", "3", "Oss");
    AddGroup(1, "Club");
    DM->CloseFiles();
    MakeContactFile();
    QStringList Notices;
    DM->ShowNotice = [&](const TDataModuleMain::TNotice& Notice) { Notices << Notice.Text; };
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    for (const char* Suffix : {".adres", ".groep"})
        ChangeFromOutside(Path + Suffix, Other + Suffix, ocReplaced);
    AddAddress(6, "Kerkweg", "1", "Ede");

    TScriptedFolderSync Sync;
    Sync.FailOn = Path + ".groep";
    Sync.FailWith = ENOSPC;
    EXPECT_THROW(DM->CloseFiles(), EInOutError);
    EXPECT_TRUE(DM->Active);
    EXPECT_TRUE(Notices.isEmpty());

    Sync.FailWith = 0;
    Sync.Saved.clear();
    DM->CloseFiles();
    ExpectAllClosed();
    EXPECT_EQ(Sync.Saved, QStringList({Path + ".adres", Path + ".groep", Path}));
    ASSERT_EQ(Notices.size(), 1);
    EXPECT_TRUE(Notices[0].contains("De versie in Quorvy® is opgeslagen, met al uw wijzigingen"));
    // One set: this program's addresses and groups beside its persons.
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->cdsAdres->RecordCount(), 2);
    EXPECT_TRUE(DM->cdsAdres->Locate("ID_ADRES", 6, {}));
    EXPECT_FALSE(DM->cdsGroep->Locate("ID_GROEP", 1, {}));
    EXPECT_TRUE(DM->cdsGroep->Locate("ID_GROEP", 2, {}));
    EXPECT_EQ(Notices.size(), 1);
}

TEST_F(DataModuleTest, TablesWhoseNamesComeNearTheLimitAreWrittenAsAnyOther)
{
    // 241 characters and ".quorvy": table files of 248, 254 and 254 bytes,
    // each too long for the whole of its name in a temporary name.
    if (MaxFileNameLength(Dir.Path()) < 254)
        GTEST_SKIP() << "the test folder's file system allows shorter names";
    MakeContactFile();
    const QString Long = Dir.File(QString(241, u'k') + ".quorvy");
    for (const char* Ext : {"", ".adres", ".groep"})
        ASSERT_TRUE(RenameFile(Path + Ext, Long + Ext));

    ASSERT_TRUE(DM->OpenFiles(Long, false));
    AddPerson(60, "Visser");
    AddAddress(6, "Kerkstraat", "1", "Ede");
    AddGroup(3, "Werk");
    EXPECT_NO_THROW(DM->CloseFiles());
    EXPECT_FALSE(DM->Active);
    EXPECT_EQ(QDir(Dir.Path()).entryList(QDir::Files | QDir::Hidden).size(), 3);

    ASSERT_TRUE(DM->OpenFiles(Long, false));
    EXPECT_TRUE(DM->cdsQuorvy->Locate("ID_QUORVY", 60, {}));
    EXPECT_EQ(DM->cdsAdres->RecordCount(), 2);
    EXPECT_EQ(DM->cdsGroep->RecordCount(), 2);
}

TEST_F(DataModuleTest, ClosingWritesEveryPersonWhateverTheFilterAndDropsWhatWasNotPosted)
{
    MakeContactFile();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    TClientDataSet* P = DM->cdsQuorvy;
    AddPerson(58, "Smit", -1, 2);
    // The main window's group filter hides everyone outside group 2.
    P->SetFilter("ID_GROEP = '2'");
    P->SetFiltered(true);
    EXPECT_EQ(P->RecordCount(), 3);
    // A person half typed in when the file is closed is not kept.
    P->Insert();
    P->FieldByName("ID_QUORVY")->SetAsInteger(99);
    P->FieldByName("ACHTER_NAAM")->SetAsString("Half");
    DM->CloseFiles();
    EXPECT_FALSE(P->Filtered());
    EXPECT_TRUE(P->Filter().isEmpty());

    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(P->RecordCount(), 4);
    EXPECT_EQ(DM->LastQuorvyID, 58);
    EXPECT_FALSE(P->FindKey({99}));
}

TEST_F(DataModuleTest, OpeningAnotherFileWritesTheOpenOneFirst)
{
    MakeContactFile();
    const QString Other = Dir.File("Werk.quorvy");
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    AddPerson(58, "Smit");
    ASSERT_TRUE(DM->OpenFiles(Other, true));
    EXPECT_TRUE(DM->cdsQuorvy->IsEmpty());
    EXPECT_EQ(DM->MRUList->Count(), 1);
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->LastQuorvyID, 58);
}

// --- recent files -------------------------------------------------------------

TEST_F(DataModuleTest, RecentFilesHoldEachPathOnceAsOpenedInClosingOrder)
{
    const QString Second = Dir.File("Werk.quorvy");
    MakeContactFile();
    ASSERT_TRUE(DM->OpenFiles(Second, true));
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    DM->CloseFiles();
    // Nothing open: no empty entry.
    DM->CloseFiles();
    ASSERT_EQ(DM->MRUList->Count(), 2);
    EXPECT_EQ(DM->MRUList->Strings(0), Path);
    EXPECT_EQ(DM->MRUList->Strings(1), Second);

    const QString ListFile = Dir.File("quorvy.mru");
    DM->SaveMRUList(ListFile);
    EXPECT_EQ(ReadAll(ListFile), (Path + "\r\n" + Second + "\r\n").toUtf8());
    DM->ResetState();
    EXPECT_EQ(DM->MRUList->Count(), 0);
    DM->LoadMRUList(ListFile);
    EXPECT_EQ(DM->MRUList->Count(), 2);
    DM->LoadMRUList(Dir.File("ontbreekt.mru"));
    EXPECT_EQ(DM->MRUList->Count(), 0);
}

TEST_F(DataModuleTest, RecentFilesTellPathsApartByCaseAndHaveNoLimit)
{
    // On this file system "Familie.quorvy" and "familie.quorvy" are two
    // files: each keeps its own entry, spelt as it was opened.
    for (int I = 0; I < 30; ++I)
        DM->MRUList->Add(QStringLiteral("/data/ouder%1.quorvy").arg(I));
    DM->MRUList->Add(Path.toUpper());
    MakeContactFile();
    EXPECT_EQ(DM->MRUList->Count(), 32);
    EXPECT_EQ(DM->MRUList->IndexOf(Path), 31);
    EXPECT_EQ(DM->MRUList->IndexOf(Path.toLower()), -1);

    const QString Other = Dir.File("Werk.quorvy");
    ASSERT_TRUE(DM->OpenFiles(Other, true));
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    DM->CloseFiles();
    EXPECT_EQ(DM->MRUList->Count(), 33);
    EXPECT_EQ(DM->MRUList->Strings(0), "/data/ouder0.quorvy");
    EXPECT_EQ(DM->MRUList->Strings(32), Other);
    // A list read back from its file tells them apart too.
    const QString ListFile = Dir.File("quorvy.mru");
    DM->SaveMRUList(ListFile);
    DM->LoadMRUList(ListFile);
    EXPECT_EQ(DM->MRUList->IndexOf(Path.toUpper()), 30);
    EXPECT_EQ(DM->MRUList->IndexOf(Path.toLower()), -1);
}

// --- map template -----------------------------------------------------------

TEST_F(DataModuleTest, MapTemplateJoinsLinesAndAddressFields)
{
    MakeContactFile();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->ExpandMapTemplate(), "");

    const QString TemplateFile = Dir.File("oogm.connection");
    DM->LoadMapTemplate(TemplateFile);
    EXPECT_EQ(DM->MapTemplate, nullptr);

    WriteAll(TemplateFile, "https://kaart.example/?q=\r\nF_STRAAT_NAAM\r\n+\r\nF_HUIS_NUMMER\r\n,+\r\nF_WOON_PLAATS\r\n");
    DM->LoadMapTemplate(TemplateFile);
    ASSERT_NE(DM->MapTemplate, nullptr);
    EXPECT_EQ(DM->ExpandMapTemplate(), "https://kaart.example/?q=Dorpsstraat+12,+Ede");

    // Each field's text stays one part of the address, whatever it holds.
    DM->cdsAdres->Edit();
    DM->cdsAdres->FieldByName("WOON_PLAATS")->SetAsString("Den Haag&z=1#x");
    EXPECT_EQ(DM->ExpandMapTemplate(), "https://kaart.example/?q=Dorpsstraat+12,+Den%20Haag%26z%3D1%23x");
    EXPECT_EQ(DM->MapLookupAddress(), DM->ExpandMapTemplate());
    DM->cdsAdres->Cancel();

    // "f_" is text; "F_" alone names a field without a name.
    DM->MapTemplate->SetText("f_x\r\nF_WOON_PLAATS");
    EXPECT_EQ(DM->ExpandMapTemplate(), "f_xEde");
    DM->MapTemplate->SetText("F_");
    EXPECT_THROW(DM->ExpandMapTemplate(), EDatabaseError);
    DM->MapTemplate->SetText("F_PLAATS");
    EXPECT_THROW(DM->ExpandMapTemplate(), EDatabaseError);
    // A field line of megabytes is named by its start only.
    ASSERT_TRUE(WriteRaw(TemplateFile, "F_" + QByteArray(4 << 20, 'X')));
    DM->LoadMapTemplate(TemplateFile);
    EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { DM->ExpandMapTemplate(); }),
              "Field '" + QString(40, u'X') + QChar(0x2026) + "' not found");

    // Without a template: the map service's search.
    DM->MapTemplate.reset();
    EXPECT_EQ(DM->MapLookupAddress(), ToolBox::MapServiceBase + "Dorpsstraat+12,+Ede");
}

// --- residents and participants ------------------------------------------------

TEST_F(DataModuleTest, ResidentsAndParticipantsLists)
{
    MakeContactFile();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    AddAddress(6, "Kerkweg", "1", "Ede");
    AddPerson(58, "smit", 6, -1, "", "");

    QStringList Residents, Participants;
    int Fills = 0;
    DM->ResidentsListFill = [&](const QStringList& Names) { Residents = Names; ++Fills; };
    DM->ParticipantsListFill = [&](const QStringList& Names) { Participants = Names; };

    // The person grid's place and order are kept.
    DM->cdsQuorvy->First();
    DM->cdsQuorvy->Next();
    const QString Current = DM->cdsQuorvy->FieldByName("ACHTER_NAAM")->AsString();

    ASSERT_TRUE(DM->cdsAdres->FindKey({5}));
    DM->DataSourceAdresDataChange(DM->DataSourceAdres, nullptr);
    Residents.sort();
    EXPECT_EQ(Residents, QStringList({"Anna de Bakker", "Jansen"}));
    EXPECT_EQ(DM->cdsQuorvy->IndexName(), "ACHTER_NAAM_ASC");
    EXPECT_EQ(DM->cdsQuorvy->FieldByName("ACHTER_NAAM")->AsString(), Current);

    // Attached to the data source, scrolling the addresses refills the list.
    DM->DataSourceAdres->SetOnDataChange(
        [this](TObject* Sender, TField* Field) { DM->DataSourceAdresDataChange(Sender, Field); });
    DM->cdsAdres->Next();
    EXPECT_EQ(Residents, QStringList({"Smit"}));
    EXPECT_GE(Fills, 2);

    DM->cdsGroep->First();
    DM->DataSourceGroepDataChange(DM->DataSourceGroep, nullptr);
    Participants.sort();
    EXPECT_EQ(Participants, QStringList({"Anna de Bakker", "De Vries"}));

    // An address nobody lives at.
    DM->DataSourceAdres->SetOnDataChange(nullptr);
    AddAddress(7, "Leeg", "3", "Ede");
    DM->DataSourceAdresDataChange(DM->DataSourceAdres, nullptr);
    EXPECT_TRUE(Residents.isEmpty());

    // A person being edited or added in the person form stays so, and the
    // lists are complete all the same: the persons are read apart from the
    // person table's cursor (its stored values count).
    TClientDataSet* P = DM->cdsQuorvy;
    ASSERT_TRUE(DM->cdsAdres->FindKey({5}));
    for (const bool Inserting : {false, true}) {
        P->First();
        if (Inserting)
            P->Insert();
        else
            P->Edit();
        P->FieldByName("ACHTER_NAAM")->SetAsString("Nog niet bewaard");
        P->FieldByName("ID_ADRES")->SetAsInteger(5);
        Residents.clear();
        DM->DataSourceAdresDataChange(DM->DataSourceAdres, nullptr);
        Residents.sort();
        EXPECT_EQ(Residents, QStringList({"Anna de Bakker", "Jansen"})) << Inserting;
        EXPECT_EQ(P->State(), Inserting ? dsInsert : dsEdit);
        EXPECT_EQ(P->FieldByName("ACHTER_NAAM")->AsString(), "Nog niet bewaard");
        P->Cancel();
        EXPECT_EQ(P->FieldByName("ACHTER_NAAM")->AsString(), "Bakker");
    }

    // A group filter hides persons from the grid, not from the lists.
    P->SetFilter("ID_GROEP = '-1'");
    P->SetFiltered(true);
    DM->cdsGroep->First();
    DM->DataSourceGroepDataChange(DM->DataSourceGroep, nullptr);
    EXPECT_EQ(Participants.size(), 2);
    EXPECT_EQ(P->RecordCount(), 2);
}

// --- temporary files -------------------------------------------------------------

TEST_F(DataModuleTest, DeleteTempFilesIgnoresWhatIsAlreadyGone)
{
    WriteAll(Dir.File("quorvy$1.html"), "x");
    DM->TempFiles->Add(Dir.File("quorvy$1.html"));
    DM->TempFiles->Add(Dir.File("quorvy$2.txt"));
    DM->DeleteTempFiles();
    EXPECT_FALSE(QFile::exists(Dir.File("quorvy$1.html")));
    EXPECT_EQ(DM->TempFiles->Count(), 0);
}

// --- failures ------------------------------------------------------------------

TEST_F(DataModuleTest, FailedOpenLeavesEverythingClosedAndUnwritten)
{
    MakeContactFile();
    const QByteArray Persons = ReadAll(Path);
    const QByteArray Addresses = ReadAll(Path + ".adres");
    for (const QString& F : {Path, Path + ".adres"})
        Backdate(F);
    const QDateTime Old = Modified(Path);

    WriteAll(Path + ".groep", "QVTABLE\x1a kapot");
    try {
        DM->OpenFiles(Path, false);
        FAIL() << "opened a damaged group table";
    } catch (const ECannotOpenFile& E) {
        EXPECT_EQ(E.Message(), "Het groepbestand kan niet worden geopend!");
    }
    ExpectAllClosed();
    EXPECT_EQ(ReadAll(Path), Persons);
    EXPECT_EQ(ReadAll(Path + ".adres"), Addresses);
    EXPECT_EQ(Modified(Path), Old);
    EXPECT_EQ(Modified(Path + ".adres"), Old);
    EXPECT_EQ(DM->MRUList->Count(), 1);

    QFile::remove(Path + ".adres");
    try {
        DM->OpenFiles(Path, false);
        FAIL() << "opened without an address table";
    } catch (const ECannotOpenFile& E) {
        EXPECT_EQ(E.Message(), "Het adressenbestand kan niet worden geopend!");
    }
    ExpectAllClosed();
    EXPECT_FALSE(QFile::exists(Path + ".adres"));

    WriteAll(Path, "");
    EXPECT_THROW(DM->OpenFiles(Path, false), ECannotOpenFile);
    ExpectAllClosed();
    EXPECT_EQ(ReadAll(Path), QByteArray());

    // The next open starts from closed tables.
    const QString Good = Dir.File("Goed.quorvy");
    ASSERT_TRUE(DM->OpenFiles(Good, true));
    AddPerson(1, "Visser");
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Good, false));
    EXPECT_EQ(DM->LastQuorvyID, 1);
    EXPECT_EQ(DM->LastAdresID, 0);
}

TEST_F(DataModuleTest, TableFilesOfTheWrongKindAreRefused)
{
    MakeContactFile();
    const QByteArray Persons = ReadAll(Path);
    const QByteArray Addresses = ReadAll(Path + ".adres");
    const QByteArray Groups = ReadAll(Path + ".groep");

    // Sound table files, but a group table where the addresses belong ...
    WriteAll(Path + ".adres", Groups);
    try {
        DM->OpenFiles(Path, false);
        FAIL() << "opened a group table as the address table";
    } catch (const ECannotOpenFile& E) {
        EXPECT_EQ(E.Message(), "Het adressenbestand kan niet worden geopend!");
    }
    ExpectAllClosed();
    EXPECT_EQ(ReadAll(Path), Persons);
    EXPECT_EQ(ReadAll(Path + ".adres"), Groups);

    // ... or the persons where the groups belong.
    WriteAll(Path + ".adres", Addresses);
    WriteAll(Path + ".groep", Persons);
    try {
        DM->OpenFiles(Path, false);
        FAIL() << "opened a person table as the group table";
    } catch (const ECannotOpenFile& E) {
        EXPECT_EQ(E.Message(), "Het groepbestand kan niet worden geopend!");
    }
    ExpectAllClosed();
    EXPECT_EQ(ReadAll(Path + ".adres"), Addresses);
    EXPECT_EQ(ReadAll(Path + ".groep"), Persons);
}

TEST_F(DataModuleTest, FailedCreateLeavesNoFilesBehind)
{
    // Something already sits where the group table would go.
    ASSERT_TRUE(QDir(Dir.Path()).mkdir("Familie.quorvy.groep"));
    try {
        DM->OpenFiles(Path, true);
        FAIL() << "created over a folder";
    } catch (const ECannotOpenFile& E) {
        EXPECT_EQ(E.Message(), "Het groepbestand kan niet worden geopend!");
    }
    ExpectAllClosed();
    DM->CloseFiles();
    EXPECT_FALSE(QFile::exists(Path));
    EXPECT_FALSE(QFile::exists(Path + ".adres"));

    // A missing folder fails at once, on the person table.
    const QString Lost = Dir.File("ontbreekt/Familie.quorvy");
    try {
        DM->OpenFiles(Lost, true);
        FAIL() << "created in a missing folder";
    } catch (const ECannotOpenFile& E) {
        EXPECT_EQ(E.Message(), "Het personenbestand kan niet worden geopend!");
    }
    ExpectAllClosed();

    // An address table left over from an earlier contact file is not replaced.
    const QString Stale = Dir.File("Oud.quorvy");
    WriteAll(Stale + ".adres", "oude adressen");
    EXPECT_THROW(DM->OpenFiles(Stale, true), ECannotOpenFile);
    ExpectAllClosed();
    EXPECT_EQ(ReadAll(Stale + ".adres"), "oude adressen");
    EXPECT_FALSE(QFile::exists(Stale));
}

TEST_F(DataModuleTest, FailedWriteKeepsTheFileOpenAndTheOldFilesIntact)
{
    const QString Folder = Dir.File("data");
    ASSERT_TRUE(QDir(Dir.Path()).mkdir("data"));
    Path = Folder + "/Familie.quorvy";
    MakeContactFile();
    const QByteArray Persons = ReadAll(Path);

    ASSERT_TRUE(DM->OpenFiles(Path, false));
    AddPerson(58, "Smit");
    DM->cdsQuorvy->SetFilter("ID_GROEP = '2'");
    DM->cdsQuorvy->SetFiltered(true);
    // The folder goes away under the open file (a removed stick, a share).
    ASSERT_TRUE(QDir(Dir.Path()).rename("data", "weg"));
    EXPECT_THROW(DM->CloseFiles(), EInOutError);
    EXPECT_TRUE(DM->Active);
    EXPECT_EQ(DM->FileName, Path);
    EXPECT_EQ(DM->LastQuorvyID, 57);
    for (TClientDataSet* T : {DM->cdsQuorvy, DM->cdsAdres, DM->cdsGroep})
        EXPECT_TRUE(T->Active()) << T->Name().toStdString();
    EXPECT_TRUE(DM->cdsQuorvy->Filtered());
    EXPECT_EQ(DM->MRUList->Count(), 1);

    ASSERT_TRUE(QDir(Dir.Path()).rename("weg", "data"));
    EXPECT_EQ(ReadAll(Path), Persons);
    DM->CloseFiles();
    ExpectAllClosed();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->LastQuorvyID, 58);
    EXPECT_EQ(DM->cdsQuorvy->RecordCount(), 4);
}

TEST_F(DataModuleTest, WriteFailingHalfwayKeepsAllThreeTablesOpen)
{
    MakeContactFile();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    AddPerson(58, "Smit", 6);
    AddAddress(6, "Kerkweg", "1", "Ede");
    // The person table can be written, the address table cannot: something
    // that is not a file stands in its place.
    ASSERT_TRUE(QFile::remove(Path + ".adres"));
    ASSERT_TRUE(QDir(Dir.Path()).mkpath("Familie.quorvy.adres/bezet"));
    EXPECT_THROW(DM->CloseFiles(), EInOutError);
    EXPECT_TRUE(DM->Active);
    for (TClientDataSet* T : {DM->cdsQuorvy, DM->cdsAdres, DM->cdsGroep})
        EXPECT_TRUE(T->Active()) << T->Name().toStdString();
    EXPECT_EQ(DM->LastAdresID, 5);
    EXPECT_EQ(DM->MRUList->Count(), 1);

    // Once the way is clear, closing again writes what is still missing.
    ASSERT_TRUE(QDir(Path + ".adres").removeRecursively());
    DM->CloseFiles();
    ExpectAllClosed();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(DM->LastQuorvyID, 58);
    EXPECT_EQ(DM->LastAdresID, 6);
}

// --- crashes while a contact file is written --------------------------------

TEST_F(DataModuleTest, OpeningRemovesWhatKilledSavesLeftBehindAndNothingElse)
{
    MakeContactFile();
    // Partial copies of each table, as a writer killed mid-save leaves them,
    // and one that another running copy of the program is still writing.
    for (const char* Name : {".Familie.quorvy.quorvytmp-Ab12Cd", ".Familie.quorvy.adres.quorvytmp-x9Y8z7",
                             ".Familie.quorvy.groep.quorvytmp-QQQQQQ"})
        WriteAll(Dir.File(Name), "QVTABLE\x1a half");
    TFileBeingWritten Busy(Dir.File(".Familie.quorvy.adres.quorvytmp-Bz1Bz1"), "QVTABLE\x1a");
    ASSERT_TRUE(Busy.Locked());
    // Not ours: tables rsync is receiving, a user's hidden copy, and what a
    // version without the mark left, which looks the same as rsync's.
    const QStringList Others = {".Familie.quorvy.Ab12Cd", ".Familie.quorvy.adres.x9Y8z7", ".Familie.quorvy.kopie1",
                                ".Familie.quorvy.groep.QQQQQQ"};
    for (const QString& Name : Others)
        WriteAll(Dir.File(Name), Name.toUtf8());
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    QStringList Expected = Others
        + QStringList({".Familie.quorvy.adres.quorvytmp-Bz1Bz1", "Familie.quorvy", "Familie.quorvy.adres",
                       "Familie.quorvy.groep"});
    Expected.sort();
    const auto Hidden = [this] {
        QStringList Names = QDir(Dir.Path()).entryList(QDir::Files | QDir::Hidden);
        Names.sort();
        return Names;
    };
    EXPECT_EQ(Hidden(), Expected);

    // Saving every table, and opening and closing once more.
    AddPerson(60, "Visser", 6, 3);
    AddAddress(6, "Kerkstraat", "1", "Ede");
    AddGroup(3, "Werk");
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    DM->CloseFiles();
    EXPECT_EQ(Hidden(), Expected);
    for (const QString& Name : Others)
        EXPECT_EQ(ReadAll(Dir.File(Name)), Name.toUtf8());
}

TEST_F(DataModuleTest, ClosingWritesAddressesAndGroupsBeforeThePersons)
{
    TScriptedFolderSync Sync;
    const QStringList Order = {Path + ".adres", Path + ".groep", Path};
    ASSERT_TRUE(DM->OpenFiles(Path, true));
    DM->CloseFiles();
    EXPECT_EQ(Sync.Saved, Order);

    // A changed file, closed, and then one still open when the module goes.
    for (const bool Close : {true, false}) {
        const int Id = Close ? 1 : 2;
        Sync.Saved.clear();
        ASSERT_TRUE(DM->OpenFiles(Path, false));
        AddPerson(Id, "Smit", Id, Id);
        AddAddress(Id, "Kerkweg", QString::number(Id), "Ede");
        AddGroup(Id, QString("Groep %1").arg(Id));
        if (Close)
            DM->CloseFiles();
        else
            DM.reset();
        EXPECT_EQ(Sync.Saved, Order);
    }
}

TEST_F(DataModuleTest, FileNotKnownToBeOnDiskKeepsTheContactFileOpen)
{
    MakeContactFile();
    const QByteArray Persons = ReadAll(Path);
    // The address file in place is this program's own, flushed or not.
    DM->ShowNotice = [](const TDataModuleMain::TNotice& Notice) { ADD_FAILURE() << Notice.Text.toStdString(); };
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    AddAddress(6, "Kerkweg", "1", "Ede");
    AddPerson(58, "Smit", 6);
    {
        TScriptedFolderSync Sync;
        Sync.FailWith = EIO;
        EXPECT_THROW(DM->CloseFiles(), EInOutError);
        // The addresses failed; the persons who live there were not written.
        EXPECT_EQ(Sync.Saved, QStringList({Path + ".adres"}));
    }
    EXPECT_TRUE(DM->Active);
    EXPECT_EQ(ReadAll(Path), Persons);
    for (TClientDataSet* T : {DM->cdsQuorvy, DM->cdsAdres, DM->cdsGroep})
        EXPECT_TRUE(T->Active()) << T->Name().toStdString();

    // Closing again writes both.
    TScriptedFolderSync Sync;
    DM->CloseFiles();
    EXPECT_EQ(Sync.Saved, QStringList({Path + ".adres", Path}));
    ExpectAllClosed();
}

TEST_F(DataModuleTest, PersonsPointingAtLostRecordsAreClearedOnOpenAndReportedOnce)
{
    MakeContactFile();
    const QByteArray OldAddresses = ReadAll(Path + ".adres");
    const QByteArray OldGroups = ReadAll(Path + ".groep");
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    AddAddress(6, "Kerkweg", "1", "Ede");
    AddAddress(7, "Kerkweg", "3", "Ede");
    AddGroup(3, "Buren");
    AddPerson(58, "Smit", 7, 3);
    AddPerson(59, "Visser", 6);
    AddPerson(60, "Mulder", 5, 3);
    // No reference at all is not a lost one.
    AddPerson(61, "Bos", -1, -1);
    DM->cdsQuorvy->Edit();
    DM->cdsQuorvy->FieldByName("ID_ADRES")->Clear();
    DM->cdsQuorvy->Post();
    DM->CloseFiles();
    // As a crash between the writes of an older version left it: the new
    // persons on disk, the addresses and groups they live in not.
    WriteAll(Path + ".adres", OldAddresses);
    WriteAll(Path + ".groep", OldGroups);

    QStringList Notices;
    DM->ShowNotice = [&](const TDataModuleMain::TNotice& Notice) { Notices << Notice.Text; };
    // The repair is a long loop: the hourglass shows while it runs.
    std::vector<TCursor> Cursors;
    DM->cdsQuorvy->SetAfterPost([&](TDataSet*) { Cursors.push_back(Screen->Cursor()); });
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    DM->cdsQuorvy->SetAfterPost(nullptr);
    EXPECT_EQ(Cursors, std::vector<TCursor>(3, crHourGlass));
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(Notices, QStringList({"In dit contactbestand verwezen 3 personen naar een adres of groep die niet meer "
                                    "bestaat. Die verwijzingen zijn gewist; controleer het adres en de groep van "
                                    "deze personen."}));
    TClientDataSet* P = DM->cdsQuorvy;
    auto Links = [P](int Id) {
        EXPECT_TRUE(P->Locate("ID_QUORVY", Id));
        return P->FieldByName("ID_ADRES")->AsString() + " " + P->FieldByName("ID_GROEP")->AsString();
    };
    EXPECT_EQ(Links(58), "-1 -1");
    EXPECT_EQ(Links(59), "-1 -1");
    EXPECT_EQ(Links(60), "5 -1");
    EXPECT_EQ(Links(61), " -1");
    EXPECT_EQ(Links(57), "5 2");
    EXPECT_EQ(Links(12), "-1 2");
    // Still at the first person, in the order of last names.
    P->First();
    EXPECT_EQ(P->FieldByName("ACHTER_NAAM")->AsString(), "Bakker");

    // The lost keys are not handed out again: a new address can never
    // become the home of a person in a person file that still has them.
    EXPECT_EQ(DM->LastAdresID, 7);
    EXPECT_EQ(DM->LastGroepID, 3);

    // The repair counts as a change, is written, and is not reported again.
    DM->CloseFiles();
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    EXPECT_EQ(Notices.size(), 1);
    EXPECT_EQ(DM->LastAdresID, 5);

    // One person alone is spoken of as one.
    const QByteArray Groups = ReadAll(Path + ".groep");
    AddGroup(4, "Club");
    AddPerson(62, "Kok", -1, 4);
    DM->CloseFiles();
    WriteAll(Path + ".groep", Groups);
    ASSERT_TRUE(DM->OpenFiles(Path, false));
    ASSERT_EQ(Notices.size(), 2);
    EXPECT_EQ(Notices[1], "In dit contactbestand verwees 1 persoon naar een adres of groep die niet meer bestaat. "
                          "Die verwijzing is gewist; controleer het adres en de groep van deze persoon.");
}
