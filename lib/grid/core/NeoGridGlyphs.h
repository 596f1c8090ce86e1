#pragma once
// The grid's bitmap resources: the nine filter-condition glyphs (16 x 16, white background as
// the mask colour), drawn by the library itself and put into the program's resource table.
#include <array>

#include "platform/rtl/SysUtils.h"

// The resource names in the order of the filter image list.
inline constexpr std::array<const Char*, 9> NeoGridFilterGlyphs = {
    u"BNEOGRDSTARTSWITH", u"BNEOGRDENDSWITH", u"BNEOGRDCONTAINS", u"BNEOGRDNOTCONTAINS", u"BNEOGRDEQUAL",
    u"BNEOGRDNOTEQUAL",   u"BNEOGRDLARGER",   u"BNEOGRDSMALLER",  u"BNEOGRDCLEAR"};

// Registers the glyphs as RT_BITMAP resources (once; later calls do nothing).
void RegisterNeoGridGlyphResources();
