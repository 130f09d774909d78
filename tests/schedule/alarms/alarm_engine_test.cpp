#include "alarm_engine.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cp932.h"
#include "fake_clock.h"
#include "globals.h"
#include "message_box.h"
#include "process.h"
#include "program_test.h"
#include "scoped_port.h"
#include "sound.h"

using namespace foundation;
using namespace schedule;

namespace {

using Log = std::vector<std::string>;

std::string U8(const std::string& cp932) { return platform::Cp932ToUtf8(cp932); }

// Sounds, program starts and message boxes all go into one log, so their order is tested.
class LogPorts : public platform::SoundPort,
                 public platform::ProcessPort,
                 public platform::MessagePort {
  public:
    explicit LogPorts(Log& log) : log_(log) {}
    void PlayAsync(const std::string& path) override { log_.push_back("play " + U8(path)); }
    void PlaySync(const std::string& path, int) override { log_.push_back("sync " + U8(path)); }
    bool StartDetached(const QString& program, const QStringList& args) override {
        log_.push_back(("start " + program + "|" + args.join("|")).toStdString());
        return !failing.contains(program);
    }
    int Show(const platform::MessageRequest& r) override {
        log_.push_back("box " + r.caption.toStdString() + ":" + r.text.toStdString());
        if (onBox) onBox();
        return r.buttons.empty() ? 0 : r.buttons.front();
    }

    QStringList failing;
    std::function<void()> onBox;

  private:
    Log& log_;
    platform::ScopedPort<platform::SoundPort> sound_{platform::SetSoundPort, this};
    platform::ScopedPort<platform::ProcessPort> processes_{platform::SetProcessPort, this};
    platform::ScopedPort<platform::MessagePort> messages_{platform::SetMessagePort, this};
};

class LogHost : public AlarmHost {
  public:
    explicit LogHost(Log& log) : log_(log) {}
    bool IsMinimized() const override { return minimized; }
    void SetClockCaption(const QString& c) override { caption = c; }
    void GoToToday() override {
        log_.push_back("goto");
        const platform::LocalDateTime now = platform::CurrentClock().Now();
        CurYear = now.year;
        CurMonth = now.month;
        CurDay = now.day;
        ParseDayEvents(texts[now.day]);
    }
    void ShowNotice(const std::string& text, const std::string& wav) override {
        log_.push_back("notice " + U8(text) + "|" + U8(wav));
    }
    void LeaveTopmost() override { log_.push_back("leave-top"); }
    void ReturnTopmost() override { log_.push_back("return-top"); }

    bool minimized = false;
    QString caption;
    std::map<int, std::string> texts;  // day of month -> its text (CP932)

  private:
    Log& log_;
};

class AlarmEngineTest : public ProgramTest {
  protected:
    AlarmEngineTest() : ports(log), host(log) {
        ResetEvents();
        Settings.oto = 0;
        BaseDir = "/base";
        AppDir = "/app";
    }
    ~AlarmEngineTest() override { ResetEvents(); }

    // Shows day `day` of May 2004 as today at the clock's present time and starts the tick.
    void StartOn(int day, int hour, int minute, int second, const std::string& utf8Text) {
        clock.Set(2004, 5, day, hour, minute, second);
        CurYear = 2004;
        CurMonth = 5;
        CurDay = day;
        host.texts[day] = Sj(utf8Text);
        ParseDayEvents(host.texts[day]);
        engine.SyncAlarmTimer();
    }
    void AdvanceMinutes(long long minutes) { clock.Advance(minutes * 60000); }

