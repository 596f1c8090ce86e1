// The theme change notifier and its registry monitor thread.
#include "lib/base/NeoThemeNotifier.h"

#include <algorithm>

#include "platform/ui/Forms.h"

namespace {

TThemeNotifier* GThemeNotifier = nullptr;

const Char* const OfficeCommonKeys[] = {u"Software\\Microsoft\\Office\\12.0\\Common",
                                        u"Software\\Microsoft\\Office\\14.0\\Common",
                                        u"Software\\Microsoft\\Office\\15.0\\Common",
                                        u"Software\\Microsoft\\Office\\16.0\\Common"};

}  // namespace

// ---------------------------------------------------------------------------------------------
// THandleList

void THandleList::DeleteValue(HWND Handle) {
  Integer i = IndexOf(Handle);
  if (i >= 0) Delete(i);
}

// ---------------------------------------------------------------------------------------------
// The hidden window

namespace NeoStyleIF {

void TThemeNotifierWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange) OnOfficeThemeChange(this);
  inherited::WndProc(Message);
}

}  // namespace NeoStyleIF

// ---------------------------------------------------------------------------------------------
// TRegMonitorThread

TRegMonitorThread::TRegMonitorThread()
    : TThread(true),
      // Unnamed: every monitor (in this process or another) has an event of its own.
      FEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      FWinList(std::make_unique<THandleList>()) {}

TRegMonitorThread::~TRegMonitorThread() {
  if (GetStarted() && !GetFinished()) {
    Terminate();
    WaitFor();
  }
  FWinList.reset();
  FReg.reset();
  CloseHandle(FEvent);
}

Integer TRegMonitorThread::GetFilter() {
  if (FFilter == 0) FFilter = 15;
  return FFilter;
}

void TRegMonitorThread::RegisterWindow(HWND Handle) {
  std::lock_guard<std::mutex> guard(FWinListLock);
  if (!FWinList->HasValue(Handle)) FWinList->Add(Handle);
}

void TRegMonitorThread::UnRegisterWindow(HWND Handle) {
  std::lock_guard<std::mutex> guard(FWinListLock);
  FWinList->DeleteValue(Handle);
}

std::vector<HWND> TRegMonitorThread::WindowList() const {
  std::lock_guard<std::mutex> guard(FWinListLock);
  std::vector<HWND> list;
  for (Integer i = 0; i < FWinList->GetCount(); ++i) list.push_back(FWinList->GetInteger(i));
  return list;
}

void TRegMonitorThread::TerminatedSet() { SetEvent(FEvent); }

void TRegMonitorThread::Stop() {
  Terminate();
  if (!GetStarted()) return;
  // The thread may be inside a send to this thread's windows: serve it until the thread is done.
  const bool mainThread = GetCurrentThreadId() == MainThreadID();
  while (!GetFinished()) {
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
    if (mainThread) CheckSynchronize(1);
    else Sleep(1);
  }
  WaitFor();
}

void TRegMonitorThread::StartWatch() {
  FReg = std::make_unique<TRegistry>(KEY_READ);
  FReg->SetRootKey(FRootKey);
  if (!FReg->OpenKeyReadOnly(FKey)) throw Exception(u"Unable to open registry key " + FKey);
  RegNotifyChangeKeyValue(FReg->GetCurrentKey(), FWatchSub, static_cast<DWORD>(GetFilter()), FEvent, TRUE);
  FWatching.store(true);
}

void TRegMonitorThread::Notify() {
  // The list is copied under its lock and the lock released before sending: a window's thread
  // that registers windows while handling the message cannot deadlock against this one.
  std::vector<HWND> targets = WindowList();
  WPARAM root = static_cast<WPARAM>(FRootKey);
  LPARAM key = reinterpret_cast<LPARAM>(FKey.c_str());
  if (FWnd) SendMessage(FWnd, WM_OFFICETHEMECHANGE, root, key);
  for (HWND h : targets) {
    if (Terminated()) return;
    SendMessage(h, WM_OFFICETHEMECHANGE, root, key);
  }
}

void TRegMonitorThread::Execute() {
  StartWatch();
  while (!Terminated()) {
    // A failed wait would fail again at once: the thread ends instead of spinning.
    if (WaitForSingleObject(FEvent, INFINITE) != WAIT_OBJECT_0) return;
    if (Terminated()) return;
    // Re-armed before the windows hear of it, so a change made while they handle it is not lost.
    ResetEvent(FEvent);
    RegNotifyChangeKeyValue(FReg->GetCurrentKey(), FWatchSub, static_cast<DWORD>(GetFilter()), FEvent, TRUE);
    Notify();
  }
}

// ---------------------------------------------------------------------------------------------
// TThemeNotifier

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
  if (GetComponentState().Contains(csDesigning)) return;
  Integer version = InstalledOfficeVersion();
  if (version < 1 || version > 4) return;
  FNotifier = new NeoStyleIF::TThemeNotifierWindow(this);
  FNotifier->PlaceIn(dynamic_cast<TWinControl*>(AOwner));
  FNotifier->OnOfficeThemeChange = [this](TObject* Sender) { DoOfficeThemeChange(Sender); };
  RegMonitorThread = std::make_unique<TRegMonitorThread>();
  RegMonitorThread->SetWnd(FNotifier->GetHandle());
  RegMonitorThread->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
  RegMonitorThread->SetKey(OfficeCommonKeys[version - 1]);
  RegMonitorThread->SetRootKey(HKEY_CURRENT_USER);
  RegMonitorThread->SetWatchSub(true);
  RegMonitorThread->Start();
}

TThemeNotifier::~TThemeNotifier() {
  if (RegMonitorThread) {
    RegMonitorThread->Stop();
    RegMonitorThread.reset();
  }
  if (GThemeNotifier == this) GThemeNotifier = nullptr;
}

void TThemeNotifier::DoOfficeThemeChange(TObject* Sender) {
  (void)Sender;
  if (OnOfficeThemeChange) OnOfficeThemeChange(this);
}

void TThemeNotifier::RegisterWindow(HWND Handle) {
  if (RegMonitorThread) RegMonitorThread->RegisterWindow(Handle);
}

void TThemeNotifier::UnRegisterWindow(HWND Handle) {
  if (RegMonitorThread) RegMonitorThread->UnRegisterWindow(Handle);
}

TThemeNotifier* ThemeNotifierInstance(TComponent* Owner) {
  if (!GThemeNotifier) {
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    TComponent* owner = main && main->HandleAllocated() ? main : Owner;
    GThemeNotifier = new TThemeNotifier(owner);
  }
  return GThemeNotifier;
}

void ResetThemeNotifierInstance() { GThemeNotifier = nullptr; }
