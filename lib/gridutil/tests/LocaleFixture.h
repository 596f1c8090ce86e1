#pragma once
// Runs a test under the English or German format settings and restores the process-wide
// settings afterwards.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/testsupport/Utf8.h"

enum TTestLocale { tlEnglish, tlGerman };

inline const char* LocaleName(TTestLocale Locale) { return Locale == tlEnglish ? "English" : "German"; }

class LocaleTest : public ::testing::Test {
protected:
  void SetUp() override { FSaved = FormatSettings; }
  void TearDown() override { FormatSettings = FSaved; }
  static void Use(TTestLocale Locale) {
    FormatSettings = Locale == tlEnglish ? TFormatSettings::USEnglish() : TFormatSettings::German();
  }

private:
  TFormatSettings FSaved;
};

