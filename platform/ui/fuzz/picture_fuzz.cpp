// libFuzzer target: pictures over arbitrary bytes (see README.md beside this file).
//
// An even first byte loads the rest with TPicture.LoadFromStream (every registered format asked by
// content: BMP, icon, JPEG, PNG); an odd one reads it as form data (TPicture.ReadData: the class
// name, then the class's own data). A picture accepted is drawn at its size and stretched, saved
// with SaveToStream and loaded again, and written as form data and read again: each copy must be
// of the same class and size and draw the same pixels. Only Exception descendants may leave a
// call.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/rtl/fuzz/FuzzSupport.h"
#include "platform/ui/Graphics.h"

namespace {

using fuzz::Finding;

constexpr Integer Side = 24;   // drawings are this many pixels square

// The pixels of the graphic drawn at its own size from the top-left corner, then stretched over
// the whole area, on white.
std::vector<TColor> Drawn(TGraphic* AGraphic) {
  std::vector<TColor> pixels;
  for (bool stretched : {false, true}) {
    TBitmap target(Side, Side);
    TCanvas* canvas = target.GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, Side, Side});
    if (stretched) canvas->StretchDraw(TRect{0, 0, Side, Side}, AGraphic);
    else canvas->Draw(0, 0, AGraphic);
    for (Integer y = 0; y < Side; ++y)
      for (Integer x = 0; x < Side; ++x) pixels.push_back(canvas->GetPixels(x, y));
  }
  return pixels;
}

void ExpectSame(TPicture& AOriginal, TPicture& ACopy, const std::vector<TColor>& APixels, const char* AWay) {
  TGraphic* original = AOriginal.GetGraphic();
  TGraphic* copy = ACopy.GetGraphic();
  if (!copy) Finding(AWay, u"the copy has no graphic");
  if (copy->ClassType() != original->ClassType()) Finding(AWay, u"the copy is of another class", copy->ClassName());
  if (copy->GetWidth() != original->GetWidth() || copy->GetHeight() != original->GetHeight())
    Finding(AWay, u"the copy has another size");
  if (Drawn(copy) != APixels) Finding(AWay, u"the copy draws other pixels");
}

void Load(const std::uint8_t* AData, std::size_t ASize, bool AFormData) {
  TMemoryStream source;
  source.WriteBuffer(AData, static_cast<Int64>(ASize));
  source.SetPosition(0);
  TPicture picture;
  try {
    if (AFormData) picture.ReadData(&source);
    else picture.LoadFromStream(&source);
  } catch (Exception&) {
    return;   // refused
  }
  TGraphic* graphic = picture.GetGraphic();
  if (!graphic) return;   // form data naming no class
  const std::vector<TColor> pixels = Drawn(graphic);

  TMemoryStream saved;
  try {
    picture.SaveToStream(&saved);
  } catch (Exception& e) {
    Finding("an accepted picture cannot be saved", graphic->ClassName(), e.Message);
  }
  if (!graphic->GetEmpty()) {
    saved.SetPosition(0);
    TPicture reloaded;
    try {
      reloaded.LoadFromStream(&saved);
    } catch (Exception& e) {
      Finding("a saved picture is refused", graphic->ClassName(), e.Message);
    }
    ExpectSame(picture, reloaded, pixels, "SaveToStream and LoadFromStream");
  }

  TMemoryStream form;
  picture.WriteData(&form);
  form.SetPosition(0);
  TPicture reread;
  try {
    reread.ReadData(&form);
  } catch (Exception& e) {
    Finding("written form data is refused", graphic->ClassName(), e.Message);
  }
  ExpectSame(picture, reread, pixels, "WriteData and ReadData");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  try {
    Load(Data + 1, Size - 1, Data[0] % 2 == 1);
  } catch (Exception&) {
    // a refusal while drawing; anything else leaving a call is a finding
  }
  return 0;
}
