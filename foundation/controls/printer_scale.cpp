#include "printer_scale.h"

#include <QPaintDevice>

namespace foundation {

float DotsPerMm(int dotsPerInch) { return static_cast<float>(dotsPerInch / 25.4); }

float DotsPerMm(const QPaintDevice* device) {
    return device ? DotsPerMm(device->logicalDpiX()) : 0.0f;
}

}  // namespace foundation
