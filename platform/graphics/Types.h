#pragma once
// Points, sizes and rectangles in the classic shape: a rectangle holds its
// right and bottom edges exclusive, so Width = Right - Left.
#include <cstdint>

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool operator==(const TRect&) const = default;
};

using POINT = TPoint;
using SIZE = TSize;
using RECT = TRect;

constexpr TPoint Point(int X, int Y) { return {X, Y}; }
constexpr TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
constexpr TRect Bounds(int Left, int Top, int Width, int Height) { return {Left, Top, Left + Width, Top + Height}; }

// The rectangle calls return whether they succeeded, as the classic ones do;
// results that are empty come back as (0, 0, 0, 0).
bool SetRect(TRect& R, int Left, int Top, int Right, int Bottom);
bool SetRectEmpty(TRect& R);
bool InflateRect(TRect& R, int DX, int DY);
bool OffsetRect(TRect& R, int DX, int DY);
// False (and Dest empty) when the two do not overlap.
bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B);
// The smallest rectangle holding both; empty sources are ignored.
bool UnionRect(TRect& Dest, const TRect& A, const TRect& B);
// Right and bottom edges are outside.
bool PtInRect(const TRect& R, const TPoint& P);
bool EqualRect(const TRect& A, const TRect& B);
bool IsRectEmpty(const TRect& R);
// Swaps edges so that Left <= Right and Top <= Bottom.
TRect NormalizeRect(const TRect& R);
TPoint CenterPoint(const TRect& R);

// Number * Numerator / Denominator with a 64-bit intermediate, rounded half
// away from zero; -1 when Denominator is 0 or the result overflows.
int MulDiv(int Number, int Numerator, int Denominator);
// The smallest integer >= N / D for D > 0, exactly.
inline long long CeilDiv(long long N, long long D)
{
    return N >= 0 ? (N + D - 1) / D : -((-N) / D);
}
