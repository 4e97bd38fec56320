#include "semantic_classes.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "foundations/charset.h"
#include "table_lines.h"

namespace malvex::edition {

namespace {

constexpr size_t kMaxSenses = 18;
constexpr size_t kMaxName = 79;
// A noun's own translations name a domain its references lack: the domain's
// best field gets a sense of its own when the domain holds at least this
// share of the votes, and the sense takes its place by its agreement with
// the translations when the domain holds kOwnFieldFirst or the field 80 % of
// that, and the translations confirm (with kConfirmedShare of their votes)
// none of the thesaurus's senses; otherwise it comes last.
constexpr double kOwnFieldShare = 0.5;
constexpr double kOwnFieldFirst = 0.75;
constexpr double kConfirmedShare = 0.2;
// How much agreeing on the domain only counts, beside agreeing on the field,
// when the senses are put in order.
constexpr double kDomainAgreement = 0.5;
// A noun's translations support a later sense when its domain holds at
// least this share of their votes.
constexpr double kSupportedDomainShare = 0.1;
// A class of at most this many thesaurus lines is tiny: a later sense in
// it that the translations do not support is dropped.
constexpr size_t kTinyClass = 1;
// Terms of restricted use weigh less in a reference's vote.
constexpr double kRestrictedWeight = 0.5;
// Running-text counts below this are too few to tell a word of everyday use
// from a rare one: such a count names a class only when no other candidate
// is listed by the thesaurus kListedFactor times as often.
constexpr double kFewProseCounts = 3;
constexpr int kListedFactor = 4;


// Whether `a` names a class better than `b`: the better known first, then
// the shorter word, then the first in byte order.
bool BetterKnownName(const std::string& a, const std::string& b,
                     const std::function<int(const std::string&)>& familiarity) {
  const int fa = familiarity(a);
  const int fb = familiarity(b);
  if (fa != fb) return fa > fb;
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// The terms the lines `members` list with a usage label (old, regional,
// popular) at least as often as without one; a headword's own line does not
// count, as the thesaurus labels the sense where it lists the word.
std::set<std::string> LabelledTerms(const std::vector<ThesaurusSense>& lines, const std::vector<int>& members) {
  std::map<std::string, int> balance;  // labelled listings minus plain ones
  for (const int m : members) {
    for (const ThesaurusTerm& t : lines[m].terms) balance[t.text] += t.restricted ? 1 : -1;
  }
  std::set<std::string> labelled;
  for (const auto& [term, b] : balance) {
    if (b >= 0) labelled.insert(term);
  }
  return labelled;
}

}  // namespace

void SemanticClasses::Build(const std::map<std::string, std::vector<std::string>>& nounForms,
                            const std::map<std::string, std::string>& feminines,
                            const std::vector<ThesaurusSense>& lines,
                            const std::function<bool(const std::string&)>& trusted, const ClusterOptions& options) {
  references_.clear();
  formSenses_.clear();
  counts.clear();
  const size_t n = lines.size();

  std::unordered_set<std::string> lemmas;
  for (const auto& [form, ls] : nounForms) {
    for (const std::string& l : ls) lemmas.insert(l);
  }
  auto isLemma = [&](const std::string& s) { return lemmas.count(s) != 0; };
  auto lemmaOf = [&](const std::string& s) -> const std::string* {
    if (isLemma(s)) return &s;
    const auto it = nounForms.find(s);
    return it == nounForms.end() || it->second.empty() ? nullptr : &it->second.front();
  };

  // Who has each line as a sense: a noun lemma, the masculine of a
  // feminine headword, or a noun form that is not a lemma (its own senses,
  // "bucate" beside "bucată"); nobody for headwords the lexicon lacks.
  std::vector<std::string> owner(n);
  std::vector<int> attachedTo(n, -1);
  std::map<std::string, std::vector<int>> linesOf;
  std::vector<int> feminineLines;
  for (size_t i = 0; i < n; ++i) {
    const std::string& h = lines[i].head;
    if (isLemma(h)) {
      owner[i] = h;
    } else if (const auto f = feminines.find(h); f != feminines.end()) {
      owner[i] = f->second;
      feminineLines.push_back(static_cast<int>(i));
      continue;
    } else if (nounForms.count(h)) {
      owner[i] = h;
    }
    if (!owner[i].empty()) linesOf[owner[i]].push_back(static_cast<int>(i));
  }
  // A feminine's line follows the closest line of its masculine.
  for (const int i : feminineLines) {
    const std::string& m = owner[i];
    const auto it = linesOf.find(m);
    if (it == linesOf.end() || it->second.empty()) {
      linesOf[m].push_back(i);
      continue;
    }
    int best = it->second.front();
    double bestOverlap = -1;
    for (const int j : it->second) {
      if (lines[j].head != m || attachedTo[j] >= 0) continue;
      const double o = SenseOverlap(lines[i], lines[j]);
      if (o > bestOverlap) {
        bestOverlap = o;
        best = j;
      }
    }
    attachedTo[i] = best;
    ++counts["feminine lines joined to their masculine"];
  }

  const std::vector<std::vector<int>> clusters = ClusterSenses(lines, attachedTo, options);
  std::vector<int> clusterOf(n);
  for (size_t c = 0; c < clusters.size(); ++c) {
    for (const int i : clusters[c]) clusterOf[i] = static_cast<int>(c);
  }

  // Lemmas with no line of their own join the classes of the lines that
  // list them (at most three, the lines without a usage label first).
  std::map<std::string, std::vector<int>> joined;
  {
    std::map<std::string, std::vector<std::pair<int, int>>> listed;  // lemma -> (restricted, line)
    for (size_t i = 0; i < n; ++i) {
      for (const ThesaurusTerm& t : lines[i].terms) {
        if (isLemma(t.text) && !linesOf.count(t.text)) listed[t.text].emplace_back(t.restricted ? 1 : 0, i);
      }
    }
    for (auto& [lemma, l] : listed) {
      std::stable_sort(l.begin(), l.end());
      std::vector<int>& j = joined[lemma];
      for (const auto& [r, i] : l) {
        const int c = clusterOf[i];
        if (std::find(j.begin(), j.end(), c) == j.end()) j.push_back(c);
        if (j.size() == 3) break;
      }
    }
    counts["lemmas joined to the classes that list them"] = joined.size();
  }

  // How many classes each term appears in: an ambiguous term's vote is
  // spread over them.
  std::unordered_map<std::string, std::set<int>> classesOfTerm;
  for (size_t i = 0; i < n; ++i) {
    classesOfTerm[lines[i].head].insert(clusterOf[i]);
    for (const ThesaurusTerm& t : lines[i].terms) classesOfTerm[t.text].insert(clusterOf[i]);
  }
  auto translations = [&](const std::string& term) -> const EnglishNouns* {
    const EnglishNouns* e = bridge_.EnglishOf(term);
    if (e) return e;
    const std::string* l = lemmaOf(term);
    return l ? bridge_.EnglishOf(*l) : nullptr;
  };

  // Each class's field, voted by the translations of its terms.
  std::vector<FieldVotes> classVotes(clusters.size());
  for (size_t c = 0; c < clusters.size(); ++c) {
    std::unordered_map<std::string, double> weight;
    for (const int i : clusters[c]) {
      weight[lines[i].head] = 1.0;
      for (const ThesaurusTerm& t : lines[i].terms) {
        double& w = weight[t.text];
        w = std::max(w, t.restricted ? kRestrictedWeight : 1.0);
      }
    }
    // The translations of the class's terms, voted together; a term found
    // in several classes votes only where no term of this class alone does,
    // its weight spread over its classes.
    std::vector<std::pair<const EnglishNouns*, double>> words;
    std::set<std::string> heads;
    for (const int i : clusters[c]) heads.insert(lines[i].head);
    for (const bool shared : {false, true}) {
      if (shared && !words.empty()) break;
      for (const auto& [term, w] : weight) {
        const size_t k = classesOfTerm[term].size();
        if ((k > 1) != shared) continue;
        // A headword with lines in other classes tells nothing about which
        // of its senses this class is.
        if (shared && heads.count(term)) continue;
        const EnglishNouns* e = translations(term);
        if (e) words.emplace_back(e, w / static_cast<double>(k));
      }
    }
    fields_.VoteWords(words, &classVotes[c]);
  }
  std::vector<int> classField(clusters.size(), -1);
  for (size_t c = 0; c < clusters.size(); ++c) classField[c] = BestField(classVotes[c], nullptr);

  auto domainOf = [&](int field) { return fields_.Fields()[field].domain; };

  // Translation index: an English noun -> the classes whose owners
  // translate to it; a noun named only by its translations joins the class
  // of its synonyms in the other language when the fields agree.
  std::map<std::string, std::map<int, int>> classesOfEnglish;
  for (const auto& [o, ls] : linesOf) {
    const EnglishNouns* e = bridge_.EnglishOf(o);
    if (!e) continue;
    std::set<int> cs;
    for (const int i : ls) cs.insert(clusterOf[i]);
    for (const auto& [noun, w] : *e) {
      if (w < 1.0) continue;
      for (const int c : cs) ++classesOfEnglish[noun][c];
    }
  }
  auto synonymClass = [&](const std::string& noun, int field) {
    const EnglishNouns* e = bridge_.EnglishOf(noun);
    if (!e || field < 0) return -1;
    std::map<int, int> score;
    for (const auto& [english, w] : *e) {
      if (w < 1.0) continue;
      const auto it = classesOfEnglish.find(english);
      if (it == classesOfEnglish.end()) continue;
      for (const auto& [c, n] : it->second) {
        if (classField[c] == field) score[c] += n;
      }
    }
    int best = -1, top = 0;
    for (const auto& [c, n] : score) {
      if (n > top) {
        top = n;
        best = c;
      }
    }
    return best;
  };
  // The largest class, with the field given, of a line listing a noun.
  std::unordered_map<std::string, std::vector<int>> linesListing;
  for (size_t i = 0; i < n; ++i) {
    for (const ThesaurusTerm& t : lines[i].terms) {
      if (!t.restricted) linesListing[t.text].push_back(static_cast<int>(i));
    }
  }
  auto listingClass = [&](const std::string& noun, int field) {
    int best = -1;
    const auto it = linesListing.find(noun);
    if (it == linesListing.end() || field < 0) return best;
    for (const int i : it->second) {
      const int c = clusterOf[i];
      if (classField[c] != field || lines[i].head == noun) continue;
      if (best < 0 || clusters[c].size() > clusters[best].size()) best = c;
    }
    return best;
  };

  // The senses of every owner of lines, and of the joined lemmas.
  struct Pending {
    int cluster = -1;          // -1: a reference named after the noun itself
    int field = -1;
    double agreement = 0;      // share of the noun's own votes on the field
    int order = 0;
    bool fromTranslations = false;  // the thesaurus's lines of the noun lack it
  };
  std::map<std::string, std::vector<Pending>> nounSenses;
  std::set<std::string> ownNamed;
  std::set<std::string> owners;
  for (const auto& [o, ls] : linesOf) owners.insert(o);
  for (const auto& [o, cs] : joined) owners.insert(o);
  auto ownVotes = [&](const std::string& noun, FieldVotes* votes) {
    if (const EnglishNouns* e = bridge_.EnglishOf(noun)) fields_.Vote(*e, 1.0, votes);
  };
  // The noun's own votes, their total and their sum on each domain.
  auto ownDomainVotes = [&](const std::string& noun, FieldVotes* votes, double* total,
                            std::map<int, double>* domainVotes) {
    ownVotes(noun, votes);
    *total = 0;
    for (const auto& [f, v] : *votes) {
      *total += v;
      (*domainVotes)[domainOf(f)] += v;
    }
  };
  for (const std::string& o : owners) {
    std::vector<Pending> senses;
    auto add = [&](int c) {
      for (const Pending& p : senses) {
        if (p.cluster == c) return;
      }
      Pending p;
      p.cluster = c;
      p.field = classField[c];
      p.order = static_cast<int>(senses.size());
      senses.push_back(p);
    };
    if (const auto it = linesOf.find(o); it != linesOf.end()) {
      std::vector<int> ls = it->second;
      std::stable_sort(ls.begin(), ls.end(), [&](int a, int b) { return lines[a].order < lines[b].order; });
      for (const int i : ls) add(clusterOf[i]);
    }
    if (const auto it = joined.find(o); it != joined.end()) {
      for (const int c : it->second) add(c);
    }
    // The share of the noun's own votes on each field and each domain.
    FieldVotes own;
    double total = 0;
    std::map<int, double> domainVotes;
    ownDomainVotes(o, &own, &total, &domainVotes);
    auto agreement = [&](int field) {
      if (field < 0 || total <= 0) return 0.0;
      const auto v = own.find(field);
      return ((v == own.end() ? 0 : v->second) + kDomainAgreement * domainVotes[domainOf(field)]) / total;
    };
    for (Pending& p : senses) p.agreement = agreement(p.field);
    // The domain the translations name, and its best field.
    int ownDomain = -1, ownField = -1;
    double domainShare = 0;
    for (const auto& [d, v] : domainVotes) {
      if (v > domainShare * total) {
        domainShare = v / total;
        ownDomain = d;
      }
    }
    for (const auto& [f, v] : own) {
      if (domainOf(f) == ownDomain && (ownField < 0 || v > own[ownField])) ownField = f;
    }
    bool covered = false;
    for (const Pending& p : senses) covered |= p.field == ownField;
    if (ownField >= 0 && !covered && domainShare >= kOwnFieldShare) {
      // The sense the translations give and the thesaurus's lines of the
      // noun miss: the class of a line listing the noun, or of its
      // synonyms through the translations, with that field; else a class
      // of its own.
      Pending p;
      p.cluster = listingClass(o, ownField);
      if (p.cluster < 0) p.cluster = synonymClass(o, ownField);
      p.field = ownField;
      p.fromTranslations = true;
      // It takes its place among the senses by its agreement, unless the
      // translations also name the field of a sense the thesaurus gives.
      const double fieldShare = own[ownField] / total;
      bool confirmed = false;
      for (const Pending& q : senses) {
        if (q.field < 0) continue;
        const auto v = own.find(q.field);
        confirmed |= v != own.end() && v->second / total >= kConfirmedShare;
      }
      p.agreement = !confirmed && (domainShare >= kOwnFieldFirst || fieldShare >= kOwnFieldFirst * 0.8)
                        ? agreement(ownField)
                        : 0;
      p.order = static_cast<int>(senses.size());
      if (p.cluster < 0) ownNamed.insert(o);
      senses.push_back(p);
      ++counts[p.cluster < 0 ? "senses added from the translations, own class"
                             : "senses added from the translations, in a class"];
    }
    std::stable_sort(senses.begin(), senses.end(), [](const Pending& a, const Pending& b) {
      if (a.agreement != b.agreement) return a.agreement > b.agreement;
      return a.order < b.order;
    });
    nounSenses[o] = std::move(senses);
  }
  // Classes no term's translation placed: the field their owners'
  // translations give, from the owners whose translations no other sense of
  // theirs already stands for.
  {
    std::map<int, FieldVotes> ownerVotes;
    for (const auto& [o, senses] : nounSenses) {
      FieldVotes own;
      ownVotes(o, &own);
      const int best = BestField(own, nullptr);
      if (best < 0) continue;
      bool explained = false;
      for (const Pending& p : senses) explained |= p.field == best;
      if (explained) continue;
      double total = 0;
      for (const auto& [f, v] : own) total += v;
      for (const Pending& p : senses) {
        if (p.cluster < 0 || classField[p.cluster] >= 0) continue;
        for (const auto& [f, v] : own) ownerVotes[p.cluster][f] += v / total;
      }
    }
    for (const auto& [c, votes] : ownerVotes) {
      classField[c] = BestField(votes, nullptr);
      ++counts["classes placed by their owners' translations"];
    }
    for (auto& [o, senses] : nounSenses) {
      for (Pending& p : senses) {
        if (p.cluster >= 0) p.field = classField[p.cluster];
      }
    }
  }

  // Lemmas the thesaurus lacks: the class of their synonyms through the
  // translations, or their own reference. Lemmas known only from the word
  // list (not the analyser) with no field are left out: they would take
  // room among the 65,535 references without telling more than the class
  // the analysis creates for an unknown noun.
  std::vector<std::string> rest;
  for (const std::string& l : lemmas) {
    if (!nounSenses.count(l) && l.size() <= kMaxName) rest.push_back(l);
  }
  std::sort(rest.begin(), rest.end());
  for (const std::string& l : rest) {
    FieldVotes own;
    ownVotes(l, &own);
    Pending p;
    p.field = BestField(own, nullptr);
    if (p.field < 0 && !trusted(l)) {
      ++counts["word-list lemmas left without senses"];
      continue;
    }
    p.cluster = synonymClass(l, p.field);
    if (p.cluster < 0) p.cluster = listingClass(l, p.field);
    nounSenses[l].push_back(p);
    if (p.cluster < 0) {
      ownNamed.insert(l);
      ++counts["lemmas that are their own reference"];
    } else {
      ++counts["lemmas joined to their synonyms through the translations"];
    }
  }

  // Later senses on weak evidence are dropped, as the text would act on
  // them whenever a noun of their class comes close: a sense the thesaurus
  // gives only as old, regional or rare; a sense the translations alone
  // give, put in the class of a line listing the noun or of its synonyms in
  // the other language (it stands only as the main sense); and, for a noun
  // the bilingual dictionaries translate, a sense of a lone line whose
  // domain its translations do not name.
  {
    std::map<std::string, int> curatedField;
    for (const auto& [lemma, field] : mainSenses_) curatedField.emplace(lemma, field);
    for (auto& [o, senses] : nounSenses) {
      if (senses.size() < 2) continue;
      // The sense a curated row puts first stays.
      const auto curated = curatedField.find(o);
      const int keep = curated == curatedField.end() ? -2 : curated->second;
      FieldVotes own;
      double total = 0;
      std::map<int, double> domainVotes;
      ownDomainVotes(o, &own, &total, &domainVotes);
      auto unsupported = [&](const Pending& p) {
        if (total <= 0) return false;
        if (p.field >= 0 && domainVotes[domainOf(p.field)] >= kSupportedDomainShare * total) return false;
        // A class of several lines stands on the thesaurus's own evidence,
        // unless a curated row has judged the noun's main sense (guvern,
        // whose only line mixes the council of ministers with stăpânire).
        return p.cluster < 0 || clusters[p.cluster].size() <= kTinyClass || keep >= 0;
      };
      // The thesaurus gives the sense as old, regional or rare: every term
      // of the noun's own lines in the class bears a usage label, or every
      // line of the class that lists the noun lists it with one.
      auto archaic = [&](const Pending& p) {
        if (p.cluster < 0) return false;
        bool own = false, ownPlain = false, listed = false, listedPlain = false;
        for (const int i : clusters[p.cluster]) {
          if (owner[i] == o) {
            own = true;
            ownPlain |= lines[i].terms.empty();
            for (const ThesaurusTerm& t : lines[i].terms) ownPlain |= !t.restricted;
            continue;
          }
          for (const ThesaurusTerm& t : lines[i].terms) {
            if (t.text != o) continue;
            listed = true;
            listedPlain |= !t.restricted;
          }
        }
        return own ? !ownPlain : listed && !listedPlain;
      };
      // A curated noun's senses are not yet in order: each but the curated
      // one is judged.
      const auto from = keep >= 0 ? senses.begin() : senses.begin() + 1;
      const auto weak = std::remove_if(from, senses.end(), [&](const Pending& p) {
        if (keep >= 0 && p.field == keep) return false;
        if (archaic(p)) {
          ++counts["later senses of old or regional use dropped"];
          return true;
        }
        if (p.fromTranslations && p.cluster >= 0) {
          ++counts["later senses of the translations alone dropped"];
          return true;
        }
        if (unsupported(p)) {
          if (p.cluster < 0) ownNamed.erase(o);
          ++counts["later senses the translations do not support dropped"];
          return true;
        }
        return false;
      });
      senses.erase(weak, senses.end());
    }
  }

  // The curated main senses, and the classes they name.
  std::map<int, std::string> claimed;  // cluster -> name
  std::set<std::string> curated;
  for (const auto& [lemma, field] : mainSenses_) {
    curated.insert(lemma);
    if (!isLemma(lemma) || lemma.size() > kMaxName) continue;
    std::vector<Pending>& senses = nounSenses[lemma];
    if (field >= 0) {
      const auto it = std::find_if(senses.begin(), senses.end(), [&](const Pending& p) { return p.field == field; });
      if (it != senses.end()) {
        std::rotate(senses.begin(), it, it + 1);
      } else {
        // A sense of its own in that field; an earlier own sense gives way.
        senses.erase(std::remove_if(senses.begin(), senses.end(), [](const Pending& p) { return p.cluster < 0; }),
                     senses.end());
        Pending p;
        p.field = field;
        senses.insert(senses.begin(), p);
        ownNamed.insert(lemma);
      }
      ++counts["curated main senses"];
    }
    // The noun names the class of its main sense, unless a later sense of
    // its own reference already bears its name (șah the game beside the
    // class of rulers).
    if (!senses.empty() && senses.front().cluster >= 0 && !claimed.count(senses.front().cluster) &&
        !ownNamed.count(lemma)) {
      claimed.emplace(senses.front().cluster, lemma);
    }
  }

  // References: the classes of lines named by their best free candidate,
  // larger classes choosing first; then the nouns named after themselves.
  std::vector<std::set<std::string>> members(clusters.size());
  for (const auto& [o, senses] : nounSenses) {
    for (const Pending& p : senses) {
      if (p.cluster >= 0) members[p.cluster].insert(o);
    }
  }
  // How common a term is: the thesaurus lines naming it.
  std::unordered_map<std::string, int> mentions;
  for (size_t i = 0; i < n; ++i) {
    ++mentions[lines[i].head];
    for (const ThesaurusTerm& t : lines[i].terms) ++mentions[t.text];
  }
  auto commonness = [&](const std::string& s) {
    const auto it = mentions.find(s);
    return it == mentions.end() ? 0 : it->second;
  };
  std::vector<int> referenceOfCluster(clusters.size(), -1);
  std::set<std::string> taken(ownNamed.begin(), ownNamed.end());
  for (const auto& [c, name] : claimed) taken.insert(name);
  std::vector<int> byMembers;
  for (size_t c = 0; c < clusters.size(); ++c) {
    if (!members[c].empty()) byMembers.push_back(static_cast<int>(c));
  }
  std::stable_sort(byMembers.begin(), byMembers.end(),
                   [&](int a, int b) { return members[a].size() > members[b].size(); });
  for (const int c : byMembers) {
    if (const auto it = claimed.find(c); it != claimed.end()) {
      referenceOfCluster[c] = static_cast<int>(references_.size());
      references_.push_back(Reference{it->second, classField[c], members[c].size()});
      continue;
    }
    std::vector<std::string> candidates = ClassNameCandidates(lines, clusters[c], commonness);
    // Nouns that joined the class without a line of it may name it too.
    for (const std::string& m : members[c]) {
      if (std::find(candidates.begin(), candidates.end(), m) == candidates.end()) candidates.push_back(m);
    }
    // A noun whose main sense the class is names it first, then the other
    // nouns that have it, then the other terms.
    std::stable_partition(candidates.begin(), candidates.end(),
                          [&](const std::string& s) { return members[c].count(s) != 0; });
    const auto mainEnd = std::stable_partition(candidates.begin(), candidates.end(), [&](const std::string& s) {
      const auto it = nounSenses.find(s);
      return it != nounSenses.end() && !it->second.empty() && it->second.front().cluster == c;
    });
    // Among those, the noun of everyday use (an, cap, parte) rather than
    // the rare or old synonyms the thesaurus lists more often (veleat,
    // tărtăcuță, judecie): the one most met in running text; else the
    // class's noun most met there (mod rather than dietă), unless the class
    // lists it mostly with a usage label (scop, old for a song); else the one
    // of the first group a reader knows best: one the bilingual dictionaries
    // translate, as they hold the everyday vocabulary (decizie, medicament
    // rather than nadpis, doctorie), and among those the one the thesaurus
    // lists most often. A noun whose translations do not name the class's
    // domain is passed over in the first two and the third steps.
    {
      const std::set<std::string> labelled = LabelledTerms(lines, clusters[c]);
      const auto memberEnd = std::find_if(candidates.begin(), candidates.end(),
                                          [&](const std::string& s) { return members[c].count(s) == 0; });
      auto usable = [&](const std::string& s) { return !taken.count(s) && s.size() <= kMaxName; };
      // A noun whose own-named reference is only a later sense may still
      // name the class of its main sense when running text knows it best
      // (succes, client); its own reference then gives way.
      auto ownLater = [&](const std::string& s) {
        if (!ownNamed.count(s) || curated.count(s) || s.size() > kMaxName) return false;
        const auto it = nounSenses.find(s);
        return it != nounSenses.end() && !it->second.empty() && it->second.front().cluster == c;
      };
      // A noun whose translations name another domain than the class's is
      // met in running text in that other sense (șablon, the template of the
      // manuals, beside directivă).
      auto agrees = [&](const std::string& s) {
        if (classField[c] < 0) return true;
        FieldVotes own;
        ownVotes(s, &own);
        double total = 0, inDomain = 0;
        for (const auto& [f, v] : own) {
          total += v;
          if (domainOf(f) == domainOf(classField[c])) inDomain += v;
        }
        return total <= 0 || inDomain >= kSupportedDomainShare * total;
      };
      auto best = candidates.end();
      if (frequency_) {
        bool listedBetter = false;
        for (const auto end : {mainEnd, memberEnd}) {
          if (listedBetter) break;
          double top = 0;
          for (auto it = candidates.begin(); it != end; ++it) {
            const bool free = usable(*it) || (end == mainEnd && ownLater(*it));
            if (!free || (end == memberEnd && labelled.count(*it)) || !agrees(*it)) continue;
            const double f = frequency_(*it);
            if (f > top) {
              top = f;
              best = it;
            }
          }
          // A count of a few occurrences gives way to a far better listed
          // plain word (autoritate rather than for, met twice).
          if (best != candidates.end() && top < kFewProseCounts) {
            for (auto it = candidates.begin(); it != end; ++it) {
              if (usable(*it) && !labelled.count(*it) && bridge_.EnglishOf(*it) && agrees(*it) &&
                  commonness(*it) >= kListedFactor * std::max(commonness(*best), 1)) {
                best = candidates.end();
                listedBetter = true;
                break;
              }
            }
          }
          if (best != candidates.end()) break;
        }
      }
      for (const bool translatedOnly : {true, false}) {
        if (best != candidates.end()) break;
        const auto end = mainEnd != candidates.begin() ? mainEnd : memberEnd;
        for (auto it = candidates.begin(); it != end; ++it) {
          if (!usable(*it) || (translatedOnly && (!bridge_.EnglishOf(*it) || !agrees(*it)))) continue;
          if (best == candidates.end() || BetterKnownName(*it, *best, commonness)) best = it;
        }
      }
      if (best != candidates.end()) {
        if (!usable(*best)) {
          // The noun's own-named later sense gives way to the class it names.
          std::vector<Pending>& own = nounSenses[*best];
          // A class without a field takes the field of the sense that gives
          // way, so that the noun keeps it (îmbunătățire, a change).
          if (classField[c] < 0) {
            for (const Pending& p : own) {
              if (p.cluster < 0 && p.field >= 0) classField[c] = p.field;
            }
            if (classField[c] >= 0) {
              for (const std::string& m : members[c]) {
                for (Pending& p : nounSenses[m]) {
                  if (p.cluster == c) p.field = classField[c];
                }
              }
              ++counts["classes taking the field of the own sense of the noun naming them"];
            }
          }
          own.erase(std::remove_if(own.begin(), own.end(), [](const Pending& p) { return p.cluster < 0; }),
                    own.end());
          ownNamed.erase(*best);
          taken.erase(*best);
          ++counts["nouns naming their main class rather than a later sense of their own"];
        }
        std::rotate(candidates.begin(), best, best + 1);
      }
    }
    std::string name;
    for (const std::string& s : candidates) {
      if (s.size() <= kMaxName && !taken.count(s)) {
        name = s;
        break;
      }
    }
    if (name.empty()) {
      const std::string& base = candidates.empty() ? lines[clusters[c].front()].head : candidates.front();
      for (int k = 2; name.empty(); ++k) {
        const std::string s = base.substr(0, kMaxName - 4) + " " + std::to_string(k);
        if (!taken.count(s)) name = s;
      }
      ++counts["classes named with a number"];
    }
    taken.insert(name);
    referenceOfCluster[c] = static_cast<int>(references_.size());
    references_.push_back(Reference{name, classField[c], members[c].size()});
  }
  std::map<std::string, int> ownReference;
  for (const std::string& l : ownNamed) {
    const auto& senses = nounSenses[l];
    int field = -1;
    for (const Pending& p : senses) {
      if (p.cluster < 0) field = p.field;
    }
    ownReference[l] = static_cast<int>(references_.size());
    references_.push_back(Reference{l, field, 1});
  }

  // Senses of the lemmas, then of the forms.
  std::map<std::string, std::vector<SemanticSense>> lemmaSenses;
  for (const auto& [o, senses] : nounSenses) {
    std::vector<SemanticSense>& out = lemmaSenses[o];
    for (const Pending& p : senses) {
      SemanticSense s;
      s.reference = p.cluster >= 0 ? referenceOfCluster[p.cluster] : ownReference[o];
      s.field = p.field;
      if (!out.empty()) s.flags = kLaterSenseFlags;
      out.push_back(s);
    }
  }
  for (const auto& [form, ls] : nounForms) {
    if (form.size() > kMaxName) continue;
    std::vector<SemanticSense> senses;
    auto addAll = [&](const std::string& owner, const std::string& lemma) {
      const auto it = lemmaSenses.find(owner);
      if (it == lemmaSenses.end()) return;
      for (SemanticSense s : it->second) {
        bool seen = false;
        for (const SemanticSense& x : senses) seen |= x.reference == s.reference;
        if (seen || senses.size() == kMaxSenses) continue;
        s.lemma = lemma.size() <= kMaxName ? lemma : std::string();
        if (senses.empty()) s.flags = 0;
        senses.push_back(s);
      }
    };
    // A form with lines of its own ("bucate") has those senses first, but
    // for a noun whose main sense is curated ("casa", the articled house,
    // before the card game of that name).
    const bool ownLines = !isLemma(form) && !ls.empty();
    const bool curatedLemma = !ls.empty() && curated.count(ls.front()) != 0;
    if (ownLines && !curatedLemma) addAll(form, ls.front());
    for (const std::string& l : ls) addAll(l, l);
    if (ownLines && curatedLemma) addAll(form, ls.front());
    if (!senses.empty()) formSenses_.emplace(form, std::move(senses));
  }
  counts["thesaurus noun lines"] = n;
  counts["classes of lines"] = byMembers.size();
  counts["references"] = references_.size();
  counts["forms"] = formSenses_.size();
  size_t withField = 0;
  for (const Reference& r : references_) withField += r.field >= 0;
  counts["references with a field"] = withField;
}

const std::vector<SemanticSense>* SemanticClasses::SensesOfForm(const std::string& form) const {
  const auto it = formSenses_.find(form);
  return it == formSenses_.end() ? nullptr : &it->second;
}

std::vector<std::string> SemanticClasses::SourceLines() const {
  std::vector<std::string> out;
  const std::vector<SemanticField>& fields = fields_.Fields();
  const std::vector<SemanticDomain>& domains = fields_.Domains();
  for (const auto& [form, senses] : formSenses_) {
    const std::string f = ToUtf8(form);
    for (const SemanticSense& s : senses) {
      std::string line = f + '\t' + ToUtf8(references_[s.reference].name) + '\t';
      if (s.field >= 0) {
        line += ToUtf8(fields[s.field].name) + '\t' + ToUtf8(domains[fields[s.field].domain].name);
      } else {
        line += "-\t-";
      }
      line += '\t' + std::to_string(s.flags) + '\t' + (s.lemma.empty() ? std::string("-") : ToUtf8(s.lemma));
      out.push_back(std::move(line));
    }
  }
  return out;
}

bool ParseMainSenses(const std::string& text, const SemanticFields& fields,
                     std::vector<std::pair<std::string, int>>* mainSenses, std::string* error) {
  std::map<std::string, int> fieldOf;
  for (size_t i = 0; i < fields.Fields().size(); ++i) fieldOf.emplace(fields.Fields()[i].name, static_cast<int>(i));
  std::set<std::string> seen;
  mainSenses->clear();
  return ForEachLine(text, [&](const std::vector<std::string>& f, int number) {
    const std::string where = "noun_senses.tsv:" + std::to_string(number) + ": ";
    if (f.size() != 2 || f[0].empty()) {
      *error = where + "expected a noun and the field of its main sense";
      return false;
    }
    std::string noun = FromUtf8(f[0]);
    FoldToLower(noun);
    if (!seen.insert(noun).second) {
      *error = where + "\"" + f[0] + "\" is given twice";
      return false;
    }
    int field = -1;
    if (f[1] != "-") {
      const auto it = fieldOf.find(FromUtf8(f[1]));
      if (it == fieldOf.end()) {
        *error = where + "\"" + f[1] + "\" is no reference field";
        return false;
      }
      field = it->second;
    }
    mainSenses->emplace_back(noun, field);
    return true;
  });
}

bool ReadAnalyserNouns(const std::string& analyserPaths, std::set<std::string>* lemmas,
                       std::map<std::string, std::string>* feminines) {
  std::ifstream in(analyserPaths, std::ios::binary);
  if (!in) return false;
  std::set<std::string> masculine;
  std::map<std::string, std::string> candidates;
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const size_t lt = line.find('<', tab);
    if (lt == std::string::npos || line.compare(lt, 3, "<n>") != 0) continue;
    std::string lemma = FromUtf8(line.substr(tab + 1, lt - tab - 1));
    FoldToLower(lemma);
    const std::string tags = line.substr(lt);
    if (tags.find("<acr>") == std::string::npos) lemmas->insert(lemma);
    if (tags.rfind("<n><m>", 0) == 0) masculine.insert(lemma);
    if (tags == "<n><f><sg><nom><ind>") {
      std::string form = FromUtf8(line.substr(0, tab));
      FoldToLower(form);
      if (form != lemma) candidates.emplace(form, lemma);
    }
  }
  for (const auto& [form, lemma] : candidates) {
    if (masculine.count(lemma)) feminines->emplace(form, lemma);
  }
  return true;
}

}  // namespace malvex::edition
