#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/TempDir.h"
#include "tests/support/Utf8Text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QStringList Items(const TStrings& List)
{
    return List.ToStringList();
}

QStringList L(std::initializer_list<const char*> Texts)
{
    QStringList R;
    for (const char* T : Texts)
        R.append(U(T));
    return R;
}

class TTracked : public TObject {
public:
    TTracked() { ++Alive; }
    ~TTracked() override { --Alive; }
    static inline int Alive = 0;
};

QByteArray ReadAll(const String& FileName)
{
    QFile F(FileName);
    EXPECT_TRUE(F.open(QIODevice::ReadOnly));
    return F.readAll();
}

void WriteAll(const String& FileName, const QByteArray& Bytes)
{
    QFile F(FileName);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
}

} // namespace

TEST(StringList, EditingAndIndexErrors)
{
    TStringList List;
    EXPECT_EQ(List.Add(U("b")), 0);
    EXPECT_EQ(List.Add(U("d")), 1);
    List.Insert(0, U("a"));
    List.Insert(2, U("c"));
    List.Insert(4, U("e"));
    EXPECT_EQ(Items(List), L({"a", "b", "c", "d", "e"}));
    List.Move(0, 4);
    EXPECT_EQ(Items(List), L({"b", "c", "d", "e", "a"}));
    List.Exchange(0, 4);
    List.Delete(1);
    List.SetStrings(1, U("D"));
    EXPECT_EQ(Items(List), L({"a", "D", "e", "b"}));
    EXPECT_EQ(List[3], U("b"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Strings(4); }), U("List index out of bounds (4)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Delete(-1); }), U("List index out of bounds (-1)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Insert(5, U("x")); }), U("List index out of bounds (5)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Move(0, 4); }), U("List index out of bounds (4)"));
    EXPECT_THROW(List.Objects(9), EStringListError);
    EXPECT_EQ(Items(List), L({"a", "D", "e", "b"}));
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive)
{
    TStringList List;
    List.SetText(U("Émile\nJAN\nPiet\n"));
    EXPECT_EQ(List.IndexOf(U("jan")), 1);
    EXPECT_EQ(List.IndexOf(U("émile")), 0);
    EXPECT_EQ(List.IndexOf(U("Kees")), -1);
    List.SetCaseSensitive(true);
    EXPECT_EQ(List.IndexOf(U("jan")), -1);
    EXPECT_EQ(List.IndexOf(U("JAN")), 1);
    TTracked O;
    List.SetObjects(2, &O);
    EXPECT_EQ(List.IndexOfObject(&O), 2);
    EXPECT_EQ(List.IndexOfObject(nullptr), 0);
}

TEST(StringList, SortedListsAndDuplicates)
{
    TStringList List;
    List.SetSorted(true);
    for (const char* S : {"pim", "Anna", "kees", "bob"})
        List.Add(U(S));
    EXPECT_EQ(Items(List), L({"Anna", "bob", "kees", "pim"}));
    // dupIgnore answers with the line already there.
    EXPECT_EQ(List.Add(U("KEES")), 2);
    EXPECT_EQ(List.Count(), 4);
    int Index = -1;
    EXPECT_TRUE(List.Find(U("BOB"), Index));
    EXPECT_EQ(Index, 1);
    EXPECT_FALSE(List.Find(U("carl"), Index));
    EXPECT_EQ(Index, 2);
    EXPECT_EQ(List.IndexOf(U("PIM")), 3);

    List.SetDuplicates(dupError);
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Add(U("anna")); }), U("String list does not allow duplicates"));
    EXPECT_EQ(List.Count(), 4);

    List.SetDuplicates(dupAccept);
    TTracked First, Second;
    List.AddObject(U("Bob"), &First);
    List.AddObject(U("BOB"), &Second);
    EXPECT_EQ(Items(List), L({"Anna", "bob", "Bob", "BOB", "kees", "pim"}));
    EXPECT_EQ(List.Objects(3), &Second);

    for (auto Op : std::initializer_list<std::function<void()>>{
             [&] { List.Insert(0, U("x")); }, [&] { List.Move(0, 1); },
             [&] { List.Exchange(0, 1); }, [&] { List.SetStrings(0, U("x")); }})
        EXPECT_EQ(ErrorMessage<EListError>(Op), U("Operation not allowed on sorted list"));
    EXPECT_EQ(List.Count(), 6);
}

