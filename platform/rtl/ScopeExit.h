#pragma once
// Runs a piece of clean-up when the scope that made it ends, also when an error leaves
// the scope: AtScopeExit(...) returns the guard. On the normal way out an error of the
// clean-up reaches the caller; while another error is already leaving the scope, that
// first error wins and the clean-up's own is dropped.
#include <exception>
#include <utility>

template <class F>
class TScopeExit {
public:
  explicit TScopeExit(F Action) : FAction(std::move(Action)), FErrors(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == FErrors) {
      FAction();
      return;
    }
    try {
      FAction();
    } catch (...) {
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

private:
  F FAction;
  int FErrors;
};

template <class F>
[[nodiscard]] TScopeExit<F> AtScopeExit(F Action) {
  return TScopeExit<F>(std::move(Action));
}
