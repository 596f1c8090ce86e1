// Reads and writes a generated 20 MB document of mixed objects, arrays, strings and numbers with
// TNeoJSONReader/TNeoJSONWriter, next to nlohmann/json, RapidJSON and (reading, when installed)
// simdjson in the same run.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <rapidjson/document.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#ifdef ZELK_BENCH_SIMDJSON
#include <simdjson.h>
#endif

#include <random>
#include <string>
#include <vector>

#include "lib/base/NeoJSONReader.h"
#include "lib/base/NeoJSONWriter.h"

namespace {

constexpr std::size_t DocumentSize = 20 * 1024 * 1024;

// ---------------------------------------------------------------------------------------------
// The document: an array of records, built once as a nlohmann DOM and dumped as UTF-8 text.

std::string Word(std::mt19937_64& rng) {
  static const char* const Syllables[] = {"ka", "lo", "mer", "sta", "un", "ri", "be", "zu",
                                          "\xC3\xA9t\xC3\xA9", "gr\xC3\xBC", "x", "ton"};
  std::string w;
  const int n = 1 + static_cast<int>(rng() % 4);
  for (int i = 0; i < n; ++i) w += Syllables[rng() % std::size(Syllables)];
  return w;
}

std::string Sentence(std::mt19937_64& rng) {
  std::string s;
  const int n = 1 + static_cast<int>(rng() % 8);
  for (int i = 0; i < n; ++i) {
    if (i) s += ' ';
    s += Word(rng);
  }
  if (rng() % 8 == 0) s += " \"quoted\"\n\ttab";
  return s;
}

nlohmann::json MakeRecord(std::mt19937_64& rng, int id) {
  std::uniform_real_distribution<double> real(-1e6, 1e6);
  nlohmann::json r = nlohmann::json::object();
  r["id"] = id;
  r["name"] = Sentence(rng);
  r["price"] = std::round(real(rng) * 100) / 100;
  r["ratio"] = real(rng) / 7e5;
  r["active"] = rng() % 2 == 0;
  r["big"] = static_cast<std::int64_t>(rng() >> 1);
  r["note"] = nullptr;
  nlohmann::json tags = nlohmann::json::array();
  for (int i = 0, n = static_cast<int>(rng() % 6); i < n; ++i) tags.push_back(Word(rng));
  r["tags"] = tags;
  nlohmann::json scores = nlohmann::json::array();
  for (int i = 0, n = static_cast<int>(rng() % 10); i < n; ++i) {
    if (rng() % 2)
      scores.push_back(static_cast<int>(rng() % 100000) - 50000);
    else
      scores.push_back(real(rng) / 1000);
  }
  r["scores"] = scores;
  r["position"] = {{"x", real(rng)}, {"y", real(rng)}, {"label", Word(rng)}, {"flags", {true, false, nullptr}}};
  return r;
}

struct TDocument {
  nlohmann::json Dom;
  std::string Text;
};

const TDocument& Document() {
  static const TDocument doc = [] {
    std::mt19937_64 rng(20240611);
    TDocument d;
    d.Dom = nlohmann::json::array();
    std::size_t size = 2;
    for (int id = 0; size < DocumentSize; ++id) {
      nlohmann::json r = MakeRecord(rng, id);
      size += r.dump().size() + 1;
      d.Dom.push_back(std::move(r));
    }
    d.Text = d.Dom.dump();
    return d;
  }();
  return doc;
}

// ---------------------------------------------------------------------------------------------
// Reading

// Takes every value: names and strings as text, numbers as Double.
void WalkNeo(TNeoJSONReader& r) {
  int depth = 0;
  do {
    switch (r.Peek()) {
      case jstoBeginObject: r.ReadBeginObject(); ++depth; break;
      case jstoBeginArray: r.ReadBeginArray(); ++depth; break;
      case jstoEndObject: r.ReadEndObject(); --depth; break;
      case jstoEndArray: r.ReadEndArray(); --depth; break;
      case jstoName: benchmark::DoNotOptimize(r.ReadName()); break;
      case jstoText: benchmark::DoNotOptimize(r.ReadString()); break;
      case jstoNumber: benchmark::DoNotOptimize(r.ReadDouble()); break;
      case jstoBoolean: benchmark::DoNotOptimize(r.ReadBoolean()); break;
      case jstoNull: r.ReadNull(); break;
      case jstoEOF: return;
    }
  } while (depth > 0);
}

void BM_Read_NeoJSONReader(benchmark::State& state) {
  const std::string& text = Document().Text;
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
  for (auto _ : state) {
    stream.SetPosition(0);
    TNeoJSONReader r(&stream);
    WalkNeo(r);
    if (!r.Eof()) state.SkipWithError("document not read to its end");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Read_Nlohmann(benchmark::State& state) {
  const std::string& text = Document().Text;
  for (auto _ : state) {
    nlohmann::json dom = nlohmann::json::parse(text);
    benchmark::DoNotOptimize(dom.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// nlohmann's event parser with a handler that keeps nothing: no tree is built.
struct NullSax : nlohmann::json_sax<nlohmann::json> {
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }
};

void BM_Read_NlohmannSax(benchmark::State& state) {
  const std::string& text = Document().Text;
  for (auto _ : state) {
    NullSax sax;
    benchmark::DoNotOptimize(nlohmann::json::sax_parse(text, &sax));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Read_RapidJSON(benchmark::State& state) {
  const std::string& text = Document().Text;
  for (auto _ : state) {
    rapidjson::Document dom;
    dom.Parse(text.c_str(), text.size());
    if (dom.HasParseError()) state.SkipWithError("parse error");
    benchmark::DoNotOptimize(dom.Size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Read_RapidJSONSax(benchmark::State& state) {
  const std::string& text = Document().Text;
  for (auto _ : state) {
    rapidjson::BaseReaderHandler<> handler;
    rapidjson::Reader reader;
    rapidjson::StringStream in(text.c_str());
    if (reader.Parse(in, handler).IsError()) state.SkipWithError("parse error");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

#ifdef ZELK_BENCH_SIMDJSON
// simdjson's DOM parser; its padded copy of the text is made once, outside the timing.
void BM_Read_Simdjson(benchmark::State& state) {
  const simdjson::padded_string text(Document().Text);
  simdjson::dom::parser parser;
  for (auto _ : state) {
    simdjson::dom::element dom;
    if (parser.parse(text).get(dom)) state.SkipWithError("parse error");
    benchmark::DoNotOptimize(dom);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// simdjson's on-demand parser taking every value, as our reader's walk does.
void WalkSimdjson(simdjson::ondemand::value v) {
  switch (v.type()) {
    case simdjson::ondemand::json_type::object:
      for (auto field : v.get_object()) {
        benchmark::DoNotOptimize(field.unescaped_key().value());
        WalkSimdjson(field.value());
      }
      break;
    case simdjson::ondemand::json_type::array:
      for (auto item : v.get_array()) WalkSimdjson(item.value());
      break;
    case simdjson::ondemand::json_type::string: benchmark::DoNotOptimize(v.get_string().value()); break;
    case simdjson::ondemand::json_type::number: benchmark::DoNotOptimize(v.get_double().value()); break;
    case simdjson::ondemand::json_type::boolean: benchmark::DoNotOptimize(v.get_bool().value()); break;
    case simdjson::ondemand::json_type::null: benchmark::DoNotOptimize(v.is_null().value()); break;
  }
}

void BM_Read_SimdjsonOnDemand(benchmark::State& state) {
  const simdjson::padded_string text(Document().Text);
  simdjson::ondemand::parser parser;
  for (auto _ : state) {
    simdjson::ondemand::document doc = parser.iterate(text);
    WalkSimdjson(doc.get_value().value());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
#endif

// ---------------------------------------------------------------------------------------------
// Writing the same document. Our writer replays the document's calls from a list that holds its
// values as the writer takes them (UTF-16 text), made once outside the timing.

struct TCall {
  explicit TCall(nlohmann::json::value_t AKind, bool AName = false, String AText = String())
      : Kind(AKind), Name(AName), Text(std::move(AText)) {}
  nlohmann::json::value_t Kind;   // discarded: end of an object or array
  bool Name;                      // a member name (Text)
  String Text;
  Int64 Integer = 0;
  Double Float = 0;
};

void RecordCalls(const nlohmann::json& v, std::vector<TCall>& calls) {
  TCall c(v.type());
  switch (v.type()) {
    case nlohmann::json::value_t::object:
      calls.push_back(c);
      for (auto it = v.begin(); it != v.end(); ++it) {
        calls.emplace_back(nlohmann::json::value_t::string, true, UTF8ToString(it.key()));
        RecordCalls(it.value(), calls);
      }
      calls.emplace_back(nlohmann::json::value_t::discarded);
      return;
    case nlohmann::json::value_t::array:
      calls.push_back(c);
      for (const auto& item : v) RecordCalls(item, calls);
      calls.emplace_back(nlohmann::json::value_t::discarded);
      return;
    case nlohmann::json::value_t::string: c.Text = UTF8ToString(v.get<std::string>()); break;
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned: c.Integer = v.get<std::int64_t>(); break;
    case nlohmann::json::value_t::number_float: c.Float = v.get<double>(); break;
    case nlohmann::json::value_t::boolean: c.Integer = v.get<bool>(); break;
    default: break;
  }
  calls.push_back(std::move(c));
}

void WriteNeo(TNeoJSONWriter& w, const std::vector<TCall>& calls) {
  std::vector<bool> inObject;
  for (const TCall& c : calls) {
    switch (c.Kind) {
      case nlohmann::json::value_t::object:
        w.WriteBeginObject();
        inObject.push_back(true);
        break;
      case nlohmann::json::value_t::array:
        w.WriteBeginArray();
        inObject.push_back(false);
        break;
      case nlohmann::json::value_t::discarded:
        if (inObject.back())
          w.WriteEndObject();
        else
          w.WriteEndArray();
        inObject.pop_back();
        break;
      case nlohmann::json::value_t::string:
        if (c.Name)
          w.WriteName(c.Text);
        else
          w.WriteString(c.Text);
        break;
      case nlohmann::json::value_t::number_integer:
      case nlohmann::json::value_t::number_unsigned: w.WriteInteger(c.Integer); break;
      case nlohmann::json::value_t::number_float: w.WriteDouble(c.Float); break;
      case nlohmann::json::value_t::boolean: w.WriteBoolean(c.Integer != 0); break;
      default: w.WriteNull(); break;
    }
  }
}

void BM_Write_NeoJSONWriter(benchmark::State& state) {
  static const std::vector<TCall> calls = [] {
    std::vector<TCall> list;
    RecordCalls(Document().Dom, list);
    return list;
  }();
  Int64 bytes = 0;
  for (auto _ : state) {
    TMemoryStream target;
    {
      TNeoJSONWriter w(&target);
      WriteNeo(w, calls);
      w.Flush();
    }
    bytes = target.GetSize();
    benchmark::DoNotOptimize(target.Memory());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Write_Nlohmann(benchmark::State& state) {
  const nlohmann::json& dom = Document().Dom;
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = dom.dump();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_Write_RapidJSON(benchmark::State& state) {
  static const rapidjson::Document* dom = [] {
    auto* d = new rapidjson::Document;
    d->Parse(Document().Text.c_str());
    return d;
  }();
  std::size_t bytes = 0;
  for (auto _ : state) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    dom->Accept(writer);
    bytes = buffer.GetSize();
    benchmark::DoNotOptimize(buffer.GetString());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

}  // namespace

BENCHMARK(BM_Read_NeoJSONReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_Nlohmann)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_NlohmannSax)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_RapidJSON)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_RapidJSONSax)->Unit(benchmark::kMillisecond);
#ifdef ZELK_BENCH_SIMDJSON
BENCHMARK(BM_Read_Simdjson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_SimdjsonOnDemand)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_Write_NeoJSONWriter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write_Nlohmann)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write_RapidJSON)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
