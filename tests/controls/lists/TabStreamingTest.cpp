// Page controls in form definitions: what is read, what is written (the
// row depth always, a page's order and visibility never), and a definition
// read and written again coming out the same.
#include "platform/classes/TypInfo.h"
#include "tests/controls/lists/TabTestSupport.h"
#include "tests/support/FormTextHelpers.h"

namespace {

class TStreamForm : public TForm {
public:
    explicit TStreamForm(TComponent* AOwner) : TForm(AOwner) {}
};

// The settings dialog's and the contact form's kind of page control.
const char* const Settings = "object F: TStreamForm\n"
                             "  Width = 600\n"
                             "  Height = 400\n"
                             "  object Images: TImageList\n"
                             "  end\n"
                             "  object Pages: TFcPageControl\n"
                             "    Left = 8\n"
                             "    Top = 8\n"
                             "    Width = 570\n"
                             "    Height = 300\n"
                             "    ActivePage = Second\n"
                             "    Color = 16119543\n"
                             "    FlatColor = 10263441\n"
                             "    Images = Images\n"
                             "    ImagePosition = ipBottom\n"
                             "    TabColors.HighlightBar = 1350640\n"
                             "    TabOrientation = toLeft\n"
                             "    TabSequence = tsReverse\n"
                             "    TextAlignment = haRight\n"
                             "    TextColors.Disabled = clRed\n"
                             "    FixedDimension = 44\n"
                             "    object First: TFcTabSheet\n"
                             "      Caption = '&Algemeen'\n"
                             "      ImageIndex = 2\n"
                             "    end\n"
                             "    object Second: TFcTabSheet\n"
                             "      Caption = 'Weergave'\n"
                             "      TabEnabled = False\n"
                             "      DisabledIndex = 4\n"
                             "    end\n"
                             "    object Third: TFcTabSheet\n"
                             "      Caption = 'Extra'\n"
                             "      TabVisible = False\n"
                             "    end\n"
                             "  end\n"
                             "end\n";

} // namespace

REGISTER_COMPONENT(TStreamForm, TForm)
END_REGISTER

TEST(TabStreaming, APageControlIsReadWithItsPagesInOrder)
{
    const auto Form = ReadRoot<TStreamForm>(Settings);
    auto* P = dynamic_cast<TFcPageControl*>(Form->FindComponent(QStringLiteral("Pages")));
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->Color(), TColor(0xF5F6F7));
    EXPECT_EQ(P->FlatColor(), TColor(0x9C9B91));
    EXPECT_EQ(P->TabColors()->HighlightBar(), TColor(0x149BF0));
    EXPECT_EQ(P->TextColors()->Disabled(), clRed);
    EXPECT_EQ(P->TabOrientation(), toLeft);
    EXPECT_EQ(P->TabSequence(), tsReverse);
    EXPECT_EQ(P->Images(), Form->FindComponent(QStringLiteral("Images")));
    ASSERT_EQ(P->PageCount(), 3);
    EXPECT_EQ(P->Pages(0)->Name(), QStringLiteral("First"));
    EXPECT_EQ(P->Pages(2)->Name(), QStringLiteral("Third"));
    // The page named active has a disabled tab: the first page with a tab
    // that can be chosen shows instead.
    EXPECT_EQ(P->ActivePage(), P->Pages(0));
    EXPECT_FALSE(P->Pages(1)->Visible());
    EXPECT_EQ(P->Tabs()->Count(), 2);
    EXPECT_FALSE(P->Tabs()->Items(1)->Enabled());
    EXPECT_EQ(P->Tabs()->Items(1)->DisabledIndex(), 4);
    EXPECT_EQ(P->Tabs()->Items(0)->Caption(), QStringLiteral("&Algemeen"));
}

TEST(TabStreaming, WrittenAndReadAgainTheDefinitionComesOutTheSame)
{
    auto Form = ReadRoot<TStreamForm>(Settings);
    const QByteArray First = WriteComponentToText(Form.get());
    Form.reset();
    EXPECT_TRUE(First.contains("FixedDimension = "));
    EXPECT_FALSE(First.contains("PageIndex"));
    EXPECT_FALSE(First.contains(" Visible = "));
    EXPECT_TRUE(First.contains("TabVisible = False"));
    const auto Again = ReadRoot<TStreamForm>(First);
    EXPECT_EQ(WriteComponentToText(Again.get()).toStdString(), First.toStdString());
}

TEST(TabStreaming, PagesAreWrittenInPageOrder)
{
    const auto Form = ReadRoot<TStreamForm>(Settings);
    auto* P = dynamic_cast<TFcPageControl*>(Form->FindComponent(QStringLiteral("Pages")));
    P->Pages(2)->SetPageIndex(0);
    const QByteArray Text = WriteComponentToText(Form.get());
    EXPECT_LT(Text.indexOf("object Third"), Text.indexOf("object First"));
    const auto Again = ReadRoot<TStreamForm>(Text);
    auto* Q = dynamic_cast<TFcPageControl*>(Again->FindComponent(QStringLiteral("Pages")));
    EXPECT_EQ(Q->Pages(0)->Name(), QStringLiteral("Third"));
}

TEST(TabStreaming, TheRowDepthIsReadBackAndAlwaysWritten)
{
    const auto Form = ReadRoot<TStreamForm>("object F: TStreamForm\n"
                                            "  object Tabs: TFcCustomTabControl\n"
                                            "    FixedDimension = 44\n"
                                            "  end\n"
                                            "end\n");
    auto* T = dynamic_cast<TFcCustomTabControl*>(Form->FindComponent(QStringLiteral("Tabs")));
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->FixedDimension(), 44);
    TFcPageControl Fresh(nullptr);
    EXPECT_TRUE(WriteComponentToText(&Fresh).contains("FixedDimension = 0"));
    // A page's Visible is no property a definition can set.
    EXPECT_NE(ReadRootError<TStreamForm>("object F: TStreamForm\n"
                                         "  object P: TFcPageControl\n"
                                         "    object S: TFcTabSheet\n"
                                         "      Visible = True\n"
                                         "    end\n"
                                         "  end\n"
                                         "end\n"),
              QStringLiteral("<no error>"));
}
