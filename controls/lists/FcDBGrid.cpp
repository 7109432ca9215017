#include "controls/lists/FcDBGrid.h"

#include "controls/foundation/FcColors.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/DataSet.h"
#include "platform/dbctrls/GridDataLink.h"
#include "platform/dbctrls/InplaceEdit.h"

REGISTER_ENUM(TFcQuickCompareOperation, qcoEqual, qcoLessThan, qcoLessThanOrEqual, qcoGreaterThan,
              qcoGreaterThanOrEqual, qcoNotEqual)

REGISTER_CLASS(TFcDBGridQuickCompare, TPersistent)
    PUBLISHED(Active, false)
    PUBLISHED(FieldName, String())
    PUBLISHED(Operation, qcoEqual)
    PUBLISHED(Color, TColor(0x996666))
    PUBLISHED(FontColor, TColor(0xFFFFFF))
END_REGISTER

REGISTER_COMPONENT(TFcDBGrid, TDBGrid)
    PUBLISHED(LineColor, clBtnFace)
    PUBLISHED(FixedLineColor, clBtnShadow)
    PUBLISHED_OBJECT(QuickCompare)
    PUBLISHED(AltRowShading, false)
    PUBLISHED(AltRowShadingColor, TColor(0xEBF5EB))
    PUBLISHED(AltRowShadingFixed, true)
    PUBLISHED_NODEFAULT(DefaultDrawing)
    PUBLISHED(Height, 125)
    PUBLISHED(Width, 325)
    FC_PUBLISHED_COLOR
    FC_PUBLISHED_FRAME_PROPERTIES
END_REGISTER

namespace {

// Two variants are the same value of the same type; values that cannot be
// compared are not the same.
bool SameVariant(const Variant& A, const Variant& B)
{
    if (A.Type() != B.Type())
        return false;
    try {
        return A == B;
    } catch (const EVariantError&) {
        return false;
    }
}

void WriteVariant(TWriter& Writer, const Variant& Value)
{
    switch (Value.Type()) {
    case varEmpty:
        Writer.WriteIdent(QStringLiteral("nil"));
        break;
    case varNull:
        Writer.WriteIdent(QStringLiteral("Null"));
        break;
    case varInteger:
    case varInt64:
        Writer.WriteInteger(Value.AsInt64());
        break;
    case varBoolean:
        Writer.WriteBoolean(Value.AsBoolean());
        break;
    case varDouble:
    case varDate:
        Writer.WriteFloat(Value.AsDouble());
        break;
    default:
        Writer.WriteString(Value.AsString());
        break;
    }
}

Variant ReadVariant(TReader& Reader)
{
    switch (Reader.NextValue()) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
        return Variant(int(Reader.ReadInteger()));
    case vaInt64:
        return Variant(static_cast<long long>(Reader.ReadInt64()));
    case vaExtended:
    case vaDouble:
    case vaSingle:
    case vaCurrency:
    case vaDate:
        return Variant(Reader.ReadFloat());
    case vaTrue:
    case vaFalse:
        return Variant(Reader.ReadBoolean());
    case vaNil:
        Reader.ReadIdent();
        return Variant();
    case vaIdent: {
        const String Ident = Reader.ReadIdent();
        if (Ident.compare(QStringLiteral("Null"), Qt::CaseInsensitive) == 0)
            return Null();
        if (Ident.compare(QStringLiteral("Unassigned"), Qt::CaseInsensitive) == 0)
            return Variant();
        Reader.Error(QStringLiteral("Invalid property value"));
    }
    default:
        return Variant(Reader.ReadString());
    }
}

} // namespace

// --- the quick-compare rule ----------------------------------------------------------------

void TFcDBGridQuickCompare::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcDBGridQuickCompare*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FActive = Other->FActive;
    FFieldName = Other->FFieldName;
    FFieldValue = Other->FFieldValue;
    FOperation = Other->FOperation;
    FColor = Other->FColor;
    FFontColor = Other->FFontColor;
    Changed();
}

void TFcDBGridQuickCompare::Changed()
{
    if (FGrid != nullptr)
        FGrid->InvalidateCells();
}

void TFcDBGridQuickCompare::SetActive(bool Value)
{
    if (AssignIfChanged(FActive, Value))
        Changed();
}

void TFcDBGridQuickCompare::SetFieldName(const String& Value)
{
    if (AssignIfChanged(FFieldName, Value))
        Changed();
}

