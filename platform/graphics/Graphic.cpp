#include "platform/graphics/Graphic.h"

#include "platform/classes/Filer.h"
#include "platform/graphics/ThemeIcons.h"
#include "platform/rtl/FileUtils.h"

#include <QBuffer>
#include <QFile>
#include <cerrno>

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
    QFile File;
    OpenRegularFileOrRaise(File, FileName);
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

void TGraphic::LoadFromIconName(const String& Name, int Size)
{
    SetIconPixels(DefinitionIconImage(Name, Size, Size));
    FIconName = Name;
    FIconSize = Size;
}

void TGraphic::CopyIconName(const TGraphic& Source)
{
    FIconName = Source.FIconName;
    FIconSize = Source.FIconSize;
}

namespace {

// The largest icon a definition may ask for; the theme's largest is 256.
constexpr int MaxIconSize = 256;

void ReadImageData(TReader& Reader, const TImageDataProcs& Procs)
{
    if (Reader.NextValue() == vaBinary) {
        Procs.ReadBinary(Reader.ReadBinary());
        return;
    }
    Reader.ReadListBegin();
    const String Name = Reader.ReadString().trimmed();
    const int Size = Reader.ReadInteger();
    Reader.ReadListEnd();
    if (Name.isEmpty() || Size < 1 || Size > MaxIconSize)
        Reader.Error(QStringLiteral("Invalid icon '%1' of size %2: a name and a size from 1 to %3 are needed")
                         .arg(Name)
                         .arg(Size)
                         .arg(MaxIconSize));
    Procs.ReadIcon(Name, Size);
}

void WriteImageData(TWriter& Writer, const TGraphic& Graphic, const TImageDataProcs& Procs)
{
    if (Graphic.IconName().isEmpty()) {
        Writer.WriteBinary(Procs.WriteBinary());
        return;
    }
    Writer.WriteListBegin();
    Writer.WriteString(Graphic.IconName());
    Writer.WriteInteger(Graphic.IconSize());
    Writer.WriteListEnd();
}

} // namespace

void DefineImageData(TFiler& Filer, const TGraphic* Written, const TImageDataProcs& Procs)
{
    const bool HasData = Written != nullptr && (!Written->Empty() || !Written->IconName().isEmpty());
    Filer.DefineProperty(
        QStringLiteral("Data"), [Procs](TReader& Reader) { ReadImageData(Reader, Procs); },
        [Written, Procs](TWriter& Writer) { WriteImageData(Writer, *Written, Procs); }, HasData);
}
