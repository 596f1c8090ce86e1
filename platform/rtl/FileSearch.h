#pragma once
// Listing a folder: FindFirst / FindNext / FindClose over the entries whose names match a mask
// with '*' and '?', and the folder and name parts of a path.
//
// Entries are reported as the platform the program was written for reports them: "." and ".."
// come first in every folder, names match the mask case-insensitively, "*.*" matches every name and
// a mask ending in ".*" also matches names without an extension ("a?c.*" matches "abc"). Attributes
// map from the file system: folders faDirectory, names starting with a dot (other than "." and
// "..") faHidden, files their owner may not write faReadOnly, symbolic links faSymLink besides the
// kind of their target, other regular files faArchive. Paths use '/' (a '\\' is read as '/').
#include <memory>

#include "platform/rtl/SysInfo.h"   // ERROR_FILE_NOT_FOUND
#include "platform/rtl/System.h"

constexpr Integer faReadOnly = 0x01;
constexpr Integer faHidden = 0x02;
constexpr Integer faSysFile = 0x04;
constexpr Integer faVolumeID = 0x08;
constexpr Integer faDirectory = 0x10;
constexpr Integer faArchive = 0x20;
constexpr Integer faNormal = 0x80;
constexpr Integer faTemporary = 0x100;
constexpr Integer faSymLink = 0x400;
constexpr Integer faAnyFile = 0x1FF;

// The result codes of FindFirst and FindNext besides 0.
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_NO_MORE_FILES = 18;

struct TFindState;

struct TSearchRec {
  // Modification time as a packed date and time (date in the high word: years since 1980 << 9,
  // month << 5, day; time in the low word: hours << 11, minutes << 5, seconds / 2), local time.
  Integer Time = 0;
  Int64 Size = 0;
  Integer Attr = 0;
  String Name;
  // The attributes an entry must not have to be reported: faHidden, faSysFile and faDirectory
  // unless the search asked for them.
  Integer ExcludeAttr = 0;
  // Modification time, local.
  TDateTime TimeStamp = 0;
  // The open search; FindClose frees it (and so does the record's destruction).
  std::shared_ptr<TFindState> FindHandle;
};

// Starts a search for Path (a folder and a mask, "dir/*.png") with the attributes Attr may
// include. 0 and the first entry in F; otherwise ERROR_PATH_NOT_FOUND when the folder cannot be
// read, ERROR_FILE_NOT_FOUND when no entry matches (F then holds no search).
Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F);
// 0 and the next entry; ERROR_NO_MORE_FILES at the end (or without a search).
Integer FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// "dir/sub/" of "dir/sub/name.ext" (with the last separator); empty without a separator.
String ExtractFilePath(const String& FileName);
// "name.ext" of "dir/sub/name.ext".
String ExtractFileName(const String& FileName);
// Does Name match Mask as the search matches it?
bool MatchesFileMask(const String& Name, const String& Mask);
