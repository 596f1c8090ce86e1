#pragma once
// The memo: the edit's text engine over many lines. Lines are separated by CR LF in the text; with
// WordWrap a line longer than the formatting rectangle is shown on several rows, broken after a
// blank where there is one. The line messages (EM_GETLINECOUNT, EM_LINEINDEX, EM_LINEFROMCHAR,
// EM_LINELENGTH) count rows, as the edit control does; Lines holds the lines of the text.
#include <memory>
#include <vector>

#include "platform/ui/StdCtrls.h"

class TCustomMemo : public TCustomEdit {
  ZELK_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  // The lines of the text; every change goes through the memo (one OnChange each).
  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // Tab types a tab (otherwise it moves the focus); Enter types a line break (otherwise nothing:
  // Ctrl+Enter still does).
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  // The window's scroll bars, shown (disabled when there is nothing to scroll) as asked.
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // The caret as (column, line) of Lines.
  TPoint GetCaretPos();
  void SetCaretPos(TPoint Value);

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void PaintWindow(HDC DC) override;
  TRect FormatRect() override;
  void ScrollToCaret() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

private:
  friend class TMemoStrings;
  // A row on the screen: the text from Start to End (a line break or a wrap point).
  struct TRow {
    Integer Start, End;
  };
  void Layout();
  Integer RowOf(Integer Pos);
  Integer RowWidth(const TRow& Row) const { return FX[static_cast<std::size_t>(Row.End)] - FX[static_cast<std::size_t>(Row.Start)]; }
  Integer RowShift(const TRow& Row);   // alignment within the formatting rectangle
  Integer VisibleRows();
  TPoint PointOfPos(Integer Pos);      // client coordinates of the caret place of a position
  Integer PosOfPoint(TPoint P);
  Integer PosInRow(Integer Row, Integer X);   // X from the row's left end
  void DrawRow(HDC DC, const TRow& Row, Integer X, Integer Y);
  void UpdateScrollBars();
  void ScrollRows(Integer TopRow);
  void ScrollMessage(bool Vertical, WORD Code, Integer Pos);
  // Keys and mouse of the memo (the rest of the edit's behaviour is the single-line edit's).
  bool MemoKeyDown(UINT Key);
  bool MemoChar(Char Key);
  void MemoMouse(TMessage& Message);
  Integer StepLeft(Integer Pos) const;
  Integer StepRight(Integer Pos) const;
  void MoveVertically(Integer Rows, bool Extend);
  // Lines: the start of line Index (-1 past the last) and its end (before its line break).
  Integer LineStart(Integer Index) const;
  Integer LineEnd(Integer From) const;
  Integer LineCount() const;

  std::unique_ptr<TStrings> FLines;
  bool FWordWrap = true;
  bool FWantTabs = false;
  bool FWantReturns = true;
  TScrollStyle FScrollBars = ssNone;
  std::vector<TRow> FRows;
  std::vector<Integer> FX;   // FX[i]: x of caret position i from the start of its line (tabs expanded)
  Integer FTopRow = 0;
  Integer FGoalX = -1;       // the x that Up and Down keep to (-1: the caret's own)
  Integer FLayoutWidth = 0;
};

class TMemo : public TCustomMemo {
  ZELK_CLASS(TMemo, TCustomMemo)
public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
