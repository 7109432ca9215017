#include "platform/dbctrls/DBGrids.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/DataSource.h"
#include "platform/dbctrls/GridCells.h"
#include "platform/dbctrls/GridDataLink.h"
#include "platform/dbctrls/InplaceEdit.h"
#include "platform/forms/Dialogs.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>

REGISTER_ENUM(TDBGridOption, dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines,
              dgRowLines, dgTabs, dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit)

REGISTER_COMPONENT(TCustomDBGrid, TCustomGrid)
    PUBLISHED_OBJECT(Columns).Stored(&TCustomDBGrid::IsColumnsStored) PUBLISHED(DataSource, nullptr)
        PUBLISHED(DefaultDrawing, true)
            PUBLISHED(Options,
                      TDBGridOptions({dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                                      dgConfirmDelete, dgCancelOnExit})) PUBLISHED(ReadOnly, false)
                PUBLISHED_OBJECT(TitleFont) PUBLISHED_EVENT(OnCellClick) PUBLISHED_EVENT(OnColEnter)
                    PUBLISHED_EVENT(OnDrawColumnCell) PUBLISHED_EVENT(OnDrawDataCell) PUBLISHED_EVENT(OnTitleClick)
END_REGISTER

REGISTER_COMPONENT(TDBGrid, TCustomDBGrid)
END_REGISTER

namespace {

// Text starts this far from the left (or right) edge and the top of a cell.
constexpr int CellTextDX = 2;
constexpr int CellTextDY = 2;
// A row is the font's height and this much room around the text.
constexpr int RowPadding = 4;

const String SDeleteRecordQuestion = QStringLiteral("Delete record?");
const String SConfirmCaption = QStringLiteral("Confirm");

TGridOptions GridOptionsOf(TDBGridOptions Options)
{
    TGridOptions G;
    if (Options.Contains(dgColLines))
        G += TGridOptions{goFixedVertLine, goVertLine};
    if (Options.Contains(dgRowLines))
        G += TGridOptions{goFixedHorzLine, goHorzLine};
    if (Options.Contains(dgColumnResize))
        G.Include(goColSizing);
    if (Options.Contains(dgTabs))
        G.Include(goTabs);
    if (Options.Contains(dgRowSelect))
        G.Include(goRowSelect);
    if (Options.Contains(dgAlwaysShowSelection))
        G.Include(goDrawFocusSelected);
    if (Options.Contains(dgEditing))
        G.Include(goEditing);
    if (Options.Contains(dgAlwaysShowEditor))
        G.Include(goAlwaysShowEditor);
    return G;
}

bool SameFace(const TFont& A, const TFont& B)
{
    return A.Name() == B.Name() && A.Height() == B.Height() && A.Style() == B.Style() && A.Charset() == B.Charset()
        && A.Pitch() == B.Pitch() && A.Orientation() == B.Orientation();
}

// Reads the rows of the grid's window: the link's active record points at
// the row being drawn until the scope ends.
class TActiveRecordScope {
public:
    TActiveRecordScope(TDataLink* Link, int Row) : FLink(Link), FSaved(Link->ActiveRecord())
    {
        Link->SetActiveRecord(Row);
    }
    ~TActiveRecordScope() { FLink->SetActiveRecord(FSaved); }
    TActiveRecordScope(const TActiveRecordScope&) = delete;
    TActiveRecordScope& operator=(const TActiveRecordScope&) = delete;

private:
    TDataLink* FLink;
    int FSaved;
};

// Sets a flag for the length of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag) { Flag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
};

} // namespace

TCustomDBGrid::TCustomDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner), FDataLink(std::make_unique<TGridDataLink>(this)),
      FColumns(std::make_unique<TDBGridColumns>(this, ClassOf<TColumn>())), FTitleFont(std::make_unique<TFont>()),
      FMeasure(std::make_unique<TBitmap>())
{
    FTitleFont->Assign(Font());
    FTitleFont->SetOnChange([this](TObject*) { TitleFontChanged(); });
    FMeasure->SetSize(1, 1);
    BeginUpdateLock();
    TCustomGrid::SetOptions(GridOptionsOf(FOptions));
    EndUpdateLock();
    LayoutChanged();
}

TCustomDBGrid::~TCustomDBGrid()
{
    // The link's last notices must not reach a grid that is going.
    FDestroying = true;
    FDataLink->SetDataSource(nullptr);
}

