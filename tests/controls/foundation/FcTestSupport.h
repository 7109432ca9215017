#pragma once
// Shared pieces of the control foundation's tests: the process-wide colour
// state and theme bridge set for one test and put back afterwards.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcThemeBridge.h"

// Sets the themes switch, the scheme and the many-colours flag for the
// life of the object; everything is restored afterwards.
class TColorStateGuard {
public:
    TColorStateGuard(bool Themes, std::uint8_t Scheme = XpSchemeBlue, bool Many = true)
        : FBridge(FcThemeBridge()), FScheme(XpColorScheme()), FMany(ManyColors())
    {
        FcThemeBridge().ThemesEnabled = [Themes] { return Themes; };
        SetXpColorScheme(Scheme);
        SetManyColors(Many);
    }
    ~TColorStateGuard()
    {
        FcThemeBridge() = FBridge;
        SetXpColorScheme(FScheme);
        SetManyColors(FMany);
    }
    TColorStateGuard(const TColorStateGuard&) = delete;
    TColorStateGuard& operator=(const TColorStateGuard&) = delete;

private:
    TFcThemeBridge FBridge;
    std::uint8_t FScheme;
    bool FMany;
};
