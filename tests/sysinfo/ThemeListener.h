#pragma once
// A shown form whose child window counts the theme notices reaching it,
// and the platform's theme switch put back afterwards.
#include "platform/windows/CustomControl.h"
#include "platform/windows/Themes.h"
#include "platform/forms/Forms.h"
#include "sysinfo/SiClass.h"

class TThemeListener : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int LibraryNotices = 0;
    int ThemeChanges = 0;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CM_SITHEMECHANGED)
            ++LibraryNotices;
        if (Message.Msg == WM_THEMECHANGED)
            ++ThemeChanges;
        TCustomControl::WndProc(Message);
    }
};

struct TListeningForm {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TThemeListener* Child = new TThemeListener(Form);
    TListeningForm()
    {
        Child->SetParent(Form);
        Form->Show();
    }
    ~TListeningForm() { Form->Free(); }
    TListeningForm(const TListeningForm&) = delete;
    TListeningForm& operator=(const TListeningForm&) = delete;
};

class TPlatformThemesGuard {
public:
    ~TPlatformThemesGuard()
    {
        ThemeServices().SetThemesEnabled(FThemes);
        SetSiThemesAvailable(ThemeServices().ThemesAvailable());
    }

private:
    bool FThemes = ThemeServices().ThemesEnabled();
};