TEST(StringList, SortIsStableAndFollowsCaseSensitivity)
{
    TStringList List;
    List.SetText(U("b\nB\nä\na\nA\nC\n"));
    List.Sort();
    // Locale-free, but as the comparison orders: an accented letter sorts
    // with its base letter, after the plain one.
    EXPECT_EQ(Items(List), L({"a", "A", "ä", "b", "B", "C"}));
    List.SetCaseSensitive(true);
    List.Sort();
    EXPECT_EQ(Items(List), L({"A", "a", "ä", "B", "b", "C"}));
    // Making a list sorted sorts it; switching case rules re-sorts it.
    TStringList Sorted;
    Sorted.SetText(U("b\nB\na\n"));
    Sorted.SetCaseSensitive(true);
    Sorted.SetSorted(true);
    EXPECT_EQ(Items(Sorted), L({"a", "B", "b"}));
    Sorted.SetText(U("bB\nba\nBA\n"));
    EXPECT_EQ(Items(Sorted), L({"BA", "ba", "bB"}));
    Sorted.SetCaseSensitive(false);
    EXPECT_EQ(Items(Sorted), L({"BA", "ba", "bB"}));
    int Index = -1;
    EXPECT_TRUE(Sorted.Find(U("bb"), Index));
    EXPECT_EQ(Index, 2);
}

TEST(StringList, SortingAgreesWithFindForAccentedNames)
{
    // A list made sorted after filling must be in the order Find searches,
    // and adding to it must keep that order.
    for (bool CaseSensitive : {false, true}) {
        TStringList List;
        List.SetCaseSensitive(CaseSensitive);
        List.SetText(U("Zoë\nEmma\nÖzil\nÉmile\nOtto\nEmil\nPim\nümit\nUlla\n"));
        List.SetSorted(true);
        EXPECT_EQ(Items(List), L({"Emil", "Émile", "Emma", "Otto", "Özil", "Pim", "Ulla", "ümit", "Zoë"}));
        for (int I = 0; I < List.Count(); ++I)
            EXPECT_EQ(List.IndexOf(List[I]), I) << List[I].toStdString();
        List.Add(U("Ömer"));
        List.Add(U("Eva"));
        EXPECT_EQ(Items(List), L({"Emil", "Émile", "Emma", "Eva", "Ömer", "Otto", "Özil", "Pim", "Ulla", "ümit", "Zoë"}));
    }
}

TEST(StringList, CustomSortSeesTheListUnchangedWhileSorting)
{
    TStringList List;
    List.SetText(U("ccc\na\nbb\ndd\ne\n"));
    List.CustomSort([](TStringList* Self, int I, int J) {
        return int(Self->Strings(J).size() - Self->Strings(I).size());
    });
    EXPECT_EQ(Items(List), L({"ccc", "bb", "dd", "a", "e"}));
    // A sorted list keeps its own order.
    List.SetSorted(true);
    List.CustomSort([](TStringList*, int I, int J) { return J - I; });
    EXPECT_EQ(Items(List), L({"a", "bb", "ccc", "dd", "e"}));
}

TEST(StringList, DuplicateErrorKeepsTheLinesBeforeIt)
{
    // dupError keeps what came before the first duplicate.
    TStringList List;
    List.SetDuplicates(dupError);
    List.SetSorted(true);
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.SetText(U("d\nb\na\nB\nc\n")); }),
              U("String list does not allow duplicates"));
    EXPECT_EQ(Items(List), L({"a", "b", "d"}));
}

