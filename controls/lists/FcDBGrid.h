#pragma once
// TFcDBGrid: the data grid of the framed-control family.  On top of the
// platform's grid it shades every other row, colours the rows whose field
// meets a quick-compare rule, draws its lines in colours of its own and
// takes the family's state colours, flat frame, hot tracking and frame
// controller.
//
// Every data cell is drawn here (the platform's own cell text is off): the
// grid points the data set at the row being drawn, so the row's record is
// the active one, with its RecNo and field values, while its cells are
// decided and drawn.
#include "controls/lists/FcFramedControl.h"
#include "platform/dbctrls/DBGrids.h"
#include "platform/rtl/Variants.h"

class TFcDBGrid;

enum TFcQuickCompareOperation {
    qcoEqual,
    qcoLessThan,
    qcoLessThanOrEqual,
    qcoGreaterThan,
    qcoGreaterThanOrEqual,
    qcoNotEqual
};

// The quick-compare rule: rows whose field FieldName compares with
// FieldValue by Operation are drawn in Color with FontColor text.
class TFcDBGridQuickCompare : public TPersistent {
public:
    explicit TFcDBGridQuickCompare(TFcDBGrid* Grid = nullptr) : FGrid(Grid) {}

    void Assign(TPersistent* Source) override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    String FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    // Streamed as a value of its own type (always written).
    const Variant& FieldValue() const { return FFieldValue; }
    void SetFieldValue(const Variant& Value);
    TFcQuickCompareOperation Operation() const { return FOperation; }
    void SetOperation(TFcQuickCompareOperation Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);

    // Whether Value meets the rule.  A null on either side, or values that
    // cannot be compared, never do: a repaint must not raise.
    bool Matches(const Variant& Value) const;

protected:
    void DefineProperties(TFiler& Filer) override;

private:
    void Changed();

    TFcDBGrid* FGrid;
    bool FActive = false;
    String FFieldName;
    Variant FFieldValue = 1;
    TFcQuickCompareOperation FOperation = qcoEqual;
    TColor FColor = TColor(0x996666);
    TColor FFontColor = TColor(0xFFFFFF);
};

class TFcDBGrid : public TFcFramedControl<TDBGrid> {
public:
    explicit TFcDBGrid(TComponent* AOwner);

    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value);
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value);
    TFcDBGridQuickCompare* QuickCompare() const { return FQuickCompare.get(); }
    void SetQuickCompare(TFcDBGridQuickCompare* Value) { FQuickCompare->Assign(Value); }
    bool AltRowShading() const { return FAltRowShading; }
    void SetAltRowShading(bool Value);
    TColor AltRowShadingColor() const { return FAltRowShadingColor; }
    void SetAltRowShadingColor(TColor Value);
    // Shading stays on the screen rows (the top row shaded) rather than
    // moving with the records (the first record shaded).
    bool AltRowShadingFixed() const { return FAltRowShadingFixed; }
    void SetAltRowShadingFixed(bool Value);
    // The grid's own: off, OnDrawColumnCell draws the cells it is given.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);

    // The colour the data lines are drawn in: LineColor, darkened when it
    // would vanish in the grid's colour.
    TColor DataLineColor();
    void InvalidateCells() { InvalidateGrid(); }

protected:
    void Paint() override;
    void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) override;
    void GetGridLineColors(TColor& FixedLine, TColor& Line) override;
    void Scroll(int Distance) override;
    TInplaceEdit* CreateEditor() override;
    void PaintFrameArea() override;
    void CMColorChanged(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    // Whether the row being drawn is a shaded one.
    bool RowShaded();
    // Whether the row being drawn meets the quick-compare rule (decided
    // once per row and paint).
    bool RowMatches();
    bool DecideRowMatches();
    void PaintGridFrame(TFrameStyle Style, TColor Color, TSides Sides);
    bool EditorFocused() const;
    void EditorTakesColor();

    TColor FLineColor = clBtnFace;
    TColor FFixedLineColor = clBtnShadow;
    std::unique_ptr<TFcDBGridQuickCompare> FQuickCompare;
    bool FAltRowShading = false;
    TColor FAltRowShadingColor = TColor(0xEBF5EB);
    bool FAltRowShadingFixed = true;
    bool FDefaultDrawing = true;
    // The rule's answer for the row last asked about in this paint.
    unsigned FPaintCount = 0;
    unsigned FMatchPaint = 0;
    int FMatchRow = -1;
    bool FMatchResult = false;
};
