#include "lib/grid/core/NeoHintInfo.h"

TNeoHintInfo::TNeoHintInfo() : FPicture(std::make_unique<TGDIPPicture>()), FNotes(std::make_unique<TStringList>()) {}

TNeoHintInfo::~TNeoHintInfo() = default;

void TNeoHintInfo::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TNeoHintInfo*>(Source);
  if (!source) return;
  FTitle = source->FTitle;
  FNotes->Assign(source->FNotes.get());
  FShowHelp = source->FShowHelp;
  FPicture->Assign(source->FPicture.get());
  FWideTitle = source->FWideTitle;
  FWideNotes = source->FWideNotes;
}

bool TNeoHintInfo::IsEmpty() const { return FTitle.empty() && FNotes->GetText().empty(); }
