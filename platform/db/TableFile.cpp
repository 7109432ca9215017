#include "platform/db/TableFile.h"

#include "platform/db/Crc32.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SaveTemps.h"

#include <QFile>

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

}  // namespace

void TTableFile::Load(const String& FileName, TTableData& Into)
{
    // A save that was killed left its partial copy here; it is of no use
    // to anyone and may hold personal data.
    RemoveAbandonedTempFiles(FileName);
    QFile File(FileName);
    if (!File.exists() || !File.open(QIODevice::ReadOnly))
        Refuse(DBConsts::STableFileMissing, FileName);
    // A foreign file is refused by its first bytes, not after reading all of
    // what may be gigabytes of something else.
    const QByteArray Start = File.peek(sizeof Magic);
    if (Start.size() == qsizetype(sizeof Magic) && std::memcmp(Start.constData(), Magic, sizeof Magic) != 0)
        Refuse(DBConsts::SNotTableFile, FileName);
    QByteArray Image = File.readAll();
    if (File.error() != QFileDevice::NoError)
        Refuse(DBConsts::STableFileMissing, FileName);
    File.close();
    LoadImage(std::move(Image), FileName, Into);
}

void TTableFile::LoadImage(QByteArray Image, const String& FileName, TTableData& Into)
{
    const std::size_t Size = std::size_t(Image.size());
    const std::size_t MagicLen = std::min(Size, sizeof Magic);
    if (MagicLen == 0 || std::memcmp(Image.constData(), Magic, MagicLen) != 0)
        Refuse(DBConsts::SNotTableFile, FileName);
    if (Size < HeaderSize + 4)
        Refuse(DBConsts::STableFileShort, FileName);

    TReader Header(Image, HeaderSize);
    Header.Take(sizeof Magic);
    const auto Version = Header.Num<std::uint32_t>();
    Header.Num<std::uint32_t>();
    const auto DeclaredLength = Header.Num<std::uint64_t>();
    const auto FieldCount = Header.Num<std::uint32_t>();
    const auto IndexCount = Header.Num<std::uint32_t>();
    const auto RecordCount = Header.Num<std::uint32_t>();
    if (DeclaredLength > Size)
        Refuse(DBConsts::STableFileShort, FileName);
    if (DeclaredLength < Size)
        Refuse(DBConsts::STableFileDamaged, FileName);
    const std::size_t Body = Size - 4;
    if (Crc32(Image.constData(), Body) != TRecordLayout::Load<std::uint32_t>(
            reinterpret_cast<const std::uint8_t*>(Image.constData()) + Body))
        Refuse(DBConsts::STableFileDamaged, FileName);
    if (Version != FormatVersion)
        throw EDatabaseError(QString::fromLatin1(DBConsts::STableFileVersion)
                                 .replace(QLatin1String("%s"), FileName)
                                 .replace(QLatin1String("%d"), QString::number(Version)));
    if (FieldCount > MaxFields || IndexCount > MaxIndexes)
        Refuse(DBConsts::STableFileDamaged, FileName);

    TTableData Loaded;
    try {
        TReader R(Image, Body);
        R.Seek(HeaderSize);
        std::vector<TTableField> Fields(FieldCount);
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
        std::vector<TTableIndexDef> Indexes(IndexCount);
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
        Offsets.reserve(std::min<std::size_t>(RecordCount, (Body - R.Pos()) / Layout.FixedSize() + 1));
        for (std::uint32_t I = 0; I < RecordCount; ++I) {
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
