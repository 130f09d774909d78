// Stored colour values (red in the low byte, system colours 0xFF0000nn) and QColor.
#pragma once

#include <QColor>
#include <cstdint>

namespace platform {

// Stored value of a system colour index (0xFF000000 | index).
constexpr uint32_t SystemColor(uint32_t index) { return 0xFF000000u | index; }
constexpr bool IsSystemColor(uint32_t stored) { return (stored & 0xFF000000u) == 0xFF000000u; }

// The plain RGB value (0x00BBGGRR) of a stored colour; system colours are resolved through the
// application palette when one exists, else through fixed classic values.
uint32_t ResolveColor(uint32_t stored);
QColor ToQColor(uint32_t stored);
// Stored value of a plain colour.
uint32_t FromQColor(const QColor& color);

}  // namespace platform
