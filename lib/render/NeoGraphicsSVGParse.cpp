// The SVG parser's text routines: numbers, lengths, angles, transforms, colour functions, font
// families and path data with its arcs.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "lib/render/NeoGraphicsSVGInternal.h"

namespace NeoSVG {

namespace {

const TFormatSettings& NumberFormat() {
  static const TFormatSettings settings = [] {
    TFormatSettings s = TFormatSettings::USEnglish();
    s.DecimalSeparator = u'.';
    s.ThousandSeparator = u',';
    return s;
  }();
  return settings;
}

bool IsSpace(Char C) { return C == u' ' || C == u'\t' || C == u'\r' || C == u'\n'; }
bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }
bool IsHexDigit(Char C) { return IsDigit(C) || (C >= u'a' && C <= u'f') || (C >= u'A' && C <= u'F'); }

constexpr StringView PathCommandLetters = u"MmLlHhVvCcSsQqTtAaZz";
bool IsPathCommand(Char C) { return PathCommandLetters.find(C) != StringView::npos; }

// Numbers each command takes; 0 for Z and anything else.
Integer PathCommandArity(Char C) {
  switch (C) {
    case u'A': case u'a': return 7;
    case u'C': case u'c': return 6;
    case u'Q': case u'q': case u'S': case u's': return 4;
    case u'L': case u'l': case u'M': case u'm': case u'T': case u't': return 2;
    case u'H': case u'h': case u'V': case u'v': return 1;
    default: return 0;
  }
}

TNeoGraphicsMatrix Translation(Double X, Double Y) {
  TNeoGraphicsMatrix m = TNeoGraphicsMatrix::Identity();
  m.m31 = static_cast<Single>(X);
  m.m32 = static_cast<Single>(Y);
  return m;
}

// One transform function's matrix; identity for an unknown name or a wrong argument count.
TNeoGraphicsMatrix TransformFunction(const String& AName, const std::vector<String>& AArgs, TPointF& ALastTranslate) {
  TNeoGraphicsMatrix m = TNeoGraphicsMatrix::Identity();
  const std::size_t n = AArgs.size();
  auto arg = [&](std::size_t i) { return static_cast<Double>(ToNumber(AArgs[i])); };
  if (AName == u"matrix" && n == 6) {
    m.m11 = ToNumber(AArgs[0]); m.m12 = ToNumber(AArgs[1]);
    m.m21 = ToNumber(AArgs[2]); m.m22 = ToNumber(AArgs[3]);
    m.m31 = ToNumber(AArgs[4]); m.m32 = ToNumber(AArgs[5]);
  } else if (AName == u"translate" && (n == 1 || n == 2)) {
    ALastTranslate = TPointF{ToNumber(AArgs[0]), n == 2 ? ToNumber(AArgs[1]) : 0.0f};
    m = Translation(ALastTranslate.X, ALastTranslate.Y);
  } else if (AName == u"scale" && (n == 1 || n == 2)) {
    m.m11 = ToNumber(AArgs[0]);
    m.m22 = n == 2 ? ToNumber(AArgs[1]) : m.m11;
  } else if (AName == u"rotate" && (n == 1 || n == 3)) {
    const Double a = ParseAngle(AArgs[0]);
    const TPointF c = n == 3 ? TPointF{ToNumber(AArgs[1]), ToNumber(AArgs[2])} : ALastTranslate;
    TNeoGraphicsMatrix r = TNeoGraphicsMatrix::Identity();
    r.m11 = static_cast<Single>(std::cos(a));
    r.m12 = static_cast<Single>(std::sin(a));
    r.m21 = -r.m12;
    r.m22 = r.m11;
    m = Translation(-c.X, -c.Y) * r * Translation(c.X, c.Y);
  } else if (AName == u"skewX" && n == 1) {
    m.m21 = Finite(std::tan(arg(0) * std::numbers::pi / 180));
  } else if (AName == u"skewY" && n == 1) {
    m.m12 = Finite(std::tan(arg(0) * std::numbers::pi / 180));
  }
  return m;
}

bool IsFinitePoint(TPointF P) { return std::isfinite(P.X) && std::isfinite(P.Y); }

// An arc flag as an integer; only 0 and 1 mean anything, so larger values are kept at 2.
Integer Flag(Double AValue) { return static_cast<Integer>(std::clamp(std::trunc(AValue), -2.0, 2.0)); }

TPointF ToPoint(Double X, Double Y) { return TPointF{Finite(X), Finite(Y)}; }

// APoint mirrored at ACenter, worked out in double precision (a reflection of large coordinates
// would overflow a float); a result beyond a float counts as 0.
TPointF Reflect(TPointF APoint, TPointF ACenter) {
  return ToPoint(2.0 * ACenter.X - APoint.X, 2.0 * ACenter.Y - APoint.Y);
}

}  // namespace

