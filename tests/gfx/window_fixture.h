// Every test here works on a fresh headless main window of kWidth x kHeight.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gfx/veltounit.h"
#include "platform/automation.h"

namespace gfxtest {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Bounding box of the pixels that differ from `background` in the window.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int count = 0;
  bool Empty() const { return count == 0; }
};
Box LitBox(veltounit::Colour background);

// Takes every message waiting in the queue.
void DrainMessages();

}  // namespace gfxtest
