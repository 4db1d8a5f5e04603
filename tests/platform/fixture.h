// A fresh headless window for every test, with a window procedure that records
// the messages it receives.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/win32.h"

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

inline std::vector<Seen>& SeenMessages() {
  static std::vector<Seen> seen;
  return seen;
}

inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  SeenMessages().push_back(Seen{msg, wParam, lParam});
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class HeadlessWindow : public ::testing::Test {
 protected:
  static constexpr int kWidth = 100;
  static constexpr int kHeight = 80;

  void SetUp() override {
    automation::Reset();
    automation::SetHeadless(true);
    SeenMessages().clear();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "TestWindow";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    hwnd = CreateWindowExA(0, "TestWindow", "Test", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                           wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    dc = GetDCEx(hwnd, nullptr, DCX_WINDOW);
    ASSERT_NE(dc, nullptr);
    UpdateWindow(hwnd);
  }

  void TearDown() override { automation::Reset(); }

  // Pumps everything queued, as a polled program does.
  void Drain() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }

  void Paint(COLORREF c) {
    RECT r{0, 0, kWidth, kHeight};
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
  }

  void Line(int x1, int y1, int x2, int y2, int width, COLORREF c) {
    HPEN pen = CreatePen(PS_SOLID, width, c);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
  }

  int CountColour(COLORREF c) {
    int n = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) n += GetPixel(dc, x, y) == c;
    return n;
  }

  // The whole surface, row by row, to compare a later picture with.
  std::vector<COLORREF> Picture() {
    std::vector<COLORREF> p;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) p.push_back(GetPixel(dc, x, y));
    return p;
  }

  int PixelsDifferingFrom(const std::vector<COLORREF>& before) {
    const std::vector<COLORREF> now = Picture();
    int n = 0;
    for (size_t i = 0; i < now.size(); ++i) n += now[i] != before[i];
    return n;
  }

  HWND hwnd = nullptr;
  HDC dc = nullptr;
};
