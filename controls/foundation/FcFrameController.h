#pragma once
// TFcFrameController: one set of frame and colour settings (16 properties)
// pushed to every framed control that names the controller in its
// FrameController property.  A control that implements
// IFcFrameControllerClient copies what it wants itself; any other control
// is given each property by name, where it publishes one of that name.  A
// framed control's FrameControllerNotifications say which of the 16 it
// takes from the controller; those it takes are not written to its form
// definition.
#include "controls/foundation/FcRegIniFile.h"
#include "controls/foundation/FcTypes.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/Colors.h"

#include <vector>

// The 16 properties in their notification bit order, and fcpAll.
enum TFcFrameControllerProperty {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference,
    fcpAll
};
// Which of the 16 a control takes: bit n is property n (fcpAll has none).
using TFcFrameControllerNotifications = TSet<TFcFrameControllerProperty>;
inline constexpr TFcFrameControllerNotifications AllFrameControllerNotifications =
    TFcFrameControllerNotifications::FromBits(0xFFFF);

// The framing notification (GUID {6050D400-9F78-4460-AF5A-447521464426}):
// a control implementing it reads the controller's values itself, filtered
// by its own FrameControllerNotifications, and repaints.
class IFcFrameControllerClient {
public:
    virtual ~IFcFrameControllerClient() = default;
    virtual void ApplyFrameController() = 0;
};

class TFcFrameController : public TComponent {
public:
    explicit TFcFrameController(TComponent* AOwner);
    ~TFcFrameController() override;

    void Assign(TPersistent* Source) override;

    // Setting Color moves FocusColor along while the two were equal, and
    // clears ParentColor.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor Value);
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    void SetReadOnlyColor(TColor Value);
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value);
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    void SetFlatButtonColor(TColor Value);
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool Value);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    TColor FrameHotColor() const { return FFrameHotColor; }
    void SetFrameHotColor(TColor Value);
    TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
    void SetFrameHotStyle(TFrameStyle Value);
    // Switching it on makes the frame visible on all four sides (the sides
    // are left as read while loading).
    bool FrameHotTrack() const { return FFrameHotTrack; }
    void SetFrameHotTrack(bool Value);
    TSides FrameSides() const { return FFrameSides; }
    void SetFrameSides(TSides Value);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle Value);
    bool FrameVisible() const { return FFrameVisible; }
    void SetFrameVisible(bool Value);
    TFramingPreference FramingPreference() const { return FFramingPreference; }
    void SetFramingPreference(TFramingPreference Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFcRegIniFile* RegIniFile() const { return FRegIniFile; }
    void SetRegIniFile(TFcRegIniFile* Value);
    bool IsColorStored() const { return !FParentColor; }

    // A control names this controller: it joins the list (once) and is
    // given all 16 settings at once.
    void RegisterFramedControl(TComponent* Control);
    void UnregisterFramedControl(TComponent* Control);
    // The registered controls, in registration order.
    const std::vector<TComponent*>& FramedControls() const { return FControls; }

    // Gives Control the property Prop (fcpAll: all 16) by the rules above.
    virtual void PushFrameProperty(TComponent* Control, TFcFrameControllerProperty Prop);
    // PushFrameProperty for every registered control, unless an update is
    // in progress.
    virtual void PushPropertyToAll(TFcFrameControllerProperty Prop);
    // Changes between them reach no control; the last EndUpdate pushes
    // everything once.
    void BeginUpdate();
    void EndUpdate();

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    template <typename T>
    void Change(T& Field, const T& Value, TFcFrameControllerProperty Prop);
    void PushByName(TComponent* Control, TFcFrameControllerProperty Prop);

    TColor FColor = clWindow;
    TColor FDisabledColor = clBtnFace;
    TColor FReadOnlyColor = clInfoBk;
    bool FReadOnlyColorOnFocus = false;
    TColor FFlatButtonColor = clBtnFace;
    bool FFlatButtons = true;
    TColor FFocusColor = clWindow;
    TColor FFrameColor = clBtnShadow;
    TColor FFrameHotColor = clBtnShadow;
    TFrameStyle FFrameHotStyle = fsFlatBold;
    bool FFrameHotTrack = false;
    TSides FFrameSides = AllSides;
    TFrameStyle FFrameStyle = fsFlat;
    bool FFrameVisible = false;
    TFramingPreference FFramingPreference = fpXPThemes;
    bool FParentColor = false;
    TFcRegIniFile* FRegIniFile = nullptr;
    std::vector<TComponent*> FControls;
    int FUpdateCount = 0;
};

// --- for the framed controls -------------------------------------------------

// The FrameController setter of a framed control: leaves the old
// controller, takes the new one (which gives it all its settings) and
// hears when it goes.  The control clears Field itself on
// Notification(opRemove) and leaves its controller in its destructor.
void ChangeFrameController(TComponent* Control, TFcFrameController*& Field, TFcFrameController* Value);
// The stored rule of a framing property: written only without a
// controller, or when the control does not take Prop from it.
bool IsFramingPropertyStored(const TFcFrameController* Controller, TFcFrameControllerNotifications Notifications,
                             TFcFrameControllerProperty Prop);
// Obsolete names of old form definitions, read into Control's properties
// by name: "FrameFlat" (FrameHotTrack; when true FrameStyle fsStatus and
// FrameHotStyle fsLowered), "FrameFocusStyle" (FrameHotStyle), and
// "FrameFlatStyle" (dropped).
void DefineOldFrameProperties(TFiler& Filer, TComponent* Control);
