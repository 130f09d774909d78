#include "exit_gate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_clock.h"

using namespace schedule;

namespace {

// Modal windows stacked like nested exec() calls; the log records what the gate did.
class FakeModals : public platform::ModalWindows {
  public:
    bool AnyOpen() const override { return open > 0; }
    void BringForward() override { log.push_back("forward"); }
    void CloseTop() override {
        log.push_back("close");
        if (closable && open > 0) --open;
    }
    int open = 0;
    bool closable = true;
    std::vector<std::string>& log;
    explicit FakeModals(std::vector<std::string>& l) : log(l) {}
};

class ExitGateTest : public ::testing::Test {
  protected:
    void SetUp() override { clock.Set(2004, 5, 1, 9); }
    std::function<void()> Exit(const char* name) {
        return [this, name] { log.push_back(name); };
    }
    std::vector<std::string> log;
    FakeClock clock;
    FakeModals modals{log};
    ExitGate gate{modals};
};

TEST_F(ExitGateTest, RunsAtOnceWithoutModalWindow) {
    gate.Request(Exit("user"), false);
    EXPECT_EQ(log, (std::vector<std::string>{"user"}));
    EXPECT_FALSE(gate.Pending());
    clock.Advance(1000);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(ExitGateTest, UserExitWaitsForTheUserToCloseTheModalWindow) {
    modals.open = 1;
    gate.Request(Exit("user"), false);
    EXPECT_EQ(log, (std::vector<std::string>{"forward"}));
    EXPECT_TRUE(gate.Pending());
    clock.Advance(60'000);
    EXPECT_EQ(log, (std::vector<std::string>{"forward"})) << "never closed for the user";
    modals.open = 0;
    clock.Advance(ExitGate::kPollMs);
    EXPECT_EQ(log, (std::vector<std::string>{"forward", "user"}));
    EXPECT_FALSE(gate.Pending());
    clock.Advance(10'000);
    EXPECT_EQ(log.size(), 2u) << "runs once";
}

TEST_F(ExitGateTest, UrgentExitClosesNestedModalWindowsOneByOne) {
    modals.open = 2;
    gate.Request(Exit("term"), true);
    EXPECT_EQ(log, (std::vector<std::string>{"close"}));
    EXPECT_EQ(modals.open, 1);
    clock.Advance(ExitGate::kPollMs);
    EXPECT_EQ(log, (std::vector<std::string>{"close", "close"}));
    EXPECT_EQ(modals.open, 0);
    clock.Advance(ExitGate::kPollMs);
    EXPECT_EQ(log, (std::vector<std::string>{"close", "close", "term"}));
}

TEST_F(ExitGateTest, UrgentExitReplacesAWaitingUserExitButNotTheOtherWayRound) {
    modals.open = 1;
    modals.closable = false;
    gate.Request(Exit("user"), false);
    gate.Request(Exit("term"), true);
    gate.Request(Exit("user2"), false);
    modals.open = 0;
    clock.Advance(ExitGate::kPollMs);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "term");
    EXPECT_EQ(std::count(log.begin(), log.end(), "user"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "user2"), 0);
}

TEST_F(ExitGateTest, AnExitThatOpensAModalWindowItselfIsNotHeldBack) {
    // The shutdown shows the exit notice; a second request meanwhile must not run twice.
    gate.Request(
        [this] {
            log.push_back("shutdown");
            modals.open = 1;
            gate.Request(Exit("again"), false);
            modals.open = 0;
        },
        false);
    clock.Advance(ExitGate::kPollMs);
    EXPECT_EQ(log, (std::vector<std::string>{"shutdown", "forward", "again"}));
}

}  // namespace
