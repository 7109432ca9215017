#pragma once
// TFcCheckList: the tabbed list box with a check box in front of every
// item.  Each item has a three-valued state (unchecked, checked, grayed)
// and an enabled flag of its own, kept in a packet per item by the item
// list (TFcCheckListStrings) in step with the list's items.  The user
// toggles the state with the mouse (on the glyph, or anywhere on the item
// with ToggleOnItemClick) or the space bar; OnChanging may refuse each
// toggle.  Group headers (items that begin with "//") have no check box and
// never toggle.  The glyph is the shared check-glyph painter's, the
// theme's, or a cell of a strip of six custom glyphs (unchecked, checked,
// grayed, then the same disabled).
//
// The item list streams the flags in form definitions ("ItemEnabled",
// "ItemState") and reads and writes a text format with a line per item:
// "&", the enabled digit, a blank, the state digit, a blank, the text.
// Files are written as UTF-8 with CR LF line ends and read as UTF-8, or as
// Windows-1252 when they are not valid UTF-8.  A marked line whose state is
// not a digit 0 to 2 raises EConvertError; the items before it stay.
//
// The check list's items live in the control, so a new window (a changed
// window style) keeps the items, their flags, the top item and the
// selection without copying them anywhere.
#include "controls/lists/FcTabbedListBox.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/CheckBox.h"

#include <vector>

class TFcCheckList;

// The state and enabled flag of one item; a new item is unchecked and
// enabled.
struct TPacket {
    TCheckBoxState State = cbUnchecked;
    bool Enabled = true;
};

// The check list's items: every operation goes to the list-box window and
// keeps the packets in step.
class TFcCheckListStrings : public TStrings {
public:
    explicit TFcCheckListStrings(TFcCheckList* CheckList) : FCheckList(CheckList) {}

    int AddObject(const String& S, TObject* AObject) override;
    void Insert(int Index, const String& S) override { InsertObject(Index, S, nullptr); }
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Move(int CurIndex, int NewIndex) override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(const String& S) const override;
    // From another check list's items the flags come along; from any other
    // list marked lines are decoded.
    void AddStrings(TStrings* Strings) override;
    void LoadFromStream(QIODevice& Stream) override;
    void SaveToStream(QIODevice& Stream) const override;
    void DefineProperties(TFiler& Filer) override;

    TFcCheckList* CheckList() const { return FCheckList; }
    const TPacket& Packet(int Index) const;
    TPacket& Packet(int Index);
    // Adds S as an item with the flags given.
    int AddWithPacket(const String& S, TObject* AObject, TPacket Packet);

protected:
    String Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;

private:
    int InsertItem(UINT Msg, int Index, const String& S, TObject* AObject);
    void CheckIndex(int Index) const;
    void AddMarkedLine(const String& Line, TObject* AObject);

    TFcCheckList* FCheckList;
    std::vector<TPacket> FPackets;
};

using TStateChangingEvent = std::function<void(TObject* Sender, int Index, TCheckBoxState NewState, bool& AllowChange)>;
using TStateChangeEvent = std::function<void(TObject* Sender, int Index, TCheckBoxState NewState)>;

class TFcCheckList : public TFcCustomTabbedListBox {
public:
    // The cells of a custom glyph strip.
    static constexpr int GlyphCells = 6;

    explicit TFcCheckList(TComponent* AOwner);
    ~TFcCheckList() override;

    // Items, with the flags of each item.
    TFcCheckListStrings* CheckItems() const { return static_cast<TFcCheckListStrings*>(Items()); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TBitmap* CustomGlyphs() const { return FCustomGlyphs.get(); }
    void SetCustomGlyphs(TBitmap* Value);
    bool UseCustomGlyphs() const { return FUseCustomGlyphs; }
    void SetUseCustomGlyphs(bool Value);
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value) { SetPaintProperty(FTransparentColor, Value); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value) { SetPaintProperty(FHighlightColor, Value); }
    TColor ItemFillColor() const { return FItemFillColor; }
    void SetItemFillColor(TColor Value) { SetPaintProperty(FItemFillColor, Value); }
    TColor ItemFocusColor() const { return FItemFocusColor; }
    void SetItemFocusColor(TColor Value) { SetPaintProperty(FItemFocusColor, Value); }
    TColor ItemFrameColor() const { return FItemFrameColor; }
    void SetItemFrameColor(TColor Value) { SetPaintProperty(FItemFrameColor, Value); }
    bool ToggleOnItemClick() const { return FToggleOnItemClick; }
    void SetToggleOnItemClick(bool Value) { FToggleOnItemClick = Value; }
    int GlyphWidth() const { return FGlyphWidth; }
    int GlyphHeight() const { return FGlyphHeight; }
    // A toggle press (mouse or space bar) is under way.
    bool Pressed() const { return FPressed; }

    // Setting these from code fires no event.
    virtual TCheckBoxState ItemState(int Index) const;
    void SetItemState(int Index, TCheckBoxState Value);
    virtual bool ItemEnabled(int Index) const;
    void SetItemEnabled(int Index, bool Value);
    virtual bool ItemChecked(int Index) const;
    void SetItemChecked(int Index, bool Value);

    // The user's toggle of the current item: unchecked, (grayed,) checked.
    virtual void ToggleItemState();
    // The glyph of one item, painted into a bitmap of the glyph's size.
    virtual void DrawCheckGlyph(int Index, TBitmap* Bitmap);
    void AddItem(const String& Item, TObject* AObject) override;
    // The glyph zone of an item: its leading glyph width + 4 pixels.
    TRect GlyphZone(int Index);

    DECLARE_EVENT(TStateChangingEvent, OnChanging)
    DECLARE_EVENT(TStateChangeEvent, OnChange)

protected:
    friend class TFcCheckListStrings;

    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    int GetOwnerDrawIndent() override { return FGlyphWidth + 8; }
    void AdjustItemHeight() override;
    void DoDrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    int GetFirstColumnExtra() override { return FGlyphWidth; }
    virtual bool DoStateChanging(int Index, TCheckBoxState NewState);
    virtual void DoStateChange(int Index, TCheckBoxState NewState);

private:
    void CustomGlyphsChanged(TObject* Sender);
    void SetGlyphSize();
    void InvalidateGlyph(int Index);
    void StartPress();
    bool Adding() const { return FAdding; }

    bool FAdding = false;
    bool FAllowGrayed = false;
    int FGlyphWidth = 13;
    int FGlyphHeight = 13;
    std::unique_ptr<TBitmap> FCustomGlyphs;
    bool FUseCustomGlyphs = false;
    TColor FTransparentColor = clOlive;
    TColor FHighlightColor = clHighlight;
    TColor FItemFillColor = clWindow;
    TColor FItemFocusColor = clWindow;
    TColor FItemFrameColor = clBtnShadow;
    int FToggleIndex = -1;
    bool FToggleOnItemClick = false;
    bool FPressed = false;
};
