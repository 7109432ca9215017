#pragma once
// TFcFramedControl<TBase>: what the framed editing controls (edit, memo,
// combo box, list box) share on top of their platform control: colours
// that follow the control's state (disabled, focused, read-only), the
// user's own colour kept while Color shows a state colour, a flat frame
// with hot tracking, membership of a frame controller with its stored
// rules, Enter as Tab, and the obsolete frame names of old form
// definitions.  Each control decides how and where its frame is painted
// and when it counts as focused or read-only through the hooks below.
#include "controls/foundation/FcFrameController.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcTypes.h"
#include "controls/foundation/FcWindowPaint.h"
#include "platform/windows/WinControl.h"
#include "platform/graphics/ControlCanvas.h"

#include <memory>

// The parts of the framing that need no template: the stored rules and
// the state colour.
namespace FcFraming {
// Color is written only while the control is enabled (it shows
// DisabledColor otherwise) and the controller does not govern it.
bool IsColorStored(TControl* Control, const TFcFrameController* Controller,
                   TFcFrameControllerNotifications Notifications);
// FocusColor is written only when it differs from Color (by RGB value).
bool IsFocusColorStored(TControl* Control, TColor FocusColor, const TFcFrameController* Controller,
                        TFcFrameControllerNotifications Notifications);
// The colour for the state: disabled, then focused (the read-only colour
// only with ReadOnlyColorOnFocus), then read-only, else the user's colour.
TColor StateColor(bool Enabled, bool Focused, bool ReadOnly, bool ReadOnlyColorOnFocus, TColor Disabled, TColor Focus,
                  TColor ReadOnlyColor, TColor Normal);
} // namespace FcFraming

template <typename TBase>
class TFcFramedControl : public TBase {
public:
    explicit TFcFramedControl(TComponent* AOwner) : TBase(AOwner), FFrameCanvas(std::make_unique<TControlCanvas>())
    {
        FFrameCanvas->SetControl(this);
    }
    ~TFcFramedControl() override
    {
        if (FFrameController != nullptr)
            FFrameController->UnregisterFramedControl(this);
        FFrameCanvas->SetControl(nullptr);
    }

    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor Value)
    {
        FDisabledColor = Value;
        if (!this->Enabled())
            UpdateColors();
    }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value)
    {
        FFocusColor = Value;
        if (ColorFocused())
            UpdateColors();
    }
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    void SetReadOnlyColor(TColor Value)
    {
        FReadOnlyColor = Value;
        if (ColorReadOnly())
            UpdateColors();
    }
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value)
    {
        if (AssignIfChanged(FReadOnlyColorOnFocus, Value))
            UpdateColors();
    }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value)
    {
        if (AssignIfChanged(FFrameColor, Value))
            FrameLooksChanged();
    }
    TColor FrameHotColor() const { return FFrameHotColor; }
    void SetFrameHotColor(TColor Value)
    {
        if (AssignIfChanged(FFrameHotColor, Value))
            FrameLooksChanged();
    }
    TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
    void SetFrameHotStyle(TFrameStyle Value)
    {
        if (AssignIfChanged(FFrameHotStyle, Value))
            FrameLooksChanged();
    }
    TSides FrameSides() const { return FFrameSides; }
    void SetFrameSides(TSides Value)
    {
        if (AssignIfChanged(FFrameSides, Value))
            FrameLooksChanged();
    }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyle Value)
    {
        if (AssignIfChanged(FFrameStyle, Value))
            FrameLooksChanged();
    }
    TFcFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TFcFrameController* Value)
    {
        if (FFrameController != Value)
            ChangeFrameController(this, FFrameController, Value);
    }
    TFcFrameControllerNotifications FrameControllerNotifications() const { return FFrameControllerNotifications; }
    void SetFrameControllerNotifications(TFcFrameControllerNotifications Value)
    {
        FFrameControllerNotifications = Value;
    }
    // Switching it on shows the frame, on all four sides unless the sides
    // are being read from a form definition.
    bool FrameHotTrack() const { return FFrameHotTrack; }
    void SetFrameHotTrack(bool Value)
    {
        if (!AssignIfChanged(FFrameHotTrack, Value))
            return;
        if (Value) {
            SetFrameVisible(true);
            if (!this->ComponentState().Contains(csLoading))
                SetFrameSides(AllSides);
        }
        FrameLooksChanged();
        this->Invalidate();
    }
    bool FrameVisible() const { return FFrameVisible; }
    void SetFrameVisible(bool Value)
    {
        if (AssignIfChanged(FFrameVisible, Value))
            FrameVisibleChanged();
    }
    TFramingPreference FramingPreference() const { return FFramingPreference; }
    void SetFramingPreference(TFramingPreference Value)
    {
        if (AssignIfChanged(FFramingPreference, Value) && Value == fpCustomFraming)
            FrameLooksChanged();
    }
    // Enter moves the focus on as Tab does.
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }

    // Themed drawing takes the frame's place: the preference asks for the
    // theme and themes are on.
    virtual bool UseThemes() const { return FFramingPreference == fpXPThemes && FcThemesEnabled(); }
    // Color takes the colour of the control's state (not while loading).
    virtual void UpdateColors()
    {
        if (this->ComponentState().Contains(csLoading))
            return;
        const TColor Wanted =
            FcFraming::StateColor(this->Enabled(), ColorFocused(), ColorReadOnly(), FReadOnlyColorOnFocus,
                                  FDisabledColor, FFocusColor, FReadOnlyColor, FNormalColor);
        FUpdatingColors = true;
        try {
            this->SetColor(Wanted);
        } catch (...) {
            FUpdatingColors = false;
            throw;
        }
        FUpdatingColors = false;
    }
    // The frame area of the window is painted again.
    virtual void RepaintFrame()
    {
        if (!this->HandleAllocated())
            return;
        const TRect R = FrameRepaintRect();
        RedrawFrameArea(this->WindowHandle(), &R);
    }

    // The stored rules of the published framing properties.
    bool IsColorStored() const
    {
        return FcFraming::IsColorStored(Self(), FFrameController, FFrameControllerNotifications);
    }
    bool IsFocusColorStored() const
    {
        return FcFraming::IsFocusColorStored(Self(), FFocusColor, FFrameController, FFrameControllerNotifications);
    }
    bool IsFramingStored(TFcFrameControllerProperty Prop) const
    {
        return IsFramingPropertyStored(FFrameController, FFrameControllerNotifications, Prop);
    }
    // The user's own colour, kept while Color shows a state colour.
    TColor NormalColor() const { return FNormalColor; }
    bool MouseHot() const { return FMouseHot; }

