// The colour-name table of the markup language, colour parsing, and the engine-wide highlight
// colours.
#include <algorithm>
#include <array>

#include "lib/render/NeoHTMLMarkup.h"

namespace {

// A CSS colour written as 0xRRGGBB, stored BGR (red in the low byte).
constexpr TColor Css(unsigned ARgb) {
  return static_cast<TColor>(((ARgb & 0xFF) << 16) | (ARgb & 0xFF00) | ((ARgb >> 16) & 0xFF));
}

// Sorted by name in ordinal order (digits before letters), for the binary search below.
constexpr std::array<THtmlNamedColor, 172> ColorRows = {{
    {u"3ddkshadow", SysColor(21)},
    {u"3dlight", SysColor(22)},
    {u"activeborder", SysColor(10)},
    {u"activecaption", SysColor(2)},
    {u"aliceblue", Css(0xF0F8FF)},
    {u"antiquewhite", Css(0xFAEBD7)},
    {u"appworkspace", SysColor(12)},
    {u"aqua", Css(0x00FFFF)},
    {u"aquamarine", Css(0x7FFFD4)},
    {u"azure", Css(0xF0FFFF)},
    {u"background", SysColor(1)},
    {u"beige", Css(0xF5F5DC)},
    {u"bisque", Css(0xFFE4C4)},
    {u"black", Css(0x000000)},
    {u"blanchedalmond", Css(0xFFEBCD)},
    {u"blue", Css(0x0000FF)},
    {u"blueviolet", Css(0x8A2BE2)},
    {u"brown", Css(0xA52A2A)},
    {u"btnface", SysColor(15)},
    {u"btnhighlight", SysColor(20)},
    {u"btnshadow", SysColor(16)},
    {u"btntext", SysColor(18)},
    {u"burlywood", Css(0xDEB887)},
    {u"cadetblue", Css(0x5F9EA0)},
    {u"captiontext", SysColor(9)},
    {u"chartreuse", Css(0x7FFF00)},
    {u"chocolate", Css(0xD2691E)},
    {u"coral", Css(0xFF7F50)},
    {u"cornflowerblue", Css(0x6495ED)},
    {u"cornsilk", Css(0xFFF8DC)},
    {u"crimson", Css(0xDC143C)},
    {u"cyan", Css(0x00FFFF)},
    {u"darkblue", Css(0x00008B)},
    {u"darkcyan", Css(0x008B8B)},
    {u"darkgoldenrod", Css(0xB8860B)},
    {u"darkgray", Css(0xA9A9A9)},
    {u"darkgreen", Css(0x006400)},
    {u"darkgrey", Css(0xA9A9A9)},
    {u"darkkhaki", Css(0xBDB76B)},
    {u"darkmagenta", Css(0x8B008B)},
    {u"darkolivegreen", Css(0x556B2F)},
    {u"darkorange", Css(0xFF8C00)},
    {u"darkorchid", Css(0x9932CC)},
    {u"darkred", Css(0x8B0000)},
    {u"darksalmon", Css(0xE9967A)},
    {u"darkseagreen", Css(0x8FBC8F)},
    {u"darkslateblue", Css(0x483D8B)},
    {u"darkslategray", Css(0x2F4F4F)},
    {u"darkslategrey", Css(0x2F4F4F)},
    {u"darkturquoise", Css(0x00CED1)},
    {u"darkviolet", Css(0x9400D3)},
    {u"deeppink", Css(0xFF1493)},
    {u"deepskyblue", Css(0x00BFFF)},
    {u"dimgray", Css(0x696969)},
    {u"dimgrey", Css(0x696969)},
    {u"dodgerblue", Css(0x1E90FF)},
    {u"firebrick", Css(0xB22222)},
    {u"floralwhite", Css(0xFFFAF0)},
    {u"forestgreen", Css(0x228B22)},
    {u"fuchsia", Css(0xFF00FF)},
    {u"gainsboro", Css(0xDCDCDC)},
    {u"ghostwhite", Css(0xF8F8FF)},
    {u"gold", Css(0xFFD700)},
    {u"goldenrod", Css(0xDAA520)},
    {u"gray", Css(0x808080)},
    {u"graytext", SysColor(17)},
    {u"green", Css(0x008000)},
    {u"greenyellow", Css(0xADFF2F)},
    {u"grey", Css(0x808080)},
    {u"highlight", SysColor(13)},
    {u"highlighttext", SysColor(14)},
    {u"honeydew", Css(0xF0FFF0)},
    {u"hotpink", Css(0xFF69B4)},
    {u"inactiveborder", SysColor(11)},
    {u"inactivecaption", SysColor(3)},
    {u"inactivecaptiontext", SysColor(19)},
    {u"indianred", Css(0xCD5C5C)},
    {u"indigo", Css(0x4B0082)},
    {u"infobk", SysColor(24)},
    {u"infotext", SysColor(23)},
    {u"ivory", Css(0xFFFFF0)},
    {u"khaki", Css(0xF0E68C)},
    {u"lavender", Css(0xE6E6FA)},
    {u"lavenderblush", Css(0xFFF0F5)},
    {u"lawngreen", Css(0x7CFC00)},
    {u"lemonchiffon", Css(0xFFFACD)},
    {u"lightblue", Css(0xADD8E6)},
    {u"lightcoral", Css(0xF08080)},
    {u"lightcyan", Css(0xE0FFFF)},
    {u"lightgoldenrodyellow", Css(0xFAFAD2)},
    {u"lightgray", Css(0xD3D3D3)},
    {u"lightgreen", Css(0x90EE90)},
    {u"lightgrey", Css(0xD3D3D3)},
    {u"lightpink", Css(0xFFB6C1)},
    {u"lightsalmon", Css(0xFFA07A)},
    {u"lightseagreen", Css(0x20B2AA)},
    {u"lightskyblue", Css(0x87CEFA)},
    {u"lightslategray", Css(0x778899)},
    {u"lightslategrey", Css(0x778899)},
    {u"lightsteelblue", Css(0xB0C4DE)},
    {u"lightyellow", Css(0xFFFFE0)},
    {u"lime", Css(0x00FF00)},
    {u"limegreen", Css(0x32CD32)},
    {u"linen", Css(0xFAF0E6)},
    {u"magenta", Css(0xFF00FF)},
    {u"maroon", Css(0x800000)},
    {u"mediumaquamarine", Css(0x66CDAA)},
    {u"mediumblue", Css(0x0000CD)},
    {u"mediumorchid", Css(0xBA55D3)},
    {u"mediumpurple", Css(0x9370DB)},
    {u"mediumseagreen", Css(0x3CB371)},
    {u"mediumslateblue", Css(0x7B68EE)},
    {u"mediumspringgreen", Css(0x00FA9A)},
    {u"mediumturquoise", Css(0x48D1CC)},
    {u"mediumvioletred", Css(0xC71585)},
    {u"menu", SysColor(4)},
    {u"menutext", SysColor(7)},
    {u"midnightblue", Css(0x191970)},
    {u"mintcream", Css(0xF5FFFA)},
    {u"mistyrose", Css(0xFFE4E1)},
    {u"moccasin", Css(0xFFE4B5)},
    {u"navajowhite", Css(0xFFDEAD)},
    {u"navy", Css(0x000080)},
    {u"oldlace", Css(0xFDF5E6)},
    {u"olive", Css(0x808000)},
    {u"olivedrab", Css(0x6B8E23)},
    {u"orange", Css(0xFFA500)},
    {u"orangered", Css(0xFF4500)},
    {u"orchid", Css(0xDA70D6)},
    {u"palegoldenrod", Css(0xEEE8AA)},
    {u"palegreen", Css(0x98FB98)},
    {u"paleturquoise", Css(0xAFEEEE)},
    {u"palevioletred", Css(0xDB7093)},
    {u"papayawhip", Css(0xFFEFD5)},
    {u"peachpuff", Css(0xFFDAB9)},
    {u"peru", Css(0xCD853F)},
    {u"pink", Css(0xFFC0CB)},
    {u"plum", Css(0xDDA0DD)},
    {u"powderblue", Css(0xB0E0E6)},
    {u"purple", Css(0x800080)},
    {u"rebeccapurple", Css(0x663399)},
    {u"red", Css(0xFF0000)},
    {u"rosybrown", Css(0xBC8F8F)},
    {u"royalblue", Css(0x4169E1)},
    {u"saddlebrown", Css(0x8B4513)},
    {u"salmon", Css(0xFA8072)},
    {u"sandybrown", Css(0xF4A460)},
    {u"seagreen", Css(0x2E8B57)},
    {u"seashell", Css(0xFFF5EE)},
    {u"sienna", Css(0xA0522D)},
    {u"silver", Css(0xC0C0C0)},
    {u"skyblue", Css(0x87CEEB)},
    {u"slateblue", Css(0x6A5ACD)},
    {u"slategray", Css(0x708090)},
    {u"slategrey", Css(0x708090)},
    {u"snow", Css(0xFFFAFA)},
    {u"springgreen", Css(0x00FF7F)},
    {u"steelblue", Css(0x4682B4)},
    {u"tan", Css(0xD2B48C)},
    {u"teal", Css(0x008080)},
    {u"thistle", Css(0xD8BFD8)},
    {u"tomato", Css(0xFF6347)},
    {u"turquoise", Css(0x40E0D0)},
    {u"violet", Css(0xEE82EE)},
    {u"wheat", Css(0xF5DEB3)},
    {u"white", Css(0xFFFFFF)},
    {u"whitesmoke", Css(0xF5F5F5)},
    {u"window", SysColor(5)},
    {u"windowframe", SysColor(6)},
    {u"windowtext", SysColor(8)},
    {u"yellow", Css(0xFFFF00)},
    {u"yellowgreen", Css(0x9ACD32)},
}};

static_assert(std::is_sorted(ColorRows.begin(), ColorRows.end(),
                             [](const THtmlNamedColor& A, const THtmlNamedColor& B) { return A.Name < B.Name; }),
              "the colour names must stay sorted for the binary search");

Integer HexDigit(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  return -1;
}

// The byte of the hexadecimal pair at APos (0-based); 0 when it is missing or not hexadecimal.
Integer HexPair(StringView AText, std::size_t APos) {
  if (APos + 1 >= AText.size()) return 0;
  const Integer high = HexDigit(AText[APos]);
  const Integer low = HexDigit(AText[APos + 1]);
  return high < 0 || low < 0 ? 0 : high * 16 + low;
}

TColor HighlightColor = clHighlight;
TColor HighlightTextColor = clHighlightText;

}  // namespace

std::span<const THtmlNamedColor> HtmlColorTable() { return ColorRows; }

TColor HtmlHexColor(StringView AText) {
  return static_cast<TColor>(HexPair(AText, 1) | (HexPair(AText, 3) << 8) | (HexPair(AText, 5) << 16));
}

TColor HtmlColorByName(StringView AText) {
  if (!AText.empty() && AText.front() == u'#') return HtmlHexColor(AText);
  if (AText.starts_with(u"cl")) AText.remove_prefix(2);
  const auto it = std::lower_bound(ColorRows.begin(), ColorRows.end(), AText,
                                   [](const THtmlNamedColor& Row, StringView Name) { return Row.Name < Name; });
  return it != ColorRows.end() && it->Name == AText ? it->Color : clBlack;
}

void SetHtmlHighlightColors(TColor AColor, TColor ATextColor) {
  HighlightColor = AColor;
  HighlightTextColor = ATextColor;
}

TColor HtmlHighlightColor() { return HighlightColor; }
TColor HtmlHighlightTextColor() { return HighlightTextColor; }
