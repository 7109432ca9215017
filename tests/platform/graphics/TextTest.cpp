// Text: geometry from the measuring calls, and text-coloured pixels inside
// the rectangles those calls give (never glyph shapes).
#include "platform/graphics/ClassicFonts.h"
#include "platform/graphics/Graphics.h"
#include "tests/support/ImageHelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF Ink = 0x0000FF;

class TTextSurface : public TTestSurface {
public:
    TTextSurface(int W, int H, int FontHeight = -13, int Escapement = 0) : TTestSurface(W, H)
    {
        LOGFONT LF;
        LF.lfHeight = FontHeight;
        LF.lfEscapement = Escapement;
        LF.lfFaceName = QStringLiteral("Tahoma"); // fonts-wine's, registered by the drawing layer
        Font = CreateFontIndirect(LF);
        OldFont = SelectObject(DC(), Font);
        SetTextColor(DC(), Ink);
        SetBkMode(DC(), TRANSPARENT);
    }
    ~TTextSurface()
    {
        SelectObject(DC(), OldFont);
        DeleteObject(Font);
    }
    TSize Extent(const String& S) const
    {
        TSize Size;
        GetTextExtentPoint32(DC(), S, &Size);
        return Size;
    }
    int LineHeight() const
    {
        TEXTMETRIC TM;
        GetTextMetrics(DC(), &TM);
        return TM.tmHeight;
    }
    HFONT Font;
    HFONT OldFont;
};

} // namespace

TEST(TextMetrics, HeightsFollowTheLogicalFontConvention)
{
    TTextSurface S(10, 10, -20);
    TEXTMETRIC TM;
    ASSERT_TRUE(GetTextMetrics(S.DC(), &TM));
    EXPECT_EQ(TM.tmHeight, TM.tmAscent + TM.tmDescent);
    EXPECT_EQ(TM.tmHeight - TM.tmInternalLeading, 20); // negative height = character height
    EXPECT_GT(TM.tmAveCharWidth, 0);
    EXPECT_TRUE(TM.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_TRUE(TM.tmPitchAndFamily & TMPF_FIXED_PITCH); // set means variable pitch
    EXPECT_EQ(TM.tmWeight, FW_NORMAL);

    TTextSurface Cell(10, 10, 20); // positive height = cell height
    GetTextMetrics(Cell.DC(), &TM);
    EXPECT_LE(TM.tmHeight, 20);
    EXPECT_GE(TM.tmHeight, 18);

    LOGFONT Back;
    EXPECT_TRUE(GetObject(Cell.Font, Back));
    EXPECT_EQ(Back.lfHeight, 20);
    EXPECT_EQ(Back.lfFaceName, "Tahoma");
}

TEST(TextMetrics, ExtentsAddUpAndGrowWithCharacterSpacing)
{
    TTextSurface S(10, 10);
    const TSize A = S.Extent("Adres"), B = S.Extent("boek"), AB = S.Extent("Adresboek");
    EXPECT_EQ(A.cx + B.cx, AB.cx); // measuring pieces agrees with measuring the whole
    EXPECT_EQ(A.cy, S.LineHeight());
    EXPECT_EQ(S.Extent("").cx, 0);
    TSize Part;
    GetTextExtentPoint32(S.DC(), "Adresboek", 5, &Part);
    EXPECT_EQ(Part, A);
    SetTextCharacterExtra(S.DC(), 2);
    EXPECT_EQ(S.Extent("Adres").cx, A.cx + 10);
}

TEST(TextOut, PixelsLieInsideTheMeasuredCellForEveryAlignment)
{
    TTextSurface S(200, 60);
    const TSize E = S.Extent("Quorvy");
    TextOut(S.DC(), 10, 5, "Quorvy");
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Bounds(10, 5, E.cx, E.cy)));

    S.Fill(White);
    SetTextAlign(S.DC(), TA_RIGHT | TA_BOTTOM);
    TextOut(S.DC(), 150, 50, "Quorvy");
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Rect(150 - E.cx, 50 - E.cy, 150, 50)));

    S.Fill(White);
    SetTextAlign(S.DC(), TA_CENTER | TA_BASELINE);
    TEXTMETRIC TM;
    GetTextMetrics(S.DC(), &TM);
    TextOut(S.DC(), 100, 30, "Quorvy");
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Bounds(100 - E.cx / 2, 30 - TM.tmAscent, E.cx, E.cy)));

    // Opaque background: exactly the cell in the background colour.
    S.Fill(White);
    SetTextAlign(S.DC(), TA_LEFT | TA_TOP);
    SetBkMode(S.DC(), OPAQUE);
    SetBkColor(S.DC(), 0x00FF00);
    TextOut(S.DC(), 20, 10, "Quorvy");
    const TRect Cell = Bounds(20, 10, E.cx, E.cy);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), 0x00FF00, Cell));
    EXPECT_EQ(CountColor(S.Image(), 0x00FF00, Cell) + CountColor(S.Image(), Ink, Cell), E.cx * E.cy);
}

