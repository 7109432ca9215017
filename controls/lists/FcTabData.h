#pragma once
// The per-tab record of the tab strip and its owning list, the rectangle
// object rows are rotated with, and three rectangle functions.  The tab
// control owns one list for its whole life; a page control fills it from
// its pages.
#include "controls/lists/FcTabTypes.h"
#include "platform/graphics/Colors.h"

#include <memory>
#include <vector>

class TFcTabData : public TPersistent {
public:
    // Caption, DisabledIndex, ImageIndex, Color, Enabled, Visible and Hint
    // of another record; its rectangle and row stay this record's own.
    void Assign(TPersistent* Source) override;

    // May hold "&" accelerators and "\r\n" line breaks.
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    // The tab's own colour, used while the control's UseColoredTabs is on.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // The image shown while the tab is disabled (-1: none).
    int DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(int Value) { FDisabledIndex = Value; }
    // A disabled tab cannot become current.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    String Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    // An invisible tab takes no room and is never hit, drawn or selected.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    // The tab's place in strip coordinates, as the layout left it.
    TRect TabRect() const { return FTabRect; }
    void SetTabRect(const TRect& Value) { FTabRect = Value; }
    // The row of a multi-line strip; row 0 lies against the page.
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }

private:
    String FCaption;
    TColor FColor = clBtnFace;
    int FDisabledIndex = -1;
    bool FEnabled = true;
    String FHint;
    int FImageIndex = -1;
    TRect FTabRect{0, 0, 0, 0};
    bool FVisible = true;
    int FRow = 0;
};

// The records in tab order; the list owns them.
class TFcTabDataList : public TPersistent {
public:
    TFcTabDataList();
    ~TFcTabDataList() override;
    // Clears this list and appends a copy of each record of another list.
    void Assign(TPersistent* Source) override;

    virtual int Count() const;
    virtual TFcTabData* Items(int Index) const;
    // Frees the record that stood at Index and keeps Value there; storing
    // the record that already stands there changes nothing.
    void SetItems(int Index, TFcTabData* Value);

    // Appends Value and takes it over.
    void Add(TFcTabData* Value);
    // Frees every record.
    void Clear();

private:
    std::vector<std::unique_ptr<TFcTabData>> FItems;
};

// One rectangle, as a list element while multi-line rows are rotated.
class TRectClass : public TObject {
public:
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Left, Top, Right and Bottom all 0.
bool IsZeroRect(const TRect& R);
// Left and Top become the smaller, Right and Bottom the larger of each pair.
void NormalizeRectCorners(TRect& R);
// PtInRect on a normalised copy of R.
bool PtInNormalizedRect(const TRect& R, TPoint P);
