#pragma once
// TFcBitBtn (unit FcButton): the framed push button with a glyph beside its
// caption: a bitmap of up to four cells (up, disabled, down, held down in
// its group) or an image of an image list, left, right, above or below the
// caption, Margin pixels from the edge (-1: next to the caption) and
// Spacing pixels from it.  A Kind other than bkCustom makes it one of the
// ten standard dialog buttons, with their caption, glyph, modal result and
// default or cancel role; changing any of those makes it bkCustom again.
#include "controls/foundation/FcButton.h"
#include "controls/foundation/FcKindGlyphs.h"
#include "platform/actions/ImgList.h"

#include <memory>

class TFcBitBtn : public TFcButton {
public:
    explicit TFcBitBtn(TComponent* AOwner);
    ~TFcBitBtn() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    // bkCustom as soon as Default, Cancel, ModalResult or the glyph no
    // longer are the kind's.
    TBitBtnKind Kind() const { return GetKind(); }
    void SetKind(TBitBtnKind Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value) { SetPaintProperty(FLayout, Value); }
    // -1 and up; smaller values are ignored.
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs Value) { SetPaintProperty(FNumGlyphs, Value); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value) { SetPaintProperty(FSpacing, Value); }
    TImageIndex ImageIndex() const { return FImageIndex; }
    void SetImageIndex(TImageIndex Value) { SetPaintProperty(FImageIndex, Value); }
    TImageIndex DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(TImageIndex Value) { SetPaintProperty(FDisabledIndex, Value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // The size of the picture the button draws: the image list's when it
    // shows an image, else one cell of the glyph; (0, 0) for none.  Layout,
    // cutting and drawing all use this one size.
    virtual TSize GetGlyphSize();
    virtual void GetGlyphRect(TRect& R);

    // Stored rules: the kind supplies these unless it is bkCustom.
    bool IsCustom() const { return GetKind() == bkCustom; }
    bool IsCustomCaption();

    void ActionChange(TObject* Sender, bool CheckDefaults) override;

protected:
    virtual TBitBtnKind GetKind() const;
    virtual void DrawImage(const TRect& R);
    virtual void DrawGlyph(const TRect& R);
    void GetCaptionRect(TRect& R) override;
    void PaintCaption() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void GlyphChanged(TObject* Sender);
    bool ShowsImage() const;
    int CaptionHeight(const TRect& R);

    std::unique_ptr<TBitmap> FGlyph;
    mutable TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = 2;
    TNumGlyphs FNumGlyphs = 1;
    int FSpacing = 4;
    bool FGlyphSetByUser = false;
    TImageIndex FImageIndex = -1;
    TImageIndex FDisabledIndex = -1;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
};
