#pragma once
// The old schema the update expects, built in an empty database file. Shared by the tests and the
// benchmark.
#include "platform/rtl/System.h"

namespace UpdateTest {

// What the old database holds. The default is the full old schema: an old KASDATEN (without
// KAS_KOPID, two rows) with an old KAT_TXT, GWKDATEN with both old colour columns and eight rows
// (NULL, 1 and other text values, shared pairs), COLDATEN with the rows -1 and 4, OBJDATEN,
// AUFDATEN and the view AUFOBJ, and the other tables the script expects.
struct TOldSchema {
  bool KatTxt = true;              // the old KAT_TXT procedure
  bool Kasdaten = true;            // KASDATEN at all (the old one)
  bool TextColour = true;          // GWKDATEN has GWK_TFARBE
  bool Colours = true;             // GWKDATEN has GWK_FARBE (and its rows colour values)
  bool Coldaten = true;            // COLDATEN exists with the rows -1 and 4
  bool Objdaten = true;            // OBJDATEN exists (and the old view AUFOBJ)
  Integer NoteTextSize = 0;        // NOTDATEN with NOT_TEXT VARCHAR(n); 0: no NOTDATEN
  // GWKDATEN rows: the first eight as above; further ones with 64 backgrounds and the text
  // values 0, 1 and 2 in turn (colour columns present).
  Integer DeviceRows = 8;
};

// Builds Schema in the empty database file DatabaseName (user SYSDBA, password plumcrest).
void BuildOldSchema(const String& DatabaseName, const TOldSchema& Schema = {});

}  // namespace UpdateTest
