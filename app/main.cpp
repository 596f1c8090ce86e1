// Placeholder until the update window exists: it says so and fails.
#include <cstdio>

int main() {
  std::fputs("update-zelk: the update window is not built yet\n", stderr);
  return 1;
}
