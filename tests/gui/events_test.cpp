// One pass of input handling, driven pass by pass with injected mouse moves,
// clicks and keys: hovering, clicking per type code, keys, focus, windows,
// the screen saver.
#include <algorithm>
#include <thread>

#include "gui_fixture.h"
#include "images/IvxFiles.h"

namespace guitest {
namespace {

using namespace veltogui;
using veltounit::MakeColour;

constexpr int kF1 = 0x70, kF2 = 0x71, kF5 = 0x74, kF12 = 0x7B;

class Events : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    StartWithSkin();
    veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  }
  // Centre of an object.
  int Cx(const std::string& name) { return (GetObjectX1(name) + GetObjectX2(name)) / 2; }
  int Cy(const std::string& name) { return (GetObjectY1(name) + GetObjectY2(name)) / 2; }
  std::string TakeActivated() {
    std::string name = GetActivatedObject();
    ClearActivatedObject();
    return name;
  }
};

TEST_F(Events, HoveringAButtonHighlightsItAndLeavingRestoresIt) {
  CreateObject("b", "button", "1", "", "", "", 50, 50, 0, 0);
  DrawAllObjects();
  EXPECT_EQ(SkinPictureColour("btns1"), automation::WindowPixel(55, 55));
  MoveTo(55, 55);
  EXPECT_EQ(1, GetHoveredObject());
  EXPECT_EQ(SkinPictureColour("btns2"), automation::WindowPixel(55, 55));
  EXPECT_EQ(ResourcesFolder() + "Pointers\\Select.cur", GetPointerFile());
  EXPECT_EQ(MakeColour(255, 0, 0), automation::WindowPixel(kWidth - 5, kHeight - 5));
  MoveTo(300, 300);
  EXPECT_EQ(0, GetHoveredObject());
  EXPECT_EQ(SkinPictureColour("btns1"), automation::WindowPixel(55, 55));
  EXPECT_EQ(ResourcesFolder() + "Pointers\\Arrow.cur", GetPointerFile());
  EXPECT_EQ(MakeColour(0, 255, 0), automation::WindowPixel(kWidth - 5, kHeight - 5));
  EXPECT_EQ("1", GetObjectValue("b"));
  EXPECT_EQ("", GetActivatedObject());
}

TEST_F(Events, OneClickTogglesAButtonOnce) {
  CreateObject("b", "button", "1", "", "", "", 50, 50, 0, 0);
  ClickAt(55, 55);
  EXPECT_EQ("3", GetObjectValue("b"));
  EXPECT_EQ("b", TakeActivated());
  EXPECT_EQ(SkinPictureColour("btns3"), automation::WindowPixel(55, 55));
  // More passes without input change nothing.
  for (int i = 0; i < 5; ++i) HandleGuiEvents();
  EXPECT_EQ("3", GetObjectValue("b"));
  EXPECT_EQ("", GetActivatedObject());
  ClickAt(56, 56);
  EXPECT_EQ("1", GetObjectValue("b"));
  EXPECT_EQ(1, GetFocusedObject());
}

TEST_F(Events, ASmallCheckBoxWaitsAfterItsToggle) {
  CreateObject("c", "checkbox", "1", "", "", "", 50, 50, 0, 0);
  CreateObject("cl", "checkboxl", "1", "", "", "", 100, 50, 130, 80);
  MoveTo(55, 55);
  automation::PressButton(1);
  const int before = veltounit::GetTicks();
  Passes();
  EXPECT_GE(veltounit::GetTicks() - before, 100);
  EXPECT_EQ("3", GetObjectValue("c"));
  EXPECT_EQ(SkinPictureColour("chks3"), automation::WindowPixel(55, 55));
  automation::ReleaseButton(1);
  Passes();
  // The large check box has no picture in the skin, so its area is the one
  // pixel at its corner; it toggles all the same, without the wait.
  ClickAt(100, 50);
  EXPECT_EQ("3", GetObjectValue("cl"));
}

