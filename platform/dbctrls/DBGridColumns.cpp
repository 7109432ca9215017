#include "platform/dbctrls/DBGridColumns.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/DataSet.h"
#include "platform/dbctrls/DBGrids.h"

#include <algorithm>

REGISTER_ENUM(TDBGridColumnsState, csDefault, csCustomized)

// Looks taken from the field have no default: a value set on the column is
// written whatever it is, so that it reads back as set.
REGISTER_CLASS(TColumnTitle, TPersistent)
    PUBLISHED_NODEFAULT_STORED(Alignment, &TColumnTitle::IsAlignmentStored)
    PUBLISHED_NODEFAULT_STORED(Caption, &TColumnTitle::IsCaptionStored)
    PUBLISHED_NODEFAULT_STORED(Color, &TColumnTitle::IsColorStored)
    PUBLISHED_OBJECT(Font).Stored(&TColumnTitle::IsFontStored)
END_REGISTER

REGISTER_CLASS(TColumn, TCollectionItem)
    PUBLISHED_NODEFAULT_STORED(Alignment, &TColumn::IsAlignmentStored)
    PUBLISHED(FieldName, String())
    PUBLISHED_NODEFAULT_STORED(ReadOnly, &TColumn::IsReadOnlyStored)
    PUBLISHED_OBJECT(Title)
    PUBLISHED_NODEFAULT_STORED(Width, &TColumn::IsWidthStored)
    PUBLISHED(Visible, true)
END_REGISTER

REGISTER_CLASS(TDBGridColumns, TCollection)
END_REGISTER

namespace {

// A column's width when neither its field nor its grid says otherwise.
constexpr int PlainColumnWidth = 64;
// Room left and right of a column's text.
constexpr int TextMargin = 4;

} // namespace

// --- TColumnTitle --------------------------------------------------------------------------

TColumnTitle::TColumnTitle(TColumn* Column) : FColumn(Column), FFont(std::make_unique<TFont>())
{
    FFont->SetOnChange([this](TObject*) { FontChanged(); });
}

TColor TColumnTitle::Color() const
{
    return FColumn->FAssignedValues.Contains(cvTitleColor) ? FColor : DefaultColor();
}

void TColumnTitle::SetColor(TColor Value)
{
    if (FColumn->AssignValue(FColor, Value, cvTitleColor))
        FColumn->ValueChanged(false);
}

TFont* TColumnTitle::Font() const
{
    // Not set on the column: the grid's title font, copied in without
    // counting as a change of the column's own.
    TFont* Default = DefaultFont();
    if (!FColumn->FAssignedValues.Contains(cvTitleFont) && Default != nullptr && !FFont->Equals(*Default)) {
        auto* Self = const_cast<TColumnTitle*>(this);
        Self->FSyncingFont = true;
        FFont->Assign(Default);
        Self->FSyncingFont = false;
    }
    return FFont.get();
}

void TColumnTitle::FontChanged()
{
    if (FSyncingFont)
        return;
    FColumn->FAssignedValues.Include(cvTitleFont);
    FColumn->ValueChanged(true);
}

bool TColumnTitle::IsColorStored() const
{
    return FColumn->FAssignedValues.Contains(cvTitleColor);
}

bool TColumnTitle::IsFontStored() const
{
    return FColumn->FAssignedValues.Contains(cvTitleFont);
}

TPersistent* TColumnTitle::GetOwner() const
{
    return FColumn;
}

String TColumnTitle::Caption() const
{
    return FColumn->FAssignedValues.Contains(cvTitleCaption) ? FCaption : DefaultCaption();
}

void TColumnTitle::SetCaption(const String& Value)
{
    // The caption's width can widen a column that takes its default width.
    if (FColumn->AssignValue(FCaption, Value, cvTitleCaption))
        FColumn->ValueChanged(true);
}

