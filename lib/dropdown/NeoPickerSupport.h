#pragma once
// What the pickers over an item selector share: the type-ahead search text that printable keys
// build up until 500 ms pass without a new key, moving the selection of the popup's selector on
// behalf of the drop-down, and the index steps of SelectFirst / Last / Next / Previous.
#include "lib/dropdown/NeoItemSelector.h"
#include "platform/ui/ExtCtrls.h"

// Draws instead of the picker: the chosen item in the edit, or every item of the popup.
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

// The type-ahead text. A key adds the character it produces with the keyboard's present state
// (Shift, layout), upper-cased; keys that produce no printable character (Shift itself, function
// keys, Backspace, Enter) leave the text alone. The first added character starts the timer; a
// running timer is restarted only when AddKey is asked to, so by default the text is cleared 500 ms
// after its first character.
class TTypeAheadSearch {
public:
  // The timer is a component of Owner.
  explicit TTypeAheadSearch(TComponent* Owner);
  ~TTypeAheadSearch();
  TTypeAheadSearch(const TTypeAheadSearch&) = delete;
  TTypeAheadSearch& operator=(const TTypeAheadSearch&) = delete;

  // True when the key added a character (and the timer runs).
  bool AddKey(Word Key, bool RestartTimer = false);
  const String& GetText() const { return FText; }
  TTimer* GetTimer() const { return FTimer; }

private:
  void Tick();
  TTimer* FTimer;
  String FText;
};

// The character a virtual key produces with the present keyboard state, upper-cased; 0 when it
// produces none or a control character.
Char PrintableKeyChar(Word Key);

// Whether the picture holds a graphic that is not empty.
bool HasGraphic(TPicture* Picture);

// Sets Flag for the duration of a change the drop-down makes itself (restored even on an
// exception).
class TInternalCall {
public:
  explicit TInternalCall(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
  ~TInternalCall() { FFlag = FOld; }
  TInternalCall(const TInternalCall&) = delete;
  TInternalCall& operator=(const TInternalCall&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

// Selects Index in the selector (when it is below the selector's item count), scrolled into view,
// as a change the drop-down makes itself.
void SelectInSelector(TNeoCustomItemSelector* Selector, Integer Index, bool& InternalCall);

// The target of Page Up (Down false) or Page Down in the selector: a page is the visible item
// count; -1 when not a whole item is visible. Page Up stops at 0 (also from index 1 .. N), Page
// Down at Count - 1.
Integer PageTarget(TNeoCustomItemSelector* Selector, bool Down, Integer Count);

// The index SelectFirst / Last / Next / Previous go to from Current among Count items; -1 when
// there is none to go to (no items, the last item for Next, item 0 for Previous). Next and
// Previous go to item 0 when none is selected.
enum class TSelectStep { First, Last, Next, Previous };
Integer SelectStepTarget(TSelectStep Step, Integer Current, Integer Count);

// The pixels per inch of the control's monitor (the screen's when it is on no form).
UINT ControlPixelsPerInch(TControl* Control);

// The top of an image of Height placed in R: at the top, at the bottom or centred (rounded down).
Integer AlignedTop(TVerticalAlignment Align, TRect R, Integer Height);
