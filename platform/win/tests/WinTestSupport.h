#pragma once
// Shared fixture of the window-system tests: the headless back end, a window class whose procedure
// records every message, and helpers to create windows and read the record.
#include "platform/win/Headless.h"
#include "platform/win/Windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

struct TLogged {
  HWND Hwnd;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
};

class WinTest : public ::testing::Test {
public:
  // Every message reaching a recording window, in order.
  static std::vector<TLogged>& Log() {
    static std::vector<TLogged> log;
    return log;
  }
  // Per window and message, what the window procedure does instead of DefWindowProc.
  using THandler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
  static std::map<std::pair<HWND, UINT>, THandler>& Handlers() {
    static std::map<std::pair<HWND, UINT>, THandler> handlers;
    return handlers;
  }

  static LRESULT RecordingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    Log().push_back(TLogged{h, msg, w, l});
    auto it = Handlers().find({h, msg});
    if (it != Handlers().end()) return it->second(h, msg, w, l);
    return DefWindowProc(h, msg, w, l);
  }

  static void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEX wc;
    wc.lpfnWndProc = RecordingProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = u"Recorder";
    RegisterClassEx(&wc);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = u"RecorderDbl";
    RegisterClassEx(&wc);
  }

  void SetUp() override {
    Headless::Use();
    RegisterClasses();
    Log().clear();
    Handlers().clear();
  }

  void TearDown() override {
    Headless::Reset();
    Handlers().clear();
    Log().clear();
  }

  // A visible top-level popup without frame at (x, y).
  static HWND TopLevel(int x, int y, int cx, int cy, DWORD style = WS_POPUP | WS_VISIBLE, DWORD ex = 0,
                       LPCWSTR cls = u"Recorder") {
    return CreateWindowEx(ex, cls, u"", style, x, y, cx, cy, nullptr, nullptr, nullptr, nullptr);
  }
  static HWND Child(HWND parent, int x, int y, int cx, int cy, DWORD style = WS_CHILD | WS_VISIBLE,
                    LPCWSTR cls = u"Recorder") {
    return CreateWindowEx(0, cls, u"", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
  }

  // The logged messages of the given numbers (all numbers when the list is empty) in order.
  static std::vector<TLogged> Only(std::initializer_list<UINT> msgs, HWND h = nullptr) {
    std::vector<TLogged> r;
    for (const TLogged& e : Log()) {
      if (h && e.Hwnd != h) continue;
      if (msgs.size() == 0 || std::find(msgs.begin(), msgs.end(), e.Msg) != msgs.end()) r.push_back(e);
    }
    return r;
  }
  static std::vector<UINT> Numbers(const std::vector<TLogged>& entries) {
    std::vector<UINT> r;
    for (const TLogged& e : entries) r.push_back(e.Msg);
    return r;
  }
  static int Count(UINT msg, HWND h = nullptr) { return static_cast<int>(Only({msg}, h).size()); }
};
