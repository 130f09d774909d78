// The stored font names keep their Windows spelling; they are mapped once to installed fonts.
#pragma once

#include <QFont>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

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
// Once the application object exists, the same thread can also fill what Qt keeps for every
// thread alike: the list of installed fonts and the fallback fonts of the fonts given (the
// program's default font and fonts whose texts need characters from other fonts). The windows
// then find them made instead of making them as they are built and first drawn. Font engines
// and glyphs are kept per thread by Qt: those the windows make themselves.
class FontConfigWarmUp {
  public:
    // A font as the windows ask for it: a stored font name (the application's default font when
    // empty) at a pixel size, and a text drawn in it.
    struct Sample {
        const char* name;
        int pixelSize;
        bool bold;
        QString text;
    };

    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;
    // Returns once the configuration is read; the thread may go on with the samples.
    void Wait();
    // Call once, after the application object is made: measures each sample's text in its font
    // on the thread (a font without text: its height).
    void WarmUp(std::vector<Sample> samples);
    // Returns once the thread has ended; before the application object goes.
    void Finish();

  private:
    void Run();

    std::mutex lock_;
    std::condition_variable changed_;
    bool configRead_ = false;
    bool asked_ = false;
    std::vector<Sample> samples_;
    std::thread thread_;
};

}  // namespace platform
