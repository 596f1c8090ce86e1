#pragma once
// Fixture of the NeoGDIPlusClasses tests: the table bound to libgdiplus and GDI+ started as the
// program's units do it, the generic singletons freed before the shutdown; a table driver for the
// wrapper protocol (status answered, whether it was recorded, the field reset on reading).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lib/graphics/NeoGDIPlusClasses.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Modules.h"

using namespace NeoGDIPlusClasses;

class GDIPlusClassesTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterGdiplusModule();
    BindGdiplus();
    ASSERT_NE(GdiplusModule, nullptr);
    StartupGdiplus();
  }
  void TearDown() override {
    FreeGenericSingletons();
    ShutdownGdiplus();
    UnbindGdiplus();
  }

  // Binds the table again with one export hidden (its wrapper then answers NotImplemented).
  static void RebindWithout(const char* AExport) {
    ShutdownGdiplus();
    UnbindGdiplus();
    SetExportMissing(u"gdiplus.dll", AExport, true);
    BindGdiplus();
    SetExportMissing(u"gdiplus.dll", AExport, false);
    StartupGdiplus();
  }
};

// Records the handles one delete entry of the table receives while it lives, handing each on to
// GDI+. (LeakSanitizer does not see objects libgdiplus allocates: they are suppressed as the
// library's own.)
template <class H>
class TDeleteSpy {
public:
  using TEntry = Status (*)(H*);
  explicit TDeleteSpy(TEntry& AEntry) : FEntry(AEntry) {
    Real() = AEntry;
    Deleted().clear();
    AEntry = &Record;
  }
  ~TDeleteSpy() { FEntry = Real(); }
  TDeleteSpy(const TDeleteSpy&) = delete;
  TDeleteSpy& operator=(const TDeleteSpy&) = delete;

  std::size_t Count() const { return Deleted().size(); }
  bool Saw(H* AHandle) const {
    for (H* h : Deleted())
      if (h == AHandle) return true;
    return false;
  }

private:
  static TEntry& Real() {
    static TEntry real = nullptr;
    return real;
  }
  static std::vector<H*>& Deleted() {
    static std::vector<H*> deleted;
    return deleted;
  }
  static Status Record(H* AHandle) {
    if (AHandle) Deleted().push_back(AHandle);
    return Real()(AHandle);
  }
  TEntry& FEntry;
};

// One row of a protocol table: the call (which also checks its outputs), the status it must
// answer and whether the wrapper records it.
template <class W>
struct TProtocolRow {
  const char* Method;
  std::function<Status(W&)> Call;
  Status Expected;
  bool Recorded = true;
};

// Runs each row on the wrapper: the answer, then the status field read by GetLastStatus (the
// failure when recorded, else Ok), then Ok again once read.
template <class W>
void RunProtocolRows(W& AWrapper, const std::vector<TProtocolRow<W>>& ARows) {
  for (const TProtocolRow<W>& row : ARows) {
    SCOPED_TRACE(row.Method);
    AWrapper.GetLastStatus();
    EXPECT_EQ(row.Call(AWrapper), row.Expected);
    EXPECT_EQ(AWrapper.GetLastStatus(), row.Recorded ? row.Expected : Ok);
    EXPECT_EQ(AWrapper.GetLastStatus(), Ok);
  }
}
