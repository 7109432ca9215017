#include "app/qv_data.h"

#include "app/qv_set.h"
#include "app/qv_toolb.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/Fields.h"
#include "platform/db/TableData.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FileStamp.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

#include <QDebug>
#include <QFileInfo>
#include <QUrl>
#include <array>
#include <cerrno>
#include <unistd.h>
#include <unordered_set>

REGISTER_COMPONENT(TDataModuleMain, TDataModule)
    PUBLISHED_FIELD(cdsQuorvy)
    PUBLISHED_FIELD(cdsAdres)
    PUBLISHED_FIELD(cdsGroep)
    PUBLISHED_FIELD(DataSourceQuorvy)
    PUBLISHED_FIELD(DataSourceAdres)
    PUBLISHED_FIELD(DataSourceGroep)
    PUBLISHED_METHOD(cdsQuorvyNewRecord)
    PUBLISHED_METHOD(cdsAdresNewRecord)
    PUBLISHED_METHOD(DataSourceAdresDataChange)
    PUBLISHED_METHOD(DataSourceGroepDataChange)
END_REGISTER

TDataModuleMain* DataModuleMain = nullptr;

// What differs between the three tables when they are opened and closed.
struct TDataModuleMain::TTableRole {
    TClientDataSet* Table;
    String FileSuffix;
    String KeyField;
    String DisplayIndex;
    String Word;
    std::int32_t* LastID;
    const TStoredLayout* Layout;
};

namespace {

// A new table is only written when the contact file is closed; find out
// now whether that will be possible, so that nothing typed into it is
// lost, and never let a new table replace a file that is already there.
void CheckCanCreate(const String& TableFile)
{
    const String Folder = QFileInfo(TableFile).absolutePath();
    int Code = ::access(QFile::encodeName(Folder).constData(), W_OK | X_OK) == 0 ? 0 : errno;
    if (Code == 0 && !DirectoryExists(Folder))
        Code = ENOTDIR;
    if (Code == 0 && ToolBox::NameTaken(TableFile))
        Code = EEXIST;
    if (Code != 0)
        throw FileError(TableFile, QStringLiteral("aangemaakt"), Code);
}

using TKeySet = std::unordered_set<std::int32_t>;

// The stored key of every record, read from the records themselves: the
// check runs while a large file opens, and a walk with the table's cursor
// costs several times as much.
TKeySet KeysOf(TClientDataSet* Table, const String& KeyField)
{
    const TTableData& Data = *Table->Table();
    const TRecordLayout& Layout = Data.Layout();
    const int Column = Data.FieldNo(KeyField);
    TKeySet Keys;
    Keys.reserve(std::size_t(Data.RecordCount()));
    for (const TTableData::TRecordId Id : Data.NaturalOrder()) {
        const std::uint8_t* Record = Data.Record(Id);
        if (!Layout.IsNull(Record, Column))
            Keys.insert(Layout.Int32(Record, Column));
    }
    return Keys;
}

// -1, and an empty field, refer to nothing on purpose.
bool IsLost(const TRecordLayout& Layout, const std::uint8_t* Record, int Column, const TKeySet& Keys)
{
    if (Layout.IsNull(Record, Column))
        return false;
    const std::int32_t Key = Layout.Int32(Record, Column);
    return Key != -1 && Keys.count(Key) == 0;
}

// The persons whose address or group is not in its table.
std::vector<TBookmark> PersonsWithLostLinks(TClientDataSet* Persons, const TKeySet& Addresses, const TKeySet& Groups)
{
    const TTableData& Data = *Persons->Table();
    const TRecordLayout& Layout = Data.Layout();
    const int Adres = Data.FieldNo(QStringLiteral("ID_ADRES"));
    const int Groep = Data.FieldNo(QStringLiteral("ID_GROEP"));
    std::vector<TBookmark> Lost;
    for (const TTableData::TRecordId Id : Data.NaturalOrder()) {
        const std::uint8_t* Record = Data.Record(Id);
        if (IsLost(Layout, Record, Adres, Addresses) || IsLost(Layout, Record, Groep, Groups))
            Lost.push_back(TBookmark(Id));
    }
    return Lost;
}

bool IsLost(TField* Link, const TKeySet& Keys)
{
    return !Link->IsNull() && Link->AsInteger() != -1 && Keys.count(Link->AsInteger()) == 0;
}

// The key stays taken: the person file on disk still holds it until the
// repaired one is written, and a new record given that key would become
// that person's address or group.
void Forget(TField* Link, std::int32_t& LastID)
{
    LastID = std::max(LastID, Link->AsInteger());
    Link->SetAsInteger(-1);
}

String LostReferencesNotice(int Persons)
{
    if (Persons == 1)
        return QStringLiteral("In dit contactbestand verwees 1 persoon naar een adres of groep die niet meer bestaat. "
                              "Die verwijzing is gewist; controleer het adres en de groep van deze persoon.");
    return QStringLiteral("In dit contactbestand verwezen %1 personen naar een adres of groep die niet meer bestaat. "
                          "Die verwijzingen zijn gewist; controleer het adres en de groep van deze personen.")
        .arg(Persons);
}

// The three files of Path were found changed by another program when it
// was closed, and the tables of this program replaced them: because the
// user had changed something, or because a file was gone.
String ReplacedNotice(const String& Path, bool UserChanged)
{
    const String Kept = UserChanged
        ? QStringLiteral("De versie in Quorvy® is opgeslagen, met al uw wijzigingen: personen, adressen en groepen "
                         "samen.")
        : QStringLiteral("U had niets gewijzigd, maar omdat er een deel van het bestand ontbrak, is de versie in "
                         "Quorvy® opnieuw opgeslagen: personen, adressen en groepen samen.");
    return QStringLiteral("Het contactbestand ") + ToolBox::Quoted(Path)
        + QStringLiteral(" is door een ander programma gewijzigd, vervangen of verwijderd terwijl het in Quorvy® "
                         "geopend was.\r\n\r\n")
        + Kept + QStringLiteral(" Wat het andere programma had neergezet, is overschreven.");
}

} // namespace

