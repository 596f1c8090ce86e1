#pragma once
// Helpers shared between the runtime's own source files; not part of its interface.
#include "platform/rtl/SysUtils.h"

// Float text for Format's %e %f %g %n %m: the fixed family rounds to 15 significant digits and
// shows up to 18 integer digits before it falls back to the exponent form.
String FormatFloatArg(Double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                      const TFormatSettings& Settings);

// Index past a quoted literal of a format starting at I (the quote itself at S[I]); an unclosed
// literal runs to the end.
std::size_t SkipQuoted(StringView S, std::size_t I);
// Appends the text of the quoted literal at S[I], without its quotes; returns the index past it.
std::size_t AppendQuoted(String& Out, StringView S, std::size_t I);

// One step of the collation order for two different code points: returns -1 or 1 when their base
// letters differ, else 0 after keeping the first difference of their lower-case forms in Secondary.
int CompareLetters(char32_t CA, char32_t CB, int& Secondary);

// Runs Body between Target.BeginUpdate() and Target.EndUpdate(); EndUpdate runs when Body throws too.
template <typename T, typename F>
void WithUpdate(T& Target, F&& Body) {
  Target.BeginUpdate();
  try {
    Body();
  } catch (...) {
    Target.EndUpdate();
    throw;
  }
  Target.EndUpdate();
}