TEST(TextOut, LaidOutGlyphsLandWhereQtDrawsTheText)
{
    // Character spacing draws each character through Qt's own text call;
    // the same advances given as Dx draw through the cached glyph layout,
    // which adds underline and strike-out itself.  Both must give the same
    // pixels, twice over (the second time from the cache), at sizes where
    // the underline sits below the baseline and where the descent holds it.
    const String Text = QStringLiteral("Quorvy gÅ");
    struct TCase {
        int Height;
        bool Underline, StrikeOut;
    };
    for (const TCase C : {TCase{-13, false, false}, TCase{-13, true, false}, TCase{-13, false, true},
                          TCase{-6, true, true}, TCase{-7, true, false}, TCase{-40, true, true}}) {
        SCOPED_TRACE(testing::Message() << C.Height << " " << C.Underline << C.StrikeOut);
        TTextSurface Spaced(400, 60, C.Height), Dx(400, 60, C.Height);
        LOGFONT LF;
        EXPECT_TRUE(GetObject(Spaced.Font, LF));
        LF.lfUnderline = C.Underline;
        LF.lfStrikeOut = C.StrikeOut;
        const HFONT Decorated = CreateFontIndirect(LF);
        SelectObject(Spaced.DC(), Decorated);
        SelectObject(Dx.DC(), Decorated);
        SetTextCharacterExtra(Spaced.DC(), 1);
        TextOut(Spaced.DC(), 10, 5, Text);
        std::vector<int> Advances;
        for (const QChar Ch : Text)
            Advances.push_back(Dx.Extent(String(Ch)).cx + 1);
        for (int Pass = 0; Pass < 2; ++Pass) {
            Dx.Fill(White);
            ExtTextOut(Dx.DC(), 10, 5, 0, nullptr, Text, int(Text.size()), Advances.data());
            EXPECT_TRUE(CountColor(Dx.Image(), Ink, Rect(0, 0, 400, 60)) > 20);
            EXPECT_EQ(Dx.Image(), Spaced.Image()) << SaveFailedImage(Dx.Image(), CurrentTestImageName()).toStdString();
        }
        SelectObject(Spaced.DC(), Spaced.Font);
        SelectObject(Dx.DC(), Dx.Font);
        DeleteObject(Decorated);
    }
}

TEST(TextOut, UpdateCurrentPositionAndClippedOpaqueRectangle)
{
    TTextSurface S(200, 40);
    SetTextAlign(S.DC(), TA_UPDATECP);
    MoveToEx(S.DC(), 5, 5, nullptr);
    TextOut(S.DC(), 0, 0, "Naam");
    TPoint Pos;
    GetCurrentPositionEx(S.DC(), &Pos);
    EXPECT_EQ(Pos, Point(5 + S.Extent("Naam").cx, 5));
    SetTextAlign(S.DC(), TA_LEFT);

    S.Fill(White);
    SetBkColor(S.DC(), 0x00FF00);
    const TRect R = Rect(10, 10, 30, 30);
    ExtTextOut(S.DC(), 10, 10, ETO_OPAQUE | ETO_CLIPPED, &R, "Woonplaats");
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, R));
    EXPECT_TRUE(ColorOnlyInside(S.Image(), 0x00FF00, R));
}

