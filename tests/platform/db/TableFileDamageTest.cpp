// Table files that lie: counts, offsets and values that a matching checksum
// does not make true.  A forged file is refused whole, naming the file;
// whatever loads keeps every sort order sound.
#include "platform/db/Crc32.h"
#include "platform/db/TableFile.h"
#include "platform/rtl/FileUtils.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/PersonTables.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

std::vector<TTableIndexDef> Indexes(TIndexOptions IdOptions = {ixPrimary, ixUnique})
{
    return {{"ID_ASC", "ID", "", "", IdOptions},
            {"NAME_ASC", "NAME", "", "", {ixCaseInsensitive}},
            {"BORN", "BORN", "", "", {}},
            {"BORN_NAME", "BORN;NAME", "NAME", "NAME", {ixDescending}}};
}

void Fill(TTableData& T, int Count)
{
    const char* Names[] = {"jansen", "Bakker", "", "Émile", "de Vries", "ed", "Jansen", "ĳsselmeer"};
    for (int I = 0; I < Count; ++I)
        T.Append(Person(T, I + 1, QString::fromUtf8(Names[I % 8]), I % 3 ? 40000 + I % 5 : -1,
                        I % 2 ? QStringLiteral("regel\r\n%1").arg(I) : QString()));
}

// Where the records start in an image of a table with these definitions.
std::size_t RecordsAt(const std::vector<TTableIndexDef>& Defs)
{
    TTableData Empty;
    Empty.Define(PersonFields(), Defs);
    return std::size_t(TTableFile::Image(Empty).size()) - 4;
}

std::uint8_t* RecordAt(QByteArray& Image, std::size_t First, int N)
{
    std::size_t P = First;
    for (int I = 0; I < N; ++I)
        P += TRecordLayout::Length(reinterpret_cast<const std::uint8_t*>(Image.constData()) + P);
    return reinterpret_cast<std::uint8_t*>(Image.data()) + P;
}

// What a forger does after changing the bytes: make length and checksum fit.
void Reseal(QByteArray& Image)
{
    const std::uint64_t Length = std::uint64_t(Image.size());
    std::memcpy(Image.data() + 16, &Length, sizeof Length);
    const std::uint32_t Crc = Crc32(Image.constData(), std::size_t(Image.size() - 4));
    std::memcpy(Image.data() + Image.size() - 4, &Crc, 4);
}

// Every record of every order is found where it lies: what key search,
// post and delete rely on.
void ExpectOrdersSound(TTableData& T)
{
    for (const TTableIndexDef& D : T.IndexDefs()) {
        const TTableIndex& X = T.IndexByName(D.Name);
        ASSERT_EQ(int(X.Order().size()), T.RecordCount()) << D.Name.toStdString();
        for (std::size_t P = 0; P < X.Order().size(); ++P) {
            const auto Id = X.Order()[P];
            ASSERT_EQ(X.PositionOf(T.Store(), Id, T.Record(Id)), int(P)) << D.Name.toStdString();
        }
    }
}

QString LoadError(const QByteArray& Image, const QString& Name, TTableData& Into)
{
    return ErrorMessage<EDatabaseError>([&] { TTableFile::LoadImage(Image, Name, Into); });
}

} // namespace

TEST(TableFileDamage, ForgedContentIsRefusedWholeNamingTheFile)
{
    TTableData Good;
    Good.Define(PersonFields(), Indexes());
    Fill(Good, 12);
    const QByteArray Image = TTableFile::Image(Good);
    const std::size_t First = RecordsAt(Indexes());
    const QString Name = QStringLiteral("/data/contacten.quorvy");
    TTableData Target;
    Target.Define({{"KEPT", ftInteger, 0, false}}, {});

    // A field type byte beyond the last type there is.
    QByteArray Forged = Image;
    const qsizetype TypeAt = Forged.indexOf("NAME") + 4;
    Forged[TypeAt] = char(200);
    Reseal(Forged);
    EXPECT_EQ(LoadError(Forged, Name, Target), "Table file '/data/contacten.quorvy' is damaged");

    // Two records with one key in a unique index: every later insert would
    // fail with a key violation.
    Forged = Image;
    std::memcpy(RecordAt(Forged, First, 5) + 5, RecordAt(Forged, First, 4) + 5, 4);
    Reseal(Forged);
    EXPECT_EQ(LoadError(Forged, Name, Target), "Table file '/data/contacten.quorvy' is damaged: Key violation.");

    // Empty text marked as not null: the engine stores empty text as null,
    // and the orders tell the two apart.
    Forged = Image;
    std::uint8_t* Rec = RecordAt(Forged, First, 2);  // NAME is ""
    ASSERT_TRUE(Good.Layout().IsNull(Rec, fName));
    Rec[4] = std::uint8_t(Rec[4] & ~(1u << fName));
    Reseal(Forged);
    EXPECT_EQ(LoadError(Forged, Name, Target), "Table file '/data/contacten.quorvy' is damaged");
    // Text bytes under a null mark.
    Forged = Image;
    Rec = RecordAt(Forged, First, 0);
    Rec[4] = std::uint8_t(Rec[4] | (1u << fName));
    Reseal(Forged);
    EXPECT_EQ(LoadError(Forged, Name, Target), "Table file '/data/contacten.quorvy' is damaged");

    // Nothing of any of them got in.
    ASSERT_EQ(Target.Fields().size(), 1u);
    EXPECT_EQ(Target.RecordCount(), 0);
}

