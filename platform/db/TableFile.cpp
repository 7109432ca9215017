#include "platform/db/TableFile.h"

#include "platform/db/Crc32.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SaveTemps.h"

#include <QFile>
#include <algorithm>
#include <functional>

namespace {

using TBody = TTableFile::TBody;

constexpr char Magic[8] = {'Q', 'V', 'T', 'A', 'B', 'L', 'E', 0x1A};
constexpr std::size_t HeaderSize = 40;
// Guards against absurd counts before anything is allocated.
constexpr std::uint32_t MaxFields = 4096;
constexpr std::uint32_t MaxIndexes = 4096;

class TImageWriter {
public:
    explicit TImageWriter(QByteArray& Out) : FOut(Out) {}
    void Bytes(const void* P, std::size_t N) { FOut.append(static_cast<const char*>(P), qsizetype(N)); }
    template <typename T>
    void Num(T V) { Bytes(&V, sizeof V); }
    void Text(const String& S)
    {
        const QByteArray U = S.toUtf8().left(0xFFFF);
        Num<std::uint16_t>(std::uint16_t(U.size()));
        Bytes(U.constData(), std::size_t(U.size()));
    }

private:
    QByteArray& FOut;
};

// Bounds-checked reading of an image that may still be arriving: Take
// asks Pull for the bytes not yet in Data, so that a file is read only as
// far as it has been found sound.  Any overrun means a damaged file; bytes
// that the file no longer has mean a short one.
class TImageReader {
public:
    // Appends at least Count more bytes to Data; false when there are none.
    using TPull = std::function<bool(QByteArray& Data, std::size_t Count)>;
    TImageReader(QByteArray& Data, std::size_t End, TPull Pull = {}) : FData(Data), FEnd(End), FPull(std::move(Pull)) {}
    struct TOverrun {};
    struct TShort {};
    // The pointer holds until the next Take.
    const std::uint8_t* Take(std::size_t N)
    {
        if (N > FEnd - FPos)
            throw TOverrun();
        const std::size_t Have = std::size_t(FData.size());
        if (FPos + N > Have && (!FPull || !FPull(FData, FPos + N - Have)))
            throw TShort();
        const auto* P = reinterpret_cast<const std::uint8_t*>(FData.constData()) + FPos;
        FPos += N;
        return P;
    }
    template <typename T>
    T Num() { return TRecordLayout::Load<T>(Take(sizeof(T))); }
    String Text()
    {
        const auto N = Num<std::uint16_t>();
        const auto* P = Take(N);
        return QString::fromUtf8(reinterpret_cast<const char*>(P), N);
    }
    std::size_t Pos() const { return FPos; }
    void Seek(std::size_t Pos) { FPos = Pos; }
    // Bytes read ahead of Pos.
    std::size_t Buffered() const { return std::size_t(FData.size()) - FPos; }

private:
    QByteArray& FData;
    std::size_t FEnd;
    TPull FPull;
    std::size_t FPos = 0;
};

// The file is named whole: it is the program's own path to a file, which
// the user must be able to find.
[[noreturn]] void Refuse(const char* Fmt, const String& FileName)
{
    throw EDatabaseError(QString::fromLatin1(Fmt).replace(QLatin1String("%s"), FileName));
}

struct THeader {
    std::uint32_t Version = 0;
    std::uint64_t DeclaredLength = 0;
    std::uint32_t FieldCount = 0;
    std::uint32_t IndexCount = 0;
    std::uint32_t RecordCount = 0;
};

// The fixed header at the start of Start (a whole image, or only its
// first bytes); refuses a foreign file by its first bytes.
THeader ReadHeader(const QByteArray& Start, const String& FileName)
{
    const std::size_t MagicLen = std::min(std::size_t(Start.size()), sizeof Magic);
    if (MagicLen == 0 || std::memcmp(Start.constData(), Magic, MagicLen) != 0)
        Refuse(DBConsts::SNotTableFile, FileName);
    if (std::size_t(Start.size()) < HeaderSize)
        Refuse(DBConsts::STableFileShort, FileName);
    QByteArray Bytes = Start;
    TImageReader R(Bytes, HeaderSize);
    R.Take(sizeof Magic);
    THeader H;
    H.Version = R.Num<std::uint32_t>();
    R.Num<std::uint32_t>();
    H.DeclaredLength = R.Num<std::uint64_t>();
    H.FieldCount = R.Num<std::uint32_t>();
    H.IndexCount = R.Num<std::uint32_t>();
    H.RecordCount = R.Num<std::uint32_t>();
    return H;
}

// Refuses a file of Size bytes that is not as long as its header says.
void CheckLength(const THeader& Header, std::size_t Size, const String& FileName)
{
    if (Size < HeaderSize + 4 || Header.DeclaredLength > Size)
        Refuse(DBConsts::STableFileShort, FileName);
    if (Header.DeclaredLength < Size)
        Refuse(DBConsts::STableFileDamaged, FileName);
}

// Reads up to Count more bytes of File into Into, in pieces of at least a
// mebibyte where the file has them; false on a read error.
bool ReadMore(QFile& File, std::uint64_t Count, QByteArray& Into)
{
    constexpr std::uint64_t Piece = std::uint64_t(1) << 20;
    while (Count > 0) {
        const QByteArray Got = File.read(qint64(std::min(Count, Piece)));
        if (File.error() != QFileDevice::NoError)
            return false;
        if (Got.isEmpty())
            break;
        Into += Got;
        Count -= std::min<std::uint64_t>(Count, std::uint64_t(Got.size()));
    }
    return true;
}

// Opens a table file for reading, or refuses it.
void OpenTableFile(QFile& File, const String& FileName)
{
    switch (OpenRegularFile(File, FileName)) {
    case orOpened:
        return;
    case orNotRegular:
        // A pipe or device: it may never end, or never begin.
        Refuse(DBConsts::SNotTableFile, FileName);
    case orFailed:
        break;
    }
    Refuse(DBConsts::STableFileMissing, FileName);
}

// What hands a reader the bytes of File as it asks for them, a mebibyte or
// more at a time, never beyond Length; Failed tells a read error.
TImageReader::TPull PullFrom(QFile& File, std::uint64_t Length, bool& Failed)
{
    return [&File, Length, &Failed](QByteArray& Data, std::size_t Count) {
        const std::size_t Before = std::size_t(Data.size());
        const std::uint64_t Want = std::min<std::uint64_t>(Length - Before, std::max<std::size_t>(Count, 1 << 20));
        Failed = !ReadMore(File, Want, Data);
        return !Failed && std::size_t(Data.size()) >= Before + Count;
    };
}

// Carries Crc over the next Count bytes of File, read piece by piece and
// not kept; false when they cannot be read.
bool StreamCrc(QFile& File, std::uint64_t Count, std::uint32_t& Crc)
{
    constexpr std::uint64_t Piece = std::uint64_t(1) << 20;
    while (Count > 0) {
        const QByteArray Got = File.read(qint64(std::min(Count, Piece)));
        if (File.error() != QFileDevice::NoError || Got.isEmpty())
            return false;
        Crc = Crc32(Got.constData(), std::size_t(Got.size()), Crc);
        Count -= std::uint64_t(Got.size());
    }
    return true;
}

[[noreturn]] void RefuseVersion(const THeader& Header, const String& FileName)
{
    throw EDatabaseError(QString::fromLatin1(DBConsts::STableFileVersion)
                             .replace(QLatin1String("%s"), FileName)
                             .replace(QLatin1String("%d"), QString::number(Header.Version)));
}

// A file of another format version cannot be parsed; it is damaged when its
// checksum fails, and of an unsupported version otherwise.
[[noreturn]] void RefuseOtherVersion(QFile& File, QByteArray Image, const THeader& Header, const String& FileName)
{
    const std::uint64_t Rest = Header.DeclaredLength - std::uint64_t(Image.size()) - 4;
    std::uint32_t Crc = Crc32(Image.constData(), std::size_t(Image.size()));
    std::uint32_t Stored = 0;
    if (!StreamCrc(File, Rest, Crc) || File.read(reinterpret_cast<char*>(&Stored), 4) != 4)
        Refuse(DBConsts::STableFileShort, FileName);
    if (Crc != Stored)
        Refuse(DBConsts::STableFileDamaged, FileName);
    RefuseVersion(Header, FileName);
}

// Parses fields, indexes and records after the header, each checked as it
// is read, then the checksum (unless it was checked before).
TBody ReadBody(TImageReader& R, const THeader& Header, const QByteArray& Image, bool CheckCrc, const String& FileName)
{
    const std::size_t Body = std::size_t(Header.DeclaredLength) - 4;
    if (Header.FieldCount > MaxFields || Header.IndexCount > MaxIndexes)
        Refuse(DBConsts::STableFileDamaged, FileName);
    TBody B;
    R.Seek(HeaderSize);
    B.Fields.resize(Header.FieldCount);
    for (TTableField& F : B.Fields) {
        F.Name = R.Text();
        // Checked before it becomes a TFieldType: a byte past the last
        // ordinal is no value of the enumeration at all.
        const auto Type = R.Num<std::uint8_t>();
        if (Type > ftLargeint)
            Refuse(DBConsts::STableFileDamaged, FileName);
        F.DataType = TFieldType(Type);
        F.Size = int(R.Num<std::uint32_t>() & 0x7FFFFFFF);
        F.Required = (R.Num<std::uint8_t>() & 1) != 0;
        if (F.Name.isEmpty() || StorageKindOf(F.DataType) == skNone)
            Refuse(DBConsts::STableFileDamaged, FileName);
    }
    B.Indexes.resize(Header.IndexCount);
    for (TTableIndexDef& D : B.Indexes) {
        D.Name = R.Text();
        D.Fields = R.Text();
        D.DescFields = R.Text();
        D.CaseInsFields = R.Text();
        D.Options = TIndexOptions::FromBits(R.Num<std::uint32_t>());
    }
    // Each record's fixed part tells its length and text offsets; the rest
    // is read only when those hold.  Room for offsets grows with what was
    // read, not with the count the header claims.
    const TRecordLayout Layout(B.Fields);
    B.Offsets.reserve(std::min<std::size_t>(Header.RecordCount, R.Buffered() / Layout.FixedSize() + 1));
    for (std::uint32_t I = 0; I < Header.RecordCount; ++I) {
        const std::size_t Pos = R.Pos();
        if (Body - Pos < Layout.FixedSize())
            Refuse(DBConsts::STableFileDamaged, FileName);
        const std::uint8_t* Rec = R.Take(Layout.FixedSize());
        if (!Layout.Validate(Rec, Body - Pos))
            Refuse(DBConsts::STableFileDamaged, FileName);
        R.Take(TRecordLayout::Length(Rec) - Layout.FixedSize());
        B.Offsets.push_back(std::uint32_t(Pos));
    }
    if (R.Pos() != Body)
        Refuse(DBConsts::STableFileDamaged, FileName);
    B.Crc = R.Num<std::uint32_t>();
    if (CheckCrc && Crc32(Image.constData(), Body) != B.Crc)
        Refuse(DBConsts::STableFileDamaged, FileName);
    return B;
}

// ReadBody with the reader's overruns and shortfalls as refusals.
TBody ReadBodyOrRefuse(TImageReader& R, const THeader& Header, const QByteArray& Image, bool CheckCrc,
                       const String& FileName)
{
    try {
        return ReadBody(R, Header, Image, CheckCrc, FileName);
    } catch (const TImageReader::TOverrun&) {
        Refuse(DBConsts::STableFileDamaged, FileName);
    } catch (const TImageReader::TShort&) {
        Refuse(DBConsts::STableFileShort, FileName);
    }
}

} // namespace

