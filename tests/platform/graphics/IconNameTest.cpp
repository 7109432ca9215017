// Images named by an icon of the theme: the pixels come from the theme,
// the name stays with the image until its pixels change, and a name the
// theme lacks leaves an empty image and one warning, never an error.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ThemeIcons.h"
#include "tests/support/Warnings.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(IconNames, AnIconNamedImageHasTheThemesPixelsUntilItsPixelsChange)
{
    const QImage Theme = ThemeIconImage(QStringLiteral("go-next"), 16, 16);
    ASSERT_FALSE(Theme.isNull()) << "the Tango icon theme (tango-icon-theme) is missing";
    TBitmap Glyph;
    Glyph.LoadFromIconName(QStringLiteral("go-next"), 16);
    EXPECT_EQ(Glyph.Image(), Theme);
    EXPECT_EQ(Glyph.IconName(), QStringLiteral("go-next"));
    EXPECT_EQ(Glyph.IconSize(), 16);

    // A copy is the same icon; a transparent colour leaves the pixels.
    TBitmap Copy;
    Copy.Assign(&Glyph);
    Copy.SetTransparentColor(clFuchsia);
    EXPECT_EQ(Copy.IconName(), QStringLiteral("go-next"));
    // Drawing, resizing or new pixels make it an image of its own.
    Copy.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(Copy.IconName(), String());
    Copy.Assign(&Glyph);
    Copy.SetSize(20, 20);
    EXPECT_EQ(Copy.IconSize(), 0);
    Copy.Assign(&Glyph);
    Copy.SetImage(Theme);
    EXPECT_EQ(Copy.IconName(), String());

    TIcon Icon;
    Icon.LoadFromIconName(QStringLiteral("dialog-information"), 48);
    EXPECT_EQ(Icon.Width(), 48);
    EXPECT_EQ(Icon.IconName(), QStringLiteral("dialog-information"));
}

TEST(IconNames, AMissingIconGivesAnEmptyImageAndOneWarning)
{
    TWarnings Warnings;
    TWarnings::Seen.clear();
    TBitmap Glyph;
    Glyph.LoadFromIconName(QStringLiteral("quorvy-test-no-such-icon"), 16);
    EXPECT_TRUE(Glyph.Empty());
    EXPECT_EQ(Glyph.IconName(), QStringLiteral("quorvy-test-no-such-icon"));
    TIcon Again;
    Again.LoadFromIconName(QStringLiteral("quorvy-test-no-such-icon"), 32);
    EXPECT_TRUE(Again.Empty());
    ASSERT_EQ(TWarnings::Seen.size(), 1);
    EXPECT_TRUE(TWarnings::Seen[0].contains(QStringLiteral("\"quorvy-test-no-such-icon\"")));
    EXPECT_TRUE(TWarnings::Seen[0].contains(IconThemeName()));
}
