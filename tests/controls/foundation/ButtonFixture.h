#pragma once
// What the button, label and toolbar tests share: a shown form to put
// controls on, the pixels of one control as the form shows them, themes
// switched on for one test, and glyph bitmaps whose cells can be told apart
// by colour.
#include "platform/windows/Themes.h"
#include "tests/controls/foundation/ContainerFixture.h"
#include "tests/controls/foundation/FcTestSupport.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Fills R with one solid colour.
inline void Fill(TCanvas& C, const TRect& R, TColor Color)
{
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(Color);
    C.FillRect(R);
}

// Paints the expected face of a control into R, its client rectangle.
using TPainter = std::function<void(TCanvas& C, TRect R)>;

// The container tests' form, shown, white, with room for a toolbar.
struct TControlForm : TContainerFixture {
    void SetUp() override
    {
        Form->SetBounds(20, 20, 400, 200);
        Form->SetColor(clWhite);
        Form->Show();
    }

    // The control as the form shows it equals Expected painted over the
    // form's white.
    ::testing::AssertionResult LooksLike(TControl* C, const TPainter& Expected)
    {
        const QImage Want = PaintToImage(
            C->Width(), C->Height(), [&](TCanvas& Canvas) { Expected(Canvas, Rect(0, 0, C->Width(), C->Height())); },
            ColorToRGB(clWhite));
        return PixelsMatch(Shown(C), [&](int X, int Y, COLORREF& W) {
            W = ImagePixel(Want, X, Y);
            return true;
        });
    }
};

// Themes on, in the theme services and the foundation's bridge, for the
// life of the object.
class TThemesOn {
public:
    TThemesOn() : FGuard(true) { ThemeServices().SetThemesEnabled(true); }
    ~TThemesOn() { ThemeServices().SetThemesEnabled(false); }

private:
    TColorStateGuard FGuard;
};

// A glyph of Size x Size cells: cell I a solid square of Colors[I] inside a
// one-pixel margin of magenta, the transparent colour (its bottom-left
// pixel), so where each cell lands is told by its colour.
inline std::unique_ptr<TBitmap> CellGlyph(int Size, const std::vector<COLORREF>& Colors)
{
    QImage Img(Size * int(Colors.size()), Size, QImage::Format_RGB32);
    Img.fill(ColorRefToQRgb(0xFF00FF));
    for (std::size_t I = 0; I < Colors.size(); ++I)
        for (int Y = 1; Y < Size - 1; ++Y)
            for (int X = 1; X < Size - 1; ++X)
                Img.setPixel(int(I) * Size + X, Y, ColorRefToQRgb(Colors[I]));
    auto B = std::make_unique<TBitmap>();
    B->SetImage(Img);
    return B;
}

// Colours the cells of test glyphs use.
inline constexpr COLORREF Cell0 = 0x0000C0, Cell1 = 0x00C000, Cell2 = 0xC00000, Cell3 = 0x00C0C0;
