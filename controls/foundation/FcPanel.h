#pragma once
// TFcCustomPanel (unit FcPanel): the container of the framed control
// library.  A platform panel that paints its own border (outer style, a
// band of BorderWidth, inner style, on the chosen sides), fills its client
// area with a colour or a gradient or lets its parent show through, draws
// a word-wrapped caption aligned both ways with margins, can show a design
// grid, remembers which children were disabled when it disables them, and
// takes its frame from a TFcFrameController.  TFcPanel publishes it; the
// group box, status bar and popup panel are built on it.
#include "controls/foundation/FcFrameController.h"
#include "controls/foundation/FcTypes.h"
#include "platform/stdctrls/ExtCtrls.h"

#include <cstdint>
#include <unordered_map>

enum TFcGridStyle { gsDots, gsDottedLines, gsSolidLines };

class TFcCustomPanel : public TCustomPanel, public IFcFrameControllerClient {
public:
    explicit TFcCustomPanel(TComponent* AOwner);
    ~TFcCustomPanel() override;

    // The mouse position in client coordinates.
    virtual TPoint CursorPosition();
    // R moved in by the borders on the chosen sides, outer style then inner
    // style; with IncludeBorderWidth by the band of BorderWidth first.
    virtual void AdjustRectForBorders(TRect& R, bool IncludeBorderWidth);
    // Where the border is painted: the whole panel.
    virtual TRect GetPaintRect();
    // How far beyond the border a resize repaints.
    virtual TPoint GetRepaintMargin();
    // The gradient of the client area and of gradient-style frames.
    virtual void GetGradientColors(TColor& Start, TColor& Stop);
    // The colour of flat borders and how much it is lightened or darkened.
    virtual void GetFlatColors(TColor& FlatColor, int& Adjustment);
    virtual void DrawCaption(const TRect& R);
    virtual void DrawGrid(const TRect& R);
    void ApplyFrameController() override;

    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    void SetAlignmentVertical(TAlignmentVertical Value) { SetPaintProperty(FAlignmentVertical, Value); }
    // Changing a border style or the sides aligns the children again.
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    virtual void SetBorderInner(TFrameStyleEx Value) { SetLayoutProperty(FBorderInner, Value); }
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    virtual void SetBorderOuter(TFrameStyleEx Value) { SetLayoutProperty(FBorderOuter, Value); }
    TSides BorderSides() const { return FBorderSides; }
    virtual void SetBorderSides(TSides Value) { SetLayoutProperty(FBorderSides, Value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { SetPaintProperty(FBorderColor, Value); }
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor Value) { SetPaintProperty(FBorderHighlight, Value); }
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor Value) { SetPaintProperty(FBorderShadow, Value); }
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor Value) { SetPaintProperty(FFlatColor, Value); }
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int Value) { SetPaintProperty(FFlatColorAdjustment, Value); }
    TFcFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TFcFrameController* Value);
    TFcFrameControllerNotifications FrameControllerNotifications() const { return FFrameControllerNotifications; }
    void SetFrameControllerNotifications(TFcFrameControllerNotifications Value);
    TFcGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    virtual void SetGradientColorStyle(TFcGradientColorStyle Value) { SetPaintProperty(FGradientColorStyle, Value); }
    // The gradient's colours and direction: transparent children show them.
    TColor GradientColorStart() const { return FGradientColorStart; }
    void SetGradientColorStart(TColor Value);
    TColor GradientColorStop() const { return FGradientColorStop; }
    void SetGradientColorStop(TColor Value);
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor Value) { SetPaintProperty(FGridColor, Value); }
    TFcGridStyle GridStyle() const { return FGridStyle; }
    void SetGridStyle(TFcGridStyle Value) { SetPaintProperty(FGridStyle, Value); }
    std::uint16_t GridXSize() const { return FGridXSize; }
    void SetGridXSize(std::uint16_t Value) { SetPaintProperty(FGridXSize, Value); }
    std::uint16_t GridYSize() const { return FGridYSize; }
    void SetGridYSize(std::uint16_t Value) { SetPaintProperty(FGridYSize, Value); }
    bool PaintClientArea() const { return FPaintClientArea; }
    void SetPaintClientArea(bool Value) { SetPaintProperty(FPaintClientArea, Value); }
    bool ShowDockClientCaptions() const { return FShowDockClientCaptions; }
    void SetShowDockClientCaptions(bool Value) { SetPaintProperty(FShowDockClientCaptions, Value); }
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool Value) { SetPaintProperty(FShowGrid, Value); }
    int TextMargin() const { return FTextMargin; }
    void SetTextMargin(int Value) { SetPaintProperty(FTextMargin, Value); }
    int TextMarginVertical() const { return FTextMarginVertical; }
    void SetTextMarginVertical(int Value) { SetPaintProperty(FTextMarginVertical, Value); }
    // A transparent panel shows its parent under it and every child paints
    // again.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TFcVisualStyle VisualStyle() const { return FVisualStyle; }
    virtual void SetVisualStyle(TFcVisualStyle Value) { SetPaintProperty(FVisualStyle, Value); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { SetPaintProperty(FWordWrap, Value); }
    DECLARE_EVENT(TNotifyEvent, OnPaint)

    bool IsColorStored() const;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    // Whether the client rectangle itself leaves the borders out (a dock
    // site's, for its dock manager); otherwise only aligning does.
    virtual bool ClientRectExcludesBorders() { return DockSite(); }
    // Whether Paint covers every pixel, so that erasing first is wasted.
    virtual bool PaintCoversBackground() { return !FTransparent && FPaintClientArea; }
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WMWindowPosChanged(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    std::unique_ptr<IDockManager> CreateDockManager() override;
    // Borders take room: the children are aligned again.
    void LayoutPropertyChanged() override;

private:
    void FillClientArea(const TRect& R);
    void RepaintBorderStrips(const WINDOWPOS& Pos);
    void RememberAndDisableChildren();
    void EnableRememberedChildren();

    TAlignmentVertical FAlignmentVertical = avCenter;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsRaised;
    TSides FBorderSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TFcFrameController* FFrameController = nullptr;
    TFcFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
    TFcGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FGradientColorStart = clWhite;
    TColor FGradientColorStop = clBtnFace;
    TGradientDirection FGradientDirection = gdHorizontalEnd;
    TColor FGridColor = clBtnShadow;
    TFcGridStyle FGridStyle = gsDots;
    std::uint16_t FGridXSize = 8;
    std::uint16_t FGridYSize = 8;
    bool FPaintClientArea = true;
    bool FShowDockClientCaptions = true;
    bool FShowGrid = false;
    int FTextMargin = 0;
    int FTextMarginVertical = 0;
    bool FTransparent = false;
    TFcVisualStyle FVisualStyle = vsWinXP;
    bool FWordWrap = true;
    // Whether each child was enabled when the panel last disabled them,
    // by the child itself: unnamed children must not share an entry.
    std::unordered_map<TControl*, bool> FEnabledMemory;
};

class TFcPanel : public TFcCustomPanel {
public:
    explicit TFcPanel(TComponent* AOwner) : TFcCustomPanel(AOwner) {}
};
