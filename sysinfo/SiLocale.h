#pragma once
// Locale facts in the classic form: language identifiers, their names and
// the 28 locale items the system-information component publishes, all taken
// from Qt's view of the user's locale.
#include "platform/rtl/System.h"

#include <QLocale>
#include <cstdint>

// The classic language identifier of Locale (primary language in the low
// ten bits, sublanguage above): 0x0413 for Dutch in the Netherlands.  The
// C locale counts as English (United States); a language without a classic
// identifier gives 0x0400 (the user's default).
std::uint16_t SiLanguageId(const QLocale& Locale);
// The default language: the identifier of the user's locale and its name
// ("Nederlands (Nederland)").
std::uint16_t GetDefaultLanguageId();
String GetDefaultLanguageName();

// The locale items in the component's order (0 calendar type ... 27 short
// time format); "Hallo" for a number outside 0..27, the classic default.
inline constexpr int SiLocaleItemCount = 28;
String GetSiLocaleItem(const QLocale& Locale, int Index);
