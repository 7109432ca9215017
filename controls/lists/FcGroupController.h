#pragma once
// TFcGroupController (unit FcGroupBar): one set of appearance values for
// groups - colours, fonts, caption and item metrics, selection settings -
// pushed to every TFcGroup whose GroupController names it: all at once when
// a group joins, property by property when a value changes.  A group with a
// controller leaves the controlled properties out of its form definition.
#include "controls/foundation/FcRegIniFile.h"
#include "controls/lists/FcGroupTypes.h"
#include "platform/classes/Component.h"
#include "platform/graphics/Font.h"

#include <memory>
#include <vector>

class TFcGroup;

// The property indexes of UpdateGroup; 0 pushes them all.
enum TFcGroupControllerProperty {
    gcpAll,
    gcpBorderColor,
    gcpCaptionColor,
    gcpCaptionColorStart,
    gcpCaptionColorStop,
    gcpCaptionFont,
    gcpCaptionHeight,
    gcpCaptionHotColor,
    gcpColor,
    gcpParentColor,
    gcpDividerColor,
    gcpDividerVisible,
    gcpFont,
    gcpParentFont,
    gcpItemHeight,
    gcpItemHotColor,
    gcpItemIndent,
    gcpItemStaticFont,
    gcpSelectionColor,
    gcpSelectionShadowColor,
    gcpSelectionFrameColor,
    gcpShowItemSelection,
    gcpItemSelectionStyle,
    gcpIgnoreSelectedItemClick
};

class TFcGroupController : public TComponent {
public:
    explicit TFcGroupController(TComponent* AOwner);
    ~TFcGroupController() override;

    // From another controller every value but Font and RegIniFile, pushed
    // once at the end.
    void Assign(TPersistent* Source) override;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    // A group names the controller: it is listed and given every value.
    void RegisterGroup(TFcGroup* Group);
    void UnregisterGroup(TFcGroup* Group);
    const std::vector<TFcGroup*>& Groups() const { return FGroups; }
    // Sets one property (or all) of Group through the group's setters.
    virtual void UpdateGroup(TFcGroup* Group, int PropertyIndex);
    // UpdateGroup for every group, unless an update runs.
    virtual void UpdateGroups(int PropertyIndex);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value);
    TColor CaptionColorStart() const { return FCaptionColorStart; }
    void SetCaptionColorStart(TColor Value);
    TColor CaptionColorStop() const { return FCaptionColorStop; }
    void SetCaptionColorStop(TColor Value);
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* Value);
    int CaptionHeight() const { return FCaptionHeight; }
    // At least 16.
    void SetCaptionHeight(int Value);
    TColor CaptionHotColor() const { return FCaptionHotColor; }
    void SetCaptionHotColor(TColor Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor DividerColor() const { return FDividerColor; }
    void SetDividerColor(TColor Value);
    bool DividerVisible() const { return FDividerVisible; }
    void SetDividerVisible(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    TColor ItemHotColor() const { return FItemHotColor; }
    void SetItemHotColor(TColor Value);
    std::uint8_t ItemIndent() const { return FItemIndent; }
    void SetItemIndent(std::uint8_t Value);
    TFont* ItemStaticFont() const { return FItemStaticFont.get(); }
    void SetItemStaticFont(TFont* Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionShadowColor() const { return FSelectionShadowColor; }
    void SetSelectionShadowColor(TColor Value);
    TColor SelectionFrameColor() const { return FSelectionFrameColor; }
    void SetSelectionFrameColor(TColor Value);
    bool ShowItemSelection() const { return FShowItemSelection; }
    void SetShowItemSelection(bool Value);
    TFcItemSelectionStyle ItemSelectionStyle() const { return FItemSelectionStyle; }
    void SetItemSelectionStyle(TFcItemSelectionStyle Value);
    bool IgnoreSelectedItemClick() const { return FIgnoreSelectedItemClick; }
    void SetIgnoreSelectedItemClick(bool Value);
    // Only kept: nothing of the group bar reads or writes settings here.
    TFcRegIniFile* RegIniFile() const { return FRegIniFile; }
    void SetRegIniFile(TFcRegIniFile* Value);

    bool IsCaptionFontStored() const { return FCaptionFontChanged; }
    bool IsItemStaticFontStored() const { return FItemStaticFontChanged; }
    void DefineProperties(TFiler& Filer) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    template <typename T>
    void Change(T& Field, const T& Value, int PropertyIndex);
    template <typename F>
    void ChangeFontQuietly(TFont* Font, F&& Change);
    void FontChanged();
    void OwnFontChanged(bool& ChangedFlag, int PropertyIndex);

    std::vector<TFcGroup*> FGroups;
    int FUpdateCount = 0;
    int FQuietFontChanges = 0;
    TFcRegIniFile* FRegIniFile = nullptr;
    TColor FBorderColor = clBtnHighlight;
    TColor FCaptionColor = clHighlightText;
    TColor FCaptionColorStart = clWindow;
    TColor FCaptionColorStop = clBtnFace;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FCaptionFont;
    bool FCaptionFontChanged = false;
    int FCaptionHeight = 20;
    TColor FCaptionHotColor = clHotLight;
    TColor FColor = clBtnFace;
    TColor FDividerColor = clHighlight;
    bool FDividerVisible = false;
    int FItemHeight = 20;
    TColor FItemHotColor = clHotLight;
    std::uint8_t FItemIndent = 20;
    std::unique_ptr<TFont> FItemStaticFont;
    bool FItemStaticFontChanged = false;
    bool FParentColor = false;
    bool FParentFont = false;
    TColor FSelectionColor = clBtnFace;
    TColor FSelectionShadowColor = clBtnShadow;
    TColor FSelectionFrameColor = cl3DDkShadow;
    bool FShowItemSelection = false;
    TFcItemSelectionStyle FItemSelectionStyle = issImageAndCaption;
    bool FIgnoreSelectedItemClick = true;
};
