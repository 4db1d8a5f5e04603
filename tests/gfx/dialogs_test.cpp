// AskUser's word tables and answers, and the open-file and font dialogs, all
// answered from a script.
#include "window_fixture.h"

namespace gfxtest {
namespace {

using namespace veltounit;

using Dialogs = WindowTest;

TEST_F(Dialogs, AskUserBuildsTheStyleFromItsWords) {
  const struct {
    const char* buttons;
    const char* icon;
    const char* modality;
    UINT style;
  } cases[] = {
      {"yes/no", "?", "", MB_YESNO | MB_ICONQUESTION},
      {"OK", "X", "system", MB_OK | MB_ICONHAND | MB_SYSTEMMODAL},
      {"ok/cancel", "!", "Application", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL},
      {"ABORT/RETRY/IGNORE", "i", "", MB_ABORTRETRYIGNORE | MB_ICONINFORMATION},
      {"Yes/No/Cancel", "", "none", MB_YESNOCANCEL},
      {"retry/cancel", "??", "", MB_RETRYCANCEL},
      {"maybe", "i", "", MB_OK | MB_ICONINFORMATION},
  };
  for (const auto& c : cases) {
    automation::ClearMessageBoxes();
    automation::ScriptMessageBoxAnswer(IDOK);
    AskUser("Caption", "Question", c.buttons, c.icon, c.modality);
    ASSERT_EQ(1u, automation::MessageBoxes().size());
    EXPECT_EQ(c.style, automation::MessageBoxes()[0].style) << c.buttons << " " << c.icon << " " << c.modality;
    EXPECT_EQ("Caption", automation::MessageBoxes()[0].caption);
    EXPECT_EQ("Question", automation::MessageBoxes()[0].text);
  }
}

TEST_F(Dialogs, AskUserNamesTheAnswer) {
  const struct {
    int answer;
    const char* word;
  } answers[] = {{IDOK, "ok"},         {IDCANCEL, "cancel"}, {IDABORT, "abort"}, {IDRETRY, "retry"},
                 {IDIGNORE, "ignore"}, {IDYES, "yes"},       {IDNO, "no"},       {42, ""}};
  for (const auto& a : answers) {
    automation::ScriptMessageBoxAnswer(a.answer);
    EXPECT_EQ(a.word, AskUser("Error", "text", "yes/no/cancel", "!", "application")) << a.answer;
  }
}

TEST_F(Dialogs, OpenFileDialogWritesTheChosenNameOrTheFailure) {
  automation::ScriptMessageBoxAnswer(IDOK);
  automation::ScriptMessageBoxAnswer(IDOK);
  automation::ScriptFileDialogAnswer("C:\\games\\board.ivx");
  SetTextCursor(0, 20);
  OpenFileDialog();
  ASSERT_EQ(2u, automation::MessageBoxes().size());
  EXPECT_EQ("Function not implemented fully yet !", automation::MessageBoxes()[0].text);
  EXPECT_EQ("Veltounit ", automation::MessageBoxes()[0].caption);
  EXPECT_EQ("Success!", automation::MessageBoxes()[1].text);
  EXPECT_EQ(20 + TextHeight("C:\\games\\board.ivx") + 1, TextCursorY());
  const Box named = LitBox(MakeColour(0, 0, 0));
  EXPECT_FALSE(named.Empty());
  EXPECT_GE(named.top, 20);

  automation::ClearMessageBoxes();
  automation::ScriptMessageBoxAnswer(IDOK);
  automation::ScriptFileDialogAnswer("");  // cancelled
  ClearWindowColour(MakeColour(0, 0, 0));
  SetTextCursor(0, 60);
  OpenFileDialog();
  EXPECT_EQ(1u, automation::MessageBoxes().size());
  const Box failed = LitBox(MakeColour(0, 0, 0));
  EXPECT_FALSE(failed.Empty());
  EXPECT_GE(failed.top, 60);
}

TEST_F(Dialogs, ChooseFontDialogSelectsAndNamesTheFace) {
  automation::ScriptFileDialogAnswer("Liberation Mono");
  SetTextCursor(0, 40);
  EXPECT_EQ(0, ChooseFontDialog());
  EXPECT_GT(TextCursorY(), 40);
  EXPECT_FALSE(LitBox(MakeColour(0, 0, 0)).Empty());
}

}  // namespace
}  // namespace gfxtest
