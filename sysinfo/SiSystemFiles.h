#pragma once
// The small system files the library reads (/proc/meminfo, /proc/self/statm,
// os-release), through one reader that tests can replace with given texts.
#include "platform/rtl/System.h"

#include <QByteArray>
#include <functional>

// The whole file, empty when it cannot be read.
QByteArray SiReadSystemFile(const char* Path);

// Replaces the reader; an empty hook puts the real one back.
using TSiSystemFileHook = std::function<QByteArray(const char* Path)>;
void SetSiSystemFileHook(TSiSystemFileHook Hook);
