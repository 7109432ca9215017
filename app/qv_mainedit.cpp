// The main window's person commands: adding and changing a person in the
// person form ("Toevoegen", "Wijzigen", a double click on the grid and
// their menu twins) and the current person's overview ("Individueel").
#include "app/qv_main.h"

#include "app/qv_data.h"
#include "app/qv_index.h"
#include "app/qv_overz.h"
#include "app/qv_qvy.h"
#include "platform/db/Fields.h"
#include "platform/forms/Application.h"

namespace {

using TPersonForm = std::unique_ptr<TFormQuorvy, TComponentDeleter>;

// The record of Table whose key the current person's Link field holds
// becomes current; -1 and an empty link refer to nothing.
bool FindPersonLink(TClientDataSet* Table, const char* Link)
{
    TField* Field = DataModuleMain->cdsQuorvy->FieldByName(QLatin1String(Link));
    if (Field->IsNull() || Field->AsInteger() <= -1)
        return false;
    return Table->FindKey({Variant(Field->AsInteger())});
}

// The person form over the person table's new or current record, with the
// address and group tables on their key indexes while it is open.  The
// record the caller put into insert or edit state is never left that way:
// the form's close query cancels it, and so does a failure here.
void RunPersonForm(bool IsNew)
{
    TDataModuleMain* Data = DataModuleMain;
    const TIndexScope Addresses(Data->cdsAdres, QStringLiteral("ID_ADRES_ASC"));
    const TIndexScope Groups(Data->cdsGroep, QStringLiteral("ID_GROEP_ASC"));
    if (IsNew)
        Data->cdsQuorvy->Insert();
    else
        Data->cdsQuorvy->Edit();
    try {
        TPersonForm Form(CreateComponent<TFormQuorvy>(Application, [IsNew](TFormQuorvy* F) { F->IsNew = IsNew; }));
        if (!IsNew) {
            // Only links that resolve are shown; nothing is reset yet.
            if (FindPersonLink(Data->cdsAdres, "ID_ADRES"))
                Form->ShowAddress(true);
            if (FindPersonLink(Data->cdsGroep, "ID_GROEP"))
                Form->ShowGroup(true);
        }
        Form->ShowModal();
    } catch (...) {
        Data->cdsQuorvy->Cancel();
        throw;
    }
    Data->cdsQuorvy->Cancel();
}

} // namespace

void TFormMain::FcGroupEditItems0Click(TObject* Sender)
{
    (void)Sender;
    if (DataModuleMain->Active)
        RunPersonForm(true);
}

void TFormMain::FcGroupEditItems1Click(TObject* Sender)
{
    (void)Sender;
    if (DataModuleMain->Active && DataModuleMain->cdsQuorvy->RecordCount() > 0)
        RunPersonForm(false);
}

void TFormMain::FcDBGridQuorvyDblClick(TObject* Sender)
{
    FcGroupEditItems1Click(Sender);
}

void TFormMain::FcGroupRapportagesItems1Click(TObject* Sender)
{
    (void)Sender;
    ContactOverview::Show(Handle());
}
