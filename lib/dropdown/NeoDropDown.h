#pragma once
// The dropdown edit: a single-line edit with a drop button at its right end that opens a popup
// (header, one content control, footer) below or above it. Every picker of the library derives
// from TNeoCustomDropDown and fills the popup through the virtual operations it introduces;
// TNeoDropDown publishes its properties.
//
// Sizes of the popup are kept in 96-dpi pixels; FDPIScale (the text scale of the edit, see
// DropDownDPIScale) follows every SetEditRect and ChangeScale. The drop button holder is a child
// window of the edit; the edit's formatting rectangle leaves the button's width free.
#include <functional>
#include <memory>

#include "lib/base/NeoStyleIF.h"
#include "lib/dropdown/NeoButtonAppearance.h"
#include "lib/dropdown/NeoDropDownEditButton.h"
#include "lib/dropdown/NeoPopupAppearance.h"
#include "platform/ui/BevelKind.h"
#include "platform/ui/Mask.h"
#include "platform/ui/StdCtrls.h"

class TCustomImageList;
class TDropDownForm;
class TItemAppearance;

enum TDropDownEditType {
  etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
  etAlphaNumeric, etValidChars
};
enum TDropPosition { dpAuto, dpDown, dpUp };
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };
enum TLabelPosition {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft, lpLeftBottomLeft,
  lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight, lpBottomRight
};

using TDropDown = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TGetDropDownPosEvent = std::function<void(TObject* Sender, TPoint& Pos)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, Integer ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
using TClipboardEvent = std::function<void(TObject* Sender, const String& value, bool& allow)>;

class TNeoCustomDropDown : public TCustomMaskEdit, public INeoStyle, public INeoTones {
  ZELK_CLASS(TNeoCustomDropDown, TCustomMaskEdit)
public:
  explicit TNeoCustomDropDown(TComponent* AOwner);
  ~TNeoCustomDropDown() override;

  // The version as four bytes: major, minor, release, build.
  virtual Integer GetVersionNr();
  // GetVersionNr as "major.minor.release.build"; writing it is ignored.
  String GetVersion();
  void SetVersion(const String&) {}

  void ShowDropDown();
  // The popup must exist (run time).
  void HideDropDown(bool CancelChanges);
  TNeoStyle GetComponentStyle() const { return FNeoStyle; }
  TNeoStyle GetUIStyle() const { return FNeoStyle; }
  void SetUIStyle(TNeoStyle Value) { SetComponentStyle(Value); }

  TDropDownEditButton* GetButton() const { return FButton; }
  bool GetDroppedDown() const { return FDroppedDown; }
  // The popup (nullptr at design time).
  TDropDownForm* GetDropDownForm() const { return FDropDownForm; }
  // The popup's size when it exists and is sizeable; else DropDownWidth x DropDownHeight when both
  // are set; else the content control's size; else 0 x 0.
  TSize GetDropDownSize();
  // Forgets the size the user left the popup at.
  void ResetDropDownSize();
  TRect GetEditRect() const { return FEditRect; }
  Single GetDPIScale() const { return FDPIScale; }
  Integer GetUserDropDownWidth() const { return FUserDropDownWidth; }
  Integer GetUserDropDownHeight() const { return FUserDropDownHeight; }
  // FOrigCtrlW x FOrigCtrlH: the content control's size at 96 dpi when it was assigned.
  TSize GetOriginalControlSize() const { return TSize{FOrigCtrlW, FOrigCtrlH}; }
  TLabel* GetLabel() const { return FLabel; }
  // The edit's line height plus a quarter of the smaller of it and the screen font's.
  Integer GetMinHeight();