TEST(TextOut, RotatedTextRunsUpwards)
{
    TTextSurface S(60, 120, -13, 900);
    const TSize E = S.Extent("Telefoon"); // measured along the baseline
    TextOut(S.DC(), 10, 110, "Telefoon");
    // Upwards from (10, 110): the cell covers x 10..10+height, y 110-width..110.
    const TRect B = BoundsOfColor(S.Image(), Ink);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Rect(9, 110 - E.cx - 1, 11 + E.cy, 111)));
    EXPECT_GT(B.Height(), B.Width());
}

TEST(DrawText, CalcRectSingleAndMultiLine)
{
    TTextSurface S(200, 100);
    const int LH = S.LineHeight();
    TRect R = Rect(10, 10, 10, 10);
    EXPECT_EQ(DrawText(S.DC(), "Achternaam", &R, DT_CALCRECT | DT_SINGLELINE), LH);
    EXPECT_EQ(R, Bounds(10, 10, S.Extent("Achternaam").cx, LH));
    EXPECT_EQ(CountColor(S.Image(), Ink, Rect(0, 0, 200, 100)), 0); // nothing drawn

    R = Rect(0, 0, 0, 0);
    DrawText(S.DC(), "een\r\ntwee en drie\nvier", &R, DT_CALCRECT);
    EXPECT_EQ(R.Height(), 3 * LH);
    EXPECT_EQ(R.Width(), S.Extent("twee en drie").cx);

    // Word breaking at the rectangle's width; right edge shrinks to the widest line.
    const int W = S.Extent("een twee").cx + 1;
    R = Rect(0, 0, W, 0);
    DrawText(S.DC(), "een twee en drie", &R, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(R.Height(), 2 * LH);
    EXPECT_EQ(R.Width(), std::max(S.Extent("een twee").cx, S.Extent("en drie").cx));
    // The break drops the spaces at the break; a smaller width gives more lines.
    R = Rect(0, 0, W - 2, 0);
    DrawText(S.DC(), "een twee en drie", &R, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(R.Height(), 3 * LH);

    // A word longer than the line stays whole; edit controls cut it.
    R = Rect(0, 0, 20, 0);
    DrawText(S.DC(), "Telefoonnummer", &R, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(R.Height(), LH);
    R = Rect(0, 0, 20, 0);
    DrawText(S.DC(), "Telefoonnummer", &R, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_GT(R.Height(), LH);
    EXPECT_LE(R.Width(), 20);

    R = Rect(5, 5, 50, 50);
    EXPECT_EQ(DrawText(S.DC(), "", &R, DT_CALCRECT), 0);
    EXPECT_EQ(R, Rect(5, 5, 5, 5));
}

TEST(DrawText, AlignmentPlacesTextInsideTheRectangle)
{
    TTextSurface S(200, 60);
    const TSize E = S.Extent("Postcode");
    TRect R = Rect(20, 10, 180, 50);
    const int Offset = DrawText(S.DC(), "Postcode", &R, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const int X = 20 + (160 - E.cx) / 2, Y = 10 + (40 - E.cy) / 2;
    EXPECT_EQ(Offset, Y - 10 + E.cy);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Bounds(X, Y, E.cx, E.cy)));

    S.Fill(White);
    DrawText(S.DC(), "Postcode", &R, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Rect(180 - E.cx, 50 - E.cy, 180, 50)));

    // Clipped to the rectangle unless DT_NOCLIP.
    S.Fill(White);
    R = Rect(10, 10, 25, 30);
    DrawText(S.DC(), "Postcode", &R, DT_SINGLELINE);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, R));
    S.Fill(White);
    DrawText(S.DC(), "Postcode", &R, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(BoundsOfColor(S.Image(), Ink).Right, 25);
}

TEST(DrawText, EndAndPathEllipsisFitTheWidth)
{
    TTextSurface S(300, 40);
    const String Long = "Gebruikersinstellingen van het adresboek";
    const int W = S.Extent("Gebruikers").cx;
    TRect R = Rect(0, 0, W, 0);
    DrawText(S.DC(), Long, &R, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(R.Width(), W);
    EXPECT_GT(R.Width(), S.Extent("...").cx);
    // Text that fits is left alone.
    R = Rect(0, 0, 300, 0);
    DrawText(S.DC(), "kort", &R, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(R.Width(), S.Extent("kort").cx);

    const String Path = "/home/gebruiker/Documenten/Quorvy/contacten.qvc";
    const int PW = S.Extent("/home/.../contacten.qvc").cx;
    R = Rect(0, 0, PW, 0);
    DrawText(S.DC(), Path, &R, DT_CALCRECT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_LE(R.Width(), PW);
    EXPECT_GE(R.Width(), S.Extent(".../contacten.qvc").cx); // the file name survives

    // Drawn: everything stays within the rectangle.
    R = Rect(5, 5, 5 + W, 30);
    DrawText(S.DC(), Long, &R, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, R));
}

TEST(DrawText, AcceleratorsAndTabs)
{
    TTextSurface S(300, 40);
    TRect R = Rect(0, 0, 0, 0);
    DrawText(S.DC(), "&Opslaan", &R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.Width(), S.Extent("Opslaan").cx);
    R = Rect(0, 0, 0, 0);
    DrawText(S.DC(), "&Opslaan", &R, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(R.Width(), S.Extent("&Opslaan").cx);
    R = Rect(0, 0, 0, 0);
    DrawText(S.DC(), "Jan && Piet", &R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.Width(), S.Extent("Jan & Piet").cx);
    // An ampersand that ends the caption marks nothing and is shown.
    R = Rect(0, 0, 0, 0);
    DrawText(S.DC(), "Jan &", &R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.Width(), S.Extent("Jan &").cx);
    R = Rect(0, 0, 0, 0);
    DrawText(S.DC(), "&Jan &&", &R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.Width(), S.Extent("Jan &").cx);

    // The underline of the accelerator lies under its letter, inside the cell.
    R = Rect(10, 5, 290, 35);
    DrawText(S.DC(), "Op&slaan", &R, DT_SINGLELINE);
    const int LH = S.LineHeight();
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Bounds(10, 5, S.Extent("Opslaan").cx, LH)));
    S.Fill(White);
    DrawText(S.DC(), "Op&slaan", &R, DT_SINGLELINE | DT_PREFIXONLY);
    const TRect U = BoundsOfColor(S.Image(), Ink);
    EXPECT_EQ(U.Height(), 1);
    EXPECT_EQ(U.Left, 10 + S.Extent("Op").cx);
    EXPECT_EQ(U.Width(), S.Extent("s").cx);

    TEXTMETRIC TM;
    GetTextMetrics(S.DC(), &TM);
    const int Tab = 8 * TM.tmAveCharWidth;
    R = Rect(0, 0, 0, 0);
    DrawText(S.DC(), "a\tb", &R, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(R.Width(), Tab + S.Extent("b").cx);
}

TEST(TabbedText, LeftAndRightAlignedStops)
{
    TTextSurface S(300, 40);
    const int Stops[] = {100, -200};
    const TSize A = S.Extent("Naam"), B = S.Extent("Plaats"), C = S.Extent("12");
    const DWORD Ext = GetTabbedTextExtent(S.DC(), "Naam\tPlaats\t12", -1, 2, Stops);
    EXPECT_EQ(int(Ext & 0xFFFF), 200);
    EXPECT_EQ(int(Ext >> 16), A.cy);
    TabbedTextOut(S.DC(), 0, 0, "Naam\tPlaats\t12", -1, 2, Stops, 0);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Ink, Rect(0, 0, 200, A.cy)));
    EXPECT_GT(CountColor(S.Image(), Ink, Rect(100, 0, 100 + B.cx, A.cy)), 0);
    EXPECT_GT(CountColor(S.Image(), Ink, Rect(200 - C.cx, 0, 200, A.cy)), 0);
    EXPECT_EQ(CountColor(S.Image(), Ink, Rect(A.cx, 0, 100, A.cy)), 0);

    // No stops: every eight average character widths; one stop: its multiples.
    TEXTMETRIC TM;
    GetTextMetrics(S.DC(), &TM);
    EXPECT_EQ(int(GetTabbedTextExtent(S.DC(), "a\tb", -1, 0, nullptr) & 0xFFFF),
              8 * TM.tmAveCharWidth + S.Extent("b").cx);
    const int Every[] = {30};
    EXPECT_EQ(int(GetTabbedTextExtent(S.DC(), "\t\tb", -1, 1, Every) & 0xFFFF), 60 + S.Extent("b").cx);
}

TEST(TextMetrics, ClassicBitmapFacesAreNotTrueType)
{
    // Rotation needs a TrueType font, and callers replace a face that is
    // not one (the default "MS Sans Serif" above all) before rotating.
    auto Flags = [](const String& Face, int Escapement = 0) {
        TTestSurface S(10, 10);
        LOGFONT LF;
        LF.lfHeight = -11;
        LF.lfEscapement = Escapement;
        LF.lfFaceName = Face;
        HFONT F = CreateFontIndirect(LF);
        HFONT Old = SelectObject(S.DC(), F);
        TEXTMETRIC TM;
        GetTextMetrics(S.DC(), &TM);
        SelectObject(S.DC(), Old);
        DeleteObject(F);
        return TM.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR);
    };
    EXPECT_EQ(Flags("MS Sans Serif"), 0);
    EXPECT_EQ(Flags("ms sans serif", 900), 0);
    EXPECT_EQ(Flags("Small Fonts"), 0);
    EXPECT_EQ(Flags("Modern"), TMPF_VECTOR);
    EXPECT_EQ(Flags("Verdana"), TMPF_TRUETYPE | TMPF_VECTOR);
    EXPECT_EQ(Flags("Tahoma", 900), TMPF_TRUETYPE | TMPF_VECTOR);
    // The canvas's default font is such a face.
    TBitmap B;
    B.SetSize(4, 4);
    EXPECT_EQ(B.Canvas()->Font()->Name(), "MS Sans Serif");
    B.Canvas()->TextExtent("x");
    TEXTMETRIC TM;
    GetTextMetrics(B.Canvas()->Handle(), &TM);
    EXPECT_FALSE(TM.tmPitchAndFamily & TMPF_TRUETYPE);
}

