#include "lib/grid/core/NeoStringGridCheck.h"

#include <mutex>

#include "platform/rtl/TypInfo.h"

TNeoStringGridCheck::TNeoStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}

TNeoStringGridCheck::~TNeoStringGridCheck() { SetGrid(nullptr); }

String TNeoStringGridCheck::MarkError(Integer ACol, Integer ARow, const String& Value) {
  (void)ACol;
  (void)ARow;
  FLastResult = mrOk;
  return Value;
}

String TNeoStringGridCheck::Correct(Integer ACol, Integer ARow, const String& Value) {
  (void)ACol;
  (void)ARow;
  FLastResult = mrOk;
  return Value;
}

void TNeoStringGridCheck::SetGrid(TComponent* Value) {
  if (Value == FGrid) return;
  if (FGrid) FGrid->RemoveFreeNotification(this);
  FGrid = Value;
  if (FGrid) FGrid->FreeNotification(this);
}

void TNeoStringGridCheck::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

void RegisterNeoStringGridCheckRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using C = TNeoStringGridCheck;
    Publish<C>()
        .Property(u"GotoCell", &C::GetGotoCell, &C::SetGotoCell).Default(false)
        .Property(u"AutoCorrect", &C::GetAutoCorrect, &C::SetAutoCorrect).Default(false)
        .Property(u"AutoMarkError", &C::GetAutoMarkError, &C::SetAutoMarkError).Default(false)
        .Property(u"UseCorrect", &C::GetUseCorrect, &C::SetUseCorrect).Default(false)
        .Property(u"UseMarkError", &C::GetUseMarkError, &C::SetUseMarkError).Default(false);
    RegisterClass(C::StaticClass());
  });
}