namespace {

// Paths keep their case and are told apart by it, as the file system does.
std::unique_ptr<TStringList> NewPathList()
{
    auto List = std::make_unique<TStringList>();
    List->SetCaseSensitive(true);
    return List;
}

} // namespace

TDataModuleMain::TDataModuleMain(TComponent* AOwner)
    : TDataModule(AOwner), TempFiles(NewPathList()), MRUList(NewPathList())
{
    if (DataModuleMain == nullptr)
        DataModuleMain = this;
}

TDataModuleMain::~TDataModuleMain()
{
    if (DataModuleMain == this)
        DataModuleMain = nullptr;
}

void TDataModuleMain::BeforeDestruction()
{
    // Each table would write itself as it goes, in whatever order the
    // module frees them; write them here in the order that keeps the
    // persons' references sound.  Nothing can be raised from here.
    if (Active) {
        try {
            WriteChangedTables();
            // What was not written (a repair over another program's files)
            // must not be written by the tables as they go either.
            DiscardAll();
        } catch (const Exception& E) {
            qWarning("%s", qPrintable(E.Message()));
        }
    }
    TDataModule::BeforeDestruction();
}

void TDataModuleMain::Loaded()
{
    TDataModule::Loaded();
    FPersonLayout = {cdsQuorvy->FieldDefs()->ToTableFields(), cdsQuorvy->IndexDefs()->ToTableIndexDefs()};
    FAddressLayout = {cdsAdres->FieldDefs()->ToTableFields(), cdsAdres->IndexDefs()->ToTableIndexDefs()};
    FGroupLayout = {cdsGroep->FieldDefs()->ToTableFields(), cdsGroep->IndexDefs()->ToTableIndexDefs()};
}

void TDataModuleMain::ResetState()
{
    Active = false;
    FolderChanged = false;
    NewFileCreated = false;
    LastQuorvyID = -1;
    LastAdresID = -1;
    LastGroepID = -1;
    SearchText.clear();
    ActiveFilterName.clear();
    TempFiles = NewPathList();
    MRUList = NewPathList();
}

