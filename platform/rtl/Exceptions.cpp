#include "platform/rtl/Exceptions.h"

const char* Exception::what() const noexcept
{
    if (FWhat.isEmpty())
        FWhat = FMessage.toUtf8();
    return FWhat.constData();
}

String Exception::ClassName() const
{
    return QStringLiteral("Exception");
}
