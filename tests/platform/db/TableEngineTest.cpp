// The table engine without components: sort orders, key search, record
// changes keeping every order right, and table files.
#include "platform/db/Crc32.h"
#include "platform/db/TableFile.h"
#include "platform/rtl/FileUtils.h"
#include "tests/support/PersonTables.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

std::vector<TTableIndexDef> PersonIndexes()
{
    return {{"ID_ASC", "ID", "", "", {ixPrimary, ixUnique}},
            {"ID_DESC", "ID", "", "", {ixUnique, ixDescending}},
            {"NAME_ASC", "NAME", "", "", {ixCaseInsensitive}},
            {"NAME_DESC", "NAME", "", "", {ixCaseInsensitive, ixDescending}},
            {"NAME_CS", "NAME", "", "", {}},
            {"BORN_NAME", "BORN;NAME", "NAME", "NAME", {}}};
}

QStringList Names(TTableData& T, const QString& Index)
{
    QStringList Out;
    for (auto Id : T.IndexByName(Index).Order())
        Out << T.Layout().Text(T.Record(Id), fName);
    return Out;
}

class TableEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        T.Define(PersonFields(), PersonIndexes());
        const char* Seed[] = {"jansen", "Bakker", "de Vries", "Jansen", "visser", "Émile", "ed", ""};
        int Id = 10;
        for (const char* N : Seed) {
            T.Append(Person(T, Id, QString::fromUtf8(N), 40000 + Id % 3));
            ++Id;
        }
    }
    TTableData T;
};

}  // namespace

TEST_F(TableEngine, CaseInsensitiveOrderKeepsEqualKeysInInsertionOrder)
{
    // Null (empty text) first; "jansen" before "Jansen" because it came
    // first; the accented name sorts among the e's.
    EXPECT_EQ(Names(T, "NAME_ASC"),
              QStringList({"", "Bakker", "de Vries", "ed", QString::fromUtf8("Émile"), "jansen", "Jansen", "visser"}));
    EXPECT_EQ(Names(T, "NAME_DESC"),
              QStringList({"visser", "jansen", "Jansen", QString::fromUtf8("Émile"), "ed", "de Vries", "Bakker", ""}));
    // Case-sensitive: upper case before lower case, by code point.
    EXPECT_EQ(Names(T, "NAME_CS").mid(1, 4), QStringList({"Bakker", "Jansen", "de Vries", "ed"}));
}

