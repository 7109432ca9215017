// Region objects and the clip region of a device context.
#include "platform/graphics/DeviceContext.h"

#include <algorithm>

namespace {

int Complexity(const std::optional<TRegionData>& Clip)
{
    return Clip ? Clip->Complexity() : SIMPLEREGION;
}

// The device rectangle of a logical one, normalised.
TRect DeviceRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
    const TPoint A = DC->ToDevice({Left, Top});
    const TPoint B = DC->ToDevice({Right, Bottom});
    return NormalizeRect({A.X, A.Y, B.X, B.Y});
}

// The clip as a region in device coordinates, "everything" made explicit.
TRegionData CurrentClip(HDC DC)
{
    if (DC->State().Clip)
        return *DC->State().Clip;
    const TPoint O = DC->ImageOrigin();
    TRegionData All = DC->ClipRegion();
    All.Offset(-O.X, -O.Y);
    return All;
}

} // namespace

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom)
{
    return new TGdiRegion(TRegionData(NormalizeRect({Left, Top, Right, Bottom})));
}

HRGN CreateRectRgnIndirect(const TRect& R)
{
    return CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
}

HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode)
{
    if (Points == nullptr || Count < 2 || (FillMode != ALTERNATE && FillMode != WINDING))
        return nullptr;
    return new TGdiRegion(TRegionData::FromPolygon(Points, Count, FillMode));
}

HRGN CreatePolyPolygonRgn(const TPoint* Points, const int* Counts, int PolyCount, int FillMode)
{
    if (Points == nullptr || Counts == nullptr || PolyCount < 1 || (FillMode != ALTERNATE && FillMode != WINDING))
        return nullptr;
    for (int I = 0; I < PolyCount; ++I)
        if (Counts[I] < 2)
            return nullptr;
    return new TGdiRegion(TRegionData::FromPolygons(Points, Counts, PolyCount, FillMode));
}

HRGN CreateEllipticRgn(int Left, int Top, int Right, int Bottom)
{
    return new TGdiRegion(TRegionData::FromEllipse({Left, Top, Right, Bottom}));
}

HRGN CreateRoundRectRgn(int Left, int Top, int Right, int Bottom, int EllipseWidth, int EllipseHeight)
{
    return new TGdiRegion(TRegionData::FromRoundRect({Left, Top, Right, Bottom}, EllipseWidth, EllipseHeight));
}

int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode)
{
    if (!IsGdiObject(Dest) || !IsGdiObject(Src1) || Mode < RGN_AND || Mode > RGN_COPY)
        return RGN_ERROR;
    if (Mode == RGN_COPY) {
        Dest->Data = Src1->Data;
    } else {
        if (!IsGdiObject(Src2))
            return RGN_ERROR;
        Dest->Data = Src1->Data.Combine(Src2->Data, Mode);
    }
    return Dest->Data.Complexity();
}

BOOL PtInRegion(HRGN Region, int X, int Y)
{
    return IsGdiObject(Region) && Region->Data.Contains(X, Y);
}

BOOL RectInRegion(HRGN Region, const TRect* R)
{
    return IsGdiObject(Region) && R != nullptr && Region->Data.Intersects(NormalizeRect(*R));
}

int OffsetRgn(HRGN Region, int DX, int DY)
{
    if (!IsGdiObject(Region))
        return RGN_ERROR;
    Region->Data.Offset(DX, DY);
    return Region->Data.Complexity();
}

BOOL EqualRgn(HRGN A, HRGN B)
{
    if (!IsGdiObject(A) || !IsGdiObject(B))
        return 0;
    return A->Data == B->Data;
}

int GetRgnBox(HRGN Region, TRect* R)
{
    if (!IsGdiObject(Region) || R == nullptr)
        return RGN_ERROR;
    *R = Region->Data.Bounds();
    return Region->Data.Complexity();
}

BOOL SetRectRgn(HRGN Region, int Left, int Top, int Right, int Bottom)
{
    if (!IsGdiObject(Region))
        return 0;
    Region->Data = TRegionData(NormalizeRect({Left, Top, Right, Bottom}));
    return 1;
}

// Regions given to the painting calls are in logical coordinates.
static TRegionData ImageRegion(HDC DC, const TRegionData& Logical)
{
    TRegionData R = Logical;
    const TPoint O = DC->ToImage({0, 0});
    R.Offset(O.X, O.Y);
    return R;
}

BOOL FillRgn(HDC DC, HRGN Region, HBRUSH Brush)
{
    Brush = ResolveBrush(Brush);
    if (!IsValidDC(DC) || !IsGdiObject(Region) || Brush == nullptr)
        return 0;
    DC->FillRegion(ImageRegion(DC, Region->Data), Brush, -1);
    return 1;
}

