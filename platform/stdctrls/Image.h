#pragma once
// TImage: shows a picture (a bitmap or an icon) from the form definition or
// from code.  Stretch fills the control with it, Proportional shrinks a
// picture that does not fit (never enlarging it unless Stretch), Center
// centres it, and AutoSize makes the control the picture's size.  Canvas
// draws on the picture's bitmap (made when there is none).
#include "platform/windows/GraphicControl.h"
#include "platform/graphics/Picture.h"

#include <memory>

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool IncrementalDisplay() const { return FIncrementalDisplay; }
    void SetIncrementalDisplay(bool Value) { FIncrementalDisplay = Value; }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // The canvas of the picture's bitmap; raises EInvalidOperation "Can
    // only modify an image if it contains a bitmap" for an icon.
    TCanvas* Canvas();
    // Where the picture goes in the client area.
    TRect DestRect();

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> FPicture;
    bool FCenter = false;
    bool FIncrementalDisplay = false;
    bool FProportional = false;
    bool FStretch = false;
    bool FTransparent = false;
    bool FDrawing = false;
};
