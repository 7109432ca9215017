#pragma once
// The string routines of the system-information library: blank tests, the
// trailing path delimiter, a keyed byte cipher and a six-bit text encoding
// that turns any bytes into characters an ini file can hold.
//
// The keyed cipher is obfuscation, not protection: anyone with the program
// (or a few known texts) recovers the key, so nothing secret may rely on it.
//
// Text goes into the cipher and the six-bit encoding as UTF-8 bytes.  A
// cipher text is a byte string; as a String it holds one character (0 to
// 255) per byte.
#include "platform/rtl/System.h"

#include <QByteArray>
#include <cstdint>

// True when Text is empty or holds only blanks (and control characters).
bool IsBlankString(const String& Text);
// The names keep the classic library's; the delimiter is this platform's
// ('/').  Include adds one unless present, and a blank text becomes the
// delimiter alone; Exclude removes one (a blank text is returned as it is).
String IncludeTrailingBackslashStr(const String& Text);
String ExcludeTrailingBackslashStr(const String& Text);

// --- keyed cipher (obfuscation only) ----------------------------------------
// Each byte is XORed with bits 8 to 15 of a running key that starts as Key
// and then becomes (key + c) * 52845 + 22719 in 32-bit unsigned arithmetic,
// c being the cipher byte.  The output has the input's length.
QByteArray EncryptKeyedBytes(const QByteArray& Plain, std::uint16_t Key);
QByteArray DecryptKeyedBytes(const QByteArray& Cipher, std::uint16_t Key);
// Text as UTF-8 in, the cipher bytes as a String of characters 0..255 out.
String EncryptKeyed(const String& Text, std::uint16_t Key);
// The inverse.  EConvertError when Cipher holds a character above 255,
// which no cipher text does.
String DecryptKeyed(const String& Cipher, std::uint16_t Key);

// --- six-bit text -----------------------------------------------------------
// "<decimal length>:" then every three bytes (the last ones padded with
// blanks) as four characters with codes 48 to 111.
String EncodeSixBitBytes(const QByteArray& Bytes);
// The inverse; false (Bytes untouched) unless Text is exactly what the
// encoder makes of some bytes: a decimal length, a colon, groups of four
// characters 48 to 111, and a length that the groups hold with at most two
// bytes of padding.
bool TryDecodeSixBitBytes(const String& Text, QByteArray& Bytes);
// The same, raising EConvertError "Invalid six-bit text" where Try fails.
QByteArray DecodeSixBitBytes(const String& Text);
// Text as UTF-8 bytes.
String EncodeSixBitText(const String& Text);
// The bytes as UTF-8; EConvertError as DecodeSixBitBytes.
String DecodeSixBitText(const String& Text);
