// Reading picture files from streams: the helpers every graphic class loads and sniffs with.
#include <algorithm>

#include "platform/rtl/Streams.h"
#include "platform/ui/ImageCodecs.h"

namespace ImageCodecs {

std::vector<Byte> ReadToEnd(TStream* Stream) {
  const Int64 size = Stream->GetSize() - Stream->GetPosition();
  std::vector<Byte> data(static_cast<std::size_t>(std::max<Int64>(size, 0)));
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<Int64>(data.size()));
  return data;
}

bool PeekSignature(TStream* Stream, std::size_t Count, bool (*Test)(const Byte*, std::size_t)) {
  Byte sig[16] = {};
  if (Count > sizeof(sig)) return false;
  const Int64 pos = Stream->GetPosition();
  const bool ok = Stream->Read(sig, static_cast<Int64>(Count)) == static_cast<Int64>(Count) && Test(sig, Count);
  Stream->SetPosition(pos);
  return ok;
}

}  // namespace ImageCodecs
