#include "platform/rtl/Exceptions.h"

#include "platform/rtl/SysUtils.h"

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

String QuotedInput(const String& Input)
{
    if (Input.size() <= MaxQuotedInput)
        return Input;
    return Input.left(WholeCharacterCut(Input, MaxQuotedInput)) + QChar(0x2026);
}