void TFcDBGridQuickCompare::SetFieldValue(const Variant& Value)
{
    if (SameVariant(FFieldValue, Value))
        return;
    FFieldValue = Value;
    Changed();
}

void TFcDBGridQuickCompare::SetOperation(TFcQuickCompareOperation Value)
{
    if (AssignIfChanged(FOperation, Value))
        Changed();
}

void TFcDBGridQuickCompare::SetColor(TColor Value)
{
    if (AssignIfChanged(FColor, Value))
        Changed();
}

void TFcDBGridQuickCompare::SetFontColor(TColor Value)
{
    if (AssignIfChanged(FFontColor, Value))
        Changed();
}

bool TFcDBGridQuickCompare::Matches(const Variant& Value) const
{
    if (Value.IsNull() || FFieldValue.IsNull())
        return false;
    try {
        switch (FOperation) {
        case qcoEqual:
            return Value == FFieldValue;
        case qcoLessThan:
            return Value < FFieldValue;
        case qcoLessThanOrEqual:
            return Value <= FFieldValue;
        case qcoGreaterThan:
            return Value > FFieldValue;
        case qcoGreaterThanOrEqual:
            return Value >= FFieldValue;
        case qcoNotEqual:
            return Value != FFieldValue;
        }
    } catch (const EVariantError&) {
        // A text that is no number against a number: no match.
    }
    return false;
}

void TFcDBGridQuickCompare::DefineProperties(TFiler& Filer)
{
    TPersistent::DefineProperties(Filer);
    Filer.DefineProperty(
        QStringLiteral("FieldValue"), [this](TReader& Reader) { SetFieldValue(ReadVariant(Reader)); },
        [this](TWriter& Writer) { WriteVariant(Writer, FFieldValue); }, true);
}

// --- the grid ------------------------------------------------------------------------------

TFcDBGrid::TFcDBGrid(TComponent* AOwner)
    : TFcFramedControl<TDBGrid>(AOwner), FQuickCompare(std::make_unique<TFcDBGridQuickCompare>(this))
{
    SetBounds(Left(), Top(), 325, 125);
    // Every data cell is drawn by DrawColumnCell below.
    TDBGrid::SetDefaultDrawing(false);
}

void TFcDBGrid::SetLineColor(TColor Value)
{
    if (AssignIfChanged(FLineColor, Value))
        InvalidateGrid();
}

void TFcDBGrid::SetFixedLineColor(TColor Value)
{
    if (AssignIfChanged(FFixedLineColor, Value))
        InvalidateGrid();
}

void TFcDBGrid::SetAltRowShading(bool Value)
{
    if (AssignIfChanged(FAltRowShading, Value))
        InvalidateGrid();
}

void TFcDBGrid::SetAltRowShadingColor(TColor Value)
{
    if (AssignIfChanged(FAltRowShadingColor, Value))
        InvalidateGrid();
}

void TFcDBGrid::SetAltRowShadingFixed(bool Value)
{
    if (AssignIfChanged(FAltRowShadingFixed, Value))
        InvalidateGrid();
}

void TFcDBGrid::SetDefaultDrawing(bool Value)
{
    if (AssignIfChanged(FDefaultDrawing, Value))
        InvalidateGrid();
}

// --- cells ---------------------------------------------------------------------------------

bool TFcDBGrid::RowShaded()
{
    // Fixed: every other screen row from the top one.  Moving: every odd
    // record, so the first record is shaded (a new record, number -1, is
    // odd as well).
    if (FAltRowShadingFixed)
        return DataLink()->ActiveRecord() % 2 == 0;
    return DataSet()->RecNo() % 2 != 0;
}

void TFcDBGrid::Paint()
{
    // Rows are decided afresh in every paint.
    ++FPaintCount;
    TFcFramedControl::Paint();
}

bool TFcDBGrid::RowMatches()
{
    if (!FQuickCompare->Active() || FQuickCompare->FieldName().isEmpty())
        return false;
    const int Row = DataLink()->ActiveRecord();
    if (FMatchPaint != FPaintCount || FMatchRow != Row) {
        FMatchResult = DecideRowMatches();
        FMatchPaint = FPaintCount;
        FMatchRow = Row;
    }
    return FMatchResult;
}

