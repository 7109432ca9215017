#pragma once
// TFcResourceStatus (unit FcStatus): a polling pane that shows how much
// memory is free, as a bar (plain, LED segments or gradient) or as a text
// in KB, with the percentage in its hint ("Memory: 42%").  The figure is
// free physical memory plus free swap out of all of both, counted in 64
// bits; a system that reports no memory at all shows 0 %.
#include "controls/foundation/FcPollingStatus.h"

enum TDisplayStyle { dsBar, dsText };
using TSegmentRange = int;

class TFcResourceStatus;

// The names the hint gives the figure.  "System" names the free system
// resources of old systems, which are never shown here.
class TFcResourceStrings : public TPersistent {
public:
    explicit TFcResourceStrings(TFcResourceStatus* Pane = nullptr) : FPane(Pane) {}
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer) override;

    String System() const { return FSystem; }
    void SetSystem(const String& Value) { Change(FSystem, Value); }
    String Memory() const { return FMemory; }
    void SetMemory(const String& Value) { Change(FMemory, Value); }

private:
    void Change(String& Field, const String& Value);

    TFcResourceStatus* FPane;
    String FSystem = QStringLiteral("System");
    String FMemory = QStringLiteral("Memory");
};

class TFcResourceStatus : public TFcPollingStatus {
public:
    explicit TFcResourceStatus(TComponent* AOwner);
    ~TFcResourceStatus() override;

    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor Value) { SetPaintProperty(FBackColor, Value); }
    TColor BackColorStop() const { return FBackColorStop; }
    void SetBackColorStop(TColor Value) { SetPaintProperty(FBackColorStop, Value); }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor Value) { SetPaintProperty(FBarColor, Value); }
    TColor BarColorStop() const { return FBarColorStop; }
    void SetBarColorStop(TColor Value) { SetPaintProperty(FBarColorStop, Value); }
    // Changing the style also turns ShowPercent off.
    TBarStyle BarStyle() const { return FBarStyle; }
    void SetBarStyle(TBarStyle Value);
    TDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    void SetDisplayStyle(TDisplayStyle Value) { SetPaintProperty(FDisplayStyle, Value); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { SetPaintProperty(FGradientDirection, Value); }
    TSegmentRange NumSegments() const { return FNumSegments; }
    void SetNumSegments(TSegmentRange Value) { SetPaintProperty(FNumSegments, Value); }
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value) { SetPaintProperty(FOrientation, Value); }
    TFcResourceStrings* ResourceStrings() const { return FResourceStrings.get(); }
    bool ShowPercent() const { return FShowPercent; }
    void SetShowPercent(bool Value) { SetPaintProperty(FShowPercent, Value); }

    // The figures of the last tick.
    int Percent() const { return FPercent < 0 ? 0 : FPercent; }
    std::uint64_t FreeKB() const { return FFreeKB; }
    // "12,345 KB", as the text style shows it.
    String FreeText() const;
    void TimerExpired() override;

    // For the resource strings: one of them changed.
    void ResourceStringsChanged();
    bool ResourceStringsStored() const { return FResourceStringsChanged; }
    void DefineProperties(TFiler& Filer) override;

protected:
    void Paint() override;

private:
    void UpdateHint();
    void PaintBar();

    TColor FBackColor = clBtnFace;
    TColor FBackColorStop = clBtnFace;
    TColor FBarColor = clHighlight;
    TColor FBarColorStop = clHotLight;
    TBarStyle FBarStyle = bsTraditional;
    TDisplayStyle FDisplayStyle = dsBar;
    TGradientDirection FGradientDirection = gdHorizontalCenter;
    TSegmentRange FNumSegments = 15;
    TOrientation FOrientation = orHorizontal;
    std::unique_ptr<TFcResourceStrings> FResourceStrings;
    bool FResourceStringsChanged = false;
    bool FShowPercent = false;
    int FPercent = -1;
    std::uint64_t FFreeKB = 0;
};
