#pragma once
// Image lists: a row of same-sized images that buttons, menus and tool
// bars draw by index.  Images come from form data (PNG) or, by icon name,
// from the icon theme.  Drawn disabled, an image shows the classic
// embossed look: its dark pixels in clBtnShadow over a copy in
// clBtnHighlight one pixel down and to the right.
//
// A change link tells a client (a button showing an image of the list)
// that the images changed, so that it repaints.
#include "platform/classes/Component.h"
#include "platform/graphics/Bitmap.h"

#include <QImage>
#include <vector>

class TCustomImageList;
class TFiler;
using TImageIndex = int;

class TChangeLink : public TObject {
public:
    TChangeLink() = default;
    ~TChangeLink() override;
    TCustomImageList* Sender() const { return FSender; }
    void SetSender(TCustomImageList* Value) { FSender = Value; }
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    virtual void Change();

private:
    TCustomImageList* FSender = nullptr;
    TEventSlot<TNotifyEvent> FOnChange;
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;
    void BeforeDestruction() override;

    int Width() const { return FWidth; }
    // A new size empties the list, as classically.
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int Count() const { return int(FImages.size()); }

    // Adds the images of Image, cut into cells of Width (a wider bitmap
    // gives several); Mask (monochrome, 1 = transparent) may be nullptr.
    // Returns the index of the first image added, -1 when none was.
    int Add(TBitmap* Image, TBitmap* Mask);
    // The same with the pixels of MaskColor transparent (clDefault: the
    // colour of the bottom-left pixel).
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // An icon of the icon theme by name; -1 when the theme has none.
    int AddIconName(const String& Name);
    // Adds an image as it is (alpha kept), scaled to the cell when its
    // size differs.
    int AddImage(const QImage& Image);
    void Delete(int Index);
    void Clear();
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);

    // Draws image Index with its top-left corner at (X, Y); disabled, it
    // shows the classic embossed look.  An index outside the list draws
    // nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    // Copies image Index into Image (sized to the cell, on white).
    bool GetBitmap(int Index, TBitmap* Image);
    // The image with its alpha channel (null outside the list).
    QImage GetImage(int Index) const;
    // The icon name an image came from ("" for one from form data).
    String IconName(int Index) const;

    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    void DefineProperties(TFiler& Filer) override;

protected:
    virtual void Change();

private:
    struct TEntry {
        QImage Image;
        String IconName;
        // Made on the first drawing and kept: toolbars and bars draw the
        // same images on every repaint.
        std::shared_ptr<TBitmap> Drawn;
        std::shared_ptr<TBitmap> DisabledInk;
    };
    void ReadImages(TReader& Reader);
    void WriteImages(TWriter& Writer);
    void DrawDisabled(TCanvas* Canvas, int X, int Y, TEntry& Entry);
    int Append(TEntry Entry);

    int FWidth = 16;
    int FHeight = 16;
    std::vector<TEntry> FImages;
    std::vector<TChangeLink*> FClients;
    TEventSlot<TNotifyEvent> FOnChange;
    int FUpdateCount = 0;
    bool FChanged = false;
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* AOwner);
};
