// The record windows' kind of definition: pages whose images come from the
// main window's image list, buttons with glyphs named by an icon of the
// theme.  It reads, paints, and writes back what it read.
#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcPageControl.h"
#include "platform/actions/ImgList.h"
#include "platform/graphics/ThemeIcons.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/StreamedForms.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

const char* const MainDefinition = R"(object FormMain: TForm
  object ImageListMain: TImageList
    Images = (
      'contact-new'
      'go-home'
      'address-book-new')
  end
end
)";

const char* const PersonDefinition = R"(object FormQuorvy: TForm
  BorderStyle = bsDialog
  ClientWidth = 400
  ClientHeight = 260
  object FcPageControlQuorvy: TFcPageControl
    Left = 0
    Top = 0
    Width = 400
    Height = 200
    ActivePage = FcTabSheetNaam
    Images = FormMain.ImageListMain
    TabOrientation = toLeft
    TabSequence = tsReverse
    FixedDimension = 44
    object FcTabSheetNaam: TFcTabSheet
      Caption = 'Naam'
      ImageIndex = 0
    end
    object FcTabSheetAdres: TFcTabSheet
      Caption = 'Adres'
      ImageIndex = 1
    end
  end
  object FcBitBtnOK: TFcBitBtn
    Left = 300
    Top = 220
    Width = 90
    Height = 30
    Caption = '&OK'
    Glyph.Data = ('go-next' 16)
  end
end
)";

} // namespace

TEST(CrossFormDefinitions, ImagesFromTheMainWindowAndIconGlyphsReadPaintAndRoundTrip)
{
    const QImage Contact = ThemeIconImage(QStringLiteral("contact-new"), 16, 16);
    const QImage Arrow = ThemeIconImage(QStringLiteral("go-next"), 16, 16);
    ASSERT_FALSE(Contact.isNull() || Arrow.isNull()) << "the Tango icon theme (tango-icon-theme) is missing";
    auto Main = ReadFormText<TForm>(MainDefinition, QStringLiteral("qv_main.form"));
    auto Person = ReadFormText<TForm>(PersonDefinition, QStringLiteral("qv_qvy.form"));
    auto* Pages = FindNamed<TFcPageControl>(Person.get(), "FcPageControlQuorvy");
    EXPECT_EQ(Pages->Images(), Main->FindComponent(QStringLiteral("ImageListMain")));
    EXPECT_EQ(FindNamed<TFcBitBtn>(Person.get(), "FcBitBtnOK")->Glyph()->IconName(), QStringLiteral("go-next"));

    const QByteArray Written = WriteComponentToText(Person.get());
    EXPECT_TRUE(Written.contains("Images = FormMain.ImageListMain"));
    EXPECT_TRUE(Written.contains("'go-next'"));
    EXPECT_FALSE(Written.contains('{')) << Written.toStdString();

    Person->Show();
    const QImage Shown = FormImage(Person.get());
    EXPECT_TRUE(ShowsImage(Shown, Contact, Bounds(0, 0, 60, 200)));
    EXPECT_TRUE(ShowsImage(Shown, Arrow, Bounds(300, 220, 90, 30)));

    Person.reset();
    auto Again = ReadFormText<TForm>(Written, QStringLiteral("written.form"));
    EXPECT_EQ(WriteComponentToText(Again.get()).toStdString(), Written.toStdString());
}