TEST(StringList, TextSplitsEveryLineEndAndWritesCrLf)
{
    TStringList List;
    List.SetText(U("a\r\nb\nc\rd"));
    EXPECT_EQ(Items(List), L({"a", "b", "c", "d"}));
    EXPECT_EQ(List.Text(), U("a\r\nb\r\nc\r\nd\r\n"));
    List.SetText(U("a\r\n\r\n\n"));
    EXPECT_EQ(Items(List), L({"a", "", ""}));
    List.SetText(U("\r\n"));
    EXPECT_EQ(Items(List), L({""}));
    List.SetText(String());
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(List.Text(), String());
}

TEST(StringList, CommaTextQuotesWhatWouldNotReadBack)
{
    TStringList List;
    List.AddStrings(L({"plain", "two words", "a,b", "say \"hi\"", "", "tab\there"}));
    const String Comma = List.CommaText();
    EXPECT_EQ(Comma, U("plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",,\"tab\there\""));
    TStringList Back;
    Back.SetCommaText(Comma);
    EXPECT_TRUE(Back.Equals(&List));

    Back.SetCommaText(U("  a , b  c,\"q,\"x ,"));
    EXPECT_EQ(Items(Back), L({"a", "b", "c", "q,", "x", ""}));
    Back.SetCommaText(U("\"\""));
    EXPECT_EQ(Items(Back), L({""}));
    EXPECT_EQ(Back.CommaText(), U("\"\""));
    Back.SetCommaText(U("\"open"));
    EXPECT_EQ(Items(Back), L({"open"}));
}

TEST(StringList, DelimitedTextWithStrictDelimiter)
{
    TStringList List;
    List.SetDelimiter(QLatin1Char(';'));
    List.SetQuoteChar(QLatin1Char('\''));
    List.SetDelimitedText(U("a b;'c;d';e"));
    EXPECT_EQ(Items(List), L({"a", "b", "c;d", "e"}));
    List.SetStrictDelimiter(true);
    List.SetDelimitedText(U(" a b ;c;"));
    EXPECT_EQ(Items(List), L({" a b ", "c", ""}));
    EXPECT_EQ(List.DelimitedText(), U(" a b ;c;"));
    List.SetStrings(1, U("it's"));
    EXPECT_EQ(List.DelimitedText(), U(" a b ;'it''s';"));
    // CommaText keeps its own classic rules whatever the list's settings.
    EXPECT_EQ(List.CommaText(), U("\" a b \",it's,"));
}

TEST(StringList, NamesAndValues)
{
    TStringList List;
    List.SetText(U("Naam=Jansen\nPlaats=Den Haag=Zuid\ngeen waarde\nLeeg=\n"));
    EXPECT_EQ(List.Names(0), U("Naam"));
    EXPECT_EQ(List.Names(2), String());
    EXPECT_EQ(List.Values(U("plaats")), U("Den Haag=Zuid"));
    EXPECT_EQ(List.Values(U("Onbekend")), String());
    EXPECT_EQ(List.ValueFromIndex(2), String());
    EXPECT_EQ(List.ValueFromIndex(3), String());
    EXPECT_EQ(List.IndexOfName(U("LEEG")), 3);
    List.SetValues(U("naam"), U("de Vries"));
    List.SetValues(U("Land"), U("NL"));
    List.SetValues(U("Plaats"), String());
    EXPECT_EQ(Items(List), L({"naam=de Vries", "geen waarde", "Leeg=", "Land=NL"}));
    List.SetValueFromIndex(3, U("BE"));
    EXPECT_EQ(List.Strings(3), U("Land=BE"));
    List.SetNameValueSeparator(QLatin1Char(':'));
    List.AddPair(U("Tel"), U("070"));
    EXPECT_EQ(List.Values(U("tel")), U("070"));

    TStringList Sorted;
    Sorted.SetSorted(true);
    Sorted.SetText(U("b=2\nc=3\n"));
    Sorted.SetValues(U("b"), U("9"));
    Sorted.SetValues(U("a"), U("1"));
    EXPECT_EQ(Items(Sorted), L({"a=1", "b=9", "c=3"}));
}

