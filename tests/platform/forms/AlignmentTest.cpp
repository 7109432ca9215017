// Alignment: the aligned sides in their classic order, margins, padding,
// anchors following a resized parent, and size constraints.
#include "tests/platform/forms/TestControls.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Alignment : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void SetUp() override
    {
        Form->SetBounds(0, 0, 300, 200);
        Form->Show();
    }
    void TearDown() override { Form->Free(); }

    TTestBox* Box(TAlign Align, TRect R = Bounds(0, 0, 30, 20))
    {
        auto* B = new TTestBox(Form);
        B->SetBoundsRect(R);
        B->SetAlign(Align);
        B->SetParent(Form);
        return B;
    }
};

TEST_F(Alignment, SidesThenClientInTheClassicOrder)
{
    TTestBox* Top = Box(alTop);
    TTestBox* Bottom = Box(alBottom);
    TTestBox* Left = Box(alLeft);
    TTestBox* Right = Box(alRight);
    TTestBox* Client = Box(alClient);
    EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, 300, 20));
    EXPECT_EQ(Bottom->BoundsRect(), Rect(0, 180, 300, 200));
    EXPECT_EQ(Left->BoundsRect(), Rect(0, 20, 30, 180));
    EXPECT_EQ(Right->BoundsRect(), Rect(270, 20, 300, 180));
    EXPECT_EQ(Client->BoundsRect(), Rect(30, 20, 270, 180));
    // Hiding one gives its room to the others.
    Top->SetVisible(false);
    EXPECT_EQ(Client->BoundsRect(), Rect(30, 0, 270, 180));
}

TEST_F(Alignment, MarginsAndPaddingKeepTheirSpace)
{
    Form->Padding()->SetBounds(5, 6, 7, 8);
    TTestBox* Top = Box(alTop);
    Top->Margins()->SetBounds(1, 2, 3, 4);
    Top->SetAlignWithMargins(true);
    TTestBox* Client = Box(alClient);
    EXPECT_EQ(Top->BoundsRect(), Rect(6, 8, 290, 28));
    EXPECT_EQ(Client->BoundsRect(), Rect(5, 32, 293, 192));
}

TEST_F(Alignment, AnchorsFollowTheParentsNewSize)
{
    TTestBox* Right = Box(alNone, Bounds(250, 10, 30, 20));
    Right->SetAnchors({akRight, akTop});
    TTestBox* Stretch = Box(alNone, Bounds(10, 50, 100, 100));
    Stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
    TTestBox* Centred = Box(alNone, Bounds(135, 90, 30, 20));
    Centred->SetAnchors({});
    Form->SetBounds(0, 0, 400, 260);
    EXPECT_EQ(Right->BoundsRect(), Rect(350, 10, 380, 30));
    EXPECT_EQ(Stretch->BoundsRect(), Rect(10, 50, 210, 210));
    EXPECT_EQ(Centred->BoundsRect(), Bounds(185, 120, 30, 20));
}

TEST_F(Alignment, ConstraintsLimitTheSizeAlignmentGives)
{
    TTestBox* Client = Box(alLeft);
    Client->Constraints()->SetMinWidth(50);
    EXPECT_EQ(Client->Width(), 50);
    Client->SetAlign(alClient);
    Client->Constraints()->SetMaxHeight(100);
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 300, 100));
    Client->SetWidth(10);
    EXPECT_EQ(Client->Width(), 300);
}

TEST_F(Alignment, DisabledAlignmentWaitsForTheLast)
{
    TTestBox* Top = Box(alNone);
    Form->DisableAlign();
    Top->SetAlign(alTop);
    EXPECT_EQ(Top->Width(), 30);
    Form->EnableAlign();
    EXPECT_EQ(Top->Width(), 300);
}

} // namespace
