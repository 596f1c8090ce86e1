// TGraphic, TPicture and the registry of picture file formats.
#include <algorithm>

#include "platform/ui/Graphics.h"
#include "platform/ui/GifImage.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/PngImage.h"
#include "platform/win/WinGdi.h"

// ---------------------------------------------------------------------------------------------
// TGraphic
// ---------------------------------------------------------------------------------------------

TGraphic* TGraphicClass::Create() const {
  if (!FClass) throw EInvalidGraphic(u"No picture class");
  TObject* obj = FClass->Create();
  if (auto* graphic = dynamic_cast<TGraphic*>(obj)) return graphic;
  delete obj;
  throw EInvalidGraphic(u"Class " + FClass->Name + u" is not a picture class");
}

void TGraphic::SetSize(Integer AWidth, Integer AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value) Changed(this);
  else FModified = false;
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::DrawTransparent(TCanvas* ACanvas, const TRect& Rect, Byte Opacity) {
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0 || GetEmpty()) return;
  // The picture onto a transparent layer, the layer blended onto the canvas.
  TBitmap layer;
  layer.SetPixelFormat(pf32bit);
  layer.SetAlphaFormat(afPremultiplied);
  layer.SetSize(w, h);
  layer.GetCanvas()->StretchDraw(TRect{0, 0, w, h}, this);
  BLENDFUNCTION blend;
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = Opacity;
  blend.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(ACanvas->GetHandle(), Rect.left, Rect.top, w, h, layer.GetCanvas()->GetHandle(), 0, 0, w, h, blend);
}

void TGraphic::AssignTo(TPersistent* Dest) {
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!bitmap) {
    inherited::AssignTo(Dest);
    return;
  }
  TBitmap layer;
  layer.SetPixelFormat(pf32bit);
  layer.SetAlphaFormat(afPremultiplied);
  layer.SetSize(GetWidth(), GetHeight());
  layer.GetCanvas()->Draw(0, 0, this);
  layer.SetAlphaFormat(afDefined);
  bitmap->Assign(&layer);
}

// ---------------------------------------------------------------------------------------------
// File formats
// ---------------------------------------------------------------------------------------------

namespace {

struct TFileFormat {
  String Extension;   // without the dot
  String Description;
  TGraphicClass Class;
};

struct TFormatRegistry {
  std::mutex Lock;
  std::vector<TFileFormat> Formats;

  TFormatRegistry() {
    Formats.push_back({u"bmp", u"Bitmaps", GraphicClassOf<TBitmap>()});
    Formats.push_back({u"ico", u"Icons", GraphicClassOf<TIcon>()});
    Formats.push_back({u"jpg", u"JPEG Image File", GraphicClassOf<TJPEGImage>()});
    Formats.push_back({u"jpeg", u"JPEG Image File", GraphicClassOf<TJPEGImage>()});
    Formats.push_back({u"jpe", u"JPEG Image File", GraphicClassOf<TJPEGImage>()});
    Formats.push_back({u"jfif", u"JPEG Image File", GraphicClassOf<TJPEGImage>()});
    Formats.push_back({u"png", u"Portable Network Graphics", GraphicClassOf<TPngImage>()});
    Formats.push_back({u"gif", u"GIF Image", GraphicClassOf<TGIFImage>()});
  }
  std::vector<TFileFormat> Snapshot() {
    std::lock_guard<std::mutex> guard(Lock);
    return Formats;
  }
};

TFormatRegistry& Registry() {
  static TFormatRegistry registry;
  return registry;
}

String WithoutDot(const String& Extension) {
  return !Extension.empty() && Extension[0] == u'.' ? Extension.substr(1) : Extension;
}

// The extension of a file name without its dot ("" when it has none).
String FileExtension(const String& FileName) {
  const std::size_t dot = FileName.find_last_of(u'.');
  const std::size_t sep = FileName.find_last_of(u"/\\");
  if (dot == String::npos || (sep != String::npos && dot < sep)) return String();
  return FileName.substr(dot + 1);
}

}  // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass) {
  if (!GraphicClass) return;
  auto& reg = Registry();
  std::lock_guard<std::mutex> guard(reg.Lock);
  reg.Formats.push_back({WithoutDot(Extension), Description, GraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass GraphicClass) {
  auto& reg = Registry();
  std::lock_guard<std::mutex> guard(reg.Lock);
  std::erase_if(reg.Formats, [&](const TFileFormat& f) { return f.Class.InheritsFrom(GraphicClass); });
}

TGraphicClass TPicture::FindGraphicClass(const String& Extension) {
  const String ext = WithoutDot(Extension);
  const auto formats = Registry().Snapshot();
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (SameText(it->Extension, ext)) return it->Class;
  return nullptr;
}

TGraphicClass TPicture::FindGraphicClassForStream(TStream* Stream) {
  if (!Stream) return nullptr;
  const Int64 start = Stream->GetPosition();
  const auto formats = Registry().Snapshot();
  std::vector<TGraphicClass> asked;
  TGraphicClass found;
  for (auto it = formats.rbegin(); it != formats.rend() && !found; ++it) {
    if (std::find(asked.begin(), asked.end(), it->Class) != asked.end()) continue;
    asked.push_back(it->Class);
    Stream->SetPosition(start);   // a class may read without putting the position back
    if (it->Class.CanLoadFromStream(Stream)) found = it->Class;
  }
  Stream->SetPosition(start);
  return found;
}

String GraphicFileMask(TGraphicClass GraphicClass) {
  String mask;
  for (const auto& f : Registry().Snapshot()) {
    if (GraphicClass && !f.Class.InheritsFrom(GraphicClass)) continue;
    if (!mask.empty()) mask += u';';
    mask += u"*." + f.Extension;
  }
  return mask;
}

String GraphicExtension(TGraphicClass GraphicClass) {
  for (const auto& f : Registry().Snapshot())
    if (f.Class.InheritsFrom(GraphicClass)) return f.Extension;
  return String();
}

String GraphicFilter(TGraphicClass GraphicClass) {
  const String all = GraphicFileMask(GraphicClass);
  String filter = u"All (" + all + u")|" + all;
  for (const auto& f : Registry().Snapshot()) {
    if (GraphicClass && !f.Class.InheritsFrom(GraphicClass)) continue;
    filter += u"|" + f.Description + u" (*." + f.Extension + u")|*." + f.Extension;
  }
  return filter;
}

// ---------------------------------------------------------------------------------------------
// TPicture
// ---------------------------------------------------------------------------------------------

TPicture::TPicture() = default;

TPicture::~TPicture() {
  if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::SetOwnedGraphic(TGraphic* Value) {
  std::unique_ptr<TGraphic> graphic(Value);
  if (graphic) graphic->OnChange = [this](TObject* Sender) { Changed(Sender); };
  FGraphic = std::move(graphic);
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) {
    SetOwnedGraphic(nullptr);
    return;
  }
  if (Value == FGraphic.get()) return;
  std::unique_ptr<TObject> obj(Value->ClassType()->Create());
  auto* graphic = dynamic_cast<TGraphic*>(obj.get());
  if (!graphic) throw EInvalidGraphic(u"Cannot copy a picture of class " + Value->ClassName());
  graphic->Assign(Value);
  obj.release();
  SetOwnedGraphic(graphic);
}

TBitmap* TPicture::GetBitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) SetOwnedGraphic(new TBitmap());
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::GetIcon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) SetOwnedGraphic(new TIcon());
  return static_cast<TIcon*>(FGraphic.get());
}

