#include "platform/classes/Resources.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/Exceptions.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <optional>

namespace {

struct TResourceIndex {
    QHash<String, String> FormsByClass; // upper-case class name -> path
    QHash<String, String> FilesByName;  // upper-case file name -> path
};

std::optional<TResourceIndex>& Cache()
{
    static std::optional<TResourceIndex> Index;
    return Index;
}

QStringList& SearchPaths()
{
    static QStringList Paths{QStringLiteral(":/")};
    return Paths;
}

const TResourceIndex& Index()
{
    auto& C = Cache();
    if (C)
        return *C;
    TResourceIndex Result;
    for (const String& Root : SearchPaths()) {
        QDirIterator It(Root, QDir::Files, QDirIterator::Subdirectories);
        while (It.hasNext()) {
            const String Path = It.next();
            const String FileName = QFileInfo(Path).fileName();
            if (!Result.FilesByName.contains(FileName.toUpper()))
                Result.FilesByName.insert(FileName.toUpper(), Path);
            if (!FileName.endsWith(QLatin1String(".form"), Qt::CaseInsensitive))
                continue;
            QFile File(Path);
            if (!File.open(QIODevice::ReadOnly))
                continue;
            const String Class = FormTextRootClass(File.read(4096));
            if (!Class.isEmpty() && !Result.FormsByClass.contains(Class.toUpper()))
                Result.FormsByClass.insert(Class.toUpper(), Path);
        }
    }
    C = std::move(Result);
    return *C;
}

} // namespace

String FindFormResource(const String& ClassName)
{
    return Index().FormsByClass.value(ClassName.toUpper());
}

void ResetFormResourceCache()
{
    Cache().reset();
}

void AddFormSearchPath(const String& Folder)
{
    if (!SearchPaths().contains(Folder))
        SearchPaths().append(Folder);
    ResetFormResourceCache();
}

void RemoveFormSearchPath(const String& Folder)
{
    SearchPaths().removeAll(Folder);
    ResetFormResourceCache();
}

String FindResourceFile(const String& FileName)
{
    return Index().FilesByName.value(FileName.toUpper());
}

void ReadComponentRes(const String& ResName, TComponent* Instance)
{
    QFile File(ResName);
    if (ResName.isEmpty() || !File.open(QIODevice::ReadOnly))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
    const QByteArray Text = File.readAll();
    TReader Reader(Text, ResName);
    Reader.ReadRootComponent(Instance);
}

bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor)
{
    std::vector<String> Paths;
    for (TClass C = ClassOfObject(Instance); C != nullptr && C != RootAncestor; C = C->ClassParent()) {
        const String Path = FindFormResource(C->ClassName());
        if (!Path.isEmpty())
            Paths.push_back(Path);
    }
    for (auto It = Paths.rbegin(); It != Paths.rend(); ++It)
        ReadComponentRes(*It, Instance);
    return !Paths.empty();
}
