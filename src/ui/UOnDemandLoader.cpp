#include "ui/UOnDemandLoader.h"

#include "ondemand/UOnDemand.h"

#include <QCoreApplication>
#include <QFile>

#include <dlfcn.h>

// Defined only where the library's code is linked in; the program itself loads it.
#pragma weak TaskwrenOnDemand

namespace {

constexpr auto LibraryName = "libtaskwren-ondemand.so";

struct TLoaded {
    const TOnDemand* Functions = nullptr;
    QString Failure;
};

TLoaded Load()
{
    if (TaskwrenOnDemand != nullptr)
        return {TaskwrenOnDemand(), {}};
    const QString path = QCoreApplication::applicationDirPath() + u'/' + QLatin1String(LibraryName);
    // Kept for the run: its code stays in use until the end.
    void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return {nullptr, QString::fromLocal8Bit(::dlerror())};
    const auto entry = reinterpret_cast<const TOnDemand* (*)()>(::dlsym(library, "TaskwrenOnDemand"));
    const TOnDemand* functions = entry != nullptr ? entry() : nullptr;
    if (functions == nullptr || functions->Version != TOnDemand::CurrentVersion)
        return {nullptr, path + QStringLiteral(" belongs to another version of the program.")};
    return {functions, {}};
}

const TLoaded& Loaded()
{
    static const TLoaded loaded = Load();
    return loaded;
}

} // namespace

const TOnDemand* OnDemand()
{
    return Loaded().Functions;
}

QString OnDemandFailure()
{
    return Loaded().Failure;
}
