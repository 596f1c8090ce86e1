#pragma once
// TNeoUtils: the library's stateless helper class. Every operation is a class method (static):
// text positions and replacement, JSON string escaping, markup escaping and stripping, URL, Base64
// and hexadecimal conversions, character sets, the filter condition matcher, date parsing, files
// and folders, shell opening, image download and type detection, hexadecimal picture and stream
// conversions, JPEG conversion, DPI and font routines, integer scaling, the debug log and a
// reversible character scrambler.
//
// Texts are UTF-16 and positions 1-based, as everywhere in the library. Failures are reported by
// result values (0, -1, false, empty) unless an operation says it raises.
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Graphics.h"

class TControl;
class TCustomForm;
class TFont;
class TPicture;
class TResourceStream;

// A set of UTF-16 code units, in the order they were added.
using TNeoUtilsCharSet = std::vector<Char>;

// Called by the file dialogs with the file name and whether the user confirmed.
using TNeoUtilsFileCallBackEvent = std::function<void(const String& FileName, bool Success)>;

// A point with floating point coordinates.
struct TNeoPointF {
  Single X = 0;
  Single Y = 0;
};

// Clipboard formats the library registers when its units start (0 until then, and in a console
// program). CF_NEOBITMAP is the standard bitmap format.
extern UINT CF_RICHEDITORTEXT;   // "RichEditorText"
extern UINT CF_NEOSTREAM;        // "TNeoClipBoard.StreamFormat"
extern UINT CF_RTF;              // "Rich Text Format"
extern UINT CF_HTML;             // "HTML Format"
extern UINT CF_NEOBITMAP;        // CF_BITMAP (2)

// Packing and unpacking of integers.
constexpr Word HiWord(Cardinal Value) { return static_cast<Word>(Value >> 16); }
constexpr Word LoWord(Cardinal Value) { return static_cast<Word>(Value); }
constexpr Word MakeWord(Byte Low, Byte High) { return static_cast<Word>(Low | (High << 8)); }
constexpr Cardinal MakeLong(Word Low, Word High) { return static_cast<Cardinal>(Low) | (static_cast<Cardinal>(High) << 16); }

class TNeoUtils {
public:
  TNeoUtils() = delete;

  // ---- positions and replacement ------------------------------------------------------------
  // The code unit at Index (1-based); 0 when Index is below 1 or beyond the end.
  static Char CharInStr(StringView S, Integer Index);
  // Position of Sub in S ignoring the case of ASCII letters; 0 when absent or Sub is empty.
  static Integer IPos(StringView Sub, StringView S);
  // Case-sensitive (VarPos) or ASCII-case-insensitive (VarPosNoCase) position, also stored in Result.
  static Integer VarPos(StringView Sub, StringView S, Integer& Result);
  static Integer VarPosNoCase(StringView Sub, StringView S, Integer& Result);
  // Replaces the first occurrence of Srch in Dest (found ignoring ASCII case) by Repl.
  static bool TagReplaceString(StringView Srch, StringView Repl, String& Dest);
  // Index of the first entry of AArray equal to AText; -1 when absent. Texts compare ignoring
  // case, except that a text holding "cute", "grave", "uml", "circ", "tilde", "ring" or "cedil"
  // must match in case too.
  static Integer IndexOfTextInArray(StringView AText, const std::vector<String>& AArray);

  // ---- JSON strings ---------------------------------------------------------------------------
  // Double quote, backslash and the control characters 8, 9, 10, 12, 13 become \uXXXX escapes,
  // every code unit from 128 up becomes \uXXXX (upper-case digits); other ASCII stays.
  static String EscapeString(StringView S);
  // Resolves \" \\ \/ \b \f \n \r \t and \uXXXX (either case; surrogate pairs as two escapes).
  // Raises Exception "Unexpected end of string" for a final backslash and
  // "Invalid code at position N" (N the backslash's position) for any other escape.
  static String UnescapeString(StringView S);