TAlignment TColumnTitle::Alignment() const
{
    return FColumn->FAssignedValues.Contains(cvTitleAlignment) ? FAlignment : DefaultAlignment();
}

void TColumnTitle::SetAlignment(TAlignment Value)
{
    if (FColumn->AssignValue(FAlignment, Value, cvTitleAlignment))
        FColumn->ValueChanged(false);
}

String TColumnTitle::DefaultCaption() const
{
    if (TField* F = FColumn->Field())
        return F->DisplayLabel();
    return FColumn->FieldName();
}

TColor TColumnTitle::DefaultColor() const
{
    TCustomDBGrid* Grid = FColumn->Grid();
    return Grid != nullptr ? Grid->FixedColor() : clBtnFace;
}

TFont* TColumnTitle::DefaultFont() const
{
    TCustomDBGrid* Grid = FColumn->Grid();
    return Grid != nullptr ? Grid->TitleFont() : nullptr;
}

bool TColumnTitle::IsCaptionStored() const
{
    return FColumn->FAssignedValues.Contains(cvTitleCaption);
}

bool TColumnTitle::IsAlignmentStored() const
{
    return FColumn->FAssignedValues.Contains(cvTitleAlignment);
}

void TColumnTitle::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TColumnTitle*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other->IsCaptionStored())
        SetCaption(Other->FCaption);
    if (Other->IsAlignmentStored())
        SetAlignment(Other->FAlignment);
    if (Other->IsColorStored())
        SetColor(Other->FColor);
    if (Other->IsFontStored())
        SetFont(Other->FFont.get());
}

// --- TColumn -----------------------------------------------------------------------------

TColumn::TColumn(TCollection* Collection) : TCollectionItem(Collection), FTitle(std::make_unique<TColumnTitle>(this))
{}

TColumn::~TColumn() = default;

TCustomDBGrid* TColumn::Grid() const
{
    auto* Columns = dynamic_cast<TDBGridColumns*>(Collection());
    return Columns != nullptr ? Columns->Grid() : nullptr;
}

TField* TColumn::Field() const
{
    if (FField == nullptr && !FFieldName.isEmpty())
        if (TCustomDBGrid* G = Grid())
            if (TDataSet* DS = G->DataSet(); DS != nullptr && DS->Active())
                FField = DS->FindField(FFieldName);
    return FField;
}

void TColumn::SetField(TField* Value)
{
    if (FField == Value)
        return;
    FField = Value;
    if (Value != nullptr)
        FFieldName = Value->FieldName();
    ValueChanged(true);
}

void TColumn::SetFieldName(const String& Value)
{
    if (!AssignIfChanged(FFieldName, Value))
        return;
    FField = nullptr;
    ValueChanged(true);
}

int TColumn::Width() const
{
    return FAssignedValues.Contains(cvWidth) ? FWidth : DefaultWidth();
}

void TColumn::SetWidth(int Value)
{
    if (AssignValue(FWidth, Value, cvWidth))
        ValueChanged(true);
}

int TColumn::DefaultWidth() const
{
    TCustomDBGrid* G = Grid();
    if (G == nullptr)
        return PlainColumnWidth;
    TField* F = Field();
    if (F == nullptr)
        return G->DefaultColWidth();
    int W = G->CharsWidth(F->DisplayWidth()) + TextMargin;
    if (G->Options().Contains(dgTitles))
        W = std::max(W, G->TitleTextWidth(FTitle->Caption()) + TextMargin);
    return W;
}

void TColumn::SetVisible(bool Value)
{
    if (AssignIfChanged(FVisible, Value))
        ValueChanged(true);
}

TAlignment TColumn::Alignment() const
{
    return FAssignedValues.Contains(cvAlignment) ? FAlignment : DefaultAlignment();
}

void TColumn::SetAlignment(TAlignment Value)
{
    if (AssignValue(FAlignment, Value, cvAlignment))
        ValueChanged(false);
}

