#pragma once
// TFcBalloonHints (unit FcBHints): while it exists, the application's
// hints are balloons (TFcCustomHintWindow) with its settings.  The
// application makes its hint window anew when one is created, and gets its
// previous hint window class back when the last one goes.
// TFcBalloonBitmaps lets a form draw the balloon from four corner bitmaps
// instead; a missing corner is another one mirrored.
#include "controls/foundation/FcHintWindow.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"

#include <memory>

class TFcBalloonBitmaps : public TPersistent {
public:
    TFcBalloonBitmaps();
    ~TFcBalloonBitmaps() override;

    void Assign(TPersistent* Source) override;

    TBitmap* LowerRight() const { return FBitmaps[hcLowerRight].get(); }
    void SetLowerRight(TBitmap* Value) { SetBitmap(hcLowerRight, Value); }
    TBitmap* LowerLeft() const { return FBitmaps[hcLowerLeft].get(); }
    void SetLowerLeft(TBitmap* Value) { SetBitmap(hcLowerLeft, Value); }
    TBitmap* UpperLeft() const { return FBitmaps[hcUpperLeft].get(); }
    void SetUpperLeft(TBitmap* Value) { SetBitmap(hcUpperLeft, Value); }
    TBitmap* UpperRight() const { return FBitmaps[hcUpperRight].get(); }
    void SetUpperRight(TBitmap* Value) { SetBitmap(hcUpperRight, Value); }
    TBitmap* Bitmap(TFcHintCorner Corner) const { return FBitmaps[Corner].get(); }
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value);
    DECLARE_EVENT(TNotifyEvent, OnChange)

    // Whether any of the four holds a picture.
    bool AnyImage() const;

private:
    void SetBitmap(TFcHintCorner Corner, TBitmap* Value);
    void Changed();

    std::unique_ptr<TBitmap> FBitmaps[4];
    TColor FTransparentColor = clOlive;
};

class TFcBalloonHints : public TComponent {
public:
    explicit TFcBalloonHints(TComponent* AOwner);
    ~TFcBalloonHints() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TFcBalloonBitmaps* Bitmaps() const { return FBitmaps.get(); }
    void SetBitmaps(TFcBalloonBitmaps* Value) { FBitmaps->Assign(Value); }
    int CaptionWidth() const { return FCaptionWidth; }
    void SetCaptionWidth(int Value);
    int CenterThreshold() const { return FCenterThreshold; }
    void SetCenterThreshold(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    TFcHintCorner Corner() const { return FCorner; }
    void SetCorner(TFcHintCorner Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // The application's pauses (a field of its own while designed).
    int HintPause() const;
    void SetHintPause(int Value);
    int HintShortPause() const;
    void SetHintShortPause(int Value);
    bool ShowBalloon() const { return FShowBalloon; }
    void SetShowBalloon(bool Value);
    TSetHintWinSizeEvent OnSetHintWinSize() const { return FOnSetHintWinSize; }
    void SetOnSetHintWinSize(TSetHintWinSizeEvent Value);
    TSetHintRectEvent OnSetHintRect() const { return FOnSetHintRect; }
    void SetOnSetHintRect(TSetHintRectEvent Value);
    TShowHintEvent OnShowHint() const { return FOnShowHint; }
    void SetOnShowHint(TShowHintEvent Value) { FOnShowHint = std::move(Value); }

    // The hint window its settings are in (nullptr: none now).
    TFcCustomHintWindow* HintWindow() const { return FWindow; }
    // The window's side of the link.
    void SetHintWindow(TFcCustomHintWindow* Value) { FWindow = Value; }

    void DefineProperties(TFiler& Filer) override;

private:
    void FontChanged(TObject* Sender);

    TAlignment FAlignment = taLeftJustify;
    std::unique_ptr<TFcBalloonBitmaps> FBitmaps;
    int FCaptionWidth = 100;
    int FCenterThreshold = 80;
    TColor FColor = clInfoBk;
    TColor FFrameColor = cl3DDkShadow;
    TFcHintCorner FCorner = hcUpperRight;
    std::unique_ptr<TFont> FFont;
    int FHintPause = 500;
    int FHintShortPause = 0;
    bool FShowBalloon = true;
    TEventSlot<TSetHintWinSizeEvent> FOnSetHintWinSize;
    TEventSlot<TSetHintRectEvent> FOnSetHintRect;
    TEventSlot<TShowHintEvent> FOnShowHint;
    TFcCustomHintWindow* FWindow = nullptr;
};