// --- properties --------------------------------------------------------------------------

TDataSource* TCustomDBGrid::DataSource() const
{
    return FDataLink->DataSource();
}

void TCustomDBGrid::SetDataSource(TDataSource* Value)
{
    if (Value == FDataLink->DataSource())
        return;
    FDataLink->SetDataSource(Value);
    // A source whose data set is as active as the last one's changes no
    // state, yet its fields are others.
    FColumns->ForgetFields();
    LayoutChanged();
}

TDataSet* TCustomDBGrid::DataSet() const
{
    return FDataLink->DataSet();
}

void TCustomDBGrid::SetOptions(TDBGridOptions Value)
{
    // A grid that selects whole rows has no current cell to edit.
    if (Value.Contains(dgRowSelect))
        Value -= TDBGridOptions{dgEditing, dgAlwaysShowEditor};
    if (!AssignIfChanged(FOptions, Value))
        return;
    TCustomGrid::SetOptions(GridOptionsOf(Value));
    LayoutChanged();
}

void TCustomDBGrid::SetReadOnly(bool Value)
{
    FReadOnly = Value;
}

void TCustomDBGrid::TitleFontChanged()
{
    if (!FFollowingFont)
        FTitleFontFollows = false;
    LayoutChanged();
}

int TCustomDBGrid::SelectedIndex() const
{
    if (FColumns->Count() == 0)
        return -1;
    return std::clamp(RawToDataColumn(Col()), 0, FColumns->Count() - 1);
}

void TCustomDBGrid::SetSelectedIndex(int Value)
{
    MoveCol(DataToRawColumn(Value));
}

TField* TCustomDBGrid::SelectedField() const
{
    const int I = SelectedIndex();
    return I >= 0 ? FColumns->Items(I)->Field() : nullptr;
}

void TCustomDBGrid::SetSelectedField(TField* Value)
{
    if (Value == nullptr)
        return;
    for (int I = 0; I < FColumns->Count(); ++I)
        if (FColumns->Items(I)->Field() == Value) {
            SetSelectedIndex(I);
            return;
        }
}

int TCustomDBGrid::VisibleDataRows() const
{
    return FDataLink->Active() ? FDataLink->BufferCount() : 0;
}

bool TCustomDBGrid::CanChangeRecords() const
{
    TDataSet* DS = DataSet();
    return !FReadOnly && FDataLink->Active() && !FDataLink->ReadOnly() && DS != nullptr && DS->CanModify();
}

// --- measuring ---------------------------------------------------------------------------

int TCustomDBGrid::CharsWidth(int Chars)
{
    // A digit's width: numbers and dates, the widest text of most fields,
    // fit their display width.
    if (FCharWidth == 0) {
        TCanvas* C = FMeasure->Canvas();
        C->Font()->Assign(Font());
        FCharWidth = std::max(1, C->TextWidth(QStringLiteral("0")));
    }
    return Chars * FCharWidth;
}

int TCustomDBGrid::TitleTextWidth(const String& Text)
{
    TCanvas* C = FMeasure->Canvas();
    C->Font()->Assign(FTitleFont.get());
    return C->TextWidth(Text);
}

void TCustomDBGrid::ApplyRowHeights()
{
    TCanvas* C = FMeasure->Canvas();
    TEXTMETRIC TM;
    C->Font()->Assign(Font());
    GetTextMetrics(C->Handle(), &TM);
    const int DataHeight = TM.tmHeight + RowPadding;
    SetDefaultRowHeight(DataHeight);
    if (FOptions.Contains(dgTitles)) {
        C->Font()->Assign(FTitleFont.get());
        GetTextMetrics(C->Handle(), &TM);
        SetRowHeights(0, TM.tmHeight + RowPadding);
    } else {
        SetRowHeights(0, DataHeight);
    }
}

// --- layout ------------------------------------------------------------------------------

void TCustomDBGrid::ColumnsChanged(bool Layout)
{
    if (FDestroying || FLayoutLock > 0)
        return;
    if (Layout)
        LayoutChanged();
    else
        InvalidateGrid();
}

void TCustomDBGrid::ApplyColumnWidths()
{
    const int Offset = IndicatorOffset();
    SetColCount(FColumns->Count() + Offset);
    SetFixedCols(Offset);
    if (Offset > 0)
        SetColWidths(0, IndicatorWidth);
    for (int I = 0; I < FColumns->Count(); ++I) {
        TColumn* C = FColumns->Items(I);
        SetColWidths(I + Offset, C->Visible() ? C->Width() : -1);
    }
}

