#pragma once
// The masked edit: a single-line edit whose text follows an edit mask.
//
// Mask language: "mask;save;blank". In the mask, L l A a C c 0 9 # stand for one character each
// (upper case: required, lower case: optional; L letter, A letter or digit, C any character,
// 0 and 9 digit, # digit or sign), \ makes the next character a literal, > and < switch the
// following characters to upper or lower case and <> switches case off, ! keeps the blanks of
// optional characters at the front instead of the end of Text, _ is a blank literal, : and / are
// the time and date separators of FormatSettings; every other character is a literal. The second
// field "0" leaves the literals out of Text ("1", the default, keeps them); the third field is
// the character shown for a position not filled in (default "_").
//
// EditText is what the edit shows: one character per mask position, blanks and literals included.
// Text is the value as stored: blanks become spaces, literals are kept or left out, and the
// spaces of optional characters are trimmed.
#include "platform/ui/StdCtrls.h"

class EDBEditError : public Exception {
  ZELK_CLASS(EDBEditError, Exception)
public:
  using Exception::Exception;
  EDBEditError() = default;
};

// A parsed edit mask. Positions are 0-based indexes into EditText.
class TEditMask {
public:
  TEditMask() = default;
  // Separators (: and /) are taken from FormatSettings as they are now.
  explicit TEditMask(const String& Mask);

  bool Empty() const { return FItems.empty(); }
  Integer Length() const { return static_cast<Integer>(FItems.size()); }
  bool SaveLiterals() const { return FSaveLiterals; }
  Char Blank() const { return FBlank; }
  bool IsLiteral(Integer Pos) const;
  bool IsRequired(Integer Pos) const;
  // Whether C may stand at the input position Pos; C is cased as the mask says.
  bool Accepts(Integer Pos, Char& C) const;
  // The first input position at or after Pos (Length() when none), and the last one before Pos
  // (-1 when none).
  Integer NextInput(Integer Pos) const;
  Integer PrevInput(Integer Pos) const;

  // EditText with nothing filled in.
  String BlankText() const;
  // Any text made into an EditText position by position: literals in place, characters that do
  // not fit their position blanked.
  String Normalize(const String& AEditText) const;
  // Text as stored from an EditText, and the EditText that gives a stored Text.
  String ToText(const String& AEditText) const;
  String FromText(const String& AText) const;
  // The first required position not filled in, -1 when every required position is.
  Integer FirstMissing(const String& AEditText) const;

private:
  enum TKind : unsigned char { mkLiteral, mkLetter, mkAlnum, mkAny, mkDigit, mkDigitOrSign };
  enum TCase : unsigned char { mcNone, mcUpper, mcLower };
  struct TItem {
    TKind Kind = mkLiteral;
    bool Required = false;
    TCase Case = mcNone;
    Char Literal = 0;
  };
  std::vector<TItem> FItems;
  bool FSaveLiterals = true;
  bool FLeadingBlanks = false;   // "!"
  Char FBlank = u'_';
};

class TCustomMaskEdit : public TCustomEdit {
  ZELK_CLASS(TCustomMaskEdit, TCustomEdit)
public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  String GetEditMask() const { return FEditMask; }
  // Changes the mask and fits the current Text into it.
  void SetEditMask(const String& Value);
  bool IsMasked() const { return !FMask.Empty(); }
  // The text as the edit shows it (blanks and literals included).
  String GetEditText();
  void SetEditText(const String& Value);
  // The text as stored (see the mask language above); without a mask, the edit's text.
  String GetText();
  void SetText(const String& Value);
  // Raises EDBEditError, with the caret on the first required position left blank, when the
  // edited text does not satisfy the mask.
  virtual void ValidateEdit();

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  // Typing, deleting and pasting over the mask.
  void MaskChar(Char Key);
  void MaskBackspace();
  void MaskDelete();
  void MaskPaste(const String& Text);
  // Puts Part over the positions From .. From + size - 1 as a user's edit and leaves the caret at
  // Caret.
  void MaskReplace(Integer From, const String& Part, Integer Caret);
  // The selection (or the position at the caret) with every input position blanked.
  String BlankedRange(Integer From, Integer To) const;
  String ClipboardText();

  String FEditMask;
  TEditMask FMask;
  Integer FUnmaskedMaxLength = 0;
};

class TMaskEdit : public TCustomMaskEdit {
  ZELK_CLASS(TMaskEdit, TCustomMaskEdit)
public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
