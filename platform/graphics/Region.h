#pragma once
// A region as the raster calls see it: a set of pixels kept as horizontal
// bands, each band a sorted list of disjoint spans [X0, X1).  Polygons are
// scan-converted here with the classic sampling (a pixel belongs to the
// polygon when its centre - the integer point - lies inside; left and top
// edges inside, right and bottom edges outside), never through Qt's
// anti-aliased paths.
#include "platform/graphics/Types.h"

#include <optional>
#include <vector>

enum : int { ALTERNATE = 1, WINDING = 2 };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

// The rows a region is built for.
struct TRegionRows {
    static constexpr int Limit = 1 << 16;
    int Top = -Limit;
    int Bottom = Limit;
};

class TRegionData {
public:
    struct TSpan {
        int X0;
        int X1;
        bool operator==(const TSpan&) const = default;
    };
    struct TBand {
        int Top;
        int Bottom;
        std::vector<TSpan> Spans;
        bool operator==(const TBand&) const = default;
    };

    TRegionData() = default;
    explicit TRegionData(const TRect& R);
    // Rows outside [-RowLimit, RowLimit) are never built, so absurd
    // coordinates cannot exhaust memory; drawing passes its clip rows.
    static constexpr int RowLimit = TRegionRows::Limit;
    using TRows = TRegionRows;
    // Several polygons at once (PolyPolygon); Counts holds each one's
    // number of points.
    static TRegionData FromPolygons(const TPoint* Points, const int* Counts, int PolyCount, int FillMode,
                                    TRows Rows = {});
    static TRegionData FromPolygon(const TPoint* Points, int Count, int FillMode, TRows Rows = {});
    static TRegionData FromEllipse(const TRect& Box, TRows Rows = {});
    static TRegionData FromRoundRect(const TRect& Box, int EllipseWidth, int EllipseHeight, TRows Rows = {});

    bool IsEmpty() const { return FBands.empty(); }
    // One rectangle (SIMPLEREGION).
    bool IsRect() const;
    // One rectangle holding all of R.
    bool Covers(const TRect& R) const;
    // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
    int Complexity() const;
    TRect Bounds() const;
    std::vector<TRect> Rects() const;
    const std::vector<TBand>& Bands() const { return FBands; }
    bool Contains(int X, int Y) const;
    bool Intersects(const TRect& R) const;
    void Offset(int DX, int DY);
    // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF; RGN_COPY gives *this.
    TRegionData Combine(const TRegionData& Other, int Mode) const;
    bool operator==(const TRegionData&) const = default;

    // Calls F(X0, X1) for every part of [X0, X1) on row Y inside the region.
    template <typename F>
    void ForEachSpan(int Y, int X0, int X1, F&& Fn) const
    {
        const TBand* Band = FindBand(Y);
        if (Band == nullptr)
            return;
        for (const TSpan& S : Band->Spans) {
            if (S.X0 >= X1)
                break;
            const int A = S.X0 > X0 ? S.X0 : X0;
            const int B = S.X1 < X1 ? S.X1 : X1;
            if (A < B)
                Fn(A, B);
        }
    }

    // Builds a region from one span list per row, starting at row Top.
    static TRegionData FromRows(int Top, const std::vector<std::vector<TSpan>>& Rows);

private:
    std::optional<TRegionData> QuickCombine(const TRegionData& Other, int Mode) const;
    const TBand* FindBand(int Y) const;
    void AppendBand(int Top, int Bottom, std::vector<TSpan>&& Spans);
    std::vector<TBand> FBands;
};
