// ToolBox: the texts every report and record window builds on.
#include "app/qv_toolb.h"

#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Points the temporary folder at a fresh test folder for one test.
class TempPathScope {
public:
    explicit TempPathScope(const QString& Path)
    {
        ToolBox::SetTempPathSource([Path] { return Path; });
    }
    ~TempPathScope() { ToolBox::SetTempPathSource(nullptr); }
};

int CounterOf(const QString& Name)
{
    const qsizetype Start = Name.lastIndexOf(QLatin1Char('$')) + 1;
    const qsizetype Dot = Name.lastIndexOf(QLatin1Char('.'));
    return Name.mid(Start, Dot - Start).toInt();
}

} // namespace

TEST(ToolBoxTest, HtmlCellText)
{
    EXPECT_EQ(ToolBox::HtmlCellText(""), "&nbsp;");
    EXPECT_EQ(ToolBox::HtmlCellText("   "), "&nbsp;");
    EXPECT_EQ(ToolBox::HtmlCellText(" \t\r\n"), "&nbsp;");
    EXPECT_EQ(ToolBox::HtmlCellText(" a "), " a ");
    // Markup characters in a value stay text on the page.
    EXPECT_EQ(ToolBox::HtmlCellText("Jansen & Zn"), "Jansen &amp; Zn");
    EXPECT_EQ(ToolBox::HtmlCellText("<b>\"x\"</b>"), "&lt;b&gt;&quot;x&quot;&lt;/b&gt;");
}

TEST(ToolBoxTest, AddressLine)
{
    EXPECT_EQ(ToolBox::AddressLine("Dorpsstraat", "12", "", "Ede"), "Dorpsstraat 12, Ede");
    EXPECT_EQ(ToolBox::AddressLine("Dorpsstraat", "12", "bis", "Ede"), "Dorpsstraat 12 bis, Ede");
    // Every part is trimmed; a blank addition counts as none.
    EXPECT_EQ(ToolBox::AddressLine("  Dorpsstraat ", " 12  ", "   ", " Ede\t"),
              "Dorpsstraat 12, Ede");
    // Empty parts still leave their separators.
    EXPECT_EQ(ToolBox::AddressLine("", "", "", ""), " , ");
    EXPECT_EQ(ToolBox::AddressLine("Dorpsstraat", "12", "", ""), "Dorpsstraat 12, ");
}

// Counted in code units, as the field's size counts them; a character
// beyond the Basic Multilingual Plane is never parted.
TEST(ToolBoxTest, PostcodeText)
{
    struct TCase {
        const char* Stored;
        const char* Shown;
    };
    for (const TCase& C :
         {TCase{"1234AB", "1234 AB"}, TCase{"12", "12 "}, TCase{"", " "}, TCase{"12\U0001F600AB", "12\U0001F600 AB"},
          TCase{"123\U0001F600A", "123 \U0001F600A"}, TCase{"1234A\U0001F600", "1234 A"}}) {
        SCOPED_TRACE(C.Stored);
        EXPECT_EQ(ToolBox::PostcodeText(QString::fromUtf8(C.Stored)), QString::fromUtf8(C.Shown));
    }
}

TEST(ToolBoxTest, MapSearchAddressEncodesEachPartOnItsOwn)
{
    EXPECT_EQ(ToolBox::MapSearchAddress("Dorpsstraat", "12", "Ede"),
              "https://www.openstreetmap.org/search?query=Dorpsstraat+12,+Ede");
    // Blanks inside a part, and characters that would end the query or
    // start another parameter, stay text of the part; blanks around it go.
    EXPECT_EQ(ToolBox::MapSearchAddress(" Laan van Meerdervoort ", "5+7", "Den Haag&z=1#x?"),
              ToolBox::MapServiceBase + "Laan%20van%20Meerdervoort+5%2B7,+Den%20Haag%26z%3D1%23x%3F");
    EXPECT_EQ(ToolBox::MapSearchAddress("Élise straße", "", ""),
              ToolBox::MapServiceBase + "%C3%89lise%20stra%C3%9Fe+,+");
}

TEST(ToolBoxTest, PersonDisplayName)
{
    EXPECT_EQ(ToolBox::PersonDisplayName("Mevrouw", "", "van", "dijk"), "Mevrouw Van Dijk");
    EXPECT_EQ(ToolBox::PersonDisplayName("Mevrouw", "anna", "van", "dijk"), "Anna van Dijk");
    EXPECT_EQ(ToolBox::PersonDisplayName("", "", "", "jansen"), "Jansen");
    EXPECT_EQ(ToolBox::PersonDisplayName("Heer", "", "", "jansen"), "Heer Jansen");
    // Only the first character changes; the rest keeps its case.
    EXPECT_EQ(ToolBox::PersonDisplayName("", "jan-PETER", "", "de BOER"), "Jan-PETER De BOER");
}