// Defines Into from a body read whole and sound; the records stay in Image.
void TTableFile::Adopt(TBody& B, QByteArray Image, const String& FileName, TTableData& Into)
{
    TTableData Loaded;
    try {
        Loaded.Define(B.Fields, B.Indexes);
        Loaded.FStore.Adopt(std::move(Image), B.Offsets);
        std::vector<TRecordStore::TRecordId> Natural(B.Offsets.size());
        for (std::uint32_t I = 0; I < B.Offsets.size(); ++I)
            Natural[I] = I;
        Loaded.FNatural.assign(Natural);
        // The engine never writes two equal keys into a unique index; a file
        // that has them would refuse every later insert with a key violation.
        for (const TTableIndexDef& D : B.Indexes)
            if (D.Options.Contains(ixUnique) || D.Options.Contains(ixPrimary))
                Loaded.IndexByName(D.Name);
    } catch (const EDatabaseError& E) {
        // A definition the engine refuses (duplicate names ...) is damage
        // too, but say what it was.
        if (E.Message().contains(FileName))
            throw;
        throw EDatabaseError(QString::fromLatin1(DBConsts::STableFileDamaged).replace(QLatin1String("%s"), FileName)
                             + QStringLiteral(": ") + E.Message());
    }
    Into.Swap(Loaded);
}

