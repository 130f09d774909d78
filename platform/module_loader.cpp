#include "module_loader.h"

#include <dlfcn.h>

#include <QFile>

namespace platform {

void* ModuleEntry(const QString& path, const char* entryName) {
    void* module = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL);
    return module ? dlsym(module, entryName) : nullptr;
}

}  // namespace platform
