// The message-window timer on the headless desktop's manual clock.
#include "app/SimpleTimer.h"
#include "platform/desktop/Headless.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using win::headless::AdvanceClock;

// Counts ticks and remembers each tick's sender.
struct TickLog {
  std::vector<TObject*> Senders;
  TNotifyEvent Handler() {
    return TNotifyEvent([this](TObject* s) { Senders.push_back(s); });
  }
  size_t Count() const { return Senders.size(); }
};

class SimpleTimerTest : public ::testing::Test {
protected:
  void SetUp() override { win::headless::Reset(); }
  void TearDown() override { win::headless::Reset(); }
  TickLog log;
};

TEST_F(SimpleTimerTest, ANewTimerWaitsUntilEnabled) {
  TSimpleTimer plain;
  EXPECT_EQ(plain.Interval(), 1000u);
  EXPECT_FALSE(plain.OnTimer());
  EXPECT_EQ(plain.Id(), reinterpret_cast<win::UINT_PTR>(&plain));

  TSimpleTimer t(100, log.Handler());
  AdvanceClock(1000);
  EXPECT_EQ(log.Count(), 0u);
  EXPECT_FALSE(t.Enabled());

  t.SetEnabled(true);
  AdvanceClock(99);
  EXPECT_EQ(log.Count(), 0u);
  AdvanceClock(1);
  EXPECT_EQ(log.Count(), 1u);
  AdvanceClock(300);
  EXPECT_EQ(log.Count(), 4u);
  EXPECT_EQ(log.Senders[0], &t);

  t.SetEnabled(false);
  AdvanceClock(1000);
  EXPECT_EQ(log.Count(), 4u);
}

TEST_F(SimpleTimerTest, EnablingWithIntervalZeroLeavesItStopped) {
  TSimpleTimer t(0, log.Handler());
  t.SetEnabled(true);
  EXPECT_FALSE(t.Enabled());
  AdvanceClock(1000);
  EXPECT_EQ(log.Count(), 0u);
}

TEST_F(SimpleTimerTest, ChangingTheIntervalRestartsAndTheSameIntervalDoesNot) {
  TSimpleTimer t(100, log.Handler());
  t.SetEnabled(true);
  AdvanceClock(50);
  t.SetInterval(250);  // restart: the next tick is a full 250 later
  AdvanceClock(249);
  EXPECT_EQ(log.Count(), 0u);
  AdvanceClock(1);
  EXPECT_EQ(log.Count(), 1u);

  AdvanceClock(100);
  t.SetInterval(250);  // unchanged: keeps its phase
  AdvanceClock(150);
  EXPECT_EQ(log.Count(), 2u);
}

TEST_F(SimpleTimerTest, IntervalZeroPausesAndANewIntervalResumes) {
  TSimpleTimer t(100, log.Handler());
  t.SetEnabled(true);
  t.SetInterval(0);
  EXPECT_TRUE(t.Enabled());
  AdvanceClock(1000);
  EXPECT_EQ(log.Count(), 0u);

  t.SetInterval(500);
  AdvanceClock(1000);
  EXPECT_EQ(log.Count(), 2u);
  EXPECT_TRUE(t.Enabled());
}

TEST_F(SimpleTimerTest, RemovingTheHandlerPausesUntilEnabledAgain) {
  TSimpleTimer t(100, log.Handler());
  t.SetEnabled(true);
  AdvanceClock(100);
  ASSERT_EQ(log.Count(), 1u);

  t.SetOnTimer(nullptr);
  EXPECT_TRUE(t.Enabled());
  t.SetOnTimer(log.Handler());  // a new handler alone does not restart it
  AdvanceClock(500);
  EXPECT_EQ(log.Count(), 1u);

  t.SetEnabled(true);
  AdvanceClock(100);
  EXPECT_EQ(log.Count(), 2u);
}

TEST_F(SimpleTimerTest, EnablingARunningTimerRestartsItsPeriod) {
  TSimpleTimer t(100, log.Handler());
  t.SetEnabled(true);
  AdvanceClock(80);
  t.SetEnabled(true);
  AdvanceClock(99);
  EXPECT_EQ(log.Count(), 0u);
  AdvanceClock(1);
  EXPECT_EQ(log.Count(), 1u);
}

TEST_F(SimpleTimerTest, TimersShareOneWindowAndTickAtTheirOwnPeriods) {
  TickLog a, b, c;
  {
    TSimpleTimer ta(100, a.Handler()), tb(150, b.Handler()), tc(400, c.Handler());
    ASSERT_NE(SimpleTimerHandler(), nullptr);
    EXPECT_EQ(SimpleTimerHandler()->RefCount(), 3);
    win::HWND shared = SimpleTimerHandler()->Handle();
    EXPECT_TRUE(win::IsWindow(shared));
    for (TSimpleTimer* t : {&ta, &tb, &tc}) t->SetEnabled(true);
    AdvanceClock(600);
    EXPECT_EQ(a.Count(), 6u);
    EXPECT_EQ(b.Count(), 4u);
    EXPECT_EQ(c.Count(), 1u);
    for (TObject* s : a.Senders) EXPECT_EQ(s, &ta);
    for (TObject* s : b.Senders) EXPECT_EQ(s, &tb);
    EXPECT_EQ(c.Senders[0], &tc);
  }
  // The last timer took the window with it; a new timer makes a new one.
  EXPECT_EQ(SimpleTimerHandler(), nullptr);
  TSimpleTimer again(100, log.Handler());
  ASSERT_NE(SimpleTimerHandler(), nullptr);
  EXPECT_TRUE(win::IsWindow(SimpleTimerHandler()->Handle()));
  again.SetEnabled(true);
  AdvanceClock(100);
  EXPECT_EQ(log.Count(), 1u);
}

TEST_F(SimpleTimerTest, ATimerFreedByAnotherTickAtTheSameMomentNeverTicks) {
  auto victim = std::make_unique<TSimpleTimer>(100, log.Handler());
  TSimpleTimer killer(100, TNotifyEvent([&](TObject*) { victim.reset(); }));
  killer.SetEnabled(true);
  victim->SetEnabled(true);
  AdvanceClock(300);
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(log.Count(), 0u);
}

TEST_F(SimpleTimerTest, ReleasingWithoutAWindowIsHarmless) {
  EXPECT_EQ(SimpleTimerHandler(), nullptr);
  ReleaseTimerWindow();
  EXPECT_EQ(SimpleTimerHandler(), nullptr);
}

}  // namespace
