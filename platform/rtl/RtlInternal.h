#pragma once
// Helpers shared between the runtime's own source files; not part of its interface.
#include "platform/rtl/SysUtils.h"

// Float text for Format's %e %f %g %n %m: the fixed family rounds to 15 significant digits and
// shows up to 18 integer digits before it falls back to the exponent form.
String FormatFloatArg(Double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                      const TFormatSettings& Settings);
