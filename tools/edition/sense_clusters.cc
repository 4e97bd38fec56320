#include "sense_clusters.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>

namespace malvex::edition {

namespace {

// Term sets as sorted term numbers, for fast overlaps.
class TermSets {
 public:
  explicit TermSets(const std::vector<ThesaurusSense>& lines) {
    sets_.resize(lines.size());
    heads_.resize(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
      heads_[i] = Id(lines[i].head);
      std::vector<int>& s = sets_[i];
      s.push_back(heads_[i]);
      for (const ThesaurusTerm& t : lines[i].terms) s.push_back(Id(t.text));
      std::sort(s.begin(), s.end());
      s.erase(std::unique(s.begin(), s.end()), s.end());
    }
  }

  size_t TermCount() const { return ids_.size(); }
  // The number of a term; -1 when no line holds it.
  int Find(const std::string& term) const {
    const auto it = ids_.find(term);
    return it == ids_.end() ? -1 : it->second;
  }
  const std::vector<int>& Set(size_t line) const { return sets_[line]; }
  int Head(size_t line) const { return heads_[line]; }

  bool Names(size_t a, int term) const { return std::binary_search(sets_[a].begin(), sets_[a].end(), term); }
  bool NameEachOther(size_t a, size_t b) const { return Names(a, heads_[b]) && Names(b, heads_[a]); }

  size_t Shared(size_t a, size_t b) const {
    const std::vector<int>& x = sets_[a];
    const std::vector<int>& y = sets_[b];
    size_t n = 0;
    for (size_t i = 0, j = 0; i < x.size() && j < y.size();) {
      if (x[i] < y[j]) ++i;
      else if (y[j] < x[i]) ++j;
      else {
        ++n;
        ++i;
        ++j;
      }
    }
    return n;
  }
  double Overlap(size_t a, size_t b, size_t shared) const {
    const size_t all = sets_[a].size() + sets_[b].size() - shared;
    return all == 0 ? 0.0 : static_cast<double>(shared) / static_cast<double>(all);
  }

 private:
  int Id(const std::string& term) {
    const auto [it, added] = ids_.emplace(term, static_cast<int>(ids_.size()));
    return it->second;
  }

