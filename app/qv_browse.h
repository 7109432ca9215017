#pragma once
// What the address and group list windows share: a modal window that lists
// every record of one table of the open contact file in a grid, sorts it by
// a title click, searches it through the current index, adds, changes and
// deletes records through their record window, lists the persons linked to
// the current record and writes that list as an HTML page for the browser.
// The group bar's items and the popup menu's call the same handlers.
//
// The opener sets the table's index to the first column's "_ASC" index,
// goes to the first record, creates the window with FromNewContact
// (CreateComponent's set-up) and frees it after ShowModal.
//
// The page escapes every value it writes, and is created under a new name
// only (never over a file that is there): a name and remarks are text, not
// markup.  It holds no links.
#include "app/qv_basefield.h"
#include "app/qv_data.h"
#include "platform/forms/Forms.h"

#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

class TApplicationEvents;
class TColumn;
class TFcDBGrid;
class TFcGroup;
class TFcGroupBar;
class TFcListBox;
class TFcPanel;
class TFcStatusBar;
class TFcStatusPane;
class TMenuItem;
class TPopupMenu;
class TSplitter;

// The components and handlers every list window has, for its registration.
#define PUBLISHED_BROWSE_FORM_PARTS                                                                                    \
    PUBLISHED_BASE_FIELD(TFcGroupBar, FcGroupBarMenu)                                                                  \
    PUBLISHED_BASE_FIELD(TFcGroup, FcGroupNavigate)                                                                    \
    PUBLISHED_BASE_FIELD(TFcGroup, FcGroupEdit)                                                                        \
    PUBLISHED_BASE_FIELD(TFcGroup, FcGroupZoeken)                                                                      \
    PUBLISHED_BASE_FIELD(TFcGroup, FcGroupRapportages)                                                                 \
    PUBLISHED_BASE_FIELD(TFcGroup, FcGroupSluiten)                                                                     \
    PUBLISHED_BASE_FIELD(TFcPanel, FcPanelBrowse)                                                                      \
    PUBLISHED_BASE_FIELD(TSplitter, SplitterQuorvy)                                                                    \
    PUBLISHED_BASE_FIELD(TFcListBox, FcListBoxQuorvy)                                                                  \
    PUBLISHED_BASE_FIELD(TFcStatusBar, FcStatusBarBrowse)                                                              \
    PUBLISHED_BASE_FIELD(TFcStatusPane, FcStatusPane)                                                                  \
    PUBLISHED_BASE_FIELD(TPopupMenu, PopupMenuBrowse)                                                                  \
    PUBLISHED_BASE_FIELD(TMenuItem, N3)                                                                                \
    PUBLISHED_BASE_FIELD(TMenuItem, ToonPersonen)                                                                      \
    PUBLISHED_BASE_FIELD(TApplicationEvents, ApplicationEventsBrowse)                                                  \
    PUBLISHED_METHOD(FormCreate)                                                                                       \
    PUBLISHED_METHOD(FormShow)                                                                                         \
    PUBLISHED_METHOD(FormCloseQuery)                                                                                   \
    PUBLISHED_METHOD(FcGroupNavigateItems0Click)                                                                       \
    PUBLISHED_METHOD(FcGroupNavigateItems1Click)                                                                       \
    PUBLISHED_METHOD(FcGroupNavigateItems2Click)                                                                       \
    PUBLISHED_METHOD(FcGroupNavigateItems3Click)                                                                       \
    PUBLISHED_METHOD(FcGroupEditItems0Click)                                                                           \
    PUBLISHED_METHOD(FcGroupEditItems1Click)                                                                           \
    PUBLISHED_METHOD(FcGroupEditItems2Click)                                                                           \
    PUBLISHED_METHOD(FcGroupZoekenItems0Click)                                                                         \
    PUBLISHED_METHOD(FcGroupRapportagesItems0Click)                                                                    \
    PUBLISHED_METHOD(FcGroupSluitenItems0Click)                                                                        \
    PUBLISHED_METHOD(VerbergMenupaneelClick)                                                                           \
    PUBLISHED_METHOD(ToonMenupaneelClick)                                                                              \
    PUBLISHED_METHOD(FcListBoxQuorvyDblClick)                                                                          \
    PUBLISHED_METHOD(ApplicationEventsBrowseHint)

// One column of a list window's grid: its title (also the search's prompt
// and, between '<' and '>', its first value) and its field, sorted by the
// field's "_ASC" and "_DESC" indexes.
struct TBrowseColumn {
    const char* Title;
    const char* Field;
};

class TBrowseForm : public TForm {
public:
    // What differs between the list windows.
    struct TBrowseKind {
        TClientDataSet* TDataModuleMain::*Table;
        TDataSource* TDataModuleMain::*Source;
        // The data module's list filler for this table and where it sends
        // the names.
        void (TDataModuleMain::*DataChange)(TObject* Sender, TField* Field);
        TDataModuleMain::TPersonListFill TDataModuleMain::*ListFill;
        std::vector<TBrowseColumn> Columns;
        // The search dialog's caption; empty: "Zoeken naar" and the title.
        const char* SearchCaption;
        const char* DeleteQuestion;
        const char* DeleteCaption;
        // The caption of the box that shows a listed person.
        const char* PersonCaption;
        // The page: "Bewoners van " + the record, its section heading, the
        // remarks' text area and field, the list's heading and row label.
        const char* PageSubject;
        const char* PageSection;
        const char* RemarksName;
        const char* RemarksField;
        const char* ListHeading;
        const char* ListLabel;
    };

