// The block filter of binary documents read without a converter (Word and
// PowerPoint files, Flash and Excel files): keeps the runs of bytes that
// look like text and blanks everything else, so that the words stored in
// the document are read and its binary structures are not.
#pragma once

#include <cstddef>
#include <cstdint>

namespace malvex {

class BinaryDocumentFilter {
 public:
  // Bytes searched for the Word marker on the first block of a Word file.
  static constexpr size_t kMarkerSearch = 8000;
  // Bytes blanked at the start of a Word file without the marker, and at
  // the start of a PowerPoint file.
  static constexpr size_t kWordHeader = 128;
  static constexpr size_t kPowerPointHeader = 512;

  // Prepares the filter for a new file of `fileType` (kFileTypeWord,
  // kFileTypePowerPoint, kFileTypeSwf or kFileTypeXls).
  void StartFile(int fileType);
  // Rewrites `size` bytes of `block` in place: bytes that are not text-like
  // become 0, runs that do not look like text become blanks. On the first
  // block, the file's header is blanked first.
  void FilterBlock(uint8_t* block, size_t size);

 private:
  int fileType_ = 0;
  bool firstBlock_ = true;
};

// True for the bytes a text run is made of: 7, 9, 10, 13 and 32..254.
bool IsTextLike(uint8_t c);

}  // namespace malvex