TEST(TableEngineOrders, TablesWrittenInOrderOrInReverseOrderSortRight)
{
    // Keys that arrive sorted or reversed skip the sort; equal keys must
    // still come in record order in both directions.
    TTableData T;
    T.Define(PersonFields(), PersonIndexes());
    const char* Seed[] = {"e", "d", "c", "b", "b", "a"};
    for (int I = 0; I < 6; ++I)
        T.Append(Person(T, 6 - I, Seed[I]));
    auto Ids = [&](const QString& Index) {
        std::vector<int> Out;
        for (auto Id : T.IndexByName(Index).Order())
            Out.push_back(T.Layout().Int32(T.Record(Id), fId));
        return Out;
    };
    EXPECT_EQ(Ids("ID_ASC"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Ids("ID_DESC"), (std::vector<int>{6, 5, 4, 3, 2, 1}));
    // The two b's: record 3 (ID 3) came before record 4 (ID 2).
    EXPECT_EQ(Ids("NAME_ASC"), (std::vector<int>{1, 3, 2, 4, 5, 6}));
    EXPECT_EQ(Ids("NAME_DESC"), (std::vector<int>{6, 5, 4, 3, 2, 1}));
}

TEST_F(TableEngine, MultiFieldIndexWithPerFieldDirection)
{
    // BORN ascending, then NAME descending without case.
    const TTableIndex& I = T.IndexByName("born_name");
    const TRecordLayout& L = T.Layout();
    for (std::size_t K = 1; K < I.Order().size(); ++K) {
        const auto* A = T.Record(I.Order()[K - 1]);
        const auto* B = T.Record(I.Order()[K]);
        ASSERT_LE(L.Double(A, fBorn), L.Double(B, fBorn));
        if (L.Double(A, fBorn) == L.Double(B, fBorn)) {
            EXPECT_GE(CompareUtf8(L.Utf8(A, fName), L.Utf8(B, fName), true), 0);
        }
    }
}

TEST_F(TableEngine, KeySearchExactNearestAndPastTheEnd)
{
    TTableIndex& I = T.IndexByName("NAME_ASC");
    const TRecordLayout& L = T.Layout();
    auto Key = [&](const QString& S) { return Person(T, 0, S); };
    auto NameAt = [&](int P) { return L.Text(T.Record(I.Order()[std::size_t(P)]), fName); };

    TRecordBuffer K = Key("JANSEN");
    const int P = I.LowerBound(T.Store(), K.data(), 1);
    EXPECT_EQ(NameAt(P), "jansen");
    EXPECT_EQ(I.UpperBound(T.Store(), K.data(), 1) - P, 2);
    K = Key("f");  // between "ed" and "jansen"
    EXPECT_EQ(NameAt(I.LowerBound(T.Store(), K.data(), 1)), "jansen");
    K = Key("EMILE");  // the name without its accent lands on it, but is not it
    EXPECT_EQ(NameAt(I.LowerBound(T.Store(), K.data(), 1)), QString::fromUtf8("Émile"));
    EXPECT_EQ(I.UpperBound(T.Store(), K.data(), 1), I.LowerBound(T.Store(), K.data(), 1));
    K = Key(QString::fromUtf8("\xF0\x9F\x98\x80"));  // past the end
    EXPECT_EQ(I.LowerBound(T.Store(), K.data(), 1), int(I.Order().size()));
}

TEST_F(TableEngine, ChangesKeepBuiltOrdersSortedAndUniqueKeysUnique)
{
    TTableIndex& ByName = T.IndexByName("NAME_ASC");
    TTableIndex& ById = T.IndexByName("ID_DESC");
    const auto Id = ByName.Order()[1];  // "Bakker"
    T.Modify(Id, Person(T, 99, "Zwart"));
    EXPECT_EQ(Names(T, "NAME_ASC").back(), "Zwart");
    EXPECT_EQ(Names(T, "NAME_ASC").at(6), "visser");
    EXPECT_EQ(T.Layout().Int32(T.Record(ById.Order().front()), fId), 99);

    // Duplicate keys on a unique index are refused and change nothing.
    const auto Before = T.Version();
    EXPECT_THROW(T.Append(Person(T, 99, "Dubbel")), EDatabaseError);
    EXPECT_THROW(T.Modify(ByName.Order()[0], Person(T, 10, "x")), EDatabaseError);
    EXPECT_EQ(T.Version(), Before);
    EXPECT_EQ(T.RecordCount(), 8);

    T.Delete(Id);
    EXPECT_EQ(ByName.Order().size(), 7u);
    EXPECT_FALSE(Names(T, "NAME_ASC").contains("Zwart"));
    EXPECT_EQ(T.Layout().Int32(T.Record(ById.Order().front()), fId), 17);
}

TEST_F(TableEngine, UnknownIndexAndFieldNamesAreClassicErrors)
{
    EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { T.IndexByName("NOPE"); }), "Index 'NOPE' not found");
    EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { T.IndexByFields("NAME;AGE"); }), "Field 'AGE' not found");
}

TEST(RecordLayout, TextFieldsResizeInPlaceAndEmptyTextIsNull)
{
    TRecordLayout L(PersonFields());
    TRecordBuffer R = L.EmptyRecord();
    EXPECT_TRUE(L.IsNull(R.data(), fName));
    L.SetText(R, fNote, "a long remark");
    L.SetText(R, fName, QString::fromUtf8("Ĳsbrand"));
    L.SetText(R, fNote, "short");
    EXPECT_EQ(L.Text(R.data(), fName), QString::fromUtf8("Ĳsbrand"));
    EXPECT_EQ(L.Text(R.data(), fNote), "short");
    EXPECT_TRUE(L.Validate(R.data(), R.size()));
    L.SetText(R, fName, "");
    EXPECT_TRUE(L.IsNull(R.data(), fName));
    EXPECT_EQ(L.Text(R.data(), fNote), "short");
    EXPECT_EQ(TRecordLayout::Length(R.data()), R.size());
}

TEST(Crc32, KnownValue)
{
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32("", 0), 0u);
}

