// Grammatical categories: the 16-bit category code stored in the
// dictionaries and the 6-byte WordCategory record the rest of the system
// holds, tests, counts and displays.
#pragma once

#include <cstdint>

namespace malvex {

struct WordCategory {
  uint8_t category = 0;     // word class 0..9
  uint8_t subcategory = 0;  // subclass within the class, 0 none
  uint8_t tensePerson = 0;  // verbs: tense; pronouns: person
  uint8_t modeMark = 0;     // verbs: mode; substantives: noun mark
  uint8_t flags = 0;        // bit 0 fundamental, 1 auxiliary, 2 ambiguous, 3 gerund
  uint8_t reserved = 0;
};
static_assert(sizeof(WordCategory) == 6);

// Class 0 (not yet classified) counts as a substantive.
inline bool isSubstantive(const WordCategory& c) { return c.category == 0 || c.category == 8; }

}  // namespace malvex
