#pragma once
// TIcon: an image with transparency, drawn through a mask taken from its
// alpha channel (pixels less than half opaque are left out), never blended.
#include "platform/graphics/Graphic.h"

#include <QImage>

class TIcon : public TGraphic {
public:
    TIcon() = default;
    void Assign(TPersistent* Source) override;
    // Form data "Data": the image as PNG, or an icon of the theme by name.
    void DefineProperties(TFiler& Filer) override;

    bool Empty() const override { return FImage.isNull(); }
    int Width() const override { return FImage.width(); }
    void SetWidth(int Value) override;
    int Height() const override { return FImage.height(); }
    void SetHeight(int Value) override;
    bool Transparent() const override { return true; }

    void LoadFromStream(QIODevice& Stream) override;
    void SaveToStream(QIODevice& Stream) override;
    const QImage& Image() const { return FImage; }
    void SetImage(const QImage& Value);

    void Draw(TCanvas* ACanvas, const TRect& R) override;

protected:
    void SetIconPixels(const QImage& Image) override { SetImage(Image); }

private:
    QImage FImage;
};
