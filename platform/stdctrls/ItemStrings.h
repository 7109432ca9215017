#pragma once
// The Items of a list box or a combo box: a TStrings whose every operation
// is a message to the control (LB_* or CB_*), as the classic item lists
// are, so that a control that watches those messages (a list that measures
// its items, a check list that keeps flags per item) sees every change.
#include "platform/windows/WinControl.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/ItemMessages.h"

class TItemStrings : public TStrings {
public:
    TItemStrings(TWinControl* Control, const TItemMessages& Messages) : FControl(Control), FMessages(Messages) {}

    // Add goes where the control puts it (sorted lists keep their order).
    int AddObject(const String& S, TObject* AObject) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const String& S) const override;
    TWinControl* Control() const { return FControl; }

protected:
    String Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;

private:
    TWinControl* FControl;
    TItemMessages FMessages;
};
