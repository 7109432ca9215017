#include "platform/forms/Screen.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/ClassicFonts.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/graphics/GuiApplication.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

REGISTER_COMPONENT(TScreen, TComponent)
END_REGISTER

TScreen* Screen = new TScreen(nullptr);

namespace {

TRect ToRect(const QRect& R)
{
    return Bounds(R.x(), R.y(), R.width(), R.height());
}

std::unique_ptr<TFont> NamedFont(const char* Name, int Height)
{
    auto F = std::make_unique<TFont>();
    F->SetName(QString::fromLatin1(Name));
    F->SetHeight(Height);
    return F;
}

} // namespace

TRect TMonitor::BoundsRect() const
{
    return FScreen != nullptr ? ToRect(FScreen->geometry()) : Bounds(0, 0, 1024, 768);
}

TRect TMonitor::WorkareaRect() const
{
    return FScreen != nullptr ? ToRect(FScreen->availableGeometry()) : Bounds(0, 0, 1024, 768);
}

bool TMonitor::Primary() const
{
    return GuiApplication() != nullptr && FScreen == QGuiApplication::primaryScreen();
}

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner), FMenuFont(NamedFont("Tahoma", -11)), FHintFont(NamedFont("Tahoma", -11)),
      FIconFont(NamedFont("Tahoma", -11))
{
    FHintFont->SetColor(clInfoText);
    // Popup menus are drawn in the menu font.
    SetMenuFontSource([] {
        LOGFONT Log;
        if (Screen == nullptr || !GetObject(Screen->MenuFont()->Handle(), Log))
            return QFont();
        return QFontFromLogFont(Log);
    });
}

TScreen::~TScreen() = default;

TCursorScope::TCursorScope(TCursor Cursor)
{
    if (Screen == nullptr)
        return;
    FOld = Screen->Cursor();
    Screen->SetCursor(Cursor);
}

TCursorScope::~TCursorScope()
{
    if (Screen != nullptr)
        Screen->SetCursor(FOld);
}

void TScreen::SetCursor(TCursor Value)
{
    if (FCursor == Value)
        return;
    FCursor = Value;
    // Shown at once, whatever the mouse does next; without a GUI there is no
    // cursor to show.
    if (GuiApplication() != nullptr)
        ::SetCursor(CursorHandle(Value));
}

void TScreen::RefreshMonitors() const
{
    const QList<QScreen*> Screens = GuiApplication() != nullptr ? QGuiApplication::screens() : QList<QScreen*>();
    bool Same = int(FMonitors.size()) == std::max<int>(1, int(Screens.size()));
    for (std::size_t I = 0; Same && I < FMonitors.size() && I < std::size_t(Screens.size()); ++I)
        Same = FMonitors[I]->QtScreen() == Screens[int(I)];
    if (Same && !FMonitors.empty())
        return;
    FMonitors.clear();
    for (int I = 0; I < Screens.size(); ++I)
        FMonitors.push_back(std::make_unique<TMonitor>(Screens[I], I));
    if (FMonitors.empty())
        FMonitors.push_back(std::make_unique<TMonitor>(nullptr, 0));
}

int TScreen::MonitorCount() const
{
    RefreshMonitors();
    return int(FMonitors.size());
}