TEST(StringList, AssignAddStringsAndEquals)
{
    TStringList Source;
    TTracked O;
    Source.AddObject(U("een"), &O);
    Source.Add(U("twee"));
    Source.SetDelimiter(QLatin1Char('|'));
    TStringList Dest;
    Dest.Add(U("weg"));
    Dest.Assign(&Source);
    EXPECT_TRUE(Dest.Equals(&Source));
    EXPECT_EQ(Dest.Objects(0), &O);
    EXPECT_EQ(Dest.Delimiter(), QLatin1Char('|'));
    Dest.Assign(&Dest);
    EXPECT_EQ(Dest.Count(), 2);
    Dest.AddStrings(&Dest);
    EXPECT_EQ(Items(Dest), L({"een", "twee", "een", "twee"}));
    EXPECT_FALSE(Dest.Equals(&Source));
    Source.SetStrings(0, U("EEN"));
    Dest.Assign(&Source);
    Dest.SetStrings(0, U("een"));
    EXPECT_FALSE(Dest.Equals(&Source));
    QStringList Collected;
    for (const String& S : Dest)
        Collected.append(S);
    EXPECT_EQ(Collected, L({"een", "twee"}));
}

TEST(StringList, ChangeEventsOncePerOutermostUpdate)
{
    TStringList List;
    QStringList Log;
    List.SetOnChanging([&](TObject* Sender) { Log.append(QStringLiteral("changing %1").arg(static_cast<TStringList*>(Sender)->Count())); });
    List.SetOnChange([&](TObject* Sender) { Log.append(QStringLiteral("change %1").arg(static_cast<TStringList*>(Sender)->Count())); });
    List.Add(U("a"));
    EXPECT_EQ(Log, L({"changing 0", "change 1"}));
    Log.clear();
    List.BeginUpdate();
    List.BeginUpdate();
    List.Add(U("b"));
    List.Add(U("c"));
    List.EndUpdate();
    EXPECT_EQ(Log, L({"changing 1"}));
    List.Delete(0);
    List.EndUpdate();
    EXPECT_EQ(Log, L({"changing 1", "change 2"}));
    Log.clear();
    List.BeginUpdate();
    List.IndexOf(U("b"));
    List.EndUpdate();
    List.EndUpdate();
    EXPECT_TRUE(Log.isEmpty());
    List.SetText(U("x\ny\nz\n"));
    EXPECT_EQ(Log, L({"changing 2", "change 3"}));
    // A failed bulk change still tells what did change.
    Log.clear();
    List.SetSorted(true);
    List.SetDuplicates(dupError);
    Log.clear();
    EXPECT_THROW(List.SetCommaText(U("p,q,p")), EStringListError);
    EXPECT_EQ(Log, L({"changing 3", "change 2"}));
    Log.clear();
    List.Clear();
    List.Clear();
    EXPECT_EQ(Log, L({"changing 2", "change 0"}));
}

TEST(StringList, OwnedObjectsAreFreedOnlyWhenTheirLineGoes)
{
    {
        TStringList List(true);
        for (int I = 0; I < 4; ++I)
            List.AddObject(IntToStr(I), new TTracked);
        EXPECT_EQ(TTracked::Alive, 4);
        List.Move(0, 3);
        List.Exchange(0, 1);
        EXPECT_EQ(TTracked::Alive, 4);
        List.Delete(0);
        EXPECT_EQ(TTracked::Alive, 3);
        List.SetObjects(0, new TTracked);
        EXPECT_EQ(TTracked::Alive, 3);
        List.SetObjects(0, List.Objects(0));
        EXPECT_EQ(TTracked::Alive, 3);
        List.Delete(2);
        EXPECT_EQ(TTracked::Alive, 2);
    }
    EXPECT_EQ(TTracked::Alive, 0);
    TStringList NotOwning;
    TTracked Kept;
    NotOwning.AddObject(U("a"), &Kept);
    NotOwning.Clear();
    EXPECT_EQ(TTracked::Alive, 1);
}

