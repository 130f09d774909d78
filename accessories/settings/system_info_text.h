// The text of the system information window: physical memory and the free space of the local
// disks.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

namespace accessories {

struct LocalVolume {
    QString root;            // mount point
    int64_t freeBytes = -1;  // below 0: could not be read
};

// "%8.2n": thousands separators, two decimals, right-aligned in 8 characters.
QString FormatAmount(double value);
// The lines of the text box, in order.
QStringList SystemInfoLines(uint64_t totalMemoryBytes, const std::vector<LocalVolume>& volumes);

// Total physical memory; 0 when it cannot be read.
uint64_t TotalPhysicalMemory();
// Mounted local disks, sorted by mount point; network, virtual and optical file systems and
// the second mount of one device are left out.
std::vector<LocalVolume> LocalVolumes();

}  // namespace accessories