Single Finite(Double AValue) {
  const Single s = static_cast<Single>(AValue);
  return std::isfinite(s) ? s : 0.0f;
}

bool TryToNumber(StringView AText, Double& AValue) {
  const String text = Trim(AText);
  if (text.empty() || !TryStrToFloat(text, AValue, NumberFormat())) return false;
  if (!std::isfinite(static_cast<Single>(AValue))) return false;
  return true;
}

Single ToNumber(StringView AText) {
  Double value = 0;
  return TryToNumber(AText, value) ? static_cast<Single>(value) : 0.0f;
}

String LengthUnit(StringView AText) {
  static constexpr StringView units[] = {u"px", u"pt", u"pc", u"mm", u"cm", u"in", u"em", u"ex"};
  if (AText.size() >= 2) {
    const StringView last = AText.substr(AText.size() - 2);
    for (StringView u : units)
      if (last == u) return String(u);
  }
  if (!AText.empty() && AText.back() == u'%') return u"%";
  return String();
}

Single ParseLength(StringView AText) {
  if (AText.empty()) return 0;
  const String unit = LengthUnit(AText);
  const Single number = ToNumber(AText.substr(0, AText.size() - unit.size()));
  Double factor = 1;
  if (unit == u"pt") factor = 1.25;
  else if (unit == u"pc") factor = 15;
  else if (unit == u"mm") factor = 10;
  else if (unit == u"cm") factor = 100;
  else if (unit == u"in") factor = 25.4;
  return Finite(number * factor);
}

Single ParseAngle(StringView AText) {
  const String text(AText);
  if (const Integer p = Pos(u"deg", text); p > 0) return Finite(ToNumber(Copy(text, 1, p - 1)) * std::numbers::pi / 180);
  if (const Integer p = Pos(u"grad", text); p > 0) return Finite(ToNumber(Copy(text, 1, p - 1)) * std::numbers::pi / 200);
  if (const Integer p = Pos(u"rad", text); p > 0) return ToNumber(Copy(text, 1, p - 1));
  return Finite(ToNumber(text) * std::numbers::pi / 180);
}

TNeoGraphicsMatrix ParseTransformText(StringView AText) {
  TNeoGraphicsMatrix result = TNeoGraphicsMatrix::Identity();
  TPointF lastTranslate;
  String text = Trim(AText);
  // Each pass consumes the text up to the function's ")": malformed text ends the loop.
  for (;;) {
    const std::size_t open = text.find(u'(');
    if (open == String::npos) break;
    const std::size_t close = text.find(u')', open);
    if (close == String::npos) break;
    const String name = Trim(StringView(text).substr(0, open));
    String args = Trim(StringView(text).substr(open + 1, close - open - 1));
    std::replace(args.begin(), args.end(), u' ', u',');
    result = result * TransformFunction(name, SplitNonEmpty(args, u','), lastTranslate);
    text = Trim(StringView(text).substr(close + 1));
  }
  return result;
}

TNeoGraphicsMatrix ParseTransform(const IXMLNode& ANode, StringView AName) {
  if (!ANode.HasAttribute(AName)) return TNeoGraphicsMatrix();
  return ParseTransformText(ANode.GetAttribute(AName));
}

