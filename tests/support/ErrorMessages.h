#pragma once
// What a call raises, as text, so that tests compare the classic messages
// in one line instead of a try block each.
#include "platform/rtl/Exceptions.h"

#include <QString>
#include <ostream>
#include <utility>

// The message of the exception of class E that Call raises; "<no error>"
// when it raises none.  Exceptions of other classes pass through and fail
// the test.
template <typename E = Exception, typename F>
QString ErrorMessage(F&& Call)
{
    try {
        std::forward<F>(Call)();
    } catch (const E& Error) {
        return Error.Message();
    }
    return QStringLiteral("<no error>");
}

// "EClassName: message" of what Call raises; "<no error>" when nothing.
template <typename F>
QString ErrorClassAndMessage(F&& Call)
{
    try {
        std::forward<F>(Call)();
    } catch (const Exception& Error) {
        return Error.ClassName() + QStringLiteral(": ") + Error.Message();
    }
    return QStringLiteral("<no error>");
}

// Readable failure output for Qt strings.
inline void PrintTo(const QString& S, std::ostream* Os)
{
    *Os << '"' << S.toStdString() << '"';
}
