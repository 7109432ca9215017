#include "platform/classes/FormText.h"

#include "platform/rtl/Exceptions.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

TFormValue ValueOf(const QByteArray& ValueText)
{
    const TFormObject Obj = ParseFormText("object A: TA\n  P = " + ValueText + "\nend\n", QStringLiteral("v.form"));
    EXPECT_EQ(Obj.Properties.size(), 1u);
    return Obj.Properties.at(0).Value;
}

String ParseError(const QByteArray& Text)
{
    return ErrorMessage<EReadError>([&] { ParseFormText(Text, QStringLiteral("p.form")); });
}

} // namespace

TEST(FormTextTest, StringsJoinQuotesCodesAndContinuations)
{
    EXPECT_EQ(ValueOf("'a''b'").Str, QStringLiteral("a'b"));
    EXPECT_EQ(ValueOf("''").Str, QString());
    EXPECT_EQ(ValueOf("#65#$42'c'#13#10").Str, QStringLiteral("ABc\r\n"));
    EXPECT_EQ(ValueOf("'Quorvy'#174").Str, QString::fromUtf8("Quorvy®"));
    EXPECT_EQ(ValueOf("'één'").Str, QString::fromUtf8("één"));
    EXPECT_EQ(ValueOf("\n    'abc' +\n    'def' +\n    #33").Str, QStringLiteral("abcdef!"));
    EXPECT_EQ(ValueOf("#128512").Str, QString::fromUtf8("\xF0\x9F\x98\x80"));
}

TEST(FormTextTest, NumbersIdentifiersAndLiterals)
{
    TFormValue V = ValueOf("$FF");
    EXPECT_EQ(V.Type, vaInt32);
    EXPECT_EQ(V.Int, 255);
    EXPECT_EQ(ValueOf("-2147483648").Int, -2147483648LL);
    EXPECT_EQ(ValueOf("-2147483648").Type, vaInt32);
    EXPECT_EQ(ValueOf("2147483648").Type, vaInt64);
    EXPECT_EQ(ValueOf("$FF000000").Int, 0xFF000000LL);
    V = ValueOf("-1.25E2");
    EXPECT_EQ(V.Type, vaExtended);
    EXPECT_EQ(V.Float, -125.0);
    EXPECT_EQ(ValueOf("0.5").Float, 0.5);
    EXPECT_EQ(ValueOf("True").Type, vaTrue);
    EXPECT_EQ(ValueOf("false").Type, vaFalse);
    EXPECT_EQ(ValueOf("nil").Type, vaNil);
    V = ValueOf("DataModuleMain.cdsQuorvy");
    EXPECT_EQ(V.Type, vaIdent);
    EXPECT_EQ(V.Str, QStringLiteral("DataModuleMain.cdsQuorvy"));
    V = ValueOf("[akLeft, akTop]");
    EXPECT_EQ(V.SetItems, (QStringList{"akLeft", "akTop"}));
    EXPECT_TRUE(ValueOf("[]").SetItems.isEmpty());
    V = ValueOf("{ 0a0B\n   ff }");
    EXPECT_EQ(V.Binary, QByteArray::fromHex("0a0bff"));
}

