// The screen stack and the frame runner without a display: the clock, the
// events and the drawing are the test's own, so every frame can be checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FrameRunner.h"
#include "tests/support/FakePlatform.h"

using testsupport::FakePlatform;

namespace {

std::string KeyName(SDLKey key) { return "key " + std::to_string(static_cast<int>(key)); }

// A screen that writes what happens to it into a shared log and runs the
// test's requests from its Update.
class LoggingScreen final : public Screen {
 public:
  LoggingScreen(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}

  void Enter() override { Write("enter"); }
  void Event(const SDL_Event& event) override { Write(KeyName(event.key.keysym.sym)); }
  void Update(const FrameTime&, const Pointer&) override {
    Write("update");
    if (onUpdate) {
      auto run = std::move(onUpdate);
      onUpdate = nullptr;
      run(Flow());
    }
  }
  void Draw() override { Write("draw"); }
  void Leave() override { Write("leave"); }
  void Covered() override { Write("covered"); }
  void Uncovered() override { Write("uncovered"); }

  std::function<void(ScreenFlow&)> onUpdate;

 private:
  void Write(const std::string& what) { m_log.push_back(m_name + " " + what); }
  std::string m_name;
  std::vector<std::string>& m_log;
};

class FrameRunnerTest : public ::testing::Test {
 protected:
  LoggingScreen& Push(const std::string& name, BlackFade fade = {}, ScreenFlow::Then then = nullptr) {
    auto screen = std::make_unique<LoggingScreen>(name, log);
    LoggingScreen& ref = *screen;
    runner.Flow().Push(std::move(screen), fade, std::move(then));
    return ref;
  }
  std::unique_ptr<LoggingScreen> Make(const std::string& name) { return std::make_unique<LoggingScreen>(name, log); }
  bool Frame() { return platform.Frame(runner); }
  // The log of the next frame alone.
  std::vector<std::string> NextFrame() {
    log.clear();
    Frame();
    return log;
  }

  // The log outlives the runner: the screens it still holds write "leave" as it goes.
  std::vector<std::string> log;
  FakePlatform platform;
  FrameRunner runner{platform.Hooks()};
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(FrameRunnerTest, RequestsWaitForTheNextFrameAndApplyInTheOrderTheyWereMade) {
  LoggingScreen& menu = Push("menu");
  EXPECT_EQ(NextFrame(), (Log{"menu enter", "menu update", "menu draw"}));
  EXPECT_EQ(platform.drawn, (Log{"cursor", "present"}));

  // Asked for in the middle of a frame: that frame still belongs to the menu.
  bool thenRan = false;
  menu.onUpdate = [&](ScreenFlow& flow) {
    flow.Push(Make("level"));
    flow.Push(Make("start"), {}, [&] { thenRan = true; });
  };
  EXPECT_EQ(NextFrame(), (Log{"menu update", "menu draw"}));
  EXPECT_EQ(NextFrame(), (Log{"menu covered", "level enter", "level covered", "start enter", "start update",
                              "start draw"}));
  EXPECT_EQ(runner.Stack().Depth(), 3);

  // Events reach the top screen only.
  platform.Key(SDLK_a);
  EXPECT_EQ(NextFrame(), (Log{"start " + KeyName(SDLK_a), "start update", "start draw"}));

  // A pop runs the Then given with the push once the screen below is current.
  static_cast<LoggingScreen*>(runner.Stack().Top())->onUpdate = [](ScreenFlow& flow) { flow.Pop(); };
  NextFrame();
  EXPECT_EQ(NextFrame(), (Log{"start leave", "level uncovered", "level update", "level draw"}));
  EXPECT_TRUE(thenRan);

  // Replace keeps the screen below covered; PopTo unwinds to a depth.
  static_cast<LoggingScreen*>(runner.Stack().Top())->onUpdate = [&](ScreenFlow& flow) {
    flow.Push(Make("pause"));
    flow.Replace(Make("other"));
  };
  NextFrame();
  EXPECT_EQ(NextFrame(), (Log{"level covered", "pause enter", "pause leave", "other enter", "other update",
                              "other draw"}));
  static_cast<LoggingScreen*>(runner.Stack().Top())->onUpdate = [](ScreenFlow& flow) { flow.PopTo(1); };
  NextFrame();
  EXPECT_EQ(NextFrame(), (Log{"other leave", "level uncovered", "level leave", "menu uncovered", "menu update",
                              "menu draw"}));

  // The last screen gone, the run is over.
  menu.onUpdate = [](ScreenFlow& flow) { flow.Pop(); };
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  EXPECT_EQ(runner.Ended(), RunEnd::kEmpty);
}

TEST_F(FrameRunnerTest, AFadeFromBlackHoldsBackInputUntilItIsOverAndThePointerStaysAboveIt) {
  Push("menu", BlackFade{0.0f, 100.0f});
  platform.Key(SDLK_RETURN);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(platform.drawn, (Log{"black", "cursor", "present"}));
  EXPECT_NEAR(platform.blacks[0], 0.99f, 0.002f);
  // The key pressed during the fade was taken from the queue and dropped.
  EXPECT_TRUE(platform.events.empty());

  int frames = 1;
  while (runner.Fading() && frames < 1000) {
    EXPECT_EQ(platform.cursors, frames) << frames;
    if (frames < 95) platform.Key(SDLK_DOWN);
    Frame();
    ++frames;
  }
  // 100 frame units at 60 frames a second: 100 frames, give or take the
  // smoothing of the clock's rounding.
  EXPECT_NEAR(frames, 100, 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "menu " + KeyName(SDLK_DOWN)), 0);
  EXPECT_NEAR(platform.music, runner.Clock().elapsedFrames, 1e-3);

