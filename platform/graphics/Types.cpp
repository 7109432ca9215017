#include "platform/graphics/Types.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

bool SetRect(TRect& R, int Left, int Top, int Right, int Bottom)
{
    R = {Left, Top, Right, Bottom};
    return true;
}

bool SetRectEmpty(TRect& R)
{
    R = {};
    return true;
}

bool InflateRect(TRect& R, int DX, int DY)
{
    R.Left -= DX;
    R.Top -= DY;
    R.Right += DX;
    R.Bottom += DY;
    return true;
}

bool OffsetRect(TRect& R, int DX, int DY)
{
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
    return true;
}

bool IsRectEmpty(const TRect& R)
{
    return R.Right <= R.Left || R.Bottom <= R.Top;
}

bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B)
{
    const TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                  std::min(A.Bottom, B.Bottom)};
    if (IsRectEmpty(R)) {
        Dest = {};
        return false;
    }
    Dest = R;
    return true;
}

bool UnionRect(TRect& Dest, const TRect& A, const TRect& B)
{
    if (IsRectEmpty(A)) {
        Dest = IsRectEmpty(B) ? TRect{} : B;
        return !IsRectEmpty(Dest);
    }
    if (IsRectEmpty(B)) {
        Dest = A;
        return true;
    }
    Dest = {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
    return true;
}

bool PtInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

bool EqualRect(const TRect& A, const TRect& B)
{
    return A == B;
}

TRect NormalizeRect(const TRect& R)
{
    return {std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
            std::max(R.Top, R.Bottom)};
}

TPoint CenterPoint(const TRect& R)
{
    // Half the extent from the left and top edges, as the classic routine
    // counts: the same as the mean for positive coordinates, one pixel
    // nearer the top left for odd extents at negative ones.
    return {(R.Right - R.Left) / 2 + R.Left, (R.Bottom - R.Top) / 2 + R.Top};
}

int MulDiv(int Number, int Numerator, int Denominator)
{
    if (Denominator == 0)
        return -1;
    long long Product = (long long)Number * Numerator;
    long long Den = Denominator;
    if (Den < 0) {
        Den = -Den;
        Product = -Product;
    }
    const long long Half = Den / 2;
    const long long Result = Product >= 0 ? (Product + Half) / Den : -((-Product + Half) / Den);
    if (Result > INT_MAX || Result < INT_MIN)
        return -1;
    return int(Result);
}
