#include "settings/run_flags.h"

namespace malvex {
namespace {

constexpr LanguageInfo kLanguages[] = {
    {1, "fr", "fr", 590},  {2, "it", "it", 591},  {3, "sp", "es", 592},  {4, "en", "en", 593},
    {5, "ge", "de", 594},  {6, "pt", "pt", 595},  {7, "nl", "nl", 655},  {8, "ru", "ru", 655},
    {9, "gr", "el", 596},  {10, "ar", "ar", 655}, {11, "ja", "ja", 655}, {12, "ch", "zh", 655},
    {13, "??", "cs", 655}, {14, "ro", "ro", 597}, {99, "zz", "??", 655},
};

constexpr LanguageInfo kOtherLanguage = {0, "??", "??", 655};

}  // namespace

const LanguageInfo& LanguageFor(int code) {
  for (const LanguageInfo& info : kLanguages) {
    if (info.code == code) return info;
  }
  return kOtherLanguage;
}

RunFlags::RunFlags() : bytes_{} {
  bytes_[0] = kEditionLanguage;
  bytes_[1] = 1;
  bytes_[2] = 1;
  bytes_[4] = 1;
  bytes_[9] = 1;
  bytes_[10] = 1;
}

}  // namespace malvex
