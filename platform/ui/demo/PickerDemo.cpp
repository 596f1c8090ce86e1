// A form with a date-time picker whose month calendar is dropped down. With --screenshot FILE it
// saves what the screen shows as PNG, runs the program after --probe while the calendar is down
// (with the popup's and the form's screen geometry as WxH+X+Y arguments; it may look at the live
// windows and click somewhere), then checks that the picker kept the focus, the form stayed active
// and a press outside closed the calendar, and exits with 0 when all of that held. Without
// --screenshot it runs until the form is closed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/rtl/SysInfo.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MonthCalendar.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/WinSystem.h"

namespace {

class TPickerForm : public TForm {
  ZELK_CLASS(TPickerForm, TForm)
public:
  explicit TPickerForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Datum");
    SetBorderStyle(bsSingle);
    SetBounds(20, 20, 10, 10);
    SetClientWidth(320);
    SetClientHeight(260);
    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetBounds(12, 16, 100, 16);
    label->SetCaption(u"Lieferdatum:");
    Picker = new TDateTimePicker(this);
    Picker->SetParent(this);
    Picker->SetBounds(110, 12, 180, 23);
    Picker->SetDateTime(EncodeDate(2024, 2, 29));
    SetActiveControl(Picker);
  }
  TDateTimePicker* Picker = nullptr;
};

std::string Geometry(HWND H) {
  RECT r;
  GetWindowRect(H, &r);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%ldx%ld+%ld+%ld", static_cast<long>(r.right - r.left),
                static_cast<long>(r.bottom - r.top), static_cast<long>(r.left), static_cast<long>(r.top));
  return buf;
}

// Handles messages until the condition holds or about a second has passed.
template <class F> bool PumpUntil(F Done) {
  for (int i = 0; i < 100 && !Done(); ++i) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return Done();
}

}  // namespace

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  std::string screenshot, probe;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--probe") == 0 && i + 1 < argc) probe = argv[++i];
  }
  FormatSettings = TFormatSettings::German();
  Application->SetTitle(u"Datum");
  Application->Initialize();
  TPickerForm* form = nullptr;
  Application->CreateForm(form);
  if (screenshot.empty()) {
    Application->Run();
    return 0;
  }
  form->Show();
  Application->ProcessMessages();
  form->Picker->SetFocus();
  PostMessage(form->Picker->GetHandle(), WM_KEYDOWN, VK_F4, 0);
  TDateTimePicker* picker = form->Picker;
  if (!PumpUntil([&] { return picker->GetDroppedDown(); })) {
    std::fprintf(stderr, "picker-demo: the calendar did not drop down\n");
    return 2;
  }
  HWND popup = GetParent(picker->GetCalendar()->GetHandle());
  int rounds = 0;
  PumpUntil([&] { return ++rounds > 10; });   // the popup's first paint reaches the screen
  int status = SaveScreenshot(screenshot) ? 0 : 1;
  if (status) std::fprintf(stderr, "picker-demo: cannot save the screenshot to %s\n", screenshot.c_str());
  if (GetFocus() != picker->GetHandle() || GetActiveWindow() != form->GetHandle()) {
    std::fprintf(stderr, "picker-demo: the calendar took the focus or the activation\n");
    status = 3;
  }
  if (!probe.empty()) {
    std::string cmd = "'" + probe + "' " + Geometry(popup) + " " + Geometry(form->GetHandle());
    if (std::system(cmd.c_str()) != 0) {
      std::fprintf(stderr, "picker-demo: the probe failed: %s\n", cmd.c_str());
      status = 4;
    }
    if (!PumpUntil([&] { return !picker->GetDroppedDown(); })) {
      std::fprintf(stderr, "picker-demo: a press outside did not close the calendar\n");
      status = 5;
    }
  }
  delete form;
  return status;
}
