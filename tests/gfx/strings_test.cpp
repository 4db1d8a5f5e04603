// Text utilities: case-blind comparison, file name parts and the traced
// shaker sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "gfx/veltounit.h"

namespace {

using namespace veltounit;

TEST(Strings, SameTextNoCaseComparesAsciiLettersOnly) {
  EXPECT_TRUE(SameTextNoCase("abc", "ABC"));
  EXPECT_FALSE(SameTextNoCase("abc", "abcd"));
  EXPECT_FALSE(SameTextNoCase("abc", "abd"));
  EXPECT_TRUE(SameTextNoCase("", ""));
  EXPECT_FALSE(SameTextNoCase("\xE1", "\xC1"));  // ASCII rules only
}

TEST(Strings, FileNameParts) {
  const std::string path = "C:\\dir\\name.ext";
  EXPECT_EQ("C:\\dir\\", FileNamePart(path, "DIRECTORY"));
  EXPECT_EQ("name", FileNamePart(path, "FILENAME"));
  EXPECT_EQ("ext", FileNamePart(path, "EXTENTION"));
  EXPECT_EQ("name.ext", FileNamePart(path, "FILENAME+EXTENTION"));
  EXPECT_EQ("name", FileNamePart(path, "filename"));
  EXPECT_EQ("", FileNamePart(path, "EXTENSION"));  // the word is spelled the library's way

  EXPECT_EQ("archive.tar", FileNamePart("archive.tar.gz", "FILENAME"));
  EXPECT_EQ("gz", FileNamePart("archive.tar.gz", "EXTENTION"));
  EXPECT_EQ("", FileNamePart("archive.tar.gz", "DIRECTORY"));

  // No "." in the name: all of it is the name, there is no extension, even
  // when a folder has a "." of its own.
  EXPECT_EQ("README", FileNamePart("C:\\my.docs\\README", "FILENAME"));
  EXPECT_EQ("", FileNamePart("C:\\my.docs\\README", "EXTENTION"));
  EXPECT_EQ("C:\\my.docs\\", FileNamePart("C:\\my.docs\\README", "DIRECTORY"));
  EXPECT_EQ("name", FileNamePart("name", "FILENAME"));

  EXPECT_EQ("", FileNamePart("C:\\dir\\", "FILENAME+EXTENTION"));
  EXPECT_EQ("name", FileNamePart("name.", "FILENAME"));
  EXPECT_EQ("", FileNamePart("name.", "EXTENTION"));
  EXPECT_EQ("", FileNamePart("", "FILENAME"));
}

std::vector<std::string> SortTraced(std::vector<std::string> list, int count, std::vector<std::string>* trace) {
  testing::internal::CaptureStdout();
  SortStrings(list, count);
  std::istringstream lines(testing::internal::GetCapturedStdout());
  for (std::string line; std::getline(lines, line);) trace->push_back(line);
  return list;
}

TEST(Strings, SortStringsSortsBytesAndTracesEveryRound) {
  std::vector<std::string> trace;
  const std::vector<std::string> sorted = SortTraced(
      {"pear", "Apple", "\xE1lpha", "apple", "fig", "", "banana", "fig"}, 8, &trace);
  EXPECT_EQ((std::vector<std::string>{"", "Apple", "apple", "banana", "fig", "fig", "pear", "\xE1lpha"}), sorted);
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ("LEFT=2 RIGHT=8", trace[0]);
  for (const std::string& line : trace) EXPECT_EQ(0u, line.rfind("LEFT=", 0)) << line;

  // The bounds shrink from round to round.
  int lastLeft = 0, lastRight = 1 << 30;
  for (const std::string& line : trace) {
    int left = 0, right = 0;
    ASSERT_EQ(2, std::sscanf(line.c_str(), "LEFT=%d RIGHT=%d", &left, &right)) << line;
    EXPECT_GT(left, lastLeft);
    EXPECT_LT(right, lastRight);
    lastLeft = left;
    lastRight = right;
  }

  // A sorted list takes one round.
  trace.clear();
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), SortTraced({"a", "b", "c"}, 3, &trace));
  EXPECT_EQ(1u, trace.size());
}

TEST(Strings, SortStringsKeepsToTheCountAndTheList) {
  std::vector<std::string> trace;
  EXPECT_EQ((std::vector<std::string>{"b", "c", "d", "a"}), SortTraced({"d", "c", "b", "a"}, 3, &trace));
  trace.clear();
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), SortTraced({"b", "a"}, 50, &trace));
  trace.clear();
  EXPECT_EQ((std::vector<std::string>{"b", "a"}), SortTraced({"b", "a"}, -1, &trace));
  EXPECT_TRUE(trace.empty());

  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i) many.push_back(std::to_string((i * 7919) % 1000));
  std::vector<std::string> expected = many;
  std::sort(expected.begin(), expected.end());
  trace.clear();
  EXPECT_EQ(expected, SortTraced(many, 200, &trace));
}

}  // namespace
