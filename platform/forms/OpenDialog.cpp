#include "platform/forms/OpenDialog.h"

#include "platform/classes/TypInfo.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/windows/WinUser.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

REGISTER_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
              ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
              ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
              ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden)

REGISTER_COMPONENT(TOpenDialog, TComponent)
    PUBLISHED(DefaultExt, String())
    PUBLISHED(FileName, String())
    PUBLISHED(Filter, String())
    PUBLISHED(FilterIndex, 1)
    PUBLISHED(InitialDir, String())
    PUBLISHED(Options, TOpenOptions({ofHideReadOnly, ofEnableSizing}))
    PUBLISHED(Title, String())
END_REGISTER

namespace {

TOpenDialogHook& OpenHook()
{
    static TOpenDialogHook H;
    return H;
}

String WithDefaultExt(const String& Name, const String& DefaultExt)
{
    if (Name.isEmpty() || DefaultExt.isEmpty() || !QFileInfo(Name).suffix().isEmpty())
        return Name;
    return Name + QLatin1Char('.') + DefaultExt;
}

} // namespace

QStringList FilterToNameFilters(const String& Filter)
{
    QStringList Result;
    const QStringList Parts = Filter.split(QLatin1Char('|'));
    for (int I = 0; I + 1 < Parts.size(); I += 2) {
        QStringList Patterns = Parts[I + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& P : Patterns) {
            P = P.trimmed();
            // "*.*" meant every file; to Qt it means names with a dot.
            if (P == QLatin1String("*.*"))
                P = QStringLiteral("*");
        }
        Result << QStringLiteral("%1 (%2)").arg(Parts[I].trimmed(), Patterns.join(QLatin1Char(' ')));
    }
    return Result;
}

void SetOpenDialogHook(TOpenDialogHook Value)
{
    OpenHook() = std::move(Value);
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner), FFiles(std::make_unique<TStringList>())
{}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute()
{
    if (HWND Capture = GetCapture())
        SendMessage(Capture, WM_CANCELMODE, 0, 0);
    FFiles->Clear();
    const bool Ok = OpenHook() ? OpenHook()(this) : ShowQtDialog();
    if (!Ok)
        return false;
    FFileName = WithDefaultExt(FFileName, FDefaultExt);
    if (FFiles->Count() == 0 && !FFileName.isEmpty())
        FFiles->Add(FFileName);
    for (int I = 0; I < FFiles->Count(); ++I)
        FFiles->SetStrings(I, WithDefaultExt(FFiles->Strings(I), FDefaultExt));
    return true;
}

bool TOpenDialog::ShowQtDialog()
{
    if (!HasWidgetApplication())
        return false;
    QFileDialog Dialog(nullptr, FTitle.isEmpty() ? QStringLiteral("Openen") : FTitle, FInitialDir);
    // Qt's own dialog looks the same everywhere and speaks Dutch through
    // the translations the program loads.
    Dialog.setOption(QFileDialog::DontUseNativeDialog);
    Dialog.setAcceptMode(QFileDialog::AcceptOpen);
    Dialog.setFileMode(FOptions.Contains(ofAllowMultiSelect)    ? QFileDialog::ExistingFiles
                           : FOptions.Contains(ofFileMustExist) ? QFileDialog::ExistingFile
                                                                : QFileDialog::AnyFile);
    const QStringList Filters = FilterToNameFilters(FFilter);
    if (!Filters.isEmpty()) {
        Dialog.setNameFilters(Filters);
        if (FFilterIndex >= 1 && FFilterIndex <= Filters.size())
            Dialog.selectNameFilter(Filters[FFilterIndex - 1]);
    }
    if (FOptions.Contains(ofForceShowHidden))
        Dialog.setFilter(Dialog.filter() | QDir::Hidden);
    if (!FFileName.isEmpty())
        Dialog.selectFile(FFileName);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return false;
    for (const QString& F : Dialog.selectedFiles())
        FFiles->Add(F);
    FFileName = Dialog.selectedFiles().front();
    if (const int Index = Filters.indexOf(Dialog.selectedNameFilter()); Index >= 0)
        FFilterIndex = Index + 1;
    return true;
}