  // ---- markup ----------------------------------------------------------------------------------
  // Escapes "&", the double quote, "<" and ">" in one pass; with SpecialChars also the characters
  // of the entity table (a blank becomes "&nbsp;") and every other code unit above 256 as "&#N;".
  static String FixMarkup(StringView S, bool SpecialChars = true);
  // Decodes "&lt;", "&gt;", "&amp;", "&quot;" and, with SpecialChars, the entities of the table, in
  // one pass: each entity is matched exactly (letter case included) and decoded once. "&Otilde"
  // without its semicolon, as older markup writes it, decodes too.
  static String UnFixMarkup(StringView S, bool SpecialChars = true);
  // 0-based index of Markup in the entity table; -1 when absent (rule as IndexOfTextInArray).
  // "&Otilde" without its semicolon finds the row of "&Otilde;".
  static Integer GetMarkupIndex(StringView Markup);
  // Entry Value (1-based) of the character table; empty outside 1..86.
  static String GetSpecialChar(Integer Value);
  // The number of entries of the character and entity tables.
  static Integer MarkupCount();
  // Entry Index (1-based) of the entity table; empty outside 1..86.
  static String GetMarkupEntity(Integer Index);
  // S without tags; "<BR>" and "<HR>" (any case) become CR LF; a "<" without a ">" after it keeps
  // the rest of S as it stands.
  static String HTMLStrip(StringView S);
  // True when S holds "</" or "/>", or "<BR>" in any case.
  static bool IsHTML(StringView S);
  static bool IsHTMLUnicode(StringView S);

  // ---- URL, Base64, hexadecimal ---------------------------------------------------------------------
  // UTF-8 bytes of S; A-Z a-z 0-9 - . _ stay, every other byte becomes %XX (upper-case digits).
  static String URLEncode(StringView S);
  // %XX gives a byte; a "%" without two hexadecimal digits after it is dropped with what follows
  // (up to two characters); every other character gives its UTF-8 bytes. The bytes are read as
  // UTF-8 and trimmed of blanks and control characters.
  static String URLDecode(StringView S);
  // Base64 (RFC 4648) to bytes; URLSafe pads with "=" and maps "-" "_" to "+" "/". Empty for
  // empty or invalid text.
  static TBytes Decode64ToBytes(StringView S, bool URLSafe);
  // Each pair of hexadecimal digits to a byte (an odd last digit is ignored); a pair that is not
  // hexadecimal raises EConvertError.
  static TBytes HexStrToBytes(StringView S);

  // ---- small text helpers --------------------------------------------------------------------------
  // S without the locale's thousand separator.
  static String StripThousandSep(StringView S);
  // S without the blanks outside double quotes.
  static String StripLogicSpaces(StringView S);
  // Position of the ")" balancing the "(" seen from the start; 0 when none.
  static Integer ClosingParenthesis(StringView S);

  // ---- character sets -------------------------------------------------------------------------------
  static TNeoUtilsCharSet NumericCharSet();   // "0" .. "9"
  static TNeoUtilsCharSet AlphaCharSet();     // "a" .. "z", then "A" .. "Z"
  static TNeoUtilsCharSet CreateCharSet(StringView S);
  static TNeoUtilsCharSet AddCharSet(const TNeoUtilsCharSet& A, const TNeoUtilsCharSet& B);
  static TNeoUtilsCharSet SubCharSet(const TNeoUtilsCharSet& A, const TNeoUtilsCharSet& B);
  static bool CharInSet(Char C, const TNeoUtilsCharSet& Set);
  // The first character of S in Set outside double quotes, with its position (1-based); 0 and
  // Pos -1 when none.
  static Char FirstChar(const TNeoUtilsCharSet& Set, StringView S, Integer& Pos);
  // Clears Strings and fills it with Input cut at each Delimiter (blanks do not cut; double quotes
  // group); without empty items when RemoveEmpty.
  static void Split(Char Delimiter, StringView Input, bool RemoveEmpty, TStrings* Strings);