TDataModuleMain::TTableRole TDataModuleMain::PersonRole()
{
    return {cdsQuorvy, String(), QStringLiteral("ID_QUORVY"), QStringLiteral("ACHTER_NAAM_ASC"),
            QStringLiteral("personenbestand"), &LastQuorvyID, &FPersonLayout};
}

TDataModuleMain::TTableRole TDataModuleMain::AddressRole()
{
    return {cdsAdres, QStringLiteral(".adres"), QStringLiteral("ID_ADRES"), QStringLiteral("ID_ADRES_ASC"),
            QStringLiteral("adressenbestand"), &LastAdresID, &FAddressLayout};
}

TDataModuleMain::TTableRole TDataModuleMain::GroupRole()
{
    return {cdsGroep, QStringLiteral(".groep"), QStringLiteral("ID_GROEP"), QStringLiteral("GROEP_NAAM_ASC"),
            QStringLiteral("groepbestand"), &LastGroepID, &FGroupLayout};
}

// --- opening --------------------------------------------------------------

bool TDataModuleMain::OpenFiles(const String& Path, bool Create)
{
    // Opening over an open file would write the old tables under the new
    // name when they close: write them back where they belong first.
    if (Active)
        CloseFiles();
    FileName = Path;
    int Cleared = 0;
    try {
        if (!OpenPersonTable(Create) || !OpenAddressTable(Create) || !OpenGroupTable(Create)) {
            DiscardAll();
            return false;
        }
        if (!Create)
            Cleared = ClearLostReferences();
    } catch (...) {
        DiscardAll();
        throw;
    }
    RememberOpenedVersions();
    Active = true;
    if (Cleared > 0)
        Notify({QStringLiteral("Contactbestand hersteld"), LostReferencesNotice(Cleared)});
    return true;
}

bool TDataModuleMain::OpenPersonTable(bool Create)
{
    return OpenTable(PersonRole(), Create);
}

bool TDataModuleMain::OpenAddressTable(bool Create)
{
    return OpenTable(AddressRole(), Create);
}

bool TDataModuleMain::OpenGroupTable(bool Create)
{
    return OpenTable(GroupRole(), Create);
}

bool TDataModuleMain::OpenTable(const TTableRole& Role, bool Create)
{
    TClientDataSet* Table = Role.Table;
    try {
        // A table that held a file of another layout (an extra field, another
        // size) must not pass that layout on to a new contact file.
        Table->FieldDefs()->FromTableFields(Role.Layout->Fields);
        Table->IndexDefs()->FromTableIndexDefs(Role.Layout->Indexes);
        Table->SetFileName(FileName + Role.FileSuffix);
        // The first record under the descending key index holds the highest key.
        Table->SetIndexName(Role.KeyField + QStringLiteral("_DESC"));
        if (Create) {
            CheckCanCreate(Table->FileName());
            Table->CreateDataSet();
            *Role.LastID = 0;
        } else {
            Table->Open();
            *Role.LastID = Table->IsEmpty() ? 0 : Table->FieldByName(Role.KeyField)->AsInteger();
        }
        // Posted records go straight into the table; no undo log grows.
        Table->SetLogChanges(false);
        Table->SetIndexName(Role.DisplayIndex);
        Table->First();
        return true;
    } catch (...) {
        DiscardTable(Role);
        throw ECannotOpenFile(Role.Word);
    }
}

