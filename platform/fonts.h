// The stored font names keep their Windows spelling; they are mapped once to installed fonts.
#pragma once

#include <QString>
#include <thread>

namespace platform {

// Maps "ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ 明朝" and "Times New Roman" to installed
// families. Calling it again changes nothing.
void InstallFontSubstitutes();

// The installed family a font name of the list above is drawn in, else the name itself. A font
// asked for by this family is found at once; asked for by the Windows name, Qt first searches
// every font for the missing family and its fallbacks, at each script and style.
QString InstalledFamily(const QString& name);

// Reads the system's font configuration (a third of the start's work) on a thread of its own,
// from before the application object is made until Wait(), so that the rest of the start goes
// on meanwhile. Wait() before any text is laid out, or the configuration is read twice.
class FontConfigWarmUp {
  public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;
    void Wait();

  private:
    std::thread thread_;
};

}  // namespace platform
