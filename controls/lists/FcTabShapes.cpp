// The outlines of tabs and cards: strip coordinates mapped to the client
// area, the outline points of each style, the tabs' regions, the outline
// command lists and their renderer.
#include "controls/lists/FcTabControl.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcWindowPaint.h"

#include <algorithm>

// --- coordinates -------------------------------------------------------------------------------------

TPoint TFcCustomTabControl::StripToClient(TPoint P)
{
    const TRect A = TabAreaRect();
    const int S = ScrollOffset();
    if (FTabSequence == tsStandard) {
        switch (FTabOrientation) {
        case toTop:
            return {A.Left + P.X - S, A.Top + P.Y};
        case toLeft:
            return {A.Left + P.Y, A.Bottom - (P.X - S)};
        case toBottom:
            return {A.Left + P.X - S, A.Bottom - P.Y};
        case toRight:
            return {A.Right - P.Y, A.Top + P.X - S};
        }
    }
    switch (FTabOrientation) {
    case toTop:
        return {A.Right - (S - P.X), A.Top + P.Y};
    case toLeft:
        return {A.Left + P.Y, A.Top + (S - P.X)};
    case toBottom:
        return {A.Right - (S - P.X), A.Bottom - P.Y};
    case toRight:
        return {A.Right - P.Y, A.Bottom - (S - P.X)};
    }
    return P;
}

TRect TFcCustomTabControl::StripRectToClient(const TRect& R)
{
    const TPoint A = StripToClient(R.TopLeft()), B = StripToClient(R.BottomRight());
    TRect Result{A.X, A.Y, B.X, B.Y};
    NormalizeRectCorners(Result);
    return Result;
}

// The stored rectangle moved along the strip by the row's indent; the
// current round-cornered tab stands out by two pixels.
TRect TFcCustomTabControl::AdjustTabRect(int Index)
{
    const TFcTabData* T = FTabs->Items(Index);
    TRect R = T->TabRect();
    if (T->Row() > 0)
        OffsetRect(R, (FTabSequence == tsStandard ? 1 : -1) * T->Row() * FRowIndent, 0);
    if (FTabStyle == tsRoundCorners && Index == FTabIndex) {
        R.Left -= 2;
        R.Right += 2;
        R.Top -= 2;
    }
    return R;
}

TRect TFcCustomTabControl::TabClientRect(int Index)
{
    return StripRectToClient(AdjustTabRect(Index));
}

