#include "platform/forms/FileCtrl.h"

#include "platform/forms/Dialogs.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/rtl/FileUtils.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

TSelectDirectoryHook& DirHook()
{
    static TSelectDirectoryHook H;
    return H;
}

bool ShowQtDialog(String& Directory, TSelectDirOpts Options)
{
    if (!HasWidgetApplication())
        return false;
    QFileDialog Dialog(nullptr, QStringLiteral("Map kiezen"), Directory);
    Dialog.setOption(QFileDialog::DontUseNativeDialog);
    Dialog.setOption(QFileDialog::ShowDirsOnly);
    // A folder that does not exist yet can only be typed in "any file" mode.
    Dialog.setFileMode(Options.Contains(sdAllowCreate) ? QFileDialog::AnyFile : QFileDialog::Directory);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return false;
    Directory = QDir::cleanPath(Dialog.selectedFiles().front());
    return true;
}

} // namespace

void SetSelectDirectoryHook(TSelectDirectoryHook Value)
{
    DirHook() = std::move(Value);
}

bool SelectDirectory(String& Directory, TSelectDirOpts Options, int HelpCtx)
{
    (void)HelpCtx;
    String Chosen = Directory;
    for (;;) {
        if (!(DirHook() ? DirHook()(Chosen, Options) : ShowQtDialog(Chosen, Options)))
            return false;
        if (!Chosen.isEmpty() && QFileInfo(Chosen).isDir())
            break;
        if (!Options.Contains(sdAllowCreate) || Chosen.trimmed().isEmpty()) {
            MessageBox(QStringLiteral("De map \"%1\" bestaat niet.").arg(Chosen), QStringLiteral("Map kiezen"),
                       MB_OK | MB_ICONWARNING);
            continue;
        }
        if (Options.Contains(sdPrompt)
            && MessageDlg(QStringLiteral("Deze map bestaat niet. Wilt u de map aanmaken?"), mtConfirmation,
                          {mbYes, mbNo}, 0)
                != mrYes)
            continue;
        if (Options.Contains(sdPerformCreate) && !ForceDirectories(Chosen)) {
            MessageBox(QStringLiteral("De map \"%1\" kan niet worden aangemaakt.").arg(Chosen),
                       QStringLiteral("Map kiezen"), MB_OK | MB_ICONSTOP);
            continue;
        }
        break;
    }
    Directory = Chosen;
    return true;
}
