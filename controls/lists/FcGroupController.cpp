#include "controls/lists/FcGroupController.h"

#include "controls/foundation/FcOldPropReader.h"
#include "controls/lists/FcGroup.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

// The .Stored() rules would make the formatter run the list together.
// clang-format off
REGISTER_COMPONENT(TFcGroupController, TComponent)
    PUBLISHED(BorderColor, clBtnHighlight)
    PUBLISHED(CaptionColor, clHighlightText)
    PUBLISHED(CaptionColorStart, clWindow)
    PUBLISHED(CaptionColorStop, clBtnFace)
    PUBLISHED_OBJECT(CaptionFont).Stored(&TFcGroupController::IsCaptionFontStored)
    PUBLISHED(CaptionHeight, 20)
    PUBLISHED(CaptionHotColor, clHotLight)
    PUBLISHED_STORED(Color, clBtnFace, [](const TFcGroupController& C) { return !C.ParentColor(); })
    PUBLISHED(DividerColor, clHighlight)
    PUBLISHED(DividerVisible, false)
    PUBLISHED_OBJECT(Font).Stored([](const TFcGroupController& C) { return !C.ParentFont(); })
    PUBLISHED(ItemHeight, 20)
    PUBLISHED(ItemHotColor, clHotLight)
    PUBLISHED(ItemIndent, 20)
    PUBLISHED_OBJECT(ItemStaticFont).Stored(&TFcGroupController::IsItemStaticFontStored)
    PUBLISHED(ParentColor, false)
    // The value a controller starts with, so that what is saved loads back
    // as it was saved.
    PUBLISHED(ParentFont, false)
    PUBLISHED(SelectionColor, clBtnFace)
    PUBLISHED(SelectionShadowColor, clBtnShadow)
    PUBLISHED(SelectionFrameColor, cl3DDkShadow)
    PUBLISHED(ShowItemSelection, false)
    PUBLISHED(ItemSelectionStyle, issImageAndCaption)
    PUBLISHED(IgnoreSelectedItemClick, true)
    PUBLISHED(RegIniFile, nullptr)
END_REGISTER
// clang-format on