int TFcCustomTabControl::GetTabShapePoints(int Index, TPoint (&P)[6])
{
    const TRect R = AdjustTabRect(Index);
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom, H = B - T, C = FCutCornerSize;
    auto Set = [&P](std::initializer_list<TPoint> Points) {
        int N = 0;
        for (TPoint Pt : Points)
            P[N++] = Pt;
        return N;
    };
    switch (FTabStyle) {
    case tsSingleSlant:
        if (FSoftCorners)
            return Set({{L, B}, {L, T + 2}, {L + 2, T}, {Rt - H - 4, T}, {Rt - H + 2, T + 2}, {Rt, B}});
        return Set({{L, B}, {L, T + 2}, {L + 2, T}, {Rt - H, T}, {Rt, B}});
    case tsDoubleSlant:
        if (FSoftCorners)
            return Set({{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {Rt - H - 4, T}, {Rt - H + 2, T + 2}, {Rt, B}});
        return Set({{L, B}, {L + H, T}, {Rt - H, T}, {Rt, B}});
    case tsCutCorner:
        return Set({{L, B}, {L, T}, {Rt - C, T}, {Rt, T + C}, {Rt, B}});
    case tsRoundCorners:
        return Set({{L, B}, {L, T + 2}, {L + 2, T}, {Rt - 2, T}, {Rt, T + 2}, {Rt, B}});
    case tsBackSlant:
        if (FSoftCorners)
            return Set({{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {Rt - 2, T}, {Rt, T + 2}, {Rt, B}});
        return Set({{L, B}, {L + H, T}, {Rt - 2, T}, {Rt, T + 2}, {Rt, B}});
    }
    return 0;
}

HRGN TFcCustomTabControl::GetTabRegion(int Index)
{
    const TRect Key = TabClientRect(Index);
    if (HRGN Cached = FRegionCache->FindCachedRegion(Key))
        return Cached;
    TPoint P[6];
    const int N = GetTabShapePoints(Index, P);
    if (N < 3)
        return nullptr;
    for (int I = 0; I < N; ++I)
        P[I] = StripToClient(P[I]);
    HRGN Region = CreatePolygonRgn(P, N, WINDING);
    if (Region == nullptr)
        throw EFcTabControlError(QString::fromLatin1(SFcErrorCreatingRegion));
    FRegionCache->CacheTabRegion(Key, Region);
    return Region;
}

// --- outline command lists ----------------------------------------------------------------------------

void TFcCustomTabControl::AddCommand(int Code, int A, int B)
{
    FShapeCommands.push_back(Code);
    if (Code >= tcBeginShape) {
        FShapeCommands.push_back(A);
        FShapeCommands.push_back(B);
    }
}

TColor TFcCustomTabControl::OutlineColor() const
{
    return ShiftColorLightness(FFlatColor, FFlatColorAdjustment);
}

void TFcCustomTabControl::BuildTabShape(int Index)
{
    FShapeCommands.clear();
    AddCommand(tcBeginShape, 0, Index);
    AddCommand(tcSetPen);
    TPoint P[6];
    const int N = GetTabShapePoints(Index, P);
    int Expected = 5;
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        Expected = FSoftCorners ? 6 : 5;
        break;
    case tsDoubleSlant:
        Expected = FSoftCorners ? 6 : 4;
        break;
    case tsCutCorner:
        Expected = 5;
        break;
    case tsRoundCorners:
        Expected = 6;
        break;
    }
    if (N != Expected)
        throw EFcTabControlError(QString::fromLatin1(SFcIncorrectPointCount));
    for (int I = 0; I < N; ++I)
        P[I] = StripToClient(P[I]);
    if (FTabStyle != tsRoundCorners) {
        AddStroke(tcMoveTo, P[0]);
        for (int I = 1; I < N; ++I)
            AddStroke(tcLineTo, P[I]);
        return;
    }
    // Three strokes, so that each corner pixel is drawn once and the ends
    // against the card are left to the card's outline.
    static constexpr int Strokes[2][7] = {{4, 5, 4, 3, 2, 1, 0}, {1, 0, 1, 2, 3, 4, 5}};
    const int* S = Strokes[FTabOrientation == toLeft ? 1 : 0];
    AddStroke(tcMoveTo, P[S[0]]);
    AddStroke(tcLineTo, P[S[1]]);
    AddStroke(tcMoveTo, P[S[2]]);
    AddStroke(tcLineTo, P[S[3]]);
    AddStroke(tcMoveTo, P[S[3]]);
    for (int I = 4; I < 7; ++I)
        AddStroke(tcLineTo, P[S[I]]);
}

void TFcCustomTabControl::BuildCardShape(int Row)
{
    FShapeCommands.clear();
    AddCommand(tcBeginShape, 1, Row);
    const TRect Card = CardRect(Row);
    const bool Gap = Row == 0 && FTabIndex >= 0 && FTabIndex < FTabs->Count() && IsTabFullyVisible(FTabIndex);
    if (Gap)
        BuildCardGap(Card);
    else
        BuildClosedCard(Card);
}

// The soft shadow right of and below a card whose tabs stand on top.
void TFcCustomTabControl::AddCardShadow(TPoint P1, TPoint P2, TPoint P3)
{
    // A repaint of the hot tab alone leaves the shadow out, unless the part
    // repainted reaches it (the background there was just filled).
    if (FHotRepaint) {
        TRect Meet;
        const TRect Right{P1.X - 1, P1.Y, P1.X + 1, P2.Y + 1}, Below{P3.X, P3.Y - 1, P2.X + 1, P3.Y + 1};
        if (!IntersectRect(Meet, Right, FPaintClip) && !IntersectRect(Meet, Below, FPaintClip))
            return;
    }
    AddCommand(tcMoveTo, P1.X - 1, P1.Y + 1);
    AddCommand(tcDarkShadowTo, P2.X - 1, P2.Y - 1);
    AddCommand(tcDarkShadowTo, P3.X, P3.Y - 1);
    AddCommand(tcMoveTo, P1.X - 1, P1.Y);
    AddStroke(tcLightShadowTo, P1);
    AddStroke(tcLightShadowTo, P2);
    AddStroke(tcLightShadowTo, P3);
    AddCommand(tcLightShadowTo, P3.X, P3.Y - 1);
}

// The card's outline, open where the current tab meets it: G1 and G2 are
// that tab's first outline point (moved one pixel along the strip) and its
// last one.  Round corners follow the same plan, their tab strokes leaving
// both ends to the card.
void TFcCustomTabControl::BuildCardGap(const TRect& Card)
{
    const TPoint P0{Card.Left, Card.Top}, P1{Card.Right, Card.Top}, P2{Card.Right, Card.Bottom},
        P3{Card.Left, Card.Bottom};
    TPoint Pts[6];
    const int N = GetTabShapePoints(FTabIndex, Pts);
    const TPoint G1 = StripToClient({Pts[0].X + 1, Pts[0].Y}), G2 = StripToClient(Pts[N - 1]);
    AddCommand(tcSetPen);
    switch (FTabOrientation) {
    case toTop:
        if (HasShadowStrip()) {
            AddStroke(tcMoveTo, P0);
            AddStroke(tcLineTo, G1);
            AddStroke(tcMoveTo, G2);
            AddCommand(tcLineTo, P1.X - 2, P1.Y);
            if (FShowFullFrame) {
                AddCommand(tcLineTo, P2.X - 2, P2.Y - 2);
                AddCommand(tcLineTo, P3.X, P3.Y - 2);
                AddCommand(tcLineTo, P0.X, P0.Y - 1);
            }
            AddCardShadow(P1, P2, P3);
        } else if (FShowFullFrame) {
            AddStroke(tcMoveTo, P0);
            AddStroke(tcLineTo, G1);
            AddStroke(tcMoveTo, G2);
            for (TPoint P : {P1, P2, P3, P0})
                AddStroke(tcLineTo, P);
        } else {
            AddStroke(tcMoveTo, P0);
            AddStroke(tcLineTo, G1);
            AddStroke(tcMoveTo, G2);
            AddCommand(tcLineTo, P1.X + 1, P1.Y);
        }
        break;
    case toLeft:
        if (FShowFullFrame) {
            AddStroke(tcMoveTo, P0);
            for (TPoint P : {P1, P2, P3, G1})
                AddStroke(tcLineTo, P);
            AddStroke(tcMoveTo, G2);
            AddStroke(tcLineTo, P0);
        } else {
            AddCommand(tcMoveTo, P3.X - 1, P3.Y);
            AddCommand(tcLineTo, G1.X - 1, G1.Y);
            AddCommand(tcMoveTo, G2.X - 1, G2.Y);
            AddCommand(tcLineTo, P0.X - 1, P0.Y - 1);
        }
        break;
    case toBottom:
        if (FShowFullFrame) {
            AddStroke(tcMoveTo, P0);
            AddStroke(tcLineTo, P1);
            AddStroke(tcLineTo, P2);
            AddCommand(tcLineTo, G2.X - 1, G2.Y);
            AddCommand(tcMoveTo, G1.X - 1, G2.Y);
            AddStroke(tcLineTo, P3);
            AddStroke(tcLineTo, P0);
        } else {
            AddCommand(tcMoveTo, P2.X, P2.Y + 1);
            AddCommand(tcLineTo, G2.X - 1, G2.Y + 1);
            AddCommand(tcMoveTo, G1.X - 1, G2.Y + 1);
            AddCommand(tcLineTo, P3.X - 1, P3.Y + 1);
        }
        break;
    case toRight:
        if (FShowFullFrame) {
            AddStroke(tcMoveTo, P0);
            AddStroke(tcLineTo, P1);
            AddStroke(tcLineTo, G1);
            AddStroke(tcMoveTo, G2);
            for (TPoint P : {P2, P3, P0})
                AddStroke(tcLineTo, P);
        } else {
            AddCommand(tcMoveTo, P1.X + 1, P1.Y);
            AddCommand(tcLineTo, G1.X + 1, G1.Y);
            AddCommand(tcMoveTo, G2.X + 1, G2.Y);
            AddCommand(tcLineTo, P2.X + 1, P2.Y + 1);
        }
        break;
    }
}

// A card without a gap: the rows behind the current one, or a current tab
// scrolled out of view.
void TFcCustomTabControl::BuildClosedCard(const TRect& Card)
{
    const TPoint P0{Card.Left, Card.Top}, P1{Card.Right, Card.Top}, P2{Card.Right, Card.Bottom},
        P3{Card.Left, Card.Bottom};
    AddCommand(tcSetPen);
    if (HasShadowStrip()) {
        AddStroke(tcMoveTo, P0);
        AddCommand(tcLineTo, P1.X - 2, P1.Y);
        AddCommand(tcLineTo, P2.X - 2, P2.Y - 2);
        AddCommand(tcLineTo, P3.X, P3.Y - 2);
        AddStroke(tcLineTo, P0);
        AddCardShadow(P1, P2, P3);
        return;
    }
    if (FShowFullFrame) {
        AddStroke(tcMoveTo, P0);
        for (TPoint P : {P1, P2, P3, P0})
            AddStroke(tcLineTo, P);
        return;
    }
    // Only the edge along the strip.
    switch (FTabOrientation) {
    case toTop:
        AddStroke(tcMoveTo, P0);
        AddStroke(tcLineTo, P1);
        break;
    case toLeft:
        AddStroke(tcMoveTo, P3);
        AddStroke(tcLineTo, P0);
        break;
    case toBottom:
        AddStroke(tcMoveTo, P3);
        AddStroke(tcLineTo, P2);
        break;
    case toRight:
        AddStroke(tcMoveTo, P1);
        AddStroke(tcLineTo, P2);
        break;
    }
}

// --- rendering ---------------------------------------------------------------------------------------

bool TFcCustomTabControl::CommandsHoldShadow() const
{
    for (std::size_t I = 0; I < FShapeCommands.size(); I += FShapeCommands[I] >= tcBeginShape ? 3 : 1)
        if (FShapeCommands[I] == tcDarkShadowTo || FShapeCommands[I] == tcLightShadowTo)
            return true;
    return false;
}

// Blackens the backdrop's pixels from the pen position to To, both ends
// included; the line is horizontal or vertical.
void TFcCustomTabControl::ShadowLine(TCanvas* Canvas, TPoint From, TPoint To, int Weight)
{
    TCanvas* Backdrop = FBackdrop->Canvas();
    const int X0 = std::min(From.X, To.X), X1 = std::max(From.X, To.X);
    const int Y0 = std::min(From.Y, To.Y), Y1 = std::max(From.Y, To.Y);
    const bool Horizontal = From.Y == To.Y;
    const int Count = Horizontal ? X1 - X0 : Y1 - Y0;
    for (int I = 0; I <= Count; ++I) {
        const int X = Horizontal ? X0 + I : From.X, Y = Horizontal ? From.Y : Y0 + I;
        Canvas->SetPixels(X, Y, MixColors(clBlack, Backdrop->Pixels(X, Y), Weight));
    }
    Canvas->MoveTo(To.X, To.Y);
}

void TFcCustomTabControl::RenderShapeEdges(TCanvas* Canvas)
{
    if (CommandsHoldShadow()) {
        if (!FBackdrop)
            FBackdrop = std::make_unique<TBitmap>();
        FBackdrop->SetSize(Width(), Height());
        PaintParentBackdropOnCanvas(this, FBackdrop->Canvas(), false);
    }
    TColor Outline = OutlineColor();
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(Outline);
    for (std::size_t I = 0; I < FShapeCommands.size();) {
        const int Code = FShapeCommands[I];
        const int X = Code >= tcBeginShape ? FShapeCommands[I + 1] : 0;
        const int Y = Code >= tcBeginShape ? FShapeCommands[I + 2] : 0;
        I += Code >= tcBeginShape ? 3 : 1;
        switch (Code) {
        case tcSetPen:
            Canvas->Pen()->SetColor(Outline);
            break;
        case tcBeginShape:
            Outline = OutlineColor();
            break;
        case tcMoveTo:
            Canvas->MoveTo(X, Y);
            break;
        case tcLineTo:
            Canvas->LineTo(X, Y);
            break;
        case tcDarkShadowTo:
        case tcLightShadowTo:
            ShadowLine(Canvas, Canvas->PenPos(), {X, Y}, Code == tcDarkShadowTo ? 30 : 15);
            break;
        default:
            break;
        }
    }
}
