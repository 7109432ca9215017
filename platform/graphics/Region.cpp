#include "platform/graphics/Region.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

using TSpan = TRegionData::TSpan;

bool InSpans(const std::vector<TSpan>& Spans, std::size_t& Index, int X)
{
    while (Index < Spans.size() && Spans[Index].X1 <= X)
        ++Index;
    return Index < Spans.size() && Spans[Index].X0 <= X;
}

// The edges of a span list in order: X0, X1 of each span in turn.  They
// rise strictly, so two lists merge without sorting.
void AppendEdges(const std::vector<TSpan>& Spans, std::vector<int>& Edges)
{
    for (const TSpan& S : Spans) {
        Edges.push_back(S.X0);
        Edges.push_back(S.X1);
    }
}

std::vector<TSpan> CombineSpans(const std::vector<TSpan>& A, const std::vector<TSpan>& B, int Mode)
{
    thread_local std::vector<int> EdgesA, EdgesB, Edges;
    EdgesA.clear();
    EdgesB.clear();
    Edges.clear();
    AppendEdges(A, EdgesA);
    AppendEdges(B, EdgesB);
    std::set_union(EdgesA.begin(), EdgesA.end(), EdgesB.begin(), EdgesB.end(), std::back_inserter(Edges));
    std::vector<TSpan> Result;
    std::size_t IA = 0, IB = 0;
    for (std::size_t I = 0; I + 1 < Edges.size(); ++I) {
        const int X = Edges[I];
        const bool InA = InSpans(A, IA, X);
        const bool InB = InSpans(B, IB, X);
        bool In = false;
        switch (Mode) {
        case RGN_AND: In = InA && InB; break;
        case RGN_OR: In = InA || InB; break;
        case RGN_XOR: In = InA != InB; break;
        case RGN_DIFF: In = InA && !InB; break;
        default: In = InA; break;
        }
        if (!In)
            continue;
        if (!Result.empty() && Result.back().X1 == X)
            Result.back().X1 = Edges[I + 1];
        else
            Result.push_back({X, Edges[I + 1]});
    }
    return Result;
}

struct TEdge {
    long long X1, Y1, X2, Y2;
    int Dir;
};

} // namespace

TRegionData::TRegionData(const TRect& R)
{
    if (R.Right > R.Left && R.Bottom > R.Top)
        FBands.push_back({R.Top, R.Bottom, {{R.Left, R.Right}}});
}

void TRegionData::AppendBand(int Top, int Bottom, std::vector<TSpan>&& Spans)
{
    if (Spans.empty() || Bottom <= Top)
        return;
    if (!FBands.empty() && FBands.back().Bottom == Top && FBands.back().Spans == Spans) {
        FBands.back().Bottom = Bottom;
        return;
    }
    FBands.push_back({Top, Bottom, std::move(Spans)});
}

TRegionData TRegionData::FromRows(int Top, const std::vector<std::vector<TSpan>>& Rows)
{
    TRegionData R;
    for (std::size_t I = 0; I < Rows.size(); ++I) {
        std::vector<TSpan> Spans = Rows[I];
        std::sort(Spans.begin(), Spans.end(), [](const TSpan& A, const TSpan& B) { return A.X0 < B.X0; });
        // Merge overlapping or touching spans into a clean row.
        std::vector<TSpan> Clean;
        for (const TSpan& S : Spans) {
            if (S.X1 <= S.X0)
                continue;
            if (!Clean.empty() && S.X0 <= Clean.back().X1)
                Clean.back().X1 = std::max(Clean.back().X1, S.X1);
            else
                Clean.push_back(S);
        }
        const int Y = Top + int(I);
        R.AppendBand(Y, Y + 1, std::move(Clean));
    }
    return R;
}

