#pragma once
// Restores an environment variable when the test ends, and optionally sets
// it for the test (an empty value unsets it).
#include <QByteArray>
#include <QtGlobal>

class TEnvGuard {
public:
    explicit TEnvGuard(const char* Name) : FName(Name), FHad(qEnvironmentVariableIsSet(Name)), FOld(qgetenv(Name)) {}
    TEnvGuard(const char* Name, const QByteArray& Value) : TEnvGuard(Name)
    {
        if (Value.isEmpty())
            qunsetenv(Name);
        else
            qputenv(Name, Value);
    }
    ~TEnvGuard()
    {
        if (FHad)
            qputenv(FName, FOld);
        else
            qunsetenv(FName);
    }
    TEnvGuard(const TEnvGuard&) = delete;
    TEnvGuard& operator=(const TEnvGuard&) = delete;

private:
    const char* FName;
    bool FHad;
    QByteArray FOld;
};
