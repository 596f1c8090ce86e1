// THTMLPicture, the download thread, the URL cache and the picture container.
#include "lib/render/PictureContainer.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGDIP.h"
#include "lib/graphics/NeoGraphics.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/GifImage.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/WinBase.h"

namespace {

// Graphic control extension: 21 F9 04, packed byte, delay (2), transparent index, terminator;
// an image descriptor (2C, left, top, width, height, packed) right after it.
constexpr Int64 ExtensionSize = 8;
constexpr Int64 DescriptorSize = 10;
constexpr Int64 FrameRecordSize = ExtensionSize + DescriptorSize;

Word ReadWord(const Byte* P) { return static_cast<Word>(P[0] | (P[1] << 8)); }

const Byte* Bytes(const TMemoryStream* AStream) { return static_cast<const Byte*>(AStream->GetMemory()); }

bool StartsWithText(const String& AUpper, const Char* APrefix) {
  return AUpper.compare(0, std::char_traits<Char>::length(APrefix), APrefix) == 0;
}

// The stream is SVG form data: a length that the rest of the stream holds exactly.
bool IsSVGFormData(TStream* AStream) {
  const Int64 saved = AStream->GetPosition();
  AStream->SetPosition(0);
  Integer count = 0;
  const bool read = AStream->Read(&count, 4) == 4;
  AStream->SetPosition(saved);
  return read && count > 0 && count == AStream->GetSize() - 4;
}

struct TStreamRelease {
  void operator()(IStream* AStream) const { AStream->Release(); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TDownLoadThread
// ---------------------------------------------------------------------------------------------

TDownLoadThread::TDownLoadThread(THTMLPicture* APicture, std::shared_ptr<std::atomic<bool>> ABusy)
    : TThread(false), HTMLPicture(APicture), FBusy(std::move(ABusy)) {
  SetFreeOnTerminate(true);
}

TDownLoadThread::~TDownLoadThread() { FBusy->store(false); }

// ---------------------------------------------------------------------------------------------
// THTMLPicture
// ---------------------------------------------------------------------------------------------

// The data as decoded: a GIF by the GIF decoder (the selected frame composed), a bitmap-format
// image as a platform bitmap, anything else as a GDI+ image over a stream on global memory.
struct THTMLPicture::TDecoded {
  std::unique_ptr<IStream, TStreamRelease> Stream;
  std::unique_ptr<NeoGDIP::TGPImage> Image;
  std::unique_ptr<TGIFImage> Gif;
  std::unique_ptr<TBitmap> Bitmap;

  bool Valid() const { return Gif || Bitmap || Image; }
};

THTMLPicture::THTMLPicture()
    : FDatastream(std::make_unique<TMemoryStream>()), FThreadBusy(std::make_shared<std::atomic<bool>>(false)) {
  SetTransparent(true);
}

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Changed(TObject* Sender) {
  if (FQuiet == 0) TNeoSVGBitmap::Changed(Sender);
}

void THTMLPicture::ClearSVG() {
  ++FQuiet;
  TNeoSVGBitmap::Clear();
  --FQuiet;
  GetSourceStream()->Clear();
}

void THTMLPicture::Reset() {
  ClearSVG();
  FDatastream->Clear();
  FDecoded.reset();
  FIsEmpty = true;
  FWidth = FHeight = 0;
  FFrame = 1;
  FFrameCount = -1;
  FNextCount = FTimerCount = -1;
  FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
  FAnimMaxX = FAnimMaxY = 0;
  FFrameDisposal = 0;
  FFrameTransp = true;
}

void THTMLPicture::LoadContent(TStream* Stream, bool AFormData) {
  bool raster = !TNeoUtils::GetImageType(Stream, true).empty();
  // A length prefix can look like a signature ("BM" in its low bytes): form data whose length
  // matches the rest exactly is SVG.
  if (raster && AFormData && IsSVGFormData(Stream)) raster = false;
  FDecoded.reset();
  FFrameCount = -1;
  FDatastream->Clear();
  if (raster) {
    ClearSVG();
    FDatastream->CopyFrom(Stream, 0);
  } else {
    ++FQuiet;
    const auto quiet = ScopeExit([this] { --FQuiet; });
    if (AFormData) TNeoSVGBitmap::ReadData(Stream);
    else TNeoSVGBitmap::LoadFromStream(Stream);
  }
  FIsEmpty = false;
  LoadPicture();
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  LoadContent(Stream, false);
  Changed(this);
}

void THTMLPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  LoadContent(Stream, true);
}

void THTMLPicture::LoadFromFile(const String& FileName) {
  try {
    TMemoryStream file;
    file.LoadFromFile(FileName);
    LoadContent(&file, false);
  } catch (...) {
    Reset();
  }
  Changed(this);
}

void THTMLPicture::SaveToStream(TStream* Stream) {
  if (!Stream) return;
  if (FDatastream->GetSize() == 0) {
    TNeoSVGBitmap::SaveToStream(Stream);
    return;
  }
  FDatastream->SetPosition(0);
  Stream->CopyFrom(FDatastream.get(), FDatastream->GetSize());
}

void THTMLPicture::WriteData(TStream* Stream) {
  if (FDatastream->GetSize() == 0) TNeoSVGBitmap::WriteData(Stream);
  else SaveToStream(Stream);
}

void THTMLPicture::LoadFromResourceName(const void* Instance, const String& ResName) {
  std::span<const Byte> data;
  if (!FindResourceData(ResName, RT_RCDATA, data)) return;
  TResourceStream stream(Instance, ResName, RT_RCDATA);
  LoadFromStream(&stream);
}

void THTMLPicture::LoadFromResourceID(const void* Instance, Integer ResID) {
  TResourceStream stream(Instance, ResID, RT_RCDATA);
  LoadFromStream(&stream);
}

void THTMLPicture::LoadFromURL(const String& url) {
  const String upper = UpperCase(url);
  if (StartsWithText(upper, u"RES://")) {
    FID = url;
    if (url.size() > 6) LoadFromResourceName(nullptr, url.substr(6));
  } else if (StartsWithText(upper, u"FILE://")) {
    FID = url;
    if (url.size() > 7) LoadFromFile(url.substr(7));
  } else if (!FAsynch) {
    FURL = url;
    FID = url;
  } else if (!FThreadBusy->exchange(true)) {
    FURL = url;
    TThread::Create<TDownLoadThread>(this, FThreadBusy);
  }
}

void THTMLPicture::Assign(TPersistent* Source) {
  Reset();
  if (!Source) return;
  if (auto* source = dynamic_cast<THTMLPicture*>(Source)) {
    FStretched = source->FStretched;
    FFrame = source->FFrame;
    FID = source->FID;
    if (source->FDatastream->GetSize() == 0) {
      ++FQuiet;
      const auto quiet = ScopeExit([this] { --FQuiet; });
      TNeoSVGBitmap::Assign(source);
    } else {
      FDatastream->CopyFrom(source->FDatastream.get(), 0);
    }
    FIsEmpty = false;
    LoadPicture();
    Changed(this);
    return;
  }
  TGraphic* graphic = dynamic_cast<TGraphic*>(Source);
  if (auto* picture = dynamic_cast<TPicture*>(Source)) graphic = picture->GetGraphic();
  if (!graphic) {
    TNeoSVGBitmap::Assign(Source);   // nothing to take from other classes
    return;
  }
  TMemoryStream stream;
  graphic->SaveToStream(&stream);
  LoadFromStream(&stream);
}

bool THTMLPicture::GetEmpty() {
  if (HasSVG()) return TNeoSVGBitmap::GetEmpty();
  return FIsEmpty || !FDecoded || !FDecoded->Valid();
}

Integer THTMLPicture::GetWidth() { return HasSVG() ? TNeoSVGBitmap::GetWidth() : FWidth; }

Integer THTMLPicture::GetHeight() { return HasSVG() ? TNeoSVGBitmap::GetHeight() : FHeight; }

void THTMLPicture::LoadPicture() {
  if (HasSVG() || FDatastream->GetSize() == 0) return;
  if (!FDecoded) {
    FWidth = FHeight = 0;
    auto decoded = std::make_unique<TDecoded>();
    if (IsGIF()) {
      // The GIF decoder checks the screen and every frame against its pixel budget before it
      // allocates; damaged data leaves the picture without an image.
      try {
        auto gif = std::make_unique<TGIFImage>();
        FDatastream->SetPosition(0);
        gif->LoadFromStream(FDatastream.get());
        FWidth = gif->GetWidth();
        FHeight = gif->GetHeight();
        decoded->Gif = std::move(gif);
      } catch (const EInvalidGraphic&) {
      }
    } else {
      const auto size = static_cast<std::size_t>(FDatastream->GetSize());
      HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size);
      if (!global) throw Exception(u"Could not allocate memory for image");
      std::memcpy(GlobalLock(global), FDatastream->GetMemory(), size);
      GlobalUnlock(global);
      IStream* stream = nullptr;
      if (CreateStreamOnHGlobal(global, TRUE, &stream) != S_OK || !stream) {
        GlobalFree(global);
        return;
      }
      decoded->Stream.reset(stream);
      auto image = std::make_unique<NeoGDIP::TGPImage>(stream);
      if (image->GetLastStatus() == NeoGDIP::Ok && image->GetWidth() > 0 && image->GetHeight() > 0) {
        FWidth = static_cast<Integer>(image->GetWidth());
        FHeight = static_cast<Integer>(image->GetHeight());
        if (image->GetFormat() == NeoGDIP::ifBMP) {
          auto bitmap = std::make_unique<TBitmap>();
          FDatastream->SetPosition(0);
          try {
            bitmap->LoadFromStream(FDatastream.get());
            decoded->Bitmap = std::move(bitmap);
          } catch (const Exception&) {
          }
        }
        if (!decoded->Bitmap) decoded->Image = std::move(image);
      }
    }
    FDecoded = std::move(decoded);
  }
  SelectFrame();
}

Int64 THTMLPicture::FramePosition(Integer i) const {
  if (!IsGIF() || i < 1) return -1;
  const Byte* p = Bytes(FDatastream.get());
  const Int64 size = FDatastream->GetSize();
  Integer n = 0;
  for (Int64 at = 0; at + FrameRecordSize <= size; ++at) {
    if (p[at] == 0x21 && p[at + 1] == 0xF9 && p[at + 2] == 0x04 && p[at + ExtensionSize] == 0x2C && ++n == i)
      return at;
  }
  return -1;
}

void THTMLPicture::SelectFrame() {
  if (!IsGIF() || GetFrameCount() <= 0) return;
  const Byte* p = Bytes(FDatastream.get());
  if (FDatastream->GetSize() >= 10) {
    FAnimMaxX = ReadWord(p + 6);
    FAnimMaxY = ReadWord(p + 8);
  }
  const Int64 at = FramePosition(FFrame);
  if (at >= 0) {
    const Byte* d = p + at + ExtensionSize + 1;
    FFrameXPos = ReadWord(d);
    FFrameYPos = ReadWord(d + 2);
    FFrameXSize = ReadWord(d + 4);
    FFrameYSize = ReadWord(d + 6);
  }
  if (FDecoded && FDecoded->Gif) {
    // The decoder may know fewer frames than the byte scan: its last one stands for the rest.
    const Integer last = FDecoded->Gif->GetFrameCount() - 1;
    FDecoded->Gif->SetFrameIndex(std::clamp(FFrame - 1, 0, std::max(last, 0)));
  }
}

bool THTMLPicture::IsGIF() const {
  return FDatastream->GetSize() >= 5 && std::memcmp(FDatastream->GetMemory(), "GIF8", 4) == 0;
}

Integer THTMLPicture::GetFrameCount() {
  if (FFrameCount >= 0) return FFrameCount;
  if (!IsGIF()) return -1;
  const Byte* p = Bytes(FDatastream.get());
  const Int64 size = FDatastream->GetSize();
  Integer n = 0;
  for (Int64 at = 0; at + FrameRecordSize <= size; ++at)
    if (p[at] == 0x21 && p[at + 1] == 0xF9 && p[at + 2] == 0x04 && p[at + ExtensionSize] == 0x2C) ++n;
  FFrameCount = n;
  return n;
}

Integer THTMLPicture::GetFrameTime(Integer i) {
  const Int64 at = FramePosition(i);
  if (at < 0) return -1;
  const Byte* p = Bytes(FDatastream.get()) + at;
  FFrameTransp = (p[3] & 0x01) != 0;
  FFrameDisposal = static_cast<Word>((p[3] >> 2) & 0x07);
  return ReadWord(p + 4);
}

void THTMLPicture::SetFrame(Integer Value) {
  FFrame = Value;
  if (FDatastream->GetSize() == 0) return;
  LoadPicture();
  if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext() { SetFrame(FFrame < GetFrameCount() ? FFrame + 1 : 1); }

void THTMLPicture::FramePrev() {
  const Integer count = GetFrameCount();
  SetFrame(FFrame > 1 ? FFrame - 1 : std::max(count, 1));
}

bool THTMLPicture::Step() {
  if (GetFrameCount() < 2 || GetEmpty()) return false;
  if (FNextCount < 0) FNextCount = GetFrameTime(FFrame);
  const bool due = static_cast<Int64>(FTimerCount) * 10 >= FNextCount;
  ++FTimerCount;
  if (!due) return false;
  FrameNext();
  FNextCount += std::max(GetFrameTime(FFrame), 0);
  return true;
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (HasSVG()) {
    TNeoSVGBitmap::Draw(ACanvas, Rect);
    return;
  }
  if (GetEmpty()) return;
  if (FDecoded->Gif) {
    FDecoded->Gif->Draw(ACanvas, Rect);
  } else if (FDecoded->Bitmap) {
    FDecoded->Bitmap->SetTransparentMode(tmAuto);
    FDecoded->Bitmap->SetTransparent(GetTransparent());
    ACanvas->StretchDraw(Rect, FDecoded->Bitmap.get());
  } else {
    NeoGDIP::TGPGraphics graphics(ACanvas->GetHandle());
    graphics.DrawImageRect(FDecoded->Image.get(), Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
  }
}

void THTMLPicture::DrawSVG(TCanvas* ACanvas, Single X, Single Y, Single W, Single H) {
  if (!HasSVG()) return;
  GetSVG()->Draw(ACanvas, TRectF{X, Y, X + W, Y + H}, true);
}

// ---------------------------------------------------------------------------------------------
// THTMLPictureCache
// ---------------------------------------------------------------------------------------------

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture* THTMLPictureCache::AddPicture() {
  auto picture = std::make_unique<THTMLPicture>();
  Add(picture.get());
  return picture.release();
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (THTMLPicture* picture = GetItems(i); picture && picture->GetID() == ID) return picture;
  return nullptr;
}

void THTMLPictureCache::ClearPictures() {
  for (Integer i = 0; i < GetCount(); ++i) delete GetItems(i);
  Clear();
}

bool THTMLPictureCache::Animate() {
  bool any = false;
  for (Integer i = 0; i < GetCount(); ++i)
    if (THTMLPicture* picture = GetItems(i); picture && picture->Step()) any = true;
  return any;
}

void THTMLPictureCache::SetItems(Integer Index, THTMLPicture* Value) {
  THTMLPicture* old = GetItems(Index);
  TList::SetItems(Index, Value);
  if (old != Value) delete old;
}

// ---------------------------------------------------------------------------------------------
// TPictureItem
// ---------------------------------------------------------------------------------------------

TPictureItem::TPictureItem(TCollection* ACollection) : TCollectionItem(ACollection) {
  // Called here, the factory is this class's own.
  FPicture.reset(CreatePicture());
  FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
}

TPictureItem::~TPictureItem() = default;

TGraphic* TPictureItem::CreatePicture() { return new THTMLPicture(); }

void TPictureItem::PictureChanged(TObject*) { Changed(false); }

void TPictureItem::SetPicture(TGraphic* Value) { FPicture->Assign(Value); }

void TPictureItem::SetName(const String& Value) {
  if (Value == FName) return;
  FName = Value;
  Changed(false);
}

String TPictureItem::GetDisplayName() const { return FName.empty() ? TCollectionItem::GetDisplayName() : FName; }

void TPictureItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TPictureItem*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  FName = source->FName;
  FTag = source->FTag;
  FPicture->Assign(source->FPicture.get());
}

// ---------------------------------------------------------------------------------------------
// TPictureCollection
// ---------------------------------------------------------------------------------------------

TPictureCollection::TPictureCollection(TPictureContainer* AOwner)
    : TOwnedCollection(AOwner, TPictureItem::StaticClass()), FOwner(AOwner) {}

bool TPictureCollection::Animate() {
  bool any = false;
  for (Integer i = 0; i < GetCount(); ++i)
    if (auto* picture = dynamic_cast<THTMLPicture*>(GetItems(i)->GetPicture()); picture && picture->Step()) any = true;
  return any;
}

void TPictureCollection::Update(TCollectionItem*) {
  if (FOwner) FOwner->Changed();
}

// ---------------------------------------------------------------------------------------------
// TPictureContainer
// ---------------------------------------------------------------------------------------------

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner) { FItems.reset(CreateItems()); }

TPictureContainer::~TPictureContainer() {
  // Items changing while the container goes must not reach it.
  FItems.reset();
}

TPictureCollection* TPictureContainer::CreateItems() { return new TPictureCollection(this); }

String TPictureContainer::GetVersion() const {
  const Cardinal v = GetVersionNr();
  return IntToStr(Integer(v >> 24)) + u"." + IntToStr(Integer((v >> 16) & 0xFF)) + u"." +
         IntToStr(Integer((v >> 8) & 0xFF)) + u"." + IntToStr(Integer(v & 0xFF));
}

TGraphic* TPictureContainer::FindPicture(const String& Name) {
  if (!FItems) return nullptr;
  const String name = UpperCase(Name);
  for (Integer i = 0; i < FItems->GetCount(); ++i)
    if (TPictureItem* item = FItems->GetItems(i); UpperCase(item->GetName()) == name) return item->GetPicture();
  return nullptr;
}

TPicture* TPictureContainer::FindBitmap(const String& Name) {
  FPicture.reset();
  TGraphic* graphic = FindPicture(Name);
  if (!graphic) return nullptr;
  FPicture = std::make_unique<TPicture>();
  FPicture->SetGraphic(graphic);
  return FPicture.get();
}

void TPictureContainer::RegisterControl(TControl* AControl) {
  if (!AControl) return;
  // Kept as components: the notice of a control's end comes when only its component part is left.
  FControls.Add(static_cast<TComponent*>(AControl));
  AControl->FreeNotification(this);
}

void TPictureContainer::Changed() {
  for (Integer i = 0; i < FControls.GetCount(); ++i)
    static_cast<TControl*>(static_cast<TComponent*>(FControls.GetItems(i)))->Invalidate();
  if (OnChange) OnChange(this);
}

void TPictureContainer::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove)
    while (FControls.Remove(AComponent) >= 0) {
    }
  TComponent::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// Pictures of markup text
