// Every test starts from a fresh game with the message recorder installed; the
// engine's state is process-wide, so nothing may leak from one test to the next.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TrivaneEngine.h"
#include "message_recorder.h"

namespace trivane_test {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMessages();
    Engine_SetMessageHandler(RecordMessage);
    InitEngine();
  }
  void TearDown() override {
    EXPECT_EQ(Messages().unscripted_questions, 0) << "a Yes/No question came without a scripted answer";
    Engine_SetMessageHandler(nullptr);
  }

  static std::vector<Box>& Boxes() { return Messages().boxes; }

  // The texts of the boxes shown so far, then forgets them.
  static std::vector<std::string> TakeTexts() {
    std::vector<std::string> texts;
    for (const Box& b : Messages().boxes) texts.push_back(b.text);
    Messages().boxes.clear();
    return texts;
  }
};

}  // namespace trivane_test
