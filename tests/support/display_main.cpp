// main of the tests that need a display: the whole binary runs against one
// private X server, started before the first test and stopped after the last.
#include <gtest/gtest.h>

#include "tests/support/VirtualDisplay.h"

namespace {
class VirtualDisplayEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(m_display.Start()) << "could not start Xvfb"; }
  void TearDown() override { m_display.Stop(); }

 private:
  testsupport::VirtualDisplay m_display;
};
}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new VirtualDisplayEnvironment);
  return RUN_ALL_TESTS();
}