void TCustomDBGrid::LayoutChanged()
{
    if (FDestroying || FLayoutLock > 0 || ComponentState().Contains(csLoading))
        return;
    ++FLayoutLock;
    BeginUpdateLock();
    // The current column stays the same column when the indicator comes or goes.
    const int Selected = Col() - FixedCols();
    try {
        FColumns->ForgetFields();
        FColumns->BuildDefaultColumns();
        ApplyColumnWidths();
        ApplyRowHeights();
        MoveCurrent(std::clamp(FixedCols() + Selected, FixedCols(), std::max(FixedCols(), ColCount() - 1)), Row());
    } catch (...) {
        EndUpdateLock();
        --FLayoutLock;
        throw;
    }
    EndUpdateLock();
    --FLayoutLock;
    UpdateRowCount();
    // The current column may have gone or been hidden.
    if (FColumns->Count() > 0 && ColWidths(Col()) < 0) {
        const int C = FirstDataCol();
        if (C >= 0)
            MoveCurrent(C, Row());
    }
    if (HandleAllocated()) {
        SetLeftCol(LeftCol());
        UpdateHorzScrollBar();
        UpdateScrollBar();
    }
    InvalidateGrid();
    LoadEditor();
}

void TCustomDBGrid::UpdateRowCount()
{
    if (FInRowCount || FDestroying)
        return;
    TFlagScope Guard(FInRowCount);
    const int Titles = TitleOffset();
    if (!FDataLink->Active()) {
        SetRowCount(Titles + 1);
        SetFixedRows(Titles);
        MoveCurrent(Col(), Titles);
        return;
    }
    // As many whole rows as the client height holds, at least one.
    const int Line = FOptions.Contains(dgRowLines) ? GridLineWidth() : 0;
    const int Room = GridClientRect().Height() - (Titles > 0 ? RowHeights(0) + Line : 0);
    FDataLink->SetBufferCount(std::max(1, Room / std::max(1, DefaultRowHeight() + Line)));
    SetRowCount(Titles + std::max(1, FDataLink->RecordCount()));
    SetFixedRows(Titles);
    MoveCurrent(Col(), Titles + std::max(0, FDataLink->ActiveRecord()));
}

void TCustomDBGrid::UpdateScrollBar()
{
    if (!HandleAllocated() || FDestroying)
        return;
    // The thumb stands for the current record: positions 1 .. RecordCount,
    // one page per window of rows.  The bar stays, disabled, when there is
    // nothing to scroll.
    SCROLLINFO SI;
    SI.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    TDataSet* DS = DataSet();
    if (FDataLink->Active() && DS != nullptr && DS->RecordCount() > 0) {
        SI.nMin = 1;
        SI.nPage = UINT(FDataLink->BufferCount());
        SI.nMax = DS->RecordCount() + int(SI.nPage) - 1;
        const int RecNo = DS->RecNo();
        SI.nPos = RecNo > 0 ? RecNo : GetScrollPos(Handle(), SB_VERT);
    }
    SCROLLINFO Old;
    Old.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, &Old);
    if (Old.nMin == SI.nMin && Old.nMax == SI.nMax && Old.nPage == SI.nPage && Old.nPos == SI.nPos
        && (GetWindowLong(Handle(), GWL_STYLE) & WS_VSCROLL) != 0)
        return;
    SetScrollInfo(Handle(), SB_VERT, &SI, TRUE);
}

void TCustomDBGrid::InvalidateDataRows()
{
    if (!HandleAllocated())
        return;
    const TGridDrawInfo Info = DrawInfo();
    TRect R{0, Info.Vert.FixedBoundary, Info.Horz.GridExtent, Info.Vert.GridExtent};
    InvalidateRect(Handle(), &R, FALSE);
}

int TCustomDBGrid::FirstDataCol() const
{
    return FColumns->Count() > 0 ? VisibleColFrom(IndicatorOffset(), 1) : -1;
}

int TCustomDBGrid::LastDataCol() const
{
    return FColumns->Count() > 0 ? VisibleColFrom(ColCount() - 1, -1) : -1;
}

// --- the data link's notices ------------------------------------------------------------

void TCustomDBGrid::LinkActive(bool Value)
{
    (void)Value;
    if (FDestroying)
        return;
    LayoutChanged();
}

