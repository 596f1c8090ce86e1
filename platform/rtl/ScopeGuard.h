#pragma once
// "Do, and undo on every exit": the action runs when the scope ends, whether by return or by an
// exception (a try/finally), unless Dismiss was called (the undo of a step that succeeded).
//
//   List->BeginUpdate();
//   const auto endUpdate = ScopeExit([&] { List->EndUpdate(); });
#include <utility>

template <class F>
class TScopeGuard {
public:
  explicit TScopeGuard(F Action) : FAction(std::move(Action)) {}
  ~TScopeGuard() {
    if (FActive) FAction();
  }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  void Dismiss() noexcept { FActive = false; }

private:
  F FAction;
  bool FActive = true;
};

template <class F>
[[nodiscard]] TScopeGuard<F> ScopeExit(F Action) {
  return TScopeGuard<F>(std::move(Action));
}
