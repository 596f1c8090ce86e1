// The published properties of the multi-column dropdown, its columns and its items.
#include <mutex>

#include "lib/dropdown/NeoDropDownPublish.h"
#include "lib/dropdown/NeoMultiColumnDropDown.h"

using NeoMultiColumnDropDown::TColumnType;
using NeoMultiColumnDropDown::ctText;
using NeoMultiColumnDropDown::ctImage;
ZELK_ENUM_INFO(TColumnType, ctText, ctImage)

void RegisterNeoMultiColumnDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using namespace NeoMultiColumnDropDown;
    RegisterGraphicsRtti();
    using C = TDropDownColumn;
    Publish<C>()
        .Property(u"Wordwrap", &C::GetWordwrap, &C::SetWordwrap).Default(false)
        .Property(u"Width", &C::GetWidth, &C::SetWidth).Default(80)
        .Property(u"AutoSize", &C::GetAutoSize, &C::SetAutoSize).Default(false)
        .Property(u"Header", &C::GetHeader, &C::SetHeader)
        .Property(u"Color", &C::GetColor, &C::SetColor).Type(u"TColor").Default(static_cast<TColor>(0xFFFFFF))
        .Property(u"ColumnType", &C::GetColumnType, &C::SetColumnType).Default(ctText)
        .Property(u"Font", &C::GetFont, &C::SetFont)
        .Property(u"Ellipsis", &C::GetEllipsis, &C::SetEllipsis).Default(false);
    using I = TDropDownItem;
    Publish<I>()
        .Property(u"ImageIndex", &I::GetImageIndex, &I::SetImageIndex).Default(-1)
        .Property(u"Text", &I::GetText, &I::SetText)
        .Property(u"Tag", &I::GetTag, &I::SetTag).Default(0);
    using M = TNeoMultiColumnDropDown;
    auto p = Publish<M>();
    p.Property(u"CaseSensitive", &M::GetCaseSensitive, &M::SetCaseSensitive).Default(false)
        .Property(u"DropDownAutoWidth", &M::GetDropDownAutoWidth, &M::SetDropDownAutoWidth).Default(true)
        .Property(u"DropDownRowHeight", &M::GetDropDownRowHeight, &M::SetDropDownRowHeight).Default(22)
        .Property(u"LineColor", &M::GetLineColor, &M::SetLineColor).Type(u"TColor").Default(static_cast<TColor>(0x808080))
        .Property(u"FixedLineColor", &M::GetFixedLineColor, &M::SetFixedLineColor).Type(u"TColor")
        .Property(u"ColumnSizing", &M::GetColumnSizing, &M::SetColumnSizing).Default(false)
        .Property(u"ColumnSizeWithDropDown", &M::GetColumnSizeWithDropDown, &M::SetColumnSizeWithDropDown).Default(true)
        .Property(u"Columns", &M::GetColumns, &M::SetColumns)
        .Property(u"HeaderColor", &M::GetHeaderColor, &M::SetHeaderColor).Type(u"TColor")
        .Property(u"HeaderColorTo", &M::GetHeaderColorTo, &M::SetHeaderColorTo).Type(u"TColor")
        .Property(u"HeaderHeight", &M::GetHeaderHeight, &M::SetHeaderHeight)
        .Property(u"HeaderFont", &M::GetHeaderFont, &M::SetHeaderFont)
        .Property(u"HoverSelect", &M::GetHoverSelect, &M::SetHoverSelect).Default(false)
        .Property(u"LookupColumn", &M::GetLookupColumn, &M::SetLookupColumn).Default(0)
        .Property(u"LookupIncr", &M::GetLookupIncr, &M::SetLookupIncr).Default(false)
        .Property(u"SelectionTextColor", &M::GetSelectionTextColor, &M::SetSelectionTextColor).Type(u"TColor").Default(clBlack)
        .Property(u"Items", &M::GetItems, &M::SetItems)
        .Property(u"ItemIndex", static_cast<Integer (M::*)() const>(&M::GetItemIndex), &M::SetItemIndex)
        .Property(u"ReturnIsTab", &TNeoCustomDropDown::GetReturnIsTab, &TNeoCustomDropDown::SetReturnIsTab).Default(false);
    PublishDropDownProperties(p, {{u"EmptyText", u"EmptyTextFocused", u"EmptyTextStyle", u"DropDownColorTo", u"DropDownEnabled"}, true});
  });
}