    TBrowseForm(TComponent* AOwner, const TBrowseKind& Kind);

    // True when the person form of a new, not yet posted person opens the
    // window: no list of persons and no page.
    bool FromNewContact = false;

    // --- components of the form definition ---
    TFcGroupBar* FcGroupBarMenu = nullptr;
    TFcGroup* FcGroupNavigate = nullptr;
    TFcGroup* FcGroupEdit = nullptr;
    TFcGroup* FcGroupZoeken = nullptr;
    TFcGroup* FcGroupRapportages = nullptr;
    TFcGroup* FcGroupSluiten = nullptr;
    TFcPanel* FcPanelBrowse = nullptr;
    TSplitter* SplitterQuorvy = nullptr;
    TFcListBox* FcListBoxQuorvy = nullptr;
    TFcStatusBar* FcStatusBarBrowse = nullptr;
    TFcStatusPane* FcStatusPane = nullptr;
    TPopupMenu* PopupMenuBrowse = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* ToonPersonen = nullptr;
    TApplicationEvents* ApplicationEventsBrowse = nullptr;

    // --- handlers (the same names in every list window) ---
    void FormCreate(TObject* Sender);
    // The list of persons follows the current record while the window shows.
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FcGroupNavigateItems0Click(TObject* Sender);
    void FcGroupNavigateItems1Click(TObject* Sender);
    void FcGroupNavigateItems2Click(TObject* Sender);
    void FcGroupNavigateItems3Click(TObject* Sender);
    // Add, change (also the grid's double click) and delete.
    void FcGroupEditItems0Click(TObject* Sender);
    void FcGroupEditItems1Click(TObject* Sender);
    void FcGroupEditItems2Click(TObject* Sender);
    // The key search on the sort column.
    void FcGroupZoekenItems0Click(TObject* Sender);
    // The page of the current record and its persons, opened by the shell.
    void FcGroupRapportagesItems0Click(TObject* Sender);
    void FcGroupSluitenItems0Click(TObject* Sender);
    void VerbergMenupaneelClick(TObject* Sender);
    void ToonMenupaneelClick(TObject* Sender);
    void FcListBoxQuorvyDblClick(TObject* Sender);
    void ApplicationEventsBrowseHint(TObject* Sender);
    // The grid's title click (each window binds its grid's name to it).
    void GridTitleClick(TColumn* Column);

    // The sort: column and direction.  Column 0 ascending to start with.
    int SortColumn() const { return FSortColumn; }
    bool SortAscending() const { return FSortAscending; }
    // The lines of the page of the current record and the listed persons.
    QStringList PageLines();

protected:
    void BeforeDestruction() override;
    virtual TFcDBGrid* Grid() const = 0;
    // The record window for the current record (the table is in insert or
    // edit state), shown modally and freed.
    virtual void ShowRecordForm(bool IsNew) = 0;
    // The record as the page's title names it.
    virtual String PageTopic() const = 0;
    // The page's rows of the record: label and value.
    virtual std::vector<std::pair<String, String>> PageRows() const = 0;
    TClientDataSet* Table() const;
    String FieldValue(const char* FieldName) const;

private:
    String ColumnTitle(int Column) const;
    String ColumnIndex(int Column, bool Ascending) const;
    void ShowSortedTitle(int Column, bool Sorted);
    bool MakeAscending();
    bool AskSearchValue(String& Value);
    void Search(const String& Value);
    void EditRecord(bool IsNew);
    void FillPersonList(const QStringList& Names);
    void Unhook();

    TBrowseKind FKind;
    int FSortColumn = 0;
    bool FSortAscending = true;
    bool FHooked = false;
};

// The opener's part for the list window T: the table's index set to Index
// and its first record current, the window created (with FromNewContact)
// into Global for as long as it shows, then freed; the index as it was.
template <typename T>
void ExecuteBrowseForm(TComponent* Owner, bool FromNewContact, T*& Global, TClientDataSet* Table, const String& Index)
{
    struct TRestore {
        T*& Global;
        TClientDataSet* Table;
        String Index;
        ~TRestore()
        {
            Global = nullptr;
            try {
                Table->SetIndexName(Index);
            } catch (const Exception&) {
                // The order the table had is gone with its file; nothing to restore.
            }
        }
    } Restore{Global, Table, Table->IndexName()};
    Table->SetIndexName(Index);
    Table->First();
    std::unique_ptr<T, TComponentDeleter> Form(
        CreateComponent<T>(Owner, [FromNewContact](T* F) { F->FromNewContact = FromNewContact; }));
    Global = Form.get();
    Form->ShowModal();
}
