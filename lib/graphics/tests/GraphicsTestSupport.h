#pragma once
// Shared helpers of the graphics layer's tests.
#include <gtest/gtest.h>

#include <string>

#include "lib/base/NeoPersistence.h"
#include "lib/graphics/NeoGraphicsTypes.h"
#include "lib/graphics/NeoTypes.h"
#include "platform/rtl/Units.h"

inline String TestData(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_DATA) + "/" + Name); }
inline String TestOutput(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/" + Name); }

// Starts the graphics types, their persistence and the scaled bitmaps for the tests of a suite.
class GraphicsUnitsSuite : public testing::Test {
protected:
  static void SetUpTestSuite() {
    Units().Clear();
    RegisterNeoPersistenceUnit();
    RegisterNeoTypesUnit();
    InitializeUnits();
  }
  static void TearDownTestSuite() {
    FinalizeUnits();
    Units().Clear();
  }
};

// Counts the change notices an object sends.
struct ChangeCounter {
  int Count = 0;
  TObject* LastSender = nullptr;
  TNotifyEvent Handler() {
    return [this](TObject* Sender) {
      ++Count;
      LastSender = Sender;
    };
  }
};