    Log log;
    FakeClock clock;
    LogPorts ports;
    LogHost host;
    AlarmEngine engine{host};
};

const char* const kDayText =
    "朝のメモ\r\n"
    "@0:05 早朝\r\n"
    "@9:00 会議\r\n"
    "@ 9: 5 朝礼\r\n"
    "@9:30-10:30 打合せ\r\n"
    "@10:00 ^/usr/bin/backup --full \"my file\"\r\n"
    "@10:00 ^missing-tool\r\n"
    "@25:00 だめ\r\n"
    "@ab:30 だめ2\r\n"
    "@9:00\r\n"
    "@24:00 深夜\r\n"
    "@12:00 \r\n"
    "@23:59 寝る\r\n";

const Log kParseBoxes = {
    "box Kolvane:イベントフォーマットが異常です。(@25:00 だめ)",
    "box Kolvane:イベントフォーマットが異常です。(@ab:30 だめ2)",
    "box Kolvane:イベントフォーマットが異常です。(@9:00)",
};

TEST_F(AlarmEngineTest, ADayOfEventsFiresEachOnceAtItsMinute) {
    ports.failing = {"missing-tool"};
    StartOn(1, 0, 0, 30, kDayText);
    EXPECT_EQ(log, kParseBoxes);
    log.clear();
    AdvanceMinutes(24 * 60 - 1);  // to 23:59:30
    const Log expected = {
        "play /app/zikan.wav",
        "notice 早朝 のお時間です。|/app/zikan.wav",
        "play /app/zikan.wav",
        "notice 会議 のお時間です。|/app/zikan.wav",
        "play /app/zikan.wav",
        "notice 朝礼 のお時間です。|/app/zikan.wav",
        "play /app/zikan.wav",
        "notice 打合せ のお時間です。|/app/zikan.wav",
        "start /usr/bin/backup|--full|my file",
        "start missing-tool|",
        "box 警告:指定されたプログラム(missing-tool)が見つからないので自動実行できませんでした。",
        "play /app/zikan.wav",
        "notice  のお時間です。|/app/zikan.wav",
        "play /app/zikan.wav",
        "notice 寝る のお時間です。|/app/zikan.wav",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(EvtCount, 9);
    EXPECT_EQ(EvtDay, 1);
}

TEST_F(AlarmEngineTest, ShutdownBegunInsideABoxOfTheTickEndsIt) {
    ports.failing = {"missing-tool"};
    StartOn(1, 9, 59, 30, "@10:00 ^missing-tool\r\n@10:00 会議\r\n@10:01 次\r\n");
    log.clear();
    // The user ends the program while the warning of the first event is open.
    ports.onBox = [this] { engine.StopTimers(); };
    AdvanceMinutes(5);
    const Log expected = {
        "start missing-tool|",
        "box 警告:指定されたプログラム(missing-tool)が見つからないので自動実行できませんでした。",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(AlarmEngineTest, AdvanceNoticeComesEarlierAndOnlyOnce) {
    Settings.shirase = 10;
    StartOn(1, 0, 0, 30, kDayText);
    log.clear();
    AdvanceMinutes(24 * 60 - 1);
    const Log expected = {
        "play /app/zikan.wav",
        "notice 会議 のお時間 10分前です。|/app/zikan.wav",  // 8:50
        "play /app/zikan.wav",
        "notice 朝礼 のお時間 10分前です。|/app/zikan.wav",  // 8:55
        "play /app/zikan.wav",
        "notice 打合せ のお時間 10分前です。|/app/zikan.wav",  // 9:20
        // Programs start at their own minute.
        "start /usr/bin/backup|--full|my file",
        "start missing-tool|",
        // An event without text is announced at its own time, without the lead.
        "play /app/zikan.wav",
        "notice  のお時間です。|/app/zikan.wav",
        "play /app/zikan.wav",
        "notice 寝る のお時間 10分前です。|/app/zikan.wav",  // 23:49
        // 0:05 less 10 minutes is 23:55 of the same day; hour 24 never comes (not 23:50).
        "play /app/zikan.wav",
        "notice 早朝 のお時間 10分前です。|/app/zikan.wav",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(AlarmEngineTest, AdvanceNoticeMinutes) {
    struct Case {
        int lead;
        int dueHour, dueMinute;
    } cases[] = {{10, 8, 50}, {15, 8, 45}, {59, 8, 1}};
    for (const Case& c : cases) {
        ResetEvents();
        log.clear();
        engine.StopTimers();
        Settings.shirase = c.lead;
        StartOn(1, 8, 0, 0, "@9:00 会議\r\n");
        AdvanceMinutes((c.dueHour - 8) * 60 + c.dueMinute - 1);
        EXPECT_TRUE(log.empty()) << c.lead;
        AdvanceMinutes(1);
        ASSERT_EQ(log.size(), 2u) << c.lead;
        EXPECT_EQ(log[1],
                  "notice 会議 のお時間 " + std::to_string(c.lead) + "分前です。|/app/zikan.wav");
    }
}

TEST_F(AlarmEngineTest, VoiceOffStillShowsTheNoticeWithItsRepeatSound) {
    Settings.oto = 1;
    StartOn(1, 8, 59, 50, "@9:00 会議\r\n");
    AdvanceMinutes(1);
    EXPECT_EQ(log, Log({"notice 会議 のお時間です。|/app/zikan.wav"}));
}

TEST_F(AlarmEngineTest, FailedProgramWarnsOnceAndIsNotRetried) {
    ports.failing = {"nowhere"};
    StartOn(1, 9, 59, 0, "@10:00 ^nowhere\r\n");
    AdvanceMinutes(5);
    EXPECT_EQ(
        log,
        Log({"start nowhere|",
             "box "
             "警告:指定されたプログラム(nowhere)が見つからないので自動実行できませんでした。"}));
    EXPECT_EQ(EvtList[1].Fired, 1);
}

TEST_F(AlarmEngineTest, TickIsRealignedToTheFullMinute) {
    clock.Set(2004, 5, 1, 8, 59, 45, 250);
    engine.SyncAlarmTimer();
    EXPECT_EQ(engine.alm_Timer().Interval(), 14750);
    clock.Advance(14750);
    EXPECT_EQ(engine.alm_Timer().Interval(), 60000);
    // A tick that comes 2.5 s late is followed by one at the next full minute.
    clock.Set(2004, 5, 1, 9, 1, 2, 500);
    engine.alm_TimerTimer();
    EXPECT_EQ(engine.alm_Timer().Interval(), 57500);
}

TEST_F(AlarmEngineTest, EarlyTickDoesNothingAndTheMinuteFiresOnce) {
    StartOn(1, 8, 58, 10, "@8:59 a\r\n@9:00 b\r\n");
    AdvanceMinutes(1);  // the tick of 8:59
    ASSERT_EQ(log.size(), 2u);
    // Ticks before 9:00 (early) and again within 9:00 change nothing more than one notice.
    clock.Set(2004, 5, 1, 8, 59, 59, 900);
    engine.alm_TimerTimer();
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(engine.alm_Timer().Interval(), 100);
    clock.Set(2004, 5, 1, 9, 0, 0, 0);
    engine.alm_TimerTimer();
    clock.Set(2004, 5, 1, 9, 0, 40, 0);
    engine.alm_TimerTimer();
    EXPECT_EQ(log, Log({"play /app/zikan.wav", "notice a のお時間です。|/app/zikan.wav",
                        "play /app/zikan.wav", "notice b のお時間です。|/app/zikan.wav"}));
}

TEST_F(AlarmEngineTest, LateTickCatchesUpEveryMissedMinuteInOrder) {
    Settings.oto = 1;
    Settings.Alarms[0] = {1, 0, 0, "hour.wav"};
    Settings.Alarms[2] = {1, 3, 9, "alarm.wav"};
    StartOn(1, 8, 58, 10, "@9:05 b\r\n@9:00 a\r\n@9:08 c\r\n");
    engine.alm_Timer().SetInterval(0);  // the tick stalls
    clock.Set(2004, 5, 1, 9, 7, 5);
    engine.alm_TimerTimer();
    // The missed 9:00 does not chime any more; alarm and events come late, in minute order.
    EXPECT_EQ(log, Log({"notice a のお時間です。|/app/zikan.wav", "play alarm.wav",
                        "notice アラームで設定した時間です。|alarm.wav",
                        "notice b のお時間です。|/app/zikan.wav"}));
    log.clear();
    clock.Advance(55000);  // 9:08
    EXPECT_EQ(log, Log({"notice c のお時間です。|/app/zikan.wav"}));
}

TEST_F(AlarmEngineTest, CatchUpIsBoundedToOneDay) {
    Settings.oto = 1;
    Settings.Alarms[2] = {1, 0, 7, "alarm.wav"};
    StartOn(1, 6, 0, 10, "");
    host.texts[3] = "";
    engine.alm_Timer().SetInterval(0);
    clock.Set(2004, 5, 3, 8, 0, 5);  // two days later
    engine.alm_TimerTimer();
    // 7:00 of the 2nd lies outside the last 24 hours; 7:00 of the 3rd does not.
    EXPECT_EQ(log,
              Log({"goto", "play alarm.wav", "notice アラームで設定した時間です。|alarm.wav"}));
}

TEST_F(AlarmEngineTest, BoxOfATickHoldsBackNestedTicksWhichAreCaughtUpAfter) {
    ports.failing = {"nowhere"};
    StartOn(1, 8, 59, 30, "@9:00 ^nowhere\r\n@9:01 a\r\n@9:02 b\r\n");
    int nested = 0;
    ports.onBox = [&] {
        // The box stays open for two and a half minutes; its loop dispatches the tick.
        ports.onBox = nullptr;
        clock.Set(2004, 5, 1, 9, 2, 30);
        ++nested;
        engine.alm_TimerTimer();
        EXPECT_EQ(log.size(), 2u);
    };
    AdvanceMinutes(1);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(
        log,
        Log({"start nowhere|",
             "box 警告:指定されたプログラム(nowhere)が見つからないので自動実行できませんでした。",
             "play /app/zikan.wav", "notice a のお時間です。|/app/zikan.wav", "play /app/zikan.wav",
             "notice b のお時間です。|/app/zikan.wav"}));
    EXPECT_EQ(engine.alm_Timer().Interval(), 30000);
}

TEST_F(AlarmEngineTest, MidnightRollOverWaitsForNavBusyAndYesterdaysEventsStayQuiet) {
    Settings.oto = 1;
    Settings.Alarms[0] = {1, 0, 0, "hour.wav"};
    // Parsed at noon: the 0:03 event of the 1st is past and never fires.
    StartOn(1, 12, 0, 10, "@0:03 昨日\r\n@23:59 夜\r\n");
    host.texts[2] = Sj("@0:03 今日\r\n@0:11 今日2\r\n");
    clock.Set(2004, 5, 1, 23, 58, 10);
    engine.alm_TimerTimer();
    log.clear();
    NavBusy = 1;
    AdvanceMinutes(12);  // to 0:10:10 of the 2nd, a view open
    EXPECT_EQ(log, Log({"notice 夜 のお時間です。|/app/zikan.wav", "play hour.wav"}));
    EXPECT_EQ(EvtDay, 1);
    log.clear();
    NavBusy = 0;
    AdvanceMinutes(1);  // 0:11
    EXPECT_EQ(log, Log({"goto", "notice 今日 のお時間です。|/app/zikan.wav",
                        "notice 今日2 のお時間です。|/app/zikan.wav"}));
    EXPECT_EQ(EvtDay, 2);
    log.clear();
    AdvanceMinutes(3);
    EXPECT_TRUE(log.empty());
}

TEST_F(AlarmEngineTest, RollOverAtTheFirstTickOfTheDay) {
    StartOn(1, 23, 59, 30, "");
    host.texts[2] = "";
    AdvanceMinutes(1);
    AdvanceMinutes(1);
    EXPECT_EQ(log, Log({"goto"}));
}

TEST_F(AlarmEngineTest, ChimesAndDailyAlarm) {
    struct Case {
        const char* name;
        uint8_t hourOn, halfOn, alarmOn;
        Log expected;
    } cases[] = {
        {"chimes off", 0, 0, 0, {}},
        {"hourly", 1, 0, 0, {"play h.wav", "play h.wav"}},
        {"half-hourly", 0, 1, 0, {"play m.wav"}},
        // Chime and alarm in the same minute: the alarm's sound is the last one started.
        {"all",
         1,
         1,
         1,
         {"play h.wav", "play a.wav", "notice アラームで設定した時間です。|a.wav", "play m.wav",
          "play h.wav"}},
        {"alarm only", 0, 0, 1, {"play a.wav", "notice アラームで設定した時間です。|a.wav"}},
    };
    for (const Case& c : cases) {
        log.clear();
        engine.StopTimers();
        Settings.Alarms[0] = {c.hourOn, 0, 0, "h.wav"};
        Settings.Alarms[1] = {c.halfOn, 0, 0, "m.wav"};
        Settings.Alarms[2] = {c.alarmOn, 0, 9, "a.wav"};
        StartOn(1, 8, 59, 30, "");
        AdvanceMinutes(61);  // through 10:00
        EXPECT_EQ(log, c.expected) << c.name;
    }
}

TEST_F(AlarmEngineTest, DailyAlarmFiresAgainTheNextDay) {
    Settings.Alarms[2] = {1, 30, 6, "a.wav"};
    host.texts[2] = "";
    StartOn(1, 6, 0, 0, "");
    AdvanceMinutes(24 * 60 + 60);
    EXPECT_EQ(log, Log({"play a.wav", "notice アラームで設定した時間です。|a.wav", "goto",
                        "play a.wav", "notice アラームで設定した時間です。|a.wav"}));
    EXPECT_EQ(Settings.Alarms[2].OnOff, 1);
}

TEST_F(AlarmEngineTest, CountdownEndsOnceAndRestartsOnSecondOk) {
    Settings.Alarms[3] = {1, 5, 0, "t.wav"};
    StartOn(1, 9, 0, 10, "");
    engine.ApplyAlarmDialog();
    EXPECT_EQ(engine.tt_Timer().Interval(), 300000);
    AdvanceMinutes(3);
    engine.ApplyAlarmDialog();  // O.K again: five minutes from now
    AdvanceMinutes(4);
    EXPECT_TRUE(log.empty());
    AdvanceMinutes(1);
    EXPECT_EQ(log, Log({"play t.wav", "notice アラームで設定した時間です。|t.wav"}));
    EXPECT_EQ(Settings.Alarms[3].OnOff, 0);
    EXPECT_EQ(engine.tt_Timer().Interval(), 0);
    AdvanceMinutes(10);
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(AlarmEngineTest, CountdownOffDoesNotStopARunningOne) {
    Settings.Alarms[3] = {1, 2, 0, "t.wav"};
    StartOn(1, 9, 0, 10, "");
    engine.ApplyAlarmDialog();
    Settings.Alarms[3].OnOff = 0;
    engine.ApplyAlarmDialog();
    AdvanceMinutes(2);
    EXPECT_EQ(log, Log({"play t.wav", "notice アラームで設定した時間です。|t.wav"}));
}

TEST_F(AlarmEngineTest, ClockCaption) {
    clock.Set(2004, 5, 1, 9, 5, 6, 500);
    clock.Advance(1000);
    EXPECT_EQ(host.caption, "9:05:07");
    clock.Set(2004, 5, 1, 23, 59, 58);
    clock.Advance(1000);
    EXPECT_EQ(host.caption, "23:59:59");
    host.minimized = true;
    clock.Advance(1000);
    EXPECT_EQ(host.caption, "23:59:59");
    host.minimized = false;
    engine.StopTimers();
    clock.Advance(5000);
    EXPECT_EQ(host.caption, "23:59:59");
    EXPECT_EQ(engine.alm_Timer().Interval(), 0);
}

TEST_F(AlarmEngineTest, StoppedTickFiresNothing) {
    StartOn(1, 8, 59, 30, "@9:00 a\r\n");
    engine.StopTimers();
    AdvanceMinutes(5);
    engine.alm_TimerTimer();
    EXPECT_TRUE(log.empty());
}

TEST_F(AlarmEngineTest, ReparsingTodayRearmsOnlyComingEvents) {
    StartOn(1, 8, 59, 30, "@9:00 a\r\n@9:02 b\r\n");
    AdvanceMinutes(1);
    ParseDayEvents(host.texts[1]);  // today shown again at 9:00:30
    AdvanceMinutes(2);
    EXPECT_EQ(log, Log({"play /app/zikan.wav", "notice a のお時間です。|/app/zikan.wav",
                        "play /app/zikan.wav", "notice b のお時間です。|/app/zikan.wav"}));
}

struct ParseCase {
    const char* line;
    int hour, minute;
    const char* message;
    const char* program;
};

class ParseTest : public AlarmEngineTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(ParseTest, ReadsTheEventHead) {
    const ParseCase& c = GetParam();
    CurDay = 7;
    ParseDayEvents(Sj(c.line));
    EXPECT_TRUE(log.empty()) << c.line;
    ASSERT_EQ(EvtCount, 1) << c.line;
    EXPECT_EQ(EvtDay, 7);
    EXPECT_EQ(EvtList[1].Fired, 0);
    EXPECT_EQ(EvtList[1].Hour, c.hour) << c.line;
    EXPECT_EQ(EvtList[1].Minute, c.minute) << c.line;
    EXPECT_EQ(U8(EvtList[1].Message), c.message) << c.line;
    EXPECT_EQ(U8(EvtList[1].Program), c.program) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseTest,
    ::testing::Values(ParseCase{"@9:00 会議\r\n", 9, 0, "会議", ""},
                      ParseCase{"@ 9: 5 朝礼", 9, 5, "朝礼", ""},
                      ParseCase{"@09:30-10:30 打合せ\r\n", 9, 30, "打合せ", ""},
                      ParseCase{"@9:30～10:00 範囲\r\n", 9, 30, "範囲", ""},
                      ParseCase{"@7:5 x y\r\n", 7, 5, "x y", ""},
                      ParseCase{"@24:59 深夜\r\n", 24, 59, "深夜", ""},
                      ParseCase{"@10:00 ^prog -a b\r\n", 10, 0, "", "prog -a b"},
                      ParseCase{"@10:00 \r\n", 10, 0, "", ""}));

TEST_F(AlarmEngineTest, MalformedLinesAreReportedAndSkipped) {
    const char* bad[] = {"@9:00", "@25:00 x", "@9:60 x", "@:30 x", "@ab:30 x", "@9-30 x"};
    for (const char* line : bad) {
        log.clear();
        ParseDayEvents(std::string(line) + "\r\n@8:00 ok\r\n");
        EXPECT_EQ(log,
                  Log({std::string("box Kolvane:イベントフォーマットが異常です。(") + line + ")"}))
            << line;
        EXPECT_EQ(EvtCount, 1) << line;
    }
}

TEST_F(AlarmEngineTest, TextEndsAtTheFirstEmptyPieceAndOtherLinesAreSkipped) {
    ParseDayEvents(" @9:00 x\r\nmemo @9:00\r\n\r\n@8:00 a\n\n@9:00 b\r\n");
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(EvtCount, 1);
    EXPECT_EQ(EvtList[1].Message, "a");
    ParseDayEvents("");
    EXPECT_EQ(EvtCount, 0);
}

TEST_F(AlarmEngineTest, FortyNinthEventIsReportedOnceAndFortyEightKept) {
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "@9:" + std::to_string(i) + " e" + std::to_string(i) + "\r\n";
    ParseDayEvents(text);
    EXPECT_EQ(log, Log({"box Kolvane:一日最大４８イベントをオーバーしています。"}));
    EXPECT_EQ(EvtCount, 48);
    EXPECT_EQ(EvtList[48].Message, "e47");
}

TEST(AlarmTexts, NoticeTexts) {
    EXPECT_EQ(U8(EventNoticeText(Sj("会議"))), "会議 のお時間です。");
    EXPECT_EQ(U8(AdvanceNoticeText(Sj("会議"), 10)), "会議 のお時間 10分前です。");
    EXPECT_EQ(U8(AlarmNoticeText()), "アラームで設定した時間です。");
}

}  // namespace
