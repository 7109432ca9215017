#pragma once
// THeaderControl: a row of column headings (sections) above a list.  Each
// section has a width the user can drag (within MinWidth and MaxWidth) and
// may be clicked; a tabbed list box reads its tab stops from the widths.
#include "platform/classes/Collection.h"
#include "platform/windows/CustomControl.h"
#include "platform/stdctrls/HeaderParts.h"

class THeaderControl;

enum THeaderSectionStyle { hsText, hsOwnerDraw };
enum THeaderStyle { hsButtons, hsFlat };
enum TSectionTrackState { tsTrackBegin, tsTrackMove, tsTrackEnd };

class THeaderSection : public TCollectionItem {
public:
    explicit THeaderSection(TCollection* Collection);
    void Assign(TPersistent* Source) override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool AllowClick() const { return FAllowClick; }
    void SetAllowClick(bool Value) { FAllowClick = Value; }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    THeaderSectionStyle Style() const { return FStyle; }
    void SetStyle(THeaderSectionStyle Value);
    String Text() const { return FText; }
    void SetText(const String& Value);
    // Kept within MinWidth and MaxWidth.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    // The section's left and right edges in the header.
    int Left() const;
    int Right() const { return Left() + FWidth; }

protected:
    String GetDisplayName() const override;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAllowClick = true;
    int FMaxWidth = 10000;
    int FMinWidth = 0;
    THeaderSectionStyle FStyle = hsText;
    String FText;
    int FWidth = 50;
};

class THeaderSections : public TOwnedCollection {
public:
    explicit THeaderSections(THeaderControl* HeaderControl);
    THeaderSection* Items(int Index) const { return static_cast<THeaderSection*>(TCollection::Items(Index)); }
    THeaderSection* operator[](int Index) const { return Items(Index); }
    THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    THeaderControl* FHeaderControl;
};

using TSectionNotifyEvent = std::function<void(THeaderControl* HeaderControl, THeaderSection* Section)>;
using TSectionTrackEvent =
    std::function<void(THeaderControl* HeaderControl, THeaderSection* Section, int Width, TSectionTrackState State)>;
using TDrawSectionEvent =
    std::function<void(THeaderControl* HeaderControl, THeaderSection* Section, const TRect& Rect, bool Pressed)>;

class THeaderControl : public TCustomControl {
public:
    explicit THeaderControl(TComponent* AOwner);
    ~THeaderControl() override;

    THeaderSections* Sections() const { return FSections.get(); }
    void SetSections(THeaderSections* Value) { FSections->Assign(Value); }
    THeaderStyle Style() const { return FStyle; }
    void SetStyle(THeaderStyle Value);
    // Widths follow the mouse while a divider is dragged (else at the end).
    bool FullDrag() const { return FFullDrag; }
    void SetFullDrag(bool Value) { FFullDrag = Value; }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value) { FHotTrack = Value; }
    // The section under X (client coordinates), or -1.
    int SectionAt(int X) const;
    TRect SectionRect(int Index) const;

    DECLARE_EVENT(TSectionNotifyEvent, OnSectionClick)
    DECLARE_EVENT(TSectionNotifyEvent, OnSectionResize)
    DECLARE_EVENT(TSectionTrackEvent, OnSectionTrack)
    DECLARE_EVENT(TDrawSectionEvent, OnDrawSection)

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    std::vector<int> Rights() const;
    void Track(int X, TSectionTrackState State);

    std::unique_ptr<THeaderSections> FSections;
    THeaderStyle FStyle = hsButtons;
    bool FFullDrag = true;
    bool FHotTrack = false;
    THeaderDrag FDrag;
    int FPressed = -1;
    bool FPressedShown = false;
};