TEST(TextMetrics, MissingFacesFallBackAndFixedPitchStaysFixed)
{
    TTestSurface S(10, 10);
    LOGFONT LF;
    LF.lfHeight = -13;
    // A made-up name: a real one may be mapped to some installed face.
    LF.lfFaceName = QStringLiteral("Quorvy Missing Mono");
    LF.lfPitchAndFamily = FIXED_PITCH;
    HFONT Fixed = CreateFontIndirect(LF);
    HFONT Old = SelectObject(S.DC(), Fixed);
    TSize I, W;
    GetTextExtentPoint32(S.DC(), "iiii", &I);
    GetTextExtentPoint32(S.DC(), "WWWW", &W);
    EXPECT_EQ(I.cx, W.cx);
    EXPECT_GT(I.cx, 0);
    TEXTMETRIC TM;
    GetTextMetrics(S.DC(), &TM);
    EXPECT_FALSE(TM.tmPitchAndFamily & TMPF_FIXED_PITCH);
    EXPECT_EQ(GetTextFace(S.DC()), "Quorvy Missing Mono");
    SelectObject(S.DC(), Old);
    DeleteObject(Fixed);
}

namespace {

struct TFaceMetrics {
    int Width = 0;
    TEXTMETRIC Metrics;
};

TFaceMetrics Measure(const char* Face, int Height, const String& Text, int Weight = FW_NORMAL)
{
    TTestSurface S(10, 10);
    LOGFONT LF;
    LF.lfHeight = Height;
    LF.lfWeight = Weight;
    LF.lfFaceName = QString::fromLatin1(Face);
    HFONT Font = CreateFontIndirect(LF);
    HFONT Old = SelectObject(S.DC(), Font);
    TFaceMetrics Result;
    TSize Size;
    GetTextExtentPoint32(S.DC(), Text, &Size);
    Result.Width = Size.cx;
    GetTextMetrics(S.DC(), &Result.Metrics);
    SelectObject(S.DC(), Old);
    DeleteObject(Font);
    return Result;
}

} // namespace