TEST(FormTextTest, ObjectsListsAndCollections)
{
    const TFormObject Root = ParseFormText("\xEF\xBB\xBF"
                                           "inherited Form1: TForm1 [2]\r\n"
                                           "  Font.Name = 'x'\r\n"
                                           "  L = (1 'a' (2 3) [b])\r\n"
                                           "  C = <\r\n"
                                           "    item\r\n"
                                           "      W = 1\r\n"
                                           "    end\r\n"
                                           "    item\r\n"
                                           "    end>\r\n"
                                           "  object TUnnamed\r\n"
                                           "  end\r\n"
                                           "  inline Frame: TFrame1\r\n"
                                           "  end\r\n"
                                           "end\r\n",
                                           QStringLiteral("o.form"));
    EXPECT_EQ(Root.Kind, fokInherited);
    EXPECT_EQ(Root.Position, 2);
    EXPECT_EQ(Root.Properties.at(0).Name, QStringLiteral("Font.Name"));
    const TFormValue& L = Root.Properties.at(1).Value;
    ASSERT_EQ(L.Items.size(), 4u);
    EXPECT_EQ(L.Items[2].Items.size(), 2u);
    EXPECT_EQ(L.Items[3].Type, vaSet);
    const TFormValue& C = Root.Properties.at(2).Value;
    ASSERT_EQ(C.CollectionItems.size(), 2u);
    EXPECT_EQ(C.CollectionItems[0].Properties.at(0).Line, 6);
    ASSERT_EQ(Root.Children.size(), 2u);
    EXPECT_TRUE(Root.Children[0].Name.isEmpty());
    EXPECT_EQ(Root.Children[0].ClassName, QStringLiteral("TUnnamed"));
    EXPECT_EQ(Root.Children[1].Kind, fokInline);
    // Printing and parsing again gives the same text.
    const QByteArray Printed = FormatFormText(Root);
    EXPECT_EQ(FormatFormText(ParseFormText(Printed, QStringLiteral("again"))), Printed);
    EXPECT_EQ(FormTextRootClass("inherited Form1: TForm1\nend\n"), QStringLiteral("TForm1"));
    EXPECT_EQ(FormTextRootClass("garbage"), QString());
}

TEST(FormTextTest, DamagedTextIsRefusedWithLine)
{
    EXPECT_EQ(ParseError(""), QStringLiteral("p.form(1): 'object' expected but end of file found"));
    EXPECT_EQ(ParseError("thing A: TA\nend\n"), QStringLiteral("p.form(1): 'object' expected"));
    EXPECT_EQ(ParseError("object A: TA\n  P = 'open\nend\n"), QStringLiteral("p.form(2): Unterminated string"));
    EXPECT_EQ(ParseError("object A: TA\n  object B: TB\n    P = 1\n"),
              QStringLiteral("p.form(2): Unterminated object B: 'end' expected"));
    EXPECT_EQ(ParseError("object A: TA\n  P 1\nend\n"), QStringLiteral("p.form(2): '=' expected"));
    EXPECT_EQ(ParseError("object A: TA\n  P = {0G}\nend\n"), QStringLiteral("p.form(2): Invalid binary value"));
    EXPECT_EQ(ParseError("object A: TA\n  P = {012}\nend\n"), QStringLiteral("p.form(2): Invalid binary value"));
    EXPECT_EQ(ParseError("object A: TA\n  P = {01"), QStringLiteral("p.form(2): Invalid binary value: '}' expected"));
    EXPECT_EQ(ParseError("object A: TA\n  P = (1 2\n"),
              QStringLiteral("p.form(2): ')' expected but end of file found"));
    EXPECT_EQ(ParseError("object A: TA\n  P = [a b]\nend\n"), QStringLiteral("p.form(2): ']' expected"));
    EXPECT_EQ(ParseError("object A: TA\n  P = 'a' +\nend\n"), QStringLiteral("p.form(3): String expected"));
    EXPECT_EQ(ParseError("object A: TA\n  P = #99999999\nend\n"), QStringLiteral("p.form(2): Invalid character code"));
    EXPECT_EQ(ParseError("object A: TA\n  P = -\nend\n"), QStringLiteral("p.form(2): Invalid property value"));
    EXPECT_EQ(ParseError("object A: TA\n  P = 99999999999999999999\nend\n"),
              QStringLiteral("p.form(2): Invalid integer value"));
    EXPECT_EQ(ParseError("object A: TA\n  P = <\n    W = 1\n  >\nend\n"), QStringLiteral("p.form(3): 'item' expected"));
    EXPECT_EQ(ParseError("object A: TA\nend\nobject B: TB\nend\n"), QStringLiteral("p.form(3): End of file expected"));
    EXPECT_EQ(ParseError("object A: TA\n  object B: TB\n  end\n  P = 1\nend\n"), QStringLiteral("p.form(4): 'end' expected"));
    // Deep nesting is refused, not followed until the stack runs out.
    EXPECT_EQ(ParseError("object A: TA\n  P = " + QByteArray(100000, '(')), QStringLiteral("p.form(2): Nesting too deep"));
}
