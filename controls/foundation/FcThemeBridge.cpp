#include "controls/foundation/FcThemeBridge.h"

#include "platform/windows/Themes.h"

namespace {

TThemedElementDetails DetailsOf(TFcThemeClass Theme, int Part)
{
    switch (Theme) {
    case TFcThemeClass::Edit:
        return TThemeServices::GetElementDetails(TThemedEdit(Part));
    case TFcThemeClass::ExplorerBar:
        return TThemeServices::GetElementDetails(TThemedExplorerBar(Part));
    case TFcThemeClass::Button:
        return TThemeServices::GetElementDetails(TThemedButton(Part));
    case TFcThemeClass::ComboBox:
        return TThemeServices::GetElementDetails(TThemedComboBox(Part));
    default:
        return TThemeServices::GetElementDetails(TThemedProgress(Part));
    }
}

void DrawOn(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R)
{
    if (Canvas != nullptr)
        ThemeServices().DrawElement(Canvas->Handle(), Details, R);
}

} // namespace

TFcThemeBridge::TFcThemeBridge()
    : ThemesEnabled([] { return ThemeServices().ThemesEnabled(); }),
      ThemeColor([](TFcThemeClass Theme, int Part, int Property) {
          return ThemeServices().GetThemeColor(DetailsOf(Theme, Part), Property);
      }),
      DrawExplorerBarBackground([](TCanvas* Canvas, const TRect& R) {
          DrawOn(Canvas, TThemeServices::GetElementDetails(tebExplorerBarRoot), R);
      }),
      DrawProgressChunks([](TCanvas* Canvas, const TRect& R, bool Vertical) {
          DrawOn(Canvas, TThemeServices::GetElementDetails(Vertical ? tpChunkVert : tpChunk), R);
      }),
      DrawComboDropDownButton([](TCanvas* Canvas, const TRect& R) {
          DrawOn(Canvas, TThemeServices::GetElementDetails(tcDropDownButtonNormal), R);
      }),
      DrawElement(
          [](TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R) { DrawOn(Canvas, Details, R); }),
      DrawText([](TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, const TRect& R,
                  unsigned Flags, unsigned Flags2) {
          if (Canvas != nullptr)
              ThemeServices().DrawText(Canvas->Handle(), Details, Text, R, Flags, Flags2);
      }),
      TextExtent([](TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, unsigned Flags) {
          TRect Extent;
          if (Canvas == nullptr
              || !ThemeServices().GetTextExtent(Canvas->Handle(), Details, Text, Flags, nullptr, Extent))
              return TSize{};
          return TSize{Extent.Width(), Extent.Height()};
      })
{}

TFcThemeBridge& FcThemeBridge()
{
    static TFcThemeBridge Bridge;
    return Bridge;
}

bool FcThemesEnabled()
{
    const TFcThemeBridge& B = FcThemeBridge();
    return B.ThemesEnabled && B.ThemesEnabled();
}

TColor FcThemeColor(TFcThemeClass Theme, int Part, int Property)
{
    const TFcThemeBridge& B = FcThemeBridge();
    return B.ThemeColor ? B.ThemeColor(Theme, Part, Property) : clNone;
}

void FcDrawThemedElement(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R)
{
    const TFcThemeBridge& B = FcThemeBridge();
    if (B.DrawElement)
        B.DrawElement(Canvas, Details, R);
}

void FcDrawThemedText(TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, const TRect& R,
                      unsigned Flags, unsigned Flags2)
{
    const TFcThemeBridge& B = FcThemeBridge();
    if (B.DrawText)
        B.DrawText(Canvas, Details, Text, R, Flags, Flags2);
}

TSize FcThemedTextExtent(TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, unsigned Flags)
{
    const TFcThemeBridge& B = FcThemeBridge();
    return B.TextExtent ? B.TextExtent(Canvas, Details, Text, Flags) : TSize{};
}
