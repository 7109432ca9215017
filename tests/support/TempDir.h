#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
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
