#pragma once
// TStrings (the abstract list of strings with objects) and TStringList.
//
// Comparisons: a list compares its strings by code unit, folding case unless CaseSensitive is set
// (CaseSensitive is false by default). Case folding maps each UTF-16 unit through the runtime's
// CharUpper before comparing, so sorting and Find agree with IndexOf and never depend on a locale;
// the order of letters is thus the order of their upper-case code points ("a" = "A" < "B" < "_").
#include <functional>
#include <vector>

#include "platform/rtl/Classes.h"

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings;
class TStringList;

class TStrings : public TPersistent {
  ZELK_CLASS(TStrings, TPersistent)
public:
  TStrings() = default;

  // ---- the abstract core
  virtual Integer GetCount() const = 0;
  virtual void Clear() = 0;
  virtual void Delete(Integer Index) = 0;
  virtual void Insert(Integer Index, const String& S) = 0;

  // ---- strings and objects
  virtual Integer Add(const String& S);
  virtual Integer AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void InsertObject(Integer Index, const String& S, TObject* AObject);
  virtual void AddStrings(TStrings* Strings);
  void AddStrings(std::initializer_list<String> Strings);
  // Copies strings and objects (and the delimiter settings) of another TStrings.
  void Assign(TPersistent* Source) override;
  void SetStrings(TStrings* Source);   // replaces strings and objects only
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  bool Equals(TStrings* Strings) const;

  String GetStrings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const String& S) { Put(Index, S); }
  String operator[](Integer Index) const { return Get(Index); }
  TObject* GetObjects(Integer Index) const { return GetObject(Index); }
  void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

  // ---- lookups (CompareStrings decides equality)
  virtual Integer IndexOf(const String& S) const;
  Integer IndexOfName(const String& Name) const;
  Integer IndexOfObject(TObject* AObject) const;

  // ---- name=value pairs (NameValueSeparator, '=' by default)
  String GetNames(Integer Index) const;             // "" for an entry without separator
  String GetKeyNames(Integer Index) const { return GetNames(Index); }
  String GetValues(const String& Name) const;       // "" when the name is absent
  // Replaces the value; an empty value removes the entry; a new name is added.
  void SetValues(const String& Name, const String& Value);
  String GetValueFromIndex(Integer Index) const;    // the text after the first separator
  void SetValueFromIndex(Integer Index, const String& Value);
  Char GetNameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(Char Value) { FNameValueSeparator = Value; }

  // ---- whole-list text
  // Every string followed by LineBreak (CR LF by default; no trailing one when TrailingLineBreak
  // is false). The setter splits at CR, LF and CR LF.
  virtual String GetText() const;
  virtual void SetText(StringView Value);
  // DelimitedText with ',' and '"', not strict: blanks separate too.
  String GetCommaText() const;
  void SetCommaText(StringView Value);
  // Entries joined by Delimiter; an entry holding the delimiter, the quote character or (unless
  // StrictDelimiter) a character <= ' ' is quoted, doubling inner quotes, and so is an empty entry
  // when the delimiter is a blank and not StrictDelimiter; a list of one empty string is two
  // quote characters. The setter splits at Delimiter, honours quotes and, unless
  // StrictDelimiter, also at blanks and control characters.
  String GetDelimitedText() const;
  void SetDelimitedText(StringView Value);
  Char GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(Char Value) { FDelimiter = Value; }
  Char GetQuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(Char Value) { FQuoteChar = Value; }
  bool GetStrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
  const String& GetLineBreak() const { return FLineBreak; }
  void SetLineBreak(const String& Value) { FLineBreak = Value; }
  bool GetTrailingLineBreak() const { return FTrailingLineBreak; }
  void SetTrailingLineBreak(bool Value) { FTrailingLineBreak = Value; }
  std::vector<String> ToStringArray() const;

  // ---- files and streams
  // Loading reads the rest of the stream; its BOM decides the encoding (UTF-8, UTF-16LE/BE), else
  // Encoding when given, else DefaultEncoding (ANSI). The encoding found is kept for saving.
  void LoadFromFile(const String& FileName, TEncoding* Encoding = nullptr);
  virtual void LoadFromStream(TStream* Stream, TEncoding* Encoding = nullptr);
  // Saving writes Text in Encoding, else the encoding of the last load, else DefaultEncoding,
  // preceded by the encoding's preamble (BOM) when WriteBOM is set.
  void SaveToFile(const String& FileName, TEncoding* Encoding = nullptr);
  virtual void SaveToStream(TStream* Stream, TEncoding* Encoding = nullptr);
  TEncoding* GetEncoding() const { return FEncoding; }
  TEncoding* GetDefaultEncoding() const { return FDefaultEncoding; }
  void SetDefaultEncoding(TEncoding* Value);
  bool GetWriteBOM() const { return FWriteBOM; }
  void SetWriteBOM(bool Value) { FWriteBOM = Value; }

  // ---- updates: OnChanging/OnChange fire once around a batch
  void BeginUpdate();
  void EndUpdate();
  Integer GetUpdateCount() const { return FUpdateCount; }

  // Iteration over the strings: for (const String& S : List).
  class iterator {
    const TStrings* FList;
    Integer FIndex;

  public:
    iterator(const TStrings* L, Integer I) : FList(L), FIndex(I) {}
    String operator*() const { return FList->Get(FIndex); }
    iterator& operator++() {
      ++FIndex;
      return *this;
    }
    bool operator==(const iterator& o) const { return FIndex == o.FIndex; }
  };
  iterator begin() const { return iterator(this, 0); }
  iterator end() const { return iterator(this, GetCount()); }

