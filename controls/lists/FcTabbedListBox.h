#pragma once
// TFcCustomTabbedListBox: the framed list box for items whose text holds
// columns separated by tab characters.  Its tab stops are kept in a
// TFcTabStopList in character units (a stop n lies n average character
// widths of the list's font from the item's left edge; a negative stop -n
// ends a right-aligned column there), handed to the window in dialog units
// and used to paint items and group headers.  The stops can be worked out
// from the widest text of each column (tsmAutomatic) or taken from a
// header control, and single cells can be read and written.
//
// Stops are worked out in 64 bits and clamped to what an integer holds;
// the character width is never below 1; stops worked out anew are applied
// to the window, also when none remain.
#include "controls/lists/FcIntegerList.h"
#include "controls/lists/FcListBox.h"

#include <vector>

DECLARE_EXCEPTION(EHeaderError, Exception)

class TFcCustomTabbedListBox;

// The tab stops of a tabbed list box: every change reaches its list.
class TFcTabStopList : public TFcIntegerList {
public:
    TFcTabStopList();
    TFcCustomTabbedListBox* ListBox() const { return FListBox; }
    void SetListBox(TFcCustomTabbedListBox* Value) { FListBox = Value; }

    void Put(int Index, std::int32_t Value) override;
    int Add(std::int32_t Value) override;
    void Insert(int Index, std::int32_t Value) override;
    void Delete(int Index) override;

private:
    void Apply();
    TFcCustomTabbedListBox* FListBox = nullptr;
};

enum TFcTabStopsMode { tsmManual, tsmAutomatic };

class TFcCustomTabbedListBox : public TFcCustomListBox {
public:
    // Stops beyond this many reach neither the window nor the painter.
    static constexpr int MaxTabStops = 1000;

    explicit TFcCustomTabbedListBox(TComponent* AOwner);
    ~TFcCustomTabbedListBox() override;

    TFcTabStopList* TabStops() const { return FTabStops.get(); }
    void SetTabStops(TFcTabStopList* Value);
    bool IsTabStopsStored() const { return FTabStops->Count() > 0; }
    TFcTabStopsMode TabStopsMode() const { return FTabStopsMode; }
    void SetTabStopsMode(TFcTabStopsMode Value);
    // The average character width of the font, in pixels (at least 1).
    int CharWidth() const { return FCharWidth; }

    // The stops in dialog units (a quarter of the character width), at
    // most MaxTabStops of them.
    virtual std::vector<int> GetTabStops();
    // The stops in pixels of the list's font, as items are painted with.
    std::vector<int> TabStopPixels();
    // The text of column Col (0: before the first tab) of item Row.
    virtual String GetCell(int Col, int Row);
    void SetCell(int Col, int Row, const String& Value);
    String Cells(int Col, int Row) { return GetCell(Col, Row); }
    void SetCells(int Col, int Row, const String& Value) { SetCell(Col, Row, Value); }
    // Each column as wide as its widest text (group headers in the group
    // font).
    virtual void CalcTabStops();
    // The stops follow the sections of a THeader or THeaderControl.
    virtual void UpdateFromHeader(TControl* Header);
    // The stops to the window (LB_SETTABSTOPS) and a repaint.
    void ApplyTabStops();
    void UpdateHorzExtent() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void CMFontChanged(TMessage& Message) override;
    void GroupFontChanged() override;
    void ItemsChanged() override;
    void DrawGroup(int Index, TRect Rect, TOwnerDrawState State) override;
    void DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    // Extra width of the first column when the stops are worked out (a
    // check list's glyph).
    virtual int GetFirstColumnExtra() { return 0; }
    // Text with its tabs at the stops, 2 pixels in from the leading edge
    // and centred in the item's height, clipped to R.
    void DrawTabbedText(const TRect& R, const String& Text);

private:
    void MeasureCharWidth();
    void CheckCell(int Col, int Row, QStringList& Cells);

    std::unique_ptr<TFcTabStopList> FTabStops;
    TFcTabStopsMode FTabStopsMode = tsmManual;
    int FCharWidth = 6;
};
