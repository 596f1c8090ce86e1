#pragma once
// The runtime's text files: a file named by AssignFile, opened for writing by Rewrite or for
// reading by Reset, written with Write / WriteLn and read with ReadLn, closed by CloseFile (or
// when the TTextFile goes).
//
// Text is stored in the ANSI code page (Windows-1252); WriteLn ends a line with CR LF, and ReadLn
// takes CR LF, LF or a lone CR as the end of a line. ReadLn at the end of the file gives an empty
// line.
//
// Every failure raises EInOutError whose ErrorCode is the runtime's I/O result:
//   2 "File not found"        Reset of a file that does not exist
//   3 "Invalid filename"      the folder of the name does not exist, or the name is too long
//   4 "Too many open files"
//   5 "File access denied"    no permission, a folder, a read-only file system
//   101 "Disk full"           writing found no space
//   102 "I/O error 102"       Reset or Rewrite of a file never named by AssignFile
//   103 "I/O error 103"       the file is not open
//   104 "I/O error 104"       reading a file opened for writing
//   105 "I/O error 105"       writing a file opened for reading
// Any other system error gives its error number as the code and "I/O error <code>".
#include <string>

#include "platform/rtl/SysUtils.h"

class TTextFile {
public:
  TTextFile() = default;
  // Closes the file; written text that cannot be flushed then is lost without an error.
  ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  const String& GetFileName() const { return FFileName; }
  bool IsOpen() const { return FMode != tmClosed; }

private:
  enum TMode { tmClosed, tmInput, tmOutput };
  friend void AssignFile(TTextFile& F, const String& FileName);
  friend void Rewrite(TTextFile& F);
  friend void Reset(TTextFile& F);
  friend void Write(TTextFile& F, StringView Text);
  friend void ReadLn(TTextFile& F, String& Line);
  friend bool Eof(TTextFile& F);
  friend void CloseFile(TTextFile& F);

  void Open(TMode Mode);
  void Require(TMode Mode) const;
  void Flush();
  bool Fill();
  void CloseHandle();

  String FFileName;
  bool FAssigned = false;
  TMode FMode = tmClosed;
  int FHandle = -1;
  // Output: encoded text not yet written. Input: bytes read and not yet taken from FStart on.
  std::string FBuffer;
  std::size_t FStart = 0;
  bool FAtEnd = false;
};

// Names the file; closes it first when it is open.
void AssignFile(TTextFile& F, const String& FileName);
// Creates the file, or empties it when it exists, and opens it for writing.
void Rewrite(TTextFile& F);
// Opens an existing file for reading from its start.
void Reset(TTextFile& F);
void Write(TTextFile& F, StringView Text);
void WriteLn(TTextFile& F, StringView Text = {});
// The next line without its line end.
void ReadLn(TTextFile& F, String& Line);
// True when nothing is left to read.
bool Eof(TTextFile& F);
// Writes what is pending and closes the file; the name stays assigned.
void CloseFile(TTextFile& F);
