// Device dots per millimetre; every print is laid out in millimetres with it.
#pragma once

class QPaintDevice;

namespace foundation {

// dots per inch / 25.4 in single precision.
float DotsPerMm(int dotsPerInch);
// From the device's horizontal resolution; used for both axes.
float DotsPerMm(const QPaintDevice* device);

}  // namespace foundation