int TDataModuleMain::ClearLostReferences()
{
    const TCursorScope Busy(crHourGlass);
    TClientDataSet* Persons = cdsQuorvy;
    int Cleared = 0;
    try {
        const TKeySet Addresses = KeysOf(cdsAdres, QStringLiteral("ID_ADRES"));
        const TKeySet Groups = KeysOf(cdsGroep, QStringLiteral("ID_GROEP"));
        const std::vector<TBookmark> Lost = PersonsWithLostLinks(Persons, Addresses, Groups);
        if (Lost.empty())
            return 0;
        TField* Adres = Persons->FieldByName(QStringLiteral("ID_ADRES"));
        TField* Groep = Persons->FieldByName(QStringLiteral("ID_GROEP"));
        Persons->DisableControls();
        try {
            for (const TBookmark Person : Lost) {
                Persons->GotoBookmark(Person);
                const bool LostAdres = IsLost(Adres, Addresses);
                const bool LostGroep = IsLost(Groep, Groups);
                Persons->Edit();
                if (LostAdres)
                    Forget(Adres, LastAdresID);
                if (LostGroep)
                    Forget(Groep, LastGroepID);
                Persons->Post();
                ++Cleared;
            }
            Persons->First();
        } catch (...) {
            Persons->EnableControls();
            throw;
        }
        Persons->EnableControls();
    } catch (const Exception&) {
        throw ECannotOpenFile(QStringLiteral("personenbestand"));
    }
    return Cleared;
}

void TDataModuleMain::Notify(const TNotice& Notice)
{
    if (ShowNotice)
        ShowNotice(Notice);
    else
        qWarning("%s", qPrintable(Notice.Text));
}

void TDataModuleMain::DiscardTable(const TTableRole& Role)
{
    TClientDataSet* Table = Role.Table;
    // Without a file name closing writes nothing: a half-opened contact
    // file never overwrites or leaves behind a table file.
    Table->SetFileName(String());
    try {
        Table->SetFiltered(false);
        Table->SetFilter(String());
        Table->Close();
        Table->SetIndexName(String());
    } catch (...) {
        // Nothing was written; the table is as closed as it can be.
    }
    *Role.LastID = -1;
}

void TDataModuleMain::DiscardAll()
{
    DiscardTable(PersonRole());
    DiscardTable(AddressRole());
    DiscardTable(GroupRole());
    FileName.clear();
    Active = false;
    FWritingWholeSet = false;
}

// --- closing --------------------------------------------------------------

std::array<TClientDataSet*, 3> TDataModuleMain::TablesInWriteOrder() const
{
    // The tables that others refer to first, the persons last.
    return {cdsAdres, cdsGroep, cdsQuorvy};
}

void TDataModuleMain::RememberOpenedVersions()
{
    const std::array<TClientDataSet*, 3> Tables = TablesInWriteOrder();
    for (std::size_t I = 0; I < Tables.size(); ++I)
        FOpenedVersions[I] = Tables[I]->Table()->Version();
}

bool TDataModuleMain::ChangedByUser() const
{
    const std::array<TClientDataSet*, 3> Tables = TablesInWriteOrder();
    for (std::size_t I = 0; I < Tables.size(); ++I)
        if (Tables[I]->Active() && Tables[I]->Table()->Version() != FOpenedVersions[I])
            return true;
    return false;
}

void TDataModuleMain::WriteTable(TClientDataSet* Table, bool OfWholeSet)
{
    const TFileStamp Before = FileStampOf(Table->FileName());
    try {
        Table->SaveToFile();
    } catch (...) {
        // A save can fail with its file already in place (the folder flush).
        if (OfWholeSet && FileStampOf(Table->FileName()) != Before)
            FWritingWholeSet = true;
        throw;
    }
    // The table written carries its new version now, and no longer tells
    // that another program had replaced its file: a later try must know.
    if (OfWholeSet)
        FWritingWholeSet = true;
}

