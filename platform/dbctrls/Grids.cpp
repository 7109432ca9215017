#include "platform/dbctrls/Grids.h"

#include "platform/classes/TypInfo.h"
#include "platform/dbctrls/InplaceEdit.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <climits>

REGISTER_COMPONENT(TCustomGrid, TCustomControl)
    PUBLISHED(BorderStyle, TBorderStyle(bsSingle))
    PUBLISHED(FixedColor, clBtnFace)
    PUBLISHED(ParentColor, false)
    PUBLISHED(TabStop, true)
END_REGISTER

namespace {

// A width or height that was never set: the default one applies.
constexpr int DefaultExtent = INT_MIN;
// How near (pixels) to a column's right line a press starts resizing it.
constexpr int SizingMargin = 2;

// The width of a column or the height of a row: Extents holds those that
// were set.
int ExtentOf(const std::vector<int>& Extents, int Index, int Default)
{
    if (Index < 0 || Index >= int(Extents.size()) || Extents[std::size_t(Index)] == DefaultExtent)
        return Default;
    return Extents[std::size_t(Index)];
}

// Sets one; false when nothing changed.
bool StoreExtent(std::vector<int>& Extents, int Count, int Index, int Value, int Default)
{
    if (Index < 0 || Index >= Count || ExtentOf(Extents, Index, Default) == Value)
        return false;
    if (int(Extents.size()) <= Index)
        Extents.resize(std::size_t(Index) + 1, DefaultExtent);
    Extents[std::size_t(Index)] = Value;
    return true;
}

bool Intersects(const TRect& A, const TRect& B)
{
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

} // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents};
    FWidth = 320;
    FHeight = 120;
    SetParentColor(false);
    SetTabStop(true);
}

// --- shape -----------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value)
{
    Value = std::max(Value, 0);
    if (!AssignIfChanged(FColCount, Value))
        return;
    FFixedCols = std::min(FFixedCols, FColCount);
    if (int(FColWidths.size()) > FColCount)
        FColWidths.resize(std::size_t(FColCount));
    SizeChanged();
}

void TCustomGrid::SetRowCount(int Value)
{
    Value = std::max(Value, 0);
    if (!AssignIfChanged(FRowCount, Value))
        return;
    FFixedRows = std::min(FFixedRows, FRowCount);
    if (int(FRowHeights.size()) > FRowCount)
        FRowHeights.resize(std::size_t(FRowCount));
    SizeChanged();
}

void TCustomGrid::SetFixedCols(int Value)
{
    if (AssignIfChanged(FFixedCols, std::clamp(Value, 0, FColCount)))
        SizeChanged();
}

void TCustomGrid::SetFixedRows(int Value)
{
    if (AssignIfChanged(FFixedRows, std::clamp(Value, 0, FRowCount)))
        SizeChanged();
}

void TCustomGrid::SizeChanged()
{
    ClampCurrent();
    if (FUpdateLock > 0)
        return;
    UpdateHorzScrollBar();
    InvalidateGrid();
}

void TCustomGrid::ClampCurrent()
{
    FCurrent.X = std::clamp(FCurrent.X, FFixedCols, std::max(FFixedCols, FColCount - 1));
    FCurrent.Y = std::clamp(FCurrent.Y, FFixedRows, std::max(FFixedRows, FRowCount - 1));
    FLeftCol = std::clamp(FLeftCol, FFixedCols, std::max(FFixedCols, FColCount - 1));
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    if (AssignIfChanged(FDefaultColWidth, std::max(Value, 0)))
        SizeChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    if (AssignIfChanged(FDefaultRowHeight, std::max(Value, 0)))
        SizeChanged();
}

int TCustomGrid::ColWidths(int Index) const
{
    return ExtentOf(FColWidths, Index, FDefaultColWidth);
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (!StoreExtent(FColWidths, FColCount, Index, Value, FDefaultColWidth) || FUpdateLock > 0)
        return;
    ClampCurrent();
    UpdateHorzScrollBar();
    InvalidateGrid();
    MoveEditor();
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int Index) const
{
    return ExtentOf(FRowHeights, Index, FDefaultRowHeight);
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (!StoreExtent(FRowHeights, FRowCount, Index, Value, FDefaultRowHeight) || FUpdateLock > 0)
        return;
    InvalidateGrid();
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    if (AssignIfChanged(FGridLineWidth, std::max(Value, 0)))
        SizeChanged();
}

