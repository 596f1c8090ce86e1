// The published properties of the detail drop-down and its items, and of the image picker and its
// items, with the defaults a form description leaves out.
#include <mutex>

#include "lib/dropdown/NeoDetailDropDown.h"
#include "lib/dropdown/NeoImagePickerDropDown.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/ui/ImgList.h"

ZELK_ENUM_INFO(TVerticalAlignment, taAlignTop, taAlignBottom, taVerticalCenter)

namespace {

// The properties the two pickers publish from the drop-down edit.
template <class P> void PublishPickerBase() {
  using D = TNeoCustomDropDown;
  Publish<P>()
      .Property(u"DisabledBorder", &D::GetDisabledBorder, &D::SetDisabledBorder).Default(true)
      .Property(u"UIStyle", &D::GetUIStyle, &D::SetUIStyle).Default(tsCustom)
      .Property(u"DropDownColor", &D::GetDropDownColor, &D::SetDropDownColor).Type(u"TColor").Default(static_cast<TColor>(0xFFFFFF))
      .Property(u"DropDownWidth", &D::GetDropDownWidth, &D::SetDropDownWidth).Default(0)
      .Property(u"DropDownHeight", &D::GetDropDownHeight, &D::SetDropDownHeight).Default(0)
      .Property(u"Images", &D::GetImages, &D::SetImages);
}

}  // namespace

void RegisterNeoDetailDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterNeoItemSelectorRtti();
    using I = TDetailItem;
    Publish<I>()
        .Property(u"Caption", &I::GetCaption, &I::SetCaption)
        .Property(u"ImageIndex", &I::GetImageIndex, &I::SetImageIndex).Default(-1)
        .Property(u"Image", &I::GetImage, &I::SetImage)
        .Property(u"Notes", &I::GetNotes, &I::SetNotes)
        .Property(u"Tag", &I::GetTag, &I::SetTag).Default(0);
    using D = TNeoDetailDropDown;
    PublishPickerBase<D>();
    Publish<D>()
        .Property(u"Items", &D::GetItems, &D::SetItems)
        .Property(u"ItemIndex", &D::GetItemIndex, &D::SetItemIndex).Default(-1)
        .Property(u"ItemHeight", &D::GetItemHeight, &D::SetItemHeight).Default(22)
        .Property(u"Layout", &D::GetLayout, &D::SetLayout).Default(ilCaptionRight)
        .Property(u"ItemAppearance", &D::GetItemAppearance, &D::SetItemAppearance)
        .Property(u"CaptionFont", &D::GetCaptionFont, &D::SetCaptionFont)
        .Property(u"NotesFont", &D::GetNotesFont, &D::SetNotesFont)
        .Property(u"ImageVAlign", &D::GetImageVAlign, &D::SetImageVAlign).Default(taVerticalCenter)
        .Property(u"ReturnIsTab", &TNeoCustomDropDown::GetReturnIsTab, &TNeoCustomDropDown::SetReturnIsTab).Default(false);
  });
}

void RegisterNeoImagePickerDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterNeoItemSelectorRtti();
    using I = TImageItem;
    Publish<I>()
        .Property(u"Caption", &I::GetCaption, &I::SetCaption)
        .Property(u"ImageIndex", &I::GetImageIndex, &I::SetImageIndex).Default(-1)
        .Property(u"Image", &I::GetImage, &I::SetImage)
        .Property(u"Hint", &I::GetHint, &I::SetHint);
    using D = TNeoImagePickerDropDown;
    PublishPickerBase<D>();
    Publish<D>()
        .Property(u"Columns", &D::GetColumns, &D::SetColumns).Default(1)
        .Property(u"Items", &D::GetItems, &D::SetItems)
        .Property(u"ItemIndex", &D::GetItemIndex, &D::SetItemIndex).Default(-1)
        .Property(u"Layout", &D::GetLayout, &D::SetLayout).Default(ilCaptionRight)
        .Property(u"ItemAppearance", &D::GetItemAppearance, &D::SetItemAppearance);
  });
}
