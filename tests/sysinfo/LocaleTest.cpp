#include "sysinfo/SiLocale.h"

#include <gtest/gtest.h>

TEST(SiLocale, ClassicLanguageIdentifiers)
{
    const struct {
        QLocale Locale;
        std::uint16_t Id;
    } Cases[] = {
        {QLocale(QLocale::Dutch, QLocale::Netherlands), 0x0413},
        {QLocale(QLocale::Dutch, QLocale::Belgium), 0x0813},
        {QLocale(QLocale::English, QLocale::UnitedStates), 0x0409},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), 0x0809},
        {QLocale(QLocale::German, QLocale::Switzerland), 0x0807},
        {QLocale(QLocale::French, QLocale::Canada), 0x0C0C},
        {QLocale(QLocale::WesternFrisian, QLocale::Netherlands), 0x0462},
        {QLocale::c(), 0x0409},
        {QLocale(QLocale::Zulu, QLocale::SouthAfrica), 0x0400},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(SiLanguageId(C.Locale), C.Id) << C.Locale.name().toStdString();
}

TEST(SiLocale, ItemsInTheClassicForm)
{
    const QLocale Dutch(QLocale::Dutch, QLocale::Netherlands);
    const QLocale American(QLocale::English, QLocale::UnitedStates);
    const struct {
        int Index;
        const char* Dutch;
        const char* American;
    } Cases[] = {
        {0, "1", "1"}, // Gregorian
        {1, "2", "2"}, // currency digits
        {2, "2", "0"}, // "€ 1" against "$1"
        {4, "0", "6"}, // Monday against Sunday
        {7, "0", "1"}, // metric against US measures
        {8, "14", "0"}, // Qt's accounting forms: "(€ 1)" and "($1)"
        {9, "1", "1"}, // "-1"
        {10, "1", "0"}, // 24-hour clock against AM/PM
        {14, "-", "/"}, // date separator
        {15, ",", "."}, // decimal separator
        {17, ";", ","}, // list separator
        {21, ".", ","}, // thousands
        {26, ":", ":"}, // time separator
        {28, "Hallo", "Hallo"}, {-1, "Hallo", "Hallo"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(GetSiLocaleItem(Dutch, C.Index), QString::fromUtf8(C.Dutch)) << C.Index;
        EXPECT_EQ(GetSiLocaleItem(American, C.Index), QString::fromUtf8(C.American)) << C.Index;
    }
    // Qt's patterns in the classic picture letters.
    EXPECT_FALSE(GetSiLocaleItem(American, 27).contains(QLatin1String("AP"), Qt::CaseInsensitive));
    EXPECT_TRUE(GetSiLocaleItem(American, 27).contains(QLatin1String("tt")));
    EXPECT_TRUE(GetSiLocaleItem(Dutch, 24).contains(QLatin1String("yyyy")));
}