// --- looks -----------------------------------------------------------------------------

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (!AssignIfChanged(FOptions, Value))
        return;
    if (FUpdateLock > 0)
        return;
    UpdateHorzScrollBar();
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (AssignIfChanged(FFixedColor, Value))
        InvalidateGrid();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (TFormBorderStyle(FBorderStyle) == TFormBorderStyle(Value))
        return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (AssignIfChanged(FDefaultDrawing, Value))
        InvalidateGrid();
}

void TCustomGrid::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (TFormBorderStyle(FBorderStyle) == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    // Resizing repaints what changed, not the whole grid.
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

// --- geometry --------------------------------------------------------------------------

TRect TCustomGrid::GridClientRect()
{
    return HandleAllocated() ? ClientRect() : TRect{0, 0, FWidth, FHeight};
}

int TCustomGrid::Extent(bool Horizontal, int Index) const
{
    return Horizontal ? ColWidths(Index) : RowHeights(Index);
}

void TCustomGrid::CalcAxis(TGridAxisDrawInfo& Info, bool Horizontal, int ClientExtent, int First) const
{
    const bool Lines = FOptions.Contains(Horizontal ? goVertLine : goHorzLine);
    Info.EffectiveLineWidth = Lines ? FGridLineWidth : 0;
    Info.FixedCellCount = Horizontal ? FFixedCols : FFixedRows;
    Info.GridCellCount = Horizontal ? FColCount : FRowCount;
    Info.FirstGridCell = First;
    Info.GridExtent = ClientExtent;
    int Pos = 0;
    for (int I = 0; I < Info.FixedCellCount; ++I)
        if (const int E = Extent(Horizontal, I); E >= 0)
            Pos += E + Info.EffectiveLineWidth;
    Info.FixedBoundary = Pos;
    Info.LastFullVisibleCell = First - 1;
    for (int I = First; I < Info.GridCellCount && Pos < ClientExtent; ++I) {
        const int E = Extent(Horizontal, I);
        if (E < 0)
            continue;
        if (Pos + E <= ClientExtent)
            Info.LastFullVisibleCell = I;
        Pos += E + Info.EffectiveLineWidth;
    }
    Info.GridBoundary = std::min(Pos, ClientExtent);
}

TGridDrawInfo TCustomGrid::DrawInfo()
{
    const TRect C = GridClientRect();
    TGridDrawInfo Info;
    CalcAxis(Info.Horz, true, C.Width(), FLeftCol);
    CalcAxis(Info.Vert, false, C.Height(), TopRow());
    return Info;
}

int TCustomGrid::CellStart(const TGridAxisDrawInfo& Info, bool Horizontal, int Index) const
{
    if (Index < 0 || Index >= Info.GridCellCount || Extent(Horizontal, Index) < 0)
        return -1;
    int From = 0;
    int Pos = 0;
    if (Index >= Info.FixedCellCount) {
        if (Index < Info.FirstGridCell)
            return -1;
        From = Info.FirstGridCell;
        Pos = Info.FixedBoundary;
    }
    for (int I = From; I < Index; ++I)
        if (const int E = Extent(Horizontal, I); E >= 0)
            Pos += E + Info.EffectiveLineWidth;
    return Pos;
}

int TCustomGrid::CellAt(const TGridAxisDrawInfo& Info, bool Horizontal, int Pos) const
{
    if (Pos < 0 || Pos >= Info.GridBoundary)
        return -1;
    int At = 0;
    auto Walk = [&](int From, int To) {
        for (int I = From; I < To; ++I) {
            const int E = Extent(Horizontal, I);
            if (E < 0)
                continue;
            At += E + Info.EffectiveLineWidth;
            if (Pos < At)
                return I;
        }
        return -1;
    };
    if (Pos < Info.FixedBoundary)
        return Walk(0, Info.FixedCellCount);
    At = Info.FixedBoundary;
    return Walk(Info.FirstGridCell, Info.GridCellCount);
}

TRect TCustomGrid::CellRect(int ACol, int ARow)
{
    const TGridDrawInfo Info = DrawInfo();
    const int X = CellStart(Info.Horz, true, ACol);
    const int Y = CellStart(Info.Vert, false, ARow);
    if (X < 0 || Y < 0 || X >= Info.Horz.GridExtent || Y >= Info.Vert.GridExtent)
        return {};
    return {X, Y, std::min(X + ColWidths(ACol), Info.Horz.GridExtent),
            std::min(Y + RowHeights(ARow), Info.Vert.GridExtent)};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y)
{
    const TGridDrawInfo Info = DrawInfo();
    TGridCoord C{CellAt(Info.Horz, true, X), CellAt(Info.Vert, false, Y)};
    if (C.X < 0 || C.Y < 0)
        return {-1, -1};
    return C;
}

int TCustomGrid::VisibleColCount()
{
    const TGridAxisDrawInfo H = DrawInfo().Horz;
    return std::max(0, H.LastFullVisibleCell - FLeftCol + 1);
}

int TCustomGrid::VisibleRowCount()
{
    const TGridAxisDrawInfo V = DrawInfo().Vert;
    return std::max(0, V.LastFullVisibleCell - TopRow() + 1);
}

// --- the current cell and the view ----------------------------------------------------

bool TCustomGrid::SelectCell(int ACol, int ARow)
{
    (void)ACol;
    (void)ARow;
    return true;
}

void TCustomGrid::SetCol(int Value)
{
    MoveColRow(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value)
{
    MoveColRow(FCurrent.X, Value, true);
}

bool TCustomGrid::IsSelected(int ACol, int ARow) const
{
    if (FOptions.Contains(goRowSelect))
        return ARow == FCurrent.Y && ACol >= FFixedCols;
    return ACol == FCurrent.X && ARow == FCurrent.Y;
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool Show)
{
    ACol = std::clamp(ACol, FFixedCols, std::max(FFixedCols, FColCount - 1));
    ARow = std::clamp(ARow, FFixedRows, std::max(FFixedRows, FRowCount - 1));
    if (ACol != FCurrent.X || ARow != FCurrent.Y) {
        if (!SelectCell(ACol, ARow))
            return;
        MoveCurrent(ACol, ARow);
    }
    if (Show)
        ScrollColIntoView(FCurrent.X);
}

void TCustomGrid::MoveCurrent(int ACol, int ARow)
{
    const TGridCoord Old = FCurrent;
    FCurrent = {ACol, ARow};
    if (Old == FCurrent)
        return;
    if (FOptions.Contains(goRowSelect)) {
        InvalidateRow(Old.Y);
        InvalidateRow(ARow);
    } else {
        InvalidateCell(Old.X, Old.Y);
        InvalidateCell(ACol, ARow);
    }
    CurrentMoved(Old.X, Old.Y);
}

int TCustomGrid::VisibleColFrom(int ACol, int Direction) const
{
    for (int C = ACol; C >= FFixedCols && C < FColCount; C += Direction)
        if (ColWidths(C) >= 0)
            return C;
    return -1;
}

int TCustomGrid::MaxLeftCol()
{
    const TGridAxisDrawInfo H = DrawInfo().Horz;
    const int Room = H.GridExtent - H.FixedBoundary;
    int Used = 0;
    int Left = FColCount - 1;
    for (int C = FColCount - 1; C >= FFixedCols; --C) {
        const int E = ColWidths(C);
        if (E < 0)
            continue;
        if (Used + E > Room && Used > 0)
            break;
        Used += E + H.EffectiveLineWidth;
        Left = C;
    }
    return std::max(Left, FFixedCols);
}

void TCustomGrid::SetLeftCol(int Value)
{
    Value = std::clamp(Value, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
    if (!AssignIfChanged(FLeftCol, Value))
        return;
    UpdateHorzScrollBar();
    InvalidateGrid();
    MoveEditor();
    TopLeftChanged();
}

void TCustomGrid::ScrollColIntoView(int ACol)
{
    if (ACol < FFixedCols || ACol >= FColCount)
        return;
    if (ACol < FLeftCol) {
        SetLeftCol(ACol);
        return;
    }
    const TGridAxisDrawInfo H = DrawInfo().Horz;
    if (ACol <= H.LastFullVisibleCell)
        return;
    // The leftmost column from which ACol still fits whole.
    const int Room = H.GridExtent - H.FixedBoundary;
    int Used = std::max(ColWidths(ACol), 0);
    int Left = ACol;
    for (int C = ACol - 1; C >= FFixedCols; --C) {
        const int E = ColWidths(C);
        if (E < 0)
            continue;
        if (Used + H.EffectiveLineWidth + E > Room)
            break;
        Used += H.EffectiveLineWidth + E;
        Left = C;
    }
    SetLeftCol(Left);
}

void TCustomGrid::UpdateHorzScrollBar()
{
    if (!HandleAllocated() || FUpdateLock > 0)
        return;
    // Positions are column numbers; the page is the columns the last
    // position shows, so the thumb stops at MaxLeftCol.
    const int MaxLeft = MaxLeftCol();
    SCROLLINFO SI;
    SI.fMask = SIF_ALL;
    SI.nMin = FFixedCols;
    SI.nMax = std::max(FFixedCols, FColCount - 1);
    SI.nPage = UINT(std::max(1, FColCount - MaxLeft));
    SI.nPos = FLeftCol;
    SCROLLINFO Old;
    Old.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_HORZ, &Old);
    if (Old.nMin == SI.nMin && Old.nMax == SI.nMax && Old.nPage == SI.nPage && Old.nPos == SI.nPos)
        return;
    SetScrollInfo(Handle(), SB_HORZ, &SI, TRUE);
}

void TCustomGrid::WMHScroll(TMessage& Message)
{
    const int Page = std::max(1, VisibleColCount());
    switch (LOWORD(Message.WParam)) {
    case SB_LINELEFT: {
        const int C = VisibleColFrom(FLeftCol - 1, -1);
        SetLeftCol(C < 0 ? FLeftCol : C);
        break;
    }
    case SB_LINERIGHT: {
        const int C = VisibleColFrom(FLeftCol + 1, 1);
        SetLeftCol(C < 0 ? FLeftCol : C);
        break;
    }
    case SB_PAGELEFT:
        SetLeftCol(FLeftCol - Page);
        break;
    case SB_PAGERIGHT:
        SetLeftCol(FLeftCol + Page);
        break;
    case SB_LEFT:
        SetLeftCol(FFixedCols);
        break;
    case SB_RIGHT:
        SetLeftCol(MaxLeftCol());
        break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking))
            break;
        [[fallthrough]];
    case SB_THUMBPOSITION: {
        SCROLLINFO SI;
        SI.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_HORZ, &SI);
        SetLeftCol(SI.nTrackPos);
        break;
    }
    default:
        break;
    }
    Message.Result = 0;
}

