#include "sysinfo/SiStrings.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr int SixBitBase = 48;
constexpr int SixBitLast = SixBitBase + 63;

QByteArray ApplyKeyed(const QByteArray& Input, std::uint16_t Key, bool Encrypting)
{
    QByteArray Output(Input.size(), Qt::Uninitialized);
    std::uint32_t Running = Key;
    for (qsizetype I = 0; I < Input.size(); ++I) {
        const auto In = std::uint8_t(Input[I]);
        const auto Out = std::uint8_t(In ^ std::uint8_t(Running >> 8));
        Output[I] = char(Out);
        const std::uint32_t CipherByte = Encrypting ? Out : In;
        Running = (Running + CipherByte) * 52845u + 22719u;
    }
    return Output;
}

bool IsSixBitChar(QChar Ch)
{
    return Ch.unicode() >= SixBitBase && Ch.unicode() <= SixBitLast;
}

// The declared length: decimal digits only, and no more than fits an int.
bool ParseLength(QStringView Digits, qsizetype& Length)
{
    if (Digits.isEmpty() || Digits.size() > 9)
        return false;
    Length = 0;
    for (QChar Ch : Digits) {
        if (Ch < QLatin1Char('0') || Ch > QLatin1Char('9'))
            return false;
        Length = Length * 10 + (Ch.unicode() - u'0');
    }
    return true;
}

} // namespace

bool IsBlankString(const String& Text)
{
    return Trim(Text).isEmpty();
}

String IncludeTrailingBackslashStr(const String& Text)
{
    if (IsBlankString(Text))
        return String(PathDelim);
    return Text.endsWith(PathDelim) ? Text : Text + PathDelim;
}

String ExcludeTrailingBackslashStr(const String& Text)
{
    if (IsBlankString(Text) || !Text.endsWith(PathDelim))
        return Text;
    return Text.left(Text.size() - 1);
}

QByteArray EncryptKeyedBytes(const QByteArray& Plain, std::uint16_t Key)
{
    return ApplyKeyed(Plain, Key, true);
}

QByteArray DecryptKeyedBytes(const QByteArray& Cipher, std::uint16_t Key)
{
    return ApplyKeyed(Cipher, Key, false);
}

String EncryptKeyed(const String& Text, std::uint16_t Key)
{
    return QString::fromLatin1(EncryptKeyedBytes(Text.toUtf8(), Key));
}

String DecryptKeyed(const String& Cipher, std::uint16_t Key)
{
    for (QChar Ch : Cipher)
        if (Ch.unicode() > 0xFF)
            throw EConvertError(QStringLiteral("Invalid cipher text"));
    return QString::fromUtf8(DecryptKeyedBytes(Cipher.toLatin1(), Key));
}

String EncodeSixBitBytes(const QByteArray& Bytes)
{
    QByteArray Padded = Bytes;
    while (Padded.size() % 3 != 0)
        Padded.append(' ');
    String Result = QString::number(Bytes.size()) + QLatin1Char(':');
    Result.reserve(Result.size() + Padded.size() / 3 * 4);
    for (qsizetype I = 0; I < Padded.size(); I += 3) {
        const std::uint32_t V = std::uint32_t(std::uint8_t(Padded[I])) << 16
            | std::uint32_t(std::uint8_t(Padded[I + 1])) << 8 | std::uint8_t(Padded[I + 2]);
        for (int Shift = 18; Shift >= 0; Shift -= 6)
            Result.append(QChar(char16_t(((V >> Shift) & 63) + SixBitBase)));
    }
    return Result;
}

bool TryDecodeSixBitBytes(const String& Text, QByteArray& Bytes)
{
    const qsizetype Colon = Text.indexOf(QLatin1Char(':'));
    qsizetype Length = 0;
    if (Colon < 0 || !ParseLength(QStringView(Text).left(Colon), Length))
        return false;
    const QStringView Groups = QStringView(Text).mid(Colon + 1);
    if (Groups.size() % 4 != 0)
        return false;
    const qsizetype Decoded = Groups.size() / 4 * 3;
    // The encoder pads with at most two bytes.
    if (Length > Decoded || Decoded - Length > 2)
        return false;
    QByteArray Result;
    Result.reserve(Decoded);
    for (qsizetype I = 0; I < Groups.size(); I += 4) {
        std::uint32_t V = 0;
        for (qsizetype J = I; J < I + 4; ++J) {
            if (!IsSixBitChar(Groups[J]))
                return false;
            V = V << 6 | std::uint32_t(Groups[J].unicode() - SixBitBase);
        }
        Result.append(char(V >> 16)).append(char(V >> 8)).append(char(V));
    }
    Result.truncate(Length);
    Bytes = Result;
    return true;
}

String EncodeSixBitText(const String& Text)
{
    return EncodeSixBitBytes(Text.toUtf8());
}

QByteArray DecodeSixBitBytes(const String& Text)
{
    QByteArray Bytes;
    if (!TryDecodeSixBitBytes(Text, Bytes))
        throw EConvertError(QStringLiteral("Invalid six-bit text"));
    return Bytes;
}

String DecodeSixBitText(const String& Text)
{
    return QString::fromUtf8(DecodeSixBitBytes(Text));
}