TEST(TableFileDamage, NotANumberKeysKeepEveryOrderSound)
{
    // No field writes NaN, but a foreign file may hold one: it sorts after
    // every date and equals another NaN.
    TTableData T;
    T.Define(PersonFields(), Indexes());
    const double Born[] = {40001, NAN, 39000, -NAN, 40001, NAN, 41000, -1, 38000.5, NAN};
    for (int I = 0; I < 10; ++I)
        T.Append(Person(T, I, QStringLiteral("n%1").arg(I % 4), Born[I]));
    TTableData Back;
    TTableFile::LoadImage(TTableFile::Image(T), QStringLiteral("nan.quorvy"), Back);
    ExpectOrdersSound(Back);
    const TTableIndex& ByBorn = Back.IndexByName("BORN");
    EXPECT_TRUE(Back.Layout().IsNull(Back.Record(ByBorn.Order()[0]), fBorn));
    EXPECT_EQ(Back.Layout().Double(Back.Record(ByBorn.Order()[5]), fBorn), 41000);
    EXPECT_TRUE(std::isnan(Back.Layout().Double(Back.Record(ByBorn.Order()[6]), fBorn)));
    // Deleting finds each record in every order.
    while (Back.RecordCount() > 0) {
        Back.Delete(Back.NaturalOrder()[std::size_t(Back.RecordCount() / 2)]);
        ExpectOrdersSound(Back);
    }
}

TEST(TableFileDamage, UniqueOrdersBuiltWhileLoadingStayOnlyForTheSameDefinition)
{
    TTableData T;
    T.Define(PersonFields(), Indexes());
    Fill(T, 6);
    TTableData Back;
    TTableFile::LoadImage(TTableFile::Image(T), QStringLiteral("p.quorvy"), Back);
    const TTableIndex* Built = &Back.IndexByName("ID_ASC");
    Back.SetIndexDefs(Indexes());
    EXPECT_EQ(&Back.IndexByName("ID_ASC"), Built);
    // The same name sorting the other way is a new order.
    Back.SetIndexDefs(Indexes({ixUnique, ixDescending}));
    EXPECT_EQ(Back.Layout().Int32(Back.Record(Back.IndexByName("ID_ASC").Order()[0]), fId), 6);
    ExpectOrdersSound(Back);
}

TEST(TableFileDamage, DataSetThatFailedToOpenKeepsNothingAndWritesNothing)
{
    TTestDir Dir;
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);

    // A type the engine stores but no field class shows.
    TTableData Odd;
    Odd.Define({{"ID", ftInteger, 0, false}, {"GROOT", ftLargeint, 0, false}}, {});
    const QString OddPath = Dir.File("odd.quorvy");
    TTableFile::Save(OddPath, Odd);
    T->SetFileName(OddPath);
    EXPECT_THROW(T->Open(), EDatabaseError);
    EXPECT_FALSE(T->Active());
    EXPECT_EQ(T->FieldCount(), 0);

    // A forged duplicate key.
    TTableData Good;
    Good.Define(PersonFields(), Indexes());
    Fill(Good, 8);
    QByteArray Forged = TTableFile::Image(Good);
    std::memcpy(RecordAt(Forged, RecordsAt(Indexes()), 1) + 5, RecordAt(Forged, RecordsAt(Indexes()), 0) + 5, 4);
    Reseal(Forged);
    const QString Path = Dir.File("p.quorvy");
    WriteRaw(Path, Forged);
    T->SetFileName(Path);
    T->SetIndexName("ID_ASC");
    try {
        T->Open();
        ADD_FAILURE() << "opened";
    } catch (const EDatabaseError& E) {
        EXPECT_EQ(E.Message(), QString("Table file '%1' is damaged: Key violation.").arg(Path));
    }
    EXPECT_FALSE(T->Active());
    EXPECT_EQ(T->FieldCount(), 0);
    T->Close();
    T->Free();
    EXPECT_EQ(ReadRaw(Path), Forged);

    // A good file opens afterwards with its own fields.
    auto* U = new TClientDataSet(&Module);
    U->SetFileName(OddPath);
    EXPECT_THROW(U->Open(), EDatabaseError);
    TTableFile::Save(Path, Good);
    U->SetFileName(Path);
    U->Open();
    EXPECT_EQ(U->FieldCount(), 4);
    EXPECT_EQ(U->RecordCount(), 8);
}

