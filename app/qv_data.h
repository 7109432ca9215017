#pragma once
// The application's one data module: the three tables of a contact file
// (persons, addresses, groups) with their data sources and persistent
// fields, streamed from qv_data.form; opening, creating and writing back a
// contact file; and the state of the open file that every window reads.
#include "platform/classes/DataModule.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/StringList.h"

#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class TDataModuleMain : public TDataModule {
public:
    explicit TDataModuleMain(TComponent* AOwner);
    ~TDataModuleMain() override;
    // An open contact file is written back before the tables go.
    void BeforeDestruction() override;

    // --- components of the form definition ---
    TClientDataSet* cdsQuorvy = nullptr;
    TClientDataSet* cdsAdres = nullptr;
    TClientDataSet* cdsGroep = nullptr;
    TDataSource* DataSourceQuorvy = nullptr;
    TDataSource* DataSourceAdres = nullptr;
    TDataSource* DataSourceGroep = nullptr;

    // --- state of the open contact file ---
    // The person table's path; empty while no contact file is open.
    String FileName;
    bool Active = false;
    // The data folder changed while a file was open: the main window
    // refreshes its file list once the file is closed.
    bool FolderChanged = false;
    bool NewFileCreated = false;
    // Highest key of each table: -1 while closed, 0 for an empty table.
    // A window raises it by one just before it posts a new record.
    std::int32_t LastQuorvyID = -1;
    std::int32_t LastAdresID = -1;
    std::int32_t LastGroepID = -1;
    // Report files of this run, deleted at exit.
    std::unique_ptr<TStringList> TempFiles;
    // Recently closed contact files, their paths as opened (case kept and
    // compared exactly), in "quorvy.mru".
    std::unique_ptr<TStringList> MRUList;
    // Lines of "oogm.connection"; null when there is none.
    std::unique_ptr<TStringList> MapTemplate;
    // Lower-cased text of the running full-text search.
    String SearchText;
    // Name of the group the person grid is filtered on; empty when none.
    String ActiveFilterName;

    // Back to "nothing open yet": flags off, keys -1, texts and both lists
    // empty.  The main window calls this when it is created.
    void ResetState();

    // --- contact files ---
    // Opens (Create false) or creates the three tables of the contact file
    // Path.  A table that fails raises ECannotOpenFile naming it; then no
    // table is left open and nothing has been written.  Creating never
    // replaces a file that is already there.
    // A person whose address or group is missing from its table (a crash
    // while an older version wrote the file, tables copied from different
    // moments) points at nothing: opening clears that reference to -1 and
    // tells the user once through ShowNotice.  The last-key field is kept
    // at or above every key so cleared, so that a new address or group
    // never gets it while a person file that still holds it may be on disk.
    bool OpenFiles(const String& Path, bool Create);
    bool OpenPersonTable(bool Create);
    bool OpenAddressTable(bool Create);
    bool OpenGroupTable(bool Create);
    // Writes every table that changed (or is new) and closes all three; the
    // path joins MRUList unless it is there already.  A failed write raises
    // EInOutError before any table is closed: the file stays open with
    // everything typed in it.  Addresses and groups are written before the
    // persons that refer to them, so that a crash between two writes never
    // leaves a person file pointing at records that were not written.
    // When another program changed any of the three files since they were
    // read (a sync tool or a backup put another version back) and there is
    // something to write (a change of the user's, or a file gone), all three
    // are written, so that persons, addresses and groups are one set again,
    // and ShowNotice says so, and whether the user had changed anything;
    // otherwise the other program's files are left alone.  What the open
    // repaired is no change of the user's: it is written only over the
    // files it was read from.  A close that failed after it began writing
    // the whole set writes the whole set, and says so, when it is tried
    // again.
    void CloseFiles();
    void ClosePersonTable();
    void CloseAddressTable();
    void CloseGroupTable();
    // Closes the contact file without writing anything and without adding
    // it to MRUList: the user chose to quit although it could not be
    // written.
    void AbandonFiles() { DiscardAll(); }
    String GetFileName() const { return FileName; }

    // --- files of the run ---
    // Reads the map template; a missing or unreadable file leaves none.
    void LoadMapTemplate(const String& TemplateFile);
    // The map look-up address of the current address record, built from
    // the template's lines ("F_" + field name: that field's text,
    // percent-encoded so that it stays one part of the address); empty
    // without a template.  An unknown field name raises EDatabaseError.
    String ExpandMapTemplate() const;
    // What a map look-up of the current address opens: the template's
    // address, or without a template the map service's search for street,
    // number and place (ToolBox::MapSearchAddress).
    String MapLookupAddress() const;
    // Reads MRUList; a missing or unreadable file leaves it empty.
    void LoadMRUList(const String& ListFile);
    // Writes MRUList, one entry per line; raises EInOutError on failure.
    void SaveMRUList(const String& ListFile) const;
    // Deletes every report file of this run; failures are ignored.
    void DeleteTempFiles();

    // --- events ---
    void cdsQuorvyNewRecord(TDataSet* DataSet);
    void cdsAdresNewRecord(TDataSet* DataSet);
    // The address and group list windows attach these to DataSourceAdres
    // and DataSourceGroep while they are open: the residents of the current
    // address, the participants of the current group.  Every person counts,
    // also while one is being edited or inserted (its stored values) and
    // while a group filter hides some: the persons are read apart from the
    // person table's cursor, which neither moves nor leaves its state.
    void DataSourceAdresDataChange(TObject* Sender, TField* Field);
    void DataSourceGroepDataChange(TObject* Sender, TField* Field);

    // Where those lists go: the list box of the address or group list
    // window, which replaces its items with Names (sorted as it sorts) and
    // selects the first.  Empty while that window is closed.
    using TPersonListFill = std::function<void(const QStringList& Names)>;
    TPersonListFill ResidentsListFill;
    TPersonListFill ParticipantsListFill;

    // Tells the user something about the contact file that does not stop
    // the work, in Dutch: what opening repaired (given once at the end of
    // OpenFiles with the file open, as information), or that closing found
    // the files changed by another program (given once the file is closed,
    // as a warning).  Without a handler the text goes to the log.
    struct TNotice {
        String Caption;
        String Text;
        bool Warning = false;
    };
    using TNoticeEvent = std::function<void(const TNotice& Notice)>;
    TNoticeEvent ShowNotice;

