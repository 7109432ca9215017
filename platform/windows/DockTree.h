#pragma once
// TDockTree: the dock manager a dock site uses by default.  It lays its
// docked clients out side by side (one zone each: across the site when it
// is aligned to the top or bottom, stacked otherwise), gives each zone a
// grabber strip with a close button, paints that frame, and answers the
// mouse on it: a press on the grabber drags the client, a double click
// floats it, the close button closes or hides it.
//
// A descendant changes the look through AdjustDockRect (where the grabber
// goes) and PaintDockFrame (what it looks like), and the grabber size.
#include "platform/windows/WinControl.h"

#include <vector>

class TCanvas;

class TDockTree : public IDockManager {
public:
    explicit TDockTree(TWinControl* DockSite);
    ~TDockTree() override;

    TWinControl* DockSite() const { return FDockSite; }
    int GrabberSize() const { return FGrabberSize; }
    void SetGrabberSize(int Value);
    int ZoneCount() const { return int(FZones.size()); }
    TControl* ZoneControl(int Index) const { return FZones[std::size_t(Index)].Control; }
    // The zone's whole rectangle (frame and client) in site coordinates.
    TRect ZoneRect(int Index) const { return FZones[std::size_t(Index)].Rect; }

    // --- IDockManager ---
    void BeginUpdate() override;
    void EndUpdate() override;
    void GetControlBounds(TControl* Control, TRect& CtlBounds) override;
    void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) override;
    void PaintSite(HDC DC) override;
    void PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign, TRect& DockRect) override;
    void RemoveControl(TControl* Control) override;
    void ResetBounds(bool Force) override;
    void SetReplacingControl(TControl* Control) override;
    bool MouseMessage(TMessage& Message) override;

protected:
    // Makes room for the grabber: on the left for sites aligned to the top
    // or bottom, on top otherwise.
    virtual void AdjustDockRect(TControl* Control, TRect& ARect);
    // Paints the frame of a docked client (ARect: its zone).
    virtual void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect);
    // Where the close button of a zone lies.
    virtual TRect CloseButtonRect(TControl* Control, const TRect& ZoneRect);
    bool GrabberOnLeft() const;

private:
    struct TZone {
        TControl* Control;
        TRect Rect;
    };
    int ZoneAt(TPoint P) const;
    void Layout();

    TWinControl* FDockSite;
    std::vector<TZone> FZones;
    int FGrabberSize = 12;
    int FUpdateCount = 0;
    TControl* FReplacing = nullptr;
};
