// Form texts at the edges of their numbers, and damaged at random: read
// right, or refused with source and line, never anything else.
#include "TestComponents.h"

#include "platform/classes/FormText.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

const char* const Sample = R"(object TestModule: TTestModule
  OnCreate = ModuleCreate
  object Panel1: TTestPanel
    Width = 300
    Caption = 'It''s a'#13#10'test: Quorvy® 2023'
    Ratio = 1.5
    Align = taClient
    Anchors = [takLeft, takRight]
    Color = tclRed
    Accel = 'k'
    Big = -5000000000
    Font.Name = 'Verdana'
    Items.Strings = (
      'een'
      '')
    Buddy = Button1
    OnClick = ButtonClick
    object Button1: TTestControl
      Width = -75
      Color = $FF000000
      Columns = <
        item
          Caption = 'Naam'
          Link = Panel1
        end
        item
          Width = 80
        end>
      Picture = {
        0102FF}
      Points = (
        1
        -3)
    end
  end
end
)";

std::int64_t IntOf(const QByteArray& ValueText)
{
    const TFormObject Obj = ParseFormText("object A: TA\n  P = " + ValueText + "\nend\n", QStringLiteral("v.form"));
    return Obj.Properties.at(0).Value.Int;
}

using TModulePtr = std::unique_ptr<TTestModule, TComponentDeleter>;

} // namespace

TEST(FormTextDamage, LowestInt64ReadsInDecimalAndHexAndRoundTrips)
{
    constexpr std::int64_t Lowest = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(IntOf("-9223372036854775808"), Lowest);
    EXPECT_EQ(IntOf("-$8000000000000000"), Lowest);
    EXPECT_EQ(IntOf("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_THROW(IntOf("9223372036854775808"), EReadError);
    EXPECT_THROW(IntOf("-9223372036854775809"), EReadError);

    TModulePtr M(new TTestModule(nullptr));
    M->SetName(QStringLiteral("Mod"));
    auto* Panel = new TTestPanel(M.get());
    Panel->SetName(QStringLiteral("P"));
    Panel->SetBig(Lowest);
    const QByteArray Text = WriteComponentToText(M.get());
    M.reset();
    TModulePtr Back(new TTestModule(nullptr));
    ReadComponentFromText(Text, Back.get(), QStringLiteral("low.form"));
    auto* Read = dynamic_cast<TTestPanel*>(Back->FindComponent(QStringLiteral("P")));
    ASSERT_NE(Read, nullptr);
    EXPECT_EQ(Read->Big(), Lowest);
}

TEST(FormTextDamage, RandomDamageReadsOrIsRefusedWithSourceAndLine)
{
    static const char* const Tokens[] = {
        "object", "end", "item", "inherited", "<", ">", "(", ")", "[", "]", "{", "}", "'", "#", "#$", "$", "-",
        "=", "+", ".", ":", ",", "99999999999999999999", "-$8000000000000000", "1e999", "#$110000", "#$D800",
        "nil", "True", "((((((((", "{0", "\n", "\r", "\xC3", "\xEF\xBB\xBF", " [99999]", " [-1]", "Buddy = Nope",
        "Width = 2147483648", "Align = taNope", "Anchors = [takNope]", "object X: TTestControl end"};
    const QByteArray Good(Sample);
    std::mt19937 Rng(1102);
    auto Below = [&](std::size_t N) { return N ? std::size_t(Rng() % N) : 0; };
    int Read = 0;
    for (int Round = 0; Round < 5000; ++Round) {
        QByteArray B = Good;
        for (int Op = 0, Ops = 1 + int(Below(4)); Op < Ops; ++Op) {
            const std::size_t N = std::size_t(B.size());
            switch (Below(5)) {
            case 0:
                if (N)
                    B[qsizetype(Below(N))] = char(Rng());
                break;
            case 1:
            case 2:
                B.insert(qsizetype(Below(N + 1)), Tokens[Below(std::size(Tokens))]);
                break;
            case 3:
                if (N)
                    B.remove(qsizetype(Below(N)), qsizetype(1 + Below(12)));
                break;
            default:
                B.truncate(qsizetype(Below(N + 1)));
                break;
            }
        }
        try {
            // What parses prints as text that parses again.
            ParseFormText(FormatFormText(ParseFormText(B, QStringLiteral("damaged.form"))),
                          QStringLiteral("printed.form"));
            TModulePtr M(new TTestModule(nullptr));
            ReadComponentFromText(B, M.get(), QStringLiteral("damaged.form"));
            ++Read;
        } catch (const EReadError& E) {
            ASSERT_TRUE(E.Message().startsWith(QStringLiteral("damaged.form("))) << E.Message().toStdString();
        }
    }
    EXPECT_GT(Read, 0);
}
