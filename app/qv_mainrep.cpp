// The main window's commands that open the notes window, the full report
// window and the birthday list.
#include "app/qv_birth.h"
#include "app/qv_data.h"
#include "app/qv_main.h"
#include "app/qv_naw.h"
#include "app/qv_rap_f.h"
#include "platform/forms/Application.h"

namespace {

// Shows a window of T modally and frees it, while a contact file is open
// (the menu's shortcuts reach these commands from anywhere).
template <typename T>
void ShowForOpenFile()
{
    if (DataModuleMain == nullptr || !DataModuleMain->Active)
        return;
    std::unique_ptr<T, TComponentDeleter> Form(CreateComponent<T>(Application));
    Form->ShowModal();
}

} // namespace

void TFormMain::FcGroupEditItems4Click(TObject* Sender)
{
    (void)Sender;
    ShowForOpenFile<TFormNAWBestand>();
}

void TFormMain::FcGroupRapportagesItems0Click(TObject* Sender)
{
    (void)Sender;
    ShowForOpenFile<TFormFullReport>();
}

void TFormMain::FcGroupRapportagesItems2Click(TObject* Sender)
{
    (void)Sender;
    ShowForOpenFile<TFormBirthDays>();
}
