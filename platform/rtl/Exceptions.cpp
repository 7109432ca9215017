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

String QuotedInput(const String& Input)
{
    if (Input.size() <= MaxQuotedInput)
        return Input;
    qsizetype Keep = MaxQuotedInput;
    // Never half a character of two code units.
    if (Input.at(Keep - 1).isHighSurrogate())
        --Keep;
    return Input.left(Keep) + QChar(0x2026);
}
