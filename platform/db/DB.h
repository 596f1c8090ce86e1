#pragma once
// Data-set vocabulary shared by the data-access components: field types, database errors, fields
// and field definitions of an open result set, and Locate's options.
#include <memory>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

class TIBQuery;
namespace IBClient {
class TIBStatement;
}

enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
  ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
  ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
  ftLargeint, ftADT, ftArray
};

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption>;

// Errors of data sets and fields (unknown field names, conversions a field cannot make).
ZELK_DECLARE_EXCEPTION(EDatabaseError, Exception)

// One column of an open result set, as declared.
class TFieldDef : public TObject {
public:
  TFieldDef(const String& AName, TFieldType ADataType, Integer ASize, Integer APrecision)
      : FName(AName), FDataType(ADataType), FSize(ASize), FPrecision(APrecision) {}
  const String& GetName() const { return FName; }
  TFieldType GetDataType() const { return FDataType; }
  // CHAR and VARCHAR: the declared size in characters, whatever the character set. Scaled
  // NUMERIC and DECIMAL: the digits after the decimal point. Other types: 0.
  Integer GetSize() const { return FSize; }
  Integer GetPrecision() const { return FPrecision; }

private:
  String FName;
  TFieldType FDataType;
  Integer FSize;
  Integer FPrecision;
};

class TFieldDefs : public TObject {
public:
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TFieldDef* GetItems(Integer Index) const;   // EListError outside 0..Count-1
  TFieldDef* operator[](Integer Index) const { return GetItems(Index); }
  void Clear() { FItems.clear(); }
  void Add(std::unique_ptr<TFieldDef> Def) { FItems.push_back(std::move(Def)); }

private:
  std::vector<std::unique_ptr<TFieldDef>> FItems;
};

// The value of one column in the current row of an open query. A field exists while its query is
// open; NULL reads as 0, 0.0, False and "". Reading a value the column cannot give (a date from
// an integer, a number from text that is none) raises EDatabaseError or EConvertError.
class TField : public TObject {
public:
  TField(TIBQuery* ADataSet, const TFieldDef* ADef, Integer AIndex);

  const String& GetFieldName() const { return FDef->GetName(); }
  TFieldType GetDataType() const { return FDef->GetDataType(); }
  Integer GetSize() const { return FDef->GetSize(); }
  Integer GetIndex() const { return FIndex; }
  TIBQuery* GetDataSet() const { return FDataSet; }

  bool GetIsNull() const;
  bool IsNull() const { return GetIsNull(); }
  Integer GetAsInteger() const;
  Int64 GetAsInt64() const;
  Double GetAsFloat() const;
  // Numbers in the decimal form of FormatSettings (scaled NUMERIC exactly, without trailing
  // zeros); CHAR with its trailing blanks; dates and times as DateToStr, TimeToStr and
  // DateTimeToStr; Booleans "True"/"False"; a blob's content.
  String GetAsString() const;
  TDateTime GetAsDateTime() const;
  bool GetAsBoolean() const;

private:
  [[noreturn]] void RaiseConversion(const Char* TypeName) const;
  const IBClient::TIBStatement& Statement() const;

  TIBQuery* FDataSet;
  const TFieldDef* FDef;
  Integer FIndex;
};

class TFields : public TObject {
public:
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TField* GetFields(Integer Index) const;   // EListError outside 0..Count-1
  TField* operator[](Integer Index) const { return GetFields(Index); }
  void Clear() {
    FItems.clear();
    ++FGeneration;
  }
  void Add(std::unique_ptr<TField> Field) {
    FItems.push_back(std::move(Field));
    ++FGeneration;
  }
  // Changes with every Add and Clear, for those who cache facts about the fields.
  UInt64 GetGeneration() const { return FGeneration; }

private:
  std::vector<std::unique_ptr<TField>> FItems;
  UInt64 FGeneration = 0;
};

// The open result's fields by name. Names compare without regard to case.
class TFieldList : public TObject {
public:
  explicit TFieldList(const TFields* AFields) : FFields(AFields) {}
  Integer GetCount() const { return FFields->GetCount(); }
  String GetStrings(Integer Index) const { return FFields->GetFields(Index)->GetFieldName(); }
  TField* GetFields(Integer Index) const { return FFields->GetFields(Index); }
  // Position of the first field named AName, -1 when there is none. The search starts after the
  // field found last, so a loop reading the fields in order compares one name per call.
  Integer IndexOf(StringView AName) const;

private:
  const TFields* FFields;
  mutable Integer FNext = 0;
  // Per field: an earlier field has the same name. Rebuilt when the fields change.
  mutable std::vector<bool> FRepeated;
  mutable UInt64 FGeneration = ~UInt64(0);
};
