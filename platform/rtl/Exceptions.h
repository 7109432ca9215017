#pragma once
// The exception classes of the runtime.  Every failure the program reports is
// one of these, thrown by value and caught by reference.
#include "platform/rtl/System.h"

#include <QByteArray>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(const String& Msg = String()) : FMessage(Msg) {}
    const String& Message() const { return FMessage; }
    void SetMessage(const String& Value) { FMessage = Value; FWhat.clear(); }
    const char* what() const noexcept override;
    // Class name of the most derived exception ("EConvertError").
    virtual String ClassName() const;

private:
    String FMessage;
    mutable QByteArray FWhat;
};

#define DECLARE_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                          \
    public:                                                             \
        using Base::Base;                                               \
        String ClassName() const override { return QStringLiteral(#Name); } \
    };

// EAbort is silent: the application's handler swallows it.
DECLARE_EXCEPTION(EAbort, Exception)
DECLARE_EXCEPTION(EConvertError, Exception)
// "Range check error": a value outside its sub-range type.
DECLARE_EXCEPTION(ERangeError, Exception)
DECLARE_EXCEPTION(EListError, Exception)
DECLARE_EXCEPTION(EStringListError, EListError)
DECLARE_EXCEPTION(EDatabaseError, Exception)
DECLARE_EXCEPTION(EDBEditError, EDatabaseError)
DECLARE_EXCEPTION(EIniFileException, Exception)
DECLARE_EXCEPTION(EOutOfResources, Exception)
DECLARE_EXCEPTION(EVariantError, Exception)
DECLARE_EXCEPTION(EInvalidOperation, Exception)
DECLARE_EXCEPTION(EInvalidPointer, Exception)
DECLARE_EXCEPTION(EComponentError, Exception)
DECLARE_EXCEPTION(EFilerError, Exception)
DECLARE_EXCEPTION(EReadError, EFilerError)
DECLARE_EXCEPTION(EWriteError, EFilerError)
DECLARE_EXCEPTION(EClassNotFound, EFilerError)
DECLARE_EXCEPTION(EResNotFound, Exception)

// File errors carry the operating system's error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(const String& Msg = String(), int Code = 0) : Exception(Msg), ErrorCode(Code) {}
    String ClassName() const override { return QStringLiteral("EInOutError"); }
    int ErrorCode;
};

// Input repeated in an error message: the first MaxQuotedInput characters,
// then "…" when there was more.  A message names what it refuses; it
// never carries megabytes of it.
inline constexpr int MaxQuotedInput = 40;
String QuotedInput(const String& Input);