protected:
    // Whether the control counts as focused, and as read-only, for its
    // colour.
    virtual bool ColorFocused() { return this->Focused(); }
    virtual bool ColorReadOnly() { return false; }
    // A frame colour, style or the sides changed.
    virtual void FrameLooksChanged() { RepaintFrame(); }
    // The frame was shown or hidden: a framed window has the 3-D border the
    // frame is painted over, and the window is made again.
    virtual void FrameVisibleChanged()
    {
        if (FFrameVisible)
            this->SetCtl3D(true);
        this->RecreateWnd();
    }
    // The window rectangle whose frame area RepaintFrame invalidates.
    virtual TRect FrameRepaintRect() { return this->ClientRect(); }

    void Loaded() override
    {
        TBase::Loaded();
        UpdateColors();
        UpdateFrame(false, false);
    }
    // The frame is painted after the window's own frame area, and again
    // after a change of size.
    void WndProc(TMessage& Message) override
    {
        switch (Message.Msg) {
        case WM_NCPAINT:
            TBase::WndProc(Message);
            PaintFrameArea();
            Message.Result = 0;
            return;
        case WM_SIZE:
            TBase::WndProc(Message);
            if (FFrameVisible && !UseThemes())
                RepaintFrame();
            return;
        default:
            TBase::WndProc(Message);
            return;
        }
    }
    // What WM_NCPAINT adds to the window's frame area: the frame.
    virtual void PaintFrameArea()
    {
        if (FFrameVisible && !UseThemes())
            PaintWindowFrame(FrameHot());
    }
    // The frame shows its hot look.
    virtual bool FrameHot() { return FFrameHotTrack && (this->Focused() || FMouseHot); }
    // Focus and mouse make the control hot; the colour follows the state.
    void CMEnter(TMessage& Message) override
    {
        UpdateFrame(false, true);
        TBase::CMEnter(Message);
    }
    void CMExit(TMessage& Message) override
    {
        TBase::CMExit(Message);
        UpdateFrame(false, false);
    }
    void CMEnabledChanged(TMessage& Message) override
    {
        TBase::CMEnabledChanged(Message);
        UpdateColors();
    }
    void CMMouseEnter(TMessage& Message) override
    {
        TBase::CMMouseEnter(Message);
        if (!this->ComponentState().Contains(csDesigning))
            UpdateFrame(true, true);
    }
    void CMMouseLeave(TMessage& Message) override
    {
        TBase::CMMouseLeave(Message);
        UpdateFrame(true, false);
    }
    // The hot state changed by the mouse (ViaMouse) or the focus.
    virtual void UpdateFrame(bool ViaMouse, bool Active)
    {
        if (ViaMouse)
            FMouseHot = Active;
        if (FFrameHotTrack)
            RepaintFrame();
        UpdateColors();
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TBase::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FFrameController)
            FFrameController = nullptr;
    }
    void DefineProperties(TFiler& Filer) override
    {
        TBase::DefineProperties(Filer);
        DefineOldFrameProperties(Filer, this);
    }
    // Color changed: unless a state colour is being shown, it is the
    // user's colour, and FocusColor moves along while it was the same.
    void CMColorChanged(TMessage& Message) override
    {
        TBase::CMColorChanged(Message);
        KeepNormalColor();
    }
    void CMParentColorChanged(TMessage& Message) override
    {
        TBase::CMParentColorChanged(Message);
        if (this->ParentColor())
            KeepNormalColor();
    }
    virtual void NormalColorKept()
    {
        if (FFrameVisible && !UseThemes())
            RepaintFrame();
    }
    // Enter as Tab: the key is dropped and a Tab is posted to the control.
    bool TabOnEnterKey(QChar& Key)
    {
        if (!FTabOnEnter || Key != QChar(13))
            return false;
        Key = QChar();
        if (this->HandleAllocated())
            PostMessage(this->WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
        return true;
    }
    // The frame painted on the window's frame area (window DC): the hot
    // look when Hot.
    void PaintWindowFrame(bool Hot)
    {
        PaintOnWindowFrame([&](TCanvas* Canvas) {
            PaintControlFrame(Canvas, this->Width(), this->Height(), Hot ? FFrameHotStyle : FFrameStyle, this->Color(),
                              Hot ? FFrameHotColor : FFrameColor, FFrameSides, true);
        });
    }
    // Paint draws on the window's frame area through the frame canvas.
    template <typename TPaint>
    void PaintOnWindowFrame(TPaint Paint)
    {
        HWND Wnd = this->WindowHandle();
        if (Wnd == nullptr)
            return;
        HDC DC = GetWindowDC(Wnd);
        FFrameCanvas->SetHandle(DC);
        try {
            Paint(FFrameCanvas.get());
        } catch (...) {
            FFrameCanvas->SetHandle(nullptr);
            ReleaseDC(Wnd, DC);
            throw;
        }
        FFrameCanvas->SetHandle(nullptr);
        ReleaseDC(Wnd, DC);
    }
    TControlCanvas* FrameCanvas() const { return FFrameCanvas.get(); }
    bool UpdatingColors() const { return FUpdatingColors; }
    void SetMouseHot(bool Value) { FMouseHot = Value; }

private:
    TControl* Self() const { return const_cast<TFcFramedControl*>(this); }
    void KeepNormalColor()
    {
        if (!FUpdatingColors) {
            if (FFocusColor == FNormalColor)
                FFocusColor = this->Color();
            FNormalColor = this->Color();
        }
        NormalColorKept();
    }

    std::unique_ptr<TControlCanvas> FFrameCanvas;
    bool FUpdatingColors = false;
    TColor FDisabledColor = clBtnFace;
    TColor FFocusColor = clWindow;
    TColor FNormalColor = clWindow;
    TColor FReadOnlyColor = clInfoBk;
    bool FReadOnlyColorOnFocus = false;
    TColor FFrameColor = clBtnShadow;
    TColor FFrameHotColor = clBtnShadow;
    TFcFrameController* FFrameController = nullptr;
    TFcFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
    bool FFrameHotTrack = false;
    TFrameStyle FFrameHotStyle = fsFlatBold;
    TSides FFrameSides = AllSides;
    TFrameStyle FFrameStyle = fsFlat;
    bool FFrameVisible = false;
    TFramingPreference FFramingPreference = fpXPThemes;
    bool FTabOnEnter = false;
    bool FMouseHot = false;
};