protected:
  virtual String Get(Integer Index) const = 0;
  // The string at Index without copying when the list can (Scratch holds a copy otherwise).
  virtual StringView GetView(Integer Index, String& Scratch) const {
    Scratch = Get(Index);
    return Scratch;
  }
  virtual void Put(Integer Index, const String& S);
  virtual TObject* GetObject(Integer Index) const { (void)Index; return nullptr; }
  virtual void PutObject(Integer Index, TObject* AObject) { (void)Index; (void)AObject; }
  // < 0, 0, > 0; case-insensitive here, TStringList honours CaseSensitive.
  virtual Integer CompareStrings(StringView S1, StringView S2) const;
  // Called when the first BeginUpdate opens (true) and the last EndUpdate closes (false).
  virtual void SetUpdateState(bool Updating) { (void)Updating; }
  [[noreturn]] void Error(const String& Msg, Integer Data) const;   // EStringListError
  void AssignDelimiters(const TStrings& Source);
  String JoinDelimited(Char Delimiter, Char QuoteChar, bool Strict) const;
  void SplitDelimited(StringView Value, Char Delimiter, Char QuoteChar, bool Strict);

private:
  Char FDelimiter = u',';
  Char FQuoteChar = u'"';
  Char FNameValueSeparator = u'=';
  bool FStrictDelimiter = false;
  bool FTrailingLineBreak = true;
  bool FWriteBOM = true;
  String FLineBreak = u"\r\n";
  TEncoding* FEncoding = nullptr;
  TEncoding* FDefaultEncoding = TEncoding::Default();
  Integer FUpdateCount = 0;
};

using TStringListSortCompare = std::function<Integer(TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
  ZELK_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;   // frees the objects only when OwnsObjects

  Integer GetCount() const override { return static_cast<Integer>(FList.size()); }
  void Clear() override;
  void Delete(Integer Index) override;
  // EStringListError "Operation not allowed on sorted list" when Sorted.
  void Insert(Integer Index, const String& S) override;
  void InsertObject(Integer Index, const String& S, TObject* AObject) override;
  // Sorted: placed by binary search; Duplicates decides what an equal string does (dupIgnore:
  // nothing, returns the existing index; dupError: EStringListError "Duplicates not allowed").
  Integer Add(const String& S) override;
  Integer AddObject(const String& S, TObject* AObject) override;
  void Exchange(Integer Index1, Integer Index2) override;
  void Move(Integer CurIndex, Integer NewIndex) override;
  Integer IndexOf(const String& S) const override;   // binary search when Sorted
  void Assign(TPersistent* Source) override;
  void AddStrings(TStrings* Strings) override;
  using TStrings::AddStrings;

  // Binary search (the list must be sorted): true when found; Index is the first equal entry
  // under dupAccept, else an equal one, or the insertion point when none is equal.
  virtual bool Find(const String& S, Integer& Index) const;
  // O(n log n) sort by CompareStrings.
  virtual void Sort();
  // Sorts with a compare function of two indexes (< 0, 0, > 0). Not stable.
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);   // setting true sorts
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);   // re-sorts a sorted list
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
  Integer GetCapacity() const { return static_cast<Integer>(FList.capacity()); }
  void SetCapacity(Integer Value);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  String Get(Integer Index) const override;
  StringView GetView(Integer Index, String& Scratch) const override;
  void Put(Integer Index, const String& S) override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  Integer CompareStrings(StringView S1, StringView S2) const override;
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(Integer Index, const String& S, TObject* AObject);

private:
  struct TStringItem {
    String FString;
    TObject* FObject;
  };
  struct TSortKey;
  void CheckIndex(Integer Index) const;
  void SortItems();
  void FreeObject(TObject* AObject);

  std::vector<TStringItem> FList;
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
};
