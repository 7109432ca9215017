#pragma once
// TPicture: holds one graphic (a bitmap or an icon) for image properties,
// and streams it as form data.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"

#include <memory>

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of Value (nullptr clears).
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap (an icon or nothing is replaced by an empty
    // bitmap first).
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
    TIcon* Icon();
    void SetIcon(TIcon* Value) { SetGraphic(Value); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // ".ico" files give an icon, other images a bitmap; raises
    // EInvalidGraphic for a file that holds no image.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);

    DECLARE_EVENT(TNotifyEvent, OnChange)

protected:
    void AssignTo(TPersistent* Dest) override;
    void Changed();

private:
    void Take(std::unique_ptr<TGraphic> Graphic);
    std::unique_ptr<TGraphic> FGraphic;
};