void TCustomGrid::TopLeftChanged()
{}

void TCustomGrid::CurrentMoved(int OldCol, int OldRow)
{
    (void)OldCol;
    (void)OldRow;
    LoadEditor();
}

void TCustomGrid::ColWidthsChanged()
{}

void TCustomGrid::RowHeightsChanged()
{}

bool TCustomGrid::CanResizeColumn(int ACol) const
{
    return ACol >= FFixedCols;
}

// --- invalidation ----------------------------------------------------------------------

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    if (!HandleAllocated() || FUpdateLock > 0)
        return;
    TRect R = CellRect(ACol, ARow);
    if (IsRectEmpty(R))
        return;
    // The cell's lines and a focus frame drawn on its edge go with it.
    R.Right += FGridLineWidth;
    R.Bottom += FGridLineWidth;
    InvalidateRect(Handle(), &R, FALSE);
}

void TCustomGrid::InvalidateRow(int ARow)
{
    if (!HandleAllocated() || FUpdateLock > 0)
        return;
    const TGridDrawInfo Info = DrawInfo();
    const int Y = CellStart(Info.Vert, false, ARow);
    if (Y < 0 || Y >= Info.Vert.GridExtent)
        return;
    TRect R{0, Y, Info.Horz.GridExtent, Y + RowHeights(ARow) + FGridLineWidth};
    InvalidateRect(Handle(), &R, FALSE);
}