Integer TPicture::GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }

Integer TPicture::GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }

void TPicture::Assign(TPersistent* Source) {
  if (!Source) SetGraphic(nullptr);
  else if (auto* picture = dynamic_cast<TPicture*>(Source)) SetGraphic(picture->GetGraphic());
  else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) SetGraphic(graphic);
  else inherited::Assign(Source);
}

void TPicture::LoadWithClass(TGraphicClass Class, TStream* Stream) {
  std::unique_ptr<TGraphic> graphic(Class.Create());
  graphic->LoadFromStream(Stream);
  SetOwnedGraphic(graphic.release());
}

void TPicture::LoadFromFile(const String& FileName) {
  const String ext = FileExtension(FileName);
  TGraphicClass cls = FindGraphicClass(ext);
  {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    const bool suits = cls && cls.CanLoadFromStream(&stream);
    if (!suits) {
      stream.SetPosition(0);
      if (TGraphicClass byContent = FindGraphicClassForStream(&stream)) cls = byContent;
    }
  }
  if (!cls) throw EInvalidGraphic(u"Unknown picture file extension (." + ext + u")");
  // The class loads the file itself: some keep its name.
  std::unique_ptr<TGraphic> graphic(cls.Create());
  graphic->LoadFromFile(FileName);
  SetOwnedGraphic(graphic.release());
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
  TGraphicClass cls = FindGraphicClassForStream(Stream);
  if (!cls) throw EInvalidGraphic(u"Unsupported stream format");
  LoadWithClass(cls, Stream);
}

void TPicture::SaveToStream(TStream* Stream) {
  if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::ReadData(TStream* Stream) {
  Byte length = 0;
  Stream->ReadBuffer(&length, 1);
  std::string name(length, '\0');
  if (length) Stream->ReadBuffer(name.data(), length);
  const String className = UTF8ToString(name);
  TGraphicClass cls;
  for (const auto& f : Registry().Snapshot())
    if (SameText(f.Class.ClassName(), className)) cls = f.Class;
  if (!cls) {
    SetOwnedGraphic(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> graphic(cls.Create());
  graphic->ReadData(Stream);
  SetOwnedGraphic(graphic.release());
}

void TPicture::WriteData(TStream* Stream) {
  const std::string name = FGraphic ? UTF8Encode(FGraphic->ClassName()) : std::string();
  const Byte length = static_cast<Byte>(std::min<std::size_t>(name.size(), 255));
  Stream->WriteBuffer(&length, 1);
  if (length) Stream->WriteBuffer(name.data(), length);
  if (FGraphic) FGraphic->WriteData(Stream);
}
