#pragma once
// TFcToolbarControlList (unit FcPanel): the order a toolbar lays its
// controls out in.  Each entry holds a control and its name, either of
// which may be missing while a form definition is read: the names come
// first ("ToolbarControls"), the controls when the toolbar has loaded.
#include "platform/windows/Controls.h"

#include <memory>
#include <vector>

class TFcToolbar;

class TFcToolbarControl : public TObject {
public:
    TFcToolbarControl(TControl* Control, const String& Name) : FControl(Control), FName(Name) {}
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    String Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }

private:
    TControl* FControl;
    String FName;
};

class TFcToolbarControlList : public TObject {
public:
    explicit TFcToolbarControlList(TFcToolbar* Toolbar) : FToolbar(Toolbar) {}
    ~TFcToolbarControlList() override;

    TFcToolbar* Toolbar() const { return FToolbar; }
    int Count() const { return int(FItems.size()); }
    TFcToolbarControl* Items(int Index) const { return FItems[std::size_t(Index)].get(); }

    // -1 when absent.
    int IndexOfControl(const TControl* Control) const;
    // The first entry of that name (compared as text).
    int IndexOfName(const String& Name) const;
    // The control's index, appending an entry with its name when absent.
    int AddControl(TControl* Control);
    int AddName(const String& Name);
    // Remove and free the entry; -1 when there was none.
    int RemoveControl(TControl* Control);
    int RemoveName(const String& Name);
    void Clear();

    // The names read from a form definition, until the toolbar has loaded
    // (nullptr when none were read).
    TFcToolbarControlList* NameList() const { return FNameList.get(); }
    TFcToolbarControlList* NeedNameList();
    void FreeNameList() { FNameList.reset(); }

protected:
    virtual std::unique_ptr<TFcToolbarControl> CreateItem(TControl* Control, const String& Name);

private:
    TFcToolbar* FToolbar;
    std::vector<std::unique_ptr<TFcToolbarControl>> FItems;
    std::unique_ptr<TFcToolbarControlList> FNameList;
};