Integer ParseColorComponent(StringView AText) {
  String text = u"0" + String(AText);
  bool percent = false;
  if (text.back() == u'%') {
    percent = true;
    text.pop_back();
  }
  Int64 value = -1;
  if (std::all_of(text.begin(), text.end(), IsDigit)) {
    value = 0;
    for (Char c : text) value = std::min<Int64>(value * 10 + (c - u'0'), 100000);
  } else {
    String hex = text;
    if (hex.size() > 1 && hex[1] == u'#') hex.erase(1, 1);
    if (std::all_of(hex.begin(), hex.end(), IsHexDigit)) {
      value = 0;
      for (Char c : hex) value = std::min<Int64>(value * 16 + (IsDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10), 100000);
    }
  }
  if (value < 0) return -1;
  if (percent) return static_cast<Integer>(std::nearbyint(std::min<Double>(static_cast<Double>(value), 100) * 2.55));
  return static_cast<Integer>(std::min<Int64>(value, 255));
}

TColor ParseColorFunction(StringView AText, Integer& AAlpha) {
  AAlpha = 255;
  const String text(AText);
  const bool rgba = text.starts_with(u"rgba(");
  if ((!rgba && !text.starts_with(u"rgb(")) || !text.ends_with(u")")) return -1;
  const std::size_t start = rgba ? 5 : 4;
  const String inner = Trim(StringView(text).substr(start, text.size() - start - 1));
  std::vector<String> parts;
  for (const String& p : Split(inner, u',')) parts.push_back(Trim(p));
  parts.resize(rgba ? 4 : 3);
  const Integer r = ParseColorComponent(parts[0]), g = ParseColorComponent(parts[1]), b = ParseColorComponent(parts[2]);
  AAlpha = rgba ? ParseColorComponent(parts[3]) : 255;
  if (r < 0 || g < 0 || b < 0) return -1;
  return r + g * 256 + b * 65536;
}

String ParseFontFamily(StringView AText, TFontStyles& AStyle) {
  String name(AText);
  if (name.find(u"Bold") != String::npos) AStyle.Include(fsBold);
  if (name.find(u"Italic") != String::npos) AStyle.Include(fsItalic);
  if (name.ends_with(u"MT")) name.resize(name.size() - 2);
  if (name.ends_with(u"-")) name.pop_back();
  const std::vector<String> items = Split(name, u',');
  if (items.size() > 1) name = Trim(items[1]);
  return name;
}

// ---------------------------------------------------------------------------------------------
// Path data
// ---------------------------------------------------------------------------------------------

std::vector<String> TokenizePathCommand(Char ALetter, StringView AText) {
  std::vector<String> tokens{String(1, ALetter)};
  String current;
  bool hasDot = false, hasExponent = false;
  auto finish = [&] {
    if (!current.empty()) tokens.push_back(current);
    current.clear();
    hasDot = hasExponent = false;
  };
  for (Char c : AText) {
    if (IsSpace(c)) {
      finish();
    } else if (c == u'+' || c == u'-') {
      const bool afterExponent = !current.empty() && (current.back() == u'e' || current.back() == u'E');
      if (!afterExponent) finish();
      current += c;
    } else if (c == u'.') {
      if (hasDot || hasExponent) finish();
      hasDot = true;
      current += c;
    } else if (IsDigit(c)) {
      current += c;
    } else if (c == u'e' || c == u'E') {
      if (hasExponent) finish();
      hasExponent = true;
      current += c;
    }
  }
  finish();
  const Integer n = PathCommandArity(ALetter);
  const Integer count = static_cast<Integer>(tokens.size()) - 1;
  if (ALetter == u'Z' || ALetter == u'z') {
    tokens.resize(1);
  } else if (n > 0 && count > n && count % n != 1) {
    const Char repeated = ALetter == u'M' ? u'L' : ALetter == u'm' ? u'l' : ALetter;
    const Integer groups = (count + n - 1) / n;
    for (Integer g = groups - 1; g >= 1; --g) tokens.insert(tokens.begin() + 1 + g * n, String(1, repeated));
  }
  return tokens;
}

