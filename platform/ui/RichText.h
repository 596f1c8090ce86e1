#pragma once
// The content of a rich edit: paragraphs of text runs, each run with a character format, and the
// reader and writer of the Rich Text Format. Character positions count one position per UTF-16
// unit and one for each paragraph end, as the rich edit's messages do; a line break inside a
// paragraph (RTF \line) is the character U+000B.
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

enum TRichScript : unsigned char { rsNone, rsSubscript, rsSuperscript };

struct TRichFormat {
  String Name = u"Arial";
  Integer Height = 200;   // twips (1/20 point)
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  bool AutoColor = true;  // the control's text colour
  COLORREF Color = 0;
  Integer Offset = 0;     // twips above the baseline (negative: below)
  TRichScript Script = rsNone;
  Byte Charset = 1;       // DEFAULT_CHARSET
  bool operator==(const TRichFormat&) const = default;
};

struct TRichRun {
  Integer Start;   // offset in the paragraph's text
  Integer Format;  // index in the document's format table
};

struct TRichParaLayout;   // the laid-out form of a paragraph (RichLayout.cpp)
struct TRichParaLayoutDeleter {
  void operator()(TRichParaLayout* P) const;
};

struct TRichParagraph {
  String Text;
  std::vector<TRichRun> Runs{{0, 0}};   // sorted by Start, the first at 0, never empty
  TAlignment Align = taLeftJustify;
  bool Justify = false;                 // \qj
  // Cached layout; reset whenever text, formats or the layout's parameters change.
  mutable std::unique_ptr<TRichParaLayout, TRichParaLayoutDeleter> Layout;

  TRichParagraph() = default;
  TRichParagraph(const TRichParagraph& O) : Text(O.Text), Runs(O.Runs), Align(O.Align), Justify(O.Justify) {}
  TRichParagraph& operator=(const TRichParagraph& O) {
    Text = O.Text;
    Runs = O.Runs;
    Align = O.Align;
    Justify = O.Justify;
    Layout.reset();
    return *this;
  }
  TRichParagraph(TRichParagraph&&) = default;
  TRichParagraph& operator=(TRichParagraph&&) = default;
  // The run holding the character at Offset (the last run starting at or before it).
  std::size_t RunAt(Integer Offset) const;
  Integer RunEnd(std::size_t Run) const {
    return Run + 1 < Runs.size() ? Runs[Run + 1].Start : static_cast<Integer>(Text.size());
  }
  // Joins neighbouring runs of one format and drops empty runs (keeping one).
  void Normalize();
};

// Which attributes a format operation touches (the rich edit's CFM_* bits).
enum : DWORD {
  rfBold = 0x1, rfItalic = 0x2, rfUnderline = 0x4, rfStrikeOut = 0x8, rfOffset = 0x10000000,
  rfFace = 0x20000000, rfColor = 0x40000000, rfSize = 0x80000000, rfCharset = 0x08000000,
  rfScript = 0x00030000, rfAll = 0xF803000F
};

class TRichDocument {
public:
  TRichDocument();

  // ---- content
  Integer ParagraphCount() const { return static_cast<Integer>(FParas.size()); }
  const TRichParagraph& Paragraph(Integer Index) const { return FParas[static_cast<std::size_t>(Index)]; }
  TRichParagraph& Paragraph(Integer Index) { return FParas[static_cast<std::size_t>(Index)]; }
  const TRichFormat& Format(Integer Index) const { return FFormats[static_cast<std::size_t>(Index)]; }
  Integer FormatCount() const { return static_cast<Integer>(FFormats.size()); }
  // The index of a format in the table, added when new.
  Integer Intern(const TRichFormat& F);
  // Every position: the text's units plus one per paragraph end between paragraphs.
  Integer Length() const;
  // The text with paragraphs joined by Separator.
  String Text(StringView Separator = u"\r\n") const;
  String TextRange(Integer From, Integer To, StringView Separator = u"\r") const;
  void Clear(const TRichFormat& Default);
  // The paragraph holding position Pos (clamped) and the offset in it.
  void Locate(Integer Pos, Integer& Para, Integer& Offset) const;
  Integer ParagraphStart(Integer Para) const;
  // A new empty paragraph at the end (for readers building a document).
  TRichParagraph& AppendParagraph() { return FParas.emplace_back(); }

  // ---- editing
  // Inserts Text (CR, LF and CR LF end paragraphs) at Pos in format FormatIndex; the position
  // after it.
  Integer Insert(Integer Pos, StringView Text, Integer FormatIndex);
  // Inserts a piece of another document (its formats and paragraph alignment come along).
  Integer InsertDocument(Integer Pos, const TRichDocument& Piece);
  void Delete(Integer From, Integer To);
  TRichDocument Copy(Integer From, Integer To) const;
  // Sets the attributes Mask selects in From .. To (every character when From = To = -1).
  void ApplyFormat(Integer From, Integer To, DWORD Mask, const TRichFormat& F);
  // The format of the character before Pos (at Pos for the start of a paragraph): what typing uses.
  Integer FormatIndexAt(Integer Pos) const;
  // The format of the first character in From .. To and the attributes that are the same for all.
  TRichFormat FormatOfRange(Integer From, Integer To, DWORD& SameMask) const;
  void SetAlignment(Integer From, Integer To, TAlignment Align, bool Justify = false);

  // Bumped on every change; layouts and views compare it.
  // Versions are unique across documents, so a document assigned over another never repeats one.
  std::uint64_t Version() const { return FVersion; }
  void Touch();

  // ---- Rich Text Format
  // Reads RTF (anything else: plain text in ADefault). Never fails: what cannot be read is left out.
  static TRichDocument FromRtf(const std::string& ARtf, const TRichFormat& ADefault);
  std::string ToRtf() const;

  TRichFormat Default;   // the format of new text where nothing else applies

private:
  void SplitRunAt(Integer Para, Integer Offset);
  std::vector<TRichParagraph> FParas;
  std::vector<TRichFormat> FFormats;
  std::uint64_t FVersion = 0;
};

// True when the bytes start (after blanks) with "{\rtf".
bool IsRtf(const std::string& AData);
