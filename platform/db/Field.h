#pragma once
// TField: one column of a data set, as a component.  Persistent fields are
// owned by the data module and name their data set; default fields are made
// by the data set itself when it opens without persistent ones.  A field
// reads and writes the data set's active record; the descendants (Fields.h)
// convert between the stored value and text.
#include "platform/classes/Alignment.h"
#include "platform/classes/Component.h"
#include "platform/db/DBTypes.h"
#include "platform/rtl/Variants.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class TDataSet;
class TField;
class TRecordLayout;

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, String& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const String& Text)>;

class TField : public TComponent {
public:
    explicit TField(TComponent* AOwner);
    ~TField() override;

    // --- definition ---
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    TFieldType DataType() const { return FDataType; }
    String FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    TFieldKind FieldKind() const { return FFieldKind; }
    void SetFieldKind(TFieldKind Value) { FFieldKind = Value; }
    // 1-based number of the stored column; 0 while the data set is closed.
    int FieldNo() const { return FFieldNo; }
    int Size() const { return FSize; }
    void SetSize(int Value);
    // Position among the data set's fields.
    int Index() const;
    void SetIndex(int Value);

    // --- presentation ---
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The field name when no label was given.
    String DisplayLabel() const { return FDisplayLabel.isEmpty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const String& Value);
    bool IsDisplayLabelStored() const { return !FDisplayLabel.isEmpty(); }
    String DisplayName() const { return DisplayLabel(); }
    int DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : DefaultDisplayWidth(); }
    void SetDisplayWidth(int Value);
    bool IsDisplayWidthStored() const { return FDisplayWidth > 0; }
    String EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool Required() const { return FRequired; }
    void SetRequired(bool Value) { FRequired = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    // --- value ---
    bool IsNull() const;
    void Clear();
    virtual String AsString() const;
    virtual void SetAsString(const String& Value);
    virtual int AsInteger() const;
    virtual void SetAsInteger(int Value);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double Value);
    virtual TDateTime AsDateTime() const;
    virtual void SetAsDateTime(TDateTime Value);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool Value);
    // The value as UTF-8 text without a String in between, for writers
    // that put many values into a UTF-8 file: the same text as AsString.
    // A text field gives its stored bytes where they lie (valid until the
    // record or the cursor changes); other fields, and stored bytes that
    // are not well-formed UTF-8 (a damaged file), are converted into
    // Scratch, which the result then shows.  Empty for null.
    virtual QByteArrayView AsUtf8(QByteArray& Scratch) const;
    // Null for a null field.
    virtual Variant AsVariant() const;
    virtual void SetAsVariant(const Variant& Value);
    Variant Value() const { return AsVariant(); }
    void SetValue(const Variant& Value) { SetAsVariant(Value); }
    // The edit text (OnGetText with DisplayText false) and its setter
    // (OnSetText, else the field's own conversion).
    String Text() const;
    void SetText(const String& Value);
    String DisplayText() const;
    virtual bool IsValidChar(QChar Ch) const;
    // Whether the value is a large object (memo, binary) that controls may
    // leave unloaded until the user asks for it.
    bool IsBlob() const;
    bool CanModify() const;
    void FocusControl();

    // --- events ---
    DECLARE_EVENT(TFieldNotifyEvent, OnChange)
    DECLARE_EVENT(TFieldGetTextEvent, OnGetText)
    DECLARE_EVENT(TFieldSetTextEvent, OnSetText)
    DECLARE_EVENT(TFieldNotifyEvent, OnValidate)

    // Persistent fields sit under their data set in form definitions.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void Assign(TPersistent* Source) override;

protected:
    void SetDataType(TFieldType Value) { FDataType = Value; }
    virtual int DefaultDisplayWidth() const { return 10; }
    // The classic conversion hooks behind Text and DisplayText.
    virtual void GetText(String& Text, bool DisplayText) const;
    virtual void DoSetText(const String& Text) { SetAsString(Text); }
    // Raises "Cannot access field '%s' as type %s".
    [[noreturn]] void AccessError(const char* TypeName) const;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The stored value of the active record (nullptr: no record) and the
    // column within it.
    const std::uint8_t* Record() const;
    const TRecordLayout& Layout() const;
    int Column() const { return FFieldNo - 1; }
    // AsUtf8 of a field whose value is the stored text.
    QByteArrayView StoredUtf8(QByteArray& Scratch) const;
    // Writes through the data set (state and read-only checks, OnValidate,
    // OnChange, notifications).  Write gets the record and the column.
    void WriteValue(const std::function<void(std::vector<std::uint8_t>& Rec, const TRecordLayout& L, int Col)>& Write);

private:
    friend class TDataSet;
    friend class TFields;

    TDataSet* FDataSet = nullptr;
    TFieldType FDataType = ftUnknown;
    String FFieldName;
    TFieldKind FFieldKind = fkData;
    int FFieldNo = 0;
    int FSize = 0;
    TAlignment FAlignment = taLeftJustify;
    String FDisplayLabel;
    int FDisplayWidth = 0;
    String FEditMask;
    bool FReadOnly = false;
    bool FRequired = false;
    bool FVisible = true;
};

// The fields of a data set in display order.  The list does not own them.
class TFields {
public:
    explicit TFields(TDataSet* ADataSet) : FDataSet(ADataSet) {}

    int Count() const { return int(FList.size()); }
    TField* Fields(int Index) const;
    TField* operator[](int Index) const { return Fields(Index); }
    // nullptr when absent; names compare without case.
    TField* FindField(const String& FieldName) const;
    // Raises "Field '%s' not found".
    TField* FieldByName(const String& FieldName) const;
    // 1-based stored column number; nullptr when no field shows it.
    TField* FieldByNumber(int FieldNo) const;
    int IndexOf(TField* Field) const;
    TDataSet* DataSet() const { return FDataSet; }

    std::vector<TField*>::const_iterator begin() const { return FList.begin(); }
    std::vector<TField*>::const_iterator end() const { return FList.end(); }

private:
    friend class TDataSet;
    friend class TField;
    void Add(TField* Field);
    void Remove(TField* Field);
    void Move(TField* Field, int NewIndex);

    TDataSet* FDataSet;
    std::vector<TField*> FList;
};