TFcGroupController::TFcGroupController(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FCaptionFont(std::make_unique<TFont>()),
      FItemStaticFont(std::make_unique<TFont>())
{
    FFont->SetColor(clWindowText);
    FCaptionFont->Assign(FFont.get());
    FCaptionFont->SetStyle({fsBold});
    FCaptionFont->SetColor(clHighlight);
    FItemStaticFont->Assign(FFont.get());
    FFont->SetOnChange([this](TObject*) { FontChanged(); });
    FCaptionFont->SetOnChange([this](TObject*) { OwnFontChanged(FCaptionFontChanged, gcpCaptionFont); });
    FItemStaticFont->SetOnChange([this](TObject*) { OwnFontChanged(FItemStaticFontChanged, gcpItemStaticFont); });
}

TFcGroupController::~TFcGroupController()
{
    // The groups keep their values; each hears of the controller going
    // through its free notification.
    FGroups.clear();
}

// --- groups ----------------------------------------------------------------------------------------

void TFcGroupController::RegisterGroup(TFcGroup* Group)
{
    if (Group == nullptr || std::find(FGroups.begin(), FGroups.end(), Group) != FGroups.end())
        return;
    FGroups.push_back(Group);
    UpdateGroup(Group, gcpAll);
}

void TFcGroupController::UnregisterGroup(TFcGroup* Group)
{
    FGroups.erase(std::remove(FGroups.begin(), FGroups.end(), Group), FGroups.end());
}

void TFcGroupController::UpdateGroups(int PropertyIndex)
{
    if (FUpdateCount != 0)
        return;
    for (TFcGroup* G : std::vector<TFcGroup*>(FGroups))
        UpdateGroup(G, PropertyIndex);
}

void TFcGroupController::UpdateGroup(TFcGroup* G, int PropertyIndex)
{
    if (G == nullptr)
        return;
    const bool All = PropertyIndex == gcpAll;
    const auto Is = [PropertyIndex](TFcGroupControllerProperty P) { return PropertyIndex == P; };
    if (All || Is(gcpParentColor))
        G->SetParentColor(FParentColor);
    if ((All && !FParentColor) || Is(gcpColor))
        G->SetColor(FColor);
    if (All || Is(gcpParentFont))
        G->SetParentFont(FParentFont);
    if ((All && !FParentFont) || Is(gcpFont))
        G->SetFont(FFont.get());
    if (All || Is(gcpBorderColor))
        G->SetBorderColor(FBorderColor);
    if (All || Is(gcpCaptionColor))
        G->SetCaptionColor(FCaptionColor);
    if (All || Is(gcpCaptionColorStart))
        G->SetCaptionColorStart(FCaptionColorStart);
    if (All || Is(gcpCaptionColorStop))
        G->SetCaptionColorStop(FCaptionColorStop);
    if (All || Is(gcpCaptionFont))
        G->SetCaptionFont(FCaptionFont.get());
    if (All || Is(gcpCaptionHeight))
        G->SetCaptionHeight(FCaptionHeight);
    if (All || Is(gcpCaptionHotColor))
        G->SetCaptionHotColor(FCaptionHotColor);
    if (All || Is(gcpDividerColor))
        G->SetDividerColor(FDividerColor);
    if (All || Is(gcpDividerVisible))
        G->SetDividerVisible(FDividerVisible);
    if (All || Is(gcpItemHeight))
        G->SetItemHeight(FItemHeight);
    if (All || Is(gcpItemHotColor))
        G->SetItemHotColor(FItemHotColor);
    if (All || Is(gcpItemIndent))
        G->SetItemIndent(FItemIndent);
    if (All || Is(gcpItemStaticFont))
        G->SetItemStaticFont(FItemStaticFont.get());
    if (All || Is(gcpSelectionColor))
        G->SetSelectionColor(FSelectionColor);
    if (All || Is(gcpSelectionShadowColor))
        G->SetSelectionShadowColor(FSelectionShadowColor);
    if (All || Is(gcpSelectionFrameColor))
        G->SetSelectionFrameColor(FSelectionFrameColor);
    if (All || Is(gcpShowItemSelection))
        G->SetShowItemSelection(FShowItemSelection);
    if (All || Is(gcpItemSelectionStyle))
        G->SetItemSelectionStyle(FItemSelectionStyle);
    if (All || Is(gcpIgnoreSelectedItemClick))
        G->SetIgnoreSelectedItemClick(FIgnoreSelectedItemClick);
}

void TFcGroupController::EndUpdate()
{
    --FUpdateCount;
    if (FUpdateCount >= 1)
        return;
    FUpdateCount = 0;
    UpdateGroups(gcpAll);
}

void TFcGroupController::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcGroupController*>(Source);
    if (Other == nullptr) {
        TComponent::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        SetBorderColor(Other->FBorderColor);
        SetCaptionColor(Other->FCaptionColor);
        SetCaptionColorStart(Other->FCaptionColorStart);
        SetCaptionColorStop(Other->FCaptionColorStop);
        SetCaptionHotColor(Other->FCaptionHotColor);
        SetCaptionHeight(Other->FCaptionHeight);
        SetCaptionFont(Other->FCaptionFont.get());
        SetColor(Other->FColor);
        SetDividerVisible(Other->FDividerVisible);
        SetDividerColor(Other->FDividerColor);
        SetItemHotColor(Other->FItemHotColor);
        SetItemHeight(Other->FItemHeight);
        SetItemIndent(Other->FItemIndent);
        SetItemStaticFont(Other->FItemStaticFont.get());
        SetSelectionColor(Other->FSelectionColor);
        SetSelectionShadowColor(Other->FSelectionShadowColor);
        SetSelectionFrameColor(Other->FSelectionFrameColor);
        SetShowItemSelection(Other->FShowItemSelection);
        SetItemSelectionStyle(Other->FItemSelectionStyle);
        SetIgnoreSelectedItemClick(Other->FIgnoreSelectedItemClick);
        SetParentColor(Other->FParentColor);
        SetParentFont(Other->FParentFont);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// --- properties -------------------------------------------------------------------------------------

template <typename T>
void TFcGroupController::Change(T& Field, const T& Value, int PropertyIndex)
{
    if (AssignIfChanged(Field, Value))
        UpdateGroups(PropertyIndex);
}

void TFcGroupController::SetBorderColor(TColor Value)
{
    Change(FBorderColor, Value, gcpBorderColor);
}

void TFcGroupController::SetCaptionColor(TColor Value)
{
    Change(FCaptionColor, Value, gcpCaptionColor);
}

void TFcGroupController::SetCaptionColorStart(TColor Value)
{
    Change(FCaptionColorStart, Value, gcpCaptionColorStart);
}

void TFcGroupController::SetCaptionColorStop(TColor Value)
{
    Change(FCaptionColorStop, Value, gcpCaptionColorStop);
}

void TFcGroupController::SetCaptionHeight(int Value)
{
    Change(FCaptionHeight, std::max(Value, 16), gcpCaptionHeight);
}

void TFcGroupController::SetCaptionHotColor(TColor Value)
{
    Change(FCaptionHotColor, Value, gcpCaptionHotColor);
}

void TFcGroupController::SetColor(TColor Value)
{
    Change(FColor, Value, gcpColor);
}

void TFcGroupController::SetDividerColor(TColor Value)
{
    Change(FDividerColor, Value, gcpDividerColor);
}

void TFcGroupController::SetDividerVisible(bool Value)
{
    Change(FDividerVisible, Value, gcpDividerVisible);
}

void TFcGroupController::SetItemHeight(int Value)
{
    Change(FItemHeight, Value, gcpItemHeight);
}

void TFcGroupController::SetItemHotColor(TColor Value)
{
    Change(FItemHotColor, Value, gcpItemHotColor);
}

void TFcGroupController::SetItemIndent(std::uint8_t Value)
{
    Change(FItemIndent, Value, gcpItemIndent);
}

void TFcGroupController::SetSelectionColor(TColor Value)
{
    Change(FSelectionColor, Value, gcpSelectionColor);
}

void TFcGroupController::SetSelectionShadowColor(TColor Value)
{
    Change(FSelectionShadowColor, Value, gcpSelectionShadowColor);
}

void TFcGroupController::SetSelectionFrameColor(TColor Value)
{
    Change(FSelectionFrameColor, Value, gcpSelectionFrameColor);
}

void TFcGroupController::SetShowItemSelection(bool Value)
{
    Change(FShowItemSelection, Value, gcpShowItemSelection);
}

void TFcGroupController::SetItemSelectionStyle(TFcItemSelectionStyle Value)
{
    Change(FItemSelectionStyle, Value, gcpItemSelectionStyle);
}

void TFcGroupController::SetIgnoreSelectedItemClick(bool Value)
{
    Change(FIgnoreSelectedItemClick, Value, gcpIgnoreSelectedItemClick);
}

void TFcGroupController::SetParentColor(bool Value)
{
    if (!AssignIfChanged(FParentColor, Value))
        return;
    UpdateGroups(gcpParentColor);
    if (!Value)
        UpdateGroups(gcpColor);
}

void TFcGroupController::SetParentFont(bool Value)
{
    if (!AssignIfChanged(FParentFont, Value))
        return;
    UpdateGroups(gcpParentFont);
    if (!Value)
        UpdateGroups(gcpFont);
}

void TFcGroupController::SetRegIniFile(TFcRegIniFile* Value)
{
    if (FRegIniFile == Value)
        return;
    FRegIniFile = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

// --- fonts --------------------------------------------------------------------------------------------

template <typename F>
void TFcGroupController::ChangeFontQuietly(TFont* Font, F&& Change)
{
    ++FQuietFontChanges;
    try {
        Change(Font);
    } catch (...) {
        --FQuietFontChanges;
        throw;
    }
    --FQuietFontChanges;
}

void TFcGroupController::SetFont(TFont* Value)
{
    FFont->Assign(Value);
}

void TFcGroupController::SetCaptionFont(TFont* Value)
{
    FCaptionFont->Assign(Value);
}

void TFcGroupController::SetItemStaticFont(TFont* Value)
{
    FItemStaticFont->Assign(Value);
}

void TFcGroupController::OwnFontChanged(bool& ChangedFlag, int PropertyIndex)
{
    if (FQuietFontChanges > 0)
        return;
    ChangedFlag = true;
    UpdateGroups(PropertyIndex);
}

// The caption and item fonts follow the font unless they were set on
// their own; the groups get all three.
void TFcGroupController::FontChanged()
{
    if (!FCaptionFontChanged)
        ChangeFontQuietly(FCaptionFont.get(), [this](TFont* F) {
            F->SetName(FFont->Name());
            F->SetSize(FFont->Size());
            F->SetStyle({fsBold});
        });
    if (!FItemStaticFontChanged)
        ChangeFontQuietly(FItemStaticFont.get(), [this](TFont* F) { F->Assign(FFont.get()); });
    UpdateGroups(gcpFont);
    if (!FCaptionFontChanged)
        UpdateGroups(gcpCaptionFont);
    if (!FItemStaticFontChanged)
        UpdateGroups(gcpItemStaticFont);
}

// --- streaming and notifications ---------------------------------------------------------------------

void TFcGroupController::Loaded()
{
    TComponent::Loaded();
    UpdateGroups(gcpAll);
}

void TFcGroupController::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FRegIniFile)
        FRegIniFile = nullptr;
    if (auto* G = dynamic_cast<TFcGroup*>(AComponent))
        UnregisterGroup(G);
}

void TFcGroupController::DefineProperties(TFiler& Filer)
{
    TComponent::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("UseGradients"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
}
