#include "sound.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <functional>
#include <future>
#include <thread>

#include "paths.h"
#include "scoped_port.h"
#include "sound_back_end.h"
#include "temp_folder.h"

namespace {

std::string Le32(uint32_t v) {
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF),
                       char((v >> 24) & 0xFF)};
}

// RIFF WAVE with an optional chunk before "fmt " and `dataBytes` of silence.
std::string Wav(uint32_t byteRate, uint32_t dataBytes, const std::string& extraChunk = "") {
    std::string fmt = "fmt " + Le32(16) + std::string("\x01\x00\x01\x00", 4) + Le32(byteRate) +
                      Le32(byteRate) + std::string("\x01\x00\x08\x00", 4);
    std::string data = "data" + Le32(dataBytes) + std::string(dataBytes, '\x80');
    std::string body = "WAVE" + extraChunk + fmt + data;
    return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

TEST(WavLength, FromHeader) {
    TempFolder t;
    struct {
        const char* name;
        std::string bytes;
        int ms;
    } const cases[] = {
        {"one_second.wav", Wav(8000, 8000), 1000},
        {"quarter.wav", Wav(8000, 2000), 250},
        {"odd_chunk.wav", Wav(8000, 4000, "LIST" + Le32(3) + "abc" + std::string(1, '\0')), 500},
        {"truncated.wav", Wav(8000, 8000).substr(0, 44 + 4000), 500},
        {"no_riff.wav", "not a wav file at all", 0},
        {"zero_rate.wav", Wav(0, 100), 0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(t.Write(c.name, c.bytes));
        EXPECT_EQ(platform::WavLengthMs(t.File(c.name)), c.ms) << c.name;
    }
    EXPECT_EQ(platform::WavLengthMs(t.File("missing.wav")), 0);
}

// Gives the sound port the test's output, or none, in place of the module.
class TestLoader : public platform::SoundBackEndLoader {
  public:
    explicit TestLoader(std::function<platform::SoundBackEnd*()> load) : load_(std::move(load)) {}
    platform::SoundBackEnd* Load() override { return load_(); }

  private:
    std::function<platform::SoundBackEnd*()> load_;
    platform::ScopedPort<platform::SoundBackEndLoader> inPlace_{platform::SetSoundBackEndLoader,
                                                                this};
};

class RecordingBackEnd : public platform::SoundBackEnd {
  public:
    void PlayAsync(const QString& diskPath) override { played.push_back(diskPath + " async"); }
    void PlaySync(const QString& diskPath, int maxMs) override {
        played.push_back(diskPath + " sync " + QString::number(maxMs));
    }
    std::vector<QString> played;
};

// The output does the waiting: a sound that never reaches it returns at once.
TEST(SoundPort, MissingFilesPlayNothingAndReturnAtOnce) {
    TempFolder t;
    RecordingBackEnd backEnd;
    int loads = 0;
    TestLoader loader([&]() -> platform::SoundBackEnd* {
        ++loads;
        return &backEnd;
    });
    platform::PlaySoundAsync(t.File("none.wav"));
    platform::PlaySoundSync(t.File("none.wav"), 5000);
    platform::WaitForSoundOutput();
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(backEnd.played.empty());
}

// The output is loaded at the first sound with a file, once, off the caller's thread (the first
// window is not held up by it); that first sound and those asked for meanwhile still play.
TEST(SoundPort, BackEndLoadedAtFirstSoundWhichStillPlays) {
    TempFolder t;
    ASSERT_TRUE(t.Write("a.wav", Wav(8000, 4000)));
    ASSERT_TRUE(t.Write("c.wav", Wav(8000, 4000)));
    RecordingBackEnd backEnd;
    int loads = 0;
    std::thread::id loadedOn;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    TestLoader loader([&]() -> platform::SoundBackEnd* {
        released.wait();
        ++loads;
        loadedOn = std::this_thread::get_id();
        return &backEnd;
    });
    platform::PlaySoundAsync(t.File("a.wav"));
    platform::PlaySoundAsync(t.File("b.wav"));  // missing: nothing
    platform::PlaySoundAsync(t.File("c.wav"));  // while the output loads
    release.set_value();
    platform::WaitForSoundOutput();
    EXPECT_EQ(loads, 1);
    EXPECT_NE(loadedOn, std::this_thread::get_id());
    platform::PlaySoundAsync(t.File("a.wav"));
    platform::PlaySoundSync(t.File("a.wav"));
    platform::PlaySoundSync(t.File("a.wav"), 300);
    EXPECT_EQ(loads, 1);
    const QString a = platform::DiskPath(t.File("a.wav"));
    const QString c = platform::DiskPath(t.File("c.wav"));
    EXPECT_EQ(backEnd.played, (std::vector<QString>{a + " async", c + " async", a + " async",
                                                    a + " sync 1500", a + " sync 300"}));
}

// The farewell is often the first sound of a run: it loads and plays before returning.
TEST(SoundPort, SyncSoundAsFirstSoundPlaysAtOnce) {
    TempFolder t;
    ASSERT_TRUE(t.Write("a.wav", Wav(8000, 800)));
    RecordingBackEnd backEnd;
    TestLoader loader([&]() -> platform::SoundBackEnd* { return &backEnd; });
    platform::PlaySoundSync(t.File("a.wav"));
    EXPECT_EQ(backEnd.played,
              std::vector<QString>{platform::DiskPath(t.File("a.wav")) + " sync 1100"});
}

TEST(SoundPort, OutputThatCannotLoadPlaysNothingAndIsNotRetried) {
    TempFolder t;
    ASSERT_TRUE(t.Write("a.wav", Wav(8000, 800)));
    int loads = 0;
    TestLoader loader([&]() -> platform::SoundBackEnd* {
        ++loads;
        return nullptr;
    });
    platform::PlaySoundAsync(t.File("a.wav"));
    platform::WaitForSoundOutput();
    platform::PlaySoundSync(t.File("a.wav"));
    platform::PlaySoundAsync(t.File("a.wav"));
    EXPECT_EQ(loads, 1);
}

// The module is built beside the programs; without it every sound would be silent. Its
// synchronous sound gives up at the limit, whether a sound server plays it or none is there.
TEST(SoundPort, ModuleBesideTheProgramLoadsAndKeepsTheLimit) {
    platform::SoundBackEnd* module = platform::LoadSoundModule();
    ASSERT_NE(module, nullptr);
    TempFolder t;
    ASSERT_TRUE(t.Write("long.wav", Wav(8000, 8000 * 5)));
    QElapsedTimer clock;
    clock.start();
    module->PlaySync(platform::DiskPath(t.File("long.wav")), 300);
    EXPECT_LT(clock.elapsed(), 1500);
}

}  // namespace
