// TNeoUtils::DownloadImage against a small HTTP server on the loopback interface that the test
// runs in a thread of its own.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/SysInfo.h"

namespace {

bool SendAll(int Fd, const std::string& Data) {
  std::size_t sent = 0;
  while (sent < Data.size()) {
    const ssize_t n = send(Fd, Data.data() + sent, Data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

// Serves every connection with Handler (given the socket and the request head) until destroyed.
// Bound to 127.0.0.1 on a port the system picks; every wait is bounded.
class TLoopbackServer {
public:
  using THandler = std::function<void(int Fd, const std::string& Request)>;

  explicit TLoopbackServer(THandler Handler) : FHandler(std::move(Handler)) {
    FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (FListen < 0 || bind(FListen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(FListen, 8) != 0)
      throw std::runtime_error("loopback server cannot listen");
    socklen_t len = sizeof addr;
    getsockname(FListen, reinterpret_cast<sockaddr*>(&addr), &len);
    FPort = ntohs(addr.sin_port);
    FThread = std::thread([this] { Serve(); });
  }
  ~TLoopbackServer() {
    FStop = true;
    FThread.join();
    close(FListen);
  }
  String Url(const std::string& Path) const {
    return UTF8ToString("http://127.0.0.1:" + std::to_string(FPort) + Path);
  }
  std::vector<std::string> Requests() {
    std::lock_guard guard(FLock);
    return FRequests;
  }
  // Waits until the server has closed Count connections of its own (a client can finish first).
  bool WaitClosed(std::size_t Count) {
    std::unique_lock guard(FLock);
    return FClosedChanged.wait_for(guard, std::chrono::seconds(10), [&] { return FClosed >= Count; });
  }

private:
  void Serve() {
    while (!FStop) {
      pollfd p{FListen, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      const int fd = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      timeval timeout{5, 0};
      setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
      setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
      }
      {
        std::lock_guard guard(FLock);
        FRequests.push_back(request);
      }
      FHandler(fd, request);
      shutdown(fd, SHUT_RDWR);
      close(fd);
      {
        std::lock_guard guard(FLock);
        ++FClosed;
      }
      FClosedChanged.notify_all();
    }
  }

  THandler FHandler;
  int FListen = -1;
  int FPort = 0;
  std::atomic<bool> FStop{false};
  std::mutex FLock;
  std::vector<std::string> FRequests;
  std::size_t FClosed = 0;
  std::condition_variable FClosedChanged;
  std::thread FThread;
};

std::string FixtureBytes() {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(UTF8ToString(std::string(ZELK_TEST_DATA) + "/../../../../platform/ui/tests/data/quad.png"),
                            bytes));
  return bytes;
}

std::string Response(const std::string& Status, const std::string& Type, const std::string& Body) {
  return "HTTP/1.1 " + Status + "\r\nContent-Type: " + Type + "\r\nContent-Length: " + std::to_string(Body.size()) +
         "\r\nConnection: close\r\n\r\n" + Body;
}

std::size_t OpenFileCount() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

String DownloadError(const String& Url) {
  try {
    TNeoUtils::DownloadImage(Url);
  } catch (Exception& E) {
    return E.Message;
  }
  return u"no exception";
}

TEST(NeoUtilsDownload, ImageBodyIsReturnedWithThePositionAtTheEnd) {
  const std::string png = FixtureBytes();
  TLoopbackServer server([&](int Fd, const std::string&) { SendAll(Fd, Response("200 OK", "image/png", png)); });
  std::unique_ptr<TMemoryStream> stream = TNeoUtils::DownloadImage(server.Url("/quad.png"));
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(stream->GetSize(), static_cast<Int64>(png.size()));
  EXPECT_EQ(stream->GetPosition(), stream->GetSize());
  EXPECT_EQ(std::string(static_cast<const char*>(stream->GetMemory()), png.size()), png);

  const std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].rfind("GET /quad.png HTTP/1.1\r\n", 0), 0u);
  EXPECT_NE(requests[0].find("User-Agent: TNeoUtils\r\n"), std::string::npos);
  EXPECT_NE(requests[0].find("Pragma: no-cache\r\n"), std::string::npos);
}

TEST(NeoUtilsDownload, ContentThatIsNoImageGivesAnEmptyStream) {
  TLoopbackServer server([](int Fd, const std::string&) {
    SendAll(Fd, Response("200 OK", "text/html; charset=utf-8", "<html>not a picture</html>"));
  });
  std::unique_ptr<TMemoryStream> stream = TNeoUtils::DownloadImage(server.Url("/page"));
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetSize(), 0);
}

TEST(NeoUtilsDownload, RedirectsAreFollowed) {
  const std::string png = FixtureBytes();
  TLoopbackServer* self = nullptr;
  TLoopbackServer server([&](int Fd, const std::string& Request) {
    if (Request.rfind("GET /old ", 0) == 0)
      SendAll(Fd, "HTTP/1.1 302 Found\r\nLocation: " + UTF8Encode(self->Url("/new")) +
                      "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    else
      SendAll(Fd, Response("200 OK", "IMAGE/PNG", png));
  });
  self = &server;
  EXPECT_EQ(TNeoUtils::DownloadImage(server.Url("/old"))->GetSize(), static_cast<Int64>(png.size()));
}

TEST(NeoUtilsDownload, DeclaredBodyAboveTheBoundIsRefused) {
  TLoopbackServer server([](int Fd, const std::string&) {
    SendAll(Fd, "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                    std::to_string(TNeoUtils::MaxDownloadSize + 1) + "\r\nConnection: close\r\n\r\n");
  });
  const String url = server.Url("/huge.png");
  EXPECT_EQ(DownloadError(url), u"Image at " + url + u" exceeds " + IntToStr(TNeoUtils::MaxDownloadSize) + u" bytes");
}

TEST(NeoUtilsDownload, UndeclaredBodyAboveTheBoundIsRefused) {
  TLoopbackServer server([](int Fd, const std::string&) {
    if (!SendAll(Fd, "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nConnection: close\r\n\r\n")) return;
    const std::string block(1 << 20, '\x5A');
    // Sends until the client hangs up (at most twice the bound).
    for (Int64 sent = 0; sent <= 2 * TNeoUtils::MaxDownloadSize; sent += static_cast<Int64>(block.size()))
      if (!SendAll(Fd, block)) return;
  });
  const String url = server.Url("/endless.png");
  EXPECT_EQ(DownloadError(url), u"Image at " + url + u" exceeds " + IntToStr(TNeoUtils::MaxDownloadSize) + u" bytes");
}

TEST(NeoUtilsDownload, FailuresRaiseCannotOpenURL) {
  // A port nobody listens on: bind one, then close it.
  String closedUrl;
  {
    TLoopbackServer probe([](int, const std::string&) {});
    closedUrl = probe.Url("/gone.png");
  }
  EXPECT_EQ(DownloadError(closedUrl), u"Cannot open URL " + closedUrl);
  // Only HTTP and HTTPS are fetched.
  EXPECT_EQ(DownloadError(u"file:///etc/hostname"), u"Cannot open URL file:///etc/hostname");
  EXPECT_EQ(DownloadError(u"not a url"), u"Cannot open URL not a url");
}

TEST(NeoUtilsDownload, EveryPathClosesItsHandles) {
  const std::string png = FixtureBytes();
  TLoopbackServer server([&](int Fd, const std::string& Request) {
    if (Request.rfind("GET /image ", 0) == 0) SendAll(Fd, Response("200 OK", "image/png", png));
    else if (Request.rfind("GET /text ", 0) == 0) SendAll(Fd, Response("200 OK", "text/plain", "x"));
    else SendAll(Fd, "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: 99999999999\r\n\r\n");
  });
  // Warm up once: the library may keep process-wide descriptors of its own.
  TNeoUtils::DownloadImage(server.Url("/image"));
  ASSERT_TRUE(server.WaitClosed(1));
  const std::size_t before = OpenFileCount();
  for (int i = 0; i < 5; ++i) {
    TNeoUtils::DownloadImage(server.Url("/image"));
    TNeoUtils::DownloadImage(server.Url("/text"));
    EXPECT_THROW(TNeoUtils::DownloadImage(server.Url("/huge")), Exception);
  }
  ASSERT_TRUE(server.WaitClosed(16));
  EXPECT_EQ(OpenFileCount(), before);
}

}  // namespace