BOOL PaintRgn(HDC DC, HRGN Region)
{
    if (!IsValidDC(DC) || !IsGdiObject(Region))
        return 0;
    DC->FillRegion(ImageRegion(DC, Region->Data), DC->State().Brush.Get(), DC->State().Rop2);
    return 1;
}

BOOL InvertRgn(HDC DC, HRGN Region)
{
    if (!IsValidDC(DC) || !IsGdiObject(Region))
        return 0;
    DC->PenRegion(ImageRegion(DC, Region->Data), 0, R2_NOT);
    return 1;
}

BOOL FrameRgn(HDC DC, HRGN Region, HBRUSH Brush, int Width, int Height)
{
    Brush = ResolveBrush(Brush);
    if (!IsValidDC(DC) || !IsGdiObject(Region) || Brush == nullptr || Width < 1 || Height < 1)
        return 0;
    // The frame is the region minus the region shifted inwards from every side.
    TRegionData Inner = Region->Data;
    for (int DX : {-Width, Width}) {
        TRegionData Moved = Region->Data;
        Moved.Offset(DX, 0);
        Inner = Inner.Combine(Moved, RGN_AND);
    }
    for (int DY : {-Height, Height}) {
        TRegionData Moved = Region->Data;
        Moved.Offset(0, DY);
        Inner = Inner.Combine(Moved, RGN_AND);
    }
    DC->FillRegion(ImageRegion(DC, Region->Data.Combine(Inner, RGN_DIFF)), Brush, -1);
    return 1;
}

// --- clipping -----------------------------------------------------------------------

int SelectClipRgn(HDC DC, HRGN Region)
{
    return ExtSelectClipRgn(DC, Region, RGN_COPY);
}

int ExtSelectClipRgn(HDC DC, HRGN Region, int Mode)
{
    if (!IsValidDC(DC) || Mode < RGN_AND || Mode > RGN_COPY)
        return RGN_ERROR;
    auto& Clip = DC->State().Clip;
    if (Region != nullptr && !IsGdiObject(Region))
        return RGN_ERROR;
    if (Mode == RGN_COPY) {
        if (Region == nullptr)
            Clip.reset();
        else
            Clip = Region->Data;
    } else {
        if (Region == nullptr)
            return RGN_ERROR;
        Clip = CurrentClip(DC).Combine(Region->Data, Mode);
    }
    DC->ClipChanged();
    return Complexity(Clip);
}

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
    if (!IsValidDC(DC))
        return RGN_ERROR;
    auto& Clip = DC->State().Clip;
    Clip = CurrentClip(DC).Combine(TRegionData(DeviceRect(DC, Left, Top, Right, Bottom)), RGN_AND);
    DC->ClipChanged();
    return Complexity(Clip);
}

int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
    if (!IsValidDC(DC))
        return RGN_ERROR;
    auto& Clip = DC->State().Clip;
    Clip = CurrentClip(DC).Combine(TRegionData(DeviceRect(DC, Left, Top, Right, Bottom)), RGN_DIFF);
    DC->ClipChanged();
    return Complexity(Clip);
}

int OffsetClipRgn(HDC DC, int DX, int DY)
{
    if (!IsValidDC(DC))
        return RGN_ERROR;
    auto& Clip = DC->State().Clip;
    if (Clip) {
        Clip->Offset(DX, DY);
        DC->ClipChanged();
    }
    return Complexity(Clip);
}

int GetClipBox(HDC DC, TRect* R)
{
    if (!IsValidDC(DC) || R == nullptr)
        return RGN_ERROR;
    const TRegionData& Visible = DC->ClipRegion();
    const TRect B = Visible.Bounds();
    const TPoint A = DC->FromImage(B.TopLeft());
    const TPoint C = DC->FromImage(B.BottomRight());
    *R = Visible.IsEmpty() ? TRect{} : TRect{A.X, A.Y, C.X, C.Y};
    return Visible.Complexity();
}

int GetClipRgn(HDC DC, HRGN Region)
{
    if (!IsValidDC(DC) || !IsGdiObject(Region))
        return -1;
    if (!DC->State().Clip)
        return 0;
    Region->Data = *DC->State().Clip;
    return 1;
}

BOOL PtVisible(HDC DC, int X, int Y)
{
    if (!IsValidDC(DC))
        return 0;
    const TPoint P = DC->ToImage({X, Y});
    return DC->ClipRegion().Contains(P.X, P.Y);
}

BOOL RectVisible(HDC DC, const TRect* R)
{
    if (!IsValidDC(DC) || R == nullptr)
        return 0;
    const TPoint A = DC->ToImage(R->TopLeft());
    const TPoint B = DC->ToImage(R->BottomRight());
    return DC->ClipRegion().Intersects(NormalizeRect({A.X, A.Y, B.X, B.Y}));
}