TEST_F(TableEngine, FileRoundTripKeepsDefinitionsRecordsAndOrder)
{
    TTestDir Dir;
    const QString Path = Dir.File("p.quorvy");
    T.Modify(T.NaturalOrder()[2], Person(T, 12, "de Vries", 40001.5, QString::fromUtf8("regel 1\r\nregel 2 €")));
    TTableFile::Save(Path, T);

    TTableData Back;
    TTableFile::Load(Path, Back);
    ASSERT_EQ(Back.RecordCount(), 8);
    ASSERT_EQ(Back.Fields().size(), 4u);
    EXPECT_EQ(Back.Fields()[1].Size, 20);
    EXPECT_TRUE(Back.Fields()[0].Required);
    ASSERT_EQ(Back.IndexDefs().size(), 6u);
    EXPECT_EQ(Back.IndexDefs()[5].DescFields, "NAME");
    EXPECT_TRUE(Back.IndexDefs()[1].Options.Contains(ixDescending));
    EXPECT_EQ(Names(Back, "NAME_ASC"), Names(T, "NAME_ASC"));
    const auto* R = Back.Record(Back.NaturalOrder()[2]);
    EXPECT_EQ(Back.Layout().Text(R, fNote), QString::fromUtf8("regel 1\r\nregel 2 €"));
    EXPECT_EQ(Back.Layout().Double(R, fBorn), 40001.5);
    // Records read from the file can be changed like any other.
    Back.Modify(Back.NaturalOrder()[0], Person(Back, 10, "Aap"));
    EXPECT_EQ(Names(Back, "NAME_ASC").at(1), "Aap");
}

TEST_F(TableEngine, DamagedShortAndForeignFilesAreRefusedWhole)
{
    TTestDir Dir;
    const QByteArray Good = TTableFile::Image(T);
    TTableData Target;
    Target.Define(PersonFields(), {});
    Target.Append(Person(Target, 1, "kept"));

    auto Refused = [&](const QByteArray& Bytes, const QString& Expected) {
        const QString Path = Dir.File("bad.quorvy");
        QFile F(Path);
        F.open(QIODevice::WriteOnly | QIODevice::Truncate);
        F.write(Bytes);
        F.close();
        try {
            TTableFile::Load(Path, Target);
            ADD_FAILURE() << "accepted: " << Expected.toStdString();
        } catch (const EDatabaseError& E) {
            EXPECT_EQ(E.Message(), Expected.arg(Path));
        }
        // Nothing of the bad file got in.
        EXPECT_EQ(Target.RecordCount(), 1);
        EXPECT_EQ(Target.Layout().Text(Target.Record(Target.NaturalOrder()[0]), fName), "kept");
    };
    Refused(Good.left(Good.size() - 1), "Table file '%1' is incomplete");
    Refused(Good.left(30), "Table file '%1' is incomplete");
    Refused(QByteArray(), "'%1' is not a table file");
    Refused("ID;NAME\r\n1;Jansen\r\n", "'%1' is not a table file");
    QByteArray Flipped = Good;
    Flipped[Flipped.size() / 2] = char(Flipped[Flipped.size() / 2] ^ 0x20);
    Refused(Flipped, "Table file '%1' is damaged");
    Refused(Good + "x", "Table file '%1' is damaged");

    // A record whose inner offsets run past its end is refused even with a
    // matching checksum.
    QByteArray Forged = Good;
    const int At = Forged.indexOf("jansen") - 4;  // the last text end offset
    Forged[At] = char(0x7F);
    const std::uint32_t Crc = Crc32(Forged.constData(), std::size_t(Forged.size() - 4));
    std::memcpy(Forged.data() + Forged.size() - 4, &Crc, 4);
    Refused(Forged, "Table file '%1' is damaged");

    try {
        TTableFile::Load(Dir.File("missing.quorvy"), Target);
        ADD_FAILURE();
    } catch (const EDatabaseError& E) {
        EXPECT_EQ(E.Message(), QString("Cannot open table file '%1'").arg(Dir.File("missing.quorvy")));
    }
}

