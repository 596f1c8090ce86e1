// TNeoUtils::DownloadImage over libcurl.
#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <string>

#include "lib/base/NeoUtils.h"

namespace {

struct TCurlCleanup {
  void operator()(CURL* Curl) const { curl_easy_cleanup(Curl); }
};
struct TSlistCleanup {
  void operator()(curl_slist* List) const { curl_slist_free_all(List); }
};
using TCurlHandle = std::unique_ptr<CURL, TCurlCleanup>;
using TCurlHeaders = std::unique_ptr<curl_slist, TSlistCleanup>;

// What the body callback learns; exceptions must not cross libcurl, so it records instead.
struct TReceiver {
  CURL* Curl = nullptr;
  TMemoryStream* Stream = nullptr;
  bool TypeChecked = false;
  bool IsImage = false;
  bool TooLarge = false;
  bool Failed = false;
};

bool ContentTypeIsImage(CURL* Curl) {
  char* type = nullptr;
  if (curl_easy_getinfo(Curl, CURLINFO_CONTENT_TYPE, &type) != CURLE_OK || !type) return false;
  String text = UTF8ToString(std::string_view(type).substr(0, 512));
  return Pos(u"IMAGE", UpperCase(text)) > 0;
}

std::size_t ReceiveBody(char* Data, std::size_t Size, std::size_t Count, void* User) {
  auto* r = static_cast<TReceiver*>(User);
  const std::size_t n = Size * Count;
  if (!r->TypeChecked) {
    r->TypeChecked = true;
    r->IsImage = ContentTypeIsImage(r->Curl);
  }
  // Anything but an image is not read at all: stopping here ends the transfer.
  if (!r->IsImage) return 0;
  if (r->Stream->GetSize() + static_cast<Int64>(n) > TNeoUtils::MaxDownloadSize) {
    r->TooLarge = true;
    return 0;
  }
  try {
    r->Stream->WriteBuffer(Data, static_cast<Int64>(n));
  } catch (...) {
    r->Failed = true;
    return 0;
  }
  return n;
}

void InitializeCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

std::unique_ptr<TMemoryStream> TNeoUtils::DownloadImage(const String& URL) {
  InitializeCurl();
  TCurlHandle curl(curl_easy_init());
  if (!curl) throw Exception(u"Unable to initialize Wininet");
  const std::string url = UTF8Encode(URL);
  TCurlHeaders headers(curl_slist_append(nullptr, "Pragma: no-cache"));
  if (headers) curl_slist_append(headers.get(), "Cache-Control: no-cache");

  auto stream = std::make_unique<TMemoryStream>();
  TReceiver receiver;
  receiver.Curl = curl.get();
  receiver.Stream = stream.get();

  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_USERAGENT, "TNeoUtils");
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
  // A transfer slower than one byte a second for a minute has stalled.
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
  // A declared length above the bound is refused before the body comes.
  curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(MaxDownloadSize));
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &ReceiveBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &receiver);

  const CURLcode result = curl_easy_perform(c);
  if (receiver.TooLarge || result == CURLE_FILESIZE_EXCEEDED)
    throw Exception(u"Image at %s exceeds %d bytes", {URL, MaxDownloadSize});
  if (result == CURLE_OK) return stream;
  if (result == CURLE_WRITE_ERROR && receiver.TypeChecked && !receiver.IsImage && !receiver.Failed) {
    stream->Clear();
    return stream;
  }
  throw Exception(u"Cannot open URL %s", {URL});
}
