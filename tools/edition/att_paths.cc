#include "att_paths.h"

#include <algorithm>
#include <unordered_map>

namespace malvex::edition {

namespace {

struct RawArc {
  uint32_t from, to, input, output;
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> f;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  while (!f.empty() && f.back().empty()) f.pop_back();
  return f;
}

bool ParseState(const std::string& s, uint32_t* v) {
  if (s.empty()) return false;
  uint64_t n = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + static_cast<uint64_t>(c - '0');
    if (n > 0xFFFFFFF) return false;
  }
  *v = static_cast<uint32_t>(n);
  return true;
}

}  // namespace

bool AttTransducer::Read(std::istream& in) {
  sections_.clear();
  symbols_.assign(1, "");
  std::unordered_map<std::string, uint32_t> ids;
  auto symbol = [&](const std::string& text) -> uint32_t {
    if (text == "\xCE\xB5") return 0;  // epsilon
    const auto it = ids.find(text);
    if (it != ids.end()) return it->second;
    const uint32_t id = static_cast<uint32_t>(symbols_.size());
    symbols_.push_back(text);
    ids.emplace(text, id);
    return id;
  };
  std::vector<RawArc> raw;
  std::vector<uint32_t> finals;
  uint32_t maxState = 0;
  auto close = [&]() {
    Section s;
    const size_t n = static_cast<size_t>(maxState) + 1;
    s.first.assign(n + 1, 0);
    s.final.assign(n, false);
    std::stable_sort(raw.begin(), raw.end(), [](const RawArc& a, const RawArc& b) { return a.from < b.from; });
    for (const RawArc& a : raw) ++s.first[a.from + 1];
    for (size_t i = 0; i < n; ++i) s.first[i + 1] += s.first[i];
    s.arcs.reserve(raw.size());
    for (const RawArc& a : raw) s.arcs.push_back(Arc{a.to, a.input, a.output});
    for (const uint32_t f : finals) s.final[f] = true;
    sections_.push_back(std::move(s));
    raw.clear();
    finals.clear();
    maxState = 0;
  };
  std::string line;
  bool any = false;
  while (std::getline(in, line)) {
    if (line == "--") {
      close();
      any = false;
      continue;
    }
    if (line.empty()) continue;
    any = true;
    const std::vector<std::string> f = SplitTabs(line);
    uint32_t from = 0, to = 0;
    if (f.size() <= 2) {
      if (!ParseState(f[0], &from)) return false;
      finals.push_back(from);
      maxState = std::max(maxState, from);
      continue;
    }
    if (f.size() < 4 || !ParseState(f[0], &from) || !ParseState(f[1], &to)) return false;
    raw.push_back(RawArc{from, to, symbol(f[2]), symbol(f[3])});
    maxState = std::max({maxState, from, to});
  }
  if (any) close();
  return true;
}

bool AttTransducer::SectionLoops(size_t section) const {
  const Section& s = sections_[section];
  const size_t n = s.final.size();
  // Kahn's algorithm: a loop leaves states that never reach in-degree 0.
  std::vector<uint32_t> indegree(n, 0);
  for (const Arc& a : s.arcs) ++indegree[a.to];
  std::vector<uint32_t> ready;
  for (size_t i = 0; i < n; ++i) {
    if (indegree[i] == 0) ready.push_back(static_cast<uint32_t>(i));
  }
  size_t done = 0;
  while (!ready.empty()) {
    const uint32_t q = ready.back();
    ready.pop_back();
    ++done;
    for (uint32_t k = s.first[q]; k < s.first[q + 1]; ++k) {
      if (--indegree[s.arcs[k].to] == 0) ready.push_back(s.arcs[k].to);
    }
  }
  return done != n;
}

size_t AttTransducer::Enumerate(size_t section,
                                const std::function<void(const std::string&, const std::string&)>& path) const {
  if (SectionLoops(section)) return 0;
  const Section& s = sections_[section];
  if (s.final.empty()) return 0;
  struct Frame {
    uint32_t state;
    uint32_t next;  // next arc to follow
    uint32_t inLength, outLength;
  };
  std::vector<Frame> stack;
  std::string input, output;
  size_t count = 0;
  stack.push_back(Frame{0, s.first[0], 0, 0});
  if (s.final[0]) {
    path(input, output);
    ++count;
  }
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == s.first[top.state + 1]) {
      stack.pop_back();
      continue;
    }
    const Arc& a = s.arcs[top.next++];
    input.resize(top.inLength);
    output.resize(top.outLength);
    input += symbols_[a.input];
    output += symbols_[a.output];
    stack.push_back(Frame{a.to, s.first[a.to], static_cast<uint32_t>(input.size()),
                          static_cast<uint32_t>(output.size())});
    if (s.final[a.to]) {
      path(input, output);
      ++count;
    }
  }
  return count;
}

}  // namespace malvex::edition
