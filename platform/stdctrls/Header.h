#pragma once
// THeader: the older column heading control.  Its sections are a string
// list of captions, each with a width (SectionWidth) the user can drag
// when AllowResize; a tabbed list box reads its tab stops from the widths.
#include "platform/windows/CustomControl.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/HeaderParts.h"

#include <vector>

using TSectionEvent = std::function<void(TObject* Sender, int ASection, int AWidth)>;

class THeader : public TCustomControl {
public:
    explicit THeader(TComponent* AOwner);
    ~THeader() override;

    bool AllowResize() const { return FAllowResize; }
    void SetAllowResize(bool Value) { FAllowResize = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TStrings* Sections() const { return FSections.get(); }
    void SetSections(TStrings* Value) { FSections->Assign(Value); }
    // A section added to the list starts DefaultSectionWidth wide; widths
    // below 0 become 0.
    static constexpr int DefaultSectionWidth = 50;
    int SectionWidth(int Index) const;
    void SetSectionWidth(int Index, int Value);
    DECLARE_EVENT(TSectionEvent, OnSizing)
    DECLARE_EVENT(TSectionEvent, OnSized)

    void DefineProperties(TFiler& Filer) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    void SectionsChanged();
    std::vector<int> Rights() const;

    bool FAllowResize = true;
    TBorderStyle FBorderStyle = bsSingle;
    std::unique_ptr<TStringList> FSections;
    std::vector<int> FWidths;
    THeaderDrag FDrag;
};
