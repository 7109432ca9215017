#include "controls/lists/FcRapidFireButton.h"

#include "platform/classes/TypInfo.h"
#include "platform/graphics/Bitmap.h"

#include <memory>

REGISTER_ENUM(TFcScrollStyle, scsNone, scsLeft, scsUp, scsRight, scsDown)

REGISTER_COMPONENT(TFcRapidFireButton, TSpeedButton)
    // A scroll style's arrow is made again from the style.
    PUBLISHED_OBJECT(Glyph).Stored([](const TFcRapidFireButton& B) { return B.ScrollStyle() == scsNone; })
        PUBLISHED(Delay, std::uint16_t(100)) PUBLISHED(InitialDelay, std::uint16_t(400)) PUBLISHED(ScrollStyle, scsNone)
END_REGISTER

TFcRapidFireButton::TFcRapidFireButton(TComponent* AOwner) : TSpeedButton(AOwner)
{}

void TFcRapidFireButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (!FRepeating)
        return;
    if (FRepeatTimer == nullptr) {
        FRepeatTimer = new TTimer(this);
        FRepeatTimer->SetEnabled(false);
        FRepeatTimer->SetOnTimer([this](TObject* Sender) { RepeatTick(Sender); });
    }
    FRepeatTimer->SetInterval(FInitialDelay);
    FRepeatTimer->SetEnabled(true);
}

void TFcRapidFireButton::RepeatTick(TObject* Sender)
{
    (void)Sender;
    FRepeatTimer->SetInterval(FDelay);
    if (FState == bsDown && MouseCapture()) {
        try {
            Click();
        } catch (...) {
            // A click that fails ends the repeat; the error goes on.
            FRepeatTimer->SetEnabled(false);
            throw;
        }
    }
}

void TFcRapidFireButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer != nullptr)
        FRepeatTimer->SetEnabled(false);
}

void TFcRapidFireButton::Paint()
{
    TSpeedButton::Paint();
    if (!FShowFocusRect)
        return;
    TRect R = ClientRect();
    InflateRect(R, -3, -3);
    if (FState == bsDown)
        OffsetRect(R, 1, 1);
    Canvas()->DrawFocusRect(R);
}

void TFcRapidFireButton::SetScrollStyle(TFcScrollStyle Value)
{
    FScrollStyle = Value;
    BuildScrollGlyph();
    Invalidate();
}

void TFcRapidFireButton::BuildScrollGlyph()
{
    Glyph()->Assign(nullptr);
    if (FScrollStyle == scsNone)
        return;
    // The arrow of a scroll-bar button, cut out of a whole button face.
    struct TPart {
        unsigned State;
        TRect Source;
    };
    static const TPart Parts[] = {
        {},
        {DFCS_SCROLLLEFT, Bounds(4, 4, 9, 9)},
        {DFCS_SCROLLUP, Bounds(4, 5, 9, 6)},
        {DFCS_SCROLLRIGHT, Bounds(6, 4, 9, 9)},
        {DFCS_SCROLLDOWN, Bounds(4, 6, 9, 6)},
    };
    const TPart& Part = Parts[FScrollStyle];
    auto Face = std::make_unique<TBitmap>();
    Face->SetSize(17, 17);
    TRect R{0, 0, 17, 17};
    const unsigned State = Part.State | (Down() ? DFCS_PUSHED : 0u) | (Enabled() ? 0u : DFCS_INACTIVE);
    DrawFrameControl(Face->Canvas()->Handle(), &R, DFC_SCROLL, State);
    auto Arrow = std::make_unique<TBitmap>();
    Arrow->SetSize(Part.Source.Width(), Part.Source.Height());
    Arrow->Canvas()->CopyRect(Rect(0, 0, Part.Source.Width(), Part.Source.Height()), Face->Canvas(), Part.Source);
    SetGlyph(Arrow.get());
}