void TCustomDBGrid::DataChanged()
{
    if (FDestroying || FInRowCount)
        return;
    UpdateRowCount();
    UpdateScrollBar();
    InvalidateDataRows();
    LoadEditor();
}

void TCustomDBGrid::Scroll(int Distance)
{
    if (FDestroying || FInRowCount)
        return;
    const int OldRow = Row();
    UpdateRowCount();
    if (Distance != 0) {
        InvalidateDataRows();
    } else if (Row() != OldRow) {
        InvalidateRow(OldRow);
        InvalidateRow(Row());
    }
    UpdateScrollBar();
    // Another record under the editor (the row may be the same).
    LoadEditor();
}

void TCustomDBGrid::RecordChanged(TField* Field)
{
    if (FDestroying)
        return;
    InvalidateRow(Row());
    if (!FModifying && (Field == nullptr || Field == FEditField))
        LoadEditor();
}

void TCustomDBGrid::EditingChanged()
{
    if (!FDestroying && FOptions.Contains(dgIndicator))
        InvalidateCell(0, Row());
}

void TCustomDBGrid::UpdateData()
{
    CommitEditor();
}

void TCustomDBGrid::FieldGone(TField* Field)
{
    if (Field == FEditField)
        FEditField = nullptr;
    FColumns->ForgetFields();
    LayoutChanged();
}

void TCustomDBGrid::FocusField(TField* Field)
{
    SetSelectedField(Field);
    if (CanFocus())
        SetFocus();
}

// --- drawing -----------------------------------------------------------------------------

void TCustomDBGrid::PrepareCell(const TRect& ARect, TGridDrawState AState, TColor AColor)
{
    // DrawCell paints every cell whole.
    (void)ARect;
    (void)AState;
    (void)AColor;
}

void TCustomDBGrid::UseCanvasFont(TFont* Source, TColor Color)
{
    TFont* F = Canvas()->Font();
    if (!SameFace(*F, *Source))
        F->Assign(Source);
    F->SetColor(Color);
}

void TCustomDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    const int Titles = TitleOffset();
    if (ARow < Titles) {
        if (ACol < IndicatorOffset()) {
            Canvas()->Brush()->SetColor(FixedColor());
            Canvas()->FillRect(ARect);
        } else {
            DrawTitleCell(ACol, ARect);
        }
        return;
    }
    if (ACol < IndicatorOffset())
        DrawIndicatorCell(ARow - Titles, ARect);
    else
        DrawDataRowCell(ACol, ARow - Titles, ARect, AState);
}

void TCustomDBGrid::DrawTitleCell(int ACol, const TRect& ARect)
{
    TColumn* Column = FColumns->Items(RawToDataColumn(ACol));
    TColumnTitle* Title = Column->Title();
    TFont* TitleFont = Title->Font();
    Canvas()->Brush()->SetColor(Title->Color());
    UseCanvasFont(TitleFont, TitleFont->Color());
    WriteCellText(Canvas(), ARect, CellTextDX, CellTextDY, Title->Caption(), Title->Alignment());
}

void TCustomDBGrid::DrawIndicatorCell(int DataRow, const TRect& ARect)
{
    Canvas()->Brush()->SetColor(FixedColor());
    Canvas()->FillRect(ARect);
    if (!FDataLink->Active() || DataRow != FDataLink->ActiveRecord())
        return;
    TIndicatorMark Mark = imCurrent;
    if (DataSet()->State() == dsEdit)
        Mark = imEdit;
    else if (DataSet()->State() == dsInsert)
        Mark = imInsert;
    DrawIndicatorMark(Canvas(), ARect, Mark);
}

void TCustomDBGrid::DrawDataRowCell(int ACol, int DataRow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas* C = Canvas();
    if (!FDataLink->Active() || DataRow >= FDataLink->RecordCount()) {
        C->Brush()->SetColor(Color());
        C->FillRect(ARect);
        return;
    }
    const int DataCol = RawToDataColumn(ACol);
    TColumn* Column = FColumns->Items(DataCol);
    TActiveRecordScope Row(FDataLink.get(), DataRow);
    TField* Field = Column->Field();
    const String Value = Field != nullptr ? Field->DisplayText() : String();
    C->Brush()->SetColor(Color());
    TColor TextColor = Font()->Color();
    if (HighlightCell(DataCol, DataRow, Value, AState)) {
        C->Brush()->SetColor(clHighlight);
        TextColor = clHighlightText;
    }
    if (!Enabled())
        TextColor = clGrayText;
    UseCanvasFont(Font(), TextColor);
    if (DefaultDrawing())
        WriteCellText(C, ARect, CellTextDX, CellTextDY, Value, Column->Alignment());
    if (FColumns->State() == csDefault)
        DrawDataCell(ARect, Field, AState);
    FDrawingColumn = Column;
    FDrawingText = Value;
    try {
        DrawColumnCell(ARect, DataCol, Column, AState);
    } catch (...) {
        FDrawingColumn = nullptr;
        throw;
    }
    FDrawingColumn = nullptr;
}

