#pragma once
// The grid's small lists: integer lists bound to a cell (image indices, column widths and
// positions, fixed-width starts, disjunct selections, row sizes), the sort index list of a
// multi-column sort, the list of controls placed in cells, a picture referenced by file name, and a
// string list read and written like a sequential text file.
#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Grids.h"

using TImageChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;

// ---------------------------------------------------------------------------------------------
// TIntList: integers kept as the items of a pointer list. Every list takes its Tag from a counter
// of the unit, which its start-up sets to 0.
// ---------------------------------------------------------------------------------------------
class TIntList : public TList {
  ZELK_CLASS(TIntList, TList)
public:
  TIntList(Integer Col, Integer Row);

  // Writing fires OnChange(Self, Col, Row).
  Integer GetInteger(Integer Index) const;
  void SetInteger(Integer Index, Integer Value);
  // As the base list, then OnChange.
  Integer Add(Integer Value);
  void Delete(Integer Index);
  // Deletes the first occurrence through Delete; nothing when absent.
  void DeleteValue(Integer Value);
  bool HasValue(Integer Value) const;
  // A plain insert: no OnChange.
  void Insert(Integer Index, Integer Value);
  // Into an ascending list at its sorted place (without OnChange); an empty list gets Add.
  void Insert(Integer Value);
  // The index of an item equal to Value in an ascending list; -1 when there is none.
  Integer SortedIndexOf(Integer Value) const;
  // The place Insert(Value) would use; 0 for an empty list.
  Integer SortedPosOf(Integer Value) const;

  // The integers in decimal joined by "," ("" for an empty list). Writing clears the list and adds
  // each item of the text read as comma text (commas, and blanks between unquoted items, separate
  // them); an item that is no integer raises EConvertError with the items before it added.
  String GetStrValue() const;
  void SetStrValue(const String& Value);

  Integer GetCol() const { return FCol; }
  Integer GetRow() const { return FRow; }
  Integer GetTag() const { return FTag; }

  TImageChangeEvent OnChange;

protected:
  void DoChange();

private:
  Integer FCol;
  Integer FRow;
  Integer FTag;
};

// ---------------------------------------------------------------------------------------------
// TGridCellList: a set of cells as (column, row) pairs in the order they were added, without
// duplicates; membership is looked up in constant time, so grids of a million rows stay fast.
// ---------------------------------------------------------------------------------------------
class TGridCellList {
public:
  bool Has(Integer ACol, Integer ARow) const { return FIndex.count(Key(ACol, ARow)) != 0; }
  // False when the cell was there already.
  bool Add(Integer ACol, Integer ARow);
  // False when the cell was not there.
  bool Remove(Integer ACol, Integer ARow);
  void Clear();
  Integer Count() const { return static_cast<Integer>(FCells.size()); }
  // EListError for an index outside the list.
  TGridCoord Item(Integer Index) const;

private:
  static std::uint64_t Key(Integer ACol, Integer ARow) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ARow)) << 32) | static_cast<std::uint32_t>(ACol);
  }
  std::vector<TGridCoord> FCells;
  std::unordered_set<std::uint64_t> FIndex;
};

// ---------------------------------------------------------------------------------------------
// TSortIndexList: each entry a column in bits 0-30, bit 31 set for descending; as text "u3;d5".
// ---------------------------------------------------------------------------------------------
class TSortIndexList : public TIntList {
  ZELK_CLASS(TSortIndexList, TIntList)
public:
  using TIntList::TIntList;

  void AddIndex(Integer ColumnIndex, bool Ascending);
  // The first entry of that column; -1 when there is none.
  Integer FindIndex(Integer ColumnIndex) const;
  Integer GetSortColumns(Integer Index) const;
  // Keeps the entry's direction.
  void SetSortColumns(Integer Index, Integer Value);
  bool GetSortDirections(Integer Index) const;   // true: ascending
  void SetSortDirections(Integer Index, bool Ascending);
  // Flips the direction of the column's first entry; nothing when the column has none.
  void ToggleIndex(Integer ColumnIndex);

  // "u" or "d" and the low 16 bits of each column, joined by ';'.
  String SaveToString() const;
  // Clears, then adds each ';'-separated piece of two characters or more: "u" ascending, any
  // other first character descending, the column from the second character (0 when it is not a
  // whole non-negative number).
  void LoadFromString(const String& S);
};

// ---------------------------------------------------------------------------------------------
// TNeoControlList: the controls placed in cells. The list owns its items (never their controls):
// an item deleted from the list, or left in it when the list goes, is freed.
// ---------------------------------------------------------------------------------------------
class TControlItem : public TObject {
  ZELK_CLASS(TControlItem, TObject)
public:
  TControlItem(Integer AX, Integer AY, TControl* AControl) : FX(AX), FY(AY), FObject(AControl) {}
  Integer GetX() const { return FX; }
  void SetX(Integer Value) { FX = Value; }
  Integer GetY() const { return FY; }
  void SetY(Integer Value) { FY = Value; }
  TControl* GetControl() const { return FObject; }
  void SetControl(TControl* Value) { FObject = Value; }

private:
  Integer FX;          // column
  Integer FY;          // row
  TControl* FObject;   // not owned
};

class TNeoControlList : public TList {
  ZELK_CLASS(TNeoControlList, TList)
public:
  TNeoControlList() = default;
  ~TNeoControlList() override;

  void AddControl(Integer X, Integer Y, TControl* AControl);
  // The first item of that column and row; -1 when none.
  Integer ControlIndex(Integer X, Integer Y) const;
  TControlItem* GetControl(Integer Index) const;
  void RemoveControl(Integer Index);
  void ClearControls();
  // True when an item's control is a windowed control whose window is Handle.
  bool HasHandle(HWND Handle) const;

protected:
  void Notify(Pointer Ptr, TListNotification Action) override;
};

// ---------------------------------------------------------------------------------------------
// TFilePicture: a picture known by its file name, loaded only to be measured or drawn.
// ---------------------------------------------------------------------------------------------
class TFilePicture : public TPersistent {
  ZELK_CLASS(TFilePicture, TPersistent)
public:
  TFilePicture() = default;

  const String& GetFilename() const { return FFilename; }
  // Stores the name and, when the file exists, measures the picture in it; a file that cannot be
  // read leaves the sizes as they were.
  void SetFilename(const String& Value);
  Integer GetWidth() const { return FWidth; }
  Integer GetHeight() const { return FHeight; }

  // Loads the file and stretches it into R; a missing or unreadable file draws nothing.
  void DrawPicture(TCanvas* Canvas, const TRect& R);
  // Copies file name and sizes from another TFilePicture.
  void Assign(TPersistent* Source) override;

private:
  String FFilename;
  Integer FWidth = 0;
  Integer FHeight = 0;
};

// ---------------------------------------------------------------------------------------------
// TFileStringList: a string list read line by line and written in parts, like a text file.
// ---------------------------------------------------------------------------------------------
class TFileStringList : public TStringList {
  ZELK_CLASS(TFileStringList, TStringList)
public:
  TFileStringList() = default;

  void Reset();                  // read position 0, pending text dropped
  bool Eof() const;              // read position at or past the last line
  String ReadLn();               // the line at the read position, which advances
  void Write(const String& S);   // appends to the pending text of the next line
  void WriteLn(const String& S); // adds pending text + S as a line

private:
  Integer fp = 0;   // read position
  String cache;     // pending partial line
};

// Start-up of the lists' unit "NeoGridLists": the tag counter starts at 0, and the published
// properties of the unit's classes are registered.
void RegisterNeoGridListsUnit();
void InitializeNeoGridListsUnit();
