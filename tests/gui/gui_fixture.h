// Every toolkit test runs on a fresh headless main window with virtual time,
// in a scratch folder of its own that holds a small generated skin.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "platform/automation.h"

namespace guitest {

constexpr int kWidth = 500;
constexpr int kHeight = 400;

// Writes a picture file in the library's ".ivx" text format: a solid w x h
// rectangle of one colour with an optional border colour.
void WriteIvx(const std::string& path, int w, int h, veltounit::Colour fill, veltounit::Colour border);
void WriteText(const std::string& path, const std::string& text);

// Makes <root>/Resources/<skin>/ with all 36 pictures (distinct colours so
// drawing can be told apart), "Window" sub-folder, pointers, and the optional
// colours.dat / metrics.dat texts.
void MakeSkin(const std::string& resources, const std::string& skin, const std::string& colours = "",
              const std::string& metrics = "");

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The scratch folder (current folder while the test runs), with a "/".
  std::string root_;
  // StartGui on a skin "skin1" made in root_/Resources.
  void StartWithSkin(const std::string& colours = "", const std::string& metrics = "");
  // Passes of HandleGuiEvents until the message queue is empty (at most n).
  void Passes(int n = 20);
  // A person's click: move there, let the toolkit see it, press, let it see
  // the press, release.
  void ClickAt(int x, int y, int button = 1);
  void MoveTo(int x, int y);
  void Key(int virtualKey);
  int CountPixels(int x1, int y1, int x2, int y2, veltounit::Colour colour);
  std::string previousFolder_;
};

// Colours of the generated skin's pictures.
veltounit::Colour SkinPictureColour(const std::string& name);

// The exit codes the toolkit's end hook saw.
extern std::vector<int> g_endCodes;

}  // namespace guitest