TEST(RecordIdList, BlocksBehaveLikeOneVectorThroughSplitsAndEmptiedBlocks)
{
    TRecordIdList L;
    std::vector<std::uint32_t> Model;
    std::uint32_t Seed = 12345;
    auto Rand = [&] { Seed = Seed * 1103515245u + 12345u; return Seed >> 8; };
    // Enough inserts in one spot to split blocks many times over.
    for (std::uint32_t I = 0; I < 6000; ++I) {
        const std::size_t Pos = I % 3 == 0 ? Model.size() / 2 : Rand() % (Model.size() + 1);
        L.insert(Pos, I);
        Model.insert(Model.begin() + std::ptrdiff_t(Pos), I);
    }
    ASSERT_EQ(L.size(), Model.size());
    for (std::size_t I = 0; I < Model.size(); I += 7)
        ASSERT_EQ(L[I], Model[I]) << I;
    // Erase a whole stretch so that blocks run empty.
    for (int K = 0; K < 2500; ++K) {
        L.erase(1000);
        Model.erase(Model.begin() + 1000);
    }
    for (int K = 0; K < 500; ++K) {
        const std::size_t Pos = Rand() % Model.size();
        L.erase(Pos);
        Model.erase(Model.begin() + std::ptrdiff_t(Pos));
    }
    ASSERT_EQ(L.size(), Model.size());
    std::vector<std::uint32_t> Walked(L.begin(), L.end());
    EXPECT_EQ(Walked, Model);
    EXPECT_EQ(L.front(), Model.front());
    EXPECT_EQ(L.back(), Model.back());
    EXPECT_EQ(L.find(Model[1234]), 1234);
    EXPECT_EQ(L.find(999999), -1);

    // partition_point over a sorted list, at both ends and in between.
    TRecordIdList Sorted;
    std::vector<std::uint32_t> Ids;
    for (std::uint32_t I = 0; I < 5000; ++I)
        Ids.push_back(I * 2);
    Sorted.assign(Ids);
    EXPECT_EQ(Sorted.partition_point([](std::uint32_t) { return false; }), 0u);
    EXPECT_EQ(Sorted.partition_point([](std::uint32_t V) { return V < 2049; }), 1025u);
    EXPECT_EQ(Sorted.partition_point([](std::uint32_t V) { return V < 2048; }), 1024u);
    EXPECT_EQ(Sorted.partition_point([](std::uint32_t V) { return V < 100000; }), 5000u);
    TRecordIdList Empty;
    EXPECT_EQ(Empty.partition_point([](std::uint32_t) { return true; }), 0u);
    EXPECT_TRUE(Empty.begin() == Empty.end());
}

TEST(TableIndexBuild, SortedBuildAgreesWithFullComparisonOnAwkwardTexts)
{
    // Texts around the lengths where the build's shortcuts change, with
    // case, accents, digits and the odd control character.
    const QString Pieces[] = {"a", "A", "b", "Z", "_", "0", "9", " ", QString::fromUtf8("é"), QString::fromUtf8("É"),
                              QString::fromUtf8("ß"), QString(QChar(1)), "jansen", "JANSEN", "de Vries-"};
    std::uint32_t Seed = 7;
    auto Rand = [&] { Seed = Seed * 1103515245u + 12345u; return Seed >> 8; };
    for (bool Folded : {true, false}) {
        for (bool Desc : {false, true}) {
            TTableData T;
            TIndexOptions Options;
            if (Folded)
                Options.Include(ixCaseInsensitive);
            if (Desc)
                Options.Include(ixDescending);
            T.Define(PersonFields(), {{"X", "NAME", "", "", Options}});
            for (int I = 0; I < 3000; ++I) {
                QString S;
                const int Parts = int(Rand() % 4);
                for (int K = 0; K < Parts; ++K)
                    S += Pieces[Rand() % std::size(Pieces)];
                T.Append(Person(T, I, S));
            }
            const TTableIndex& Index = T.IndexByName("X");
            const TRecordLayout& L = T.Layout();
            ASSERT_EQ(Index.Order().size(), 3000u);
            for (std::size_t K = 1; K < Index.Order().size(); ++K) {
                const auto A = Index.Order()[K - 1], B = Index.Order()[K];
                int R = CompareUtf8(L.Utf8(T.Record(A), fName), L.Utf8(T.Record(B), fName), Folded);
                if (L.IsNull(T.Record(A), fName) != L.IsNull(T.Record(B), fName))
                    R = L.IsNull(T.Record(A), fName) ? -1 : 1;
                if (Desc)
                    R = -R;
                ASSERT_TRUE(R < 0 || (R == 0 && A < B)) << K << (Folded ? " folded" : "") << (Desc ? " desc" : "");
            }
        }
    }
}
