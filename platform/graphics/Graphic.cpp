#include "platform/graphics/Graphic.h"

#include "platform/rtl/FileUtils.h"

#include <QBuffer>
#include <QFile>

void TGraphic::SetTransparent(bool Value)
{
    if (AssignIfChanged(FTransparent, Value))
        Changed();
}

void TGraphic::SetModified(bool Value)
{
    if (Value)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed()
{
    FModified = true;
    if (FOnChange)
        FOnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName)
{
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, File.errorString()));
    LoadFromStream(File);
}

void TGraphic::SaveToFile(const String& FileName)
{
    // Written whole to memory first, then atomically, so a failed save
    // leaves the old file as it was.
    SaveFileAtomically(FileName, SaveToData());
}

void TGraphic::LoadFromData(const QByteArray& Data)
{
    QByteArray Copy = Data;
    QBuffer Buffer(&Copy);
    Buffer.open(QIODevice::ReadOnly);
    LoadFromStream(Buffer);
}

QByteArray TGraphic::SaveToData()
{
    QByteArray Data;
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::WriteOnly);
    SaveToStream(Buffer);
    return Data;
}
