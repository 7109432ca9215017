#pragma once
// Text written in a test as UTF-8: U("Zoë") is the string "Zoë".
#include <QString>

inline QString U(const char* Utf8)
{
    return QString::fromUtf8(Utf8);
}
