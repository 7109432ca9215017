#include "controls/foundation/FcResourceStatus.h"

#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcProgressBars.h"
#include "controls/foundation/FcSysRes.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>

REGISTER_ENUM(TDisplayStyle, dsBar, dsText)

REGISTER_CLASS(TFcResourceStrings, TPersistent)
    PUBLISHED(System, QStringLiteral("System"))
    PUBLISHED(Memory, QStringLiteral("Memory"))
END_REGISTER

REGISTER_COMPONENT(TFcResourceStatus, TFcPollingStatus)
    PUBLISHED(BackColor, clBtnFace)
    PUBLISHED(BackColorStop, clBtnFace)
    PUBLISHED(BarColor, clHighlight)
    PUBLISHED(BarColorStop, clHotLight)
    PUBLISHED(BarStyle, bsTraditional)
    PUBLISHED(DisplayStyle, dsBar)
    PUBLISHED(GradientDirection, gdHorizontalCenter)
    PUBLISHED(NumSegments, 15)
    PUBLISHED(Orientation, orHorizontal)
    PUBLISHED_OBJECT(ResourceStrings)
        .Stored(&TFcResourceStatus::ResourceStringsStored) PUBLISHED(ShowPercent, false)
            PUBLISHED_STORED(ShowHint, true, &TFcResourceStatus::IsShowHintStored) PUBLISHED(ParentShowHint, false)
END_REGISTER

// --- the strings --------------------------------------------------------------------------

void TFcResourceStrings::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcResourceStrings*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetSystem(Other->FSystem);
    SetMemory(Other->FMemory);
}

void TFcResourceStrings::DefineProperties(TFiler& Filer)
{
    TPersistent::DefineProperties(Filer);
    // The user and graphics heaps of old systems.
    Filer.DefineProperty(QStringLiteral("User"), TFcOldPropReader::SkipStringProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("GDI"), TFcOldPropReader::SkipStringProperty, nullptr, false);
}

void TFcResourceStrings::Change(String& Field, const String& Value)
{
    if (AssignIfChanged(Field, Value) && FPane != nullptr)
        FPane->ResourceStringsChanged();
}

// --- the pane -----------------------------------------------------------------------------

TFcResourceStatus::TFcResourceStatus(TComponent* AOwner)
    : TFcPollingStatus(AOwner), FResourceStrings(std::make_unique<TFcResourceStrings>(this))
{
    SetShowHint(true);
}

TFcResourceStatus::~TFcResourceStatus() = default;

void TFcResourceStatus::DefineProperties(TFiler& Filer)
{
    TFcPollingStatus::DefineProperties(Filer);
    // Which heap old systems showed; there is only memory now.
    Filer.DefineProperty(QStringLiteral("ResourceType"), TFcOldPropReader::SkipIdentProperty, nullptr, false);
}

void TFcResourceStatus::SetBarStyle(TBarStyle Value)
{
    if (SetPaintProperty(FBarStyle, Value))
        FShowPercent = false;
}

void TFcResourceStatus::ResourceStringsChanged()
{
    FResourceStringsChanged = true;
    UpdateHint();
}

void TFcResourceStatus::UpdateHint()
{
    SetHint(Format(QStringLiteral("%s: %d%%"), {FResourceStrings->Memory(), Percent()}));
}

void TFcResourceStatus::TimerExpired()
{
    const TSiMemoryStatus M = FcMemoryStatus();
    // Physical memory and swap, in KB; sums that would not fit are capped.
    const auto Sum = [](std::uint64_t A, std::uint64_t B) { return A > UINT64_MAX - B ? UINT64_MAX : A + B; };
    const std::uint64_t TotalKB = Sum(M.TotalPhys, M.TotalPageFile) >> 10;
    const std::uint64_t FreeKB = std::min(Sum(M.AvailPhys, M.AvailPageFile) >> 10, TotalKB);
    const int Percent = TotalKB == 0 ? 0 : int(std::nearbyint(double(FreeKB) / double(TotalKB) * 100));
    const bool TextChanged = FDisplayStyle == dsText && FreeKB != FFreeKB;
    FFreeKB = FreeKB;
    if (Percent != FPercent) {
        FPercent = Percent;
        UpdateHint();
        Invalidate();
    } else if (TextChanged) {
        Invalidate();
    }
    TFcPollingStatus::TimerExpired();
}

String TFcResourceStatus::FreeText() const
{
    return FloatToStrF(double(FFreeKB), ffNumber, 18, 0) + QStringLiteral(" KB");
}

void TFcResourceStatus::Paint()
{
    if (FDisplayStyle == dsText) {
        DrawFrame();
        DrawCaption(FreeText());
        return;
    }
    PaintBar();
}

void TFcResourceStatus::PaintBar()
{
    DrawFrame();
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    TRect R;
    GetTextRect(R);
    InflateRect(R, 0, -1);
    switch (FBarStyle) {
    case bsTraditional:
        PaintTraditionalBar(C, R, FOrientation, true, FShowPercent, Percent(), FBarColor, FBackColor);
        break;
    case bsLED:
        PaintLedBar(C, R, FOrientation, true, !Themed(), Percent(), FNumSegments, FBackColor, FBarColor);
        break;
    case bsGradient:
        PaintGradientBar(C, R, FOrientation, true, FShowPercent, Percent(), FGradientDirection, FBackColor,
                         FBackColorStop, FBarColor, FBarColorStop);
        break;
    }
}
