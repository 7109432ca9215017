#include "platform/stdctrls/RadioGroup.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Application.h"
#include "platform/stdctrls/RadioButton.h"

#include <QScopedValueRollback>
#include <algorithm>

REGISTER_COMPONENT(TCustomRadioGroup, TCustomGroupBox)
END_REGISTER

REGISTER_COMPONENT(TRadioGroup, TCustomRadioGroup)
    PUBLISHED(Columns, 1)
    PUBLISHED(ItemIndex, -1)
    PUBLISHED_OBJECT(Items)
END_REGISTER

namespace {

constexpr int MaxColumns = 16;

} // namespace

// One item of a radio group: a radio button that asks its group before it
// takes a choice, tells its group of every choice, and hands its keys on
// to the group.
class TGroupButton : public TRadioButton {
public:
    explicit TGroupButton(TCustomRadioGroup* Group);
    void BeforeDestruction() override;
    void Click() override;

protected:
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;

private:
    void ClickIfAllowed(TMessage& Message);
    bool IsSibling(HWND Wnd) const;

    TCustomRadioGroup* FGroup;
    bool FInClick = false;
};

TGroupButton::TGroupButton(TCustomRadioGroup* Group) : TRadioButton(Group), FGroup(Group)
{
    Group->FButtons.push_back(this);
    SetEnabled(Group->Enabled());
    SetParent(Group);
}

void TGroupButton::BeforeDestruction()
{
    if (FGroup != nullptr) {
        FGroup->ButtonGone(this);
        FGroup = nullptr;
    }
    TRadioButton::BeforeDestruction();
}

void TGroupButton::Click()
{
    if (FGroup != nullptr)
        FGroup->ButtonClick(this);
}

void TGroupButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
        ClickIfAllowed(Message);
        return;
    }
    TRadioButton::Dispatch(Message);
}

// The group may refuse the choice; what goes wrong while it decides (a data
// set that will not edit) is reported, and the checked item stays.
void TGroupButton::ClickIfAllowed(TMessage& Message)
{
    if (FInClick || FGroup == nullptr)
        return;
    const QScopedValueRollback InClick(FInClick, true);
    try {
        if (FGroup->CanModify())
            TRadioButton::Dispatch(Message);
    } catch (...) {
        Application->HandleException(this);
    }
}

bool TGroupButton::IsSibling(HWND Wnd) const
{
    TWinControl* Previous = Wnd != nullptr ? FindControl(Wnd) : nullptr;
    return Previous != nullptr && Previous != this && Previous->Parent() == FGroup;
}

void TGroupButton::DefaultHandler(TMessage& Message)
{
    // Only the focus moving from item to item (the arrow keys) checks the
    // item it reaches; the focus arriving from outside the group chooses
    // nothing.
    if (Message.Msg == WM_SETFOCUS && WindowHandle() != nullptr && !IsSibling(HWND(Message.WParam))) {
        TButtonControl::DefaultHandler(Message);
        return;
    }
    TRadioButton::DefaultHandler(Message);
}

void TGroupButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused() && !Checked())
            NotifyClicked();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TGroupButton::KeyDown(WORD& Key, TShiftState Shift)
{
    TRadioButton::KeyDown(Key, Shift);
    if (FGroup != nullptr)
        FGroup->KeyDown(Key, Shift);
}

void TGroupButton::KeyPress(QChar& Key)
{
    TRadioButton::KeyPress(Key);
    if (FGroup != nullptr)
        FGroup->KeyPress(Key);
}

