#include "controls/foundation/FcToolbarControls.h"

TFcToolbarControlList::~TFcToolbarControlList() = default;

int TFcToolbarControlList::IndexOfControl(const TControl* Control) const
{
    for (int I = 0; I < Count(); ++I)
        if (FItems[std::size_t(I)]->Control() == Control)
            return I;
    return -1;
}

int TFcToolbarControlList::IndexOfName(const String& Name) const
{
    for (int I = 0; I < Count(); ++I)
        if (FItems[std::size_t(I)]->Name() == Name)
            return I;
    return -1;
}

std::unique_ptr<TFcToolbarControl> TFcToolbarControlList::CreateItem(TControl* Control, const String& Name)
{
    return std::make_unique<TFcToolbarControl>(Control, Name);
}

int TFcToolbarControlList::AddControl(TControl* Control)
{
    const int Index = IndexOfControl(Control);
    if (Index != -1)
        return Index;
    FItems.push_back(CreateItem(Control, Control != nullptr ? Control->Name() : String()));
    return Count() - 1;
}

int TFcToolbarControlList::AddName(const String& Name)
{
    const int Index = IndexOfName(Name);
    if (Index != -1)
        return Index;
    FItems.push_back(CreateItem(nullptr, Name));
    return Count() - 1;
}

int TFcToolbarControlList::RemoveControl(TControl* Control)
{
    const int Index = IndexOfControl(Control);
    if (Index != -1)
        FItems.erase(FItems.begin() + Index);
    return Index;
}

int TFcToolbarControlList::RemoveName(const String& Name)
{
    const int Index = IndexOfName(Name);
    if (Index != -1)
        FItems.erase(FItems.begin() + Index);
    return Index;
}

void TFcToolbarControlList::Clear()
{
    FItems.clear();
}

TFcToolbarControlList* TFcToolbarControlList::NeedNameList()
{
    if (!FNameList)
        FNameList = std::make_unique<TFcToolbarControlList>(FToolbar);
    return FNameList.get();
}
