#pragma once
// Test helpers for the date-time picker.
#include "platform/ui/DateTimePicker.h"

// The picker's shown text with its focused field in brackets, as "31.[01].2023".
inline String MarkedFields(const TDateTimePicker& Picker) {
  const TDateTimeFieldEditor& e = Picker.Fields();
  String out;
  for (Integer i = 0; i < static_cast<Integer>(e.Fields().size()); ++i) {
    String s = e.FieldDisplay(i);
    out += i == e.Focused() ? u"[" + s + u"]" : s;
  }
  return out;
}
