#pragma once
// The warnings Qt's message handler gets while a TWarnings lives: what the
// program writes to its log.
#include <QStringList>
#include <QtGlobal>

class TWarnings {
public:
    TWarnings()
    {
        Seen.clear();
        FOld = qInstallMessageHandler(&TWarnings::Handle);
    }
    ~TWarnings() { qInstallMessageHandler(FOld); }
    TWarnings(const TWarnings&) = delete;
    TWarnings& operator=(const TWarnings&) = delete;
    static inline QStringList Seen;

private:
    static void Handle(QtMsgType Type, const QMessageLogContext&, const QString& Text)
    {
        if (Type == QtWarningMsg)
            Seen.append(Text);
    }
    QtMessageHandler FOld;
};
