#pragma once
// TCustomGrid: the classic grid of cells in columns and rows, drawn by us.
// Fixed columns and rows (titles, an indicator) stay put; the other
// columns scroll sideways under a horizontal scroll bar.  Rows do not
// scroll here: the data grid, the only grid the program has, shows a window
// of records and moves the data set instead, so its rows are always the
// rows on the screen.
//
// Painting goes by area (fixed corner, fixed row, fixed column, data): the
// grid lines of each area in one stroke list, then the cells, each through
// DrawCell with the canvas prepared, then the focus rectangle and the
// background beyond the last cell.  Descendants choose the line colours.
//
// With goEditing the current cell can be edited in place: the editor
// (TInplaceEdit, made by CreateEditor) lies over the cell while EditorMode
// is on, follows the current cell and takes its text from GetEditText.
#include "platform/windows/CustomControl.h"
#include "platform/forms/Forms.h"

class TInplaceEdit;

#include <vector>

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Where the cells of one axis fall in the client area.  Cells are laid
// side by side, each followed by its line (EffectiveLineWidth pixels, 0
// when the lines are off).
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;
    // End of the fixed cells and their lines: where scrolling cells start.
    int FixedBoundary = 0;
    // End of the last cell drawn (its line included), at most GridExtent.
    int GridBoundary = 0;
    // The client width or height.
    int GridExtent = 0;
    // The last scrolling cell shown whole (FirstGridCell - 1 when none).
    int LastFullVisibleCell = 0;
    int FixedCellCount = 0;
    int FirstGridCell = 0;
    int GridCellCount = 0;
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);

    // --- shape ---
    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    // A negative width hides the column (no cell, no line).
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);

    // --- looks ---
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // Cells are filled (and the focused one framed) before DrawCell.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);

    // --- position ---
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    // The first scrolling column shown.
    int LeftCol() const { return FLeftCol; }
    void SetLeftCol(int Value);
    // Rows never scroll: the first row after the fixed ones is always shown.
    int TopRow() const { return FFixedRows; }
    // Scrolling columns and rows shown whole.
    int VisibleColCount();
    int VisibleRowCount();

    // The cell's rectangle in client coordinates, without its lines;
    // empty when the cell is not shown.
    TRect CellRect(int ACol, int ARow);
    // The cell under a client point; -1 for an axis outside the cells.
    TGridCoord MouseCoord(int X, int Y);
    TGridDrawInfo DrawInfo();

    // --- editing in place ---
    // Whether the editor lies over the current cell.
    bool EditorMode() const { return FEditorShown; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    void WndProc(TMessage& Message) override;

protected:
    // --- what descendants draw and decide ---
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // May the current cell move there?
    virtual bool SelectCell(int ACol, int ARow);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    // The current cell moved (from OldCol, OldRow).
    virtual void CurrentMoved(int OldCol, int OldRow);
    // The colours of the lines between fixed cells and between data cells.
    virtual void GetGridLineColors(TColor& FixedLineColor, TColor& LineColor);
    // Which part of the grid a drag at (X, Y) in the fixed rows resizes.
    virtual bool CanResizeColumn(int ACol) const;

    // --- moving the current cell and the view ---
    // Moves the current cell (SelectCell may refuse); Show scrolls it into view.
    void MoveColRow(int ACol, int ARow, bool Show);
    // Moves the current cell without asking SelectCell (the data grid's row
    // follows its data set).
    void MoveCurrent(int ACol, int ARow);
    // The nearest shown scrolling column from ACol in Direction (+1 / -1),
    // ACol itself when it is shown; -1 when there is none.
    int VisibleColFrom(int ACol, int Direction) const;
    // The largest LeftCol that still fills the client width.
    int MaxLeftCol();
    void ScrollColIntoView(int ACol);
    void UpdateHorzScrollBar();

    // --- invalidation ---
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateGrid();

    // --- painting ---
    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    // Fills the cell with the state's colours and the font when DefaultDrawing.
    virtual void PrepareCell(const TRect& ARect, TGridDrawState AState, TColor AColor);
    // The client rectangle, also before the window exists.
    TRect GridClientRect();

    // --- input ---
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMSetCursor(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    // The column whose right line is under X within the fixed rows, -1 when none.
    int SizingColumnAt(int X, int Y);
    // Scroll bar messages; a descendant takes over the vertical bar.
    virtual void WMHScroll(TMessage& Message);
    virtual void WMVScroll(TMessage& Message) { (void)Message; }
    // What the keyboard wants from the dialog manager.
    virtual LRESULT DialogCode();

    // --- editing in place ---
    friend class TInplaceEdit;
    virtual TInplaceEdit* CreateEditor();
    // Whether the current cell may be edited now.
    virtual bool CanEditShow();
    // Asked before the user's first change of the editor's text: false
    // refuses it.
    virtual bool CanEditModify();
    virtual String GetEditText(int ACol, int ARow);
    virtual String GetEditMask(int ACol, int ARow);
    // Characters the editor takes (0: no limit).
    virtual int GetEditLimit();
    // A key the editor hands on, as if pressed on the grid.
    void EditorKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    void ShowEditor();
    void HideEditor();
    // The editor over the current cell again, its text read afresh.
    void LoadEditor();
    // The editor's bounds follow the current cell (hidden while the cell is
    // scrolled out of view).
    void MoveEditor();
    // Whether the grid or its editor has the focus.
    bool GridFocused();

    TGridState GridState() const { return FGridState; }
    // Painting is being suppressed while the layout changes.
    int UpdateLock() const { return FUpdateLock; }
    void BeginUpdateLock() { ++FUpdateLock; }
    void EndUpdateLock() { --FUpdateLock; }

private:
    int Extent(bool Horizontal, int Index) const;
    void CalcAxis(TGridAxisDrawInfo& Info, bool Horizontal, int ClientExtent, int First) const;
    int CellStart(const TGridAxisDrawInfo& Info, bool Horizontal, int Index) const;
    int CellAt(const TGridAxisDrawInfo& Info, bool Horizontal, int Pos) const;
    void DrawLines(const TGridDrawInfo& Info, const TRect& Area, int FirstCol, int FirstRow, bool Horz, bool Vert,
                   TColor Color);
    void DrawCells(const TGridDrawInfo& Info, int FirstCol, int FirstRow, const TRect& Area, TColor AColor,
                   TGridDrawState Include);
    void DrawCellEdge(const TRect& Where);
    bool IsSelected(int ACol, int ARow) const;
    void SizeChanged();
    void ClampCurrent();

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FGridLineWidth = 1;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TColor FFixedColor = clBtnFace;
    TBorderStyle FBorderStyle = bsSingle;
    bool FDefaultDrawing = true;
    TGridCoord FCurrent{1, 1};
    int FLeftCol = 1;
    TGridState FGridState = gsNormal;
    int FUpdateLock = 0;
    // Column sizing: the column, where its cell starts.
    int FSizingCol = -1;
    int FSizingStart = 0;
    // Owned as a component of the grid.
    TInplaceEdit* FInplaceEdit = nullptr;
    bool FEditorShown = false;
};
