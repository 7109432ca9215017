#pragma once
// The frame of every check: an exception that escapes the reader's own
// handling is a finding like any other, reported with its class and text.
#include "platform/rtl/Exceptions.h"

#include <QString>
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
