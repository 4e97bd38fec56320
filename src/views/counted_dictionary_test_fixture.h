// A semantic dictionary of six nouns for the result list tests, counted as
// an analysis would count them: casa 5 times, om 4, robot 2, pas once, vorba
// and palat never. Its classes (levels 1 / 2 / 3):
//   casa, palat  locuinta / cladire / loc
//   om           persoana / fiinta / viata
//   robot        masina / tehnica / obiect
//   pas          miscare / actiune / -
//   vorba        cuvant / limba / comunicare
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "dictionaries/string_pool.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex::testing {

class CountedDictionaryTest : public ::testing::Test {
 protected:
  CountedDictionaryTest() : messages_(box_), tables_(DefaultLanguageTables()), dictionary_(messages_, tables_, pool_) {}

  void SetUp() override {
    SemanticDictionaryBuilder builder;
    for (const SemanticSenseEntry& s :
         {Sense("casa", "locuinta", "cladire", "loc"), Sense("om", "persoana", "fiinta", "viata"),
          Sense("robot", "masina", "tehnica", "obiect"), Sense("pas", "miscare", "actiune", ""),
          Sense("vorba", "cuvant", "limba", "comunicare"), Sense("palat", "locuinta", "cladire", "loc")})
      ASSERT_TRUE(builder.AddSense(s)) << builder.error();
    std::string image;
    ASSERT_TRUE(builder.Build(image)) << builder.error();
    ASSERT_EQ(dictionary_.LoadImage(image), SemanticLoadStatus::kOk);
    dictionary_.ResetRunCounts();
    for (const auto& [noun, times] : {std::pair<const char*, int>{"casa", 5}, {"om", 4}, {"robot", 2}, {"pas", 1}}) {
      for (int i = 0; i < times; ++i) {
        std::string text = noun;
        uint32_t level1 = 0;
        int32_t sense = 0;
        ASSERT_TRUE(dictionary_.LookUpNoun(text.data(), level1, sense)) << noun;
      }
    }
    for (int level = 1; level <= 3; ++level) dictionary_.RankClassesOfLevel(level);
  }

  // The number of class `name` at `level`.
  int32_t Class(int level, const char* name) { return dictionary_.ClassNumberOfName(level, name); }

  static SemanticSenseEntry Sense(std::string form, std::string c1, std::string c2, std::string c3) {
    SemanticSenseEntry e;
    e.form = std::move(form);
    e.classes[0] = std::move(c1);
    e.classes[1] = std::move(c2);
    e.classes[2] = std::move(c3);
    return e;
  }

  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  StringPool pool_;
  SemanticDictionary dictionary_;
};

}  // namespace malvex::testing
