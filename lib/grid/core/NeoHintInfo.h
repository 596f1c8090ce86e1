#pragma once
// TNeoHintInfo: what a rich hint shows: a title, lines of notes and a picture.
#include <memory>

#include "lib/grid/core/GDIPicture.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/StringLists.h"

class TNeoHintInfo : public TPersistent {
  ZELK_CLASS(TNeoHintInfo, TPersistent)
public:
  TNeoHintInfo();
  ~TNeoHintInfo() override;

  // Copies everything from another hint information; other sources change nothing.
  void Assign(TPersistent* Source) override;
  // No title and no notes text (the picture does not count).
  bool IsEmpty() const;

  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  TStrings* GetNotes() const { return FNotes.get(); }
  void SetNotes(TStrings* Value) { FNotes->Assign(Value); }
  TGDIPPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TGDIPPicture* Value) { FPicture->Assign(Value); }
  bool GetShowHelp() const { return FShowHelp; }
  void SetShowHelp(bool Value) { FShowHelp = Value; }
  const String& GetWideTitle() const { return FWideTitle; }
  void SetWideTitle(const String& Value) { FWideTitle = Value; }
  const String& GetWideNotes() const { return FWideNotes; }
  void SetWideNotes(const String& Value) { FWideNotes = Value; }

private:
  std::unique_ptr<TGDIPPicture> FPicture;
  bool FShowHelp = false;
  std::unique_ptr<TStringList> FNotes;
  String FTitle;
  String FWideTitle;
  String FWideNotes;
};
