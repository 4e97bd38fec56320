#include "reading/block_filters.h"

#include "foundations/charset.h"
#include "reading/file_types.h"

namespace malvex {

void BlockFilters::StartFile(int fileType, const LanguageTables& tables) {
  switch (fileType) {
    case kFileTypeHtml:
    case kFileTypeXml:
    case kFileTypeSgml:
      kind_ = Kind::kMarkup;
      markup_.StartFile(fileType, tables);
      break;
    case kFileTypeRtf:
      kind_ = Kind::kRtf;
      rtf_.StartFile(tables);
      break;
    case kFileTypeWord:
    case kFileTypePowerPoint:
    case kFileTypeSwf:
    case kFileTypeXls:
      kind_ = Kind::kBinary;
      binary_.StartFile(fileType);
      break;
    case kFileTypeText:
    case kFileTypeOem:
    case kFileTypeMac:
      kind_ = Kind::kPlain;
      plain_.StartFile(fileType, tables);
      break;
    default:
      // The system's own files, "all files" and converter texts: as they are.
      kind_ = Kind::kPlain;
      plain_.StartFile(kFileTypeAny, tables);
      break;
  }
}

void BlockFilters::DetectFirstBlock(const uint8_t* block, size_t size) {
  if (kind_ == Kind::kPlain)
    plain_.DetectFirstBlock(block, size);
  else if (kind_ == Kind::kMarkup)
    markup_.DetectFirstBlock(block, size);
}

std::string_view BlockFilters::FilterBlock(uint8_t* block, size_t size, bool last) {
  switch (kind_) {
    case Kind::kMarkup:
      return markup_.FilterBlock(block, size, last);
    case Kind::kRtf:
      return rtf_.FilterBlock(block, size);
    case Kind::kBinary:
      binary_.FilterBlock(block, size);
      return std::string_view(reinterpret_cast<const char*>(block), size);
    case Kind::kPlain:
      break;
  }
  return plain_.FilterBlock(block, size, last);
}

int BlockFilters::Encoding() const {
  if (kind_ == Kind::kMarkup) return markup_.Encoding();
  if (kind_ == Kind::kPlain) return plain_.Encoding();
  return kEncodingNone;
}

int BlockFilters::DeclaredEncoding() const {
  return kind_ == Kind::kMarkup ? markup_.DeclaredEncoding() : kMarkupUndeclared;
}

}  // namespace malvex
