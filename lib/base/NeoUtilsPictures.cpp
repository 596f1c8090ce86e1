// TNeoUtils: picture type detection, hexadecimal picture and stream text, JPEG conversion.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/Math.h"
#include "platform/ui/Jpeg.h"

namespace {

struct TImageSignature {
  const Char* Name;
  std::size_t Count;
  Byte Bytes[4];
};

// Compared in order with the first bytes of the data. A big-endian TIFF starts "MM", 0, 42.
constexpr TImageSignature ImageSignatures[] = {
    {u".gif", 3, {0x47, 0x49, 0x46, 0}},        {u".bmp", 2, {0x42, 0x4D, 0, 0}},
    {u".png", 4, {0x89, 0x50, 0x4E, 0x47}},     {u".tiff", 3, {0x49, 0x49, 0x2A, 0}},
    {u".tiff", 4, {0x4D, 0x4D, 0x00, 0x2A}},    {u".jpg", 4, {0xFF, 0xD8, 0xFF, 0xE0}},
    {u".jpg", 4, {0xFF, 0xD8, 0xFF, 0xE1}},     {u".jpg", 4, {0xFF, 0xD8, 0xFF, 0xDB}},
    {u".unknown", 4, {0x00, 0x00, 0x01, 0x00}}, {u".empty", 4, {0x00, 0x00, 0x00, 0x00}},
};

Word ReadWord(const Byte* P) { return static_cast<Word>(P[0] | (P[1] << 8)); }
Cardinal ReadCardinal(const Byte* P) { return ReadWord(P) | (static_cast<Cardinal>(ReadWord(P + 2)) << 16); }

// The file extension whose picture class reads the data; empty when the data is not recognised.
const Char* PictureKind(const Byte* P, std::size_t Size) {
  static constexpr Byte Png[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  if (Size < 2) return nullptr;
  if (Size >= 4 && P[0] == 'I' && P[1] == 'I' && ReadWord(P + 2) == 42) return u"tif";
  if (P[0] == 'B' && P[1] == 'M') return u"bmp";
  if (Size >= 4 && P[0] == 'M' && P[1] == 'M' && ReadWord(P + 2) == 0x2A00) return u"tif";
  if (P[0] == 0xFF && P[1] == 0xD8) return u"jpg";
  if (Size >= 8 && std::memcmp(P, Png, 8) == 0) return u"png";
  if (Size >= 4 && ReadCardinal(P) == 0x9AC6CDD7) return u"wmf";
  if (Size >= 44 && ReadCardinal(P) == 1 && std::memcmp(P + 40, " EMF", 4) == 0) return u"emf";
  if (Size >= 3 && P[0] == 'G' && P[1] == 'I' && P[2] == 'F') return u"gif";
  if (Size >= 4 && ReadWord(P + 2) == 1) return u"ico";
  return nullptr;
}

TBytes StreamBytes(TStream* Stream) {
  const Int64 saved = Stream->GetPosition();
  Stream->SetPosition(0);
  TBytes bytes(static_cast<std::size_t>(std::max<Int64>(Stream->GetSize(), 0)));
  const Int64 read = bytes.empty() ? 0 : Stream->Read(bytes.data(), static_cast<Int64>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(std::max<Int64>(read, 0)));
  Stream->SetPosition(saved);
  return bytes;
}

String BytesToHex(const TBytes& Bytes) {
  static constexpr Char Digits[] = u"0123456789ABCDEF";
  String out(Bytes.size() * 2, u'\0');
  for (std::size_t i = 0; i < Bytes.size(); ++i) {
    out[2 * i] = Digits[Bytes[i] >> 4];
    out[2 * i + 1] = Digits[Bytes[i] & 0xF];
  }
  return out;
}

// A new graphic of the data's class, loaded from the data; nullptr when no class reads it.
std::unique_ptr<TGraphic> LoadGraphic(const TBytes& Bytes, TGraphicClass& Class) {
  if (!TNeoUtils::FindGraphicClass(Bytes.data(), static_cast<Int64>(Bytes.size()), Class)) return nullptr;
  std::unique_ptr<TGraphic> graphic(Class.Create());
  TBytesStream stream(Bytes);
  graphic->LoadFromStream(&stream);
  return graphic;
}

}  // namespace

String TNeoUtils::GetImageType(TStream* Stream, bool ResetPosition) {
  if (!Stream) return String();
  const Int64 saved = Stream->GetPosition();
  if (ResetPosition) Stream->SetPosition(0);
  Byte head[4] = {};
  const Int64 read = Stream->Read(head, 4);
  Stream->SetPosition(saved);
  if (read < 4) return String();
  for (const TImageSignature& s : ImageSignatures)
    if (std::equal(s.Bytes, s.Bytes + s.Count, head)) return s.Name;
  return String();
}

bool TNeoUtils::FindGraphicClass(const void* Buffer, Int64 Size, TGraphicClass& GraphicClass) {
  GraphicClass = nullptr;
  if (!Buffer || Size <= 0) return false;
  const Char* kind = PictureKind(static_cast<const Byte*>(Buffer), static_cast<std::size_t>(Size));
  if (kind) GraphicClass = TPicture::FindGraphicClass(kind);
  return static_cast<bool>(GraphicClass);
}

String TNeoUtils::SaveStreamToHexStr(TStream* Stream) { return Stream ? BytesToHex(StreamBytes(Stream)) : String(); }

String TNeoUtils::SaveBitmapToHexStr(TPicture* Picture) {
  TGraphic* graphic = Picture ? Picture->GetGraphic() : nullptr;
  if (!graphic || graphic->GetEmpty()) return String();
  TMemoryStream stream;
  graphic->SaveToStream(&stream);
  return SaveStreamToHexStr(&stream);
}

void TNeoUtils::LoadStreamFromHexStr(StringView Hex, TStream* Stream) {
  const TBytes bytes = HexStrToBytes(Hex);
  if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TNeoUtils::LoadBitmapFromHexStr(StringView Hex, TPicture* Picture) {
  const TBytes bytes = HexStrToBytes(Hex);
  // A data URL in Base64 is text, not picture data.
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.find(";base64,") != std::string_view::npos) return;
  TGraphicClass cls;
  if (std::unique_ptr<TGraphic> graphic = LoadGraphic(bytes, cls)) Picture->SetGraphic(graphic.get());
}

std::unique_ptr<TPicture> TNeoUtils::CreateBitmapFromHexStr(StringView Hex) {
  const TClass cls = GetClass(u"TNeoBitmap");
  std::unique_ptr<TPicture> picture(cls && cls->InheritsFrom(TPicture::StaticClass())
                                        ? static_cast<TPicture*>(cls->Create())
                                        : new TPicture());
  LoadBitmapFromHexStr(Hex, picture.get());
  return picture;
}

std::unique_ptr<TMemoryStream> TNeoUtils::ConvertBitmapToJPEGStream(TPicture* Picture, TColor BackgroundColor,
                                                                    Single Quality) {
  TGraphic* source = Picture ? Picture->GetGraphic() : nullptr;
  if (!source) return nullptr;
  TBytesStream saved;
  source->SaveToStream(&saved);
  const TBytes bytes = saved.GetBytes();
  TGraphicClass cls;
  if (!FindGraphicClass(bytes.data(), static_cast<Int64>(bytes.size()), cls)) return nullptr;

  auto out = std::make_unique<TMemoryStream>();
  if (cls.InheritsFrom(GraphicClassOf<TJPEGImage>())) {
    if (!bytes.empty()) out->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    out->SetPosition(0);
    return out;
  }
  std::unique_ptr<TGraphic> graphic = LoadGraphic(bytes, cls);
  TBitmap canvasBitmap(graphic->GetWidth(), graphic->GetHeight());
  canvasBitmap.SetPixelFormat(pf24bit);
  TCanvas* canvas = canvasBitmap.GetCanvas();
  canvas->GetBrush()->SetColor(BackgroundColor == clNone || BackgroundColor == -1 ? clWhite : BackgroundColor);
  canvas->FillRect(TRect{0, 0, graphic->GetWidth(), graphic->GetHeight()});
  canvas->Draw(0, 0, graphic.get());

  TJPEGImage jpeg;
  jpeg.Assign(&canvasBitmap);
  jpeg.SetCompressionQuality(static_cast<TJPEGQualityRange>(EnsureRange(Round(Quality * 100.0), 1, 100)));
  jpeg.SaveToStream(out.get());
  out->SetPosition(0);
  return out;
}
