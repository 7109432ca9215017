#pragma once
// TGraphic: the base of the images a canvas can draw (bitmaps, icons).
//
// An image may come from the icon theme by name instead of from pixels of
// its own: form definitions then say Glyph.Data = ('go-next' 16), and the
// graphic keeps the name so that it is written back as a name.
//
// On Linux: named icons come from the Tango theme the program selects (see
// ThemeIcons.h); a name the theme lacks leaves the image empty.
#include "platform/graphics/Types.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <functional>

class TCanvas;
class TFiler;

DECLARE_EXCEPTION(EInvalidGraphic, Exception)
DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)

class TGraphic : public TPersistent {
public:
    ~TGraphic() override = default;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);
    DECLARE_EVENT(TNotifyEvent, OnChange)

    // Streams hold PNG when written; reading also takes the other formats
    // Qt reads.  A stream that holds no image raises EInvalidGraphic.
    virtual void LoadFromStream(QIODevice& Stream) = 0;
    virtual void SaveToStream(QIODevice& Stream) = 0;
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    void LoadFromData(const QByteArray& Data);
    QByteArray SaveToData();

    // Draws the graphic stretched into R.
    virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;

    // The icon of the theme the image was loaded from, at IconSize() x
    // IconSize() pixels; empty for an image of its own.  Any change to the
    // pixels (drawing, loading, resizing) forgets it.
    String IconName() const { return FIconName; }
    int IconSize() const { return FIconName.isEmpty() ? 0 : FIconSize; }
    // Loads icon Name of the program's icon theme at Size x Size pixels.  A
    // name the theme lacks leaves the image empty, with one warning on the
    // error stream, and the name is kept, so the definition still says it.
    void LoadFromIconName(const String& Name, int Size);

protected:
    TGraphic() = default;
    virtual void Changed();
    // Takes Image as the pixels (a null image empties the graphic).
    virtual void SetIconPixels(const QImage& Image) = 0;
    void ForgetIconName() { FIconName.clear(); }
    void CopyIconName(const TGraphic& Source);

private:
    bool FTransparent = false;
    bool FModified = false;
    String FIconName;
    int FIconSize = 0;
};

// How the form data "Data" of an image is read and written: binary data
// ({89504E47...}) through ReadBinary and WriteBinary, or an icon of the
// theme by name and size, ('go-next' 16), through ReadIcon.  A graphic with
// an icon name writes the name; one without writes its data.
struct TImageDataProcs {
    std::function<void(const String& Name, int Size)> ReadIcon;
    std::function<void(const QByteArray& Data)> ReadBinary;
    std::function<QByteArray()> WriteBinary;
};
// Written is the graphic being written (nullptr: nothing to write).
void DefineImageData(TFiler& Filer, const TGraphic* Written, const TImageDataProcs& Procs);
