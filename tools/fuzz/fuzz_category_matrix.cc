// Feeds arbitrary bytes to the category matrix reader and reads weights.
#include <cstdint>
#include <string_view>

#include "dictionaries/category_matrix.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  fuzz::FuzzMessages();
  CategoryMatrix matrix;
  if (matrix.FromBytes(std::string_view(reinterpret_cast<const char*>(data), size))) {
    long sum = matrix.ConnectorStartBonus();
    for (int a = 0; a <= 10; ++a)
      for (int b = 0; b <= 10; ++b) sum += matrix.Trigram(a, b, (a + b) % 11) + matrix.Bigram(a, b);
    volatile long sink = sum;
    (void)sink;
  }
  return 0;
}
