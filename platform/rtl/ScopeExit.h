#pragma once
// Clean-up tied to the end of a scope.
// - AtScopeExit(...) runs it however the scope ends. On the normal way out an error of the
//   clean-up reaches the caller; while another error is already leaving the scope, that
//   first error wins and the clean-up's own is dropped.
// - AtScopeFailure(...) runs it only when an error leaves the scope (undoing a half-made
//   change); the error goes on to the caller, and an error of the clean-up is dropped.
#include <exception>
#include <utility>

template <class F, bool OnFailureOnly = false>
class TScopeExit {
public:
  explicit TScopeExit(F Action) : FAction(std::move(Action)), FErrors(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == FErrors) {
      if (!OnFailureOnly) FAction();
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

template <class F>
[[nodiscard]] TScopeExit<F, true> AtScopeFailure(F Action) {
  return TScopeExit<F, true>(std::move(Action));
}
