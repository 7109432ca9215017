#include "bench/BenchMemory.h"

#include <QByteArray>
#include <QFile>

qint64 StatusKiB(const char* Key)
{
    QFile Status(QStringLiteral("/proc/self/status"));
    if (!Status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray Prefix = QByteArray(Key) + ':';
    for (const QByteArray& Line : Status.readAll().split('\n'))
        if (Line.startsWith(Prefix))
            return Line.mid(Prefix.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

qint64 ResetPeakKiB()
{
    QFile ClearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (ClearRefs.open(QIODevice::WriteOnly) && ClearRefs.write("5") == 1) {
        ClearRefs.close();
        return StatusKiB("VmRSS");
    }
    return StatusKiB("VmHWM");
}
