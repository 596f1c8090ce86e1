// TNeoUtils: file dialogs and message boxes.
#include "lib/base/NeoUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"

namespace {

// The folder part of a path with its final "/" (empty without one), and the name after it.
String FolderOf(const String& Path) {
  const std::size_t slash = Path.rfind(u'/');
  return slash == String::npos ? String() : Path.substr(0, slash + 1);
}

String NameOf(const String& Path) {
  const std::size_t slash = Path.rfind(u'/');
  return slash == String::npos ? Path : Path.substr(slash + 1);
}

// The extension of the name part, dot included; empty when it has none.
String ExtensionOf(const String& Path) {
  const String name = NameOf(Path);
  const std::size_t dot = name.rfind(u'.');
  return dot == String::npos ? String() : name.substr(dot);
}

String InitialFolder(const String& Folder) {
  return TNeoUtils::AddForwardslash(Folder.empty() ? TNeoUtils::GetDocumentsPath() : Folder);
}

bool Finish(bool Result, const String& FileName, const TNeoUtilsFileCallBackEvent& Callback) {
  if (Callback) Callback(FileName, Result);
  return Result;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// File dialogs and messages

bool TNeoUtils::SaveFile(String& FileName, const String& Filter, const TNeoUtilsFileCallBackEvent& Callback) {
  std::unique_ptr<TSaveDialog> dialog(new TSaveDialog(Application));
  dialog->SetFilter(Filter);
  TOpenOptions options = dialog->GetOptions();
  options.Include(ofOverwritePrompt);
  dialog->SetOptions(options);
  dialog->SetInitialDir(InitialFolder(FolderOf(FileName)));
  dialog->SetFileName(NameOf(FileName));
  const bool result = dialog->Execute();
  if (result) {
    const String formerExtension = ExtensionOf(FileName);
    FileName = dialog->GetFileName();
    if (ExtensionOf(FileName).empty()) FileName += formerExtension;
  }
  return Finish(result, FileName, Callback);
}

bool TNeoUtils::SelectFile(String& FileName, const String& DefaultFolder, const TNeoUtilsFileCallBackEvent& Callback,
                           const String& Filter) {
  std::unique_ptr<TOpenDialog> dialog(new TOpenDialog(Application));
  dialog->SetFilter(Filter);
  TOpenOptions options = dialog->GetOptions();
  options.Include(ofFileMustExist);
  dialog->SetOptions(options);
  dialog->SetInitialDir(InitialFolder(DefaultFolder));
  const bool result = dialog->Execute();
  if (result) FileName = dialog->GetFileName();
  return Finish(result, FileName, Callback);
}

void TNeoUtils::Message(const String& Text) { Message(Text, mtInformation, 0, TMsgDlgButtons{mbOK}); }

Integer TNeoUtils::Message(const String& Text, TMsgDlgType DialogType, Integer HelpContext, TMsgDlgButtons Buttons) {
  return MessageDlg(Text, DialogType, Buttons, HelpContext);
}
