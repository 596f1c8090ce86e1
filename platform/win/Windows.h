#pragma once
// The whole window system: windows, messages and input (WinUser.h) and drawing (WinGdi.h).
#include "platform/win/WinTypes.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"
#include "platform/win/WinScroll.h"
