// The main window's address and group commands: the address and group
// list windows, and the group filter.
#include "app/qv_browa.h"
#include "app/qv_browg.h"
#include "app/qv_data.h"
#include "app/qv_fil_g.h"
#include "app/qv_main.h"
#include "app/qv_tstate.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcListBox.h"
#include "platform/db/Fields.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool FileOpen()
{
    return DataModuleMain != nullptr && DataModuleMain->Active;
}

// Every group in the group table's order, its name and key; the group
// table's record and order stay as they were.
int AddGroups(TFormFilterGroep* Form)
{
    TClientDataSet* Groups = DataModuleMain->cdsGroep;
    // Never committed: the walk only reads, and the table goes back to the
    // record it was on.
    const TTableState Walk(Groups);
    TField* Name = Groups->FieldByName(QStringLiteral("GROEP_NAAM"));
    TField* Key = Groups->FieldByName(QStringLiteral("ID_GROEP"));
    int Count = 0;
    for (Groups->First(); !Groups->Eof(); Groups->Next(), ++Count)
        Form->AddChoice(Name->AsString(), Key->AsInteger());
    return Count;
}

} // namespace

void TFormMain::FcGroupAdressenItems0Click(TObject* Sender)
{
    (void)Sender;
    if (FileOpen())
        ShowBrowseAdres(this, false);
}

void TFormMain::FcGroupGroepenItems0Click(TObject* Sender)
{
    (void)Sender;
    if (FileOpen())
        ShowBrowseGroep(this, false);
}

void TFormMain::FcGroupGroepenItems2Click(TObject* Sender)
{
    (void)Sender;
    if (!FileOpen())
        return;
    std::unique_ptr<TFormFilterGroep, TComponentDeleter> Form(CreateComponent<TFormFilterGroep>(this));
    if (AddGroups(Form.get()) == 0) {
        MessageBox(QStringLiteral("Er zijn nog geen groepen bekend."), QStringLiteral("Nog geen groepen"),
                   MB_OK | MB_ICONINFORMATION);
    } else {
        Form->FcListBoxFilterGroep->SetItemIndex(0);
        Form->ShowModal();
        // The key of the item picked: of two groups of one name, the one
        // the user clicked.
        if (!Trim(Form->SelectedText).isEmpty() && Form->SelectedKey >= 0) {
            TClientDataSet* Persons = DataModuleMain->cdsQuorvy;
            TTableState Keep(Persons);
            Persons->SetFilter(QStringLiteral("ID_GROEP = '") + IntToStr(Form->SelectedKey) + QLatin1Char('\''));
            Persons->SetFiltered(true);
            Persons->First();
            Keep.Commit();
            DataModuleMain->ActiveFilterName = Form->SelectedText;
            SetGroupFilterItems(true);
        }
    }
    if (FcDBGridQuorvy->CanFocus())
        FcDBGridQuorvy->SetFocus();
}
