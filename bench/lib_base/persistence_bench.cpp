// Saves and loads an object holding a list of 20,000 records through the RTTI-driven persistence
// (ToJSON / FromJSON), next to nlohmann/json filling and reading the same records by hand.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>

#include "lib/base/NeoObjectJSON.h"
#include "lib/base/NeoPersistence.h"
#include "platform/rtl/Generics.h"
#include "platform/rtl/TypInfo.h"

namespace {

constexpr Integer RecordCount = 20000;

class TBenchRecord : public TPersistent {
  ZELK_CLASS(TBenchRecord, TPersistent)
public:
  Integer FId = 0;
  String FName;
  Double FPrice = 0;
  bool FActive = false;
  Int64 FBig = 0;
  Integer FColor = 0;
};

class TBenchTable : public TPersistent, public IPersistObjectFactory {
  ZELK_CLASS(TBenchTable, TPersistent)
public:
  TObject* CreateObject(const String& AClassName, TClass ABaseClass) override {
    return TNeoPersistence::CreateObject(AClassName, ABaseClass);
  }
  using TRecords = Generics::Collections::TObjectList<TBenchRecord>;
  std::unique_ptr<TRecords> FRecords = std::make_unique<TRecords>();
  TRecords* GetRecords() const { return FRecords.get(); }
};

void Publish() {
  static bool done = [] {
    ::Publish<TBenchRecord>()
        .Property(u"Id", &TBenchRecord::FId)
        .Property(u"Name", &TBenchRecord::FName)
        .Property(u"Price", &TBenchRecord::FPrice)
        .Property(u"Active", &TBenchRecord::FActive)
        .Property(u"Big", &TBenchRecord::FBig)
        .Property(u"Color", &TBenchRecord::FColor).Type(u"TColor");
    ::Publish<TBenchTable>().Property(u"Records", &TBenchTable::GetRecords, nullptr);
    RegisterClass(TBenchRecord::StaticClass());
    TNeoPersistence::TypeKey = u"$type";
    return true;
  }();
  (void)done;
}

TBenchTable& Table() {
  static const std::unique_ptr<TBenchTable> table = [] {
    auto t = std::make_unique<TBenchTable>();
    for (Integer i = 0; i < RecordCount; ++i) {
      auto* r = new TBenchRecord();
      r->FId = i;
      r->FName = u"Record number " + IntToStr(i);
      r->FPrice = i * 1.25;
      r->FActive = i % 2 == 0;
      r->FBig = Int64(i) << 33;
      r->FColor = i * 977 % 0xFFFFFF;
      t->FRecords->Add(r);
    }
    return t;
  }();
  return *table;
}

void BM_PersistenceToJSON(benchmark::State& state) {
  Publish();
  for (auto _ : state) benchmark::DoNotOptimize(TObjectJSONHelper::ToJSON(&Table()));
}
BENCHMARK(BM_PersistenceToJSON)->Unit(benchmark::kMillisecond);

void BM_PersistenceFromJSON(benchmark::State& state) {
  Publish();
  const String json = TObjectJSONHelper::ToJSON(&Table());
  TBenchTable target;
  for (auto _ : state) {
    TObjectJSONHelper::FromJSON(&target, json);
    benchmark::DoNotOptimize(target.FRecords->GetCount());
  }
}
BENCHMARK(BM_PersistenceFromJSON)->Unit(benchmark::kMillisecond);

// The peer: the same records written and read member by member with nlohmann/json.
std::string ColorText(Integer c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

nlohmann::json ToPeer(const TBenchTable& t) {
  nlohmann::json records = nlohmann::json::array();
  for (TBenchRecord* r : *t.FRecords)
    records.push_back({{"$type", "TBenchRecord"}, {"Active", r->FActive}, {"Big", r->FBig},
                       {"Color", ColorText(r->FColor)}, {"Id", r->FId}, {"Name", UTF8Encode(r->FName)},
                       {"Price", r->FPrice}});
  return {{"$type", "TBenchTable"}, {"Records", records}};
}

void BM_NlohmannDump(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ToPeer(Table()).dump());
}
BENCHMARK(BM_NlohmannDump)->Unit(benchmark::kMillisecond);

void BM_NlohmannParse(benchmark::State& state) {
  const std::string text = ToPeer(Table()).dump();
  TBenchTable target;
  for (auto _ : state) {
    const nlohmann::json doc = nlohmann::json::parse(text);
    target.FRecords->Clear();
    for (const auto& j : doc["Records"]) {
      auto* r = new TBenchRecord();
      r->FId = j["Id"].get<Integer>();
      r->FName = UTF8ToString(j["Name"].get<std::string>());
      r->FPrice = j["Price"].get<Double>();
      r->FActive = j["Active"].get<bool>();
      r->FBig = j["Big"].get<Int64>();
      r->FColor = static_cast<Integer>(std::stoul(j["Color"].get<std::string>().substr(1), nullptr, 16));
      target.FRecords->Add(r);
    }
    benchmark::DoNotOptimize(target.FRecords->GetCount());
  }
}
BENCHMARK(BM_NlohmannParse)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