TEST(TableFileDamage, RandomDamageIsRefusedOrLoadsSoundly)
{
    TTableData Good;
    Good.Define(PersonFields(), Indexes());
    Fill(Good, 40);
    const QByteArray Image = TTableFile::Image(Good);
    const QString Name = QStringLiteral("random.quorvy");
    std::mt19937 Rng(20240611);
    auto Below = [&](std::size_t N) { return N ? std::size_t(Rng() % N) : 0; };
    int Loaded = 0;
    for (int Round = 0; Round < 10000; ++Round) {
        QByteArray B = Image;
        for (int Op = 0, Ops = 1 + int(Below(3)); Op < Ops; ++Op) {
            const std::size_t N = std::size_t(B.size());
            if (N == 0)
                break;
            switch (Below(5)) {
            case 0: {
                const auto At = qsizetype(Below(N));
                B[At] = char(B[At] ^ char(1u << Below(8)));
                break;
            }
            case 1:
                B.truncate(qsizetype(Below(N)));
                break;
            case 2: {  // a 32-bit count, length or offset that lies
                static const std::uint32_t Lies[] = {0, 1, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
                const std::uint32_t V = Below(2) ? Lies[Below(5)] : std::uint32_t(Below(N + 64));
                const std::size_t At = Below(3) ? Below(N) : 24 + 4 * Below(3);
                if (At + 4 <= N)
                    std::memcpy(B.data() + At, &V, 4);
                break;
            }
            case 3:
                B.insert(qsizetype(Below(N)), QByteArray(int(1 + Below(6)), char(Rng())));
                break;
            default:
                B.remove(qsizetype(Below(N)), qsizetype(1 + Below(6)));
                break;
            }
        }
        if (B.size() >= 44 && Below(8) != 0)
            Reseal(B);
        TTableData Target;
        try {
            TTableFile::LoadImage(B, Name, Target);
        } catch (const EDatabaseError& E) {
            ASSERT_TRUE(E.Message().contains(Name)) << E.Message().toStdString();
            ASSERT_FALSE(Target.Defined());
            continue;
        }
        ++Loaded;
        ExpectOrdersSound(Target);
    }
    // Some damage hits only record content and loads.
    EXPECT_GT(Loaded, 0);
}

TEST(TableFileDamage, ForeignFilesAreRefusedByTheirFirstBytes)
{
    TTestDir Dir;
    TTableData Target;
    try {
        TTableFile::Load(Dir.Path(), Target);
        ADD_FAILURE() << "a folder loaded";
    } catch (const EDatabaseError& E) {
        EXPECT_EQ(E.Message(), QString("Cannot open table file '%1'").arg(Dir.Path()));
    }
    // A file without end: read whole it would fill the memory.
    if (QFile::exists("/dev/zero")) {
        try {
            TTableFile::Load("/dev/zero", Target);
            ADD_FAILURE() << "endless file loaded";
        } catch (const EDatabaseError& E) {
            EXPECT_EQ(E.Message(), "'/dev/zero' is not a table file");
        }
    }
    // A pipe is refused unread: opened plainly it waits for a writer, and a
    // writer can pour into it without end.
    const QString Pipe = Dir.File("pipe.quorvy");
    ASSERT_EQ(::mkfifo(QFile::encodeName(Pipe).constData(), 0600), 0);
    EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { TTableFile::Load(Pipe, Target); }),
              QString("'%1' is not a table file").arg(Pipe));
    EXPECT_FALSE(Target.Defined());
}

namespace {

// The most memory the process has held so far, in KiB.
long PeakKiB()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss;
}

} // namespace

TEST(TableFileDamage, LengthIsCheckedAgainstTheFileBeforeTheRestIsRead)
{
    TTestDir Dir;
    TTableData Good;
    Good.Define(PersonFields(), Indexes());
    Fill(Good, 3);
    const QByteArray Image = TTableFile::Image(Good);
    struct {
        const char* Name;
        qint64 FileSize; // the image, then zeros (a sparse file)
        const char* Message;
    } const Cases[] = {
        // A real header before a gigabyte: read whole, it took seconds and
        // more than a gigabyte of memory to be refused.
        {"huge.quorvy", qint64(1) << 30, "Table file '%1' is damaged"},
        {"longer.quorvy", Image.size() + 1, "Table file '%1' is damaged"},
        {"cut.quorvy", Image.size() - 1, "Table file '%1' is incomplete"},
        {"header.quorvy", 40, "Table file '%1' is incomplete"},
    };
    const long PeakBefore = PeakKiB();
    for (const auto& C : Cases) {
        const QString Path = Dir.File(QString::fromLatin1(C.Name));
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Image.left(C.FileSize));
        ASSERT_TRUE(File.resize(C.FileSize));
        File.close();
        TTableData Target;
        EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { TTableFile::Load(Path, Target); }),
                  QString::fromLatin1(C.Message).arg(Path))
            << C.Name;
        EXPECT_FALSE(Target.Defined());
    }
    // Refused from its header: the gigabyte was never read into memory.
    EXPECT_LT(PeakKiB() - PeakBefore, 64 * 1024);
    // The image itself still loads, from a file as from memory.
    const QString Path = Dir.File("good.quorvy");
    ASSERT_TRUE(WriteRaw(Path, Image));
    TTableData Back;
    TTableFile::Load(Path, Back);
    EXPECT_EQ(TTableFile::Image(Back), Image);
}

