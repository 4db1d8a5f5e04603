#include "game_watch.h"

#include <sstream>

#include "engine/TrivaneEngine.h"
#include "gui/VeltoGUI.h"
#include "platform/automation.h"

namespace client_test {

namespace {

bool CanMove(const Board& b, int who) {
  if (b.OnBoard(who) == 3) return true;  // flying: any empty point
  for (const Pt& from : BoardPoints()) {
    if (b.At(from) != who) continue;
    for (const Pt& to : BoardPoints()) {
      if (b.At(to) == 0 && Adjacent(from, to)) return true;
    }
  }
  return false;
}

void ClickCloseArea() {
  const int x = (veltogui::GetObjectX1("wnd_exit") + veltogui::GetObjectX2("wnd_exit")) / 2;
  const int y = (veltogui::GetObjectY1("wnd_exit") + veltogui::GetObjectY2("wnd_exit")) / 2;
  automation::Click(x, y);
}

}  // namespace

bool GameOver(const Board& b) {
  if (!b.AllPlaced()) return false;
  if (b.OnBoard(1) < 3 || b.OnBoard(2) < 3) return true;
  return b.OnBoard(b.player) > 3 && !CanMove(b, b.player);
}

void GameWatch::Fault(const std::string& what) {
  faults.push_back("move " + std::to_string(moves) + ": " + what);
  ADD_FAILURE() << faults.back();
}

void GameWatch::Verify() {
  const std::string diff = CompareScreenWithEngine();
  if (!diff.empty()) Fault("screen differs from the engine: " + diff);
}

void GameWatch::OnPass() {
  ++passes;
  if (passes > passLimit) {
    if (!closing_) Fault("the game did not end within the pass limit");
    closing_ = true;
    RequestCloseArea();
    return;
  }
  if (automation::PendingMessages() > 0) return;

  const Board now = ReadEngine();
  const bool changed = !haveLast_ || !(now == last_);
  if (changed) {
    if (haveLast_) {
      ++moves;
      if (onMove) onMove(moves);
    }
    last_ = now;
    haveLast_ = true;
    Verify();
  }
  if (closing_) return;

  if (waiting_) {
    // The click has landed once the game or the slide step shows it.
    const bool landed = !(now == before_) || client::SlideStep() != stepBefore_;
    if (!landed) {
      if (++waitPasses_ > 200) {
        Fault("a click on the board was not taken: " + Describe(pendingAction_));
        closing_ = true;
        RequestCloseArea();
      }
      return;
    }
    waiting_ = false;
    if (!expectSound_.empty()) {
      const auto& sounds = automation::Sounds();
      bool heard = false;
      for (size_t i = soundsBefore_; i < sounds.size(); ++i) {
        if (sounds[i].name == "Sounds\\" + expectSound_) heard = heard || sounds[i].played;
      }
      if (!heard) Fault("no \"" + expectSound_ + "\" was played for " + Describe(pendingAction_));
    }
    if (boxes != nullptr) {
      for (size_t i = boxesBefore_; i < boxes->size(); ++i) {
        if ((*boxes)[i].caption != "Draw Proposition...") {
          Fault("unexpected box \"" + (*boxes)[i].caption + "\": " + (*boxes)[i].text);
        }
      }
    }
  }

  if (closeAfterMoves >= 0 && moves >= closeAfterMoves) {
    closing_ = true;
    if (closeByClick) {
      ClickCloseArea();
    } else {
      RequestCloseArea();
    }
    return;
  }
  if (humans.count(now.player) == 0) return;  // the computer moves in the next pass
  Act(now);
}

void GameWatch::Act(const Board& now) {
  before_ = now;
  stepBefore_ = client::SlideStep();
  soundsBefore_ = automation::Sounds().size();
  boxesBefore_ = boxes != nullptr ? boxes->size() : 0;
  waitPasses_ = 0;

  if (pendingDestination_) {
    automation::Click(client::kUnit * pendingDestination_->x, client::kUnit * pendingDestination_->y);
    pendingDestination_.reset();
    expectSound_ = "slide.wav";
    waiting_ = true;
    return;
  }
  if (drawAccepted || GameOver(now)) {
    // The end of the game shows when a point is clicked.
    if (!endClickSent) {
      endClickSent = true;
      automation::Click(client::kUnit * 1, client::kUnit * 1);
    }
    return;
  }
  const int who = now.player;
  const int opponent = who == 1 ? 2 : 1;
  const std::optional<Action> action = choose(now, who, removalsDue_ > 0);
  if (!action) {
    Fault("the chooser found no move");
    closing_ = true;
    RequestCloseArea();
    return;
  }
  pendingAction_ = *action;
  ++humanMoves;
  switch (action->kind) {
    case Action::Remove: {
      automation::Click(client::kUnit * action->at.x, client::kUnit * action->at.y);
      expectSound_ = "take.wav";
      Board after = now;
      after.cell[action->at.x][action->at.y] = 0;
      --removalsDue_;
      if (after.Removable(opponent).empty()) removalsDue_ = 0;
      break;
    }
    case Action::Place:
    case Action::Slide: {
      const Pt from = action->kind == Action::Slide ? action->from : Pt{};
      removalsDue_ = now.MillsClosedBy(action->at, who, from);
      Board after = now;
      if (action->kind == Action::Slide) after.cell[from.x][from.y] = 0;
      after.cell[action->at.x][action->at.y] = who;
      if (after.Removable(opponent).empty()) removalsDue_ = 0;
      if (action->kind == Action::Place) {
        automation::Click(client::kUnit * action->at.x, client::kUnit * action->at.y);
        expectSound_ = "place.wav";
      } else {
        // Two clicks: the source now, the destination once the source is taken.
        automation::Click(client::kUnit * from.x, client::kUnit * from.y);
        pendingDestination_ = action->at;
        expectSound_.clear();
      }
      break;
    }
  }
  waiting_ = true;
}

}  // namespace client_test