void TCustomGrid::InvalidateGrid()
{
    if (HandleAllocated() && FUpdateLock == 0)
        InvalidateRect(Handle(), nullptr, FALSE);
}

// --- painting --------------------------------------------------------------------------

void TCustomGrid::GetGridLineColors(TColor& FixedLineColor, TColor& LineColor)
{
    FixedLineColor = clBlack;
    // Lines on a silver grid would vanish in silver.
    LineColor = ColorToRGB(Color()) == ColorToRGB(clSilver) ? clGray : clSilver;
}

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    (void)ACol;
    (void)ARow;
    (void)ARect;
    (void)AState;
}

void TCustomGrid::PrepareCell(const TRect& ARect, TGridDrawState AState, TColor AColor)
{
    TCanvas* C = Canvas();
    if (!C->Font()->Equals(*Font()))
        C->Font()->Assign(Font());
    const bool Highlight = AState.Contains(gdSelected)
        && (!AState.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect));
    if (Highlight) {
        C->Brush()->SetColor(clHighlight);
        C->Font()->SetColor(clHighlightText);
    } else {
        C->Brush()->SetColor(AColor);
    }
    C->FillRect(ARect);
}

void TCustomGrid::Paint()
{
    const TGridDrawInfo Info = DrawInfo();
    const TGridAxisDrawInfo& H = Info.Horz;
    const TGridAxisDrawInfo& V = Info.Vert;
    if (H.EffectiveLineWidth > 0 || V.EffectiveLineWidth > 0) {
        TColor FixedLine = clBlack;
        TColor Line = clSilver;
        GetGridLineColors(FixedLine, Line);
        const bool FixedHorz = FOptions.Contains(goFixedHorzLine);
        const bool FixedVert = FOptions.Contains(goFixedVertLine);
        DrawLines(Info, {0, 0, H.FixedBoundary, V.FixedBoundary}, 0, 0, FixedHorz, FixedVert, FixedLine);
        DrawLines(Info, {H.FixedBoundary, 0, H.GridBoundary, V.FixedBoundary}, FLeftCol, 0, FixedHorz, FixedVert,
                  FixedLine);
        DrawLines(Info, {0, V.FixedBoundary, H.FixedBoundary, V.GridBoundary}, 0, TopRow(), FixedHorz, FixedVert,
                  FixedLine);
        DrawLines(Info, {H.FixedBoundary, V.FixedBoundary, H.GridBoundary, V.GridBoundary}, FLeftCol, TopRow(),
                  FOptions.Contains(goHorzLine), FOptions.Contains(goVertLine), Line);
    }
    DrawCells(Info, 0, 0, {0, 0, H.FixedBoundary, V.FixedBoundary}, FFixedColor, {gdFixed});
    DrawCells(Info, FLeftCol, 0, {H.FixedBoundary, 0, H.GridBoundary, V.FixedBoundary}, FFixedColor, {gdFixed});
    DrawCells(Info, 0, TopRow(), {0, V.FixedBoundary, H.FixedBoundary, V.GridBoundary}, FFixedColor, {gdFixed});
    DrawCells(Info, FLeftCol, TopRow(), {H.FixedBoundary, V.FixedBoundary, H.GridBoundary, V.GridBoundary}, Color(),
              {});
    if (FOptions.Contains(goRowSelect) && FDefaultDrawing && Focused()) {
        TRect R = CellRect(FLeftCol, FCurrent.Y);
        if (!IsRectEmpty(R)) {
            R.Left = H.FixedBoundary;
            R.Right = std::min(H.GridBoundary - H.EffectiveLineWidth, H.GridExtent);
            Canvas()->DrawFocusRect(R);
        }
    }
    Canvas()->Brush()->SetColor(Color());
    if (H.GridBoundary < H.GridExtent)
        Canvas()->FillRect({H.GridBoundary, 0, H.GridExtent, V.GridBoundary});
    if (V.GridBoundary < V.GridExtent)
        Canvas()->FillRect({0, V.GridBoundary, H.GridExtent, V.GridExtent});
}