// ---------------------------------------------------------------------------------------------

TGraphic* FindMarkupPicture(StringView ASource, TPictureContainer* AContainer, THTMLPictureCache* ACache) {
  if (ASource.empty()) return nullptr;
  const String source(ASource);
  if (source.find(u':') == String::npos) return AContainer ? AContainer->FindPicture(source) : nullptr;
  if (source.find(u"://") == String::npos || !ACache) return nullptr;
  if (THTMLPicture* cached = ACache->FindPicture(source)) return cached;
  THTMLPicture* picture = ACache->AddPicture();
  picture->SetAsynch(false);
  picture->LoadFromURL(source);   // its ID is the URL, loaded or not: one entry per URL
  return picture;
}

bool MarkupPictureSize(TGraphic* APicture, Integer& AWidth, Integer& AHeight) {
  if (!APicture || APicture->GetEmpty()) return false;
  if (auto* html = dynamic_cast<THTMLPicture*>(APicture)) {
    AWidth = html->GetMaxWidth();
    AHeight = html->GetMaxHeight();
  } else {
    AWidth = APicture->GetWidth();
    AHeight = APicture->GetHeight();
  }
  return AWidth > 0 && AHeight > 0;
}

void DrawMarkupPicture(TCanvas* ACanvas, TGraphic* APicture, const TRect& ABox, TColor ABrush) {
  if (!ACanvas || !APicture || APicture->GetEmpty()) return;
  auto* html = dynamic_cast<THTMLPicture*>(APicture);
  if (html && html->GetFrameCount() > 1 && ABrush != clNone) {
    TBrush* brush = ACanvas->GetBrush();
    const TColor color = brush->GetColor();
    const TBrushStyle style = brush->GetStyle();
    brush->SetColor(ABrush);
    ACanvas->FillRect(ABox);
    brush->SetColor(color);
    brush->SetStyle(style);
  }
  APicture->Draw(ACanvas, ABox);
}

