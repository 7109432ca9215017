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

#include "tests/support/ImageHelpers.h"

#include <map>
#include <string>
#include <vector>

// The background every painting test starts from; no painter uses it.
inline constexpr COLORREF TestBackground = 0x00FF00;

// A picture in letters, one string per row.
using TLetterMap = std::vector<std::string>;

// Template with each letter replaced as Letters says (others kept).
inline TLetterMap Relettered(const TLetterMap& Template, const std::map<char, char>& Letters)
{
    TLetterMap Result = Template;
    for (std::string& Row : Result)
        for (char& Ch : Row)
            if (const auto It = Letters.find(Ch); It != Letters.end())
                Ch = It->second;
    return Result;
}

// Compares the image with a letter map: '.' is TestBackground, every
// other letter the colour the legend gives it.
inline ::testing::AssertionResult MatchesMap(const QImage& Image, const TLetterMap& Map,
                                             const std::map<char, TColor>& Legend)
{
    if (int(Map.size()) != Image.height())
        return ::testing::AssertionFailure() << "the map has " << Map.size() << " rows, the image "
                                             << Image.height();
    return PixelsMatch(Image, [&](int X, int Y, COLORREF& Want) {
        const char L = Map[std::size_t(Y)][std::size_t(X)];
        Want = L == '.' ? TestBackground : ColorToRGB(Legend.at(L));
        return true;
    });
}

// The colour of a COLORREF, for tables of expected colours.
inline TColor C(COLORREF Value)
{
    return TColor(std::int32_t(Value));
}
