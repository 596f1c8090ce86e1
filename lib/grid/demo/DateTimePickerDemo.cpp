// datetimepicker_demo: a form with the date-time picker control in its three kinds, each with a
// label, as a person sees it. --screenshot FILE saves what the screen shows as PNG and exits.
#include <cstdio>
#include <cstring>
#include <string>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NeoDateTimePicker.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/win/UxTheme.h"
#include "platform/win/WinSystem.h"

namespace {

class TPickerForm : public TForm {
  ZELK_CLASS(TPickerForm, TForm)
public:
  explicit TPickerForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Date-time pickers");
    SetBounds(20, 20, 10, 10);
    SetClientWidth(340);
    SetClientHeight(140);
    Add(dkDate, 10, 150, u"Date:", EncodeDate(2024, 3, 15));
    Add(dkTime, 50, 150, u"Time:", EncodeTime(14, 30, 0, 0));
    Add(dkDateTime, 90, 220, u"Both:", EncodeDate(2024, 3, 15) + EncodeTime(9, 15, 0, 0));
  }

private:
  void Add(TNeoDateTimeKind Kind, Integer Top, Integer Width, const String& Caption, TDateTime Value) {
    auto* p = new TNeoDateTimePicker(this);
    p->SetParent(this);
    p->SetBounds(90, Top, Width, 23);
    p->SetKind(Kind);
    p->SetLabelCaption(Caption);
    p->SetDateTime(Value);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::string screenshot;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
  try {
    InitWindowSystem();
  } catch (const EWindowSystem& e) {
    std::fprintf(stderr, "datetimepicker_demo: no display to show the pickers on (%s)\n",
                 UTF8Encode(e.Message).c_str());
    return 2;
  }
  RegisterThemeLibrary();
  NeoXPVS::LoadThemeApi();
  FormatSettings = TFormatSettings::German();
  Application->Initialize();
  TPickerForm* form = nullptr;
  Application->CreateForm(form);
  if (screenshot.empty()) {
    Application->Run();
    NeoXPVS::FreeThemeApi();
    return 0;
  }
  form->Show();
  Application->ProcessMessages();
  const bool ok = SaveScreenshot(screenshot);
  delete form;
  NeoXPVS::FreeThemeApi();
  if (!ok) {
    std::fprintf(stderr, "datetimepicker_demo: cannot save the screenshot to %s\n", screenshot.c_str());
    return 1;
  }
  return 0;
}