// The forms are laid out for Tahoma and MS Sans Serif: the set-up script
// installs fonts-wine, whose faces the drawing layer registers itself.
TEST(ClassicFaces, TahomaAndMsSansSerifAreThemselvesAndTheDialogAliasesMapToThem)
{
    EnsureClassicFonts();
    ASSERT_TRUE(ClassicFontRegistered("Tahoma")) << "fonts-wine is missing: run scripts/setup.sh";
    ASSERT_TRUE(ClassicFontRegistered("MS Sans Serif")) << "fonts-wine is missing: run scripts/setup.sh";
    const String Text = QStringLiteral("28/12/2024 23:58:59 Adresboek");
    const int Fallback = Measure("Quorvy Missing Sans", -11, Text).Width;
    const int Tahoma = Measure("Tahoma", -11, Text).Width;
    const int Sans = Measure("MS Sans Serif", -11, Text).Width;
    EXPECT_NE(Tahoma, Fallback);
    EXPECT_NE(Sans, Fallback);
    EXPECT_GT(Measure("Tahoma", -11, Text, FW_BOLD).Width, Tahoma);
    EXPECT_EQ(Measure("MS Shell Dlg 2", -11, Text).Width, Tahoma);
    EXPECT_EQ(Measure("MS Shell Dlg", -11, Text).Width, Sans);
}