// ---------------------------------------------------------------------------------------------
// The unit
// ---------------------------------------------------------------------------------------------

namespace {

TPicture* FindContainerBitmap(TPictureContainer* AContainer, const String& AName) {
  return AContainer ? AContainer->FindBitmap(AName) : nullptr;
}

void RegisterPictureContainerRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using H = THTMLPicture;
    Publish<H>()
        .Property(u"Stretch", &H::GetStretch, &H::SetStretch).Default(false)
        .Property(u"Frame", &H::GetFrame, &H::SetFrame).Default(1)
        .Property(u"OnFrameChange", &H::OnFrameChange)
        .Property(u"OnDownLoadProgress", &H::OnDownLoadProgress)
        .Property(u"OnDownLoadCancel", &H::OnDownLoadCancel)
        .Property(u"OnDownLoadComplete", &H::OnDownLoadComplete)
        .Property(u"OnDownLoadError", &H::OnDownLoadError);
    using I = TPictureItem;
    Publish<I>()
        .Property(u"Picture", &I::GetPicture, &I::SetPicture)
        .Property(u"Name", &I::GetName, &I::SetName)
        .Property(u"Tag", &I::GetTag, &I::SetTag).Default(NativeInt(0));
    using C = TPictureContainer;
    Publish<C>()
        .Property(u"Items", &C::GetItems, &C::SetItems)
        .Property(u"Version", &C::GetVersion, &C::SetVersion).Stored(false)
        .Property(u"OnChange", &C::OnChange);
    RegisterClasses({THTMLPicture::StaticClass(), TPictureItem::StaticClass(), TPictureCollection::StaticClass(),
                     TPictureContainer::StaticClass()});
  });
}

}  // namespace

void RegisterPictureContainerUnit() {
  RegisterNeoSVGUnit();
  RegisterNeoGDIPUnit();
  RegisterUnit(
      u"PictureContainer",
      [] {
        RegisterPictureContainerRtti();
        NeoGraphicsRegistry::RegisterFindContainerPicture(&FindContainerBitmap);
      },
      [] { NeoGraphicsRegistry::RegisterFindContainerPicture(nullptr); });
}
