#include "platform/rtl/StringLists.h"
#include "platform/rtl/RtlInternal.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr const Char* SListIndexError = u"List index out of bounds (%d)";
constexpr const Char* SSortedListError = u"Operation not allowed on sorted list";
constexpr const Char* SDuplicateString = u"Duplicates not allowed";

inline Char FoldUnit(Char c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? Char(c - 32) : c;
  return CharUpper(c);
}

// Ordinal comparison of the upper-cased code units.
Integer CompareFolded(StringView a, StringView b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    Char x = a[i], y = b[i];
    if (x != y) {
      x = FoldUnit(x);
      y = FoldUnit(y);
      if (x != y) return x < y ? -1 : 1;
    }
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

Integer CompareOrdinal(StringView a, StringView b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool IsBlank(Char c) { return c >= 1 && c <= u' '; }

}  // namespace

// =============================================================================================
// TStrings
// =============================================================================================
void TStrings::Error(const String& Msg, Integer Data) const { throw EStringListError(Format(Msg, {Data})); }

Integer TStrings::CompareStrings(StringView S1, StringView S2) const { return CompareFolded(S1, S2); }

Integer TStrings::Add(const String& S) {
  const Integer index = GetCount();
  Insert(index, S);
  return index;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
  const Integer index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Put(Integer Index, const String& S) {
  TObject* obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
}

void TStrings::AddStrings(TStrings* Strings) {
  WithUpdate(*this, [&] {
    String scratch;
    const Integer n = Strings->GetCount();
    for (Integer i = 0; i < n; ++i) AddObject(String(Strings->GetView(i, scratch)), Strings->GetObject(i));
  });
}

void TStrings::AddStrings(std::initializer_list<String> Strings) {
  WithUpdate(*this, [&] {
    for (const String& s : Strings) Add(s);
  });
}

void TStrings::AssignDelimiters(const TStrings& Source) {
  FDelimiter = Source.FDelimiter;
  FQuoteChar = Source.FQuoteChar;
  FNameValueSeparator = Source.FNameValueSeparator;
  FStrictDelimiter = Source.FStrictDelimiter;
  FTrailingLineBreak = Source.FTrailingLineBreak;
  FLineBreak = Source.FLineBreak;
  FWriteBOM = Source.FWriteBOM;
  FDefaultEncoding = Source.FDefaultEncoding;
}

void TStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  WithUpdate(*this, [&] {
    Clear();
    AssignDelimiters(*source);
    AddStrings(source);
  });
}

void TStrings::SetStrings(TStrings* Source) {
  if (Source == this) return;
  WithUpdate(*this, [&] {
    Clear();
    AddStrings(Source);
  });
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  WithUpdate(*this, [&] {
    String s1 = Get(Index1), s2 = Get(Index2);
    TObject* o1 = GetObject(Index1);
    TObject* o2 = GetObject(Index2);
    Put(Index1, s2);
    PutObject(Index1, o2);
    Put(Index2, s1);
    PutObject(Index2, o1);
  });
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  WithUpdate(*this, [&] {
    String s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    PutObject(CurIndex, nullptr);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  });
}

bool TStrings::Equals(TStrings* Strings) const {
  const Integer n = GetCount();
  if (n != Strings->GetCount()) return false;
  String a, b;
  for (Integer i = 0; i < n; ++i)
    if (GetView(i, a) != Strings->GetView(i, b)) return false;
  return true;
}

Integer TStrings::IndexOf(const String& S) const {
  String scratch;
  const Integer n = GetCount();
  for (Integer i = 0; i < n; ++i)
    if (CompareStrings(GetView(i, scratch), S) == 0) return i;
  return -1;
}

Integer TStrings::IndexOfName(const String& Name) const {
  String scratch;
  const Integer n = GetCount();
  for (Integer i = 0; i < n; ++i) {
    StringView s = GetView(i, scratch);
    const std::size_t p = s.find(FNameValueSeparator);
    if (p != StringView::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfObject(TObject* AObject) const {
  const Integer n = GetCount();
  for (Integer i = 0; i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

String TStrings::GetNames(Integer Index) const {
  String s = Get(Index);
  const std::size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::GetValues(const String& Name) const {
  const Integer i = IndexOfName(Name);
  return i < 0 ? String() : GetValueFromIndex(i);
}

void TStrings::SetValues(const String& Name, const String& Value) {
  Integer i = IndexOfName(Name);
  if (!Value.empty()) {
    String entry = Name + FNameValueSeparator + Value;
    if (i < 0) Add(entry);
    else Put(i, entry);
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::GetValueFromIndex(Integer Index) const {
  if (Index < 0) return String();
  String s = Get(Index);
  const std::size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(Integer Index, const String& Value) {
  if (!Value.empty()) {
    if (Index < 0) Index = Add(String());
    Put(Index, GetNames(Index) + FNameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

std::vector<String> TStrings::ToStringArray() const {
  std::vector<String> out;
  out.reserve(GetCount());
  for (Integer i = 0; i < GetCount(); ++i) out.push_back(Get(i));
  return out;
}

// ---- text

String TStrings::GetText() const {
  const Integer n = GetCount();
  String scratch;
  std::size_t size = 0;
  for (Integer i = 0; i < n; ++i) size += GetView(i, scratch).size() + FLineBreak.size();
  String result;
  result.reserve(size);
  for (Integer i = 0; i < n; ++i) {
    result += GetView(i, scratch);
    if (FTrailingLineBreak || i + 1 < n) result += FLineBreak;
  }
  return result;
}

void TStrings::SetText(StringView Value) {
  WithUpdate(*this, [&] {
    Clear();
    const bool standardBreak = FLineBreak.empty() || FLineBreak == u"\r\n" || FLineBreak == u"\n" ||
                               FLineBreak == u"\r";
    const std::size_t n = Value.size();
    std::size_t p = 0;
    while (p < n) {
      std::size_t start = p, next;
      if (standardBreak) {
        while (p < n && Value[p] != u'\r' && Value[p] != u'\n') ++p;
        next = p;
        if (next < n && Value[next] == u'\r') ++next;
        if (next < n && Value[next] == u'\n' && (next == p || Value[p] == u'\r')) ++next;
      } else {
        p = Value.find(FLineBreak, start);
        if (p == StringView::npos) p = n;
        next = p < n ? p + FLineBreak.size() : n;
      }
      Add(String(Value.substr(start, p - start)));
      p = next;
    }
  });
}

String TStrings::GetCommaText() const { return JoinDelimited(u',', u'"', false); }

void TStrings::SetCommaText(StringView Value) { SplitDelimited(Value, u',', u'"', false); }

String TStrings::GetDelimitedText() const { return JoinDelimited(FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStrings::SetDelimitedText(StringView Value) { SplitDelimited(Value, FDelimiter, FQuoteChar, FStrictDelimiter); }

String TStrings::JoinDelimited(Char Delimiter, Char QuoteChar, bool Strict) const {
  const Integer n = GetCount();
  String scratch;
  if (n == 1 && GetView(0, scratch).empty()) return String(2, QuoteChar);
  // Reading skips blanks around a blank delimiter when not strict: an empty entry between two
  // such delimiters would vanish unless quoted.
  const bool quoteEmpty = !Strict && IsBlank(Delimiter);
  String result;
  for (Integer i = 0; i < n; ++i) {
    StringView s = GetView(i, scratch);
    const bool quote = (s.empty() && quoteEmpty) || std::any_of(s.begin(), s.end(), [&](Char c) {
                         return c == QuoteChar || c == Delimiter || c == 0 || (!Strict && c <= u' ');
                       });
    if (quote) result += AnsiQuotedStr(s, QuoteChar);
    else result += s;
    if (i + 1 < n) result += Delimiter;
  }
  return result;
}

void TStrings::SplitDelimited(StringView Value, Char Delimiter, Char QuoteChar, bool Strict) {
  WithUpdate(*this, [&] {
    Clear();
    const std::size_t n = Value.size();
    std::size_t p = 0;
    auto skipBlanks = [&] {
      if (!Strict)
        while (p < n && IsBlank(Value[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
      String s;
      if (Value[p] == QuoteChar) {
        // Quoted: doubled quotes stand for one; an unterminated quote runs to the end.
        ++p;
        while (p < n) {
          if (Value[p] == QuoteChar) {
            if (p + 1 < n && Value[p + 1] == QuoteChar) {
              s += QuoteChar;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s += Value[p++];
        }
      } else {
        const std::size_t start = p;
        while (p < n && Value[p] != Delimiter && (Strict || !IsBlank(Value[p]))) ++p;
        s.assign(Value.substr(start, p - start));
      }
      Add(s);
      skipBlanks();
      if (p < n && Value[p] == Delimiter) {
        if (p + 1 == n) Add(String());   // a trailing delimiter ends with an empty entry
        ++p;
        skipBlanks();
      }
    }
  });
}

// ---- files and streams

void TStrings::SetDefaultEncoding(TEncoding* Value) { FDefaultEncoding = Value ? Value : TEncoding::Default(); }

void TStrings::LoadFromFile(const String& FileName, TEncoding* Encoding) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream, Encoding);
}

void TStrings::LoadFromStream(TStream* Stream, TEncoding* Encoding) {
  WithUpdate(*this, [&] {
    const Int64 size = Stream->GetSize() - Stream->GetPosition();
    TBytes buffer(static_cast<std::size_t>(std::max<Int64>(size, 0)));
    if (!buffer.empty()) Stream->ReadBuffer(buffer.data(), static_cast<Int64>(buffer.size()));
    const Integer bom = TEncoding::GetBufferEncoding(buffer, Encoding, FDefaultEncoding);
    FWriteBOM = bom > 0;
    FEncoding = Encoding;
    SetText(Encoding->GetString(buffer.data() + bom, buffer.size() - bom));
  });
}

void TStrings::SaveToFile(const String& FileName, TEncoding* Encoding) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream, Encoding);
}

void TStrings::SaveToStream(TStream* Stream, TEncoding* Encoding) {
  if (!Encoding) Encoding = FEncoding ? FEncoding : FDefaultEncoding;
  const TBytes bytes = Encoding->GetBytes(GetText());
  if (FWriteBOM) {
    const TBytes preamble = Encoding->GetPreamble();
    if (!preamble.empty()) Stream->WriteBuffer(preamble.data(), static_cast<Int64>(preamble.size()));
  }
  if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

// ---- updates

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

// =============================================================================================
// TStringList
// =============================================================================================
TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (auto& item : FList) delete item.FObject;
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
}

void TStringList::FreeObject(TObject* AObject) {
  if (FOwnsObjects) delete AObject;
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    if (OnChanging) OnChanging(this);
  } else if (OnChange) {
    OnChange(this);
  }
}

Integer TStringList::CompareStrings(StringView S1, StringView S2) const {
  return FCaseSensitive ? CompareOrdinal(S1, S2) : CompareFolded(S1, S2);
}

String TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[Index].FString;
}

StringView TStringList::GetView(Integer Index, String& Scratch) const {
  (void)Scratch;
  CheckIndex(Index);
  return FList[Index].FString;
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return FList[Index].FObject;
}

void TStringList::Put(Integer Index, const String& S) {
  if (FSorted) Error(SSortedListError, 0);
  CheckIndex(Index);
  Changing();
  FList[Index].FString = S;
  Changed();
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  TObject* old = FList[Index].FObject;
  FList[Index].FObject = AObject;
  if (old != AObject) FreeObject(old);
  Changed();
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

Integer TStringList::Add(const String& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const String& S, TObject* AObject) {
  Integer index;
  if (!FSorted) {
    index = GetCount();
  } else if (Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error(SDuplicateString, 0);
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Insert(Integer Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(Integer Index, const String& S, TObject* AObject) {
  if (FSorted) Error(SSortedListError, 0);
  if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FList[Index].FObject;
  FList.erase(FList.begin() + Index);
  FreeObject(obj);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> gone;
  gone.swap(FList);
  if (FOwnsObjects)
    for (auto& item : gone) delete item.FObject;
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[Index1], FList[Index2]);
  Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  if (FSorted) Error(SSortedListError, 0);
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  auto b = FList.begin();
  if (CurIndex < NewIndex) std::rotate(b + CurIndex, b + CurIndex + 1, b + NewIndex + 1);
  else std::rotate(b + NewIndex, b + CurIndex, b + CurIndex + 1);
  Changed();
}

bool TStringList::Find(const String& S, Integer& Index) const {
  Integer lo = 0, hi = GetCount() - 1;
  bool found = false;
  while (lo <= hi) {
    const Integer mid = lo + (hi - lo) / 2;
    const Integer c = CompareStrings(FList[mid].FString, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) lo = mid;   // any equal entry will do
      }
    }
  }
  Index = lo;
  return found;
}

Integer TStringList::IndexOf(const String& S) const {
  if (!FSorted) {
    const Integer n = GetCount();
    for (Integer i = 0; i < n; ++i)
      if (CompareStrings(FList[i].FString, S) == 0) return i;
    return -1;
  }
  Integer index;
  return Find(S, index) ? index : -1;
}

// Sort keys: the first eight (case-folded) code units packed big-endian, so that most comparisons
// are two integer comparisons and never touch the strings; equal prefixes fall back to the full
// comparison. Shorter strings pad with zero units, which keeps the prefix order consistent with
// CompareFolded/CompareOrdinal (a tie is decided by the full comparison).
struct TStringList::TSortKey {
  UInt64 Prefix[2];
  const Char* Text;
  std::uint32_t Length;
  std::uint32_t Index;
};

void TStringList::SortItems() {
  const std::size_t n = FList.size();
  std::vector<TSortKey> keys(n);
  for (std::size_t i = 0; i < n; ++i) {
    const String& s = FList[i].FString;
    TSortKey& k = keys[i];
    k.Prefix[0] = k.Prefix[1] = 0;
    const std::size_t m = std::min<std::size_t>(s.size(), 8);
    for (std::size_t j = 0; j < m; ++j) {
      const UInt64 unit = FCaseSensitive ? s[j] : FoldUnit(s[j]);
      k.Prefix[j / 4] |= unit << (48 - 16 * (j % 4));
    }
    k.Text = s.data();
    k.Length = static_cast<std::uint32_t>(s.size());
    k.Index = static_cast<std::uint32_t>(i);
  }
  const bool sensitive = FCaseSensitive;
  std::sort(keys.begin(), keys.end(), [sensitive](const TSortKey& a, const TSortKey& b) {
    if (a.Prefix[0] != b.Prefix[0]) return a.Prefix[0] < b.Prefix[0];
    if (a.Prefix[1] != b.Prefix[1]) return a.Prefix[1] < b.Prefix[1];
    const StringView x(a.Text, a.Length), y(b.Text, b.Length);
    return (sensitive ? CompareOrdinal(x, y) : CompareFolded(x, y)) < 0;
  });
  // Move every item once into its place.
  std::vector<TStringItem> sorted;
  sorted.reserve(n);
  for (const TSortKey& k : keys) sorted.push_back(std::move(FList[k.Index]));
  FList.swap(sorted);
}

void TStringList::Sort() {
  if (FList.size() < 2) return;
  Changing();
  SortItems();
  Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FSorted || FList.size() < 2) return;
  Changing();
  // Sort a permutation so that Compare sees the list unchanged, then apply it. Merge sort stays
  // in bounds even when Compare is inconsistent.
  std::vector<Integer> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (Integer i : order) sorted.push_back(std::move(FList[i]));
  FList.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

void TStringList::SetCapacity(Integer Value) {
  if (Value < GetCount()) Error(u"List capacity out of bounds (%d)", Value);
  FList.reserve(Value);
}

void TStringList::Assign(TPersistent* Source) {
  TStrings::Assign(Source);
  if (auto* source = dynamic_cast<TStringList*>(Source)) {
    FCaseSensitive = source->FCaseSensitive;
    FDuplicates = source->FDuplicates;
    FSorted = source->FSorted;
  }
}

void TStringList::AddStrings(TStrings* Strings) {
  if (!FSorted) FList.reserve(FList.size() + Strings->GetCount());
  TStrings::AddStrings(Strings);
}
