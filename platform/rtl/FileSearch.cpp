#include "platform/rtl/FileSearch.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "platform/rtl/SysUtils.h"

struct TFindState {
  std::string Folder;                // with a trailing '/'
  std::vector<std::string> Names;    // the matching names, "." and ".." first, then by upper case
  std::size_t Next = 0;
};

namespace {

String Slashed(const String& Path) {
  String s = Path;
  std::replace(s.begin(), s.end(), u'\\', u'/');
  return s;
}

// '*' any run, '?' one character; both strings already upper case.
bool Wild(StringView Name, StringView Mask) {
  std::size_t n = 0, m = 0, starM = StringView::npos, starN = 0;
  while (n < Name.size()) {
    if (m < Mask.size() && (Mask[m] == u'?' || Mask[m] == Name[n])) {
      ++n;
      ++m;
    } else if (m < Mask.size() && Mask[m] == u'*') {
      starM = m++;
      starN = n;
    } else if (starM != StringView::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == u'*') ++m;
  return m == Mask.size();
}

bool IsDots(const std::string& Name) { return Name == "." || Name == ".."; }

Integer PackedTime(const std::tm& T) {
  const auto date = static_cast<unsigned>(((T.tm_year - 80) << 9) | ((T.tm_mon + 1) << 5) | T.tm_mday);
  const auto time = static_cast<unsigned>((T.tm_hour << 11) | (T.tm_min << 5) | (T.tm_sec / 2));
  return static_cast<Integer>((date << 16) | time);
}

// Fills F from the entry Name of the search; false when it is gone or carries excluded attributes.
bool Describe(const TFindState& S, const std::string& Name, TSearchRec& F) {
  const std::string path = S.Folder + Name;
  struct stat st {};
  struct stat link {};
  if (lstat(path.c_str(), &link) != 0) return false;
  const bool isLink = S_ISLNK(link.st_mode);
  if (!isLink || stat(path.c_str(), &st) != 0) st = link;
  Integer attr = 0;
  if (S_ISDIR(st.st_mode)) attr |= faDirectory;
  else attr |= faArchive;
  if (isLink) attr |= faSymLink;
  if (!IsDots(Name) && Name[0] == '.') attr |= faHidden;
  if (!(st.st_mode & S_IWUSR)) attr |= faReadOnly;
  if (attr & F.ExcludeAttr) return false;
  F.Name = UTF8ToString(Name);
  F.Attr = attr;
  F.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<Int64>(st.st_size);
  std::tm local{};
  const std::time_t seconds = st.st_mtim.tv_sec;
  localtime_r(&seconds, &local);
  F.Time = PackedTime(local);
  TDateTime stamp = 0;
  TDateTime time = 0;
  if (TryEncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                    static_cast<Word>(local.tm_mday), stamp) &&
      TryEncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                    static_cast<Word>(std::min(local.tm_sec, 59)), 0, time))
    F.TimeStamp = stamp + time;
  return true;
}

}  // namespace

bool MatchesFileMask(const String& Name, const String& Mask) {
  const String name = AnsiUpperCase(Name);
  const String mask = AnsiUpperCase(Mask);
  if (mask == u"*.*" || Wild(name, mask)) return true;
  // "name.*" also stands for "name" without an extension.
  return mask.size() >= 2 && mask.ends_with(u".*") && name.find(u'.') == String::npos &&
         Wild(name, StringView(mask).substr(0, mask.size() - 2));
}

String ExtractFilePath(const String& FileName) {
  const std::size_t slash = FileName.find_last_of(u"/\\");
  return slash == String::npos ? String() : FileName.substr(0, slash + 1);
}

String ExtractFileName(const String& FileName) {
  const std::size_t slash = FileName.find_last_of(u"/\\");
  return slash == String::npos ? FileName : FileName.substr(slash + 1);
}

Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F) {
  FindClose(F);
  const String path = Slashed(Path);
  const String folder = ExtractFilePath(path);
  const String mask = ExtractFileName(path);
  auto state = std::make_shared<TFindState>();
  state->Folder = UTF8Encode(folder.empty() ? String(u"./") : folder);
  DIR* dir = opendir(state->Folder.c_str());
  if (!dir) return ERROR_PATH_NOT_FOUND;
  std::vector<std::pair<String, std::string>> found;   // (upper-case name, name)
  while (dirent* e = readdir(dir)) {
    const String name = UTF8ToString(e->d_name);
    if (!mask.empty() && MatchesFileMask(name, mask)) found.emplace_back(AnsiUpperCase(name), e->d_name);
  }
  closedir(dir);
  std::sort(found.begin(), found.end(), [](const auto& A, const auto& B) {
    const bool a = IsDots(A.second), b = IsDots(B.second);
    if (a != b) return a;
    return A.first != B.first ? A.first < B.first : A.second < B.second;
  });
  for (auto& f : found) state->Names.push_back(std::move(f.second));
  F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faDirectory);
  F.FindHandle = state;
  if (FindNext(F) == 0) return 0;
  FindClose(F);
  return ERROR_FILE_NOT_FOUND;
}

Integer FindNext(TSearchRec& F) {
  TFindState* s = F.FindHandle.get();
  if (!s) return ERROR_NO_MORE_FILES;
  while (s->Next < s->Names.size())
    if (Describe(*s, s->Names[s->Next++], F)) return 0;
  return ERROR_NO_MORE_FILES;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }
