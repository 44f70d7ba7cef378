#include "common/throttle.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

using namespace std::chrono_literals;

// A clock the test moves by hand.
struct TManualClock {
  std::chrono::steady_clock::time_point Now{};
  TThrottle::TClock Source() {
    return [this] { return Now; };
  }
};

TEST(Throttle, LetsTheFirstCallAndThenOnePerIntervalThrough) {
  TManualClock clock;
  TThrottle throttle(50ms, clock.Source());
  EXPECT_TRUE(throttle.Due());
  EXPECT_FALSE(throttle.Due());
  clock.Now += 49ms;
  EXPECT_FALSE(throttle.Due());
  clock.Now += 1ms;
  EXPECT_TRUE(throttle.Due());
  // The interval counts from the call let through, not from the last call.
  clock.Now += 30ms;
  EXPECT_FALSE(throttle.Due());
  clock.Now += 30ms;
  EXPECT_TRUE(throttle.Due());
  // A long pause lets exactly one call through.
  clock.Now += 10s;
  EXPECT_TRUE(throttle.Due());
  EXPECT_FALSE(throttle.Due());
}

TEST(Throttle, ACallAtTheVeryStartOfTheClockIsLetThrough) {
  TManualClock clock;  // the clock's epoch: time_point{} itself
  TThrottle throttle(1h, clock.Source());
  EXPECT_TRUE(throttle.Due());
  EXPECT_FALSE(throttle.Due());
}

}  // namespace
}  // namespace folverin
