#pragma once
// The theme change notifier: a monitor thread watches the Office "Common" key of the installed
// Office version and, on every change, sends WM_OFFICETHEMECHANGE (2993) to the notifier's hidden
// window (which raises OnOfficeThemeChange) and to every window registered with the notifier.
// Part of the style vocabulary's unit (NeoStyleIF).
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "lib/base/NeoHiddenWindow.h"
#include "lib/base/NeoStyleIF.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Threads.h"
#include "platform/ui/Controls.h"

// wParam: the watched root key; lParam: the key path, zero-terminated UTF-16, valid during the call.
constexpr UINT WM_OFFICETHEMECHANGE = 2993;

// A list of window handles.
class THandleList : public TList {
  ZELK_CLASS(THandleList, TList)
public:
  THandleList() = default;
  Integer Add(HWND Handle) { return TList::Add(Handle); }
  void Insert(Integer Index, HWND Handle) { TList::Insert(Index, Handle); }
  void Delete(Integer Index) { TList::Delete(Index); }
  // Removes the first equal entry; nothing when absent.
  void DeleteValue(HWND Handle);
  bool HasValue(HWND Handle) const { return IndexOf(Handle) >= 0; }
  HWND GetInteger(Integer Index) const { return static_cast<HWND>(GetItems(Index)); }
  void SetInteger(Integer Index, HWND Handle) { SetItems(Index, Handle); }
};

namespace NeoStyleIF {

// A hidden window that raises OnOfficeThemeChange for WM_OFFICETHEMECHANGE.
class TThemeNotifierWindow : public TNeoHiddenWindow {
  ZELK_CLASS(TThemeNotifierWindow, TNeoHiddenWindow)
public:
  explicit TThemeNotifierWindow(TComponent* AOwner) : TNeoHiddenWindow(AOwner) {}
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnOfficeThemeChange;
};

}  // namespace NeoStyleIF

// Watches a registry key and tells the windows of its list about every change. The thread has
// its own unnamed event; Stop ends it and waits for it, serving what it sends to this thread
// meanwhile, so no message reaches a window after Stop returns.
class TRegMonitorThread : public TThread {
  ZELK_CLASS(TRegMonitorThread, TThread)
public:
  TRegMonitorThread();
  ~TRegMonitorThread() override;

  const String& GetKey() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value) { FRootKey = Value; }
  bool GetWatchSub() const { return FWatchSub; }
  void SetWatchSub(bool Value) { FWatchSub = Value; }
  // 0 reads as 15 (every kind of change), which it then keeps.
  Integer GetFilter();
  void SetFilter(Integer Value) { FFilter = Value; }
  HWND GetWnd() const { return FWnd; }
  void SetWnd(HWND Value) { FWnd = Value; }
  // The thread's own event (unnamed), signalled by changes and by Terminate.
  HANDLE GetEvent() const { return FEvent; }
  // True once the thread has opened the key and armed its first watch.
  bool GetWatching() const { return FWatching.load(); }

  // The registered windows, changed by the GUI thread while the thread reads them.
  void RegisterWindow(HWND Handle);
  void UnRegisterWindow(HWND Handle);
  std::vector<HWND> WindowList() const;

  // Sets the terminate flag and wakes the thread (Terminate does the same), then waits for it to
  // end while handling the messages sent to the calling thread.
  void Stop();

protected:
  void Execute() override;
  void TerminatedSet() override;

private:
  void StartWatch();
  void Notify();

  std::unique_ptr<TRegistry> FReg;
  HANDLE FEvent = nullptr;
  String FKey;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FWatchSub = false;
  Integer FFilter = 0;
  HWND FWnd = nullptr;
  std::unique_ptr<THandleList> FWinList;
  mutable std::mutex FWinListLock;
  std::atomic<bool> FWatching{false};
};

class TThemeNotifier : public TComponent {
  ZELK_CLASS(TThemeNotifier, TComponent)
public:
  // At run time with Office installed: the hidden window (in AOwner when that is a control that
  // can have a window, else a hidden top-level window) and the running monitor thread; otherwise
  // neither.
  explicit TThemeNotifier(TComponent* AOwner);
  // Stops the thread (and waits for it), clears the singleton, then frees the window.
  ~TThemeNotifier() override;

  void RegisterWindow(HWND Handle);
  void UnRegisterWindow(HWND Handle);

  TRegMonitorThread* GetRegMonitorThread() const { return RegMonitorThread.get(); }
  NeoStyleIF::TThemeNotifierWindow* GetNotifier() const { return FNotifier; }

  TNotifyEvent OnOfficeThemeChange;

private:
  void DoOfficeThemeChange(TObject* Sender);

  std::unique_ptr<TRegMonitorThread> RegMonitorThread;
  NeoStyleIF::TThemeNotifierWindow* FNotifier = nullptr;   // owned as a component
};

// The process's notifier: made on first use, owned by the main form when it has a window, else by
// Owner. Use on the GUI thread.
TThemeNotifier* ThemeNotifierInstance(TComponent* Owner);
// Forgets the singleton without freeing it (the unit's initialisation).
void ResetThemeNotifierInstance();
