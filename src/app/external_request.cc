#include "app/external_request.h"

#include <cstring>

#include "foundations/charset.h"

namespace malvex {

namespace {

constexpr size_t kCommandAt = 0;
constexpr size_t kScenarioAt = 4;
constexpr size_t kPathAt = 265;
constexpr size_t kExpressionAt = 526;
constexpr size_t kLevelAt = 2126;
constexpr size_t kField = 261;

std::string ReadField(std::string_view payload, size_t at) {
  const std::string_view field = payload.substr(at, kField - 1);
  return std::string(field.substr(0, field.find('\0')));
}

void WriteField(std::string& record, size_t at, const std::string& text) {
  const size_t n = text.size() < kField - 1 ? text.size() : kField - 1;
  std::memcpy(&record[at], text.data(), n);
}

bool SameIgnoringCase(std::string a, std::string b) {
  FoldToLower(a);
  FoldToLower(b);
  return a == b;
}

}  // namespace

bool ParseExternalRequest(std::string_view payload, ExternalRequest& request) {
  if (payload.size() != kExternalRequestSize) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(payload.data());
  const uint32_t command = bytes[kCommandAt] | bytes[kCommandAt + 1] << 8 | bytes[kCommandAt + 2] << 16 |
                           static_cast<uint32_t>(bytes[kCommandAt + 3]) << 24;
  if (command != ExternalRequest::kAnalyseText && command != ExternalRequest::kAnalyseList) return false;
  request.command = command;
  request.scenario = ReadField(payload, kScenarioAt);
  request.path = ReadField(payload, kPathAt);
  request.expression = ReadField(payload, kExpressionAt);
  request.levelCode = static_cast<uint16_t>(bytes[kLevelAt] | bytes[kLevelAt + 1] << 8);
  return true;
}

std::string EncodeExternalRequest(const ExternalRequest& request) {
  std::string record(kExternalRequestSize, '\0');
  for (int i = 0; i < 4; ++i) record[kCommandAt + i] = static_cast<char>(request.command >> (8 * i));
  WriteField(record, kScenarioAt, request.scenario);
  WriteField(record, kPathAt, request.path);
  WriteField(record, kExpressionAt, request.expression);
  record[kLevelAt] = static_cast<char>(request.levelCode & 0xFF);
  record[kLevelAt + 1] = static_cast<char>(request.levelCode >> 8);
  return record;
}

DisplayRequest ExpressionOf(const ExternalRequest& request) {
  DisplayRequest d;
  d.text = request.expression.substr(0, kMaxRequestText);
  int level = request.levelCode;
  if (level >= '1' && level <= '4') level -= '0';
  d.levelGiven = level >= 1 && level <= 4;
  d.level = d.levelGiven ? level : 0;
  return d;
}

bool ActOnExternalRequest(std::string_view payload, RequestTarget& target) {
  ExternalRequest request;
  if (!ParseExternalRequest(payload, request)) {
    target.ShowError(kRefusedRequestMessage);
    return false;
  }
  if (target.Busy()) return false;
  target.RestoreAndFocus();
  PendingExpressions& pending = target.Pending();
  pending.Clear();
  pending.entries[0] = ExpressionOf(request);
  if (request.command == ExternalRequest::kAnalyseText) {
    target.CloseCurrentText();
    if (!request.scenario.empty() && !SameIgnoringCase(request.scenario, target.CurrentScenario())) {
      target.LoadScenario(request.scenario);
    }
    target.AnalyseFiles({request.path}, true);
    return true;
  }
  std::vector<std::string> files;
  if (!ReadFileList(request.path, files) || files.empty()) {
    target.ShowError(18);
    return false;
  }
  target.AnalyseFiles(files, files.size() == 1);
  return true;
}

}  // namespace malvex
