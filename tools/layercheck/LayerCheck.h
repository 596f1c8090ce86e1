#pragma once
// The include rules of the source tree. Every source file belongs to the layer of its folder;
// a quoted include ("platform/rtl/SysUtils.h", or a file beside the includer) must point to the
// same layer or to one the layer uses. Besides:
//   - a folder's internal headers (named *Internal.h) are included only from inside that layer;
//   - a `tests/` folder is included only from inside itself;
//   - a `testsupport/` folder (test helpers shared by a layer's tests) only from test code;
//   - every include resolves from the repository root or beside the including file, so no build
//     setting is needed to find it.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace LayerCheck {

// A layer: its folder (relative to the root) and the folders it may include (a folder stands for
// everything beneath it).
struct TLayer {
  std::string_view Folder;
  std::vector<std::string_view> Uses;
};

// The project's layers, lowest first.
const std::vector<TLayer>& ProjectLayers();

struct TViolation {
  std::string File;      // relative to the root
  int Line = 0;
  std::string Include;   // as written
  std::string Reason;
};

struct TReport {
  std::vector<TViolation> Violations;
  int Files = 0;
  int Includes = 0;
};

// Checks every C++ source under the layer folders of Root (test data folders excepted).
TReport CheckTree(const std::filesystem::path& Root, const std::vector<TLayer>& Layers = ProjectLayers());

}  // namespace LayerCheck
