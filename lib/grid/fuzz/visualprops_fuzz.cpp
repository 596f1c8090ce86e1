// libFuzzer target: the grid's settings readers over arbitrary input (see README.md beside this
// file).
//
// An even first byte makes the rest a visual-properties file for LoadVisualProps: it may refuse
// it only with EConvertError and then changes nothing; a file it accepts, saved, must load into a
// second grid and save again to the same lines, but for the control look's two fixed gradient
// colours, which take the gradient block's colours. An odd first byte makes the rest, read as UTF-8,
// a column-state string for StringToColumnStates on a grid of four columns: a refusal is
// ENeoGridError with the grid unchanged; an accepted string leaves a grid whose own column-state
// string reads back into a fresh grid as the same string.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/StringLists.h"
#include "platform/rtl/fuzz/FuzzSupport.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"

namespace {

std::string Folder() { return access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp"; }

String FileName(const char* Name) {
  return UTF8ToString(Folder() + "/zelk-" + Name + "-" + std::to_string(getpid()) + ".txt");
}

std::string Bytes(const String& Path) {
  std::ifstream in(UTF8Encode(Path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<TNeoStringGrid> NewGrid() {
  auto grid = std::make_unique<TNeoStringGrid>(nullptr);
  grid->SetColCount(4);
  return grid;
}

void VisualProps(const std::uint8_t* Data, std::size_t Size) {
  String input = FileName("visualprops-in"), saved = FileName("visualprops-out"), again = FileName("visualprops-again");
  {
    std::ofstream out(UTF8Encode(input), std::ios::binary);
    out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  auto grid = NewGrid();
  grid->SaveVisualProps(saved);
  std::string before = Bytes(saved);
  try {
    grid->LoadVisualProps(input);
  } catch (const EConvertError&) {
    grid->SaveVisualProps(saved);
    if (Bytes(saved) != before) fuzz::Finding("a refused file changed the grid");
    return;
  }
  grid->SaveVisualProps(saved);
  auto second = NewGrid();
  second->LoadVisualProps(saved);
  second->SetLook(grid->GetLook());
  second->SaveVisualProps(again);
  // A saved file always has the gradient block, whose colours the control look's two fixed
  // gradient colours take on loading.
  TStringList expected, actual;
  expected.LoadFromFile(saved);
  expected.SetValues(u"ControlLook.FixedGradientFrom", expected.GetValues(u"NeoGradFrom"));
  expected.SetValues(u"ControlLook.FixedGradientTo", expected.GetValues(u"NeoGradTo"));
  actual.LoadFromFile(again);
  for (Integer i = 0; i < expected.GetCount(); ++i)
    if (i >= actual.GetCount() || actual.GetStrings(i) != expected.GetStrings(i))
      fuzz::Finding("a saved file does not load back", expected.GetStrings(i),
                    i < actual.GetCount() ? actual.GetStrings(i) : String(u"(no line)"));
  if (actual.GetCount() != expected.GetCount()) fuzz::Finding("a saved file does not load back", u"(line count)");
}

void ColumnStates(const std::uint8_t* Data, std::size_t Size) {
  String value = fuzz::Utf8(Data, Size);
  auto grid = NewGrid();
  String before = grid->ColumnStatesToString();
  try {
    grid->StringToColumnStates(value);
  } catch (const ENeoGridError&) {
    if (grid->ColumnStatesToString() != before) fuzz::Finding("a refused string changed the grid", value);
    return;
  }
  String state = grid->ColumnStatesToString();
  auto fresh = NewGrid();
  fresh->StringToColumnStates(state);
  if (fresh->GetColCount() != grid->GetColCount() || fresh->NumHiddenColumns() != grid->NumHiddenColumns())
    fuzz::Finding("a column state does not read back", state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static bool started = [] {
    Headless::Use();
    return true;
  }();
  (void)started;
  if (Size == 0) return 0;
  if (Data[0] % 2 == 0)
    VisualProps(Data + 1, Size - 1);
  else
    ColumnStates(Data + 1, Size - 1);
  return 0;
}