TDataModuleMain::TWritten TDataModuleMain::WriteChangedTables()
{
    const std::array<TClientDataSet*, 3> Tables = TablesInWriteOrder();
    const auto Open = [](TClientDataSet* Table) { return Table->Active() && !Table->FileName().isEmpty(); };
    bool Changed = false;
    bool Replaced = FWritingWholeSet;
    bool Gone = false;
    for (TClientDataSet* Table : Tables) {
        if (!Open(Table))
            continue;
        // Closing drops what was typed but not posted; so does this write.
        if (Table->State() == dsEdit || Table->State() == dsInsert || Table->State() == dsSetKey)
            Table->Cancel();
        Changed = Changed || Table->WritesOnClose();
        Replaced = Replaced || Table->FileChangedOnDisk();
        Gone = Gone || !FileExists(Table->FileName());
    }
    const bool UserChanged = ChangedByUser();
    // Over another program's files only what the user changed, or a file
    // that is gone, is worth writing; what the open repaired alone is not:
    // the next open repairs whatever still needs it.  A close that began
    // writing the whole set goes on with it until it is on disk.
    if (Replaced)
        Changed = FWritingWholeSet || UserChanged || Gone;
    // Nothing of ours to write: whatever another program put there stays.
    if (!Changed)
        return wrOwnTables;
    for (TClientDataSet* Table : Tables)
        if (Open(Table) && (Replaced || Table->WritesOnClose()))
            WriteTable(Table, Replaced);
    if (!Replaced)
        return wrOwnTables;
    return UserChanged ? wrWholeSetWithChanges : wrWholeSetUnchanged;
}

void TDataModuleMain::CloseFiles()
{
    // All writes come before any table closes: when one fails the contact
    // file stays open as a whole, and closing can be tried again.
    const TWritten Written = WriteChangedTables();
    ClosePersonTable();
    CloseAddressTable();
    CloseGroupTable();
    const String Closed = FileName;
    if (!FileName.isEmpty() && MRUList->IndexOf(FileName) < 0)
        MRUList->Add(FileName);
    FileName.clear();
    Active = false;
    FWritingWholeSet = false;
    if (Written != wrOwnTables)
        Notify({QStringLiteral("Contactbestand gewijzigd"), ReplacedNotice(Closed, Written == wrWholeSetWithChanges),
                true});
}

void TDataModuleMain::ClosePersonTable()
{
    const String OldFilter = cdsQuorvy->Filter();
    const bool OldFiltered = cdsQuorvy->Filtered();
    cdsQuorvy->SetFiltered(false);
    cdsQuorvy->SetFilter(String());
    if (cdsQuorvy->Active())
        cdsQuorvy->First();
    try {
        CloseTable(PersonRole());
    } catch (...) {
        // The table stays open; so does the group filter the user chose.
        cdsQuorvy->SetFilter(OldFilter);
        cdsQuorvy->SetFiltered(OldFiltered);
        throw;
    }
}

void TDataModuleMain::CloseAddressTable()
{
    CloseTable(AddressRole());
}

void TDataModuleMain::CloseGroupTable()
{
    CloseTable(GroupRole());
}

void TDataModuleMain::CloseTable(const TTableRole& Role)
{
    // WriteChangedTables has written what is to be written: closing writes
    // nothing more (a repair left unwritten over another program's file
    // stays so).
    Role.Table->SetFileName(String());
    Role.Table->Close();
    Role.Table->SetIndexName(String());
    *Role.LastID = -1;
}

// --- files of the run -----------------------------------------------------

void TDataModuleMain::LoadMapTemplate(const String& TemplateFile)
{
    MapTemplate.reset();
    if (!FileExists(TemplateFile))
        return;
    auto Lines = std::make_unique<TStringList>();
    try {
        Lines->LoadFromFile(TemplateFile);
    } catch (const Exception&) {
        return;
    }
    MapTemplate = std::move(Lines);
}

String TDataModuleMain::ExpandMapTemplate() const
{
    if (!MapTemplate)
        return String();
    String Result;
    for (const String& Line : *MapTemplate) {
        if (Line.startsWith(QStringLiteral("F_")))
            Result += QString::fromLatin1(QUrl::toPercentEncoding(cdsAdres->FieldByName(Line.mid(2))->AsString()));
        else
            Result += Line;
    }
    return Result;
}

String TDataModuleMain::MapLookupAddress() const
{
    if (MapTemplate)
        return ExpandMapTemplate();
    const auto Text = [this](const char* Field) {
        return cdsAdres->FieldByName(QString::fromLatin1(Field))->AsString();
    };
    return ToolBox::MapSearchAddress(Text("STRAAT_NAAM"), Text("HUIS_NUMMER"), Text("WOON_PLAATS"));
}