TRegionData TRegionData::FromPolygons(const TPoint* Points, const int* Counts, int PolyCount, int FillMode,
                                      TRows Limit)
{
    std::vector<TEdge> Edges;
    long long MinY = 0, MaxY = 0;
    bool Any = false;
    const TPoint* P = Points;
    for (int Poly = 0; Poly < PolyCount; ++Poly) {
        const int Count = Counts[Poly];
        if (Count < 0)
            return {};
        for (int I = 0; I < Count; ++I) {
            const TPoint A = P[I];
            const TPoint B = P[(I + 1) % Count];
            if (!Any) {
                MinY = MaxY = A.Y;
                Any = true;
            }
            MinY = std::min<long long>(MinY, A.Y);
            MaxY = std::max<long long>(MaxY, A.Y);
            if (A.Y == B.Y)
                continue;
            if (A.Y < B.Y)
                Edges.push_back({A.X, A.Y, B.X, B.Y, 1});
            else
                Edges.push_back({B.X, B.Y, A.X, A.Y, -1});
        }
        P += Count;
    }
    MinY = std::max<long long>(MinY, Limit.Top);
    MaxY = std::min<long long>(MaxY, Limit.Bottom);
    if (Edges.empty() || MaxY <= MinY)
        return {};
    struct TCross {
        long long X; // first pixel column at or right of the crossing
        int Dir;
    };
    // One row at a time, in buffers kept across rows: a polygon band of a
    // few pixels per row must not cost allocations per row.
    TRegionData Result;
    std::vector<TCross> Crossings;
    std::vector<TSpan> Row;
    for (long long Y = MinY; Y < MaxY; ++Y) {
        Crossings.clear();
        for (const TEdge& E : Edges) {
            if (Y < E.Y1 || Y >= E.Y2)
                continue;
            const long long Den = E.Y2 - E.Y1;
            const long long Num = E.X1 * Den + (Y - E.Y1) * (E.X2 - E.X1);
            Crossings.push_back({CeilDiv(Num, Den), E.Dir});
        }
        std::sort(Crossings.begin(), Crossings.end(),
                  [](const TCross& A, const TCross& B) { return A.X < B.X; });
        Row.clear();
        const auto Add = [&Row](long long X0, long long X1) {
            // Crossings come sorted: merge what touches the last span.
            if (!Row.empty() && X0 <= Row.back().X1)
                Row.back().X1 = std::max(Row.back().X1, int(X1));
            else
                Row.push_back({int(X0), int(X1)});
        };
        if (FillMode == WINDING) {
            int Winding = 0;
            for (std::size_t I = 0; I + 1 < Crossings.size(); ++I) {
                Winding += Crossings[I].Dir;
                if (Winding != 0 && Crossings[I].X < Crossings[I + 1].X)
                    Add(Crossings[I].X, Crossings[I + 1].X);
            }
        } else {
            for (std::size_t I = 0; I + 1 < Crossings.size(); I += 2)
                if (Crossings[I].X < Crossings[I + 1].X)
                    Add(Crossings[I].X, Crossings[I + 1].X);
        }
        if (Row.empty())
            continue;
        std::vector<TBand>& Bands = Result.FBands;
        if (!Bands.empty() && Bands.back().Bottom == Y && Bands.back().Spans == Row)
            ++Bands.back().Bottom;
        else
            Bands.push_back({int(Y), int(Y) + 1, Row});
    }
    return Result;
}

TRegionData TRegionData::FromPolygon(const TPoint* Points, int Count, int FillMode, TRows Limit)
{
    if (Points == nullptr || Count < 3)
        return {};
    return FromPolygons(Points, &Count, 1, FillMode, Limit);
}

TRegionData TRegionData::FromRoundRect(const TRect& Box, int EllipseWidth, int EllipseHeight, TRows Limit)
{
    const TRect R = NormalizeRect(Box);
    const int W = R.Width(), H = R.Height();
    if (W <= 0 || H <= 0)
        return {};
    const int EW = std::clamp(EllipseWidth, 0, W), EH = std::clamp(EllipseHeight, 0, H);
    if (EW < 2 || EH < 2)
        return TRegionData(R).Combine(TRegionData({R.Left, Limit.Top, R.Right, Limit.Bottom}), RGN_AND);
    // Each row of the corner ellipse: the pixels whose centres lie inside
    // the ellipse fitted to the corner box, mirrored to the other side.
    const double A = EW / 2.0, B = EH / 2.0;
    const int FirstRow = std::max(0, int(std::max<long long>((long long)Limit.Top - R.Top, 0)));
    const int EndRow = int(std::min<long long>(H, std::max<long long>((long long)Limit.Bottom - R.Top, 0)));
    if (EndRow <= FirstRow)
        return {};
    std::vector<std::vector<TSpan>> Rows(static_cast<std::size_t>(EndRow - FirstRow));
    for (int Row = FirstRow; Row < EndRow; ++Row) {
        int Inset = 0;
        double Dy = -1;
        if (Row < EH / 2)
            Dy = B - (Row + 0.5);
        else if (Row >= H - EH / 2)
            Dy = B - (H - Row - 0.5);
        if (Dy >= 0) {
            const double T = 1.0 - (Dy * Dy) / (B * B);
            const double Half = T > 0 ? A * std::sqrt(T) : 0.0;
            Inset = int(std::lround(A - Half));
        }
        if (W - 2 * Inset > 0)
            Rows[std::size_t(Row - FirstRow)].push_back({R.Left + Inset, R.Right - Inset});
    }
    return FromRows(R.Top + FirstRow, Rows);
}

TRegionData TRegionData::FromEllipse(const TRect& Box, TRows Limit)
{
    const TRect R = NormalizeRect(Box);
    return FromRoundRect(R, R.Width(), R.Height(), Limit);
}

int TRegionData::Complexity() const
{
    if (FBands.empty())
        return NULLREGION;
    if (FBands.size() == 1 && FBands.front().Spans.size() == 1)
        return SIMPLEREGION;
    return COMPLEXREGION;
}

