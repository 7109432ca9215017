#pragma once
// The version resource of a program file: a language and code page and the
// named strings ("FileVersion", "ProductName" ...).  A classic program
// carries it inside its executable; here the build compiles the running
// program's strings into the program, which registers them at start-up,
// and every other file has none.
#include "platform/rtl/System.h"

#include <cstdint>
#include <utility>
#include <vector>

struct TVersionResource {
    std::uint16_t Language = 0x0413; // Dutch (Netherlands)
    std::uint16_t CodePage = 0x04E4; // Windows-1252
    // Name and value, in the order the build lists them.
    std::vector<std::pair<String, String>> Strings;
};

// Makes Resource the running program's version resource.
void RegisterVersionResource(const TVersionResource& Resource);

// Size in bytes of FileName's version resource; 0 when it has none (every
// file but the running program, or a program built without one).
std::uint32_t GetFileVersionInfoSize(const String& FileName);
// The resource of FileName; false when it has none.
bool GetFileVersionInfo(const String& FileName, TVersionResource& Block);
// "\VarFileInfo\Translation": the first language and code page.
bool VerQueryTranslation(const TVersionResource& Block, std::uint16_t& Language, std::uint16_t& CodePage);
// "\StringFileInfo\<language><code page>\<name>", the two numbers as four
// hexadecimal digits each; names and digits in any case.  False when the
// block has no such string.
bool VerQueryValue(const TVersionResource& Block, const String& SubBlock, String& Value);
