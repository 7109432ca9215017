#include "platform/db/TableFile.h"

#include "platform/db/Crc32.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SaveTemps.h"

#include <QFile>
#include <algorithm>

namespace {

constexpr char Magic[8] = {'Q', 'V', 'T', 'A', 'B', 'L', 'E', 0x1A};
constexpr std::size_t HeaderSize = 40;
// Guards against absurd counts before anything is allocated.
constexpr std::uint32_t MaxFields = 4096;
constexpr std::uint32_t MaxIndexes = 4096;

class TWriter {
public:
    explicit TWriter(QByteArray& Out) : FOut(Out) {}
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

// Bounds-checked reading; any overrun means a damaged file.
class TReader {
public:
    TReader(const QByteArray& Data, std::size_t End) : FData(Data), FEnd(End) {}
    struct TOverrun {};
    const std::uint8_t* Take(std::size_t N)
    {
        if (N > FEnd - FPos)
            throw TOverrun();
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

private:
    const QByteArray& FData;
    std::size_t FEnd;
    std::size_t FPos = 0;
};

[[noreturn]] void Refuse(const char* Fmt, const String& FileName)
{
    DatabaseErrorFmt(Fmt, FileName);
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
    TReader R(Start, HeaderSize);
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

// Up to Count more bytes from File, piece by piece: nothing is allocated for
// bytes a pipe or device never delivers.
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
        Count -= std::uint64_t(Got.size());
    }
    return true;
}

}  // namespace

void TTableFile::Load(const String& FileName, TTableData& Into)
{
    // A save that was killed left its partial copy here; it is of no use
    // to anyone and may hold personal data.
    RemoveAbandonedTempFiles(FileName);
    QFile File(FileName);
    if (!File.exists() || !File.open(QIODevice::ReadOnly))
        Refuse(DBConsts::STableFileMissing, FileName);
    // The header first: a foreign file is refused by its first bytes, and a
    // file whose length is not the one declared before the rest is read (it
    // may be gigabytes of something else).
    QByteArray Image = File.read(qint64(HeaderSize));
    if (File.error() != QFileDevice::NoError)
        Refuse(DBConsts::STableFileMissing, FileName);
    if (std::size_t(Image.size()) == HeaderSize) {
        const THeader Header = ReadHeader(Image, FileName);
        std::uint64_t Rest = 0;
        if (File.isSequential()) {
            // A pipe or device shows its length only by reading: what the
            // header declares and one byte more, which tells a longer one.
            Rest = std::max<std::uint64_t>(Header.DeclaredLength, HeaderSize) - HeaderSize + 1;
        } else {
            CheckLength(Header, std::size_t(File.size()), FileName);
            Rest = Header.DeclaredLength - HeaderSize;
            Image.reserve(qsizetype(Header.DeclaredLength));
        }
        if (!ReadMore(File, Rest, Image))
            Refuse(DBConsts::STableFileMissing, FileName);
    }
    File.close();
    LoadImage(std::move(Image), FileName, Into);
}

void TTableFile::LoadImage(QByteArray Image, const String& FileName, TTableData& Into)
{
    const std::size_t Size = std::size_t(Image.size());
    const THeader Header = ReadHeader(Image, FileName);
    CheckLength(Header, Size, FileName);
    const std::size_t Body = Size - 4;
    if (Crc32(Image.constData(), Body) != TRecordLayout::Load<std::uint32_t>(
            reinterpret_cast<const std::uint8_t*>(Image.constData()) + Body))
        Refuse(DBConsts::STableFileDamaged, FileName);
    if (Header.Version != FormatVersion)
        throw EDatabaseError(QString::fromLatin1(DBConsts::STableFileVersion)
                                 .replace(QLatin1String("%s"), FileName)
                                 .replace(QLatin1String("%d"), QString::number(Header.Version)));
    if (Header.FieldCount > MaxFields || Header.IndexCount > MaxIndexes)
        Refuse(DBConsts::STableFileDamaged, FileName);

    TTableData Loaded;
    try {
        TReader R(Image, Body);
        R.Seek(HeaderSize);
        std::vector<TTableField> Fields(Header.FieldCount);
        for (TTableField& F : Fields) {
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
        std::vector<TTableIndexDef> Indexes(Header.IndexCount);
        for (TTableIndexDef& D : Indexes) {
            D.Name = R.Text();
            D.Fields = R.Text();
            D.DescFields = R.Text();
            D.CaseInsFields = R.Text();
            D.Options = TIndexOptions::FromBits(R.Num<std::uint32_t>());
        }
        Loaded.Define(Fields, Indexes);

        const TRecordLayout& Layout = Loaded.Layout();
        std::vector<std::uint32_t> Offsets;
        Offsets.reserve(std::min<std::size_t>(Header.RecordCount, (Body - R.Pos()) / Layout.FixedSize() + 1));
        for (std::uint32_t I = 0; I < Header.RecordCount; ++I) {
            const std::size_t Pos = R.Pos();
            const auto* Rec = reinterpret_cast<const std::uint8_t*>(Image.constData()) + Pos;
            if (!Layout.Validate(Rec, Body - Pos))
                Refuse(DBConsts::STableFileDamaged, FileName);
            R.Take(TRecordLayout::Length(Rec));
            Offsets.push_back(std::uint32_t(Pos));
        }
        if (R.Pos() != Body)
            Refuse(DBConsts::STableFileDamaged, FileName);
        Loaded.FStore.Adopt(std::move(Image), Offsets);
        std::vector<TRecordStore::TRecordId> Natural(Offsets.size());
        for (std::uint32_t I = 0; I < Offsets.size(); ++I)
            Natural[I] = I;
        Loaded.FNatural.assign(Natural);
        // The engine never writes two equal keys into a unique index; a file
        // that has them would refuse every later insert with a key violation.
        for (const TTableIndexDef& D : Indexes)
            if (D.Options.Contains(ixUnique) || D.Options.Contains(ixPrimary))
                Loaded.IndexByName(D.Name);
    } catch (const TReader::TOverrun&) {
        Refuse(DBConsts::STableFileDamaged, FileName);
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

QByteArray TTableFile::Image(const TTableData& Table)
{
    QByteArray Out;
    std::size_t RecordBytes = 0;
    for (auto Id : Table.NaturalOrder())
        RecordBytes += TRecordLayout::Length(Table.Record(Id));
    Out.reserve(qsizetype(HeaderSize + 4096 + RecordBytes));
    TWriter W(Out);
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

void TTableFile::Save(const String& FileName, const TTableData& Table)
{
    SaveFileAtomically(FileName, Image(Table));
}
