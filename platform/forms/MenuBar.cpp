#include "platform/forms/MenuBar.h"

#include "platform/actions/Menus.h"
#include "platform/actions/QtMenuView.h"

#include <QMenuBar>
#include <algorithm>

TFormMenuBar::TFormMenuBar(HWND Window, TMainMenu* Menu) : FWindow(Window), FMenu(Menu)
{
    QWidget* Host = WindowQtWidget(Window);
    if (Host == nullptr)
        return;
    FBar = new QMenuBar(Host);
    // Our form handles the keys; the bar only shows and takes the mouse.
    FBar->setNativeMenuBar(false);
    FBar->setFocusPolicy(Qt::NoFocus);
    FView = std::make_unique<TQtMenuView>(Menu, FBar);
    FView->OnTriggered = [this](TMenuItem* Item) {
        if (IsWindow(FWindow))
            PostMessage(FWindow, WM_COMMAND, Item->Command(), 0);
    };
    FView->OnChanged = [this] { MenuChanged(); };
    FHeight = Height();
    Place();
}

TFormMenuBar::~TFormMenuBar()
{
    FView.reset();
    delete FBar.data();
}

int TFormMenuBar::Height() const
{
    if (FBar.isNull() || FMenu == nullptr || FMenu->Items() == nullptr)
        return 0;
    bool AnyVisible = false;
    for (int I = 0; I < FMenu->Items()->Count(); ++I)
        AnyVisible = AnyVisible || (FMenu->Items()->Items(I)->Visible() && !FMenu->Items()->Items(I)->IsLine());
    if (!AnyVisible)
        return 0;
    return std::max(GetSystemMetrics(SM_CYMENU), FBar->sizeHint().height());
}

void TFormMenuBar::Place()
{
    if (FBar.isNull())
        return;
    TRect R;
    GetWindowRect(FWindow, &R);
    const int H = Height();
    FBar->setGeometry(0, 0, R.Width(), H);
    FBar->setVisible(H > 0 && IsWindowVisible(FWindow));
}

void TFormMenuBar::MenuChanged()
{
    const int H = Height();
    if (H == FHeight) {
        Place();
        return;
    }
    FHeight = H;
    if (OnHeightChanged)
        OnHeightChanged();
}
