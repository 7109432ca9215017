#pragma once
// A fresh folder for one test, removed with everything in it afterwards, and
// the raw file access tests use to plant and inspect files byte for byte.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

class TTestDir {
public:
    TTestDir() { FDir.setAutoRemove(true); }
    // Folder path with a trailing '/'.
    QString Path() const { return FDir.path() + QLatin1Char('/'); }
    QString File(const QString& Name) const { return Path() + Name; }

private:
    QTemporaryDir FDir;
};

// Writes the bytes as they are, bypassing the code under test.
inline bool WriteRaw(const QString& Path, const QByteArray& Bytes)
{
    QFile F(Path);
    return F.open(QIODevice::WriteOnly) && F.write(Bytes) == Bytes.size();
}

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray ReadRaw(const QString& Path)
{
    QFile F(Path);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
}