String TCustomDBGrid::ColumnCellText(TColumn* Column) const
{
    if (Column == FDrawingColumn)
        return FDrawingText;
    TField* Field = Column->Field();
    return Field != nullptr ? Field->DisplayText() : String();
}

bool TCustomDBGrid::HighlightCell(int DataCol, int DataRow, const String& Value, TGridDrawState AState)
{
    (void)DataCol;
    (void)DataRow;
    (void)Value;
    return AState.Contains(gdSelected) && (FOptions.Contains(dgAlwaysShowSelection) || Focused())
        && (UpdateLock() == 0 || FOptions.Contains(dgRowSelect));
}

void TCustomDBGrid::DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    (void)DataCol;
    (void)State;
    WriteCellText(Canvas(), Rect, CellTextDX, CellTextDY, ColumnCellText(Column), Column->Alignment());
}

void TCustomDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    if (FOnDrawColumnCell)
        FOnDrawColumnCell(this, Rect, DataCol, Column, State);
}

void TCustomDBGrid::DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State)
{
    if (FOnDrawDataCell)
        FOnDrawDataCell(this, Rect, Field, State);
}

bool TCustomDBGrid::CanResizeColumn(int ACol) const
{
    return ACol >= IndicatorOffset();
}

// --- events ------------------------------------------------------------------------------

void TCustomDBGrid::CellClick(TColumn* Column)
{
    if (FOnCellClick)
        FOnCellClick(Column);
}

void TCustomDBGrid::TitleClick(TColumn* Column)
{
    if (FOnTitleClick)
        FOnTitleClick(Column);
}

void TCustomDBGrid::ColEnter()
{
    if (FOnColEnter)
        FOnColEnter(this);
}

void TCustomDBGrid::CurrentMoved(int OldCol, int OldRow)
{
    TCustomGrid::CurrentMoved(OldCol, OldRow);
    if (OldCol != Col() && FLayoutLock == 0)
        ColEnter();
}

void TCustomDBGrid::ColWidthsChanged()
{
    // A column dragged wider keeps its width as its own.
    const int Offset = IndicatorOffset();
    for (int I = 0; I < FColumns->Count(); ++I) {
        TColumn* C = FColumns->Items(I);
        const int W = ColWidths(I + Offset);
        if (C->Visible() && W >= 0 && W != C->Width())
            C->SetWidth(W);
    }
}

// --- moving ------------------------------------------------------------------------------

void TCustomDBGrid::MoveBy(int Distance)
{
    TDataSet* DS = DataSet();
    if (!FDataLink->Active() || DS == nullptr || Distance == 0)
        return;
    DS->MoveBy(Distance);
}

void TCustomDBGrid::MoveUp()
{
    TDataSet* DS = DataSet();
    if (!FDataLink->Active() || DS == nullptr)
        return;
    // A new record nobody typed into goes when the user walks away from it.
    if (DS->State() == dsInsert && !DS->Modified()) {
        DS->Cancel();
        return;
    }
    DS->MoveBy(-1);
}

void TCustomDBGrid::MoveDown()
{
    TDataSet* DS = DataSet();
    if (!FDataLink->Active() || DS == nullptr)
        return;
    if (DS->State() == dsInsert && !DS->Modified()) {
        if (DS->Eof())
            return;
        DS->Cancel();
        return;
    }
    DS->MoveBy(1);
    if (DS->Eof() && FOptions.Contains(dgEditing) && CanChangeRecords() && DS->State() == dsBrowse)
        DS->Append();
}