TMonitor* TScreen::Monitors(int Index) const
{
    RefreshMonitors();
    if (Index < 0 || Index >= int(FMonitors.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FMonitors[std::size_t(Index)].get();
}

TMonitor* TScreen::PrimaryMonitor() const
{
    RefreshMonitors();
    for (const auto& M : FMonitors)
        if (M->Primary())
            return M.get();
    return FMonitors.front().get();
}

TMonitor* TScreen::MonitorFromPoint(TPoint P, TMonitorDefaultTo Default) const
{
    RefreshMonitors();
    TMonitor* Nearest = nullptr;
    long long Best = -1;
    for (const auto& M : FMonitors) {
        const TRect R = M->BoundsRect();
        if (PtInRect(R, P))
            return M.get();
        const long long DX = P.X < R.Left ? R.Left - P.X : (P.X >= R.Right ? P.X - R.Right + 1 : 0);
        const long long DY = P.Y < R.Top ? R.Top - P.Y : (P.Y >= R.Bottom ? P.Y - R.Bottom + 1 : 0);
        if (Best < 0 || DX * DX + DY * DY < Best) {
            Best = DX * DX + DY * DY;
            Nearest = M.get();
        }
    }
    switch (Default) {
    case mdNull: return nullptr;
    case mdPrimary: return PrimaryMonitor();
    default: return Nearest;
    }
}

TMonitor* TScreen::MonitorFromRect(const TRect& R, TMonitorDefaultTo Default) const
{
    RefreshMonitors();
    TMonitor* Best = nullptr;
    long long Area = 0;
    for (const auto& M : FMonitors) {
        TRect I;
        if (!IntersectRect(I, R, M->BoundsRect()))
            continue;
        const long long A = (long long)I.Width() * I.Height();
        if (A > Area) {
            Area = A;
            Best = M.get();
        }
    }
    if (Best != nullptr)
        return Best;
    return MonitorFromPoint(CenterPoint(R), Default);
}

TMonitor* TScreen::MonitorFromWindow(HWND Wnd, TMonitorDefaultTo Default) const
{
    TRect R;
    if (!GetWindowRect(Wnd, &R))
        return Default == mdNull ? nullptr : PrimaryMonitor();
    return MonitorFromRect(R, Default);
}

int TScreen::Width() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::DesktopRect() const
{
    return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const
{
    TRect R;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &R, 0);
    return R;
}

// Window managers draw the title in a font of their own, most of them bold,
// beside the window's icon and its buttons (minimise, maximise, close), so
// the estimate takes the desktop's title font in bold and room for four
// buttons with margins on both sides.  The width is the window's own: the
// frame's borders come on top and must fit the work area too.
int TScreen::TitleBarWidth(const String& Caption) const
{
    constexpr int Margins = 2 * 16;
    const int Buttons = 4 * GetSystemMetrics(SM_CXSIZE);
    const int Frame = 2 * GetSystemMetrics(SM_CXFRAME);
    int Text = 0;
    // Fonts need the GUI application, not just any application.
    if (GuiApplication() != nullptr) {
        QFont Font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        Font.setBold(true);
        Text = QFontMetrics(Font).horizontalAdvance(Caption);
    }
    return std::min(Text + Buttons + Margins, WorkAreaWidth() - Frame);
}

bool TScreen::PlatformPlacesWindows(const String& PlatformName)
{
    return !PlatformName.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive)
        && PlatformName.compare(QLatin1String("eglfs"), Qt::CaseInsensitive) != 0
        && PlatformName.compare(QLatin1String("linuxfb"), Qt::CaseInsensitive) != 0;
}

bool TScreen::CanPlaceWindows() const
{
    return GuiApplication() == nullptr || PlatformPlacesWindows(QGuiApplication::platformName());
}

TStrings* TScreen::Fonts() const
{
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        EnsureClassicFonts();
        if (GuiApplication() != nullptr)
            for (const QString& Family : QFontDatabase::families())
                FFonts->Add(Family);
        FFonts->SetSorted(true);
    }
    return FFonts.get();
}

void TScreen::AddForm(TCustomForm* Form)
{
    if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end())
        FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form) {
        FActiveForm = nullptr;
        FActiveControl = nullptr;
    }
    if (FFocusedForm == Form)
        FFocusedForm = nullptr;
    if (FActiveControl != nullptr && Form->ContainsControl(FActiveControl))
        FActiveControl = nullptr;
}

void TScreen::SetActiveControlAndForm(TWinControl* Control, TCustomForm* Form)
{
    const bool FormChanged = FActiveForm != Form;
    const bool ControlChanged = FActiveControl != Control;
    FActiveControl = Control;
    FActiveForm = Form;
    // The active form goes to the front of the list, as classically.
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    FForms.insert(FForms.begin(), Form);
    if (ControlChanged && FOnActiveControlChange)
        FOnActiveControlChange(this);
    if (FormChanged && FOnActiveFormChange)
        FOnActiveFormChange(this);
}

void TScreen::ActivateNextForm(TCustomForm* Form)
{
    for (TCustomForm* F : FForms)
        if (F != Form && F->HandleAllocated() && IsWindowVisible(F->WindowHandle()) && IsWindowEnabled(F->WindowHandle())) {
            SetActiveWindow(F->WindowHandle());
            return;
        }
}

void TScreen::ControlDestroyed(TControl* Control)
{
    if (FActiveControl == Control)
        FActiveControl = nullptr;
}
