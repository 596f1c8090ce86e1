#include <memory>

#include "lib/grid/core/NeoGridLists.h"
#include "platform/rtl/SysInfo.h"

// ---------------------------------------------------------------------------------------------
// TFilePicture

namespace {

// The picture in FileName, or nullptr when the name is empty, the file missing or unreadable.
std::unique_ptr<TPicture> LoadPictureFile(const String& FileName) {
  if (FileName.empty() || !FileExists(FileName)) return nullptr;
  auto picture = std::make_unique<TPicture>();
  try {
    picture->LoadFromFile(FileName);
  } catch (Exception&) {
    return nullptr;
  }
  return picture;
}

}  // namespace

void TFilePicture::SetFilename(const String& Value) {
  FFilename = Value;
  if (std::unique_ptr<TPicture> picture = LoadPictureFile(FFilename)) {
    try {
      FWidth = picture->GetWidth();
      FHeight = picture->GetHeight();
    } catch (Exception&) {
      // A picture that cannot tell its size keeps the sizes read before.
    }
  }
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R) {
  std::unique_ptr<TPicture> picture = LoadPictureFile(FFilename);
  if (!picture) return;
  try {
    Canvas->StretchDraw(R, picture->GetGraphic());
  } catch (Exception&) {
    // A picture that cannot be drawn leaves the canvas as it is.
  }
}

void TFilePicture::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TFilePicture*>(Source)) {
    FFilename = other->FFilename;
    FWidth = other->FWidth;
    FHeight = other->FHeight;
    return;
  }
  TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TFileStringList

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

bool TFileStringList::Eof() const { return fp >= GetCount(); }

String TFileStringList::ReadLn() { return GetStrings(fp++); }

void TFileStringList::Write(const String& S) { cache += S; }

void TFileStringList::WriteLn(const String& S) {
  Add(cache + S);
  cache.clear();
}
