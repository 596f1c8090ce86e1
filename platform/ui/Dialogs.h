#pragma once
// Message boxes and file dialogs, all modal forms built from the class library's own controls.
// A test sees each modal form as it opens through SetDialogObserver (Forms.h); the modal loop
// runs for real, so the test answers with input through the message queue.
#include <memory>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

// ---------------------------------------------------------------------------------------------
// Message dialogs
// ---------------------------------------------------------------------------------------------
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button gives.
TModalResult ModalResultOf(TMsgDlgBtn Button);
// A message form: icon, text and a row of buttons (the first of Buttons, or DefaultButton, is
// the default button; Cancel, No or OK answers Esc). The caller frees it.
TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                           TMsgDlgBtn DefaultButton);
TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// Shows the message modally and answers the modal result of the button pressed (mrCancel when
// the box is closed otherwise).
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx = 0);
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx,
                   TMsgDlgBtn DefaultButton);
// A box captioned with the application's title and an OK button.
void ShowMessage(const String& Msg);

// ---------------------------------------------------------------------------------------------
// File dialogs
// ---------------------------------------------------------------------------------------------
enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
  ZELK_CLASS(TCommonDialog, TComponent)
public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog modally; true when the user confirmed.
  virtual bool Execute() = 0;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
};

class TFileDialogForm;

// A file dialog: a folder's sub-folders and the files matching the chosen filter, the parent
// folder button, a path edit and a file name edit. Double click or Enter on a folder enters it.
class TOpenDialog : public TCommonDialog {
  ZELK_CLASS(TOpenDialog, TCommonDialog)
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  bool Execute() override;

  // Without its dot or with it (".ib" and "ib" are the same); appended to a typed name that has
  // no extension.
  const String& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
  // The chosen file as a full path after a confirmed Execute; a given name preselects the file.
  const String& GetFileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // The chosen files (several with ofAllowMultiSelect).
  TStrings* GetFiles() const { return FFiles.get(); }
  // "name|mask" pairs joined with "|"; a mask may list several patterns separated by ";" and
  // matches names without regard to case.
  const String& GetFilter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  // 1-based index of the filter shown first, and the one chosen after Execute.
  Integer GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
  const String& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }

protected:
  virtual bool IsSaveDialog() const { return false; }
  friend class TFileDialogForm;

private:
  String FDefaultExt;
  String FFileName;
  std::unique_ptr<TStringList> FFiles;
  String FFilter;
  Integer FFilterIndex = 1;
  String FInitialDir;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
  String FTitle;
};

class TSaveDialog : public TOpenDialog {
  ZELK_CLASS(TSaveDialog, TOpenDialog)
public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
  bool IsSaveDialog() const override { return true; }
};
