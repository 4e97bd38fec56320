// Writes a category transition matrix of 17,432 zero bytes: no
// transition is preferred over another.
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: malvex-neutral-matrix OUTPUT.zv8\n");
    return 64;
  }
  std::vector<unsigned char> bytes(17432, 0);
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) return 1;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok ? 0 : 1;
}
