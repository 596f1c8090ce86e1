// Published properties of the cell properties objects (the set a cell stream writes) and of the
// base grid.
#include <mutex>

#include "lib/grid/core/NeoBaseGrid.h"
#include "lib/grid/core/NeoGridUndoRedo.h"
#include "platform/ui/GraphicsRtti.h"

ZELK_ENUM_INFO(TVAlignment, vtaTop, vtaCenter, vtaBottom)
ZELK_ENUM_INFO(THoverRowCell, hcNormal, hcFixed, hcSelected, hcGroupHeader, hcGroupSummary)
ZELK_ENUM_INFO(TCellGradientDirection, GradientVertical, GradientHorizontal)
ZELK_ENUM_INFO(TAlignment, taLeftJustify, taRightJustify, taCenter)
ZELK_ENUM_INFO(TEditorType, edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
               edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital,
               edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit,
               edDateSpinEdit, edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit,
               edValidChars, edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown,
               edDetailDropDown, edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edNeoGridDropDown,
               edControlDropDown, edPositiveFloat, edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn)

void RegisterBaseGridRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterGraphicsRtti();
    RegisterNeoGridUndoRedoRtti();
    using P = TCellProperties;
    Publish<P>()
        .Property(u"IsBaseCell", &P::GetIsBaseCell, &P::SetIsBaseCell)
        .Property(u"CellSpanX", &P::GetCellSpanX, &P::SetCellSpanX)
        .Property(u"CellSpanY", &P::GetCellSpanY, &P::SetCellSpanY)
        .Property(u"OwnerCol", &P::GetOwnerCol, &P::SetOwnerCol).Stored(false)
        .Property(u"OwnerRow", &P::GetOwnerRow, &P::SetOwnerRow).Stored(false)
        .Property(u"Alignment", &P::GetAlignment, &P::SetAlignment)
        .Property(u"BorderColor", &P::GetBorderColor, &P::SetBorderColor).Type(u"TColor")
        .Property(u"BorderWidth", &P::GetBorderWidth, &P::SetBorderWidth)
        .Property(u"BrushColor", &P::GetBrushColor, &P::SetBrushColor).Type(u"TColor")
        .Property(u"BrushColorTo", &P::GetBrushColorTo, &P::SetBrushColorTo).Type(u"TColor")
        .Property(u"BrushStyle", &P::GetBrushStyle, &P::SetBrushStyle)
        .Property(u"CellObject", &P::GetCellObject, &P::SetCellObject)
        .Property(u"FontColor", &P::GetFontColor, &P::SetFontColor).Type(u"TColor")
        .Property(u"FontName", &P::GetFontName, &P::SetFontName)
        .Property(u"FontSize", &P::GetFontSize, &P::SetFontSize)
        .Property(u"FontStyle", &P::GetFontStyle, &P::SetFontStyle)
        .Property(u"Editor", &P::GetEditor, &P::SetEditor)
        .Property(u"GradientDirection", &P::GetGradientDirection, &P::SetGradientDirection)
        .Property(u"ReadOnly", &P::GetReadOnly, &P::SetReadOnly)
        .Property(u"VAlignment", &P::GetVAlignment, &P::SetVAlignment)
        .Property(u"WordWrap", &P::GetWordWrap, &P::SetWordWrap)
        .Property(u"NodeLevel", &P::GetNodeLevel, &P::SetNodeLevel)
        .Property(u"Control", &P::GetControl, &P::SetControl);

    using G = TBaseGrid;
    Publish<G>()
        .Property(u"ActiveRowShow", &G::GetActiveRowShow, &G::SetActiveRowShow).Default(false)
        .Property(u"ActiveRowColor", &G::GetActiveRowColor, &G::SetActiveRowColor).Type(u"TColor").Default(clInfoBk)
        .Property(u"DefaultDrawing", &G::GetDefaultDrawing, &G::SetDefaultDrawing).Default(false)
        .Property(u"GridLineWidth", &G::GetGridLineWidth, &G::SetGridLineWidth).Default(1)
        .Property(u"GridLineColor", &G::GetGridLineColor, &G::SetGridLineColor).Type(u"TColor").Default(0xC0C0C0)
        .Property(u"GridFixedLineColor", &G::GetGridFixedLineColor, &G::SetGridFixedLineColor)
        .Type(u"TColor")
        .Default(0x808080)
        .Property(u"GridFixedLineWidth", &G::GetGridFixedLineWidth, &G::SetGridFixedLineWidth).Default(1)
        .Property(u"HoverRow", &G::GetHoverRow, &G::SetHoverRow).Default(false)
        .Property(u"HoverRowColor", &G::GetHoverRowColor, &G::SetHoverRowColor).Type(u"TColor").Default(clInfoBk)
        .Property(u"HoverRowColorTo", &G::GetHoverRowColorTo, &G::SetHoverRowColorTo).Type(u"TColor").Default(clNone)
        .Property(u"HoverRowCells", &G::GetHoverRowCells, &G::SetHoverRowCells)
        .Default(THoverRowCells{hcNormal, hcSelected})
        .Property(u"OnGetDisplText", &G::OnGetDisplText)
        .Property(u"OnGetDisplWideText", &G::OnGetDisplWideText)
        .Property(u"UndoRedo", &G::GetUndoRedo, &G::SetUndoRedo);
  });
}