void TCustomDBGrid::MoveCol(int RawCol)
{
    if (FColumns->Count() == 0)
        return;
    RawCol = std::clamp(RawCol, IndicatorOffset(), ColCount() - 1);
    if (ColWidths(RawCol) < 0) {
        const int Right = VisibleColFrom(RawCol, 1);
        RawCol = Right >= 0 ? Right : VisibleColFrom(RawCol, -1);
        if (RawCol < 0)
            return;
    }
    MoveColRow(RawCol, Row(), true);
}

void TCustomDBGrid::TabTo(bool Forward)
{
    const int Next = VisibleColFrom(Col() + (Forward ? 1 : -1), Forward ? 1 : -1);
    if (Next >= 0) {
        MoveCol(Next);
        return;
    }
    // Past the last column: the first one of the next record (and back).
    TDataSet* DS = DataSet();
    if (!FDataLink->Active() || DS == nullptr || (Forward ? DS->Eof() : DS->Bof()))
        return;
    const int Before = DS->RecNo();
    DS->MoveBy(Forward ? 1 : -1);
    if (DS->RecNo() != Before)
        MoveCol(Forward ? FirstDataCol() : LastDataCol());
}

void TCustomDBGrid::DeleteRecord()
{
    TDataSet* DS = DataSet();
    if (!CanChangeRecords() || DS->IsEmpty())
        return;
    if (FOptions.Contains(dgConfirmDelete)
        && MessageBox(SDeleteRecordQuestion, SConfirmCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    DS->Delete();
}

// --- input -------------------------------------------------------------------------------

void TCustomDBGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomGrid::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    const bool Ctrl = Shift.Contains(ssCtrl);
    TDataSet* DS = DataSet();
    const bool Active = FDataLink->Active() && DS != nullptr;
    const int Page = std::max(1, VisibleDataRows());
    switch (Key) {
    case VK_UP:
        MoveUp();
        break;
    case VK_DOWN:
        MoveDown();
        break;
    case VK_PRIOR:
        // Ctrl: the top row of the window, else a page back.
        MoveBy(Ctrl ? -FDataLink->ActiveRecord() : -Page);
        break;
    case VK_NEXT:
        MoveBy(Ctrl ? FDataLink->RecordCount() - 1 - FDataLink->ActiveRecord() : Page);
        break;
    case VK_HOME:
        if (Ctrl && Active)
            DS->First();
        else if (FOptions.Contains(dgRowSelect))
            SetLeftCol(FixedCols());
        else
            MoveCol(FirstDataCol());
        break;
    case VK_END:
        if (Ctrl && Active)
            DS->Last();
        else if (FOptions.Contains(dgRowSelect))
            SetLeftCol(MaxLeftCol());
        else
            MoveCol(LastDataCol());
        break;
    case VK_LEFT:
        if (FOptions.Contains(dgRowSelect))
            Perform(WM_HSCROLL, SB_LINELEFT, 0);
        else if (const int C = VisibleColFrom(Col() - 1, -1); C >= 0)
            MoveCol(C);
        break;
    case VK_RIGHT:
        if (FOptions.Contains(dgRowSelect))
            Perform(WM_HSCROLL, SB_LINERIGHT, 0);
        else if (const int C = VisibleColFrom(Col() + 1, 1); C >= 0)
            MoveCol(C);
        break;
    case VK_TAB:
        if (!Shift.Contains(ssAlt))
            TabTo(!Shift.Contains(ssShift));
        break;
    case VK_INSERT:
        if (!Ctrl && FOptions.Contains(dgEditing) && CanChangeRecords())
            DS->Insert();
        break;
    case VK_DELETE:
        if (Ctrl)
            DeleteRecord();
        break;
    case VK_ESCAPE:
        EscapeKey();
        break;
    case VK_RETURN:
        ReturnKey();
        break;
    case VK_F(2):
        if (FOptions.Contains(dgEditing))
            ShowEditor();
        break;
    default:
        return;
    }
    Key = 0;
}

void TCustomDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!GridFocused() && CanFocus())
        SetFocus();
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    FTitlePressed = -1;
    FCellPressed = -1;
    FRowPressFailed = false;
    if (GridState() == gsColSizing)
        return;
    if (Button == mbRight)
        RightPressOn(MouseCoord(X, Y));
    if (Button != mbLeft)
        return;
    const TGridCoord Cell = MouseCoord(X, Y);
    if (Cell.X < 0)
        return;
    if (Cell.Y < TitleOffset()) {
        if (Cell.X >= IndicatorOffset())
            FTitlePressed = Cell.X;
        return;
    }
    const int DataRow = Cell.Y - TitleOffset();
    // A click on the current cell opens it for editing.
    const bool OnCurrent = Cell.X == Col() && Cell.Y == Row() && !Shift.Contains(ssDouble);
    if (FDataLink->Active() && DataRow < FDataLink->RecordCount())
        MoveBy(DataRow - FDataLink->ActiveRecord());
    if (Cell.X >= IndicatorOffset()) {
        MoveCol(Cell.X);
        FCellPressed = Cell.X;
        if (OnCurrent && FOptions.Contains(dgEditing))
            ShowEditor();
    }
}

