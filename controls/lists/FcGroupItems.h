#pragma once
// The entries of a group bar's group: TFcGroupItem with its caption, image,
// hint, action and selection, the action link that ties an entry to an
// action, and TFcGroupItems, the collection a group owns.  An entry whose
// caption is "-" is a separator; it still counts in the index.
//
// Selection is unique within a group and, with the bar's
// UniqueItemSelection, across every group of the bars on the same parent:
// an item that becomes selected tells its own group, which deselects the
// others, and the bar's parent broadcasts CM_GROUPITEMSELECTED to the rest.
#include "controls/lists/FcGroupTypes.h"
#include "platform/actions/ActnList.h"
#include "platform/classes/Collection.h"
#include "platform/windows/ControlTypes.h"
#include "platform/graphics/Font.h"

#include <cstdint>
#include <memory>

class TFcGroup;
class TFcGroupItem;

class TFcGroupItemActionLink : public TActionLink {
public:
    explicit TFcGroupItemActionLink(TFcGroupItem* Client);
    TFcGroupItem* Client() const { return FClient; }

    // Each answers the inherited question and whether the item's value is
    // still the action's.
    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsImageIndexLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    // Adds the action's shortcut to a non-empty hint, "Open (Ctrl+O)",
    // while the application shows shortcuts in hints.
    bool DoShowHint(String& HintStr) override;

    void SetCaption(const String& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetImageIndex(int Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(const TNotifyEvent& Value) override;

private:
    TCustomAction* CustomAction() const;
    TFcGroupItem* FClient;
};

class TFcGroupItem : public TCollectionItem {
public:
    // At design time a new item is captioned "Item" and its position + 1.
    explicit TFcGroupItem(TCollection* Collection);
    ~TFcGroupItem() override;

    void Assign(TPersistent* Source) override;

    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    TCaption Caption() const { return FCaption; }
    void SetCaption(const TCaption& Value);
    TImageIndex DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(TImageIndex Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value);
    String Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    TImageIndex ImageIndex() const { return FImageIndex; }
    void SetImageIndex(TImageIndex Value);
    std::uint8_t IndentLevel() const { return FIndentLevel; }
    void SetIndentLevel(std::uint8_t Value);
    bool Selected() const { return FSelected; }
    // Runs the whole selection protocol even when the value is unchanged.
    void SetSelected(bool Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TNotifyEvent OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value);

    // The group that owns the collection, or nullptr.
    virtual TFcGroup* Group() const;
    TFcGroupItemActionLink* ActionLink() const { return FActionLink.get(); }
    // The link's update at idle time.
    virtual void InitiateAction();
    // A press and release of the left button on the item: its own OnClick
    // when it has one of its own, else the action, else OnClick.
    virtual void Click();
    // Takes the action's caption, enabled state, hint, image, visibility and
    // handler; CheckDefaults keeps what the item already set for itself.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

    bool IsSeparator() const { return FCaption == QLatin1String("-"); }
    // Whether the item runs something when clicked.
    bool IsClickable() const { return FOnClick || Action() != nullptr; }
    // Whether OnClick was taken from the action (not set for the item).
    bool OnClickFromAction() const { return FOnClickFromAction; }
    bool CaptionSet() const { return FCaptionSet; }

    // --- painting and input state, kept by the group ---
    bool Pressed() const { return FPressed; }
    void SetPressed(bool Value) { FPressed = Value; }
    std::uint8_t HotState() const { return FHotState; }
    void SetHotState(std::uint8_t Value) { FHotState = Value; }
    // Group client coordinates, filled in by the painter.
    TRect CaptionRect() const { return FCaptionRect; }
    void SetCaptionRect(const TRect& Value) { FCaptionRect = Value; }
    TRect ImageRect() const { return FImageRect; }
    void SetImageRect(const TRect& Value) { FImageRect = Value; }
    // The point lies on the image or the caption.
    bool HitTest(TPoint P) const { return PtInRect(FImageRect, P) || PtInRect(FCaptionRect, P); }

    // Stored rules: nothing the action already gives is written.
    bool IsCaptionStored() const;
    bool IsEnabledStored() const;
    bool IsHintStored() const;
    bool IsImageIndexStored() const;
    bool IsOnClickStored() const;

protected:
    void AssignTo(TPersistent* Dest) override;
    String GetDisplayName() const override;

private:
    friend class TFcGroupItemActionLink;
    void DoActionChange(TObject* Sender);
    void SetOnClickFromAction(const TNotifyEvent& Value);
    bool IsLinked(bool (TFcGroupItemActionLink::*Test)()) const;
    void SelectInGroup(TFcGroup* G);

    TCaption FCaption;
    bool FCaptionSet = false;
    TImageIndex FDisabledIndex = -1;
    bool FEnabled = true;
    TColor FFontColor = clDefault;
    TFontStyles FFontStyle;
    String FHint;
    TImageIndex FImageIndex = -1;
    std::uint8_t FIndentLevel = 0;
    bool FVisible = true;
    bool FSelected = false;
    int FTag = 0;
    TEventSlot<TNotifyEvent> FOnClick;
    bool FOnClickFromAction = false;
    std::unique_ptr<TFcGroupItemActionLink> FActionLink;
    // Counted in the group's items with actions.
    bool FCountsAction = false;
    bool FPressed = false;
    std::uint8_t FHotState = HotNormal;
    TRect FCaptionRect;
    TRect FImageRect;
};

class TFcGroupItems : public TOwnedCollection {
public:
    explicit TFcGroupItems(TFcGroup* Group);
    TFcGroup* Group() const { return FGroup; }
    // The collection's index check applies.
    TFcGroupItem* Items(int Index) const { return static_cast<TFcGroupItem*>(TCollection::Items(Index)); }
    TFcGroupItem* Add() { return static_cast<TFcGroupItem*>(TCollection::Add()); }

protected:
    // A change that can move items lays the group out again; every change
    // repaints it.
    void Update(TCollectionItem* Item) override;

private:
    TFcGroup* FGroup;
};
