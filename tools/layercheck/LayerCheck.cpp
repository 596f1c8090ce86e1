#include "tools/layercheck/LayerCheck.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>

namespace LayerCheck {

namespace fs = std::filesystem;

const std::vector<TLayer>& ProjectLayers() {
  static const std::vector<TLayer> layers = {
      {"platform/rtl", {}},
      {"platform/win", {"platform/rtl"}},
      {"platform/gdiplus", {"platform/win", "platform/rtl"}},
      {"platform/ui", {"platform/gdiplus", "platform/win", "platform/rtl"}},
      {"platform/db", {"platform/rtl"}},
      {"lib/base", {"platform"}},
      {"lib/graphics", {"platform", "lib/base"}},
      {"lib/render", {"platform", "lib/base", "lib/graphics"}},
      {"lib/gridutil", {"platform", "lib/base", "lib/graphics", "lib/render"}},
      {"lib/dropdown", {"platform", "lib/base", "lib/graphics", "lib/render", "lib/gridutil"}},
      // One target over the folders core, cells, editing, data, io and dropdown.
      {"lib/grid", {"platform", "lib/base", "lib/graphics", "lib/render", "lib/gridutil", "lib/dropdown"}},
      {"app", {"platform", "lib"}},
      {"bench", {"platform", "lib", "app"}},
      {"tools", {}},
  };
  return layers;
}

namespace {

// Whether Path (relative, '/'-separated) lies in Folder or is Folder.
bool Within(std::string_view Path, std::string_view Folder) {
  return Path.size() >= Folder.size() && Path.compare(0, Folder.size(), Folder) == 0 &&
         (Path.size() == Folder.size() || Path[Folder.size()] == '/');
}

// The layer of a file: the one with the longest folder that holds it.
const TLayer* LayerOf(std::string_view Path, const std::vector<TLayer>& Layers) {
  const TLayer* best = nullptr;
  for (const TLayer& layer : Layers)
    if (Within(Path, layer.Folder) && (!best || layer.Folder.size() > best->Folder.size())) best = &layer;
  return best;
}

// The folder of Path up to and including its first component named Name, if it has one.
std::optional<std::string> FolderNamed(std::string_view Path, std::string_view Name) {
  std::size_t start = 0;
  while (start < Path.size()) {
    const std::size_t end = std::min(Path.find('/', start), Path.size());
    if (end < Path.size() && Path.substr(start, end - start) == Name) return std::string(Path.substr(0, end));
    start = end + 1;
  }
  return std::nullopt;
}

bool EndsWith(std::string_view S, std::string_view Tail) {
  return S.size() >= Tail.size() && S.compare(S.size() - Tail.size(), Tail.size(), Tail) == 0;
}

bool IsSource(const fs::path& P) {
  static const std::set<std::string> extensions = {".h", ".hpp", ".cpp", ".cc", ".inc", ".ipp"};
  return extensions.count(P.extension().string()) != 0;
}

// The quoted name of an #include line, if the line is one.
std::optional<std::string> QuotedInclude(std::string_view Line) {
  std::size_t i = Line.find_first_not_of(" \t");
  if (i == std::string_view::npos || Line[i] != '#') return std::nullopt;
  i = Line.find_first_not_of(" \t", i + 1);
  constexpr std::string_view keyword = "include";
  if (i == std::string_view::npos || Line.compare(i, keyword.size(), keyword) != 0) return std::nullopt;
  i = Line.find_first_not_of(" \t", i + keyword.size());
  if (i == std::string_view::npos || Line[i] != '"') return std::nullopt;
  const std::size_t close = Line.find('"', i + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return std::string(Line.substr(i + 1, close - i - 1));
}

std::string Relative(const fs::path& P, const fs::path& Root) { return P.lexically_relative(Root).generic_string(); }

class TChecker {
public:
  TChecker(const fs::path& Root, const std::vector<TLayer>& Layers) : FRoot(Root), FLayers(Layers) {}

  void CheckFile(const fs::path& File, TReport& Report) {
    const std::string path = Relative(File, FRoot);
    ++Report.Files;
    const TLayer* layer = LayerOf(path, FLayers);
    if (!layer) {
      Report.Violations.push_back({path, 0, "", "the file lies in no layer (add its folder to the layer table)"});
      return;
    }
    if (EndsWith(path, "Private.h"))
      Report.Violations.push_back({path, 0, "", "internal headers are named *Internal.h"});
    std::ifstream in(File);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const auto include = QuotedInclude(line);
      if (!include) continue;
      ++Report.Includes;
      if (auto reason = Check(path, *layer, File.parent_path(), *include))
        Report.Violations.push_back({path, number, *include, *reason});
    }
  }

private:
  // The reason the include breaks a rule, or nothing.
  std::optional<std::string> Check(const std::string& From, const TLayer& FromLayer, const fs::path& Dir,
                                   const std::string& Include) const {
    std::string target;
    if (fs::is_regular_file(FRoot / Include))
      target = fs::path(Include).lexically_normal().generic_string();
    else if (fs::is_regular_file(Dir / Include))
      target = Relative((Dir / Include).lexically_normal(), FRoot);
    else
      return "not found from the repository root or beside the file";

    if (const auto tests = FolderNamed(target, "tests"); tests && !Within(From, *tests))
      return "includes the tests folder " + *tests + " from outside it";
    if (FolderNamed(target, "testsupport") && !FolderNamed(From, "tests") && !FolderNamed(From, "testsupport") &&
        !Within(From, "bench"))
      return "test support is for test code only";
    const TLayer* to = LayerOf(target, FLayers);
    if (!to) return "points outside every layer";
    if (to == &FromLayer) return std::nullopt;
    if (EndsWith(target, "Internal.h"))
      return "includes an internal header of " + std::string(to->Folder);
    const bool allowed = std::any_of(FromLayer.Uses.begin(), FromLayer.Uses.end(),
                                     [&](std::string_view Used) { return Within(to->Folder, Used); });
    if (!allowed)
      return std::string(FromLayer.Folder) + " may not include " + std::string(to->Folder) +
             " (it points up or sideways)";
    return std::nullopt;
  }

  fs::path FRoot;
  const std::vector<TLayer>& FLayers;
};

}  // namespace

TReport CheckTree(const fs::path& Root, const std::vector<TLayer>& Layers) {
  TReport report;
  TChecker checker(Root, Layers);
  std::set<std::string> tops;
  for (const TLayer& layer : Layers) tops.insert(std::string(layer.Folder.substr(0, layer.Folder.find('/'))));
  std::vector<fs::path> files;
  for (const std::string& top : tops) {
    if (!fs::is_directory(Root / top)) continue;
    for (auto it = fs::recursive_directory_iterator(Root / top); it != fs::recursive_directory_iterator(); ++it) {
      const fs::path& p = it->path();
      if (it->is_directory()) {
        // Test data is not code of the tree (a checker's own fixtures may break every rule).
        if (p.filename() == "data" && p.parent_path().filename() == "tests") it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file() && IsSource(p)) files.push_back(p);
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) checker.CheckFile(file, report);
  return report;
}

}  // namespace LayerCheck