  platform.Key(SDLK_UP);
  EXPECT_EQ(NextFrame(), (Log{"menu " + KeyName(SDLK_UP), "menu update", "menu draw"}));
  EXPECT_EQ(platform.drawn, (Log{"cursor", "present"}));
}

TEST_F(FrameRunnerTest, QuitFadesToBlackThenRunsTheFarewellAloneAndEnds) {
  Push("menu");
  Push("level");
  Frame();
  static_cast<LoggingScreen*>(runner.Stack().Top())->onUpdate = [&](ScreenFlow& flow) {
    flow.Quit(BlackFade{100.0f, 0.0f}, Make("goodbye"));
  };
  Frame();
  const int cursorsBefore = platform.cursors;
  float last = 0.0f;
  int frames = 0;
  while (runner.Stack().Depth() == 2) {
    ASSERT_LT(++frames, 1000);
    log.clear();
    Frame();
    if (runner.Stack().Depth() != 2) break;
    // The level goes on behind a black that only grows, the pointer above it.
    ASSERT_EQ(platform.blacks.size(), 1u);
    EXPECT_GE(platform.blacks[0], last);
    last = platform.blacks[0];
  }
  EXPECT_NEAR(frames, 101, 2);
  EXPECT_EQ(last, 1.0f);
  EXPECT_EQ(log, (Log{"level leave", "menu leave", "goodbye enter", "goodbye update", "goodbye draw"}));
  EXPECT_EQ(platform.cursors, cursorsBefore + frames) << "every frame shows the pointer";

  static_cast<LoggingScreen*>(runner.Stack().Top())->onUpdate = [](ScreenFlow& flow) { flow.Pop(); };
  Frame();
  EXPECT_FALSE(Frame());
  EXPECT_EQ(runner.Ended(), RunEnd::kEmpty);
}

TEST_F(FrameRunnerTest, AClosedWindowEndsTheRunAtOnceAndTheScreensLeaveWithTheStack) {
  Push("menu");
  Push("level");
  platform.closed = true;
  EXPECT_EQ(runner.Run(Make("more")), RunEnd::kClosed);
  EXPECT_TRUE(log.empty()) << "no frame ran";
  runner.LeaveAll();
  EXPECT_TRUE(log.empty()) << "the requests were dropped unapplied";

  platform.closed = false;
  log.clear();
  Push("menu");
  Push("level");
  Frame();
  runner.LeaveAll();
  EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()), (Log{"level leave", "menu leave"}));
}