TEST(StringList, FilesAreUtf8WithCrLfAndWrittenAtomically)
{
    TTestDir Dir;
    const String Name = Dir.File(QStringLiteral("lijst.txt"));
    TStringList List;
    List.SetText(U("één\ntwee"));
    List.SaveToFile(Name);
    EXPECT_EQ(ReadAll(Name), QByteArray("\xC3\xA9\xC3\xA9n\r\ntwee\r\n"));
    List.SetWriteBOM(true);
    List.SaveToFile(Name);
    EXPECT_EQ(ReadAll(Name), QByteArray("\xEF\xBB\xBF\xC3\xA9\xC3\xA9n\r\ntwee\r\n"));
    TStringList Back;
    Back.LoadFromFile(Name);
    EXPECT_EQ(Items(Back), L({"één", "twee"}));

    WriteAll(Name, QByteArray("Caf\xE9\r\n\x80 \x93x\x94\r\n"));
    Back.LoadFromFile(Name);
    EXPECT_EQ(Items(Back), L({"Café", "€ “x”"}));

    // A folder in the way: the save fails and leaves nothing half-written.
    const String Blocked = Dir.File(QStringLiteral("map"));
    ASSERT_TRUE(QDir().mkpath(Blocked));
    EXPECT_THROW(List.SaveToFile(Blocked), EInOutError);
    EXPECT_EQ(QDir(Dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("lijst.txt")});
    try {
        Back.LoadFromFile(Dir.File(QStringLiteral("ontbreekt.txt")));
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(),
                  QStringLiteral("Het bestand \"%1\" kan niet worden geopend: de map of het bestand "
                                 "bestaat niet.")
                      .arg(Dir.File(QStringLiteral("ontbreekt.txt"))));
    }
    // A folder, or a pipe that would never end, is not read either.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Dir.File(QStringLiteral("pijp"))).constData(), 0600), 0);
    EXPECT_EQ(
        ErrorMessage<EInOutError>([&] { Back.LoadFromFile(Blocked); }),
        QStringLiteral("Het bestand \"%1\" kan niet worden geopend: er staat een map met die naam.").arg(Blocked));
    EXPECT_THROW(Back.LoadFromFile(Dir.File(QStringLiteral("pijp"))), EInOutError);
    EXPECT_EQ(Items(Back), L({"Café", "€ “x”"}));
}

TEST(StringList, AnExclusiveSaveMakesANewFileAndNeverReplacesOne)
{
    TTestDir Dir;
    TStringList List;
    List.Add(U("<HTML>"));
    List.Add(U("rij"));
    const String Name = Dir.File(QStringLiteral("quorvy$1.html"));
    List.SaveToFileExclusive(Name);
    EXPECT_EQ(ReadAll(Name), QByteArray("<HTML>\r\nrij\r\n"));
    EXPECT_EQ(QFile::permissions(Name) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);

    // Whatever already has the name stays as it was: a file, or a link
    // leading to a file that does not exist yet.
    TStringList Other;
    Other.Add(U("ander"));
    EXPECT_THROW(Other.SaveToFileExclusive(Name), EInOutError);
    EXPECT_EQ(ReadAll(Name), QByteArray("<HTML>\r\nrij\r\n"));
    const String Link = Dir.File(QStringLiteral("quorvy$2.txt"));
    ASSERT_TRUE(QFile::link(Dir.File(QStringLiteral("elders.txt")), Link));
    EXPECT_THROW(Other.SaveToFileExclusive(Link), EInOutError);
    EXPECT_FALSE(QFile::exists(Dir.File(QStringLiteral("elders.txt"))));
}

TEST(StringList, StreamsReadAndWriteTheSameBytes)
{
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    ASSERT_TRUE(Buffer.open(QIODevice::WriteOnly));
    TStringList List;
    List.SetText(U("a\nß\n"));
    List.SaveToStream(Buffer);
    Buffer.close();
    EXPECT_EQ(Bytes, QByteArray("a\r\n\xC3\x9F\r\n"));
    ASSERT_TRUE(Buffer.open(QIODevice::ReadOnly));
    TStringList Back;
    Back.LoadFromStream(Buffer);
    EXPECT_TRUE(Back.Equals(&List));
}