void TDataModuleMain::LoadMRUList(const String& ListFile)
{
    try {
        MRUList->LoadFromFile(ListFile);
    } catch (const Exception&) {
        MRUList->Clear();
    }
}

void TDataModuleMain::SaveMRUList(const String& ListFile) const
{
    MRUList->SaveToFile(ListFile);
}

void TDataModuleMain::DeleteTempFiles()
{
    for (const String& Name : *TempFiles)
        DeleteFile(Name);
    TempFiles->Clear();
}

// --- events ---------------------------------------------------------------

void TDataModuleMain::cdsQuorvyNewRecord(TDataSet* DataSet)
{
    DataSet->FieldByName(QStringLiteral("ID_ADRES"))->SetAsInteger(-1);
    DataSet->FieldByName(QStringLiteral("ID_GROEP"))->SetAsInteger(-1);
    DataSet->FieldByName(QStringLiteral("DATUM_ACTIEF"))->SetAsDateTime(Date());
    DataSet->FieldByName(QStringLiteral("GENDER"))->SetAsString(QStringLiteral("V"));
    DataSet->FieldByName(QStringLiteral("NATIONALITEIT"))->SetAsString(QStringLiteral("Nederlandse"));
}

void TDataModuleMain::cdsAdresNewRecord(TDataSet* DataSet)
{
    DataSet->FieldByName(QStringLiteral("LAND"))->SetAsString(QStringLiteral("Nederland"));
}

void TDataModuleMain::DataSourceAdresDataChange(TObject* Sender, TField* Field)
{
    (void)Sender;
    (void)Field;
    FillPersonList(QStringLiteral("ID_ADRES"), cdsAdres, ResidentsListFill);
}

void TDataModuleMain::DataSourceGroepDataChange(TObject* Sender, TField* Field)
{
    (void)Sender;
    (void)Field;
    FillPersonList(QStringLiteral("ID_GROEP"), cdsGroep, ParticipantsListFill);
}

void TDataModuleMain::FillPersonList(const String& LinkField, TDataSet* Owner, const TPersonListFill& Fill)
{
    if (!Fill)
        return;
    // No current address or group (an empty table, a new record without
    // its key yet) has no residents.
    if (!cdsQuorvy->Active() || !Owner->Active() || Owner->IsEmpty() || Owner->FieldByName(LinkField)->IsNull()) {
        Fill(QStringList());
        return;
    }
    const TCursorScope Busy(crHourGlass);
    Fill(LinkedPersons(LinkField, Owner->FieldByName(LinkField)->AsInteger()));
}

QStringList TDataModuleMain::LinkedPersons(const String& LinkField, std::int32_t Key) const
{
    const TTableData* Table = cdsQuorvy->Table();
    const TRecordLayout& Layout = Table->Layout();
    const auto No = [Table](const char* Name) { return Table->FieldNo(QString::fromLatin1(Name)); };
    const int Link = Table->FieldNo(LinkField);
    const int Salutation = No("AANHEF"), CallName = No("ROEP_NAAM"), Infix = No("TUSSEN_VOEGSEL"),
              LastName = No("ACHTER_NAAM");
    const auto Text = [&Layout](const std::uint8_t* Rec, int Field) {
        return Layout.IsNull(Rec, Field) ? String() : Layout.Text(Rec, Field);
    };
    QStringList Names;
    if (std::min({Link, Salutation, CallName, Infix, LastName}) < 0 || Layout.Kind(Link) != skInt32)
        return Names;
    for (const TTableData::TRecordId Id : Table->NaturalOrder()) {
        const std::uint8_t* Rec = Table->Record(Id);
        if (Layout.IsNull(Rec, Link) || Layout.Int32(Rec, Link) != Key)
            continue;
        Names.append(ToolBox::PersonDisplayName(Text(Rec, Salutation), Text(Rec, CallName), Text(Rec, Infix),
                                                Text(Rec, LastName)));
    }
    return Names;
}