void TTableFile::Load(const String& FileName, TTableData& Into, TTableFileVersion* Version)
{
    // A save that was killed left its partial copy here; it is of no use
    // to anyone and may hold personal data.
    RemoveAbandonedTempFiles(FileName);
    QFile File;
    OpenTableFile(File, FileName);
    // The header first: a foreign file is refused by its first bytes, and a
    // file whose length is not the one declared before the rest is read (it
    // may be gigabytes of something else).
    QByteArray Image = File.read(qint64(HeaderSize));
    if (File.error() != QFileDevice::NoError)
        Refuse(DBConsts::STableFileMissing, FileName);
    if (std::size_t(Image.size()) < HeaderSize)
        return LoadImage(std::move(Image), FileName, Into);
    const THeader Header = ReadHeader(Image, FileName);
    CheckLength(Header, std::size_t(File.size()), FileName);
    if (Header.Version != FormatVersion)
        RefuseOtherVersion(File, std::move(Image), Header, FileName);
    // Then the rest as far as it is sound: a damaged file is refused where
    // the damage starts, holding no more memory than the sound part needs.
    bool ReadFailed = false;
    TImageReader R(Image, std::size_t(Header.DeclaredLength), PullFrom(File, Header.DeclaredLength, ReadFailed));
    TBody B;
    try {
        B = ReadBodyOrRefuse(R, Header, Image, true, FileName);
    } catch (const EDatabaseError&) {
        if (ReadFailed)
            Refuse(DBConsts::STableFileMissing, FileName);
        throw;
    }
    // The file that was read, not whatever the name leads to by now.
    const TFileStamp Stamp = FileStampOf(File.handle());
    File.close();
    Adopt(B, std::move(Image), FileName, Into);
    if (Version)
        *Version = {Stamp, Header.DeclaredLength, B.Crc};
}

