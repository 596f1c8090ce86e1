#pragma once
// The rich edit: paragraphs of formatted runs, drawn by the class library, reading and writing the
// Rich Text Format, answering the rich edit messages (EM_SETCHARFORMAT, EM_FORMATRANGE ...) and
// notifying its parent with WM_COMMAND (EN_CHANGE) and WM_NOTIFY (EN_REQUESTRESIZE, EN_SELCHANGE),
// which the parent reflects back as CN_COMMAND and CN_NOTIFY.
#include <functional>
#include <memory>

#include "platform/ui/StdCtrls.h"
#include "platform/ui/RichText.h"
#include "platform/win/RichEdit.h"

class TCustomRichEdit;
class TRichLayout;

enum TAttributeType { atSelected, atDefaultText };

// Character attributes of the selection or of the default text, read and written through
// EM_GETCHARFORMAT and EM_SETCHARFORMAT.
class TTextAttributes : public TPersistent {
  ZELK_CLASS(TTextAttributes, TPersistent)
public:
  TTextAttributes(TCustomRichEdit* AOwner, TAttributeType AType) : FRichEdit(AOwner), FType(AType) {}
  String GetName();
  void SetName(const String& Value);
  Integer GetSize();           // points
  void SetSize(Integer Value);
  Integer GetHeight();         // pixels at the screen's resolution
  void SetHeight(Integer Value);
  TFontStyles GetStyle();
  void SetStyle(TFontStyles Value);
  TColor GetColor();
  void SetColor(TColor Value);
  TFontCharset GetCharset();
  void SetCharset(TFontCharset Value);
  void Assign(TPersistent* Source) override;

private:
  CHARFORMAT2W Get();
  void Set(CHARFORMAT2W& Format);
  TCustomRichEdit* FRichEdit;
  TAttributeType FType;
};

// The alignment of the paragraphs the selection touches.
class TParaAttributes : public TPersistent {
  ZELK_CLASS(TParaAttributes, TPersistent)
public:
  explicit TParaAttributes(TCustomRichEdit* AOwner) : FRichEdit(AOwner) {}
  TAlignment GetAlignment();
  void SetAlignment(TAlignment Value);

private:
  TCustomRichEdit* FRichEdit;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, TRect Rect)>;

class TCustomRichEdit : public TCustomEdit {
  ZELK_CLASS(TCustomRichEdit, TCustomEdit)
public:
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;

  // One string per paragraph; loading and saving streams read and write RTF unless PlainText.
  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* Value);
  String GetSelText();
  TTextAttributes* GetSelAttributes() const { return FSelAttributes.get(); }
  void SetSelAttributes(TTextAttributes* Value) { FSelAttributes->Assign(Value); }
  TTextAttributes* GetDefAttributes() const { return FDefAttributes.get(); }
  void SetDefAttributes(TTextAttributes* Value) { FDefAttributes->Assign(Value); }
  TParaAttributes* GetParagraph() const { return FParagraph.get(); }
  bool GetPlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // The plain text of the whole content (paragraphs joined by CR LF).
  String GetPlainTextContent();

  // The content as RTF, and replacing the content by RTF (or plain text).
  std::string GetRtf();
  void SetRtf(const std::string& Rtf);

  TNotifyEvent OnSelectionChange;
  TRichEditResizeEvent OnResizeRequest;

  // The document itself, for the class library's own use (Lines, tests).
  TRichDocument& Document() { return *FDoc; }

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void PaintWindow(HDC DC) override;
  virtual void SelectionChange();
  virtual void RequestSize(const TRect& Rect);
  void CNNotify(TMessage& Message);

  // ---- the control's own behaviour
  TRichFormat DefaultFormat() const;
  void RichKeyDown(UINT Key);
  void RichChar(Char Key);
  void RichMouse(TMessage& Message);
  // A user's edit of the selection (ReadOnly refuses it with a beep); undo kept.
  bool UserEdit(const std::function<void()>& Edit);
  // Replaces the selection by a piece of rich text or by text in the typing format.
  void ReplaceWith(const TRichDocument& Piece);
  void ReplaceWithText(const String& Text);
  void Changed();   // after any change of the content
  void SetRichSelection(Integer Anchor, Integer Caret, bool Notify = true);
  void ToggleStyle(DWORD Mask);
  void CopySelection();
  void PasteClipboard();
  void SetCharFormat(WPARAM Scope, const CHARFORMAT2W& Format);
  void GetCharFormat(WPARAM Scope, CHARFORMAT2W& Format);
  LRESULT FormatRange(bool Render, const FORMATRANGE* Range);

  // Layout of the control: formatting rectangle, scrolling, caret.
  TRect FormatRect() override;
  void UpdateLayout();
  void UpdateScrollBars();
  void ScrollToCaret() override;
  Integer PosFromPoint(TPoint P);
  TPoint PointFromPos(Integer Pos);

  std::unique_ptr<TRichDocument> FDoc;
  std::unique_ptr<TRichLayout> FLayout;
  std::unique_ptr<TStrings> FLines;
  std::unique_ptr<TTextAttributes> FSelAttributes;
  std::unique_ptr<TTextAttributes> FDefAttributes;
  std::unique_ptr<TParaAttributes> FParagraph;
  std::unique_ptr<TRichDocument> FUndo;      // the content before the last edit
  Integer FUndoAnchor = 0, FUndoCaret = 0;
  bool FPlainText = false;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  DWORD FEventMask = 0;
  TColor FBackColor = clWindow;
  bool FBackSystem = true;
  Integer FTopY = 0;      // pixels of content scrolled out at the top
  Integer FLeftX = 0;
  Integer FTypingFormat = -1;   // format for the next typed text (Ctrl+B on an empty selection)
  TSize FLastRequest{-1, -1};

  friend class TTextAttributes;
  friend class TParaAttributes;
  friend class TRichEditStrings;
};

class TRichEdit : public TCustomRichEdit {
  ZELK_CLASS(TRichEdit, TCustomRichEdit)
public:
  explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
