#pragma once
// TSiXPThemeManager (unit SiXPThemeManager): watches its owner form for
// theme changes.  When the owner's window is made, the library's
// application object reads again whether themes are active; when the theme
// changes while the library's themes are enabled and active, it switches
// them off and on again, which tells every window once more.  The change
// it causes itself is not answered again.
//
// The library keeps one theme manager without owner (SiLibrary.h); with
// nothing to hook it stays inert.
#include "sysinfo/SiWndProcComponent.h"

class TSiXPThemeManager : public TSiWndProcComponent {
public:
    explicit TSiXPThemeManager(TComponent* AOwner);

protected:
    void WndProc(TMessage& Message) override;
};

// The library's theme manager (nullptr outside initialisation and
// finalisation).
extern TSiXPThemeManager* SiXPThemeManager;
