#pragma once
// TCustomRadioGroup: a group box whose items are radio buttons it makes and
// lays out itself, one per line of Items, in Columns equal columns filled
// top to bottom.  ItemIndex is the checked item (-1: none); every item
// becoming checked, by the user or through ItemIndex, fires OnClick.
//
// The keyboard works as on any group of radio buttons: the arrow keys move
// to the next or previous item and check it, Tab leaves the group (only the
// checked item, or the first while none is, is a tab stop), and an item's
// accelerator focuses and checks it.  The focus coming into the group from
// outside checks nothing: tabbing through a form never makes a choice.
//
// The buttons belong to the group and are not streamed; a descendant may
// refuse a choice (CanModify), as the data-aware group does.
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/GroupBox.h"

#include <memory>
#include <vector>

class TRadioButton;
class TGroupButton;

class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    // 1 to 16.
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    // The button of item Index.
    TRadioButton* Buttons(int Index) const;

    // The buttons are the group's own: nothing of them is streamed.
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    // The items are laid out again for the new size (with or without a window).
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // Whether the user may change the checked item now; a refused choice
    // leaves the checked item as it is.
    virtual bool CanModify() { return true; }
    // Items changed (their buttons are up to date).
    virtual void ItemsChanged() {}
    void Loaded() override;
    void ReadState(TReader& Reader) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void WMSize(TMessage& Message) override;

private:
    friend class TGroupButton;

    void ArrangeButtons();
    void ButtonClick(TGroupButton* Button);
    void ButtonGone(TGroupButton* Button);
    void ItemsChange();
    void SetButtonCount(int Value);
    void UpdateButtons();
    void UpdateTabStops();

    std::vector<TGroupButton*> FButtons;
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FReading = false;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};