bool TFcDBGrid::DecideRowMatches()
{
    // A field the data set does not have is no match either.
    TField* Field = DataSet()->FindField(FQuickCompare->FieldName());
    return Field != nullptr && FQuickCompare->Matches(Field->Value());
}

void TFcDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    TCanvas* C = Canvas();
    if (FAltRowShading && RowShaded()) {
        const bool Highlight = HighlightCell(DataCol, DataLink()->ActiveRecord(), ColumnCellText(Column), State);
        C->Brush()->SetColor(Highlight ? clHighlight : FAltRowShadingColor);
    }
    if (RowMatches()) {
        C->Brush()->SetColor(FQuickCompare->Color());
        C->Font()->SetColor(FQuickCompare->FontColor());
    }
    if (!FDefaultDrawing && OnDrawColumnCell())
        OnDrawColumnCell()(this, Rect, DataCol, Column, State);
    else
        DefaultDrawColumnCell(Rect, DataCol, Column, State);
}

TColor TFcDBGrid::DataLineColor()
{
    // Lines in the grid's own colour would vanish.
    if (ColorToRGB(FLineColor) == ColorToRGB(Color()))
        return DarkenColor(FLineColor, 50);
    return FLineColor;
}

void TFcDBGrid::GetGridLineColors(TColor& FixedLine, TColor& Line)
{
    FixedLine = FFixedLineColor;
    Line = DataLineColor();
}

void TFcDBGrid::Scroll(int Distance)
{
    // Fixed shading belongs to the screen rows: the rows are drawn afresh
    // rather than moved.
    if (FAltRowShading && FAltRowShadingFixed) {
        TFcFramedControl::Scroll(0);
        InvalidateGrid();
        return;
    }
    TFcFramedControl::Scroll(Distance);
}

// --- editor and colours ----------------------------------------------------------------------

TInplaceEdit* TFcDBGrid::CreateEditor()
{
    TInplaceEdit* Editor = TFcFramedControl::CreateEditor();
    Editor->SetColor(Color());
    return Editor;
}

void TFcDBGrid::EditorTakesColor()
{
    if (InplaceEditor() != nullptr)
        InplaceEditor()->SetColor(Color());
}

bool TFcDBGrid::EditorFocused() const
{
    return InplaceEditor() != nullptr && InplaceEditor()->Focused();
}

void TFcDBGrid::CMColorChanged(TMessage& Message)
{
    EditorTakesColor();
    TFcFramedControl::CMColorChanged(Message);
}

void TFcDBGrid::CMParentColorChanged(TMessage& Message)
{
    if (ParentColor())
        EditorTakesColor();
    TFcFramedControl::CMParentColorChanged(Message);
}

void TFcDBGrid::CMMouseEnter(TMessage& Message)
{
    // The mouse over the editor is still over the grid.
    if (EditorFocused())
        TDBGrid::CMMouseEnter(Message);
    else
        TFcFramedControl::CMMouseEnter(Message);
}

void TFcDBGrid::CMMouseLeave(TMessage& Message)
{
    if (EditorFocused())
        TDBGrid::CMMouseLeave(Message);
    else
        TFcFramedControl::CMMouseLeave(Message);
}

// --- frame -------------------------------------------------------------------------------

void TFcDBGrid::PaintFrameArea()
{
    if (FrameVisible() && !UseThemes()) {
        const bool Hot = FrameHot();
        PaintGridFrame(Hot ? FrameHotStyle() : FrameStyle(), Hot ? FrameHotColor() : FrameColor(), FrameSides());
    } else if (FcThemesEnabled()) {
        PaintGridFrame(fsFlat, GetThemedColor(0), AllSides);
    }
}

void TFcDBGrid::PaintGridFrame(TFrameStyle Style, TColor Color, TSides Sides)
{
    PaintOnWindowFrame([&](TCanvas* C) {
        const TRect R = Rect(0, 0, Width(), Height());
        // The border is cleared in the fixed and the grid's colours first.
        PaintBevelRings(C, R, FixedColor(), this->Color(), 2, AllSides);
        switch (Style) {
        case fsFlat:
            PaintSideLines(C, R, Color, Color, Sides);
            break;
        case fsFlatBold:
            PaintBevelRings(C, R, Color, Color, 2, Sides);
            break;
        default:
            PaintFrameStyleSides(C, R, Style, Sides);
            break;
        }
    });
}
