#pragma once
// TGridDataLink: what a data grid holds to follow its data source.  Its
// buffer count is the number of rows the grid shows, so the data set keeps
// exactly that window of records around the current one; every notice goes
// straight to the grid.
#include "platform/db/DataLink.h"

class TCustomDBGrid;

class TGridDataLink : public TDataLink {
public:
    explicit TGridDataLink(TCustomDBGrid* Grid);
    TCustomDBGrid* Grid() const { return FGrid; }

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void FocusControl(TField* Field) override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void UpdateData() override;
    void FieldGone(TField* Field) override;

private:
    TCustomDBGrid* FGrid;
};