// Color as form definitions hold it: the user's own colour, not a state
// colour the control shows while focused or read-only (that one would come
// back as the user's), and only while the control is enabled and the
// controller does not govern it.
#define FC_PUBLISHED_COLOR                                                                                             \
    PUBLISHED_AS(Color, &Self::NormalColor, &Self::SetColor, clWindow).Stored(&Self::IsColorStored)

// The published framing properties every framed editing control shares,
// each under its controller bit (registration lines, in this order).
#define FC_PUBLISHED_FRAMING(Prop, Name, ...)                                                                          \
    PUBLISHED_STORED(Name, __VA_ARGS__, [](const auto& C) { return C.IsFramingStored(Prop); })

#define FC_PUBLISHED_FRAME_PROPERTIES                                                                                  \
    FC_PUBLISHED_FRAMING(fcpDisabledColor, DisabledColor, clBtnFace)                                                   \
    PUBLISHED_STORED(FocusColor, clWindow, &Self::IsFocusColorStored)                                                  \
    FC_PUBLISHED_FRAMING(fcpFrameColor, FrameColor, clBtnShadow)                                                       \
    PUBLISHED(FrameController, nullptr)                                                                                \
    PUBLISHED(FrameControllerNotifications, AllFrameControllerNotifications)                                           \
    FC_PUBLISHED_FRAMING(fcpFrameHotColor, FrameHotColor, clBtnShadow)                                                 \
    FC_PUBLISHED_FRAMING(fcpFrameHotStyle, FrameHotStyle, TFrameStyle(fsFlatBold))                                     \
    FC_PUBLISHED_FRAMING(fcpFrameHotTrack, FrameHotTrack, false)                                                       \
    FC_PUBLISHED_FRAMING(fcpFrameSides, FrameSides, AllSides)                                                          \
    FC_PUBLISHED_FRAMING(fcpFrameStyle, FrameStyle, TFrameStyle(fsFlat))                                               \
    FC_PUBLISHED_FRAMING(fcpFrameVisible, FrameVisible, false)                                                         \
    FC_PUBLISHED_FRAMING(fcpFramingPreference, FramingPreference, fpXPThemes)
