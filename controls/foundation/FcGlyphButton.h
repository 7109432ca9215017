#pragma once
// TFcCustomGlyphButton (unit FcRadChk): a button that shows a small state
// glyph (the box of a check box) beside its caption.  The glyph is painted
// (themed, in the hot-track colours, or the classic frame control) or cut
// from CustomGlyphs, one cell per state; the whole control is composed
// off-screen, over its parent when Transparent.  It takes its frame and
// colour settings from a frame controller.
#include "controls/foundation/FcCustomButton.h"
#include "controls/foundation/FcFrameController.h"
#include "platform/classes/Alignment.h"
#include "platform/graphics/Bitmap.h"

#include <memory>

class TFcCustomGlyphButton : public TFcCustomButton, public IFcFrameControllerClient {
public:
    TFcCustomGlyphButton(TComponent* AOwner, int CellCount);
    ~TFcCustomGlyphButton() override;

    void ApplyFrameController() override;

    // taRightJustify: the caption right of the glyph.
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value) { SetPaintProperty(FAlignment, Value); }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) { SetPaintProperty(FFrameColor, Value); }
    // One cell per state side by side; assigning a picture switches
    // UseCustomGlyphs on, an empty one off.
    TBitmap* CustomGlyphs() const { return FCustomGlyphs.get(); }
    void SetCustomGlyphs(TBitmap* Value);
    bool UseCustomGlyphs() const { return FUseCustomGlyphs; }
    void SetUseCustomGlyphs(bool Value);
    // Pixels of this colour in a painted glyph show the background.
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value) { SetPaintProperty(FTransparentColor, Value); }
    // Pixels of this colour in a custom glyph show the background.
    TColor WinMaskColor() const { return FWinMaskColor; }
    void SetWinMaskColor(TColor Value) { SetPaintProperty(FWinMaskColor, Value); }
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor Value) { SetPaintProperty(FFillColor, Value); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { SetPaintProperty(FFocusColor, Value); }
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor Value) { SetPaintProperty(FDisabledColor, Value); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { SetPaintProperty(FReadOnly, Value); }
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value) { SetPaintProperty(FReadOnlyColorOnFocus, Value); }
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    void SetReadOnlyColor(TColor Value) { SetPaintProperty(FReadOnlyColor, Value); }
    // Enter moves on to the next control, as Tab does.
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
    TFcButtonHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    void SetHotTrackStyle(TFcButtonHotTrackStyle Value) { SetPaintProperty(FHotTrackStyle, Value); }
    TFcFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TFcFrameController* Value);
    TFcFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TFcFrameControllerNotifications Value) { FNotifications = Value; }
    void SetTransparent(bool Value) override;

    bool Checked() const { return GetChecked(); }
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool Value) { (void)Value; }
    // The glyph's size and its top-left corner in the control.
    int GlyphWidth() const { return FGlyphWidth; }
    int GlyphHeight() const { return FGlyphHeight; }
    TPoint GlyphPosition();
    // Set while the action link changes the checked state: no click.
    bool SettingFromAction() const { return FSettingFromAction; }
    void SetSettingFromAction(bool Value) { FSettingFromAction = Value; }
    bool IsCheckedStored() const;
    // Stored rule of a framing property: not while a controller gives it.
    bool IsFramed(TFcFrameControllerProperty Prop) const;

    void DefineProperties(TFiler& Filer) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

protected:
    // Paints the state glyph into Bitmap (GlyphWidth x GlyphHeight).
    virtual void DrawFace(TBitmap* Bitmap) = 0;
    virtual void DrawGlyph(TCanvas* ACanvas);
    // Dest becomes Width x Height holding cell Index of Source.
    virtual void ExtractGlyphCell(int Index, TBitmap* Dest, int Width, int Height, TBitmap* Source);
    // The face is composed and shown at once, not at the next paint.
    void RepaintButton() override { PaintNow(); }
    void RepaintFocus() override { PaintNow(); }
    void GetHotTrackRect(TRect& R) override;
    void PaintTransparentBackground(HDC DC) override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    void Dispatch(TMessage& Message) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Between a mouse press and its release: a toggle now is the mouse's.
    bool MousePressed() const { return FMousePressed; }
    int CellCount() const { return FCellCount; }

private:
    void CustomGlyphsChanged(TObject* Sender);
    void UpdateGlyphSize();
    void PaintNow();
    void RebuildBackground();

    TLeftRight FAlignment = taRightJustify;
    TColor FFrameColor = clBtnShadow;
    int FCellCount;
    std::unique_ptr<TBitmap> FCustomGlyphs;
    bool FUseCustomGlyphs = false;
    TColor FTransparentColor = TColor(0x008080);
    TColor FWinMaskColor = TColor(0x00FF00);
    TColor FFillColor = clWindow;
    TColor FFocusColor = clWindow;
    TColor FDisabledColor = clBtnFace;
    bool FReadOnly = false;
    bool FReadOnlyColorOnFocus = false;
    TColor FReadOnlyColor = clInfoBk;
    int FGlyphWidth = 13;
    int FGlyphHeight = 13;
    bool FTabOnEnter = false;
    TFcButtonHotTrackStyle FHotTrackStyle = htsInterior;
    TFcFrameController* FFrameController = nullptr;
    TFcFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
    bool FSettingFromAction = false;
    std::unique_ptr<TBitmap> FBackground;
    bool FBackgroundStale = true;
    bool FMousePressed = false;
};

// The checked state follows the action while the two agree; the action's
// changes reach the control without a click.
class TFcCheckedActionLink : public TWinControlActionLink {
public:
    explicit TFcCheckedActionLink(TFcCustomGlyphButton* Client);

    bool IsCheckedLinked() override;
    void SetChecked(bool Value) override;

protected:
    TFcCustomGlyphButton* FClient;
};
