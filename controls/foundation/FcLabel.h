#pragma once
// TFcLabel (unit FcLabel): the platform label with 3-D text (raised,
// recessed, shadowed), text turned to any angle (flat) or set along an
// ellipse (curve), a border of the frame styles, blinking in the shared
// rhythm of the blinking list, a fly-by colour while the mouse is over it,
// captions shortened with an ellipsis, and frame-controller membership.
#include "controls/foundation/FcFrameController.h"
#include "controls/foundation/FcTypes.h"
#include "platform/stdctrls/Label.h"

#include <cstdint>

enum TRotation { roNone, roFlat, roCurve };
enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
enum TFcCondenseCaption { ccNone, ccAtEnd, ccWithinPath };

class TFcLabel : public TCustomLabel, public IFcFrameControllerClient {
public:
    explicit TFcLabel(TComponent* AOwner);
    ~TFcLabel() override;

    void ApplyFrameController() override;

    // Degrees anticlockwise, kept in 0..359 (-90 is 270, 450 is 90).  A
    // turned label is drawn flat (Rotation roFlat) at least.
    int Angle() const { return FAngle; }
    void SetAngle(int Value);
    TRotation Rotation() const { return FRotation; }
    void SetRotation(TRotation Value);
    TCenterPoint CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(TCenterPoint Value) { SetPaintProperty(FCenterPoint, Value); }

    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool Value);
    TColor BlinkColor() const { return FBlinkColor; }
    void SetBlinkColor(TColor Value) { SetPaintProperty(FBlinkColor, Value); }
    // The blinking list's intervals, shared by every blinking control.
    std::uint16_t BlinkIntervalOff() const;
    void SetBlinkIntervalOff(std::uint16_t Value);
    std::uint16_t BlinkIntervalOn() const;
    void SetBlinkIntervalOn(std::uint16_t Value);

    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value) { SetLayoutProperty(FBevelWidth, Value); }
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    void SetBorderInner(TFrameStyleEx Value) { SetLayoutProperty(FBorderInner, Value); }
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TFrameStyleEx Value) { SetLayoutProperty(FBorderOuter, Value); }
    TSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TSides Value) { SetLayoutProperty(FBorderSides, Value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { SetPaintProperty(FBorderColor, Value); }
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor Value) { SetPaintProperty(FBorderHighlight, Value); }
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor Value) { SetPaintProperty(FBorderShadow, Value); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { SetLayoutProperty(FBorderWidth, Value); }
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor Value) { SetPaintProperty(FFlatColor, Value); }
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int Value) { SetPaintProperty(FFlatColorAdjustment, Value); }
    // Shortened captions turn AutoSize off.
    TFcCondenseCaption CondenseCaption() const { return FCondenseCaption; }
    void SetCondenseCaption(TFcCondenseCaption Value);
    TFcFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TFcFrameController* Value);
    TFcFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TFcFrameControllerNotifications Value) { FNotifications = Value; }
    TColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(TColor Value) { SetPaintProperty(FFlyByColor, Value); }
    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool Value);
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool Value) { SetPaintProperty(FLightTextStyle, Value); }
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle Value) { SetPaintProperty(FTextStyle, Value); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value) { SetPaintProperty(FHighlightColor, Value); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value) { SetPaintProperty(FShadowColor, Value); }
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int Value) { SetPaintProperty(FShadowDepth, Value); }
    int TextMargin() const { return FTextMargin; }
    void SetTextMargin(int Value) { SetPaintProperty(FTextMargin, Value); }

    // The colour the text is drawn in now: the normal one, or BlinkColor in
    // the blink phase.
    TColor CurrentFontColor() const { return FCurrentFontColor; }
    // The point the text turns about (flat) or the curve's centre.
    TPoint CenterPointPosition();
    // The curve's radii.
    TPoint CurveRadii();
    // Width of each side's border (left, top, right, bottom).
    TRect BorderWidths() const;

    void DefineProperties(TFiler& Filer) override;

protected:
    virtual void BlinkPhaseChanged(bool On);
    void AdjustBounds() override;
    void LayoutPropertyChanged() override;
    void DoDrawText(TRect& Rect, unsigned Flags) override;
    String GetLabelText() override { return Caption(); }
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    // Sets the font colour on behalf of the label (fly-by, links) while
    // keeping the normal and current colours in step.
    void SetFontColor(TColor Value);

private:
    bool IsLoading() const;
    void FontChanged();
    void UseScalableFont();
    unsigned TextFlags();
    TRect TextRect();
    void DrawPasses(const std::function<void(int DX, int DY, TColor Color)>& Draw);
    void PaintFlatText();
    void PaintCurvedText();

    int FAngle = 0;
    TColor FBlinkColor = clHighlight;
    bool FBlinkOn = false;
    bool FBlinking = false;
    int FBevelWidth = 1;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsNone;
    TSides FBorderSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    int FBorderWidth = 0;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TColor FNormalFontColor = clWindowText;
    TFcFrameController* FFrameController = nullptr;
    TFcFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
    TCenterPoint FCenterPoint = cpCenter;
    TColor FSavedFontColor = clWindowText;
    bool FNoParentColor = false;
    bool FFlyByEnabled = false;
    TColor FFlyByColor = clHighlight;
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsNormal;
    TRotation FRotation = roNone;
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    int FShadowDepth = 2;
    int FTextMargin = 0;
    TFcCondenseCaption FCondenseCaption = ccNone;
    TColor FCurrentFontColor = clWindowText;
    bool FInFlyBy = false;
    bool FSettingFontColor = false;
};