  // ---- conditions -----------------------------------------------------------------------------------
  // Filter conditions. A pattern (Matches, MatchStr) is
  //   ["!"] comparison {("&" | "^" | "|" | ";") comparison}
  //         with comparison = (">" | ">=" | "<" | "<=") value
  //   ["!"] wildcard text    "*" any run, "?" any one character, "..." a literal ("" inside: one quote)
  // A leading "!" negates. A value runs to the next joining character outside quotes, trimmed,
  // its outer quotes left out; it compares as a number when both sides are numbers and not dates,
  // as a date when both are dates (IsDate), else as text by code unit. Comparisons join left to
  // right: "&" AND, the others OR. A wildcard text other than an empty one ("" or nothing) never
  // matches an empty S.
  static bool Matches(StringView Pattern, StringView S);
  // Matches; without CaseSensitive both texts are upper-cased first.
  static bool MatchStr(StringView Pattern, StringView S, bool CaseSensitive);
  // An expression of patterns joined by "&" (AND) or ";", "^", "|" (OR), left to right, with
  // parenthesised groups; blanks outside quotes and one leading "=" are ignored. An empty
  // expression matches only an empty S.
  static bool MatchStrEx(StringView Expression, StringView S, bool CaseSensitive);

  // ---- dates --------------------------------------------------------------------------------------------
  // A date in the order of the locale's short date format, parts cut at its date separator, with
  // an optional time "h:n[:s]" after a blank.
  static bool IsDate(StringView S, TDateTime& Date);
  // The integer text S as seconds since 1970-01-01 (UTC); 0 when S is not an integer.
  static TDateTime EpochToDateTime(StringView S);

  // ---- files, folders and the shell ----------------------------------------------------------------------
  // Save dialog: overwrite prompt, initial folder FileName's folder or the documents folder,
  // FileName's name preset. On confirm FileName is the chosen path (with FileName's former
  // extension when it has none). Callback gets FileName and the result.
  static bool SaveFile(String& FileName, const String& Filter, const TNeoUtilsFileCallBackEvent& Callback = nullptr);
  // Open dialog for an existing file; initial folder DefaultFolder or the documents folder.
  static bool SelectFile(String& FileName, const String& DefaultFolder = String(),
                         const TNeoUtilsFileCallBackEvent& Callback = nullptr, const String& Filter = String());
  // An information box with an OK button; the general form answers the modal result.
  static void Message(const String& Text);
  static Integer Message(const String& Text, TMsgDlgType DialogType, Integer HelpContext, TMsgDlgButtons Buttons);
  static String GetTempPath();       // ends with "/"
  static String GetAppPath();        // the program's folder, ending with "/"
  static String GetDocumentsPath();  // the user's documents folder (XDG), without "/" at the end
  // S with "\" or "/" appended when S is not empty and does not end with it.
  static String AddBackslash(StringView S);
  static String AddForwardslash(StringView S);
  // Opens the file or URL with the desktop's handler (no shell is involved).
  static void OpenFile(const String& FileName, TControl* Control = nullptr);
  static void OpenURL(const String& URL);
  static HINSTANCE GetHInstance();
  // A stream over the RCDATA resource Name; nullptr when there is none.
  static std::unique_ptr<TResourceStream> GetResourceStream(const String& Name);
  static std::unique_ptr<TResourceStream> GetResourceStream(const String& Name, HINSTANCE Instance);

  // ---- forms, DPI, fonts -----------------------------------------------------------------------------------
  // The first TCustomForm among Component's owners (Component excluded); nullptr when none.
  static TCustomForm* GetOwnerForm(TComponent* Component);
  // The form at the top of the control's parent chain (the control itself when it is a form
  // without parent); nullptr when none.
  static TCustomForm* GetParentForm(TControl* Control);
  // The scale of the application's main form, else of Owner's owner form: monitor pixels per
  // inch / 96 for a scaled TForm, 1.0 otherwise.
  static Single GetDPIScale(TComponent* Owner = nullptr);
  static bool IsHighDPIScale();
  static TNeoPointF GetMousePos();
  // The installed font families, without a name repeated right after itself, sorted.
  static void GetFonts(TStrings* List);
  // Font's points := Size / 96 x 72, rounded (halves to even).
  static void SetFontSize(TFont* Font, Double Size);