void TTableFile::LoadImage(QByteArray Image, const String& FileName, TTableData& Into)
{
    const std::size_t Size = std::size_t(Image.size());
    const THeader Header = ReadHeader(Image, FileName);
    CheckLength(Header, Size, FileName);
    const std::size_t Body = Size - 4;
    // All of it is here: the checksum first, so that damage is told as such.
    if (Crc32(Image.constData(), Body)
        != TRecordLayout::Load<std::uint32_t>(reinterpret_cast<const std::uint8_t*>(Image.constData()) + Body))
        Refuse(DBConsts::STableFileDamaged, FileName);
    if (Header.Version != FormatVersion)
        RefuseVersion(Header, FileName);
    TImageReader R(Image, Size);
    TBody B = ReadBodyOrRefuse(R, Header, Image, false, FileName);
    Adopt(B, std::move(Image), FileName, Into);
}

QByteArray TTableFile::Image(const TTableData& Table)
{
    QByteArray Out;
    std::size_t RecordBytes = 0;
    for (auto Id : Table.NaturalOrder())
        RecordBytes += TRecordLayout::Length(Table.Record(Id));
    Out.reserve(qsizetype(HeaderSize + 4096 + RecordBytes));
    TImageWriter W(Out);
    W.Bytes(Magic, sizeof Magic);
    W.Num<std::uint32_t>(FormatVersion);
    W.Num<std::uint32_t>(0);
    W.Num<std::uint64_t>(0);  // length, filled in below
    W.Num<std::uint32_t>(std::uint32_t(Table.Fields().size()));
    W.Num<std::uint32_t>(std::uint32_t(Table.IndexDefs().size()));
    W.Num<std::uint32_t>(std::uint32_t(Table.NaturalOrder().size()));
    W.Num<std::uint32_t>(0);
    for (const TTableField& F : Table.Fields()) {
        W.Text(F.Name);
        W.Num<std::uint8_t>(std::uint8_t(F.DataType));
        W.Num<std::uint32_t>(std::uint32_t(F.Size));
        W.Num<std::uint8_t>(F.Required ? 1 : 0);
    }
    for (const TTableIndexDef& D : Table.IndexDefs()) {
        W.Text(D.Name);
        W.Text(D.Fields);
        W.Text(D.DescFields);
        W.Text(D.CaseInsFields);
        W.Num<std::uint32_t>(std::uint32_t(D.Options.Bits()));
    }
    const qsizetype RecordsAt = Out.size();
    Out.resize(RecordsAt + qsizetype(RecordBytes));
    char* P = Out.data() + RecordsAt;
    for (auto Id : Table.NaturalOrder()) {
        const std::uint8_t* Rec = Table.Record(Id);
        const std::uint32_t Len = TRecordLayout::Length(Rec);
        std::memcpy(P, Rec, Len);
        P += Len;
    }
    const std::uint64_t Total = std::uint64_t(Out.size()) + 4;
    std::memcpy(Out.data() + 16, &Total, sizeof Total);
    const std::uint32_t Crc = Crc32(Out.constData(), std::size_t(Out.size()));
    W.Num<std::uint32_t>(Crc);
    return Out;
}

