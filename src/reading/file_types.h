// The file types of the text reader, decided from a file name's extension.
#pragma once

#include <string_view>

namespace malvex {

// File type codes (stored in the settings record's current-file-type field).
inline constexpr int kFileTypeText = 1;           // ".txt": plain text, byte-order mark detection
inline constexpr int kFileTypeHtml = 2;           // ".htm", and any unknown extension
inline constexpr int kFileTypeXml = 3;
inline constexpr int kFileTypeRtf = 4;
inline constexpr int kFileTypeSgml = 5;
inline constexpr int kFileTypeOem = 6;            // ".asc", ".tx8": OEM code page
inline constexpr int kFileTypeMac = 7;            // ".mac": Macintosh character set
inline constexpr int kFileTypeWord = 8;
inline constexpr int kFileTypePdf = 9;
inline constexpr int kFileTypeAny = 10;           // ".*": plain bytes, no filter
inline constexpr int kFileTypePowerPoint = 11;
inline constexpr int kFileTypePowerPointX = 12;   // ".pptx", ".ppsx"
inline constexpr int kFileTypeOdt = 13;
inline constexpr int kFileTypeOdp = 14;
inline constexpr int kFileTypeXps = 16;
inline constexpr int kFileTypeSwf = 17;
inline constexpr int kFileTypeXls = 18;
inline constexpr int kFileTypeScenario = 40;      // the system's own files: plain bytes
inline constexpr int kFileTypeTextIndex = 41;
inline constexpr int kFileTypeIndex = 42;
inline constexpr int kFileTypeBorders = 43;

// The type of `fileName` from its extension, compared in lower case:
// ".text" counts as ".txt"; ".pptx" and ".ppsx" are compared whole, every
// other extension by its first four characters (dot included), so ".html"
// is ".htm" and ".docx" is ".doc"; an extension of more than 11 characters
// counts as ".*". Anything unknown, and no extension, is HTML.
int FileTypeOf(std::string_view fileName);

}  // namespace malvex