protected:
    void Loaded() override;

private:
    struct TTableRole;
    // A table's field and index definitions as the form definition gives
    // them.  Opening a file replaces a table's definitions with the file's;
    // every open and create starts again from these.
    struct TStoredLayout {
        std::vector<TTableField> Fields;
        std::vector<TTableIndexDef> Indexes;
    };
    TStoredLayout FPersonLayout;
    TStoredLayout FAddressLayout;
    TStoredLayout FGroupLayout;

    bool OpenTable(const TTableRole& Role, bool Create);
    void CloseTable(const TTableRole& Role);
    // Closes a table without writing anything and forgets its file.
    void DiscardTable(const TTableRole& Role);
    void DiscardAll();
    // What a close wrote: the tables that changed (or nothing), or all
    // three over files another program had changed, with or without
    // changes of the user's.
    enum TWritten { wrOwnTables, wrWholeSetWithChanges, wrWholeSetUnchanged };
    // Writes what CloseFiles writes.
    TWritten WriteChangedTables();
    // The three tables in the order they are written.
    std::array<TClientDataSet*, 3> TablesInWriteOrder() const;
    // What the open left in each table, its repair included, in the order
    // of TablesInWriteOrder: a table that differs from it was changed by
    // the user.
    std::array<std::uint64_t, 3> FOpenedVersions{};
    void RememberOpenedVersions();
    bool ChangedByUser() const;
    // Writes one table of a close; OfWholeSet: all three are being written
    // over another program's files.
    void WriteTable(TClientDataSet* Table, bool OfWholeSet);
    // A close found the files replaced by another program and put a table
    // of its own in place; until a close succeeds, every try writes all
    // three and says so.
    bool FWritingWholeSet = false;
    // Sets lost address and group references of persons to -1; returns
    // the number of persons changed.
    int ClearLostReferences();
    void Notify(const TNotice& Notice);
    void FillPersonList(const String& LinkField, TDataSet* Owner, const TPersonListFill& Fill);
    // The display names of the persons whose LinkField holds Key, read
    // from the person table's records without moving its cursor.
    QStringList LinkedPersons(const String& LinkField, std::int32_t Key) const;
    TTableRole PersonRole();
    TTableRole AddressRole();
    TTableRole GroupRole();
};

extern TDataModuleMain* DataModuleMain;
