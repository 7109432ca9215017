#pragma once
// The columns of a data grid: TColumn shows one field, TColumnTitle is its
// heading, TDBGridColumns the grid's collection of them.
//
// Every look a column has follows its field (width, alignment, caption)
// until it is set on the column itself; only what was set is stored in a
// form definition (the assigned values).  A title's colour and font follow
// the grid's FixedColor and TitleFont until the column sets its own
// (cvTitleColor, cvTitleFont).
#include "platform/classes/Alignment.h"
#include "platform/classes/Collection.h"
#include "platform/graphics/Font.h"

#include <memory>

class TCustomDBGrid;
class TColumn;
class TField;

enum TColumnValue { cvWidth, cvAlignment, cvReadOnly, cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont };
using TColumnValues = TSet<TColumnValue>;

class TColumnTitle : public TPersistent {
public:
    explicit TColumnTitle(TColumn* Column);

    TColumn* Column() const { return FColumn; }
    String Caption() const;
    void SetCaption(const String& Value);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    // The title cell's own colour and font; until set they follow the
    // grid's FixedColor and TitleFont.
    TColor Color() const;
    void SetColor(TColor Value);
    TFont* Font() const;
    void SetFont(TFont* Value) { Font()->Assign(Value); }

    // The field's display label (the field name without a field).
    String DefaultCaption() const;
    TAlignment DefaultAlignment() const { return taLeftJustify; }
    // The grid's FixedColor and TitleFont (clBtnFace and nullptr without a grid).
    TColor DefaultColor() const;
    TFont* DefaultFont() const;

    bool IsCaptionStored() const;
    bool IsAlignmentStored() const;
    bool IsColorStored() const;
    bool IsFontStored() const;
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() const override;

private:
    friend class TColumn;

    void FontChanged();

    TColumn* FColumn;
    String FCaption;
    TAlignment FAlignment = taLeftJustify;
    TColor FColor = clBtnFace;
    // Holds the grid's title font until the column's own is set; mutable
    // because reading the font brings it up to date.
    std::unique_ptr<TFont> FFont;
    bool FSyncingFont = false;
};

class TColumn : public TCollectionItem {
public:
    explicit TColumn(TCollection* Collection);
    ~TColumn() override;

    // The grid of the collection (nullptr in a plain collection).
    TCustomDBGrid* Grid() const;
    // The field named FieldName in the grid's open data set, nullptr when
    // there is none.
    TField* Field() const;
    void SetField(TField* Value);
    String FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);

    TColumnTitle* Title() const { return FTitle.get(); }
    void SetTitle(TColumnTitle* Value) { FTitle->Assign(Value); }
    int Width() const;
    void SetWidth(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    bool ReadOnly() const;
    void SetReadOnly(bool Value);

    // Which looks were set on the column rather than taken from its field.
    TColumnValues AssignedValues() const { return FAssignedValues; }
    int DefaultWidth() const;
    TAlignment DefaultAlignment() const;
    bool DefaultReadOnly() const;

    bool IsWidthStored() const { return FAssignedValues.Contains(cvWidth); }
    bool IsAlignmentStored() const { return FAssignedValues.Contains(cvAlignment); }
    bool IsReadOnlyStored() const { return FAssignedValues.Contains(cvReadOnly); }
    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override;

private:
    friend class TColumnTitle;
    friend class TDBGridColumns;
    void ValueChanged(bool Layout);
    // Sets a look on the column itself; false when it was set to that already.
    template <typename T>
    bool AssignValue(T& Field, const T& Value, TColumnValue Which)
    {
        if (FAssignedValues.Contains(Which) && Field == Value)
            return false;
        Field = Value;
        FAssignedValues.Include(Which);
        return true;
    }
    // Looks up the field again when it is next asked for.
    void ForgetField() { FField = nullptr; }

    String FFieldName;
    mutable TField* FField = nullptr;
    std::unique_ptr<TColumnTitle> FTitle;
    int FWidth = 0;
    bool FVisible = true;
    TAlignment FAlignment = taLeftJustify;
    bool FReadOnly = false;
    TColumnValues FAssignedValues;
};

// Default columns are the grid's own, one per visible field, made again
// whenever the data set's fields change; a column added by code or by a
// form definition makes the columns customized, and those are stored.
enum TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns : public TCollection {
public:
    TDBGridColumns(TCustomDBGrid* Grid, TCollectionItemClass ColumnClass);

    TCustomDBGrid* Grid() const { return FGrid; }
    TColumn* Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }
    TColumn* operator[](int Index) const { return Items(Index); }
    TColumn* Add() { return static_cast<TColumn*>(TCollection::Add()); }
    TDBGridColumnsState State() const { return FState; }
    // csDefault makes the default columns again; csCustomized keeps the
    // columns there are as the grid's own.
    void SetState(TDBGridColumnsState Value);
    // The default columns for the data set's visible fields (kept when they
    // already show them, so widths the user dragged stay).
    void BuildDefaultColumns();
    // The columns look their fields up again.
    void ForgetFields();

    TPersistent* GetOwner() const override;

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    TCustomDBGrid* FGrid;
    TDBGridColumnsState FState = csDefault;
    bool FBuilding = false;
};
