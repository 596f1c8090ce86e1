// layer-check <repository root>: prints every include that breaks the layer rules, one per line
// ("file:line: #include "name": reason"); exit status 1 when there is any, 2 for a wrong call.
#include <cstdio>

#include "tools/layercheck/LayerCheck.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: layer-check <repository root>\n", stderr);
    return 2;
  }
  const LayerCheck::TReport report = LayerCheck::CheckTree(argv[1]);
  for (const auto& v : report.Violations) {
    if (v.Include.empty())
      std::printf("%s: %s\n", v.File.c_str(), v.Reason.c_str());
    else
      std::printf("%s:%d: #include \"%s\": %s\n", v.File.c_str(), v.Line, v.Include.c_str(), v.Reason.c_str());
  }
  std::printf("%d files, %d includes, %zu breaking the layer rules\n", report.Files, report.Includes,
              report.Violations.size());
  return report.Violations.empty() ? 0 : 1;
}
