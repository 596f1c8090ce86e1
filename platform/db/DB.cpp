#include "platform/db/DB.h"

#include <cmath>
#include <limits>

#include "platform/db/IBClient.h"
#include "platform/db/IBQuery.h"

namespace {

[[noreturn]] void IndexError(Integer Index) {
  throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
}

// Field names compare without regard to case: ASCII at once, anything else by Unicode case.
bool SameFieldName(StringView A, StringView B) {
  if (A.size() == B.size()) {
    bool ascii = true;
    for (std::size_t i = 0; i < A.size(); ++i) {
      Char a = A[i], b = B[i];
      if (a >= 0x80 || b >= 0x80) {
        ascii = false;
        break;
      }
      if (a >= u'a' && a <= u'z') a = static_cast<Char>(a - 32);
      if (b >= u'a' && b <= u'z') b = static_cast<Char>(b - 32);
      if (a != b) return false;
    }
    if (ascii) return true;
  } else {
    const auto isAscii = [](StringView S) {
      for (Char c : S)
        if (c >= 0x80) return false;
      return true;
    };
    if (isAscii(A) && isAscii(B)) return false;
  }
  return AnsiSameText(A, B);
}

// The exact decimal text of Raw / 10^Scale without trailing zeros.
String ScaledToString(Int64 Raw, Integer Scale) {
  const bool negative = Raw < 0;
  // Unsigned magnitude: also right for the smallest Int64.
  UInt64 magnitude = negative ? UInt64(0) - static_cast<UInt64>(Raw) : static_cast<UInt64>(Raw);
  String digits = IntToStr(magnitude);
  if (digits.size() <= static_cast<std::size_t>(Scale)) digits.insert(0, Scale + 1 - digits.size(), u'0');
  String whole = digits.substr(0, digits.size() - Scale);
  String fraction = digits.substr(digits.size() - Scale);
  while (!fraction.empty() && fraction.back() == u'0') fraction.pop_back();
  String s = negative ? u"-" + whole : whole;
  if (!fraction.empty()) s += FormatSettings.DecimalSeparator + fraction;
  return s;
}

Integer ToInteger(Int64 Value, const String& FieldName) {
  if (Value < std::numeric_limits<Integer>::min() || Value > std::numeric_limits<Integer>::max())
    throw ERangeError(u"Value " + IntToStr(Value) + u" of field '" + FieldName + u"' is out of the Integer range");
  return static_cast<Integer>(Value);
}

Int64 RoundToInt64(Double Value, const String& FieldName) {
  const double r = std::nearbyint(Value);   // halves to even
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
    throw ERangeError(u"Value of field '" + FieldName + u"' is out of the Int64 range");
  return static_cast<Int64>(r);
}

}  // namespace

TFieldDef* TFieldDefs::GetItems(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return FItems[static_cast<std::size_t>(Index)].get();
}

TField* TFields::GetFields(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return FItems[static_cast<std::size_t>(Index)].get();
}