TEST_F(Events, CommandButtonShowsPressedThenLatchesUntilAcknowledged) {
  CreateObject("NODE", "buttonc", "Make Tree", "", "", "", 100, 100, 0, 0);
  DrawAllObjects();
  MoveTo(Cx("NODE"), Cy("NODE"));
  EXPECT_EQ("1", GetObjectValue("NODE"));
  automation::PressButton(1);
  const int before = veltounit::GetTicks();
  Passes();
  EXPECT_GE(veltounit::GetTicks() - before, 100);  // the pressed look stays 100 ms
  EXPECT_EQ("4", GetObjectValue("NODE"));
  EXPECT_EQ("NODE", GetActivatedObject());
  EXPECT_GT(CountPixels(101, 101, GetObjectX2("NODE") - 1, 122, MakeColour(255, 0, 0)), 5);
  automation::ReleaseButton(1);
  Passes();
  // Clicking a latched button leaves it latched.
  ClickAt(Cx("NODE") + 1, Cy("NODE"));
  EXPECT_EQ("4", GetObjectValue("NODE"));
  SetObjectState("NODE", 0);
  EXPECT_EQ("1", GetObjectValue("NODE"));
  ClickAt(Cx("NODE"), Cy("NODE"));
  EXPECT_EQ("4", GetObjectValue("NODE"));
}

TEST_F(Events, LayersToggleAndTheWindowCloseAreaRequestsClosing) {
  CreateObject("backwindow", "window", "Game", "", "", "", 0, 0, 400, 300);
  CreateObject("layer(1,1)", "layer", "1", "backwindow", "", "", 50, 50, 70, 70);
  ClickAt(60, 60);
  EXPECT_EQ("layer(1,1)", TakeActivated());
  EXPECT_EQ("4", GetObjectValue("layer(1,1)"));
  ClickAt(61, 61);
  EXPECT_EQ("1", GetObjectValue("layer(1,1)"));

  EXPECT_FALSE(IsCloseRequested());
  const int ex = Cx("wnd_exit"), ey = Cy("wnd_exit");
  ClickAt(ex, ey);
  EXPECT_EQ("wnd_exit", TakeActivated());
  EXPECT_TRUE(IsCloseRequested());
  ClickAt(ex + 1, ey);
  EXPECT_FALSE(IsCloseRequested());
}

TEST_F(Events, AClickOnEmptySpaceIsConsumed) {
  CreateObject("b", "button", "1", "", "", "", 50, 50, 0, 0);
  MoveTo(300, 300);
  automation::PressButton(1);
  automation::ReleaseButton(1);
  Passes();
  MoveTo(55, 55);  // arriving over the button must not click it
  Passes();
  EXPECT_EQ("1", GetObjectValue("b"));
  EXPECT_EQ("", GetActivatedObject());
}

TEST_F(Events, TabSkipsLabelsCommentsWindowsLayersProgressBarsAndData) {
  CreateObject("w", "window", "W", "", "", "", 0, 0, 490, 390);   // 1 and its close area 2
  CreateObject("l", "label", "L", "w", "", "", 10, 40, 0, 0);     // 3
  CreateObject("b1", "button", "1", "w", "", "", 10, 80, 0, 0);   // 4
  CreateObject("c", "comment", "C", "w", "", "", 10, 120, 0, 0);  // 5
  CreateObject("p", "progressbar", "5", "w", "", "", 10, 150, 200, 0);
  CreateObject("d", "data", "x", "w", "", "", 0, 0, 0, 0);
  CreateObject("t", "textbox", "", "w", "", "", 10, 200, 200, 0);   // 8
  CreateObject("gone", "button", "1", "w", "", "", 300, 80, 0, 0);  // 9, deleted below
  CreateObject("k", "checkbox", "1", "w", "", "", 10, 250, 0, 0);   // 10
  RemoveObject("gone", "NAME");
  EXPECT_EQ(1, GetFocusedObject());
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) {
    Key(VK_TAB);
    order.push_back(GetFocusedObjectName());
  }
  EXPECT_EQ((std::vector<std::string>{"b1", "t", "k", "b1"}), order);
  // The focus mark is drawn round the focused object.
  EXPECT_GT(CountPixels(10, 80, 29, 99, MakeColour(255, 255, 50)), 10);
}

TEST_F(Events, TabWithNothingFocusableKeepsTheFocus) {
  CreateObject("l", "label", "L", "", "", "", 10, 40, 0, 0);
  CreateObject("lay", "layer", "1", "", "", "", 10, 60, 20, 70);
  Key(VK_TAB);
  EXPECT_EQ(1, GetFocusedObject());
}