  // Published properties (TNeoDropDown).
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor GetFocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  const String& GetEmptyText() const { return FEmptyText; }
  void SetEmptyText(const String& Value);
  bool GetEmptyTextFocused() const { return FEmptyTextFocused; }
  void SetEmptyTextFocused(bool Value) { FEmptyTextFocused = Value; }
  TFontStyles GetEmptyTextStyle() const { return FEmptyTextStyle; }
  void SetEmptyTextStyle(TFontStyles Value);
  TColor GetDropDownColor() const { return FDropDownColor; }
  void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
  TColor GetDropDownColorTo() const { return FDropDownColorTo; }
  void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
  TColor GetDropDownBorderColor() const { return FDropDownBorderColor; }
  void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
  Integer GetDropDownBorderWidth() const { return FDropDownBorderWidth; }
  void SetDropDownBorderWidth(Integer Value) { FDropDownBorderWidth = Value; }
  bool GetDropDownShadow() const { return FDropDownShadow; }
  void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
  Integer GetDropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(Integer Value);
  Integer GetDropDownHeight() const { return FDropDownHeight; }
  void SetDropDownHeight(Integer Value);   // negative values are ignored
  bool GetDropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool Value);
  TDropPosition GetDropPosition() const { return FDropPosition; }
  void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
  Integer GetDropDownButtonWidth() const { return FButtonWidth; }
  void SetDropDownButtonWidth(Integer Value);
  const String& GetDropDownButtonHint() const { return FButtonHint; }
  void SetDropDownButtonHint(const String& Value);
  TBitmap* GetDropDownButtonGlyph() const;
  void SetDropDownButtonGlyph(TBitmap* Value);
  String GetDropDownButtonCaption() const;
  void SetDropDownButtonCaption(const String& Value);
  bool GetDropDownSizeable() const { return FDropDownSizeable; }
  void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  String GetLabelCaption() const;
  void SetLabelCaption(const String& Value);
  TLabelPosition GetLabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  Integer GetLabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(Integer Value);
  bool GetLabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool GetLabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
  TFont* GetLabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* Value);
  TNeoButtonAppearance* GetButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TNeoButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
  THeaderAppearance* GetDropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
  TFooterAppearance* GetDropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
  // The class library's Ctl3D and BevelKind of the edit: they decide its frame and layout.
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  TBevelKind GetBevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind Value);

  // Protected in the framework; variants and the grid's editors set them directly.
  bool GetDisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value);
  bool GetReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  SmallInt GetPrecision() const { return FPrecision; }
  // Stored only for etString, etFloat, etMoney and etValidChars; the text is then reformatted.
  void SetPrecision(SmallInt Value);
  TColor GetSelectionColor() const { return FSelectionColor; }
  // Sets the colour and returns the selection look to scCustom.
  void SetSelectionColor(TColor Value);
  TColor GetSelectionColorTo() const { return FSelectionColorTo; }
  void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
  TSelectionColorStyle GetSelectionColorStyle() const { return FSelectionColorStyle; }
  TControl* GetControl() const { return FControl; }
  // The popup's content control (ignored when it is the current one or the edit itself).
  void SetControl(TControl* Value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  TDropDownEditType GetEditType() const { return FEditType; }
  // etPassword shows '*' and turns CanUndo off; a text the new type cannot read becomes 0.
  void SetEditType(TDropDownEditType Value);
  SmallInt GetLengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(SmallInt Value) { FLengthLimit = Value; }
  const String& GetPrefix() const { return FPrefix; }
  void SetPrefix(const String& Value) { FPrefix = Value; }
  const String& GetSuffix() const { return FSuffix; }
  void SetSuffix(const String& Value) { FSuffix = Value; }
  bool GetSigned() const { return FSigned; }
  void SetSigned(bool Value) { FSigned = Value; }
  const String& GetValidChars() const { return FValidChars; }
  void SetValidChars(const String& Value) { FValidChars = Value; }
  bool GetAllowNumericNullValue() const { return FAllowNumericNullValue; }
  void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
  bool GetDefaultHandling() const { return FDefaultHandling; }
  void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
  bool GetCanUndo() const { return FCanUndo; }
  void SetCanUndo(bool Value) { FCanUndo = Value; }
  bool GetExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  bool GetAutoThousandSeparator() const { return FAutoThousandSeparator; }
  void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  bool GetFocusDraw() const { return FFocusDraw; }
  void SetFocusDraw(bool Value) { FFocusDraw = Value; }
  bool GetForceShadow() const { return FForceShadow; }
  void SetForceShadow(bool Value) { FForceShadow = Value; }
  TGradientDirection GetDropDownGradient() const { return FDropDownGradient; }
  void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
  bool GetEtched() const { return FEtched; }

  // The style interfaces; they land on the virtual operations of the same names.
  void SetComponentStyle(TNeoStyle AStyle) override;
  void SetColorTones(TColorTones ATones) override;

  void SetParent(TWinControl* AParent) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Assign(TPersistent* Source) override;
  void ChangeScale(Integer M, Integer D) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  TDropDown OnDropDown;
  TDropUp OnDropUp;
  TNotifyEvent OnBeforeDropDown;
  TNotifyEvent OnAfterDropDown;
  TNotifyEvent OnBeforeDropUp;
  TDropDownButtonItemClick OnDropDownHeaderButtonClick;
  TDropDownButtonItemClick OnDropDownFooterButtonClick;
  TDrawBackGroundEvent OnDrawHeader;
  TDrawBackGroundEvent OnDrawFooter;
  TGetTextEvent OnGetHeaderText;
  TGetTextEvent OnGetFooterText;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;
  TGetDropDownPosEvent OnGetDropDownPos;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardPaste;
  TClipboardEvent OnClipboardCut;

protected:
  // The operations the variants override, in this order.
  virtual void DoLabelClick();
  virtual void DoLabelDblClick();
  // (GetVersionNr, public above, comes third.)
  virtual void CreateDropDownForm();
  virtual void CreateDropDownButton();
  virtual void UpdateDropDownButton();
  virtual void DoBeforeDropDown();
  virtual void ConstrainDropDownHeight(Integer& AHeight);
  virtual void DoAfterDropDown();
  virtual void DoShowDropDown();
  virtual void PlaceDropDownControl();
  virtual void UpdateDropDownSize();
  virtual void DoHideDropDown(bool Cancel);
  virtual void DropDownFormHide();
  virtual void DropDownFormDestroy() {}
  virtual void DropDownFormMouseWheelDown();
  virtual void DropDownFormMouseWheelUp();
  virtual void DropDownFormKeyPress(Char& Key);
  virtual void DropDownFormKeyDown(Word& Key, TShiftState Shift);
  virtual void DropDownFormKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyDown(Word& Key, TShiftState Shift);
  virtual void ControlKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyPress(Char& Key);
  virtual void DropDownFormResize() {}
  virtual void ReservedHook() {}
  virtual void DoDropDownWheelDown() {}
  virtual void DoDropDownWheelUp() {}
  virtual void DrawFocusRect();
  virtual void DrawEmptyText();
  virtual Integer GetMinValue() { return 0; }
  virtual void SetEditRect();
  virtual void ResizeEdit();

public:
  // The Text setter (public: Text is published). An empty number reads "0"; with a Precision,
  // etFloat and etMoney are formatted; etHex is upper-cased. The raw text becomes Prefix + Value +
  // Suffix and the edit is no longer modified.
  virtual void SetText(const String& Value);
  // The value: the raw text without a leading Prefix and without its last Length(Suffix)
  // characters, whatever they are. Thousand separators stay (GetFloatValue strips them).
  String GetText();
  // The raw edit text (Prefix + value + Suffix), written as it stands.
  void SetEditText(const String& Value) { TCustomMaskEdit::SetText(Value); }

  // The value as a number by EditType; whatever cannot be read is 0.
  Double GetFloatValue();
  // Text := Value formatted by EditType and Precision; the edit is modified.
  void SetFloatValue(Double Value);
  void SetIntValue(Integer Value);
  // S without thousand separators, read with the current FormatSettings; 0 when unreadable.
  Double ParseFloat(const String& S);
  // Ignored while loading, in a pick-only or a read-only edit.
  void SetModified(bool Value);
  bool GetModified() const { return FIsModified; }
  // The value between prefix and suffix selected.
  void SelectAll();
  // The caret right after, respectively right before, the value's decimal separator (after the
  // prefix when there is none).
  void SelectAfterDecimal();
  void SelectBeforeDecimal();

protected:
  virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
  // A selected item's background: flat in SelectionColor, or the selection look's outline.
  virtual void DrawSelection(TCanvas* Canvas, TRect R, Integer ShapeKind, Integer Extra);
  virtual void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TGradientDirection Direction, TRect R,
                            Integer Steps);
  // The item colours of a list variant for AStyle (recorded as the edit's style); tsCustom and a nil
  // Appearance change nothing else.
  void SetItemAppearanceStyle(TItemAppearance* Appearance, TNeoStyle AStyle);

  void UpdateLabel();
  void LabelFontChanged(TObject* Sender);
  void HeaderChanged(TObject* Sender);
  void FooterChanged(TObject* Sender);
  // The drop button's click: DropButtonClick.
  void ButtonClick(TObject* Sender);
  // Opens the popup unless it is open or lost the activation less than 250 ms ago.
  void DropButtonClick();
  // Enter closes the popup, Esc closes it with cancel, F4 opens or closes it.
  void PopupKey(Word Key);
  bool IsDesignTime() const { return FDesignTime; }

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // "SelectionColorStyle" and "NeoStyle", always written as the ordinals; read into the fields
  // without applying the style.
  void DefineProperties(TFiler* Filer) override;
  void DoEnter() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Enter becomes #0 after OnKeyPress.
  void KeyPress(Char& Key) override;
  void WMKeyDown(TMessage& Message);
  void WMChar(TMessage& Message);
  void CMWantSpecialKey(TMessage& Message);
  void WMCut(TMessage& Message);
  void WMCopy(TMessage& Message);
  void WMPaste(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);

  // Positions. SelStart and SelLength count in the raw text; a value offset counts in Text
  // (0-based). Every conversion between the two goes through this pair.
  Integer PrefixLength() const { return static_cast<Integer>(FPrefix.size()); }
  Integer RawOffset(Integer ValueOffset) const { return ValueOffset + PrefixLength(); }
  Integer ValueOffset(Integer RawOffset) const { return RawOffset - PrefixLength(); }
  // Prefix + Value + Suffix.
  String RawText(const String& Value) const { return FPrefix + Value + FSuffix; }
  // The selected part of the value (Copy(Text, SelStart - Len(Prefix) + 1, SelLength)).
  String SelectedValueText();

  // The number of integer digits of S plus one (thousand separators left out; a sign not counted
  // when Signed in a number type).
  Integer IntegerPartEnd(const String& S);
  // The raw position of the value's decimal separator (1-based in Text, shifted by the prefix), or
  // one past the raw text without one.
  Integer DecimalPosition();
  bool IsSignKey(Char C) const;
  // Precision decimals already follow the separator and the caret stands among them.
  bool DecimalsFull();
  // A separator typed at the caret would stand other than exactly three characters from the
  // nearest thousand separator.
  bool SeparatorTooClose();
  // Rewrites a money value with its thousand separators; the caret keeps its distance from the end.
  void AutoSeparators();
  // Adds or removes the value's leading '-'.
  void ToggleSign();
  // Writes the raw text as the filter's own rewrite: the change notification it causes is swallowed.
  void RewriteEditText(const String& Raw);
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

  Integer FOrigCtrlH = 0;
  Integer FOrigCtrlW = 0;
  Single FDPIScale = 1.0F;
  bool FDesignTime = false;
  TLabel* FLabel = nullptr;
  bool FParentFnt = false;
  Integer FDropDownWidth = 0;
  Integer FDropDownHeight = 0;
  Integer FUserDropDownWidth = -1;
  Integer FUserDropDownHeight = -1;
  bool FEditorEnabled = true;
  TDropPosition FDropPosition = dpAuto;
  bool FFlat = false;
  TCustomImageList* FImages = nullptr;
  bool FDropDownShadow = true;
  Integer FDropDownBorderWidth = 1;
  String FButtonHint;
  TColor FDropDownColorTo = clNone;
  TColor FDropDownColor = static_cast<TColor>(0xFFFFFF);
  TColor FDropDownBorderColor = 0;
  Integer FButtonWidth = 17;
  bool FEtched = false;
  TWinControl* FFocusControl = nullptr;
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TNeoButtonAppearance> FButtonAppearance;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
  TControl* FControl = nullptr;
  TGradientDirection FDropDownGradient = gdHorizontal;
  bool FDropDownSizeable = true;
  TColor FSelectionColor = 0;
  TColor FSelectionColorTo = 0;
  TSelectionColorStyle FSelectionColorStyle = scCustom;
  TDropDownEditType FEditType = etString;
  SmallInt FLengthLimit = 0;
  SmallInt FPrecision = 0;
  String FPrefix;
  String FSuffix;
  bool FSigned = false;
  bool FReturnIsTab = false;
  bool FIsWinXP = false;
  bool FIsThemed = false;
  bool FBlockChange = false;
  bool FAllowNumericNullValue = false;
  bool FDefaultHandling = true;
  bool FCanUndo = true;
  bool FExcelStyleDecimalSeparator = false;
  String FValidChars;
  bool FBlockCopy = false;
  bool FDoShowBusy = false;
  bool FButtonDown = false;
  bool FAutoThousandSeparator = true;
  bool FIsModified = false;
  TRect FEditRect{};
  bool FDropDownEnabled = true;
  bool FDroppedDown = false;
  bool FFocusDraw = true;
  bool FForceShadow = false;
  TNeoStyle FNeoStyle = tsCustom;
  Integer FLabelMargin = 4;
  TLabelPosition FLabelPosition = lpLeftTop;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  std::unique_ptr<TFont> FLabelFont;
  TColor FBorderColor = clNone;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = true;
  bool FLblUpdate = false;
  Integer FLblFntHeight = -11;
  TFontStyles FEmptyTextStyle;
  String FEmptyText;
  bool FEmptyTextFocused = false;
  TDropDownForm* FDropDownForm = nullptr;
  TDropDownEditButton* FButton = nullptr;
  String FOldText;
  bool FCtl3D = true;
  TBevelKind FBevelKind = bkNone;

  // The edit's own frames on its window DC (see DrawBorders), unless it is enabled, not flat and
  // has neither frame colour; the drop button then learns whether the edit is hot or active.
  void PaintBorders();
  // On the whole window: the silver frame of a disabled themed edit with DisabledBorder; else a
  // one-pixel frame in BorderColor, or FocusBorderColor while focused; else the flat look (a
  // sunken edge while active, the parent's colour otherwise). Nothing at design time.
  void DrawBorders();
  void UpdateButtonFocus();
  // The mouse is over the edit or the edit is the screen's active control (never at design time).
  bool IsActive() const;
  // IsActive, but the edit's Enabled at design time.
  bool GetButtonFocused() const;

private:
  bool HasBorderOrBevel() const;
  // The frames PaintBorders draws are wanted: a frame colour, the flat look, or a disabled edit
  // with DisabledBorder.
  bool OwnBordersWanted() const;
  // The edit's frame drawn again (it shows the focus).
  void RepaintFrame();
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void BindDropDownForm();
  // The popup's buttons close the popup through DoHideDropDown; the popup forwards to the edit.
  friend class TNeoButton;
  friend class TDropDownForm;
};

class TNeoDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoDropDown, TNeoCustomDropDown)
public:
  explicit TNeoDropDown(TComponent* AOwner);
};

// Publishes the properties of TNeoDropDown with their stored defaults (once).
void RegisterNeoDropDownRtti();
