// Both GDI+ wrapper sets in one program: each with its own start-up, objects and shutdown, drawing
// into one window, ended by the unit finalisations in reverse order.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "lib/graphics/NeoGDIP.h"
#include "lib/graphics/NeoGDIPlusApi.h"
#include "lib/graphics/NeoGDIPlusClasses.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"

namespace {

// The statuses the finalisers' deletions of font families and string formats answer.
std::vector<gdip::Status> gFinalStatuses;
int gImportedFamiliesDeleted = 0;
gdip::TGdipDeleteFontFamily gImportedDeleteFamily = nullptr, gBoundDeleteFamily = nullptr;
gdip::TGdipDeleteStringFormat gBoundDeleteFormat = nullptr;
gdip::Status RecordedImportedDeleteFamily(gdip::GpFontFamily* AFamily) {
  ++gImportedFamiliesDeleted;
  return gFinalStatuses.emplace_back(gImportedDeleteFamily(AFamily));
}
gdip::Status RecordedBoundDeleteFamily(gdip::GpFontFamily* AFamily) {
  return gFinalStatuses.emplace_back(gBoundDeleteFamily(AFamily));
}
gdip::Status RecordedBoundDeleteFormat(gdip::GpStringFormat* AFormat) {
  return gFinalStatuses.emplace_back(gBoundDeleteFormat(AFormat));
}

// Paints its left half through NeoGDIP, its right half through NeoGDIPlusClasses.
class TTwoSetsView : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  gdip::Status Imported = gdip::GenericError, Bound = gdip::GenericError;

protected:
  void Paint() override {
    const HDC dc = GetCanvas()->GetHandle();
    const auto half = static_cast<Single>(GetWidth() / 2), height = static_cast<Single>(GetHeight());
    std::unique_ptr<NeoGDIP::TGPGraphics> imported(new NeoGDIP::TGPGraphics(dc));
    NeoGDIP::TGPSolidBrush red(0xFFFF0000u);
    Imported = imported->FillRectangle(&red, 0, 0, half, height);
    imported.reset();
    std::unique_ptr<NeoGDIPlusClasses::TGPGraphics> bound(new NeoGDIPlusClasses::TGPGraphics(dc, 0, 0));
    NeoGDIPlusClasses::TGPSolidBrush blue(0xFF0000FFu);
    Bound = bound->FillRectangle(&blue, half, 0.0f, half, height);
  }
};

// The program: 0 when everything held, else the number of the first check that failed.
int RunProgram() {
  RegisterNeoGDIPlusApiUnits();
  RegisterNeoGDIPUnit();
  {
    TUnitsScope units;
    Headless::Use();
    // Objects of both sets at once, the generic families of both made.
    std::unique_ptr<NeoGDIP::TGPMatrix> matrix(new NeoGDIP::TGPMatrix);
    std::unique_ptr<NeoGDIPlusClasses::TGPMatrix> boundMatrix(new NeoGDIPlusClasses::TGPMatrix);
    if (!NeoGDIP::TGPFontFamily::GenericSansSerif()->nativeFamily) return 1;
    if (!NeoGDIPlusClasses::TGPFontFamily::GenericSansSerif()->nativeFamily) return 2;
    if (!NeoGDIPlusClasses::TGPStringFormat::GenericDefault()->nativeFormat) return 3;
    {
      auto* form = new TForm(Application);
      form->SetBounds(50, 50, 10, 10);
      form->SetClientWidth(40);
      form->SetClientHeight(20);
      auto* view = new TTwoSetsView(form);
      view->SetParent(form);
      view->SetBounds(0, 0, 40, 20);
      form->Show();
      Application->ProcessMessages();
      if (view->Imported != gdip::Ok || view->Bound != gdip::Ok) return 4;
      if (Headless::ClientPixel(view->GetHandle(), 5, 10) != RGB(255, 0, 0)) return 5;
      if (Headless::ClientPixel(view->GetHandle(), 35, 10) != RGB(0, 0, 255)) return 6;
      delete form;
    }
    Headless::Reset();
    gImportedDeleteFamily = std::exchange(NeoGDIP::Imports.GdipDeleteFontFamily, &RecordedImportedDeleteFamily);
    gBoundDeleteFamily = std::exchange(NeoGDIPlusApi::GdiplusProcs.GdipDeleteFontFamily, &RecordedBoundDeleteFamily);
    gBoundDeleteFormat = std::exchange(NeoGDIPlusApi::GdiplusProcs.GdipDeleteStringFormat, &RecordedBoundDeleteFormat);
  }
  // The finalisers freed the generic objects made (a family of each set, the bound default
  // format) while GDI+ still served them.
  if (gImportedFamiliesDeleted != 1 || gFinalStatuses.size() != 3) return 7;
  for (gdip::Status status : gFinalStatuses)
    if (status != gdip::Ok) {
      std::fprintf(stderr, "a finaliser saw status %d\n", static_cast<int>(status));
      return 8;
    }
  return 0;
}

TEST(NeoGDIPBothSetsProgram, DrawsWithBothAndEndsCleanly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(RunProgram()), testing::ExitedWithCode(0), "");
}

}  // namespace