TEST_F(Events, EnterOrSpaceOnAFocusedButtonActsAsAClick) {
  CreateObject("l", "label", "L", "", "", "", 10, 40, 0, 0);
  CreateObject("b", "button", "1", "", "", "", 100, 100, 0, 0);
  CreateObject("cmd", "buttonc", "Go", "", "", "", 200, 100, 0, 0);
  MoveTo(400, 300);
  Key(VK_TAB);
  ASSERT_EQ("b", GetFocusedObjectName());
  Key(VK_RETURN);
  EXPECT_EQ("3", GetObjectValue("b"));
  EXPECT_EQ("b", TakeActivated());
  Key(VK_TAB);
  ASSERT_EQ("cmd", GetFocusedObjectName());
  Key(VK_SPACE);
  EXPECT_EQ("4", GetObjectValue("cmd"));
  EXPECT_EQ("cmd", TakeActivated());
  EXPECT_EQ("3", GetObjectValue("b"));  // the earlier button is untouched
}

TEST_F(Events, APassInWhichTheMouseMovedReadsNoKey) {
  CreateObject("b1", "button", "1", "", "", "", 100, 100, 0, 0);
  CreateObject("b2", "button", "1", "", "", "", 200, 100, 0, 0);
  ASSERT_EQ(1, GetFocusedObject());
  automation::MoveMouse(10, 10);
  automation::TapKey(VK_TAB);
  HandleGuiEvents();
  EXPECT_EQ(1, GetFocusedObject());
  // Once the pointer rests the key is read.
  Passes();
  EXPECT_EQ(2, GetFocusedObject());
}

TEST_F(Events, LabelsHighlightBlueUnderThePointerAndRedWhenClicked) {
  CreateObject("lab", "label", "Click me", "", "", "", 50, 50, 0, 0);
  DrawAllObjects();
  const int x2 = GetObjectX2("lab"), y2 = GetObjectY2("lab");
  MoveTo(Cx("lab"), Cy("lab"));
  EXPECT_GT(CountPixels(50, 50, x2, y2, MakeColour(0, 0, 255)), 10);
  automation::PressButton(1);
  for (int i = 0; i < 10 && GetActivatedObject().empty(); ++i) HandleGuiEvents();
  EXPECT_GT(CountPixels(50, 50, x2, y2, MakeColour(255, 0, 0)), 10);
  EXPECT_EQ("lab", TakeActivated());
  // The next pass shows it highlighted again.
  HandleGuiEvents();
  EXPECT_GT(CountPixels(50, 50, x2, y2, MakeColour(0, 0, 255)), 10);
  automation::ReleaseButton(1);
  MoveTo(400, 300);
  EXPECT_EQ(0, CountPixels(50, 50, x2, y2, MakeColour(255, 0, 0)));
  EXPECT_GT(CountPixels(50, 50, x2, y2, MakeColour(255, 255, 255)), 10);
}

TEST_F(Events, CommentsAndIconsOnClick) {
  CreateObject("note", "comment", "A note", "", "", "", 50, 50, 0, 0);
  CreateObject("ic", "icon", "Flag(uk)", "", "", "", 200, 50, 0, 0);
  ClickAt(Cx("note"), Cy("note"));
  EXPECT_EQ("note", TakeActivated());
  EXPECT_EQ("A note", GetObjectValue("note"));
  ClickAt(Cx("ic"), Cy("ic"));
  EXPECT_EQ("4", GetObjectValue("ic"));
  ClickAt(Cx("ic") + 1, Cy("ic"));
  EXPECT_EQ("1", GetObjectValue("ic"));
}

TEST_F(Events, MovingFromAWindowOntoItsObjectsLeavesThemDrawn) {
  CreateObject("w", "window", "W", "", "", "", 10, 10, 400, 300);
  CreateObject("b", "button", "1", "w", "", "", 100, 100, 0, 0);
  CreateObject("c", "checkbox", "3", "w", "", "", 200, 100, 0, 0);
  DrawAllObjects();
  MoveTo(300, 250);  // over the window body
  MoveTo(105, 105);  // onto the button
  MoveTo(300, 250);
  MoveTo(205, 105);  // onto the check box
  EXPECT_EQ(SkinPictureColour("btns1"), automation::WindowPixel(105, 105));
  EXPECT_EQ(SkinPictureColour("chks3"), automation::WindowPixel(205, 105));
}

