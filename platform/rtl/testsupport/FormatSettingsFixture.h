#pragma once
// Restores the process-wide FormatSettings (and the clock source) after each test, so tests can
// switch between the German and US presets freely.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"

class FormatSettingsTest : public ::testing::Test {
protected:
  void SetUp() override { FSaved = FormatSettings; }
  void TearDown() override {
    FormatSettings = FSaved;
    SetNowSource(nullptr);
  }
  static void UseGerman() { FormatSettings = TFormatSettings::German(); }
  static void UseUS() { FormatSettings = TFormatSettings::USEnglish(); }

private:
  TFormatSettings FSaved;
};