TEST(TableFileDamage, OtherFormatVersionsAreNamedUnlessTheFileIsDamaged)
{
    TTableData Good;
    Good.Define(PersonFields(), Indexes());
    Fill(Good, 5);
    QByteArray Later = TTableFile::Image(Good);
    const std::uint32_t Version = 2;
    std::memcpy(Later.data() + 8, &Version, sizeof Version);
    QByteArray Damaged = Later;
    Reseal(Later);
    Damaged[Damaged.size() / 2] = char(Damaged[Damaged.size() / 2] ^ 0x55);
    TTestDir Dir;
    const struct {
        const QByteArray& Image;
        const char* Message;
    } Cases[] = {
        {Later, "Table file '%1' has an unsupported format version (2)"},
        {Damaged, "Table file '%1' is damaged"},
    };
    for (const auto& C : Cases) {
        const QString Path = Dir.File("v.quorvy");
        ASSERT_TRUE(WriteRaw(Path, C.Image));
        TTableData Target;
        EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { TTableFile::Load(Path, Target); }),
                  QString::fromLatin1(C.Message).arg(Path));
        EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { TTableFile::LoadImage(C.Image, Path, Target); }),
                  QString::fromLatin1(C.Message).arg(Path));
        EXPECT_FALSE(Target.Defined());
    }
}

TEST(TableFileDamage, DamageIsRefusedWhereItStartsWhateverTheHeaderClaims)
{
    // Headers that match a gigabyte file (zeros after the sound part, a
    // sparse file), each claiming more records than there are: read whole
    // first, it took seconds and more than a gigabyte to be refused.
    TTestDir Dir;
    TTableData Good;
    Good.Define(PersonFields(), Indexes());
    Fill(Good, 50);
    QByteArray Image = TTableFile::Image(Good);
    Image.chop(4);
    const qint64 Size = qint64(1) << 30;
    const std::uint64_t Length = std::uint64_t(Size);
    std::memcpy(Image.data() + 16, &Length, sizeof Length);
    const std::uint32_t Claimed = 40000000;
    std::memcpy(Image.data() + 32, &Claimed, sizeof Claimed);
    const qint64 Cuts[] = {qint64(RecordsAt(Indexes())), Image.size(), Image.size() - 7};
    const long PeakBefore = PeakKiB();
    for (const qint64 Cut : Cuts) {
        const QString Path = Dir.File(QStringLiteral("cut%1.quorvy").arg(Cut));
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Image.left(Cut));
        ASSERT_TRUE(File.resize(Size));
        File.close();
        TTableData Target;
        EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { TTableFile::Load(Path, Target); }),
                  QString("Table file '%1' is damaged").arg(Path));
        EXPECT_FALSE(Target.Defined());
    }
    EXPECT_LT(PeakKiB() - PeakBefore, 64 * 1024);
}

TEST(TableFileDamage, KeysTheDataSetHoldsUniqueAreUniqueInTheFileToo)
{
    // The file calls its ID index plain; the data set's definition, which
    // wins, calls it unique.
    TTableData Plain;
    Plain.Define(PersonFields(), Indexes({}));
    Plain.Append(Person(Plain, 7, "een", -1));
    Plain.Append(Person(Plain, 7, "twee", -1));
    TTestDir Dir;
    const QString Path = Dir.File("p.quorvy");
    TTableFile::Save(Path, Plain);
    const QString Expected = QString("Table file '%1' is damaged: Key violation.").arg(Path);

    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    T->IndexDefs()->Add("ID_ASC", "ID", {ixPrimary, ixUnique});
    T->SetFileName(Path);
    try {
        T->Open();
        ADD_FAILURE() << "opened";
    } catch (const EDatabaseError& E) {
        EXPECT_EQ(E.Message(), Expected);
    }
    try {
        T->LoadFromFile(Path);
        ADD_FAILURE() << "loaded";
    } catch (const EDatabaseError& E) {
        EXPECT_EQ(E.Message(), Expected);
    }
    EXPECT_FALSE(T->Active());
}
