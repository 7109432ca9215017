#include "tests/fuzz/FuzzChecks.h"

#include "platform/db/TableFile.h"
#include "tests/fuzz/CheckGuard.h"

#include <QFile>
#include <exception>

namespace {

// Orders of more records than this are checked as loaded only: deleting
// record by record is quadratic, and small tables find the same faults.
constexpr int MaxRecordsToDelete = 24;

// What a load did: the error it raised, or the image of what it loaded.
struct TOutcome {
    bool Loaded = false;
    QString Error;
    QByteArray Image;
};

template <typename F>
TOutcome Attempt(TTableData& Into, F&& Load)
{
    TOutcome Result;
    try {
        Load();
        Result.Loaded = true;
        Result.Image = TTableFile::Image(Into);
    } catch (const EDatabaseError& E) {
        Result.Error = E.Message();
    } catch (const Exception& E) {
        Result.Error = QStringLiteral("unexpected %1: %2").arg(E.ClassName(), E.Message());
    } catch (const std::exception& E) {
        Result.Error = QStringLiteral("unexpected std::exception: %1").arg(QString::fromUtf8(E.what()));
    }
    return Result;
}

// A table the load replaces only when it succeeds.
void DefineKept(TTableData& T)
{
    T.Define({{QStringLiteral("KEPT"), ftInteger, 0, false}}, {});
}

bool StillKept(const TTableData& T)
{
    return T.Defined() && T.Fields().size() == 1 && T.Fields()[0].Name == QLatin1String("KEPT") && T.RecordCount() == 0;
}

// Every record has exactly one place in the order, found by search, and
// the order is sorted by key and then by id (strictly by key when unique).
QString OrderUnsound(const TTableData& T, const TTableIndex& X, const QString& Name)
{
    const TRecordIdList& Order = X.Order();
    if (int(Order.size()) != T.RecordCount())
        return QStringLiteral("order %1 holds %2 of %3 records").arg(Name).arg(Order.size()).arg(T.RecordCount());
    for (std::size_t P = 0; P < Order.size(); ++P) {
        const auto Id = Order[P];
        if (X.PositionOf(T.Store(), Id, T.Record(Id)) != int(P))
            return QStringLiteral("order %1: record %2 at %3 is not found there").arg(Name).arg(Id).arg(P);
        if (P == 0)
            continue;
        const auto Before = Order[P - 1];
        const int C = X.CompareKeys(T.Record(Before), T.Record(Id), X.KeyCount());
        if (C > 0 || (C == 0 && (X.Unique() || Before >= Id)))
            return QStringLiteral("order %1 is not sorted at %2").arg(Name).arg(P);
    }
    return {};
}

// The defined orders and one on each field alone.
QString OrdersUnsound(TTableData& T)
{
    for (const TTableIndexDef& D : T.IndexDefs()) {
        const QString Problem = OrderUnsound(T, T.IndexByName(D.Name), D.Name);
        if (!Problem.isEmpty())
            return Problem;
    }
    for (const TTableField& F : T.Fields()) {
        // A name a field list cannot hold (with ';' or blanks at its ends)
        // names no order; that is no fault of the file.
        if (F.Name.contains(QLatin1Char(';')) || F.Name != F.Name.trimmed())
            continue;
        const QString Problem = OrderUnsound(T, T.IndexByFields(F.Name), F.Name);
        if (!Problem.isEmpty())
            return Problem;
    }
    return {};
}

// Edits keep the orders sound: a copy of the first record goes in (or is a
// key violation), then records go one by one from the middle.
QString EditsUnsound(TTableData& T)
{
    if (T.RecordCount() == 0 || T.RecordCount() > MaxRecordsToDelete)
        return {};
    const std::uint8_t* First = T.Record(T.NaturalOrder()[0]);
    const TRecordBuffer Copy(First, First + TRecordLayout::Length(First));
    try {
        T.Append(Copy);
    } catch (const EDatabaseError& E) {
        if (E.Message() != QLatin1String("Key violation."))
            return QStringLiteral("appending a copy raised: %1").arg(E.Message());
    }
    for (;;) {
        if (QString Problem = OrdersUnsound(T); !Problem.isEmpty())
            return QStringLiteral("with %1 records left: %2").arg(T.RecordCount()).arg(Problem);
        if (T.RecordCount() == 0)
            return {};
        T.Delete(T.NaturalOrder()[std::size_t(T.RecordCount() / 2)]);
    }
}

// What an accepted image must do.
QString LoadedUnsound(const TOutcome& Loaded, const QString& Path)
{
    TTableData Again;
    const TOutcome Reloaded = Attempt(Again, [&] { TTableFile::LoadImage(Loaded.Image, Path, Again); });
    if (!Reloaded.Loaded)
        return QStringLiteral("its own image does not load: %1").arg(Reloaded.Error);
    if (Reloaded.Image != Loaded.Image)
        return QStringLiteral("its image changes when loaded again");
    if (QString Problem = OrdersUnsound(Again); !Problem.isEmpty())
        return Problem;
    // Saved to a file and loaded from there.
    const QString SavedPath = ScratchFolder() + QStringLiteral("saved.quorvy");
    TTableFile::Save(SavedPath, Again);
    TTableData FromFile;
    const TOutcome Saved = Attempt(FromFile, [&] { TTableFile::Load(SavedPath, FromFile); });
    if (!Saved.Loaded || Saved.Image != Loaded.Image)
        return QStringLiteral("saved and loaded it is not the same: %1").arg(Saved.Error);
    return EditsUnsound(Again);
}

QString CheckImage(const QByteArray& Data)
{
    const QString Path = ScratchFolder() + QStringLiteral("fuzz.quorvy");
    {
        QFile File(Path);
        if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) || File.write(Data) != Data.size())
            return QStringLiteral("cannot write %1").arg(Path);
    }
    TTableData FromMemory;
    DefineKept(FromMemory);
    const TOutcome Memory = Attempt(FromMemory, [&] { TTableFile::LoadImage(Data, Path, FromMemory); });
    TTableData FromFile;
    DefineKept(FromFile);
    const TOutcome File = Attempt(FromFile, [&] { TTableFile::Load(Path, FromFile); });

    if (Memory.Loaded != File.Loaded || Memory.Error != File.Error || Memory.Image != File.Image)
        return QStringLiteral("loaded from memory: '%1', from the file: '%2'")
            .arg(Memory.Loaded ? QStringLiteral("loaded") : Memory.Error,
                 File.Loaded ? QStringLiteral("loaded") : File.Error);
    if (!Memory.Loaded) {
        if (!Memory.Error.contains(Path))
            return QStringLiteral("error without the file name: %1").arg(Memory.Error);
        if (!StillKept(FromMemory) || !StillKept(FromFile))
            return QStringLiteral("a refused file changed the table: %1").arg(Memory.Error);
        return {};
    }
    if (QString Problem = OrdersUnsound(FromMemory); !Problem.isEmpty())
        return Problem;
    return LoadedUnsound(Memory, Path);
}

} // namespace

QString CheckTableFile(const QByteArray& Data)
{
    return Guarded([&] { return CheckImage(Data); });
}