TEST(ClassicFaces, TheBitmapFaceKeepsItsClassicMetricsAndGivesWayFarFromItsSize)
{
    EnsureClassicFonts();
    ASSERT_TRUE(ClassicFontRegistered("MS Sans Serif")) << "fonts-wine is missing: run scripts/setup.sh";
    // 8 points: the 13-pixel cell with its 11-pixel ascent.
    const TEXTMETRIC TM = Measure("MS Sans Serif", -11, "x").Metrics;
    EXPECT_EQ(TM.tmHeight, 13);
    EXPECT_EQ(TM.tmAscent, 11);
    EXPECT_GT(TM.tmAveCharWidth, 0);
    EXPECT_LE(TM.tmAveCharWidth, TM.tmMaxCharWidth);
    EXPECT_GE(TM.tmMaxCharWidth, Measure("MS Sans Serif", -11, "W").Width);
    // A size the bitmap face does not have is drawn in Tahoma, not shrunk
    // to the one it has.
    const TFaceMetrics Big = Measure("MS Sans Serif", -24, "Adresboek");
    const TFaceMetrics Tahoma = Measure("Tahoma", -24, "Adresboek");
    EXPECT_EQ(Big.Width, Tahoma.Width);
    EXPECT_EQ(Big.Metrics.tmHeight, Tahoma.Metrics.tmHeight);
}

TEST(ClassicFaces, AFolderWithoutTheFacesRegistersNothing)
{
    QTemporaryDir Empty;
    ASSERT_TRUE(Empty.isValid());
    EXPECT_TRUE(RegisterClassicFonts(Empty.path()).isEmpty());
    EXPECT_TRUE(RegisterClassicFonts(Empty.filePath("nowhere")).isEmpty());
}