  std::unordered_map<std::string, int> ids_;
  std::vector<std::vector<int>> sets_;
  std::vector<int> heads_;
};

struct Link {
  double overlap;
  int a, b;
};

}  // namespace

double SenseOverlap(const ThesaurusSense& a, const ThesaurusSense& b) {
  const std::vector<ThesaurusSense> pair{a, b};
  const TermSets sets(pair);
  return sets.Overlap(0, 1, sets.Shared(0, 1));
}

std::vector<std::vector<int>> ClusterSenses(const std::vector<ThesaurusSense>& lines,
                                            const std::vector<int>& attachedTo, const ClusterOptions& options) {
  const size_t n = lines.size();
  const TermSets sets(lines);
  auto attached = [&](size_t i) { return !attachedTo.empty() && attachedTo[i] >= 0; };

  // Candidate links: pairs of free lines sharing a term.
  std::vector<std::vector<int>> postings(sets.TermCount());
  for (size_t i = 0; i < n; ++i) {
    if (attached(i)) continue;
    for (const int t : sets.Set(i)) postings[t].push_back(static_cast<int>(i));
  }
  std::vector<Link> links;
  std::vector<int> shared(n, 0);
  std::vector<int> touched;
  for (size_t a = 0; a < n; ++a) {
    if (attached(a)) continue;
    touched.clear();
    for (const int t : sets.Set(a)) {
      for (const int b : postings[t]) {
        if (b <= static_cast<int>(a)) continue;
        if (shared[b]++ == 0) touched.push_back(b);
      }
    }
    for (const int b : touched) {
      const size_t s = static_cast<size_t>(shared[b]);
      shared[b] = 0;
      if (sets.Head(a) == sets.Head(b)) continue;
      const double overlap = sets.Overlap(a, b, s);
      const bool mutual = sets.NameEachOther(a, b);
      if ((mutual && overlap >= options.link) || (overlap >= options.strongLink && s >= 3)) {
        links.push_back(Link{overlap, static_cast<int>(a), b});
      }
    }
  }
  std::sort(links.begin(), links.end(), [](const Link& x, const Link& y) {
    if (x.overlap != y.overlap) return x.overlap > y.overlap;
    if (x.a != y.a) return x.a < y.a;
    return x.b < y.b;
  });

  // Merging, strongest links first, each class kept whole-pairwise related.
  std::vector<int> root(n);
  std::iota(root.begin(), root.end(), 0);
  std::vector<std::vector<int>> members(n);
  for (size_t i = 0; i < n; ++i) members[i].push_back(static_cast<int>(i));
  auto compatible = [&](int x, int y) {
    if (sets.Head(x) == sets.Head(y)) return false;
    if (sets.NameEachOther(x, y)) return true;
    return sets.Overlap(x, y, sets.Shared(x, y)) >= options.compatible;
  };
  for (const Link& l : links) {
    const int ra = root[l.a];
    const int rb = root[l.b];
    if (ra == rb) continue;
    if (members[ra].size() + members[rb].size() > options.cap) continue;
    bool ok = true;
    for (const int x : members[ra]) {
      for (const int y : members[rb]) {
        if (!compatible(x, y)) {
          ok = false;
          break;
        }
      }
      if (!ok) break;
    }
    if (!ok) continue;
    const int keep = std::min(ra, rb);
    const int drop = std::max(ra, rb);
    for (const int x : members[drop]) root[x] = keep;
    members[keep].insert(members[keep].end(), members[drop].begin(), members[drop].end());
    members[drop].clear();
  }

  // Satellites: a lone line joins the line, among those of the first
  // headwords it names, that shares most with it (naming it back counts as
  // much as the rest). Only lines of merged classes or other lone lines
  // that are not satellites themselves can be joined.
  if (options.satellites) {
    std::unordered_map<int, std::vector<int>> linesOfHead;
    for (size_t i = 0; i < n; ++i) {
      if (!attached(i)) linesOfHead[sets.Head(i)].push_back(static_cast<int>(i));
    }
    std::vector<bool> satellite(n, false);
    std::vector<bool> target(n, false);
    std::vector<int> satelliteOf(n, -1);
    for (size_t i = 0; i < n; ++i) {
      if (attached(i) || target[i] || members[root[i]].size() != 1) continue;
      double best = 0;
      int chosen = -1;
      size_t tried = 0;
      for (const ThesaurusTerm& t : lines[i].terms) {
        if (tried == options.satelliteTerms) break;
        if (t.restricted) continue;
        ++tried;
        const auto it = linesOfHead.find(sets.Find(t.text));
        if (it == linesOfHead.end()) continue;
        for (const int j : it->second) {
          if (j == static_cast<int>(i) || satellite[j] || sets.Head(j) == sets.Head(i)) continue;
          const double score =
              sets.Overlap(i, j, sets.Shared(i, j)) + (sets.Names(j, sets.Head(i)) ? 0.5 : 0.0) + 1e-3 / (1 + tried);
          if (score > best) {
            best = score;
            chosen = j;
          }
        }
      }
      if (chosen < 0) continue;
      satellite[i] = true;
      target[chosen] = true;
      satelliteOf[i] = chosen;
    }
    for (size_t i = 0; i < n; ++i) {
      if (satelliteOf[i] < 0) continue;
      const int r = root[satelliteOf[i]];
      const int me = root[i];
      if (r == me) continue;
      for (const int x : members[me]) root[x] = r;
      members[r].insert(members[r].end(), members[me].begin(), members[me].end());
      members[me].clear();
    }
  }

  // Attached lines follow their line (through a chain of attachments, with
  // a guard against cycles).
  std::vector<int> final(n);
  for (size_t i = 0; i < n; ++i) {
    int j = static_cast<int>(i);
    for (size_t steps = 0; attached(j) && steps < n; ++steps) j = attachedTo[j];
    final[i] = attached(j) ? static_cast<int>(i) : root[j];
  }
  std::map<int, std::vector<int>> byRoot;
  for (size_t i = 0; i < n; ++i) byRoot[final[i]].push_back(static_cast<int>(i));
  std::vector<std::vector<int>> classes;
  classes.reserve(byRoot.size());
  for (auto& [r, m] : byRoot) classes.push_back(std::move(m));
  std::sort(classes.begin(), classes.end(),
            [](const std::vector<int>& x, const std::vector<int>& y) { return x.front() < y.front(); });
  return classes;
}

std::vector<std::string> ClassNameCandidates(const std::vector<ThesaurusSense>& lines,
                                             const std::vector<int>& members,
                                             const std::function<int(const std::string&)>& commonness) {
  struct Candidate {
    int named = 0;  // lines of the class naming it (its own line included)
    bool head = false;
    bool restricted = false;
    int common = 0;
  };
  std::map<std::string, Candidate> candidates;
  for (const int m : members) {
    Candidate& c = candidates[lines[m].head];
    c.head = true;
  }
  for (const int m : members) {
    ++candidates[lines[m].head].named;
    for (const ThesaurusTerm& t : lines[m].terms) {
      Candidate& c = candidates[t.text];
      ++c.named;
      if (t.restricted) c.restricted = true;
    }
  }
  std::vector<std::pair<std::string, Candidate>> ranked;
  for (const auto& [text, c] : candidates) {
    if (c.head || members.size() == 1 || c.named * 2 >= static_cast<int>(members.size())) {
      ranked.emplace_back(text, c);
      ranked.back().second.common = commonness(text);
    }
  }
  std::sort(ranked.begin(), ranked.end(), [](const auto& x, const auto& y) {
    if (x.second.named != y.second.named) return x.second.named > y.second.named;
    const bool xs = x.first.find('_') == std::string::npos;
    const bool ys = y.first.find('_') == std::string::npos;
    if (xs != ys) return xs;
    if (x.second.restricted != y.second.restricted) return !x.second.restricted;
    if (x.second.head != y.second.head) return x.second.head;
    if (x.second.common != y.second.common) return x.second.common > y.second.common;
    if (x.first.size() != y.first.size()) return x.first.size() < y.first.size();
    return x.first < y.first;
  });
  std::vector<std::string> out;
  out.reserve(ranked.size());
  for (auto& [text, c] : ranked) out.push_back(text);
  return out;
}

}  // namespace malvex::edition
