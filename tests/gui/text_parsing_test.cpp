// Cutting command texts and settings lines into parts.
#include "gui_fixture.h"

namespace guitest {
namespace {

using namespace veltogui;

TEST(CommandParsing, APointNameSplitsIntoWordAndCoordinates) {
  EXPECT_EQ(4, ParseCommand("layer(4,7)"));
  EXPECT_EQ("layer", GetCommandPart(1));
  EXPECT_EQ("4", GetCommandPart(2));
  EXPECT_EQ("7", GetCommandPart(3));
  EXPECT_EQ("", GetCommandPart(4));
  EXPECT_EQ(0, GetCommandNumber(1));
  EXPECT_EQ(4, GetCommandNumber(2));
  EXPECT_EQ(7, GetCommandNumber(3));
}

TEST(CommandParsing, PartsAreClearedBetweenCalls) {
  ParseCommand("a,b,c,d,e");
  EXPECT_EQ(1, ParseCommand("solo"));
  EXPECT_EQ("solo", GetCommandPart(1));
  EXPECT_EQ("", GetCommandPart(2));
  EXPECT_EQ(0, ParseCommand(""));
  EXPECT_EQ("", GetCommandPart(1));
  EXPECT_EQ(0, GetCommandNumber(1));
}

TEST(CommandParsing, NumbersOnlyWhenTheWholePartConverts) {
  ParseCommand("x(-12,3a, 5,+8,99999999999)");
  EXPECT_EQ(-12, GetCommandNumber(2));
  EXPECT_EQ(0, GetCommandNumber(3));
  EXPECT_EQ(0, GetCommandNumber(4));  // " 5"
  EXPECT_EQ(8, GetCommandNumber(5));
  EXPECT_EQ(0, GetCommandNumber(6));  // too large for 32 bits
}

TEST(CommandParsing, AtMostThirtyParts) {
  std::string text;
  for (int i = 1; i <= 40; ++i) text += std::to_string(i) + ",";
  EXPECT_EQ(30, ParseCommand(text));
  EXPECT_EQ(30, GetCommandNumber(30));
  EXPECT_EQ("", GetCommandPart(31));
  EXPECT_EQ(0, GetCommandNumber(31));
  EXPECT_EQ("", GetCommandPart(0));
}

TEST(CommandParsing, TheSeparatorCanBeChanged) {
  SetCommandSeparator(';');
  EXPECT_EQ(3, ParseCommand("a;b,c"));
  EXPECT_EQ("b", GetCommandPart(2));
  SetCommandSeparator(',');
  EXPECT_EQ(1, ParseCommand("a;b"));
  EXPECT_EQ("a;b", GetCommandPart(1));
}

TEST(LineParsing, DotsSeparateToo) {
  EXPECT_EQ(5, ParseLine("Window_Title(255,255.5)"));  // ")" opens part 5
  EXPECT_EQ("Window_Title", GetLinePart(1));
  EXPECT_EQ(255, GetLineNumber(2));
  EXPECT_EQ(255, GetLineNumber(3));
  EXPECT_EQ(5, GetLineNumber(4));
  ParseLine("0.72");
  EXPECT_EQ("0", GetLinePart(1));
  EXPECT_EQ("72", GetLinePart(2));
}

TEST(LineParsing, AtMostFifteenParts) {
  std::string text;
  for (int i = 1; i <= 20; ++i) text += std::to_string(i) + ".";
  EXPECT_EQ(15, ParseLine(text));
  EXPECT_EQ(15, GetLineNumber(15));
  EXPECT_EQ("", GetLinePart(16));
  EXPECT_EQ(0, GetLineNumber(16));
}

}  // namespace
}  // namespace guitest
