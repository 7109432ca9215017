#pragma once
// The file dialog of the class library: a title, a starting folder, a
// filter in the classic "text|pattern;pattern|text|pattern" form and the
// classic options; Execute shows it and answers whether a file was chosen
// (FileName, and Files for a multiple choice).  Tests replace the showing
// with a hook that reads the question from the dialog and sets the answer.
#include "platform/classes/Component.h"
#include "platform/rtl/StringList.h"

#include <QStringList>
#include <functional>
#include <memory>

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;

    String DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
    String FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    String Filter() const { return FFilter; }
    void SetFilter(const String& Value) { FFilter = Value; }
    // 1-based, as classically.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    String InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& Value) { FInitialDir = Value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    String Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    // The files chosen (one unless ofAllowMultiSelect).
    TStrings* Files() const { return FFiles.get(); }

    // Shows the dialog; true when the user chose a file.  A name typed
    // without extension gets DefaultExt.
    virtual bool Execute();

private:
    bool ShowQtDialog();
    String FDefaultExt;
    String FFileName;
    String FFilter;
    int FFilterIndex = 1;
    String FInitialDir;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
    String FTitle;
    std::unique_ptr<TStringList> FFiles;
};

// The classic filter as Qt's name filters: "Contactbestanden|*.quorvy;*.qv"
// gives "Contactbestanden (*.quorvy *.qv)".
QStringList FilterToNameFilters(const String& Filter);

// Replaces the showing of file dialogs: the hook reads Title(), Filter() ...
// and, answering true, sets FileName() (and Files(), FilterIndex()).
using TOpenDialogHook = std::function<bool(TOpenDialog* Dialog)>;
void SetOpenDialogHook(TOpenDialogHook Hook);
