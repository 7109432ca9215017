#pragma once
// TDataLink: what every data-aware control holds to follow a data source;
// TFieldDataLink: the link of a control that shows one field.  The virtual
// methods are the notifications, in the order the data set sends them.
#include "platform/db/DataSource.h"

class TDataLink : public TPersistent {
public:
    TDataLink();
    ~TDataLink() override;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* Value);
    // True while the data source shows an open data set.
    bool Active() const { return FActive; }
    // True while the data set is in edit or insert mode (and the link may edit).
    virtual bool Editing() const { return FEditing; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    TDataSet* DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }
    bool DataSourceFixed() const { return FDataSourceFixed; }
    void SetDataSourceFixed(bool Value) { FDataSourceFixed = Value; }
    // Data-aware controls are told before the data source's events, other
    // links (detail data sets) after them.
    bool VisualControl() const { return FVisualControl; }
    void SetVisualControl(bool Value) { FVisualControl = Value; }

    // The window of rows a multi-row control shows.
    int BufferCount() const { return FBufferCount; }
    void SetBufferCount(int Value);
    // Row (0-based) of the current record within this link's rows; setting
    // it makes the fields read that row until it is set back.
    int ActiveRecord() const;
    void SetActiveRecord(int Value);
    // Rows that hold a record.
    int RecordCount() const;

    // Asks the data source to edit; true when the data set is then editing.
    bool Edit();
    // Has the control write its value back (deUpdateRecord).
    void UpdateRecord();

protected:
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int Distance) { (void)Distance; DataSetChanged(); }
    virtual void FocusControl(TField* Field) { (void)Field; }
    virtual void EditingChanged() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* Field) { (void)Field; }
    virtual void UpdateData() {}
    // A field of the data set is being destroyed.
    virtual void FieldGone(TField* Field) { (void)Field; }
    void SetEditing(bool Value);
    bool InheritedEditing() const;

private:
    friend class TDataSource;
    void DataEvent(TDataEvent Event, std::intptr_t Info);
    void UpdateState();
    void SetActive(bool Value);
    void UpdateRange();
    // The data source is being destroyed.
    void DataSourceGone();

    TDataSource* FDataSource = nullptr;
    int FFirstRecord = 0;
    int FBufferCount = 1;
    bool FActive = false;
    bool FEditing = false;
    bool FReadOnly = false;
    bool FUpdating = false;
    bool FDataSourceFixed = false;
    bool FVisualControl = false;
};

class TFieldDataLink : public TDataLink {
public:
    TFieldDataLink();

    String FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    TField* Field() const { return FField; }
    // The control the link belongs to (for focusing on errors).
    TComponent* Control() const { return FControl; }
    void SetControl(TComponent* Value) { FControl = Value; }
    // A control's DataSource property: the source is taken unless it is
    // fixed (a data control grid chose it) while the control is being read,
    // and the control asks to be told when the source goes.
    void SetControlDataSource(TDataSource* Value);
    bool CanModify() const;
    bool Edit();
    bool Editing() const override { return FFieldEditing; }
    // The control's text changed: it will be written back on UpdateData.
    void Modified() { FModified = true; }
    bool IsModified() const { return FModified; }
    // Re-reads the field (OnDataChange), dropping what was typed.
    void Reset() { RecordChanged(nullptr); }

    DECLARE_EVENT(TNotifyEvent, OnDataChange)
    DECLARE_EVENT(TNotifyEvent, OnEditingChange)
    DECLARE_EVENT(TNotifyEvent, OnUpdateData)
    DECLARE_EVENT(TNotifyEvent, OnActiveChange)
    using TFocusControlEvent = std::function<void(TField* Field)>;
    DECLARE_EVENT(TFocusControlEvent, OnFocusControl)

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void FocusControl(TField* Field) override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void UpdateData() override;
    void FieldGone(TField* Field) override;

private:
    void UpdateField();
    void SetField(TField* Value);
    void SetFieldEditing(bool Value);

    String FFieldName;
    TField* FField = nullptr;
    TComponent* FControl = nullptr;
    bool FModified = false;
    bool FFieldEditing = false;
};
