// The rich edit's content: paragraphs of runs and the edits on them.
#include "platform/ui/RichText.h"

#include <algorithm>
#include <atomic>

// ---------------------------------------------------------------------------------------------
// TRichParagraph

std::size_t TRichParagraph::RunAt(Integer Offset) const {
  auto it = std::upper_bound(Runs.begin(), Runs.end(), Offset,
                             [](Integer O, const TRichRun& R) { return O < R.Start; });
  return it == Runs.begin() ? 0 : static_cast<std::size_t>(it - Runs.begin()) - 1;
}

void TRichParagraph::Normalize() {
  std::vector<TRichRun> runs;
  runs.reserve(Runs.size());
  auto len = static_cast<Integer>(Text.size());
  for (std::size_t i = 0; i < Runs.size(); ++i) {
    TRichRun r = Runs[i];
    r.Start = std::clamp(r.Start, 0, len);
    Integer end = RunEnd(i);
    bool empty = end <= r.Start;
    // An empty run survives only as the format of an empty paragraph.
    if (empty && !(len == 0 && runs.empty())) continue;
    if (!runs.empty() && runs.back().Start == r.Start) runs.back() = r;
    else if (!runs.empty() && runs.back().Format == r.Format) continue;
    else runs.push_back(r);
  }
  if (runs.empty()) runs.push_back({0, Runs.empty() ? 0 : Runs.back().Format});
  runs.front().Start = 0;
  Runs = std::move(runs);
  Layout.reset();
}

// ---------------------------------------------------------------------------------------------
// TRichDocument

void TRichDocument::Touch() {
  static std::atomic<std::uint64_t> counter{0};
  FVersion = ++counter;
}

TRichDocument::TRichDocument() {
  Touch();
  FFormats.push_back(Default);
  FParas.emplace_back();
}

Integer TRichDocument::Intern(const TRichFormat& F) {
  for (std::size_t i = 0; i < FFormats.size(); ++i)
    if (FFormats[i] == F) return static_cast<Integer>(i);
  FFormats.push_back(F);
  return static_cast<Integer>(FFormats.size()) - 1;
}

Integer TRichDocument::Length() const {
  Integer n = static_cast<Integer>(FParas.size()) - 1;
  for (const TRichParagraph& p : FParas) n += static_cast<Integer>(p.Text.size());
  return n;
}

String TRichDocument::Text(StringView Separator) const {
  String s;
  s.reserve(static_cast<std::size_t>(Length()) + FParas.size() * Separator.size());
  for (std::size_t i = 0; i < FParas.size(); ++i) {
    if (i) s += Separator;
    s += FParas[i].Text;
  }
  return s;
}

