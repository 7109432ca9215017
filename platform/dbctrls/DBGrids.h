#pragma once
// TCustomDBGrid / TDBGrid: the data-aware grid.  Its rows are a window over
// the data set in its current order: the grid link's buffer count is the
// number of rows that fit, the data set keeps those records around the
// current one, and the grid reads each row by pointing the link's active
// record at it while the row is drawn.  Nothing is kept per record, so the
// grid costs the same on ten records as on a hundred thousand.  Scrolling,
// the keyboard and the vertical scroll bar move the data set; the grid
// follows its notices.
//
// A title row (dgTitles) and an indicator column (dgIndicator, the current
// record's arrow, edit or insert mark) are the fixed cells; every column
// of Columns is one grid column after them.
//
// With dgEditing a cell opens for editing when the user types into it,
// presses F2 or Enter, or clicks it while it is current: the in-place
// editor takes the field's edit text and edit mask, the first change puts
// the record into edit mode, and what was typed goes into the field when
// the user leaves the cell, presses Enter or the record is posted (a text
// the mask does not take raises the mask's error and stays).  Escape drops
// the typing, a second Escape the record's changes.
#include "platform/dbctrls/DBGridColumns.h"
#include "platform/dbctrls/Grids.h"

#include <memory>

class TDataSource;
class TDataSet;
class TBitmap;
class TGridDataLink;

enum TDBGridOption {
    dgEditing,
    dgAlwaysShowEditor,
    dgTitles,
    dgIndicator,
    dgColumnResize,
    dgColLines,
    dgRowLines,
    dgTabs,
    dgRowSelect,
    dgAlwaysShowSelection,
    dgConfirmDelete,
    dgCancelOnExit
};
using TDBGridOptions = TSet<TDBGridOption>;

using TDrawColumnCellEvent =
    std::function<void(TObject* Sender, const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)>;
using TDrawDataCellEvent = std::function<void(TObject* Sender, const TRect& Rect, TField* Field, TGridDrawState State)>;
using TDBGridClickEvent = std::function<void(TColumn* Column)>;

// The width of the indicator column.
inline constexpr int IndicatorWidth = 11;