// A right press makes the record under it current, as a left click would,
// so that the context menu its release opens acts on the record pointed
// at. The indicator cell belongs to its row. The titles, the room below
// the last record and the current column stay as they are; no editing
// starts.
void TCustomDBGrid::RightPressOn(TGridCoord Cell)
{
    if (Cell.X < 0 || Cell.Y < TitleOffset() || !FDataLink->Active())
        return;
    const int DataRow = Cell.Y - TitleOffset();
    if (DataRow >= FDataLink->RecordCount())
        return;
    // Until the move is through: a record that cannot be left (a change
    // that fails to post, a silent abort) keeps the menu shut.
    FRowPressFailed = true;
    MoveBy(DataRow - FDataLink->ActiveRecord());
    FRowPressFailed = false;
}

void TCustomDBGrid::DoContextPopup(TPoint MousePos, bool& Handled)
{
    // A menu from the keyboard comes without a press and is always shown.
    const bool FromKey = MousePos == TPoint{-1, -1};
    if (FRowPressFailed && !FromKey) {
        FRowPressFailed = false;
        Handled = true;
        return;
    }
    TCustomGrid::DoContextPopup(MousePos, Handled);
}

void TCustomDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const bool Sizing = GridState() == gsColSizing;
    TCustomGrid::MouseUp(Button, Shift, X, Y);
    const int Title = FTitlePressed;
    const int Cell = FCellPressed;
    FTitlePressed = -1;
    FCellPressed = -1;
    FRowPressFailed = false;
    if (Sizing || Button != mbLeft)
        return;
    const TGridCoord At = MouseCoord(X, Y);
    if (At.X < IndicatorOffset() || RawToDataColumn(At.X) >= FColumns->Count())
        return;
    if (Title >= 0 && At.X == Title && At.Y >= 0 && At.Y < TitleOffset())
        TitleClick(FColumns->Items(RawToDataColumn(At.X)));
    else if (Cell >= 0 && At.Y >= TitleOffset())
        CellClick(FColumns->Items(RawToDataColumn(At.X)));
}

bool TCustomDBGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (!TCustomGrid::DoMouseWheelDown(Shift, MousePos))
        MoveBy(1);
    return true;
}

bool TCustomDBGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (!TCustomGrid::DoMouseWheelUp(Shift, MousePos))
        MoveBy(-1);
    return true;
}