namespace {

// Whether FileName holds a table file of Length bytes ending in Crc.  Only
// the checksum is read: it covers every byte before it.
bool HoldsContent(const String& FileName, std::uint64_t Length, std::uint32_t Crc)
{
    QFile File;
    std::uint8_t Trailer[4] = {};
    return Length >= 4 && OpenRegularFile(File, FileName) == orOpened && File.size() == qint64(Length)
        && File.seek(qint64(Length) - 4) && File.read(reinterpret_cast<char*>(Trailer), 4) == 4
        && TRecordLayout::Load<std::uint32_t>(Trailer) == Crc;
}

} // namespace

void TTableFile::Save(const String& FileName, const TTableData& Table, TTableFileVersion* Version)
{
    const QByteArray Bytes = Image(Table);
    const std::uint64_t Length = std::uint64_t(Bytes.size());
    const auto Crc =
        TRecordLayout::Load<std::uint32_t>(reinterpret_cast<const std::uint8_t*>(Bytes.constData()) + Bytes.size() - 4);
    try {
        SaveFileAtomically(FileName, Bytes);
    } catch (...) {
        // A save can fail after the new file is in place (the folder was not
        // flushed): what is there is then this table's, not another's.
        if (Version && HoldsContent(FileName, Length, Crc))
            *Version = {FileStampOf(FileName), Length, Crc};
        throw;
    }
    if (Version)
        *Version = {FileStampOf(FileName), Length, Crc};
}

bool TTableFile::HoldsVersion(const String& FileName, const TTableFileVersion& Version)
{
    const TFileStamp Now = FileStampOf(FileName);
    if (Now == Version.Stamp)
        return true;
    return Now.Exists && Version.Stamp.Exists && HoldsContent(FileName, Version.Length, Version.Crc);
}