void TCustomGrid::DrawLines(const TGridDrawInfo& Info, const TRect& Area, int FirstCol, int FirstRow, bool Horz,
                            bool Vert, TColor Color)
{
    if (IsRectEmpty(Area))
        return;
    // One stroke (two points) per line, all drawn with one pen.
    std::vector<TPoint> Points;
    const int VertWidth = Info.Horz.EffectiveLineWidth;
    const int HorzWidth = Info.Vert.EffectiveLineWidth;
    if (Vert && VertWidth > 0) {
        int X = Area.Left;
        for (int C = FirstCol; C < FColCount && X < Area.Right; ++C) {
            const int E = ColWidths(C);
            if (E < 0)
                continue;
            X += E;
            const int At = X + VertWidth / 2;
            Points.push_back({At, Area.Top});
            Points.push_back({At, Area.Bottom});
            X += VertWidth;
        }
    }
    if (Horz && HorzWidth > 0) {
        int Y = Area.Top;
        for (int R = FirstRow; R < FRowCount && Y < Area.Bottom; ++R) {
            const int E = RowHeights(R);
            if (E < 0)
                continue;
            Y += E;
            const int At = Y + HorzWidth / 2;
            Points.push_back({Area.Left, At});
            Points.push_back({Area.Right, At});
            Y += HorzWidth;
        }
    }
    if (Points.empty())
        return;
    const std::vector<DWORD> Counts(Points.size() / 2, 2);
    HDC DC = Canvas()->Handle();
    HPEN Pen = CreatePen(PS_SOLID, std::max(VertWidth, HorzWidth), ColorToRGB(Color));
    HGDIOBJ Old = SelectObject(DC, Pen);
    PolyPolyline(DC, Points.data(), Counts.data(), int(Counts.size()));
    SelectObject(DC, Old);
    DeleteObject(Pen);
}