void TCustomDBGrid::WMVScroll(TMessage& Message)
{
    Message.Result = 0;
    TDataSet* DS = DataSet();
    if (!FDataLink->Active() || DS == nullptr)
        return;
    const int Page = std::max(1, VisibleDataRows());
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP:
        MoveBy(-1);
        break;
    case SB_LINEDOWN:
        MoveBy(1);
        break;
    case SB_PAGEUP:
        MoveBy(-Page);
        break;
    case SB_PAGEDOWN:
        MoveBy(Page);
        break;
    case SB_TOP:
        DS->First();
        break;
    case SB_BOTTOM:
        DS->Last();
        break;
    case SB_THUMBPOSITION: {
        // The position may pass 65535: it is read whole from the bar.
        SCROLLINFO SI;
        SI.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_VERT, &SI);
        DS->SetRecNo(SI.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void TCustomDBGrid::WMSize(TMessage& Message)
{
    TCustomGrid::WMSize(Message);
    UpdateRowCount();
    UpdateScrollBar();
}

void TCustomDBGrid::CMExit(TMessage& Message)
{
    CommitEditor();
    TDataSet* DS = DataSet();
    if (FOptions.Contains(dgCancelOnExit) && FDataLink->Active() && DS != nullptr && DS->State() == dsInsert
        && !DS->Modified())
        DS->Cancel();
    TCustomGrid::CMExit(Message);
}

void TCustomDBGrid::CMFontChanged(TMessage& Message)
{
    TCustomGrid::CMFontChanged(Message);
    FCharWidth = 0;
    if (FTitleFontFollows) {
        TFlagScope Following(FFollowingFont);
        FTitleFont->Assign(Font());
    }
    LayoutChanged();
}

void TCustomDBGrid::Loaded()
{
    TCustomGrid::Loaded();
    LayoutChanged();
}

// --- editing in place ----------------------------------------------------------------------

TField* TCustomDBGrid::ColumnField(int ACol) const
{
    const int I = RawToDataColumn(ACol);
    return I >= 0 && I < FColumns->Count() ? FColumns->Items(I)->Field() : nullptr;
}

bool TCustomDBGrid::CanEditShow()
{
    if (!TCustomGrid::CanEditShow() || !FDataLink->Active() || FReadOnly)
        return false;
    // Memos are too long for one line; they are edited elsewhere.
    TField* F = ColumnField(Col());
    return F != nullptr && F->DataType() != ftMemo && F->DataType() != ftFmtMemo;
}

bool TCustomDBGrid::CanEditModify()
{
    if (!CanChangeRecords())
        return false;
    const int I = SelectedIndex();
    TField* F = I >= 0 ? FColumns->Items(I)->Field() : nullptr;
    if (F == nullptr || FColumns->Items(I)->ReadOnly() || !F->CanModify())
        return false;
    if (!FDataLink->Editing()) {
        TFlagScope Modifying(FModifying);
        FDataLink->Edit();
    }
    return FDataLink->Editing();
}

String TCustomDBGrid::GetEditText(int ACol, int ARow)
{
    (void)ARow;
    FEditField = ColumnField(ACol);
    return FEditField != nullptr ? FEditField->Text() : String();
}

String TCustomDBGrid::GetEditMask(int ACol, int ARow)
{
    (void)ARow;
    TField* F = ColumnField(ACol);
    return F != nullptr ? F->EditMask() : String();
}

int TCustomDBGrid::GetEditLimit()
{
    TField* F = ColumnField(Col());
    return F != nullptr && F->DataType() == ftString ? F->Size() : 0;
}

void TCustomDBGrid::CommitEditor()
{
    TInplaceEdit* Editor = InplaceEditor();
    if (!EditorMode() || Editor == nullptr || FEditField == nullptr || !Editor->Modified())
        return;
    // A text the mask does not take stays in the editor with the error.
    Editor->ValidateEdit();
    FEditField->SetText(Editor->Text());
    Editor->SetModified(false);
}

bool TCustomDBGrid::SelectCell(int ACol, int ARow)
{
    if (ACol != Col())
        CommitEditor();
    return TCustomGrid::SelectCell(ACol, ARow);
}

void TCustomDBGrid::ReturnKey()
{
    if (EditorMode()) {
        CommitEditor();
        if (FOptions.Contains(dgAlwaysShowEditor))
            InplaceEditor()->SelectAll();
        else
            HideEditor();
    } else if (FOptions.Contains(dgEditing)) {
        ShowEditor();
    }
}

void TCustomDBGrid::EscapeKey()
{
    // Once: what was typed into the cell goes; again: the record's changes.
    if (EditorMode() && InplaceEditor()->Modified()) {
        InplaceEditor()->UpdateContents();
        return;
    }
    TDataSet* DS = DataSet();
    if (FDataLink->Active() && DS != nullptr && (DS->State() == dsEdit || DS->State() == dsInsert))
        DS->Cancel();
    if (!FOptions.Contains(dgAlwaysShowEditor))
        HideEditor();
}

void TCustomDBGrid::KeyPress(QChar& Key)
{
    TCustomGrid::KeyPress(Key);
    if (Key.unicode() < 32 || !FOptions.Contains(dgEditing))
        return;
    // A character of two code units opened the cell with its first half;
    // the second, sent to the grid with it, follows it into the cell.
    if (EditorMode()) {
        if (Key.isLowSurrogate() && InplaceEditor()->Visible()) {
            InplaceEditor()->Perform(WM_CHAR, Key.unicode(), 0);
            Key = QChar();
        }
        return;
    }
    // A character typed on the grid opens the cell and goes into it.
    ShowEditor();
    if (!EditorMode() || !InplaceEditor()->Visible())
        return;
    InplaceEditor()->Perform(WM_CHAR, Key.unicode(), 0);
    Key = QChar();
}
