// Start-up cost of the snippet hot keys: one item per row, each registered at once,
// against registering the same combinations directly; and the tray's timers ticking on
// the one shared window against plain window timers.
#include "app/GlobalHotKey.h"
#include "app/SimpleTimer.h"
#include "platform/desktop/Headless.h"
#include "tests/app/TestForm.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// Distinct combinations: keys A..Z under the 16 modifier sets.
void Combination(int i, TModifiers& mods, TVirtKey& key) {
  mods = TModifiers::FromBits(static_cast<unsigned>(i / 26) & 0xF);
  key = static_cast<TVirtKey>(vkA + i % 26);
}

void BM_HotKeyItemsPerRow(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    win::headless::Reset();
    auto form = std::make_unique<TTestForm>();
    auto* keys = new TGlobalHotKeys(form.get());
    state.ResumeTiming();
    for (int i = 0; i < rows; ++i) {
      THotKeyItem* item = keys->HotKeys()->AddItem();
      TModifiers mods;
      TVirtKey key;
      Combination(i, mods, key);
      item->SetModifiers(mods);
      item->SetVirtKey(key);
      item->SetEnabled(true);
    }
    benchmark::DoNotOptimize(keys->HotKeys()->Count());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_HotKeyItemsPerRow)->Arg(10)->Arg(100)->Arg(400);

void BM_Reference_RegisterHotKeyDirectly(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    win::headless::Reset();
    auto form = std::make_unique<TTestForm>();
    win::HWND wnd = form->OwnerFormHandle();
    state.ResumeTiming();
    for (int i = 0; i < rows; ++i) {
      TModifiers mods;
      TVirtKey key;
      Combination(i, mods, key);
      benchmark::DoNotOptimize(win::RegisterHotKey(wnd, i, ModifiersToHotKeyFlags(mods), VirtKeyCodes[key]));
    }
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_Reference_RegisterHotKeyDirectly)->Arg(10)->Arg(100)->Arg(400);

// One second of ticks of n timers with periods 20..(20 + n - 1) ms.
void BM_SimpleTimersOnSharedWindow(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  win::headless::Reset();
  long ticks = 0;
  std::vector<std::unique_ptr<TSimpleTimer>> timers;
  for (int i = 0; i < n; ++i) {
    timers.push_back(std::make_unique<TSimpleTimer>(20 + i, TNotifyEvent([&](TObject*) { ++ticks; })));
    timers.back()->SetEnabled(true);
  }
  for (auto _ : state) win::headless::AdvanceClock(1000);
  state.SetItemsProcessed(ticks);
  timers.clear();
  win::headless::Reset();
}
BENCHMARK(BM_SimpleTimersOnSharedWindow)->Arg(3)->Arg(30);

win::LRESULT CountingProc(win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp);
long* GReferenceTicks = nullptr;
win::LRESULT CountingProc(win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) {
  if (m == win::WM_TIMER) {
    ++*GReferenceTicks;
    return 0;
  }
  return win::DefWindowProcA(w, m, wp, lp);
}

void BM_Reference_PlainWindowTimers(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  win::headless::Reset();
  long ticks = 0;
  GReferenceTicks = &ticks;
  win::HWND wnd = win::AllocateHWnd(&CountingProc);
  for (int i = 0; i < n; ++i) win::SetTimer(wnd, i + 1, 20 + i, nullptr);
  for (auto _ : state) win::headless::AdvanceClock(1000);
  state.SetItemsProcessed(ticks);
  win::DeallocateHWnd(wnd);
  win::headless::Reset();
}
BENCHMARK(BM_Reference_PlainWindowTimers)->Arg(3)->Arg(30);

}  // namespace