std::vector<String> TokenizePathData(StringView AData) {
  std::vector<String> tokens;
  std::size_t i = 0;
  while (i < AData.size() && !IsPathCommand(AData[i])) ++i;
  while (i < AData.size()) {
    std::size_t next = i + 1;
    while (next < AData.size() && !IsPathCommand(AData[next])) ++next;
    const String text = Trim(AData.substr(i + 1, next - i - 1));
    const std::vector<String> part = TokenizePathCommand(AData[i], text);
    tokens.insert(tokens.end(), part.begin(), part.end());
    i = next;
  }
  return tokens;
}

void BuildPath(const std::vector<String>& ATokens, TNeoGraphicsSVGElementPathList& APaths) {
  TPointF cur, ctrl;
  Char previous = 0;
  std::size_t i = 0;
  // The numbers after a command up to the next command; missing ones are 0.
  auto numbers = [&](Integer ACount) {
    std::vector<Double> values(static_cast<std::size_t>(ACount), 0.0);
    for (Integer k = 0; k < ACount && i < ATokens.size(); ++k) {
      const String& t = ATokens[i];
      if (t.size() == 1 && IsPathCommand(t[0])) break;
      values[static_cast<std::size_t>(k)] = ToNumber(t);
      ++i;
    }
    return values;
  };
  while (i < ATokens.size()) {
    const String& token = ATokens[i++];
    if (token.size() != 1 || !IsPathCommand(token[0])) continue;   // a stray number
    const Char cmd = token[0];
    const bool relative = cmd >= u'a';
    const Double ox = relative ? cur.X : 0, oy = relative ? cur.Y : 0;
    const std::vector<Double> v = numbers(PathCommandArity(cmd));
    auto at = [&](std::size_t k) { return ToPoint(v[k] + ox, v[k + 1] + oy); };
    TNeoGraphicsPath* path = APaths.Last();
    switch (cmd) {
      case u'M': case u'm':
        cur = at(0);
        path = APaths.Add(new TNeoGraphicsPath());
        path->MoveTo(cur);
        break;
      case u'L': case u'l': case u'H': case u'h': case u'V': case u'v': {
        TPointF p = cmd == u'L' || cmd == u'l' ? at(0) : cur;
        if (cmd == u'H' || cmd == u'h') p.X = Finite(v[0] + ox);
        if (cmd == u'V' || cmd == u'v') p.Y = Finite(v[0] + oy);
        if (path) path->LineTo(p);
        cur = p;
        break;
      }
      case u'C': case u'c': case u'S': case u's': {
        const bool full = cmd == u'C' || cmd == u'c';
        const bool smooth = previous && StringView(u"CcSs").find(previous) != StringView::npos;
        const TPointF c1 = full ? at(0) : smooth ? Reflect(ctrl, cur) : cur;
        const TPointF c2 = at(full ? 2 : 0), p = at(full ? 4 : 2);
        if (path) path->CurveTo(c1, c2, p);
        ctrl = c2;
        cur = p;
        break;
      }
      case u'Q': case u'q': case u'T': case u't': {
        const bool full = cmd == u'Q' || cmd == u'q';
        const bool smooth = previous && StringView(u"QqTt").find(previous) != StringView::npos;
        const TPointF q = full ? at(0) : smooth ? Reflect(ctrl, cur) : cur;
        const TPointF p = at(full ? 2 : 0);
        // The quadratic curve as the cubic with the same shape.
        const TPointF c1 = ToPoint(cur.X + 2.0 / 3 * (q.X - cur.X), cur.Y + 2.0 / 3 * (q.Y - cur.Y));
        const TPointF c2 = ToPoint(p.X + 2.0 / 3 * (q.X - p.X), p.Y + 2.0 / 3 * (q.Y - p.Y));
        if (path) path->CurveTo(c1, c2, p);
        ctrl = q;
        cur = p;
        break;
      }
      case u'A': case u'a': {
        const TPointF p = at(5);
        if (path)
          AddArcToPath(*path, Flag(v[3]), Flag(v[4]), v[2], std::fabs(v[0]),
                       std::fabs(v[1]), cur.X, cur.Y, p.X, p.Y);
        cur = p;
        break;
      }
      default:   // Z z
        if (path) {
          path->ClosePath();
          cur = path->LastPoint();
        }
        break;
    }
    previous = cmd;
  }
}

