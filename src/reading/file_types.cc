#include "reading/file_types.h"

#include <string>

namespace malvex {
namespace {

struct ExtensionType {
  const char* extension;
  int type;
};

// Compared on the first four characters of the extension, dot included.
constexpr ExtensionType kTypes[] = {
    {".txt", kFileTypeText},     {".htm", kFileTypeHtml},    {".xml", kFileTypeXml},
    {".rtf", kFileTypeRtf},      {".sgm", kFileTypeSgml},    {".asc", kFileTypeOem},
    {".tx8", kFileTypeOem},      {".mac", kFileTypeMac},     {".doc", kFileTypeWord},
    {".pdf", kFileTypePdf},      {".*", kFileTypeAny},       {".ppt", kFileTypePowerPoint},
    {".odt", kFileTypeOdt},      {".odp", kFileTypeOdp},     {".xps", kFileTypeXps},
    {".swf", kFileTypeSwf},      {".xls", kFileTypeXls},     {".scn", kFileTypeScenario},
    {".idt", kFileTypeTextIndex}, {".mit", kFileTypeIndex},  {".mft", kFileTypeIndex},
    {".mvi", kFileTypeIndex},    {".dlm", kFileTypeBorders},
};

}  // namespace

int FileTypeOf(std::string_view fileName) {
  const size_t slash = fileName.find_last_of("/\\");
  const std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
  const size_t dot = base.rfind('.');
  if (dot == std::string_view::npos) return kFileTypeHtml;
  std::string ext(base.substr(dot));
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (ext == ".text") ext = ".txt";
  if (ext.size() > 11) ext = ".*";
  if (ext == ".pptx" || ext == ".ppsx") return kFileTypePowerPointX;
  if (ext.size() > 4) ext.resize(4);
  for (const ExtensionType& t : kTypes) {
    if (ext == t.extension) return t.type;
  }
  return kFileTypeHtml;
}

}  // namespace malvex
