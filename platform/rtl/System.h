#pragma once
// Basic types of the runtime. Text is UTF-16 (String); it becomes UTF-8 only at the edges.
#include <cstdint>
#include <string>
#include <string_view>

using Char = char16_t;
using String = std::u16string;
using StringView = std::u16string_view;
using UTF8String = std::string;
using AnsiString = std::string;   // bytes in Windows-1252

using Boolean = bool;
using Byte = std::uint8_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using LongInt = std::int32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using DWORD = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;
using NativeUInt = std::uintptr_t;
using Single = float;
using Double = double;
using Extended = double;
using Currency = double;
using TDateTime = double;   // days since 1899-12-30, time as the fraction
using Pointer = void*;

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes become U+FFFD; lone surrogates become U+FFFD in UTF-8.
UTF8String UTF8Encode(StringView s);
String UTF8ToString(std::string_view s);