void TCustomGrid::DrawCells(const TGridDrawInfo& Info, int FirstCol, int FirstRow, const TRect& Area, TColor AColor,
                            TGridDrawState Include)
{
    if (IsRectEmpty(Area))
        return;
    const TRect Clip = Canvas()->ClipRect();
    const bool HasFocus = Focused();
    const bool Edges = Include.Contains(gdFixed) && Ctl3D() && FOptions.Contains(goFixedVertLine)
        && FOptions.Contains(goFixedHorzLine);
    int Y = Area.Top;
    for (int R = FirstRow; R < FRowCount && Y < Area.Bottom; ++R) {
        const int RowHeight = RowHeights(R);
        if (RowHeight < 0)
            continue;
        const bool RowShown = Y + RowHeight > Clip.Top && Y < Clip.Bottom;
        int X = Area.Left;
        for (int C = FirstCol; RowShown && C < FColCount && X < Area.Right; ++C) {
            const int W = ColWidths(C);
            if (W < 0)
                continue;
            const TRect Where{X, Y, X + W, Y + RowHeight};
            X += W + Info.Horz.EffectiveLineWidth;
            if (!Intersects(Where, Clip))
                continue;
            TGridDrawState State = Include;
            if (C == FCurrent.X && R == FCurrent.Y && HasFocus)
                State.Include(gdFocused);
            if (!Include.Contains(gdFixed) && IsSelected(C, R))
                State.Include(gdSelected);
            if (FDefaultDrawing)
                PrepareCell(Where, State, AColor);
            DrawCell(C, R, Where, State);
            if (Edges)
                DrawCellEdge(Where);
            if (FDefaultDrawing && State.Contains(gdFocused) && !FOptions.Contains(goRowSelect))
                Canvas()->DrawFocusRect(Where);
        }
        Y += RowHeight + Info.Vert.EffectiveLineWidth;
    }
}

void TCustomGrid::DrawCellEdge(const TRect& Where)
{
    // A fixed cell stands out: light inside its top and left, shadow inside
    // its right and bottom.
    HDC DC = Canvas()->Handle();
    TRect R = Where;
    DrawEdge(DC, &R, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    R = Where;
    DrawEdge(DC, &R, BDR_RAISEDINNER, BF_TOPLEFT);
}

// --- input -------------------------------------------------------------------------------

LRESULT TCustomGrid::DialogCode()
{
    LRESULT Code = DLGC_WANTARROWS;
    if (FOptions.Contains(goTabs))
        Code |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing))
        Code |= DLGC_WANTCHARS;
    return Code;
}

void TCustomGrid::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DialogCode();
        return;
    case WM_HSCROLL:
        WMHScroll(Message);
        return;
    case WM_VSCROLL:
        WMVScroll(Message);
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

