#include "sysinfo/SiStrings.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

struct TTrailingCase {
    const char* Text;
    const char* Included;
    const char* Excluded;
};

} // namespace

TEST(SiStrings, BlankTextsAndTheTrailingDelimiter)
{
    EXPECT_TRUE(IsBlankString(""));
    EXPECT_TRUE(IsBlankString("  \t "));
    EXPECT_FALSE(IsBlankString(" x "));
    const TTrailingCase Cases[] = {
        {"/usr/lib", "/usr/lib/", "/usr/lib"},
        {"/usr/lib/", "/usr/lib/", "/usr/lib"},
        {"", "/", ""},
        {"   ", "/", "   "},
        {"/", "/", ""},
        {"a//", "a//", "a/"},
    };
    for (const TTrailingCase& C : Cases) {
        EXPECT_EQ(IncludeTrailingBackslashStr(C.Text), C.Included) << C.Text;
        EXPECT_EQ(ExcludeTrailingBackslashStr(C.Text), C.Excluded) << C.Text;
    }
}

TEST(SiStrings, KeyedCipherFollowsTheRunningKey)
{
    // Worked out by hand from the rule: byte xor (key >> 8), then
    // key := (key + cipher byte) * 52845 + 22719.
    EXPECT_EQ(EncryptKeyedBytes("Quorvy", 60734).toHex(), "bcad3cc620d8");
    EXPECT_EQ(EncryptKeyedBytes("abc", 0).toHex(), "61f21b");
    EXPECT_EQ(DecryptKeyedBytes(QByteArray::fromHex("bcad3cc620d8"), 60734), "Quorvy");
}

TEST(SiStrings, KeyedTextRoundTrips)
{
    const QString Texts[] = {QString(), QStringLiteral("Quorvy"), QStringLiteral("Ééntje € 5,-"),
                             QString::fromUtf8("\x00\x01\xff", 3), QString(300, QLatin1Char('x'))};
    for (const QString& Text : Texts) {
        const QString Cipher = EncryptKeyed(Text, 60734);
        EXPECT_EQ(Cipher.size(), Text.toUtf8().size());
        EXPECT_EQ(DecryptKeyed(Cipher, 60734), Text);
        if (!Text.isEmpty()) {
            EXPECT_NE(DecryptKeyed(Cipher, 60735), Text);
        }
    }
    // A character above 255 is no cipher byte.
    EXPECT_THROW(DecryptKeyed(QStringLiteral("a€"), 1), EConvertError);
}

TEST(SiStrings, SixBitTextRoundTripsWithPadding)
{
    EXPECT_EQ(EncodeSixBitText("abc"), "3:HF9S");
    EXPECT_EQ(EncodeSixBitText("ab"), "2:HF8P"); // padded with a blank
    EXPECT_EQ(EncodeSixBitText(""), "0:");
    EXPECT_EQ(DecodeSixBitText("3:HF9S"), "abc");
    EXPECT_EQ(DecodeSixBitText("2:HF8P"), "ab");
    EXPECT_EQ(DecodeSixBitText("0:"), "");
    QByteArray Every;
    for (int B = 0; B < 256; ++B)
        Every.append(char(B));
    const QString Encoded = EncodeSixBitBytes(Every);
    for (QChar Ch : Encoded.mid(Encoded.indexOf(QLatin1Char(':')) + 1))
        EXPECT_TRUE(Ch.unicode() >= 48 && Ch.unicode() <= 111) << int(Ch.unicode());
    EXPECT_EQ(DecodeSixBitBytes(Encoded), Every);
}

TEST(SiStrings, SixBitTextRefusesWhatTheEncoderNeverMakes)
{
    const char* Bad[] = {
        "", // no colon
        "abc", // no colon
        ":HF9S", // no length
        "x:HF9S", // length no number
        "+3:HF9S", // signs are not written
        " 3:HF9S", // nor blanks
        "3:HF9", // a group cut short
        "3:HF9Sp", // a stray character
        "3:HF9p", // 'p' (112) is outside 48..111
        "3:HF/S", // '/' (47) too
        "4:HF9S", // more bytes declared than the groups hold
        "0:HF9S", // three bytes of padding
        "9999999999:", // a length no text has
    };
    for (const char* Text : Bad) {
        QByteArray Bytes = "kept";
        EXPECT_FALSE(TryDecodeSixBitBytes(QString::fromLatin1(Text), Bytes)) << Text;
        EXPECT_EQ(Bytes, "kept") << Text;
        EXPECT_THROW(DecodeSixBitText(QString::fromLatin1(Text)), EConvertError) << Text;
    }
    EXPECT_THROW(DecodeSixBitText(QStringLiteral("3:HF9\u0100")), EConvertError);
}