String TRichDocument::TextRange(Integer From, Integer To, StringView Separator) const {
  Integer p0, o0, p1, o1;
  Locate(From, p0, o0);
  Locate(To, p1, o1);
  String s;
  for (Integer p = p0; p <= p1; ++p) {
    const String& t = Paragraph(p).Text;
    Integer a = p == p0 ? o0 : 0, b = p == p1 ? o1 : static_cast<Integer>(t.size());
    if (b > a) s.append(t, static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
    if (p < p1) s += Separator;
  }
  return s;
}

void TRichDocument::Clear(const TRichFormat& ADefault) {
  Default = ADefault;
  FFormats.assign(1, ADefault);
  FParas.clear();
  FParas.emplace_back();
  Touch();
}

void TRichDocument::Locate(Integer Pos, Integer& Para, Integer& Offset) const {
  Pos = std::max(0, Pos);
  for (std::size_t i = 0; i < FParas.size(); ++i) {
    auto len = static_cast<Integer>(FParas[i].Text.size());
    if (Pos <= len || i + 1 == FParas.size()) {
      Para = static_cast<Integer>(i);
      Offset = std::min(Pos, len);
      return;
    }
    Pos -= len + 1;
  }
}

Integer TRichDocument::ParagraphStart(Integer Para) const {
  Integer pos = 0;
  for (Integer i = 0; i < Para && i < ParagraphCount(); ++i) pos += static_cast<Integer>(FParas[static_cast<std::size_t>(i)].Text.size()) + 1;
  return pos;
}

void TRichDocument::SplitRunAt(Integer Para, Integer Offset) {
  TRichParagraph& p = Paragraph(Para);
  std::size_t r = p.RunAt(Offset);
  if (p.Runs[r].Start != Offset) p.Runs.insert(p.Runs.begin() + static_cast<std::ptrdiff_t>(r) + 1, {Offset, p.Runs[r].Format});
}

Integer TRichDocument::Insert(Integer Pos, StringView Text, Integer FormatIndex) {
  TRichDocument piece;
  piece.FFormats = {FFormats[static_cast<std::size_t>(FormatIndex)]};
  std::size_t i = 0;
  while (i <= Text.size()) {
    std::size_t end = Text.find_first_of(u"\r\n", i);
    if (end == StringView::npos) end = Text.size();
    piece.FParas.back().Text.assign(Text.substr(i, end - i));
    if (end >= Text.size()) break;
    i = end + (Text[end] == u'\r' && end + 1 < Text.size() && Text[end + 1] == u'\n' ? 2 : 1);
    piece.FParas.emplace_back();
  }
  return InsertDocument(Pos, piece);
}

Integer TRichDocument::InsertDocument(Integer Pos, const TRichDocument& Piece) {
  Integer para, offset;
  Locate(Pos, para, offset);
  Pos = ParagraphStart(para) + offset;
  std::vector<Integer> map(Piece.FFormats.size());
  for (std::size_t i = 0; i < map.size(); ++i) map[i] = Intern(Piece.FFormats[i]);
  // Split the paragraph at the insertion point into head and tail.
  TRichParagraph& host = Paragraph(para);
  SplitRunAt(para, offset);
  TRichParagraph tail;
  tail.Text = host.Text.substr(static_cast<std::size_t>(offset));
  tail.Align = host.Align;
  tail.Justify = host.Justify;
  tail.Runs.clear();
  std::size_t firstTail = host.RunAt(offset);
  if (host.Runs[firstTail].Start < offset) ++firstTail;
  for (std::size_t r = firstTail; r < host.Runs.size(); ++r) tail.Runs.push_back({host.Runs[r].Start - offset, host.Runs[r].Format});
  if (tail.Runs.empty()) tail.Runs.push_back({0, host.Runs.back().Format});
  host.Runs.resize(firstTail);
  host.Text.resize(static_cast<std::size_t>(offset));
  // Runs of the piece take this document's format indexes; the tail's are already this document's.
  auto append = [&](TRichParagraph& to, const TRichParagraph& from, bool fromPiece) {
    auto base = static_cast<Integer>(to.Text.size());
    to.Text += from.Text;
    for (const TRichRun& r : from.Runs)
      to.Runs.push_back({base + r.Start, fromPiece ? map[static_cast<std::size_t>(r.Format)] : r.Format});
  };
  Integer inserted = 0;
  std::vector<TRichParagraph> middle;
  for (std::size_t i = 0; i < Piece.FParas.size(); ++i) {
    const TRichParagraph& src = Piece.FParas[i];
    inserted += static_cast<Integer>(src.Text.size()) + (i ? 1 : 0);
    if (i == 0) {
      append(host, src, true);
      if (Piece.FParas.size() > 1) {
        host.Align = src.Align;
        host.Justify = src.Justify;
      }
    } else {
      TRichParagraph p = src;
      p.Runs.clear();
      for (const TRichRun& r : src.Runs) p.Runs.push_back({r.Start, map[static_cast<std::size_t>(r.Format)]});
      middle.push_back(std::move(p));
    }
  }
  TRichParagraph& last = middle.empty() ? host : middle.back();
  append(last, tail, false);
  if (host.Runs.empty()) host.Runs.push_back({0, tail.Runs.front().Format});
  host.Normalize();
  for (TRichParagraph& p : middle) p.Normalize();
  FParas.insert(FParas.begin() + para + 1, std::make_move_iterator(middle.begin()), std::make_move_iterator(middle.end()));
  Touch();
  return Pos + inserted;
}

void TRichDocument::Delete(Integer From, Integer To) {
  if (From > To) std::swap(From, To);
  Integer p0, o0, p1, o1;
  Locate(From, p0, o0);
  Locate(To, p1, o1);
  if (p0 == p1 && o0 == o1) return;
  SplitRunAt(p0, o0);
  SplitRunAt(p1, o1);
  TRichParagraph& first = Paragraph(p0);
  const TRichParagraph& last = Paragraph(p1);
  // first keeps its text before o0 and takes last's text after o1.
  std::vector<TRichRun> runs;
  for (const TRichRun& r : first.Runs)
    if (r.Start < o0) runs.push_back(r);
  Integer keepFormat = first.Runs[first.RunAt(o0)].Format;
  for (const TRichRun& r : last.Runs)
    if (r.Start >= o1) runs.push_back({o0 + r.Start - o1, r.Format});
  String text = first.Text.substr(0, static_cast<std::size_t>(o0)) + last.Text.substr(static_cast<std::size_t>(o1));
  first.Text = std::move(text);
  if (runs.empty()) runs.push_back({0, keepFormat});
  first.Runs = std::move(runs);
  first.Normalize();
  FParas.erase(FParas.begin() + p0 + 1, FParas.begin() + p1 + 1);
  Touch();
}

TRichDocument TRichDocument::Copy(Integer From, Integer To) const {
  if (From > To) std::swap(From, To);
  TRichDocument piece = *this;
  piece.Delete(To, piece.Length());
  piece.Delete(0, From);
  return piece;
}

void TRichDocument::ApplyFormat(Integer From, Integer To, DWORD Mask, const TRichFormat& F) {
  if (From < 0 && To < 0) {
    From = 0;
    To = Length();
  }
  if (From > To) std::swap(From, To);
  auto merge = [&](TRichFormat base) {
    if (Mask & rfBold) base.Bold = F.Bold;
    if (Mask & rfItalic) base.Italic = F.Italic;
    if (Mask & rfUnderline) base.Underline = F.Underline;
    if (Mask & rfStrikeOut) base.StrikeOut = F.StrikeOut;
    if (Mask & rfOffset) base.Offset = F.Offset;
    if (Mask & rfFace) base.Name = F.Name;
    if (Mask & rfColor) {
      base.AutoColor = F.AutoColor;
      base.Color = F.Color;
    }
    if (Mask & rfSize) base.Height = F.Height;
    if (Mask & rfCharset) base.Charset = F.Charset;
    if (Mask & rfScript) base.Script = F.Script;
    return Intern(base);
  };
  Integer p0, o0, p1, o1;
  Locate(From, p0, o0);
  Locate(To, p1, o1);
  for (Integer p = p0; p <= p1; ++p) {
    Integer a = p == p0 ? o0 : 0;
    Integer b = p == p1 ? o1 : static_cast<Integer>(Paragraph(p).Text.size());
    bool emptyPara = Paragraph(p).Text.empty();
    if (a == b && !emptyPara) continue;
    SplitRunAt(p, a);
    SplitRunAt(p, b);
    TRichParagraph& para = Paragraph(p);
    for (std::size_t r = 0; r < para.Runs.size(); ++r) {
      Integer end = para.RunEnd(r);
      if ((para.Runs[r].Start >= a && end <= b && end > para.Runs[r].Start) || emptyPara)
        para.Runs[r].Format = merge(Format(para.Runs[r].Format));
    }
    para.Normalize();
  }
  Touch();
}

Integer TRichDocument::FormatIndexAt(Integer Pos) const {
  Integer para, offset;
  Locate(Pos, para, offset);
  const TRichParagraph& p = Paragraph(para);
  return p.Runs[p.RunAt(std::max(0, offset - 1))].Format;
}

TRichFormat TRichDocument::FormatOfRange(Integer From, Integer To, DWORD& SameMask) const {
  if (From > To) std::swap(From, To);
  SameMask = rfAll;
  if (From == To) return Format(FormatIndexAt(From));
  Integer p0, o0, p1, o1;
  Locate(From, p0, o0);
  Locate(To, p1, o1);
  const TRichFormat* first = nullptr;
  for (Integer p = p0; p <= p1; ++p) {
    const TRichParagraph& para = Paragraph(p);
    Integer a = p == p0 ? o0 : 0, b = p == p1 ? o1 : static_cast<Integer>(para.Text.size());
    for (std::size_t r = para.RunAt(a); r < para.Runs.size() && para.Runs[r].Start < std::max(b, a + 1); ++r) {
      if (para.RunEnd(r) <= a && !para.Text.empty()) continue;
      const TRichFormat& f = Format(para.Runs[r].Format);
      if (!first) {
        first = &f;
        continue;
      }
      if (f.Bold != first->Bold) SameMask &= ~DWORD(rfBold);
      if (f.Italic != first->Italic) SameMask &= ~DWORD(rfItalic);
      if (f.Underline != first->Underline) SameMask &= ~DWORD(rfUnderline);
      if (f.StrikeOut != first->StrikeOut) SameMask &= ~DWORD(rfStrikeOut);
      if (f.Offset != first->Offset) SameMask &= ~DWORD(rfOffset);
      if (f.Name != first->Name) SameMask &= ~DWORD(rfFace);
      if (f.AutoColor != first->AutoColor || f.Color != first->Color) SameMask &= ~DWORD(rfColor);
      if (f.Height != first->Height) SameMask &= ~DWORD(rfSize);
      if (f.Charset != first->Charset) SameMask &= ~DWORD(rfCharset);
      if (f.Script != first->Script) SameMask &= ~DWORD(rfScript);
    }
  }
  return first ? *first : Format(FormatIndexAt(From));
}

void TRichDocument::SetAlignment(Integer From, Integer To, TAlignment Align, bool Justify) {
  if (From > To) std::swap(From, To);
  Integer p0, o0, p1, o1;
  Locate(From, p0, o0);
  Locate(To, p1, o1);
  for (Integer p = p0; p <= p1; ++p) {
    Paragraph(p).Align = Align;
    Paragraph(p).Justify = Justify;
    Paragraph(p).Layout.reset();
  }
  Touch();
}
