#pragma once
// The frame of every check: an exception that escapes the reader's own
// handling is a finding like any other, reported with its class and text;
// and the folder the checks write their files in.
#include "platform/rtl/Exceptions.h"

#include <QString>
#include <QTemporaryDir>
#include <exception>

template <typename F>
QString Guarded(F&& Body)
{
    try {
        return Body();
    } catch (const Exception& E) {
        return QStringLiteral("unexpected %1: %2").arg(E.ClassName(), E.Message());
    } catch (const std::exception& E) {
        return QStringLiteral("unexpected std::exception: %1").arg(QString::fromUtf8(E.what()));
    }
}

// A folder of this run for the files a check writes, with a '/' at the end;
// removed when the run ends.
inline QString ScratchFolder()
{
    static QTemporaryDir Dir;
    return Dir.path() + QLatin1Char('/');
}