TEST_F(Events, ClickingWindowsMakesThemActiveInTurn) {
  CreateObject("one", "window", "One", "", "", "", 10, 10, 240, 200);
  CreateObject("two", "window", "Two", "", "", "", 250, 10, 490, 200);
  DrawAllObjects();
  EXPECT_EQ(SkinPictureColour("up2left"), automation::WindowPixel(12, 12));
  ClickAt(100, 100);
  EXPECT_EQ("one", GetActiveWindowName());
  EXPECT_EQ(1, GetObjectNumber(FindObject("one"), 5));
  EXPECT_EQ(SkinPictureColour("upleft"), automation::WindowPixel(12, 12));
  EXPECT_EQ(MakeColour(255, 57, 240), automation::WindowPixel(kWidth - 5, kHeight - 5));
  ClickAt(300, 100);
  EXPECT_EQ("two", GetActiveWindowName());
  EXPECT_EQ(1, GetObjectNumber(FindObject("two"), 5));
  EXPECT_EQ(0, GetObjectNumber(FindObject("one"), 5));
  EXPECT_EQ(SkinPictureColour("up2left"), automation::WindowPixel(12, 12));
  EXPECT_EQ(SkinPictureColour("upleft"), automation::WindowPixel(252, 12));
  EXPECT_EQ(MakeColour(252, 255, 39), automation::WindowPixel(kWidth - 5, kHeight - 5));
  EXPECT_EQ(FindObject("two"), GetFocusedObject());
}

TEST_F(Events, FunctionKeys) {
  CreateObject("b", "button", "1", "", "", "", 100, 100, 0, 0);
  MoveTo(400, 300);
  Key(kF1);
  EXPECT_EQ("GREEK", veltounit::UpperCaseText(veltounit::GetKeyboardLanguage()));
  EXPECT_EQ(SkinPictureColour("gr"), automation::WindowPixel(kWidth - 35, kHeight - 15));
  Key(kF1);
  EXPECT_EQ("ENGLISH", veltounit::UpperCaseText(veltounit::GetKeyboardLanguage()));

  automation::ScriptMessageBoxAnswer(IDOK);
  Key(kF2);
  EXPECT_FALSE(AdvancedTextMode());
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ("Keyboard field text set to basic mode", automation::MessageBoxes()[0].text);
  EXPECT_EQ("VeltoGUI", automation::MessageBoxes()[0].caption);
  automation::ScriptMessageBoxAnswer(IDOK);
  Key(kF2);
  EXPECT_TRUE(AdvancedTextMode());
  EXPECT_EQ("Keyboard field text set to advanced mode", automation::MessageBoxes()[1].text);

  veltounit::ClearWindowColour(MakeColour(10, 20, 30));
  Key(kF5);
  EXPECT_EQ(SkinPictureColour("btns1"), automation::WindowPixel(105, 105));

  automation::ScriptMessageBoxAnswer(IDNO);
  Key(kF12);
  EXPECT_TRUE(g_endCodes.empty());
  EXPECT_EQ("Closing VeltoGUI application", automation::MessageBoxes().back().caption);
  automation::ScriptMessageBoxAnswer(IDYES);
  Key(kF12);
  ASSERT_FALSE(g_endCodes.empty());
  EXPECT_EQ(0, g_endCodes.back());
}

TEST_F(Events, KeyboardHandlingCanBeTurnedOffOnlyByTheToolkitAndIsBackAfterReset) {
  CreateObject("b1", "button", "1", "", "", "", 100, 100, 0, 0);
  CreateObject("b2", "button", "1", "", "", "", 200, 100, 0, 0);
  Key(VK_TAB);
  EXPECT_EQ(2, GetFocusedObject());
  ResetObjects(0);
  EXPECT_EQ(0, GetFocusedObject());
  EXPECT_EQ("", GetActivatedObject());
}

TEST_F(Events, ActivatingAMissingOrEmptyNameDoesNothing) {
  CreateObject("b", "button", "1", "", "", "", 100, 100, 0, 0);
  ActivateObjectByName("");
  ActivateObjectByName("nobody");
  HandleGuiEvents();
  EXPECT_EQ("", GetActivatedObject());
  EXPECT_EQ("1", GetObjectValue("b"));
  ActivateObjectByName("B");
  HandleGuiEvents();
  EXPECT_EQ("b", GetActivatedObject());
}

