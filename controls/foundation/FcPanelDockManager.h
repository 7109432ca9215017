#pragma once
// TFcPanelDockManager: the dock manager of a framed panel that is a dock
// site.  The platform's dock tree lays the clients out; this one gives each
// a 14-pixel grabber with the client's caption in the caption colours
// (active while the client has the focus) and a close cross, on the left
// for panels along the top or bottom edge and on top otherwise.  Without
// ShowDockClientCaptions the platform's own grabber is painted.
#include "platform/windows/DockTree.h"

class TFcCustomPanel;

class TFcPanelDockManager : public TDockTree {
public:
    explicit TFcPanelDockManager(TFcCustomPanel* DockSite);

protected:
    void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect) override;
    TRect CloseButtonRect(TControl* Control, const TRect& ZoneRect) override;

private:
    void PaintCaptionOnTop(TCanvas* Canvas, const String& Text, const TRect& Strip);
    void PaintCaptionOnLeft(TCanvas* Canvas, const String& Text, const TRect& Strip);

    TFcCustomPanel* FPanel;
};

// The grabber's width, and the size of the caption font ("Verdana").
inline constexpr int FcDockGrabberSize = 14;