// --- the group ----------------------------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>())
{
    FControlStyle = {csSetCaption, csDoubleClicks, csParentBackground};
    FItems->SetOnChange([this](TObject*) { ItemsChange(); });
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    // Deleted without Free: the buttons still talk back while they go.
    FItems->SetOnChange(nullptr);
    while (!FButtons.empty())
        FButtons.back()->Free();
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const
{
    if (Index < 0 || Index >= int(FButtons.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FButtons[std::size_t(Index)];
}

void TCustomRadioGroup::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    (void)Proc;
    (void)Root;
}

void TCustomRadioGroup::SetItemIndex(int Value)
{
    // Items are read after ItemIndex; the buttons follow once both are in.
    if (FReading) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, int(FButtons.size()) - 1);
    if (FItemIndex == Value)
        return;
    if (FItemIndex >= 0)
        FButtons[std::size_t(FItemIndex)]->SetChecked(false);
    FItemIndex = Value;
    // Checking the button clicks it, and the click reaches OnClick.
    if (FItemIndex >= 0)
        FButtons[std::size_t(FItemIndex)]->SetChecked(true);
    UpdateTabStops();
}

void TCustomRadioGroup::SetColumns(int Value)
{
    Value = std::clamp(Value, 1, MaxColumns);
    if (!AssignIfChanged(FColumns, Value))
        return;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ButtonClick(TGroupButton* Button)
{
    if (FUpdating)
        return;
    FItemIndex = int(std::find(FButtons.begin(), FButtons.end(), Button) - FButtons.begin());
    UpdateTabStops();
    Changed();
    Click();
}

void TCustomRadioGroup::ButtonGone(TGroupButton* Button)
{
    std::erase(FButtons, Button);
}

void TCustomRadioGroup::ItemsChange()
{
    if (FReading)
        return;
    FItemIndex = std::min(FItemIndex, FItems->Count() - 1);
    UpdateButtons();
    ItemsChanged();
}

void TCustomRadioGroup::SetButtonCount(int Value)
{
    while (int(FButtons.size()) < Value)
        new TGroupButton(this);
    while (int(FButtons.size()) > Value)
        FButtons.back()->Free();
}

// Captions and checks from Items and ItemIndex, without clicks.
void TCustomRadioGroup::UpdateButtons()
{
    SetButtonCount(FItems->Count());
    {
        const QScopedValueRollback Updating(FUpdating, true);
        for (std::size_t I = 0; I < FButtons.size(); ++I) {
            FButtons[I]->SetCaption(FItems->Strings(int(I)));
            FButtons[I]->SetChecked(int(I) == FItemIndex);
        }
    }
    UpdateTabStops();
    ArrangeButtons();
    Invalidate();
}

// Tab reaches the checked item, or the first while none is checked.
void TCustomRadioGroup::UpdateTabStops()
{
    for (std::size_t I = 0; I < FButtons.size(); ++I)
        FButtons[I]->SetTabStop(int(I) == FItemIndex || (FItemIndex < 0 && I == 0));
}

// Equal cells below the caption line, column after column: each column
// holds as many items as the first, the space left over split above and
// below.
void TCustomRadioGroup::ArrangeButtons()
{
    if (FButtons.empty() || FReading)
        return;
    const int Count = int(FButtons.size());
    const int LineHeight = FontHeight();
    const int PerColumn = (Count + FColumns - 1) / FColumns;
    const int ButtonWidth = std::max(0, (Width() - 10) / FColumns);
    const int Room = Height() - LineHeight - 5;
    const int ButtonHeight = std::max(0, Room / PerColumn);
    const int TopMargin = LineHeight + 1 + std::max(0, Room % PerColumn) / 2;
    for (int I = 0; I < Count; ++I) {
        int Left = (I / PerColumn) * ButtonWidth + 8;
        if (UseRightToLeftAlignment())
            Left = ClientWidth() - Left - ButtonWidth;
        FButtons[std::size_t(I)]->SetBounds(Left, (I % PerColumn) * ButtonHeight + TopMargin, ButtonWidth,
                                            ButtonHeight);
    }
}

void TCustomRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    ArrangeButtons();
}

void TCustomRadioGroup::ReadState(TReader& Reader)
{
    {
        const QScopedValueRollback Reading(FReading, true);
        TCustomGroupBox::ReadState(Reader);
    }
    // A definition may hold an ItemIndex its Items do not reach.
    FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
    UpdateButtons();
    ItemsChanged();
}

void TCustomRadioGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool Resized = AWidth != Width() || AHeight != Height();
    TCustomGroupBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Resized)
        ArrangeButtons();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message)
{
    TCustomGroupBox::CMEnabledChanged(Message);
    for (TGroupButton* Button : FButtons)
        Button->SetEnabled(Enabled());
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message)
{
    TCustomGroupBox::CMFontChanged(Message);
    ArrangeButtons();
}

void TCustomRadioGroup::WMSize(TMessage& Message)
{
    TCustomGroupBox::WMSize(Message);
    ArrangeButtons();
}