TEST(ToolBoxTest, PersonDisplayNameEdges)
{
    // Accented small letters are not upper-cased.
    EXPECT_EQ(ToolBox::PersonDisplayName("", "élise", "", "ölçer"), QString::fromUtf8("élise ölçer"));
    // An empty last name: the salutation followed by one blank.
    EXPECT_EQ(ToolBox::PersonDisplayName("Mevrouw", "", "", ""), "Mevrouw ");
    EXPECT_EQ(ToolBox::PersonDisplayName("", "", "", ""), "");
    // Nothing is trimmed.
    EXPECT_EQ(ToolBox::PersonDisplayName("", " anna", "", "dijk"), " anna Dijk");
}

TEST(ToolBoxTest, TheUtf8FormsGiveTheStringFormsText)
{
    // Blanks, control characters, HTML's four, letters outside ASCII and
    // outside the basic plane, at either end and inside.
    const QStringList Texts = {"",           " ",        "\t\r\n",     "jansen",      " van ",       "élise",
                               "ölçer \x01", "a&b<c>\"", "\"<>&",      "\U0001F600x", "x\U0001F600", "\u00A0a\u00A0",
                               "de BOER",    "12 bis",   "Dorpsstraat"};
    const auto Utf8 = [](const QString& Text) { return Text.toUtf8(); };
    for (const QString& A : Texts) {
        const QByteArray A8 = Utf8(A);
        QByteArray Out;
        ToolBox::AppendHtmlCellText(Out, QByteArrayView(A8));
        EXPECT_EQ(Out, Utf8(ToolBox::HtmlCellText(A))) << A.toStdString();
        EXPECT_EQ(ToolBox::HasHtmlSpecial(QByteArrayView(A8)), ToolBox::HtmlText(A) != A) << A.toStdString();
        for (const QString& B : Texts) {
            const QByteArray B8 = Utf8(B);
            Out.clear();
            ToolBox::AppendPersonDisplayName(Out, QByteArrayView(A8), QByteArrayView(B8), QByteArrayView(A8),
                                             QByteArrayView(B8));
            EXPECT_EQ(Out, Utf8(ToolBox::PersonDisplayName(A, B, A, B))) << A.toStdString() << "|" << B.toStdString();
            Out.clear();
            ToolBox::AppendPersonDisplayName(Out, QByteArrayView(B8), QByteArrayView(), QByteArrayView(B8),
                                             QByteArrayView(A8));
            EXPECT_EQ(Out, Utf8(ToolBox::PersonDisplayName(B, "", B, A))) << A.toStdString() << "|" << B.toStdString();
            Out.clear();
            ToolBox::AppendAddressLine(Out, QByteArrayView(A8), QByteArrayView(B8), QByteArrayView(A8),
                                       QByteArrayView(B8));
            EXPECT_EQ(Out, Utf8(ToolBox::AddressLine(A, B, A, B))) << A.toStdString() << "|" << B.toStdString();
        }
    }
}

TEST(ToolBoxTest, TempFileNamesCountUpInTheTemporaryFolder)
{
    TTestDir Dir;
    TempPathScope Scope(Dir.Path());
    const QString First = ToolBox::TempFileName("html");
    const int N = CounterOf(First);
    EXPECT_EQ(First, Dir.Path() + QStringLiteral("quorvy$%1.html").arg(N));
    EXPECT_EQ(ToolBox::TempFileName("txt"), Dir.Path() + QStringLiteral("quorvy$%1.txt").arg(N + 1));
    EXPECT_EQ(ToolBox::TempFileName("html"), Dir.Path() + QStringLiteral("quorvy$%1.html").arg(N + 2));

    // A folder given without its trailing delimiter gets exactly one.
    QString Folder = Dir.Path();
    Folder.chop(1);
    TempPathScope Bare(Folder);
    EXPECT_EQ(ToolBox::TempFileName("txt"), Dir.Path() + QStringLiteral("quorvy$%1.txt").arg(N + 3));
}

TEST(ToolBoxTest, TempFileNameSkipsNamesLeftBehind)
{
    TTestDir Dir;
    TempPathScope Scope(Dir.Path());
    const int N = CounterOf(ToolBox::TempFileName("html"));
    // A report of a crashed run and a dangling link sit on the next two names.
    QFile Stale(Dir.File(QStringLiteral("quorvy$%1.html").arg(N + 1)));
    ASSERT_TRUE(Stale.open(QIODevice::WriteOnly));
    Stale.close();
    ASSERT_TRUE(QFile::link(Dir.File("nowhere"), Dir.File(QStringLiteral("quorvy$%1.html").arg(N + 2))));
    EXPECT_EQ(ToolBox::TempFileName("html"), Dir.Path() + QStringLiteral("quorvy$%1.html").arg(N + 3));
}
