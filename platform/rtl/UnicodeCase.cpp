#include "platform/rtl/UnicodeCase.h"

namespace {

// How a range of code points maps to the other case.
enum TCaseRule {
  crOffset,     // every code point in the range moves by Delta
  crEvenOdd,    // pairs: even is upper, odd is lower
  crOddEven,    // pairs: odd is upper, even is lower
};

struct TCaseRange {
  char32_t First, Last;   // range of the source case
  TCaseRule Rule;
  int Delta;
};

// Lower -> upper. Ranges hold the lower-case code points.
constexpr TCaseRange UpperRanges[] = {
    {0x0061, 0x007A, crOffset, -32},   {0x00E0, 0x00F6, crOffset, -32},   {0x00F8, 0x00FE, crOffset, -32},
    {0x0101, 0x012F, crEvenOdd, 0},    {0x0133, 0x0137, crEvenOdd, 0},    {0x013A, 0x0148, crOddEven, 0},
    {0x014B, 0x0177, crEvenOdd, 0},    {0x017A, 0x017E, crOddEven, 0},    {0x01CE, 0x01DC, crOddEven, 0},
    {0x01DF, 0x01EF, crEvenOdd, 0},    {0x01F9, 0x021F, crEvenOdd, 0},    {0x0223, 0x0233, crEvenOdd, 0},
    {0x0247, 0x024F, crEvenOdd, 0},    {0x03B1, 0x03C1, crOffset, -32},   {0x03C3, 0x03CB, crOffset, -32},
    {0x03AD, 0x03AF, crOffset, -37},   {0x03CD, 0x03CE, crOffset, -63},   {0x03D9, 0x03EF, crEvenOdd, 0},
    {0x0430, 0x044F, crOffset, -32},   {0x0450, 0x045F, crOffset, -80},   {0x0461, 0x0481, crEvenOdd, 0},
    {0x048B, 0x04BF, crEvenOdd, 0},    {0x04C2, 0x04CE, crOddEven, 0},    {0x04D1, 0x052F, crEvenOdd, 0},
    {0x0561, 0x0586, crOffset, -48},   {0x1E01, 0x1E95, crEvenOdd, 0},    {0x1EA1, 0x1EFF, crEvenOdd, 0},
    {0x2170, 0x217F, crOffset, -16},   {0x24D0, 0x24E9, crOffset, -26},   {0x2C30, 0x2C5E, crOffset, -48},
    {0xFF41, 0xFF5A, crOffset, -32},   {0x10428, 0x1044F, crOffset, -40},
};

// Upper -> lower. Ranges hold the upper-case code points.
constexpr TCaseRange LowerRanges[] = {
    {0x0041, 0x005A, crOffset, 32},    {0x00C0, 0x00D6, crOffset, 32},    {0x00D8, 0x00DE, crOffset, 32},
    {0x0100, 0x012E, crEvenOdd, 0},    {0x0132, 0x0136, crEvenOdd, 0},    {0x0139, 0x0147, crOddEven, 0},
    {0x014A, 0x0176, crEvenOdd, 0},    {0x0179, 0x017D, crOddEven, 0},    {0x01CD, 0x01DB, crOddEven, 0},
    {0x01DE, 0x01EE, crEvenOdd, 0},    {0x01F8, 0x021E, crEvenOdd, 0},    {0x0222, 0x0232, crEvenOdd, 0},
    {0x0246, 0x024E, crEvenOdd, 0},    {0x0391, 0x03A1, crOffset, 32},    {0x03A3, 0x03AB, crOffset, 32},
    {0x0388, 0x038A, crOffset, 37},    {0x038E, 0x038F, crOffset, 63},    {0x03D8, 0x03EE, crEvenOdd, 0},
    {0x0410, 0x042F, crOffset, 32},    {0x0400, 0x040F, crOffset, 80},    {0x0460, 0x0480, crEvenOdd, 0},
    {0x048A, 0x04BE, crEvenOdd, 0},    {0x04C1, 0x04CD, crOddEven, 0},    {0x04D0, 0x052E, crEvenOdd, 0},
    {0x0531, 0x0556, crOffset, 48},    {0x1E00, 0x1E94, crEvenOdd, 0},    {0x1EA0, 0x1EFE, crEvenOdd, 0},
    {0x2160, 0x216F, crOffset, 16},    {0x24B6, 0x24CF, crOffset, 26},    {0x2C00, 0x2C2E, crOffset, 48},
    {0xFF21, 0xFF3A, crOffset, 32},    {0x10400, 0x10427, crOffset, 40},
};

struct TCasePair {
  char32_t From, To;
};

// Irregular single mappings.
constexpr TCasePair UpperSingles[] = {
    {0x00FF, 0x0178}, {0x0131, 0x0049}, {0x017F, 0x0053}, {0x0180, 0x0243}, {0x0192, 0x0191},
    {0x01C5, 0x01C4}, {0x01C6, 0x01C4}, {0x01C8, 0x01C7}, {0x01C9, 0x01C7}, {0x01CB, 0x01CA},
    {0x01CC, 0x01CA}, {0x01F2, 0x01F1}, {0x01F3, 0x01F1}, {0x01F5, 0x01F4}, {0x03AC, 0x0386},
    {0x03C2, 0x03A3}, {0x03CC, 0x038C}, {0x04CF, 0x04C0},
};
constexpr TCasePair LowerSingles[] = {
    {0x0178, 0x00FF}, {0x0130, 0x0069}, {0x0243, 0x0180}, {0x0191, 0x0192}, {0x01C4, 0x01C6},
    {0x01C5, 0x01C6}, {0x01C7, 0x01C9}, {0x01C8, 0x01C9}, {0x01CA, 0x01CC}, {0x01CB, 0x01CC},
    {0x01F1, 0x01F3}, {0x01F2, 0x01F3}, {0x01F4, 0x01F5}, {0x0386, 0x03AC}, {0x038C, 0x03CC},
    {0x04C0, 0x04CF}, {0x1E9E, 0x00DF},
};

template <std::size_t NR, std::size_t NS>
char32_t MapCase(char32_t C, const TCaseRange (&Ranges)[NR], const TCasePair (&Singles)[NS], int PairStep) {
  for (const auto& P : Singles)
    if (P.From == C) return P.To;
  for (const auto& R : Ranges) {
    if (C < R.First || C > R.Last) continue;
    switch (R.Rule) {
      case crOffset: return static_cast<char32_t>(static_cast<int>(C) + R.Delta);
      case crEvenOdd:
      case crOddEven: {
        // The source case sits on the parity where the range starts.
        const bool SourceParity = (C & 1) == (R.First & 1);
        return SourceParity ? static_cast<char32_t>(static_cast<int>(C) + PairStep) : C;
      }
    }
  }
  return C;
}

// Base letters of U+00C0..U+017F ('\0': no base letter, the character stands for itself).
constexpr char BaseLatin[] =
    // C0-DF
    "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0\0"
    // E0-FF
    "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y"
    // 0100-013F
    "aaaaaaccccccccdd\0\0eeeeeeeeeegggggggghh\0\0iiiiiiiii\0\0\0jjkk\0llllll\0"
    // 0140-017F
    "\0\0\0nnnnnn\0\0\0oooooo\0\0rrrrrrsssssssstttt\0\0uuuuuuuuuuuuwwyyyzzzzzz\0";
static_assert(sizeof(BaseLatin) == 0x180 - 0xC0 + 1, "one entry per code point");

}  // namespace

char32_t UnicodeToUpper(char32_t C) {
  if (C < 0x80) return (C >= 'a' && C <= 'z') ? C - 32 : C;
  return MapCase(C, UpperRanges, UpperSingles, -1);
}

char32_t UnicodeToLower(char32_t C) {
  if (C < 0x80) return (C >= 'A' && C <= 'Z') ? C + 32 : C;
  return MapCase(C, LowerRanges, LowerSingles, +1);
}

char32_t UnicodeBaseLetter(char32_t C) {
  if (C >= 0xC0 && C < 0x180 && BaseLatin[C - 0xC0] != '\0') return static_cast<char32_t>(BaseLatin[C - 0xC0]);
  return UnicodeToLower(C);
}
