#pragma once
// Scripted answers for every dialog hook, each with a record of what was
// asked, and a recorder for shell hand-offs.  An object installs its hook
// for its lifetime; answers are given in turn, and when they run out a
// dialog is cancelled (a message box repeats its last answer, as
// TScriptedMessageBoxes does).
#include "platform/actions/Menus.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FileCtrl.h"
#include "platform/forms/InputQuery.h"
#include "platform/forms/OpenDialog.h"
#include "platform/forms/ShellAPI.h"

#include <QUrl>
#include <functional>
#include <optional>
#include <vector>

// MessageDlg: answers mrYes, mrNo ... in turn, the last one again.
class TScriptedMessageDialogs {
public:
    struct TQuestion {
        QString Text;
        TMsgDlgType DlgType;
        TMsgDlgButtons Buttons;
    };
    explicit TScriptedMessageDialogs(std::vector<TModalResult> Answers = {mrOk});
    ~TScriptedMessageDialogs();
    const std::vector<TQuestion>& Asked() const { return FAsked; }

private:
    std::vector<TModalResult> FAnswers;
    std::vector<TQuestion> FAsked;
};

// An answer typed into a dialog; std::nullopt presses Cancel.
using TTypedAnswer = std::optional<QString>;

// InputQuery: each answer is typed over the value shown.
class TScriptedInputQueries {
public:
    struct TQuestion {
        QString Caption;
        QString Prompt;
        QString Value; // the value the dialog showed
    };
    explicit TScriptedInputQueries(std::vector<TTypedAnswer> Answers);
    ~TScriptedInputQueries();
    const std::vector<TQuestion>& Asked() const { return FAsked; }

private:
    std::vector<TTypedAnswer> FAnswers;
    std::vector<TQuestion> FAsked;
};

// TOpenDialog: each answer is the file chosen.
class TScriptedOpenDialogs {
public:
    struct TQuestion {
        QString Title;
        QString InitialDir;
        QString Filter;
        int FilterIndex;
        QString FileName;
        TOpenOptions Options;
    };
    explicit TScriptedOpenDialogs(std::vector<TTypedAnswer> Answers);
    ~TScriptedOpenDialogs();
    const std::vector<TQuestion>& Asked() const { return FAsked; }

private:
    std::vector<TTypedAnswer> FAnswers;
    std::vector<TQuestion> FAsked;
};

// SelectDirectory: each answer is the folder chosen or typed.
class TScriptedDirectorySelection {
public:
    struct TQuestion {
        QString Directory; // the folder the dialog started on
        TSelectDirOpts Options;
    };
    explicit TScriptedDirectorySelection(std::vector<TTypedAnswer> Answers);
    ~TScriptedDirectorySelection();
    const std::vector<TQuestion>& Asked() const { return FAsked; }

private:
    std::vector<TTypedAnswer> FAnswers;
    std::vector<TQuestion> FAsked;
};

// The shell: records every address handed on; the desktop takes them all
// unless told otherwise.
class TShellRecorder {
public:
    explicit TShellRecorder(bool DesktopOpens = true);
    ~TShellRecorder();
    const std::vector<QUrl>& Opened() const { return FOpened; }

private:
    std::vector<QUrl> FOpened;
};

// Popup menus: each answer is the caption (without '&') of the item to
// choose, or "" to close the menu without a choice.  While a menu is
// open, WhileOpen (when set) runs first.
class TScriptedPopupMenus {
public:
    struct TShown {
        TPopupMenu* Menu;
        QString MenuName;
        TPoint At;
        TComponent* PopupComponent;
    };
    explicit TScriptedPopupMenus(std::vector<QString> Answers = {});
    ~TScriptedPopupMenus();
    const std::vector<TShown>& Shown() const { return FShown; }
    std::function<void(TPopupMenu* Menu)> WhileOpen;

private:
    std::vector<QString> FAnswers;
    std::vector<TShown> FShown;
};