class TCustomDBGrid : public TCustomGrid {
public:
    explicit TCustomDBGrid(TComponent* AOwner);
    ~TCustomDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    TDBGridColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDBGridColumns* Value) { FColumns->Assign(Value); }
    TDBGridOptions Options() const { return FOptions; }
    void SetOptions(TDBGridOptions Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Follows Font until it is set on its own.
    TFont* TitleFont() const { return FTitleFont.get(); }
    void SetTitleFont(TFont* Value) { FTitleFont->Assign(Value); }

    // The column of the current cell (an index into Columns; -1 without columns).
    int SelectedIndex() const;
    void SetSelectedIndex(int Value);
    TField* SelectedField() const;
    void SetSelectedField(TField* Value);

    // Draws the column's field text in Rect with the canvas as it is set.
    void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
    // Whether the cell is drawn in the highlight colours.
    virtual bool HighlightCell(int DataCol, int DataRow, const String& Value, TGridDrawState AState);

    DECLARE_EVENT(TDBGridClickEvent, OnCellClick)
    DECLARE_EVENT(TNotifyEvent, OnColEnter)
    DECLARE_EVENT(TDrawColumnCellEvent, OnDrawColumnCell)
    DECLARE_EVENT(TDrawDataCellEvent, OnDrawDataCell)
    DECLARE_EVENT(TDBGridClickEvent, OnTitleClick)

    bool IsColumnsStored() const { return FColumns->State() == csCustomized; }

    // --- what the columns ask of their grid ---
    TDataSet* DataSet() const;
    // Width in pixels of Chars characters (digits) of Font.
    int CharsWidth(int Chars);
    int TitleTextWidth(const String& Text);
    // The columns changed (Layout: their number, widths or fields).
    void ColumnsChanged(bool Layout);

protected:
    friend class TGridDataLink;

    TGridDataLink* DataLink() const { return FDataLink.get(); }
    int IndicatorOffset() const { return FOptions.Contains(dgIndicator) ? 1 : 0; }
    int TitleOffset() const { return FOptions.Contains(dgTitles) ? 1 : 0; }
    int RawToDataColumn(int ACol) const { return ACol - IndicatorOffset(); }
    int DataToRawColumn(int ACol) const { return ACol + IndicatorOffset(); }
    // Rows of records the grid shows (the link's buffer count).
    int VisibleDataRows() const;

    // --- drawing ---
    // The display text of Column's field in the row being read: while a
    // data cell is drawn, the text already read for that cell.
    String ColumnCellText(TColumn* Column) const;
    virtual void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
    virtual void DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State);
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void PrepareCell(const TRect& ARect, TGridDrawState AState, TColor AColor) override;
    bool CanResizeColumn(int ACol) const override;

    // --- the data link's notices ---
    virtual void LinkActive(bool Value);
    virtual void DataChanged();
    // The data set scrolled its window by Distance rows (0: only the
    // current record moved within it).
    virtual void Scroll(int Distance);
    virtual void LayoutChanged();
    virtual void RecordChanged(TField* Field);
    virtual void EditingChanged();
    virtual void UpdateData();
    void FieldGone(TField* Field);
    void FocusField(TField* Field);

    // --- events ---
    virtual void CellClick(TColumn* Column);
    virtual void TitleClick(TColumn* Column);
    virtual void ColEnter();

    // --- input ---
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void WMVScroll(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void ColWidthsChanged() override;
    void CurrentMoved(int OldCol, int OldRow) override;
    void Loaded() override;

    // --- editing in place ---
    bool CanEditShow() override;
    // Puts the record into edit mode when the current column's field may
    // change.
    bool CanEditModify() override;
    String GetEditText(int ACol, int ARow) override;
    String GetEditMask(int ACol, int ARow) override;
    int GetEditLimit() override;
    // Leaving a column writes what was typed into its field first.
    bool SelectCell(int ACol, int ARow) override;
    void KeyPress(QChar& Key) override;

private:
    void UpdateRowCount();
    void UpdateScrollBar();
    void InvalidateDataRows();
    void ApplyRowHeights();
    void ApplyColumnWidths();
    void TitleFontChanged();
    void DrawTitleCell(int ACol, const TRect& ARect);
    void DrawIndicatorCell(int DataRow, const TRect& ARect);
    void DrawDataRowCell(int ACol, int DataRow, const TRect& ARect, TGridDrawState AState);
    void UseCanvasFont(TFont* Source, TColor Color);
    // Moves the data set by Distance records, leaving an untouched new
    // record first.
    void MoveBy(int Distance);
    void MoveDown();
    void MoveUp();
    void MoveCol(int RawCol);
    void RightPressOn(TGridCoord Cell);
    void TabTo(bool Forward);
    void DeleteRecord();
    // The grid, its link and the data set allow changing records.
    bool CanChangeRecords() const;
    // The field of a grid column (nullptr for none).
    TField* ColumnField(int ACol) const;
    // What was typed into the editor goes into its field (after the edit
    // mask has accepted it).
    void CommitEditor();
    void EscapeKey();
    void ReturnKey();
    int FirstDataCol() const;
    int LastDataCol() const;

    std::unique_ptr<TGridDataLink> FDataLink;
    std::unique_ptr<TDBGridColumns> FColumns;
    std::unique_ptr<TFont> FTitleFont;
    // Fonts are measured on it (the grid may have no window yet).
    std::unique_ptr<TBitmap> FMeasure;
    TDBGridOptions FOptions{dgEditing,  dgTitles, dgIndicator,     dgColumnResize, dgColLines,
                            dgRowLines, dgTabs,   dgConfirmDelete, dgCancelOnExit};
    bool FReadOnly = false;
    bool FTitleFontFollows = true;
    bool FFollowingFont = false;
    bool FDestroying = false;
    int FLayoutLock = 0;
    bool FInRowCount = false;
    int FCharWidth = 0;
    // The title or data column the left button went down on (-1: none).
    int FTitlePressed = -1;
    int FCellPressed = -1;
    // The right button went down on a record that could not be made
    // current: the context menu of that press is not shown.
    bool FRowPressFailed = false;
    // The field the editor shows; set while the editor's first change puts
    // the record into edit mode (the record notice that brings must not
    // reload the editor under the user's keystroke).
    TField* FEditField = nullptr;
    bool FModifying = false;
    // The data cell being drawn and its text (read once per cell).
    TColumn* FDrawingColumn = nullptr;
    String FDrawingText;
};

class TDBGrid : public TCustomDBGrid {
public:
    explicit TDBGrid(TComponent* AOwner) : TCustomDBGrid(AOwner) {}
};
