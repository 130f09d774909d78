// The program's stored fonts (StoredFont) as Qt fonts and back.
#pragma once

#include <QFont>

#include "settings_record.h"

namespace foundation {

// Family (mapped through the installed substitutes), point size and style; the colour is not
// part of a QFont.
QFont ToQFont(const StoredFont& stored);
// The font's family, point size and style with the given stored colour.
StoredFont ToStoredFont(const QFont& font, uint32_t color);

}  // namespace foundation
