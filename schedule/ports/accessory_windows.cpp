#include "accessory_windows.h"

namespace {
AccessoryWindows g_none;
AccessoryWindows* g_installed = nullptr;
}  // namespace

AccessoryWindows& Accessories() { return g_installed ? *g_installed : g_none; }

void InstallAccessoryWindows(AccessoryWindows* windows) { g_installed = windows; }
