#include "tests/support/ScriptedDialogs.h"

namespace {

// The answer for the N-th question (1-based); none once they run out.
TTypedAnswer Next(const std::vector<TTypedAnswer>& Answers, std::size_t N)
{
    return N <= Answers.size() ? Answers[N - 1] : std::nullopt;
}

} // namespace

TScriptedMessageDialogs::TScriptedMessageDialogs(std::vector<TModalResult> Answers) : FAnswers(std::move(Answers))
{
    SetMessageDlgHook([this](const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
        FAsked.push_back({Msg, DlgType, Buttons});
        if (FAnswers.empty())
            return TModalResult(mrOk);
        return FAnswers[std::min(FAsked.size(), FAnswers.size()) - 1];
    });
}

TScriptedMessageDialogs::~TScriptedMessageDialogs()
{
    SetMessageDlgHook({});
}

TScriptedInputQueries::TScriptedInputQueries(std::vector<TTypedAnswer> Answers) : FAnswers(std::move(Answers))
{
    SetInputQueryHook([this](const String& Caption, const String& Prompt, String& Value) {
        FAsked.push_back({Caption, Prompt, Value});
        const TTypedAnswer A = Next(FAnswers, FAsked.size());
        if (!A)
            return false;
        Value = *A;
        return true;
    });
}

TScriptedInputQueries::~TScriptedInputQueries()
{
    SetInputQueryHook({});
}

TScriptedOpenDialogs::TScriptedOpenDialogs(std::vector<TTypedAnswer> Answers) : FAnswers(std::move(Answers))
{
    SetOpenDialogHook([this](TOpenDialog* D) {
        FAsked.push_back({D->Title(), D->InitialDir(), D->Filter(), D->FilterIndex(), D->FileName(), D->Options()});
        const TTypedAnswer A = Next(FAnswers, FAsked.size());
        if (!A)
            return false;
        D->SetFileName(*A);
        return true;
    });
}

TScriptedOpenDialogs::~TScriptedOpenDialogs()
{
    SetOpenDialogHook({});
}

TScriptedDirectorySelection::TScriptedDirectorySelection(std::vector<TTypedAnswer> Answers)
    : FAnswers(std::move(Answers))
{
    SetSelectDirectoryHook([this](String& Directory, TSelectDirOpts Options) {
        FAsked.push_back({Directory, Options});
        const TTypedAnswer A = Next(FAnswers, FAsked.size());
        if (!A)
            return false;
        Directory = *A;
        return true;
    });
}

TScriptedDirectorySelection::~TScriptedDirectorySelection()
{
    SetSelectDirectoryHook({});
}

TShellRecorder::TShellRecorder(bool DesktopOpens)
{
    SetShellOpenHook([this, DesktopOpens](const QUrl& Url) {
        FOpened.push_back(Url);
        return DesktopOpens;
    });
}

TShellRecorder::~TShellRecorder()
{
    SetShellOpenHook({});
}

TScriptedPopupMenus::TScriptedPopupMenus(std::vector<QString> Answers) : FAnswers(std::move(Answers))
{
    SetMenuPopupHook([this](TPopupMenu* Menu, TPoint At) -> TMenuItem* {
        FShown.push_back({Menu, Menu->Name(), At, Menu->PopupComponent()});
        const QString Caption = FShown.size() <= FAnswers.size() ? FAnswers[FShown.size() - 1] : QString();
        // The menu's items are found before anything can take them away.
        TMenuItem* Chosen = Caption.isEmpty()
            ? nullptr
            : Menu->FindItem([&](TMenuItem* I) { return StripHotkey(I->Caption()) == Caption; });
        if (WhileOpen)
            WhileOpen(Menu);
        return Chosen;
    });
}

TScriptedPopupMenus::~TScriptedPopupMenus()
{
    SetMenuPopupHook({});
}