TAlignment TColumn::DefaultAlignment() const
{
    TField* F = Field();
    return F != nullptr ? F->Alignment() : taLeftJustify;
}

bool TColumn::ReadOnly() const
{
    return FAssignedValues.Contains(cvReadOnly) ? FReadOnly : DefaultReadOnly();
}

void TColumn::SetReadOnly(bool Value)
{
    if (AssignValue(FReadOnly, Value, cvReadOnly))
        ValueChanged(false);
}

bool TColumn::DefaultReadOnly() const
{
    TField* F = Field();
    return F != nullptr && F->ReadOnly();
}

void TColumn::ValueChanged(bool Layout)
{
    Changed(Layout);
}

String TColumn::GetDisplayName() const
{
    return FFieldName.isEmpty() ? TCollectionItem::GetDisplayName() : FFieldName;
}

void TColumn::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TColumn*>(Source);
    if (Other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (Collection() != nullptr)
        Collection()->BeginUpdate();
    FFieldName = Other->FFieldName;
    FField = nullptr;
    FVisible = Other->FVisible;
    FWidth = Other->FWidth;
    FAlignment = Other->FAlignment;
    FReadOnly = Other->FReadOnly;
    FAssignedValues = Other->FAssignedValues;
    FTitle->FCaption = Other->FTitle->FCaption;
    FTitle->FAlignment = Other->FTitle->FAlignment;
    FTitle->FColor = Other->FTitle->FColor;
    FTitle->FSyncingFont = true;
    FTitle->FFont->Assign(Other->FTitle->FFont.get());
    FTitle->FSyncingFont = false;
    if (Collection() != nullptr)
        Collection()->EndUpdate();
    else
        ValueChanged(true);
}

// --- TDBGridColumns ----------------------------------------------------------------------

TDBGridColumns::TDBGridColumns(TCustomDBGrid* Grid, TCollectionItemClass ColumnClass)
    : TCollection(ColumnClass), FGrid(Grid)
{}

TPersistent* TDBGridColumns::GetOwner() const
{
    return FGrid;
}

void TDBGridColumns::SetState(TDBGridColumnsState Value)
{
    if (Value == FState)
        return;
    FState = Value;
    if (Value == csDefault) {
        FBuilding = true;
        Clear();
        FBuilding = false;
        BuildDefaultColumns();
    }
    Changed();
}

void TDBGridColumns::BuildDefaultColumns()
{
    if (FState != csDefault)
        return;
    std::vector<TField*> Shown;
    if (TDataSet* DS = FGrid->DataSet(); DS != nullptr && DS->Active())
        for (TField* F : *DS->Fields())
            if (F->Visible())
                Shown.push_back(F);
    bool Same = int(Shown.size()) == Count();
    for (int I = 0; Same && I < Count(); ++I)
        Same = Items(I)->Field() == Shown[std::size_t(I)];
    if (Same)
        return;
    FBuilding = true;
    BeginUpdate();
    try {
        Clear();
        for (TField* F : Shown) {
            TColumn* C = Add();
            C->FFieldName = F->FieldName();
            C->FField = F;
        }
    } catch (...) {
        FBuilding = false;
        EndUpdate();
        throw;
    }
    FBuilding = false;
    EndUpdate();
}

void TDBGridColumns::ForgetFields()
{
    for (TCollectionItem* Item : *this)
        static_cast<TColumn*>(Item)->ForgetField();
}

void TDBGridColumns::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    TCollection::Notify(Item, Action);
    if (Action != cnAdded || FBuilding || FState != csDefault)
        return;
    // A column of someone else's: the grid's own columns make way for it.
    FState = csCustomized;
    FBuilding = true;
    for (int I = Count() - 1; I >= 0; --I)
        if (Items(I) != Item)
            delete Items(I);
    FBuilding = false;
}

void TDBGridColumns::Update(TCollectionItem* Item)
{
    if (!FBuilding)
        FGrid->ColumnsChanged(Item == nullptr);
}
