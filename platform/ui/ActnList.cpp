#include "platform/ui/ActnList.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"

TBasicAction::~TBasicAction() {
  for (TBasicActionLink* link : FClients) link->FAction = nullptr;
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) { FClients.push_back(Link); }

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) { std::erase(FClients, Link); }

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent*) { return FAction && FAction->Execute(); }

bool TActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }

template <class F> void TCustomAction::ForEachLink(F&& Op) {
  std::vector<TBasicActionLink*> links = FClients;   // a link may leave while it is told
  for (TBasicActionLink* l : links)
    if (auto* link = dynamic_cast<TActionLink*>(l)) Op(link);
}

void TCustomAction::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  ForEachLink([&](TActionLink* L) { L->SetCaption(Value); });
  FCaption = Value;
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == FChecked) return;
  ForEachLink([&](TActionLink* L) { L->SetChecked(Value); });
  FChecked = Value;
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  ForEachLink([&](TActionLink* L) { L->SetEnabled(Value); });
  FEnabled = Value;
}

void TCustomAction::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  ForEachLink([&](TActionLink* L) { L->SetGroupIndex(Value); });
  FGroupIndex = Value;
}

void TControlActionLink::AssignClient(TObject* AClient) {
  FClient = dynamic_cast<TControl*>(AClient);
  if (!FClient) throw EInvalidCast(u"Invalid class typecast");
}

bool TControlActionLink::IsCaptionLinked() {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return TActionLink::IsCaptionLinked() && FClient && FClient->GetCaption() == action->GetCaption();
}

bool TControlActionLink::IsEnabledLinked() {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return TActionLink::IsEnabledLinked() && FClient && FClient->GetEnabled() == action->GetEnabled();
}

void TControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