Integer TFieldList::IndexOf(StringView AName) const {
  const Integer count = FFields->GetCount();
  if (FGeneration != FFields->GetGeneration()) {
    FGeneration = FFields->GetGeneration();
    FNext = 0;
    FRepeated.assign(static_cast<std::size_t>(count), false);
    for (Integer i = 1; i < count; ++i)
      for (Integer j = 0; j < i && !FRepeated[i]; ++j)
        FRepeated[i] = SameFieldName(FFields->GetFields(j)->GetFieldName(), FFields->GetFields(i)->GetFieldName());
  }
  for (Integer k = 0; k < count; ++k) {
    Integer i = (FNext + k) % count;
    if (!SameFieldName(FFields->GetFields(i)->GetFieldName(), AName)) continue;
    if (FRepeated[static_cast<std::size_t>(i)])   // a name used twice: the first one counts
      for (i = 0; !SameFieldName(FFields->GetFields(i)->GetFieldName(), AName); ++i) {
      }
    FNext = i + 1 < count ? i + 1 : 0;
    return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// TField
// ---------------------------------------------------------------------------------------------

TField::TField(TIBQuery* ADataSet, const TFieldDef* ADef, Integer AIndex)
    : FDataSet(ADataSet), FDef(ADef), FIndex(AIndex) {}

const IBClient::TIBStatement& TField::Statement() const { return FDataSet->Statement(); }

void TField::RaiseConversion(const Char* TypeName) const {
  throw EDatabaseError(u"Cannot access field '" + GetFieldName() + u"' as type " + TypeName);
}

bool TField::GetIsNull() const { return !FDataSet->HasRow() || Statement().IsNull(FIndex); }

Int64 TField::GetAsInt64() const {
  if (GetIsNull()) return 0;
  switch (GetDataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftBoolean: return Statement().GetInt64(FIndex);
    case ftBCD:
    case ftFloat: return RoundToInt64(Statement().GetDouble(FIndex), GetFieldName());
    case ftString:
    case ftFixedChar:
    case ftMemo: return StrToInt64(Trim(GetAsString()));
    default: RaiseConversion(u"Largeint");
  }
}

Integer TField::GetAsInteger() const {
  if (GetIsNull()) return 0;
  switch (GetDataType()) {
    case ftString:
    case ftFixedChar:
    case ftMemo: return StrToInt(Trim(GetAsString()));
    default: return ToInteger(GetAsInt64(), GetFieldName());
  }
}

Double TField::GetAsFloat() const {
  if (GetIsNull()) return 0.0;
  switch (GetDataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftBCD:
    case ftFloat: return Statement().GetDouble(FIndex);
    case ftDate:
    case ftTime:
    case ftDateTime: return Statement().GetDateTime(FIndex);
    case ftString:
    case ftFixedChar:
    case ftMemo: return StrToFloat(Trim(GetAsString()));
    default: RaiseConversion(u"Float");
  }
}

TDateTime TField::GetAsDateTime() const {
  if (GetIsNull()) return 0.0;
  switch (GetDataType()) {
    case ftDate:
    case ftTime:
    case ftDateTime: return Statement().GetDateTime(FIndex);
    case ftString:
    case ftFixedChar:
    case ftMemo: return StrToDateTime(Trim(GetAsString()));
    default: RaiseConversion(u"DateTime");
  }
}

bool TField::GetAsBoolean() const {
  if (GetIsNull()) return false;
  switch (GetDataType()) {
    case ftBoolean: return Statement().GetInt64(FIndex) != 0;
    case ftString:
    case ftFixedChar:
    case ftMemo: return StrToBool(Trim(GetAsString()));
    default: RaiseConversion(u"Boolean");
  }
}

String TField::GetAsString() const {
  if (GetIsNull()) return String();
  const IBClient::TIBStatement& s = Statement();
  switch (GetDataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint: return IntToStr(s.GetInt64(FIndex));
    case ftBCD: return ScaledToString(s.GetInt64(FIndex), FDef->GetSize());
    case ftFloat: return FloatToStrF(s.GetDouble(FIndex), ffGeneral, FDef->GetPrecision(), 0);
    case ftString:
    case ftFixedChar: return s.GetText(FIndex);
    case ftDate: return DateToStr(s.GetDateTime(FIndex));
    case ftTime: return TimeToStr(s.GetDateTime(FIndex));
    case ftDateTime: return DateTimeToStr(s.GetDateTime(FIndex));
    case ftBoolean: return BoolToStr(s.GetInt64(FIndex) != 0, true);
    case ftMemo: {
      const std::string bytes = s.GetBlob(FIndex);
      return IBClient::DecodeText(bytes.data(), bytes.size(), s.Column(FIndex).CharSetId);
    }
    case ftBlob: {
      const std::string bytes = s.GetBlob(FIndex);
      return AnsiToString(bytes);
    }
    default: RaiseConversion(u"String");
  }
}
