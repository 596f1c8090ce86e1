// The file dialog form behind TOpenDialog and TSaveDialog.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/ui/Dialogs.h"

namespace fs = std::filesystem;

namespace {

fs::path ToPath(const String& S) { return fs::path(UTF8Encode(S)); }
String FromPath(const fs::path& P) { return UTF8ToString(P.string()); }

bool IsDir(const fs::path& P) {
  std::error_code ec;
  return fs::is_directory(P, ec);
}
bool Exists(const fs::path& P) {
  std::error_code ec;
  return fs::exists(P, ec);
}

// "*" any run, "?" one character; without regard to case.
bool MatchesMask(StringView Name, StringView Mask) {
  std::size_t n = 0, m = 0, starM = String::npos, starN = 0;
  while (n < Name.size()) {
    if (m < Mask.size() && (Mask[m] == u'?' || CharUpper(Mask[m]) == CharUpper(Name[n]))) {
      ++n;
      ++m;
    } else if (m < Mask.size() && Mask[m] == u'*') {
      starM = m++;
      starN = n;
    } else if (starM != String::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == u'*') ++m;
  return m == Mask.size();
}

// A name matches a mask list "*.ib;*.gdb" when it matches one of its patterns.
bool MatchesMasks(StringView Name, StringView Masks) {
  std::size_t start = 0;
  while (start <= Masks.size()) {
    std::size_t end = Masks.find(u';', start);
    if (end == StringView::npos) end = Masks.size();
    String mask = Trim(Masks.substr(start, end - start));
    if (!mask.empty() && (mask == u"*.*" ? true : MatchesMask(Name, mask))) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

class TFileDialogForm : public TForm {
  ZELK_CLASS(TFileDialogForm, TForm)
public:
  TFileDialogForm(TOpenDialog* ADialog) : TForm(nullptr), FDialog(ADialog) {
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    GetFont()->SetName(u"Tahoma");
    GetFont()->SetHeight(-12);
    bool save = ADialog->IsSaveDialog();
    String title = ADialog->GetTitle();
    SetCaption(title.empty() ? String(save ? u"Save As" : u"Open") : title);
    SetClientWidth(460);
    SetClientHeight(320);

    auto label = [this](const Char* Caption, Integer X, Integer Y, TWinControl* Focus) {
      auto* l = new TLabel(this);
      l->SetParent(this);
      l->SetCaption(Caption);
      l->SetLeft(X);
      l->SetTop(Y);
      l->SetFocusControl(Focus);
      return l;
    };
    PathEdit = new TEdit(this);
    PathEdit->SetName(u"PathEdit");
    PathEdit->SetParent(this);
    PathEdit->SetBounds(80, 10, 290, 22);
    PathEdit->SetAnchors(TAnchors{akLeft, akTop, akRight});
    label(u"&Look in:", 10, 14, PathEdit);
    UpButton = new TButton(this);
    UpButton->SetName(u"UpButton");
    UpButton->SetParent(this);
    UpButton->SetCaption(u"&Up");
    UpButton->SetBounds(378, 9, 72, 24);
    UpButton->SetAnchors(TAnchors{akTop, akRight});
    UpButton->OnClick = [this](TObject*) { Navigate(FFolder.parent_path()); };

    FileList = new TListBox(this);
    FileList->SetName(u"FileList");
    FileList->SetParent(this);
    FileList->SetBounds(10, 42, 440, 186);
    FileList->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
    FileList->SetMultiSelect(ADialog->GetOptions().Contains(ofAllowMultiSelect));
    FileList->OnClick = [this](TObject*) { ListClicked(); };
    FileList->OnDblClick = [this](TObject*) { ListDoubleClicked(); };

    NameEdit = new TEdit(this);
    NameEdit->SetName(u"NameEdit");
    NameEdit->SetParent(this);
    NameEdit->SetBounds(100, 238, 260, 22);
    NameEdit->SetAnchors(TAnchors{akLeft, akRight, akBottom});
    label(u"File &name:", 10, 242, NameEdit)->SetAnchors(TAnchors{akLeft, akBottom});
    TypeCombo = new TComboBox(this);
    TypeCombo->SetName(u"TypeCombo");
    TypeCombo->SetParent(this);
    TypeCombo->SetStyle(csDropDownList);
    TypeCombo->SetBounds(100, 270, 260, 22);
    TypeCombo->SetAnchors(TAnchors{akLeft, akRight, akBottom});
    label(u"Files of &type:", 10, 274, TypeCombo)->SetAnchors(TAnchors{akLeft, akBottom});
    TypeCombo->OnChange = [this](TObject*) {
      FTypedMask.clear();
      Refresh();
    };

    OkButton = new TButton(this);
    OkButton->SetName(u"OkButton");
    OkButton->SetParent(this);
    OkButton->SetCaption(save ? u"&Save" : u"&Open");
    OkButton->SetDefault(true);
    OkButton->SetBounds(375, 237, 75, 25);
    OkButton->SetAnchors(TAnchors{akRight, akBottom});
    OkButton->OnClick = [this](TObject*) { Confirm(); };
    CancelButton = new TButton(this);
    CancelButton->SetName(u"CancelButton");
    CancelButton->SetParent(this);
    CancelButton->SetCaption(u"Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetBounds(375, 269, 75, 25);
    CancelButton->SetAnchors(TAnchors{akRight, akBottom});

    // Tab order: name, type, buttons, list, path.
    NameEdit->SetTabOrder(0);
    TypeCombo->SetTabOrder(1);
    OkButton->SetTabOrder(2);
    CancelButton->SetTabOrder(3);
    FileList->SetTabOrder(4);
    PathEdit->SetTabOrder(5);
    UpButton->SetTabOrder(6);

    ParseFilter();
    for (auto& f : FFilters) TypeCombo->GetItems()->Add(f.first);
    if (!FFilters.empty())
      TypeCombo->SetItemIndex(std::clamp(ADialog->GetFilterIndex(), 1, static_cast<Integer>(FFilters.size())) - 1);

    fs::path start;
    String initial = ADialog->GetInitialDir();
    fs::path given = ToPath(ADialog->GetFileName());
    if (!initial.empty() && IsDir(ToPath(initial))) start = ToPath(initial);
    else if (given.has_parent_path() && IsDir(given.parent_path())) start = given.parent_path();
    else {
      std::error_code ec;
      start = fs::current_path(ec);
    }
    NameEdit->SetText(FromPath(given.filename()));
    Navigate(start);
    SetActiveControl(NameEdit);
  }

  TEdit* PathEdit;
  TButton* UpButton;
  TListBox* FileList;
  TEdit* NameEdit;
  TComboBox* TypeCombo;
  TButton* OkButton;
  TButton* CancelButton;

private:
  void ParseFilter() {
    const String& filter = FDialog->GetFilter();
    std::vector<String> parts;
    std::size_t start = 0;
    while (start <= filter.size() && !filter.empty()) {
      std::size_t end = filter.find(u'|', start);
      if (end == String::npos) end = filter.size();
      parts.push_back(filter.substr(start, end - start));
      start = end + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) FFilters.emplace_back(parts[i], parts[i + 1]);
    if (parts.size() % 2 == 1 && !parts.back().empty()) FFilters.emplace_back(parts.back(), parts.back());
  }

  String CurrentMasks() const {
    if (!FTypedMask.empty()) return FTypedMask;
    Integer i = TypeCombo->GetItemIndex();
    if (i >= 0 && i < static_cast<Integer>(FFilters.size())) return FFilters[static_cast<std::size_t>(i)].second;
    return u"*";
  }

  void Navigate(const fs::path& Folder) {
    if (Folder.empty() || !IsDir(Folder)) return;
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(Folder, ec);
    FFolder = ec ? Folder : canonical;
    PathEdit->SetText(FromPath(FFolder));
    Refresh();
  }

  void Refresh() {
    bool hidden = FDialog->GetOptions().Contains(ofForceShowHidden);
    std::vector<String> dirs, files;
    std::error_code ec;
    String masks = CurrentMasks();
    for (fs::directory_iterator it(FFolder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
      String name = FromPath(it->path().filename());
      if (!hidden && !name.empty() && name[0] == u'.') continue;
      std::error_code tec;
      if (it->is_directory(tec)) dirs.push_back(name);
      else if (MatchesMasks(name, masks)) files.push_back(name);
    }
    auto byName = [](const String& A, const String& B) { return AnsiCompareText(A, B) < 0; };
    std::sort(dirs.begin(), dirs.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    FEntries.clear();
    TStrings* items = FileList->GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const String& d : dirs) {
      items->Add(d + u"/");
      FEntries.push_back({d, true});
    }
    for (const String& f : files) {
      items->Add(f);
      FEntries.push_back({f, false});
    }
    items->EndUpdate();
  }

  const std::pair<String, bool>* Selected() const {
    Integer i = FileList->GetItemIndex();
    if (i < 0 || i >= static_cast<Integer>(FEntries.size())) return nullptr;
    return &FEntries[static_cast<std::size_t>(i)];
  }

  void ListClicked() {
    if (FileList->GetMultiSelect()) {
      String names;
      Integer n = 0;
      for (std::size_t i = 0; i < FEntries.size(); ++i)
        if (!FEntries[i].second && FileList->GetSelected(static_cast<Integer>(i))) {
          names += (names.empty() ? u"\"" : u" \"") + FEntries[i].first + u"\"";
          ++n;
        }
      if (n == 1) names = names.substr(1, names.size() - 2);
      if (n > 0) NameEdit->SetText(names);
      return;
    }
    if (auto* e = Selected(); e && !e->second) NameEdit->SetText(e->first);
  }

  void ListDoubleClicked() {
    auto* e = Selected();
    if (!e) return;
    if (e->second) Navigate(FFolder / ToPath(e->first));
    else Confirm();
  }

  // Names in the edit: one name, or several in quotes with ofAllowMultiSelect.
  std::vector<String> TypedNames() const {
    String text = Trim(NameEdit->GetText());
    std::vector<String> names;
    if (FDialog->GetOptions().Contains(ofAllowMultiSelect) && !text.empty() && text[0] == u'"') {
      std::size_t i = 0;
      while ((i = text.find(u'"', i)) != String::npos) {
        std::size_t end = text.find(u'"', i + 1);
        if (end == String::npos) break;
        names.push_back(text.substr(i + 1, end - i - 1));
        i = end + 1;
      }
    } else if (!text.empty()) {
      names.push_back(text);
    }
    return names;
  }

  void Confirm() {
    // Enter in the list or on the path edit navigates.
    if (GetActiveControl() == FileList) {
      if (auto* e = Selected(); e && e->second) {
        Navigate(FFolder / ToPath(e->first));
        return;
      }
    }
    if (GetActiveControl() == PathEdit) {
      fs::path typed = ToPath(Trim(PathEdit->GetText()));
      if (IsDir(typed)) {
        Navigate(typed);
        return;
      }
      if (typed.has_parent_path() && IsDir(typed.parent_path())) {
        Navigate(typed.parent_path());
        NameEdit->SetText(FromPath(typed.filename()));
      } else {
        MessageDlg(Trim(PathEdit->GetText()) + u"\nPath does not exist.\nCheck the path and try again.", mtWarning,
                   TMsgDlgButtons{mbOK});
        return;
      }
    }
    std::vector<String> names = TypedNames();
    if (names.empty()) {
      if (auto* e = Selected(); e && e->second) Navigate(FFolder / ToPath(e->first));
      return;
    }
    if (names.size() == 1) {
      const String& name = names[0];
      fs::path path = ToPath(name).is_absolute() ? ToPath(name) : FFolder / ToPath(name);
      if (IsDir(path)) {
        Navigate(path);
        NameEdit->SetText(String());
        return;
      }
      if (name.find_first_of(u"*?") != String::npos) {
        FTypedMask = FromPath(path.filename());
        if (path.has_parent_path() && path.parent_path() != FFolder) Navigate(path.parent_path());
        else Refresh();
        NameEdit->SetText(String());
        return;
      }
    }
    TOpenOptions options = FDialog->GetOptions();
    String ext = FDialog->GetDefaultExt();
    if (!ext.empty() && ext[0] == u'.') ext.erase(0, 1);
    std::vector<String> chosen;
    for (const String& name : names) {
      fs::path path = ToPath(name).is_absolute() ? ToPath(name) : FFolder / ToPath(name);
      if (!path.has_extension() && !ext.empty()) path += "." + UTF8Encode(ext);
      String full = FromPath(path);
      if ((options.Contains(ofPathMustExist) || options.Contains(ofFileMustExist)) && !IsDir(path.parent_path())) {
        MessageDlg(full + u"\nPath does not exist.\nCheck the path and try again.", mtWarning, TMsgDlgButtons{mbOK});
        return;
      }
      if (!FDialog->IsSaveDialog() && options.Contains(ofFileMustExist) && !Exists(path)) {
        MessageDlg(full + u"\nFile not found.\nCheck the file name and try again.", mtWarning, TMsgDlgButtons{mbOK});
        return;
      }
      if (FDialog->IsSaveDialog() && options.Contains(ofOverwritePrompt) && Exists(path) &&
          MessageDlg(full + u" already exists.\nDo you want to replace it?", mtWarning, mbYesNo) != mrYes)
        return;
      chosen.push_back(full);
    }
    FChosen = chosen;
    SetModalResult(mrOk);
  }

public:
  std::vector<String> FChosen;

private:
  TOpenDialog* FDialog;
  fs::path FFolder;
  std::vector<std::pair<String, String>> FFilters;
  std::vector<std::pair<String, bool>> FEntries;   // name, is a folder
  String FTypedMask;
};

// ---------------------------------------------------------------------------------------------
// TOpenDialog

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
  std::unique_ptr<TFileDialogForm> form(new TFileDialogForm(this));
  if (OnShow) OnShow(this);
  Integer result = form->ShowModal();
  if (OnClose) OnClose(this);
  if (result != mrOk || form->FChosen.empty()) return false;
  FFiles->Clear();
  for (const String& f : form->FChosen) FFiles->Add(f);
  FFileName = form->FChosen.front();
  FFilterIndex = form->TypeCombo->GetItemIndex() + 1;
  if (FFilterIndex < 1) FFilterIndex = 1;
  return true;
}
