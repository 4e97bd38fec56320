// Feeds arbitrary bytes to the reader of the request record another
// program sends to the running window, and acts on it with a window that
// records what it is asked. The record's unused bytes 787..2125 are written
// as the list file "list.lst" beside the scratch files (the seeds name it),
// and bit 0 of byte 2128 makes the window busy. The record is refused
// unless it has its size and a known command; an accepted one encodes back
// to a record that reads the same; the window is asked exactly what the
// request says.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/external_request.h"
#include "foundations/charset.h"
#include "fuzz_support.h"

namespace {

using namespace malvex;

constexpr char kCurrentScenario[] = "Concepts Romanian V8.scn";
constexpr size_t kListAt = 787;
constexpr size_t kListEnd = 2126;
constexpr size_t kBusyAt = 2128;

class RecordingTarget : public RequestTarget {
 public:
  bool Busy() override { return busy; }
  void ShowError(int messageId) override { errors.push_back(messageId); }
  void RestoreAndFocus() override { ++focused; }
  PendingExpressions& Pending() override { return pending; }
  void CloseCurrentText() override { ++closed; }
  std::string CurrentScenario() override { return kCurrentScenario; }
  void LoadScenario(const std::string& name) override { scenarios.push_back(name); }
  void AnalyseFiles(const std::vector<std::string>& files, bool addToHistory) override {
    analysed.push_back(files);
    history = addToHistory;
  }

  bool busy = false;
  std::vector<int> errors;
  int focused = 0;
  int closed = 0;
  PendingExpressions pending;
  std::vector<std::string> scenarios;
  std::vector<std::vector<std::string>> analysed;
  bool history = false;
};

bool Same(const ExternalRequest& a, const ExternalRequest& b) {
  return a.command == b.command && a.scenario == b.scenario && a.path == b.path && a.expression == b.expression &&
         a.levelCode == b.levelCode;
}

std::string Folded(std::string text) {
  FoldToLower(text);
  return text;
}

// A list file the reader may open: a missing file, a folder or a regular
// file, never a device or a pipe it would wait on.
bool SafeToOpen(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  return ec || status.type() == std::filesystem::file_type::not_found ||
         status.type() == std::filesystem::file_type::regular || status.type() == std::filesystem::file_type::directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool inScratch = chdir(fuzz::ScratchFolder().c_str()) == 0;
  if (!inScratch) __builtin_trap();
  const std::string_view payload(reinterpret_cast<const char*>(data), size);
  ExternalRequest request;
  const bool parsed = ParseExternalRequest(payload, request);
  if (parsed != (size == kExternalRequestSize && data[1] == 0 && data[2] == 0 && data[3] == 0 && data[0] <= 1))
    __builtin_trap();

  RecordingTarget target;
  if (parsed) {
    for (const std::string* field : {&request.scenario, &request.path, &request.expression}) {
      if (field->size() > 260 || field->find('\0') != std::string::npos) __builtin_trap();
    }
    ExternalRequest again;
    if (!ParseExternalRequest(EncodeExternalRequest(request), again) || !Same(request, again)) __builtin_trap();
    const DisplayRequest shown = ExpressionOf(request);
    if (shown.text.size() > kMaxRequestText || shown.level < 0 || shown.level > 4 ||
        shown.levelGiven != (shown.level != 0))
      __builtin_trap();
    if (!fuzz::WriteBytes("list.lst", data + kListAt, kListEnd - kListAt)) return 0;
    if (request.command == ExternalRequest::kAnalyseList && !SafeToOpen(request.path)) return 0;
    target.busy = (data[kBusyAt] & 1) != 0;
  }

  const bool acted = ActOnExternalRequest(payload, target);
  if (!parsed) {
    if (acted || target.errors != std::vector<int>{kRefusedRequestMessage} || target.focused != 0) __builtin_trap();
    return 0;
  }
  if (target.busy) {
    if (acted || !target.errors.empty() || target.focused != 0 || !target.analysed.empty()) __builtin_trap();
    return 0;
  }
  if (target.focused != 1) __builtin_trap();
  const DisplayRequest expected = ExpressionOf(request);
  const DisplayRequest& pending = target.pending.entries[0];
  if (pending.text != expected.text || pending.level != expected.level || pending.levelGiven != expected.levelGiven)
    __builtin_trap();
  for (int i = 1; i < PendingExpressions::kSlots; ++i) {
    if (!target.pending.entries[i].Empty()) __builtin_trap();
  }
  if (request.command == ExternalRequest::kAnalyseText) {
    const bool load = !request.scenario.empty() && Folded(request.scenario) != Folded(kCurrentScenario);
    if (!acted || target.closed != 1 || target.scenarios.size() != (load ? 1u : 0u) || target.analysed.size() != 1 ||
        target.analysed[0] != std::vector<std::string>{request.path} || !target.history)
      __builtin_trap();
    return 0;
  }
  if (acted) {
    if (target.analysed.size() != 1 || target.analysed[0].empty() || !target.errors.empty() ||
        target.history != (target.analysed[0].size() == 1))
      __builtin_trap();
    for (const std::string& name : target.analysed[0]) {
      if (name.empty()) __builtin_trap();
    }
  } else if (target.errors != std::vector<int>{18} || !target.analysed.empty()) {
    __builtin_trap();
  }
  return 0;
}
