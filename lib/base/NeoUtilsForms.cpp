// TNeoUtils: forms and the DPI scale.
#include "lib/base/NeoUtils.h"
#include "platform/ui/Forms.h"

namespace {

Single FormScale(TCustomForm* Form) {
  auto* form = dynamic_cast<TForm*>(Form);
  if (!form || !form->GetScaled()) return 1.0f;
  TMonitor* monitor = form->GetMonitor();
  const Integer ppi = monitor ? monitor->GetPixelsPerInch() : (Screen ? Screen->GetPixelsPerInch() : 96);
  return static_cast<Single>(ppi) / 96.0f;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Forms and scale

TCustomForm* TNeoUtils::GetOwnerForm(TComponent* Component) {
  for (TComponent* c = Component ? Component->GetOwner() : nullptr; c; c = c->GetOwner())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

TCustomForm* TNeoUtils::GetParentForm(TControl* Control) { return ::GetParentForm(Control); }

Single TNeoUtils::GetDPIScale(TComponent* Owner) {
  if (Application && Application->GetMainForm()) return FormScale(Application->GetMainForm());
  if (TCustomForm* form = GetOwnerForm(Owner)) return FormScale(form);
  return 1.0f;
}

bool TNeoUtils::IsHighDPIScale() { return GetDPIScale() > 1.0f; }
