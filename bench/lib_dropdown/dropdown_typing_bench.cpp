// Typing into the dropdown edit against the platform's plain TEdit in the same run: 10,000
// digits sent as WM_CHAR to the window, as 1,000 amounts of ten digits each typed over the whole
// selected text (a ten-digit amount stays a number a double holds exactly).
//
//   Ours: TNeoDropDown with EditType etMoney, Precision 2 and AutoThousandSeparator: every digit
//         goes through the character filter, the edit's insertion and the thousand-separator
//         rewrite (number read, integer part formatted with "%n", caret kept).
//   Peer: TEdit taking the same messages (insertion, measuring, change notification).
//
//   build/<release>/bench/bench_dropdown_typing_bench
#include <benchmark/benchmark.h>

#include "lib/dropdown/NeoDropDown.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/WinUser.h"

namespace {

constexpr int Amounts = 1000, DigitsPerAmount = 10;

void TypeAmounts(HWND Edit) {
  for (int a = 0; a < Amounts; ++a) {
    SendMessage(Edit, EM_SETSEL, 0, -1);
    for (int d = 0; d < DigitsPerAmount; ++d) SendMessage(Edit, WM_CHAR, u'1' + (a + d) % 9, 1);
  }
}

template <class TMake>
void Typing(benchmark::State& State, TMake Make) {
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 300, 60);
  TCustomEdit* edit = Make(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 250, 21);
  form->Show();
  Headless::RunUntilIdle();
  for (auto _ : State) TypeAmounts(edit->GetHandle());
  benchmark::DoNotOptimize(edit->GetSelStart());
  State.SetItemsProcessed(State.iterations() * Amounts * DigitsPerAmount);
  delete form;
}

void BM_Typing_MoneyDropDown(benchmark::State& State) {
  Typing(State, [](TForm* Form) {
    auto* d = new TNeoDropDown(Form);
    d->SetEditType(etMoney);
    d->SetPrecision(2);
    d->SetAutoThousandSeparator(true);
    return static_cast<TCustomEdit*>(d);
  });
}

void BM_Typing_PlainEdit(benchmark::State& State) {
  Typing(State, [](TForm* Form) { return static_cast<TCustomEdit*>(new TEdit(Form)); });
}

BENCHMARK(BM_Typing_MoneyDropDown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Typing_PlainEdit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  Headless::Use();
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
