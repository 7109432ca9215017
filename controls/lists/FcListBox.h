#pragma once
// TFcCustomListBox: the framed list box: the list box with the framed
// controls' state colours, flat frame and hot tracking, frame controller
// and Enter as Tab, plus an incremental search of its own (typed letters
// search from the top for the first item that begins with them all, until
// a pause of SearchTimeout), group headers (items that begin with
// GroupPrefix, painted in GroupFont over a gradient), hint windows that show
// item texts too wide for the box, an automatic horizontal extent and the
// OnMatch event.  TFcListBox publishes it.
//
// An empty search matches nothing: Backspace in an empty search beeps and
// moves nothing; on an empty list it does nothing at all.  A character
// outside the Basic Multilingual Plane (a surrogate pair) counts as one
// character of the search.
#include "controls/lists/FcFramedControl.h"
#include "controls/lists/FcIncrementalSearch.h"
#include "platform/forms/HintWindow.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/ListBox.h"

#include <cstdint>

class TFcCustomListBox : public TFcFramedControl<TCustomListBox> {
public:
    explicit TFcCustomListBox(TComponent* AOwner);
    ~TFcCustomListBox() override;

    bool IncrementalSearch() const { return FIncrementalSearch; }
    void SetIncrementalSearch(bool Value) { FIncrementalSearch = Value; }
    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool Value) { FBeepOnInvalidKey = Value; }
    std::uint16_t HorzExtent() const { return FHorzExtent; }
    void SetHorzExtent(std::uint16_t Value);
    bool HorzScrollBar() const { return FHorzScrollBar; }
    void SetHorzScrollBar(bool Value);
    int OwnerDrawIndent() const { return FOwnerDrawIndent; }
    void SetOwnerDrawIndent(int Value) { SetPaintProperty(FOwnerDrawIndent, Value); }
    bool ShowItemHints() const { return FShowItemHints; }
    void SetShowItemHints(bool Value) { FShowItemHints = Value; }
    bool UseGradients() const { return FUseGradients; }
    void SetUseGradients(bool Value) { SetPaintProperty(FUseGradients, Value); }
    TColor GroupColor() const { return FGroupColor; }
    void SetGroupColor(TColor Value) { SetPaintProperty(FGroupColor, Value); }
    TFont* GroupFont() const { return FGroupFont.get(); }
    void SetGroupFont(TFont* Value);
    bool IsGroupFontStored() const { return FGroupFontCustom; }
    String GroupPrefix() const { return FGroupPrefix; }
    void SetGroupPrefix(const String& Value) { SetPaintProperty(FGroupPrefix, Value); }
    bool IsGroupPrefixStored() const { return FGroupPrefix != QLatin1String("//"); }
    bool ShowGroups() const { return FShowGroups; }
    void SetShowGroups(bool Value);
    // The text typed so far.
    String SearchString() const { return FSearch.Text(); }
    // The timer that ends a search after a pause (owned).
    TTimer* SearchTimer() const { return FSearch.Timer(); }
    // The hint window of the item under the mouse; nullptr before one
    // was needed.
    THintWindow* ItemHintWindow() const { return FItemHint; }

    // What the application calls.
    int Add(const String& S);
    int IndexOf(const String& S);
    // The selected item's text; empty when nothing is selected.
    String SelectedItem();

    // Whether Index is an item that begins with GroupPrefix (exactly).
    virtual bool IsGroup(int Index);
    // The group header at or above Index; -1 when there is none.
    virtual int FindGroupIndex(int Index);
    virtual bool HasGroup(int Index);
    // For a group header, the number of headers above it; else -1.
    virtual int GroupNumber(int Index);
    // The first item that begins with S (without regard to case); -1 when
    // none does or S is empty.
    virtual int FindItem(const String& S);
    virtual void UpdateHorzExtent();

    DECLARE_EVENT(TNotifyEvent, OnMatch)
    DECLARE_EVENT(TNotifyEvent, OnDeleteItems)

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Resize() override;
    void WndProc(TMessage& Message) override;
    void CNDrawItem(TMessage& Message) override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void CMFontChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    TRect FrameRepaintRect() override { return Rect(0, 0, Width(), Height()); }

    virtual int GetOwnerDrawIndent() { return FOwnerDrawIndent; }
    // The item height takes at least the font's height.
    virtual void AdjustItemHeight();
    virtual void GroupFontChanged() {}
    virtual void DoDrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void DrawGroup(int Index, TRect Rect, TOwnerDrawState State);
    virtual void DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void Match();
    virtual void DeleteItems();
    // The item's text as the list shows it (the data event's for virtual
    // lists).
    String ItemText(int Index);
    // The text of a group header without its prefix.
    String WithoutPrefix(const String& Text) const;
    // Fills R for a group header: the selection, a plain colour or the
    // gradient from Fill to the list's colour.
    void FillGroup(TRect R, TOwnerDrawState State, TColor Fill);
    void InvalidKeyBeep();
    // Whether the items are inside an update (between BeginUpdate and
    // EndUpdate): what depends on all of them waits for its end.
    bool ItemsUpdating() const { return FItemsUpdating; }
    // The items changed: an extent or tab stops that follow them.
    virtual void ItemsChanged();

private:
    void IncrementalChar(TMessage& Message);
    void SearchFor(const String& S, TMessage& Message);
    void Backspace(TMessage& Message);
    void AddToSearch(const String& Character, TMessage& Message);
    void ShowItemHint(TPoint P);
    void HideItemHint();
    void GroupFontChange(TObject* Sender);

    bool FIncrementalSearch = true;
    bool FBeepOnInvalidKey = true;
    std::uint16_t FHorzExtent = 0;
    bool FHorzScrollBar = false;
    TFcIncrementalSearch FSearch;
    int FOwnerDrawIndent = 0;
    bool FShowItemHints = true;
    THintWindow* FItemHint = nullptr;
    bool FUseGradients = true;
    TColor FGroupColor = clInactiveCaptionText;
    std::unique_ptr<TFont> FGroupFont;
    bool FGroupFontCustom = false;
    String FGroupPrefix = QStringLiteral("//");
    bool FShowGroups = false;
    bool FItemsUpdating = false;
    bool FChangedInUpdate = false;
};

class TFcListBox : public TFcCustomListBox {
public:
    explicit TFcListBox(TComponent* AOwner) : TFcCustomListBox(AOwner) {}
};
