#include "message_recorder.h"

namespace trivane_test {

MessageLog& Messages() {
  static MessageLog log;
  return log;
}

void ResetMessages() { Messages() = MessageLog{}; }

void AnswerNextQuestion(int answer) { Messages().answers.push_back(answer); }

int RecordMessage(const char* text, const char* caption, unsigned style) {
  MessageLog& log = Messages();
  log.boxes.push_back(Box{text ? text : "", caption ? caption : "", style});
  if ((style & 0x0F) != 0x04) return 1;
  if (log.answers.empty()) {
    ++log.unscripted_questions;
    return kNo;
  }
  const int answer = log.answers.front();
  log.answers.pop_front();
  return answer;
}

}  // namespace trivane_test
