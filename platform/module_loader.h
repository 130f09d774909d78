// The program's own modules (sound, print): loaded when first needed, through their one entry.
#pragma once

#include <QString>

namespace platform {

// The address of the module's entry; nullptr when the module or the entry is missing. The module
// stays loaded for the rest of the run.
void* ModuleEntry(const QString& path, const char* entryName);

// Calls the module's entry, which hands out the module's one object.
template <class T>
T* LoadModuleObject(const QString& path, const char* entryName) {
    void* entry = ModuleEntry(path, entryName);
    return entry ? reinterpret_cast<T* (*)()>(entry)() : nullptr;
}

}  // namespace platform
