#pragma once
// The field classes by data type.
#include "platform/db/Field.h"

class TStringField : public TField {
public:
    explicit TStringField(TComponent* AOwner);
    String AsString() const override;
    // Text longer than Size is cut to Size characters.
    void SetAsString(const String& Value) override;
    int AsInteger() const override;
    void SetAsInteger(int Value) override { SetAsString(QString::number(Value)); }
    double AsFloat() const override;
    void SetAsFloat(double Value) override;
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime Value) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool Value) override { SetAsString(Value ? QStringLiteral("T") : QStringLiteral("F")); }
    QByteArrayView AsUtf8(QByteArray& Scratch) const override { return StoredUtf8(Scratch); }
    Variant AsVariant() const override;

protected:
    int DefaultDisplayWidth() const override { return Size(); }
    // The display text is shown through the edit mask, literals included.
    void GetText(String& Text, bool DisplayText) const override;
};

class TMemoField : public TField {
public:
    explicit TMemoField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    QByteArrayView AsUtf8(QByteArray& Scratch) const override { return StoredUtf8(Scratch); }
    Variant AsVariant() const override;

protected:
    // A memo shows its content (the classic "(MEMO)" placeholder hides the
    // very text users look for).
    void GetText(String& Text, bool DisplayText) const override;
};

class TNumericField : public TField {
public:
    explicit TNumericField(TComponent* AOwner);
    String DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& Value);
    String EditFormat() const { return FEditFormat; }
    void SetEditFormat(const String& Value);

private:
    String FDisplayFormat;
    String FEditFormat;
};

class TIntegerField : public TNumericField {
public:
    explicit TIntegerField(TComponent* AOwner);
    String AsString() const override;
    // Empty text clears; anything else must be a whole number in range
    // ("'%s' is not a valid integer value for field '%s'").
    void SetAsString(const String& Value) override;
    int AsInteger() const override;
    void SetAsInteger(int Value) override;
    double AsFloat() const override { return AsInteger(); }
    void SetAsFloat(double Value) override;
    bool AsBoolean() const override { return AsInteger() != 0; }
    void SetAsBoolean(bool Value) override { SetAsInteger(Value ? 1 : 0); }
    Variant AsVariant() const override;
    bool IsValidChar(QChar Ch) const override;
    // 0 and 0: no range check.
    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value) { FMinValue = Value; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value) { FMaxValue = Value; }

protected:
    int DefaultDisplayWidth() const override { return 11; }
    void GetText(String& Text, bool DisplayText) const override;

private:
    void CheckRange(long long Value) const;
    int FMinValue = 0;
    int FMaxValue = 0;
};

class TSmallintField : public TIntegerField {
public:
    explicit TSmallintField(TComponent* AOwner);
};

class TWordField : public TIntegerField {
public:
    explicit TWordField(TComponent* AOwner);
};

class TAutoIncField : public TIntegerField {
public:
    explicit TAutoIncField(TComponent* AOwner);
};

class TFloatField : public TNumericField {
public:
    explicit TFloatField(TComponent* AOwner);
    String AsString() const override;
    void SetAsString(const String& Value) override;
    int AsInteger() const override;
    void SetAsInteger(int Value) override { SetAsFloat(Value); }
    double AsFloat() const override;
    void SetAsFloat(double Value) override;
    Variant AsVariant() const override;
    bool IsValidChar(QChar Ch) const override;
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value) { FPrecision = Value < 2 ? 2 : Value > 15 ? 15 : Value; }

protected:
    void GetText(String& Text, bool DisplayText) const override;

private:
    int FPrecision = 15;
};

class TCurrencyField : public TFloatField {
public:
    explicit TCurrencyField(TComponent* AOwner);
};

class TBooleanField : public TField {
public:
    explicit TBooleanField(TComponent* AOwner);
    String AsString() const override;
    // The true or false text of DisplayValues (or a prefix of it), without case.
    void SetAsString(const String& Value) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool Value) override;
    int AsInteger() const override { return AsBoolean() ? 1 : 0; }
    void SetAsInteger(int Value) override { SetAsBoolean(Value != 0); }
    Variant AsVariant() const override;
    // "True;False" by default.
    String DisplayValues() const { return FDisplayValues; }
    void SetDisplayValues(const String& Value);

protected:
    int DefaultDisplayWidth() const override { return 5; }

private:
    String FDisplayValues = QStringLiteral("True;False");
    String FTrueText = QStringLiteral("True");
    String FFalseText = QStringLiteral("False");
};

class TDateTimeField : public TField {
public:
    explicit TDateTimeField(TComponent* AOwner);
    String AsString() const override;
    // Empty text clears; otherwise read in the short date format
    // (EConvertError "'%s' is not a valid date and time" / "... date").
    void SetAsString(const String& Value) override;
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime Value) override;
    double AsFloat() const override { return AsDateTime(); }
    void SetAsFloat(double Value) override { SetAsDateTime(Value); }
    // A date in a simple short date format is written as bytes directly.
    QByteArrayView AsUtf8(QByteArray& Scratch) const override;
    Variant AsVariant() const override;
    bool IsValidChar(QChar Ch) const override;
    String DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& Value);

protected:
    int DefaultDisplayWidth() const override { return 18; }
    void GetText(String& Text, bool DisplayText) const override;

private:
    String FDisplayFormat;
};

class TDateField : public TDateTimeField {
public:
    explicit TDateField(TComponent* AOwner);

protected:
    int DefaultDisplayWidth() const override { return 10; }
};

class TTimeField : public TDateTimeField {
public:
    explicit TTimeField(TComponent* AOwner);
};

// The field class for a stored type (TStringField for ftString ...);
// nullptr for types the engine does not store.
TField* CreateFieldForType(TFieldType DataType, TComponent* AOwner);
