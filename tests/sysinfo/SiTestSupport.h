#pragma once
// Shared pieces of the system-information tests.
#include "sysinfo/SiSystemFiles.h"

#include <QByteArray>
#include <map>
#include <string>

// Answers the library's system-file reads from given texts while it lives
// (a file not given reads as missing).
class TScriptedSystemFiles {
public:
    explicit TScriptedSystemFiles(std::map<std::string, QByteArray> Files) : FFiles(std::move(Files))
    {
        SetSiSystemFileHook([this](const char* Path) {
            const auto It = FFiles.find(Path);
            return It != FFiles.end() ? It->second : QByteArray();
        });
    }
    ~TScriptedSystemFiles() { SetSiSystemFileHook({}); }
    TScriptedSystemFiles(const TScriptedSystemFiles&) = delete;
    TScriptedSystemFiles& operator=(const TScriptedSystemFiles&) = delete;

private:
    std::map<std::string, QByteArray> FFiles;
};

// A /proc/meminfo text with the given figures in kB.
inline QByteArray MemInfoText(std::uint64_t Total, std::uint64_t Available, std::uint64_t SwapTotal,
                              std::uint64_t SwapFree)
{
    return QByteArray("MemTotal:       ") + QByteArray::number(Total) + " kB\n" + "MemFree:        1024 kB\n"
        + "MemAvailable:   " + QByteArray::number(Available) + " kB\n" + "Buffers:        512 kB\n" + "SwapTotal:      "
        + QByteArray::number(SwapTotal) + " kB\n" + "SwapFree:       " + QByteArray::number(SwapFree) + " kB\n";
}