TRect TRegionData::Bounds() const
{
    if (FBands.empty())
        return {};
    TRect R{FBands.front().Spans.front().X0, FBands.front().Top, FBands.front().Spans.back().X1,
            FBands.back().Bottom};
    for (const TBand& B : FBands) {
        R.Left = std::min(R.Left, B.Spans.front().X0);
        R.Right = std::max(R.Right, B.Spans.back().X1);
    }
    return R;
}

std::vector<TRect> TRegionData::Rects() const
{
    std::vector<TRect> Result;
    for (const TBand& B : FBands)
        for (const TSpan& S : B.Spans)
            Result.push_back({S.X0, B.Top, S.X1, B.Bottom});
    return Result;
}

const TRegionData::TBand* TRegionData::FindBand(int Y) const
{
    auto It = std::upper_bound(FBands.begin(), FBands.end(), Y,
                               [](int Value, const TBand& B) { return Value < B.Bottom; });
    if (It == FBands.end() || It->Top > Y)
        return nullptr;
    return &*It;
}

bool TRegionData::Contains(int X, int Y) const
{
    const TBand* B = FindBand(Y);
    if (B == nullptr)
        return false;
    for (const TSpan& S : B->Spans)
        if (X >= S.X0 && X < S.X1)
            return true;
    return false;
}

bool TRegionData::Intersects(const TRect& R) const
{
    return !Combine(TRegionData(R), RGN_AND).IsEmpty();
}

void TRegionData::Offset(int DX, int DY)
{
    for (TBand& B : FBands) {
        B.Top += DY;
        B.Bottom += DY;
        for (TSpan& S : B.Spans) {
            S.X0 += DX;
            S.X1 += DX;
        }
    }
}

bool TRegionData::IsRect() const
{
    return FBands.size() == 1 && FBands.front().Spans.size() == 1;
}

bool TRegionData::Covers(const TRect& R) const
{
    return IsRect() && FBands.front().Top <= R.Top && FBands.front().Bottom >= R.Bottom
        && FBands.front().Spans.front().X0 <= R.Left && FBands.front().Spans.front().X1 >= R.Right;
}

// The cases window clipping meets all the time, answered without the
// general sweep: an empty side, disjoint bounds, a rectangle that holds
// the other region whole.
std::optional<TRegionData> TRegionData::QuickCombine(const TRegionData& Other, int Mode) const
{
    if (Mode == RGN_COPY)
        return *this;
    if (Other.IsEmpty())
        return Mode == RGN_AND ? TRegionData() : *this;
    if (IsEmpty())
        return Mode == RGN_AND || Mode == RGN_DIFF ? TRegionData() : Other;
    const TRect A = Bounds(), B = Other.Bounds();
    const bool Disjoint = A.Right <= B.Left || B.Right <= A.Left || A.Bottom <= B.Top || B.Bottom <= A.Top;
    if (Disjoint && (Mode == RGN_AND || Mode == RGN_DIFF))
        return Mode == RGN_AND ? TRegionData() : *this;
    if (Mode == RGN_AND && Other.Covers(A))
        return *this;
    if (Mode == RGN_AND && Covers(B))
        return Other;
    if (Mode == RGN_DIFF && Other.Covers(A))
        return TRegionData();
    return std::nullopt;
}

TRegionData TRegionData::Combine(const TRegionData& Other, int Mode) const
{
    if (std::optional<TRegionData> Quick = QuickCombine(Other, Mode))
        return std::move(*Quick);
    // Band edges rise (each band's bottom is at most the next one's top),
    // so the two lists merge without a sort.
    std::vector<int> Ys;
    Ys.reserve(2 * (FBands.size() + Other.FBands.size()));
    for (const TBand& B : FBands) {
        Ys.push_back(B.Top);
        Ys.push_back(B.Bottom);
    }
    const auto Middle = std::ptrdiff_t(Ys.size());
    for (const TBand& B : Other.FBands) {
        Ys.push_back(B.Top);
        Ys.push_back(B.Bottom);
    }
    std::inplace_merge(Ys.begin(), Ys.begin() + Middle, Ys.end());
    Ys.erase(std::unique(Ys.begin(), Ys.end()), Ys.end());
    static const std::vector<TSpan> None;
    TRegionData Result;
    std::size_t IA = 0, IB = 0;
    for (std::size_t I = 0; I + 1 < Ys.size(); ++I) {
        const int Y = Ys[I];
        while (IA < FBands.size() && FBands[IA].Bottom <= Y)
            ++IA;
        while (IB < Other.FBands.size() && Other.FBands[IB].Bottom <= Y)
            ++IB;
        const std::vector<TSpan>& SA = IA < FBands.size() && FBands[IA].Top <= Y ? FBands[IA].Spans : None;
        const std::vector<TSpan>& SB =
            IB < Other.FBands.size() && Other.FBands[IB].Top <= Y ? Other.FBands[IB].Spans : None;
        Result.AppendBand(Y, Ys[I + 1], CombineSpans(SA, SB, Mode));
    }
    return Result;
}
