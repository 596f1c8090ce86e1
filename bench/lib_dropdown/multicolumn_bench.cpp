// The multi-column dropdown against Qt's QComboBox in the same run, with the same 100,000 strings
// (pseudo-random six-letter names, in the lookup column of ours and the model of the combo).
//
//   PopupOpen: ours, ShowDropDown until the popup grid has painted (filling the grid from the
//              items, sizing, placing, showing); the combo, showPopup() until its view has painted.
//              Closing is not timed.
//   Lookup:    a three-letter prefix of an item near the end typed key by key into the edit, each
//              key completing the text from the lookup column; the combo is editable with an
//              inline QCompleter over the same model, and gets the same key presses.
//
//   QT_QPA_PLATFORM=offscreen build/<release>/bench/bench_multicolumn_bench
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoMultiColumnDropDown.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/WinUser.h"

namespace {

constexpr int ItemCount = 100000;

// The same names for both: six letters from a fixed linear congruential sequence.
const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    v.reserve(ItemCount);
    std::uint32_t x = 12345;
    for (int i = 0; i < ItemCount; ++i) {
      std::string s;
      for (int k = 0; k < 6; ++k) {
        x = x * 1103515245u + 12345u;
        s += static_cast<char>('a' + (x >> 16) % 26);
      }
      s[0] = static_cast<char>(s[0] - 'a' + 'A');
      v.push_back(s + " " + std::to_string(i));
    }
    return v;
  }();
  return names;
}

// The first three letters of an item near the end, lower case, as typed.
std::string Prefix() {
  std::string p = Names()[ItemCount - 100].substr(0, 3);
  p[0] = static_cast<char>(p[0] - 'A' + 'a');
  return p;
}

struct TOurs {
  TForm* Form = nullptr;
  TNeoMultiColumnDropDown* Edit = nullptr;

  TOurs() {
    Form = new TForm(Application);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(0, 0, 300, 200);
    Edit = new TNeoMultiColumnDropDown(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 200, 21);
    for (const char16_t* h : {u"Name", u"Number"}) Edit->GetColumns()->Add()->SetHeader(h);
    Edit->BeginUpdate();
    for (int i = 0; i < ItemCount; ++i) {
      NeoMultiColumnDropDown::TDropDownItem* item = Edit->GetItems()->Add();
      item->GetText()->Add(UTF8ToString(Names()[static_cast<std::size_t>(i)]));
      item->GetText()->Add(IntToStr(i));
    }
    Edit->EndUpdate();
    Form->Show();
    Edit->SetFocus();
    Headless::RunUntilIdle();
  }
  ~TOurs() { delete Form; }
};

void BM_PopupOpen_MultiColumnDropDown(benchmark::State& State) {
  TOurs ours;
  for (auto _ : State) {
    ours.Edit->ShowDropDown();
    UpdateWindow(ours.Edit->GetGrid()->GetHandle());
    Headless::RunUntilIdle();
    State.PauseTiming();
    if (!ours.Edit->GetDroppedDown()) State.SkipWithError("the popup did not open");
    ours.Edit->HideDropDown(true);
    Headless::RunUntilIdle();
    State.ResumeTiming();
  }
}

void BM_Lookup_MultiColumnDropDown(benchmark::State& State) {
  TOurs ours;
  const String prefix = UTF8ToString(Prefix());
  for (auto _ : State) {
    State.PauseTiming();
    ours.Edit->SetText(String());
    State.ResumeTiming();
    for (Char c : prefix) {
      Headless::KeyPress(static_cast<UINT>(c - u'a' + 'A'));
      Headless::RunUntilIdle();
    }
    State.PauseTiming();
    if (ours.Edit->GetItemIndex() < 0) State.SkipWithError("nothing completed");
    State.ResumeTiming();
  }
}

struct TQt {
  QStringList Texts;
  std::unique_ptr<QComboBox> Combo;

  TQt() {
    Texts.reserve(ItemCount);
    for (const std::string& s : Names()) Texts << QString::fromStdString(s);
    Combo = std::make_unique<QComboBox>();
    Combo->addItems(Texts);
    Combo->resize(200, 21);
    Combo->show();
    QApplication::processEvents();
  }
};

void BM_PopupOpen_QComboBox(benchmark::State& State) {
  TQt qt;
  for (auto _ : State) {
    qt.Combo->showPopup();
    QApplication::processEvents();
    qt.Combo->view()->viewport()->repaint();
    State.PauseTiming();
    qt.Combo->hidePopup();
    QApplication::processEvents();
    State.ResumeTiming();
  }
}

void BM_Lookup_QComboBox(benchmark::State& State) {
  TQt qt;
  qt.Combo->setEditable(true);
  qt.Combo->setInsertPolicy(QComboBox::NoInsert);
  qt.Combo->completer()->setCompletionMode(QCompleter::InlineCompletion);
  qt.Combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  const std::string prefix = Prefix();
  for (auto _ : State) {
    State.PauseTiming();
    qt.Combo->lineEdit()->clear();
    qt.Combo->lineEdit()->setFocus();
    State.ResumeTiming();
    for (char c : prefix) {
      const auto key = static_cast<Qt::Key>(Qt::Key_A + (c - 'a'));
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(c)));
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QChar(c)));
      QApplication::sendEvent(qt.Combo->lineEdit(), &press);
      QApplication::sendEvent(qt.Combo->lineEdit(), &release);
      QApplication::processEvents();
    }
    State.PauseTiming();
    if (qt.Combo->lineEdit()->text().size() <= static_cast<int>(prefix.size())) State.SkipWithError("nothing completed");
    State.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_PopupOpen_MultiColumnDropDown)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PopupOpen_QComboBox)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Lookup_MultiColumnDropDown)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_Lookup_QComboBox)->Unit(benchmark::kMillisecond)->Iterations(30);

// The console report, then ours against the combo per measure (CPU time).
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& r : Runs) FTimes[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* measure : {"PopupOpen", "Lookup"}) {
      const double ours = Find(std::string("BM_") + measure + "_MultiColumnDropDown");
      const double qt = Find(std::string("BM_") + measure + "_QComboBox");
      if (ours > 0 && qt > 0) std::printf("ratio %s ours/QComboBox: %.2fx\n", measure, ours / qt);
    }
  }

private:
  double Find(const std::string& Prefix) const {
    for (const auto& [name, time] : FTimes)
      if (name.rfind(Prefix, 0) == 0) return time;
    return 0;
  }
  std::map<std::string, double> FTimes;
};

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
