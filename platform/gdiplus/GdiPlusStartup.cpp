// Counted start-up: GDI+ serves from the first GdiplusStartup until the shutdown of the last
// token. libgdiplus itself starts once and is never shut down: its shutdown tears everything down
// at the first call and ends fontconfig for the whole process (FcFini), which the platform's text
// drawing goes on using; the exports answer GdiplusNotInitialized instead.
#include <mutex>
#include <set>

#include "platform/gdiplus/GdiPlusInternal.h"

namespace gdip::bridge {

namespace {

struct TStartup {
  std::mutex Lock;
  std::set<ULONG_PTR> Tokens;
  ULONG_PTR NextToken = 1;
  bool LibraryStarted = false;
  ULONG_PTR NextHookToken = 1;
};

TStartup& State() {
  static auto* state = new TStartup();
  return *state;
}

Status NotificationHook(ULONG_PTR* AToken) {
  if (!AToken) return InvalidParameter;
  std::lock_guard guard(State().Lock);
  *AToken = State().NextHookToken++;
  return Ok;
}

void NotificationUnhook(ULONG_PTR) {}

Status Startup(ULONG_PTR* AToken, const GdiplusStartupInput* AInput, GdiplusStartupOutput* AOutput) {
  if (!AToken || !AInput) return InvalidParameter;
  if (AInput->GdiplusVersion < 1 || AInput->GdiplusVersion > 3) return UnsupportedGdiplusVersion;
  // Without the background thread the caller runs the hooks, so it must receive them.
  if (AInput->SuppressBackgroundThread && !AOutput) return InvalidParameter;
  TStartup& s = State();
  std::lock_guard guard(s.Lock);
  if (!s.LibraryStarted) {
    // libgdiplus writes only the low 4 bytes of its token.
    ULONG_PTR token = 0;
    GdiplusStartupInput input = *AInput;
    input.GdiplusVersion = 1;
    // The library itself is started without hooks to hand out: its background thread is kept.
    input.SuppressBackgroundThread = 0;
    Status status = Lib().GdiplusStartup(&token, &input, nullptr);
    if (status != Ok) return status;
    s.LibraryStarted = true;
  }
  if (s.Tokens.empty()) SetStarted(true);
  *AToken = s.NextToken++;
  s.Tokens.insert(*AToken);
  if (AOutput) {
    AOutput->NotificationHook = &NotificationHook;
    AOutput->NotificationUnhook = &NotificationUnhook;
  }
  return Ok;
}

void Shutdown(ULONG_PTR AToken) {
  TStartup& s = State();
  std::lock_guard guard(s.Lock);
  if (s.Tokens.erase(AToken) && s.Tokens.empty()) SetStarted(false);
}

}  // namespace

std::vector<TOverride> StartupOverrides() {
  return {Override("GdiplusStartup", &Startup), Override("GdiplusShutdown", &Shutdown)};
}

}  // namespace gdip::bridge
