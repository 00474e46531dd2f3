#include "platform/lazymodule.h"

#include "common/programlog.h"

#include <QDir>
#include <QLibrary>

namespace tavrok {

ModuleLibrary::ModuleLibrary(QString folder, QString name, const char* entry)
    : folder_(std::move(folder)), name_(std::move(name)), entryName_(entry) {}

ModuleLibrary::~ModuleLibrary() = default;

void* ModuleLibrary::entry() {
    if (tried_) {
        return entry_;
    }
    tried_ = true;
    library_ = std::make_unique<QLibrary>(QDir(folder_).filePath(name_));
    entry_ = reinterpret_cast<void*>(library_->resolve(entryName_));
    if (!entry_) {
        error_ = library_->errorString();
        zapisDoLogu(QStringLiteral("Module %1 not loaded: %2").arg(name_, error_));
    }
    return entry_;
}

} // namespace tavrok
