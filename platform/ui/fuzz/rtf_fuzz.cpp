// The RTF reader over arbitrary bytes: it must never crash or hang, and what the writer makes of
// the result must read back to the same document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ui/RichText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TRichFormat base;
  base.Name = u"Arial";
  base.Height = 200;
  std::string input(reinterpret_cast<const char*>(Data), Size);
  TRichDocument doc = TRichDocument::FromRtf(input, base);
  std::string written = doc.ToRtf();
  TRichDocument back = TRichDocument::FromRtf(written, base);
  if (back.ToRtf() != written || back.Text() != doc.Text()) std::abort();
  return 0;
}