TEST_F(Events, PointerNames) {
  EXPECT_EQ(ResourcesFolder() + "Pointers\\Magnifier.cur", CursorPath("magnify"));
  EXPECT_EQ(ResourcesFolder() + "Pointers\\Arrow.cur", CursorPath("Normal"));
  EXPECT_EQ(ResourcesFolder() + "Pointers\\Ring.cur", CursorPath("RING"));
  EXPECT_EQ("my\\own.cur", CursorPath("my\\own.cur"));
  CreateObject("z", "layer", "1", "", "", "WAIT", 10, 10, 50, 50);
  MoveTo(20, 20);
  EXPECT_EQ(ResourcesFolder() + "Pointers\\Wait.cur", GetPointerFile());
}

TEST_F(Events, ScreenSaverStartsAfterTheIdleDelayAndAKeyRestoresTheScreen) {
  SetScreenSaverDelay(60000);
  CreateObject("b", "button", "1", "", "", "", 100, 100, 0, 0);
  DrawAllObjects();
  WriteIvx(root_ + "Resources/varnix.ivx", 40, 20, MakeColour(0, 250, 250), MakeColour(0, 250, 250));
  MoveTo(300, 300);
  const COLORREF before = automation::WindowPixel(105, 105);
  const int originY = ivxfiles::LoadOriginY();
  HandleGuiEvents();  // the idle timer runs
  automation::AdvanceTime(30000);
  HandleGuiEvents();  // not yet
  EXPECT_EQ(before, automation::WindowPixel(105, 105));
  automation::AdvanceTime(30001);
  automation::TapKey('A');
  const int start = veltounit::GetTicks();
  HandleGuiEvents();
  // The saver ran (the mouse came back to where it was) and stopped at its
  // first look at the keyboard, 130 ms in.
  EXPECT_LE(veltounit::GetTicks() - start, 130 + 20);
  EXPECT_GE(veltounit::GetTicks() - start, 130);
  EXPECT_EQ(before, automation::WindowPixel(105, 105));
  EXPECT_EQ(300, veltounit::GetMouseX());
  EXPECT_EQ(0, ivxfiles::LocatePicture("varnix"));
  EXPECT_EQ(originY, ivxfiles::LoadOriginY());
  EXPECT_EQ(ResourcesFolder() + "Pointers\\Arrow.cur", GetPointerFile());
}

TEST_F(Events, TextBoxAutoAdvanceEntersTheNextBoxAndStopsAfterTheLast) {
  CreateObject("first", "textbox", "", "", "", "", 10, 10, 200, 0);
  CreateObject("b", "button", "1", "", "", "", 300, 10, 0, 0);
  CreateObject("second", "textbox", "", "", "", "", 10, 60, 200, 0);
  SetTextBoxAutoAdvance(1);
  MoveTo(Cx("first"), Cy("first"));
  automation::PressButton(1);
  automation::ReleaseButton(1);
  // Typed into the first box, Enter; then into the second box, Enter; the
  // last Tab is read by the toolkit itself after the second box is left.
  automation::TapKey('A');
  automation::TapKey(VK_RETURN);
  automation::TapKey('B');
  automation::TapKey(VK_RETURN);
  Passes(40);
  EXPECT_EQ("A", veltounit::UpperCaseText(GetObjectValue("first")));
  EXPECT_EQ("B", veltounit::UpperCaseText(GetObjectValue("second")));
  EXPECT_EQ(FindObject("second"), GetFocusedObject());
  // Without auto-advance a box is left alone after editing.
  SetTextBoxAutoAdvance(0);
  MoveTo(Cx("first"), Cy("first") + 1);
  automation::PressButton(1);
  automation::ReleaseButton(1);
  automation::TapKey('C');
  automation::TapKey(VK_RETURN);
  automation::TapKey('D');
  Passes(40);
  EXPECT_EQ("AC", veltounit::UpperCaseText(GetObjectValue("first")));
  EXPECT_EQ("B", veltounit::UpperCaseText(GetObjectValue("second")));
}

}  // namespace
}  // namespace guitest