int TCustomGrid::SizingColumnAt(int X, int Y)
{
    if (!FOptions.Contains(goColSizing))
        return -1;
    const TGridDrawInfo Info = DrawInfo();
    if (Y < 0 || Y >= Info.Vert.FixedBoundary)
        return -1;
    for (int C = 0; C < FColCount; ++C) {
        const int Start = CellStart(Info.Horz, true, C);
        if (Start < 0 || Start >= Info.Horz.GridExtent)
            continue;
        const int LineAt = Start + ColWidths(C);
        if (X >= LineAt - SizingMargin && X < LineAt + Info.Horz.EffectiveLineWidth + SizingMargin)
            return CanResizeColumn(C) ? C : -1;
    }
    return -1;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        const int C = SizingColumnAt(X, Y);
        if (C >= 0) {
            FGridState = gsColSizing;
            FSizingCol = C;
            FSizingStart = CellStart(DrawInfo().Horz, true, C);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FGridState == gsColSizing)
        SetColWidths(FSizingCol, std::max(0, X - FSizingStart));
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FGridState == gsColSizing) {
        FGridState = gsNormal;
        FSizingCol = -1;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::WMSetCursor(TMessage& Message)
{
    if (HWND(Message.WParam) == WindowHandle() && std::int16_t(LOWORD(std::uintptr_t(Message.LParam))) == HTCLIENT) {
        TPoint P;
        GetCursorPos(&P);
        P = ScreenToClient(P);
        if (FGridState == gsColSizing || SizingColumnAt(P.X, P.Y) >= 0) {
            ::SetCursor(CursorHandle(crHSplit));
            Message.Result = 1;
            return;
        }
    }
    TCustomControl::WMSetCursor(Message);
}

void TCustomGrid::WMSize(TMessage& Message)
{
    TCustomControl::WMSize(Message);
    ClampCurrent();
    if (FUpdateLock > 0)
        return;
    if (FLeftCol > MaxLeftCol())
        SetLeftCol(MaxLeftCol());
    UpdateHorzScrollBar();
    InvalidateGrid();
    MoveEditor();
}

void TCustomGrid::CMEnter(TMessage& Message)
{
    TCustomControl::CMEnter(Message);
    if (FOptions.Contains(goAlwaysShowEditor))
        ShowEditor();
    if (FOptions.Contains(goRowSelect))
        InvalidateRow(FCurrent.Y);
    else
        InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::CMExit(TMessage& Message)
{
    TCustomControl::CMExit(Message);
    if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    if (FOptions.Contains(goRowSelect))
        InvalidateRow(FCurrent.Y);
    else
        InvalidateCell(FCurrent.X, FCurrent.Y);
}

// --- editing in place ----------------------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && HandleAllocated()
        && FCurrent.X >= FFixedCols && FCurrent.X < FColCount && FCurrent.Y >= FFixedRows && FCurrent.Y < FRowCount
        && ColWidths(FCurrent.X) >= 0;
}

bool TCustomGrid::CanEditModify()
{
    return true;
}

String TCustomGrid::GetEditText(int ACol, int ARow)
{
    (void)ACol;
    (void)ARow;
    return {};
}

String TCustomGrid::GetEditMask(int ACol, int ARow)
{
    (void)ACol;
    (void)ARow;
    return {};
}

int TCustomGrid::GetEditLimit()
{
    return 0;
}

bool TCustomGrid::GridFocused()
{
    return Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused());
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    if (!CanEditShow()) {
        HideEditor();
        return;
    }
    if (FInplaceEdit == nullptr) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetParent(this);
    }
    const bool HadFocus = GridFocused();
    if (!FEditorShown) {
        FEditorShown = true;
        LoadEditor();
    }
    if (HadFocus && FInplaceEdit->Visible() && !FInplaceEdit->Focused() && FInplaceEdit->CanFocus())
        FInplaceEdit->SetFocus();
}

void TCustomGrid::HideEditor()
{
    if (!FEditorShown)
        return;
    FEditorShown = false;
    // The focus stays with the grid, not with whatever comes next.
    if (FInplaceEdit->Focused() && CanFocus())
        SetFocus();
    FInplaceEdit->Hide();
}

void TCustomGrid::LoadEditor()
{
    if (!FEditorShown)
        return;
    if (!CanEditShow()) {
        HideEditor();
        return;
    }
    FInplaceEdit->UpdateContents();
    MoveEditor();
}

void TCustomGrid::MoveEditor()
{
    if (!FEditorShown || FUpdateLock > 0)
        return;
    const TRect R = CellRect(FCurrent.X, FCurrent.Y);
    if (IsRectEmpty(R)) {
        FInplaceEdit->Hide();
        return;
    }
    FInplaceEdit->SetBoundsRect(R);
    FInplaceEdit->SetColor(Color());
    FInplaceEdit->Show();
}
