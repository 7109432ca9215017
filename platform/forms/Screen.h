#pragma once
// TScreen: the forms of the program, the active form and control, the
// cursor the whole program shows, the monitors and their work areas, and
// the fonts.  One global Screen exists from start to end.
//
// On Linux: the monitors are Qt's screens, the first the primary one; the
// work area is what the window manager leaves free of its panels.
#include "platform/classes/Component.h"
#include "platform/windows/ControlTypes.h"
#include "platform/graphics/Font.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <vector>

class TCustomForm;
class TWinControl;
class QScreen;

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TMonitor : public TObject {
public:
    TMonitor(QScreen* Screen, int Number) : FScreen(Screen), FNumber(Number) {}
    int MonitorNum() const { return FNumber; }
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    int Left() const { return BoundsRect().Left; }
    int Top() const { return BoundsRect().Top; }
    int Width() const { return BoundsRect().Width(); }
    int Height() const { return BoundsRect().Height(); }
    bool Primary() const;
    QScreen* QtScreen() const { return FScreen; }

private:
    QScreen* FScreen;
    int FNumber;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // --- forms ---
    int CustomFormCount() const { return int(FForms.size()); }
    TCustomForm* CustomForms(int Index) const { return FForms[std::size_t(Index)]; }
    int FormCount() const { return CustomFormCount(); }
    TCustomForm* Forms(int Index) const { return CustomForms(Index); }
    TCustomForm* ActiveCustomForm() const { return FActiveForm; }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    TCustomForm* FocusedForm() const { return FFocusedForm; }
    DECLARE_EVENT(TNotifyEvent, OnActiveFormChange)
    DECLARE_EVENT(TNotifyEvent, OnActiveControlChange)

    // --- cursors ---
    // The cursor the whole program shows; crDefault lets each control show
    // its own.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    HCURSOR Cursors(TCursor Index) const { return CursorHandle(Index); }
    void SetCursors(TCursor Index, HCURSOR Handle) { SetCursorHandle(Index, Handle); }

    // --- geometry ---
    int Width() const;
    int Height() const;
    TRect DesktopRect() const;
    int DesktopLeft() const { return DesktopRect().Left; }
    int DesktopTop() const { return DesktopRect().Top; }
    int DesktopWidth() const { return DesktopRect().Width(); }
    int DesktopHeight() const { return DesktopRect().Height(); }
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    // The width a top-level window needs for the desktop to show Caption
    // whole in its title bar, at most the work area's width.
    int TitleBarWidth(const String& Caption) const;
    int MonitorCount() const;
    TMonitor* Monitors(int Index) const;
    TMonitor* PrimaryMonitor() const;
    TMonitor* MonitorFromPoint(TPoint P, TMonitorDefaultTo Default = mdNearest) const;
    TMonitor* MonitorFromRect(const TRect& R, TMonitorDefaultTo Default = mdNearest) const;
    TMonitor* MonitorFromWindow(HWND Wnd, TMonitorDefaultTo Default = mdNearest) const;
    // Fonts are sized in pixels at 96 pixels per inch everywhere.
    int PixelsPerInch() const { return 96; }
    // Whether the desktop lets the program place its own windows.  Wayland
    // desktops put each window where they see fit and ignore the position
    // asked for (and the full-screen platforms show one window filling the
    // screen), so a stored window position is then not worth applying.
    bool CanPlaceWindows() const;
    // The same rule for a Qt platform's name ("xcb", "wayland" ...).
    static bool PlatformPlacesWindows(const String& PlatformName);

    // --- fonts ---
    TStrings* Fonts() const;
    TFont* MenuFont() const { return FMenuFont.get(); }
    TFont* HintFont() const { return FHintFont.get(); }
    TFont* IconFont() const { return FIconFont.get(); }

    // --- used by the forms ---
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActiveControlAndForm(TWinControl* Control, TCustomForm* Form);
    void SetFocusedForm(TCustomForm* Form) { FFocusedForm = Form; }
    // After Form hides: the next visible form becomes active.
    void ActivateNextForm(TCustomForm* Form);
    // Forgets a control that is going.
    void ControlDestroyed(TControl* Control);

private:
    void RefreshMonitors() const;

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCustomForm* FFocusedForm = nullptr;
    TCursor FCursor = crDefault;
    std::unique_ptr<TFont> FMenuFont;
    std::unique_ptr<TFont> FHintFont;
    std::unique_ptr<TFont> FIconFont;
    mutable std::unique_ptr<TStringList> FFonts;
    mutable std::vector<std::unique_ptr<TMonitor>> FMonitors;
};

extern TScreen* Screen;

// Shows Cursor over the whole program while it lives (the hourglass over a
// long loop), then the cursor that was shown before, also when the loop
// ends in an exception.
class TCursorScope {
public:
    explicit TCursorScope(TCursor Cursor);
    ~TCursorScope();
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;

private:
    TCursor FOld = crDefault;
};