void AddArcToPath(TNeoGraphicsPath& APath, Integer ALarge, Integer ASweep, Double ARotation, Double ARx, Double ARy,
                  Double AX1, Double AY1, Double AX2, Double AY2) {
  using std::numbers::pi;
  if (AX1 == AX2 && AY1 == AY2) return;
  if (ARx == 0 || ARy == 0) {
    APath.AddLine(ToPoint(AX1, AY1), ToPoint(AX2, AY2));
    return;
  }
  const Double phi = ARotation * pi / 180, cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const Double dx = (AX1 - AX2) / 2, dy = (AY1 - AY2) / 2;
  const Double x1 = cosPhi * dx + sinPhi * dy, y1 = -sinPhi * dx + cosPhi * dy;
  Double rx = ARx, ry = ARy;
  const Double lambda = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  Double coefficient = 0;
  if (lambda >= 0) {
    const Double sign = ALarge == ASweep && (ALarge == 1 || ALarge == 0) ? -1 : 1;
    coefficient = sign * std::sqrt(lambda / (rx * rx * y1 * y1 + ry * ry * x1 * x1));
  } else {
    const Double scale = std::sqrt(1 - lambda / (rx * rx * ry * ry));
    rx *= scale;
    ry *= scale;
  }
  const Double cxp = coefficient * rx * y1 / ry, cyp = -coefficient * ry * x1 / rx;
  const Double cx = cosPhi * cxp - sinPhi * cyp + (AX1 + AX2) / 2;
  const Double cy = sinPhi * cxp + cosPhi * cyp + (AY1 + AY2) / 2;
  const Double ux = (x1 - cxp) / rx, uy = (y1 - cyp) / ry;
  const Double vx = (-x1 - cxp) / rx, vy = (-y1 - cyp) / ry;
  const Double theta1 = std::atan2(uy, ux);
  Double delta = std::fmod(std::atan2(vy, vx) - theta1 + 4 * pi, 2 * pi);
  if (ASweep == 0 && delta > 0) delta -= 2 * pi;
  else if (ASweep == 1 && delta < 0) delta += 2 * pi;
  if (!std::isfinite(delta) || !std::isfinite(cx) || !std::isfinite(cy)) return;   // degenerate: dropped
  const Integer n = static_cast<Integer>(std::ceil(std::fabs(delta) / (pi / 2)));
  if (n <= 0) return;
  const Double step = delta / n;
  const Double k = 8.0 / 3 * std::sin(step / 4) * std::sin(step / 4) / std::sin(step / 2);
  auto point = [&](Double t) {
    return TPointF{static_cast<Single>(cx + rx * std::cos(t) * cosPhi - ry * std::sin(t) * sinPhi),
                   static_cast<Single>(cy + rx * std::cos(t) * sinPhi + ry * std::sin(t) * cosPhi)};
  };
  auto tangent = [&](Double t) {
    return std::pair<Double, Double>(-rx * std::sin(t) * cosPhi - ry * std::cos(t) * sinPhi,
                                     -rx * std::sin(t) * sinPhi + ry * std::cos(t) * cosPhi);
  };
  for (Integer s = 0; s < n; ++s) {
    const Double a = theta1 + s * step, b = a + step;
    const TPointF start = point(a), end = point(b);
    const auto ta = tangent(a), tb = tangent(b);
    const TPointF c1{static_cast<Single>(start.X + k * ta.first), static_cast<Single>(start.Y + k * ta.second)};
    const TPointF c2{static_cast<Single>(end.X - k * tb.first), static_cast<Single>(end.Y - k * tb.second)};
    if (!IsFinitePoint(start) || !IsFinitePoint(end) || !IsFinitePoint(c1) || !IsFinitePoint(c2)) continue;
    if (APath.GetCount() == 0) APath.MoveTo(start);
    else APath.LineTo(start);
    APath.CurveTo(c1, c2, end);
  }
}

}  // namespace NeoSVG
