#pragma once
// TFcURLLabel (unit FcLabel): a label that is a link.  Clicking it hands
// URL (or, without one, the caption) to the shell and shows the label in
// its visited colour once the desktop took it; a failed hand-off shows no
// message.  The cursor over it is the pointing hand.
#include "controls/foundation/FcLabel.h"

#include <functional>

// The screen cursor slot of the link hand.
inline constexpr TCursor crFcHandCursor = TCursor(26000);

class TFcURLLabel : public TFcLabel {
public:
    explicit TFcURLLabel(TComponent* AOwner);

    String URL() const { return FURL; }
    void SetURL(const String& Value) { FURL = Value; }
    bool Visited() const { return FVisited; }
    void SetVisited(bool Value);
    TColor UnvisitedColor() const { return FUnvisitedColor; }
    void SetUnvisitedColor(TColor Value);
    TColor VisitedColor() const { return FVisitedColor; }
    void SetVisitedColor(TColor Value);

    void Click() override;

protected:
    // The font colour follows Visited.
    virtual void UpdateLinkColor();

private:
    String FURL;
    bool FVisited = false;
    TColor FUnvisitedColor = clHighlight;
    TColor FVisitedColor = TColor(0x800080);
};

// "Open with" for a page the desktop would not open: Pattern names the
// kind of file ("*.htm").  The default offers nothing (this desktop has no
// chooser to call on); a program or test may install one.
using TOpenWithHook = std::function<void(const String& Pattern)>;
void SetOpenWithHook(TOpenWithHook Hook);