  // ---- pictures and streams ----------------------------------------------------------------------------------
  // The largest body DownloadImage accepts.
  static constexpr Int64 MaxDownloadSize = 64 * 1024 * 1024;
  // The image at URL (HTTP or HTTPS) as a new stream positioned at its end; empty when the
  // content type is not an image. Raises Exception "Cannot open URL <URL>" when it cannot be
  // fetched and "Image at <URL> exceeds <n> bytes" for a body above MaxDownloadSize.
  static std::unique_ptr<TMemoryStream> DownloadImage(const String& URL);
  // ".gif", ".bmp", ".png", ".tiff", ".jpg", ".unknown" (icon) or ".empty" from the first 4
  // bytes (from the start when ResetPosition); empty when none matches or fewer than 4 bytes.
  // The position is restored.
  static String GetImageType(TStream* Stream, bool ResetPosition);
  // The registered picture class for the data (BMP, JPEG, PNG, GIF, TIFF, EMF, icon); false and
  // nullptr when none is recognised or registered.
  static bool FindGraphicClass(const void* Buffer, Int64 Size, TGraphicClass& GraphicClass);
  // Every byte from position 0 as two upper-case hexadecimal digits.
  static String SaveStreamToHexStr(TStream* Stream);
  // The picture's graphic in its own format as hexadecimal text; empty without a graphic.
  static String SaveBitmapToHexStr(TPicture* Picture);
  // Decodes the text and writes the bytes into Stream at its position.
  static void LoadStreamFromHexStr(StringView Hex, TStream* Stream);
  // Decodes the text and loads a graphic of the class FindGraphicClass finds into Picture;
  // nothing when the data is Base64 text (holds ";base64,") or no class is found.
  static void LoadBitmapFromHexStr(StringView Hex, TPicture* Picture);
  // A new picture of the library's picture class (the class registered as "TNeoBitmap" by the
  // graphics layer; a plain TPicture before that) loaded by LoadBitmapFromHexStr.
  static std::unique_ptr<TPicture> CreateBitmapFromHexStr(StringView Hex);
  // JPEG data of the picture: a JPEG's own bytes, any other picture drawn on BackgroundColor
  // (white for clNone or -1) and compressed at Quality x 100. nullptr when the type is unknown.
  static std::unique_ptr<TMemoryStream> ConvertBitmapToJPEGStream(TPicture* Picture, TColor BackgroundColor,
                                                                  Single Quality);

  // ---- numbers, log, scrambler ---------------------------------------------------------------------------------
  // "512 Bytes", "1.50 KB" (locale decimal separator) .. "TB"; empty below 0.
  static String FormatBytesAsString(Int64 Size);
  // Number x Numerator / Denominator on 64 bits, halves away from zero; -1 when Denominator is 0
  // (or the result does not fit an Integer).
  static Integer MulDivInt(Integer Number, Integer Numerator, Integer Denominator);
  // The three values rounded (halves to even), then MulDivInt(Number, Numerator, Denominator).
  static Integer MulDivSingle(Single Denominator, Single Numerator, Single Number);
  // Text to the debug output.
  static void Log(const String& Text);
  // Swaps bits of the low byte of each code unit (the high byte is dropped); applying it twice
  // restores a text whose code units are below 256.
  static String EnDeCrypt(StringView Text);

  // ---- component copies and JSON (NeoUtilsJSON.cpp, over the object persistence) ----------------
  // A copy of Component without owner and without name, made by writing its published properties
  // and reading them into a new instance of its class; the caller owns it.
  static TComponent* Clone(TComponent* Component);
  // The JSON operations every object has (TObjectJSONHelper), forwarded unchanged.
  static String ToJSON(TObject* AObject);
  static String ToJSON(TObject* AObject, const std::vector<String>& AExcludedProperties);
  static void FromJSON(TObject* AObject, const String& Value);
  static void Log(TObject* AObject);
  static void SaveToJSONFile(TObject* AObject, const String& AFileName);
  static void LoadFromJSONFile(TObject* AObject, const String& AFileName);
  static void SaveToJSONStream(TObject* AObject, TStream* AStream);
  static void LoadFromJSONStream(TObject* AObject, TStream* AStream);
};
