// Records every box the engine shows and answers the Yes/No questions from a
// script, so a test can say exactly which boxes appeared and steer the draw
// proposition without a person at the keyboard.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace trivane_test {

struct Box {
  std::string text;
  std::string caption;
  unsigned style;
};

struct MessageLog {
  std::vector<Box> boxes;
  std::deque<int> answers;  // for Yes/No questions: 6 (Yes) or 7 (No)
  int unscripted_questions = 0;
};

MessageLog& Messages();

// Clears the log and the script.
void ResetMessages();

// Queues the answer to the next Yes/No question.
void AnswerNextQuestion(int answer);

// The handler the tests install; OK boxes are answered 1, questions from the
// script (an unscripted question is counted and answered No).
int RecordMessage(const char* text, const char* caption, unsigned style);

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr unsigned kQuestionStyle = 0x24;

}  // namespace trivane_test
