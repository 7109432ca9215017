#pragma once
// A form's main menu on screen: a Qt menu bar along the top of the form's
// window, above the client area (which loses its height).  The bar shows
// the menu's items as they are; a chosen item is posted to the form as
// WM_COMMAND with the item's command number, so that its command runs once
// the menu has closed.
#include "platform/windows/WinUser.h"

#include <QPointer>
#include <memory>

class QMenuBar;
class TMainMenu;
class TQtMenuView;

class TFormMenuBar {
public:
    // Puts the bar on Window's Qt window (which must exist).
    TFormMenuBar(HWND Window, TMainMenu* Menu);
    ~TFormMenuBar();
    TFormMenuBar(const TFormMenuBar&) = delete;
    TFormMenuBar& operator=(const TFormMenuBar&) = delete;

    TMainMenu* Menu() const { return FMenu; }
    HWND Window() const { return FWindow; }
    // Whether the bar still stands on the window it was made for.
    bool Alive() const { return !FBar.isNull(); }
    // The height the bar takes from the client area: 0 while no top item
    // is visible.
    int Height() const;
    // The height the window's client area was last given for the bar.
    int AppliedHeight() const { return FHeight; }
    // Lays the bar over the top of the window (after a size change).
    void Place();
    // Called when the menu changed the bar's height.
    std::function<void()> OnHeightChanged;

private:
    void MenuChanged();
    HWND FWindow;
    TMainMenu* FMenu;
    QPointer<QMenuBar> FBar;
    std::unique_ptr<TQtMenuView> FView;
    int FHeight = 0;
};
