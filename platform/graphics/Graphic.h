#pragma once
// TGraphic: the base of the images a canvas can draw (bitmaps, icons).
#include "platform/graphics/Types.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <QByteArray>
#include <QIODevice>

class TCanvas;

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

protected:
    TGraphic() = default;
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};
