#pragma once
// The grid's stateless text routines: searching and splitting, line breaks, CSV and text-file
// conversions, the kind of a cell's text, the pair encoding of Unicode text, and the clipboard's
// "HTML Format" layout. Texts are UTF-16; positions are 1-based and 0 means "absent"; CR and LF
// are characters 13 and 10.
#include "platform/rtl/Classes.h"
#include "platform/win/WinTypes.h"

class TCanvas;

// ---- searching and splitting

// Position of Sub in Text (0 when absent), also stored in Pos.
Integer FindSubText(StringView Sub, StringView Text, Integer& Pos);
// Position of Sub (expected in upper case) in the upper-cased Text.
Integer FindSubTextUpper(StringView Sub, StringView Text);
Integer FindWideSubText(StringView Sub, StringView Text);
Integer FindCharPos(Char C, StringView Text);
Integer FindCharPosEx(Char C, StringView Text, Integer& Pos);
Integer CharOccurrences(Char C, StringView Text);
Integer CharOccurrencesInLine(Char C, Char Ignored, StringView Text);
// Occurrences of C outside parts quoted with '"' or '\'' (a part is closed only by the quote
// that opened it); when a quote is left open, the occurrences after it count too.
Integer CountCharOutsideQuotes(Char C, StringView Text);
// In runs of Q an even run is escaped quotes: the position of the last character of the first
// run of odd length, also stored in Pos; 0 when there is none.
Integer FindClosingQuote(Char Q, StringView Text, Integer& Pos);
// The text before the first Delimiter, removed from Source with the delimiter; when the delimiter
// is absent the result is empty and Source unchanged.
String CutToken(String& Source, StringView Delimiter);
// Adds each item between delimiters to List (the last one too), in double quotes when it holds a
// blank.
void SplitQuotedToList(Char Delimiter, StringView Text, TStrings* List);
// Removes the first and last character of a text longer than 2 that both are '"'.
String StripEnclosingQuotes(StringView Text);
String DoubleQuoteChars(StringView Text);
// Each pair C C collapsed to one C.
String UndoubleChar(Char C, StringView Text);
String ConcatStrings(TStrings* List);
void OverwriteChars(String& Text, Char C);
// First letter of every word upper case, the rest lower case; "Mc" names and " II" kept upper.
String ProperCaseNames(StringView Text);
// Accents stripped: the composite folding of the text with only characters below 256 kept, at
// most the first 2,047 folded characters.
String FoldToLatin1(StringView Text);
// "R<row>C<col>" (any case) into Point (X column, Y row); false when the text is not one.
bool ParseRowColRef(StringView Text, TPoint& Point);

// ---- lines

// Line := the text up to its first CR, which is removed with the CR and an LF right after it (the
// whole text when it holds no CR); without Keep the text is emptied anyway.
void TakeFirstLine(String& Text, bool Keep, String& Line);
// 1, or with MultiLine 1 plus one for each CR that more text follows (the character after a CR is
// taken to be its LF).
Integer TextLineCount(StringView Text, bool MultiLine);
// The line with the largest text width on the canvas (the first of equal ones).
String WidestLine(TCanvas* Canvas, StringView Text);
// A text holding a CR: CR -> 9, LF -> 8, 0 -> 1, so that it fits one line of a file.
String PackLineBreaks(StringView Text);
// A text holding 8: 9 -> CR, 8 -> LF, 1 -> 0; without KeepAll only its first line.
String UnpackLineBreaks(StringView Text, bool KeepAll);
String LineBreaksToHtml(StringView Text);   // CR -> "<br>"
String RemoveCR(StringView Text);
String CRToLF(StringView Text);
String CRLFToLF(StringView Text);
String BackslashNToCR(StringView Text);   // backslash n -> CR
String CRToBackslashN(StringView Text);   // CR -> backslash n, LF dropped

// ---- CSV and text files

void QuoteMultiLineText(String& Text);   // CR LF -> 11, then enclosed in double quotes
void VTToCRLF(String& Text);             // 11 -> CR LF
void CRToTilde(String& Text);            // CR -> '~', LF dropped
void TildeToCRLF(String& Text);          // '~' -> CR LF; "^" becomes empty
// Called for each cell text written to or line read from a text file with OEM conversion on;
// both keep the text as it is.
void AnsiToOemText(String& Text);
void OemToAnsiText(String& Text);

// ---- cell text kinds

enum TCellTextKind { ctkPlain = 0, ctkHtml = 1, ctkRichText = 2, ctkFormula = 3, ctkLink = 4, ctkPairEncoded = 5 };

// 0 plain, 1 HTML (only when HtmlAware), 2 rich text, 3 formula, 4 link, 5 pair-encoded Unicode.
Integer DetectCellTextKind(StringView Text, bool HtmlAware);
bool HasUrlScheme(StringView Text);   // holds "://" or "mailto:"
// Deletes up to and including the first "://", or else up to and including "mailto:".
void StripUrlScheme(String& Text);
// Characters from 256 up as "&#<code>;" (a surrogate pair as one entity of its code point).
String WideCharsToEntities(StringView Text);
// When the upper-cased Text holds Sub (upper case): Result := Text with '<' and '>' escaped and
// the link starting at Sub wrapped in an anchor; otherwise false and Result unchanged.
bool HtmlEscapeAndLink(StringView Text, StringView Sub, String& Result);

// ---- pair encoding (Unicode text in 8-bit cell storage)

// "|\" then, for each character, its high byte and its low byte as two characters.
String EncodePairEncodedText(StringView Text);
// The inverse; a text without the "|\" prefix is returned as it is, an odd last character is
// ignored.
String DecodePairEncodedText(StringView Text);

// ---- clipboard

// Turns an HTML fragment into the clipboard's "HTML Format" text: a header of byte offsets into
// the UTF-8 form of the text, a document head, and the fragment between the fragment markers.
void PutHtmlOnClipboard(String& Fragment);
