#include "reading/read_ahead.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "reading/block_source.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::TempDir;

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return s;
}

// Reads a whole file through the worker and returns the block sizes seen.
std::vector<int64_t> ReadThrough(TThreadDeLectureDisque& worker, const std::string& path,
                                 std::string& content) {
  PlainFileSource source(worker);
  int64_t size = -1;
  EXPECT_TRUE(source.Open(path.c_str(), size));
  std::vector<uint8_t> block(TThreadDeLectureDisque::kBlockSize);
  std::vector<int64_t> sizes;
  for (;;) {
    int64_t n = source.NextBlock(block.data());
    if (n <= 0) {
      EXPECT_EQ(n, 0);
      break;
    }
    sizes.push_back(n);
    content.append(reinterpret_cast<const char*>(block.data()), static_cast<size_t>(n));
  }
  source.Close();
  return sizes;
}

struct BlockCase {
  size_t fileSize;
  std::vector<int64_t> blocks;
};

class BlockSplitTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockSplitTest, FileIsConsumedInBlocksOf64KiB) {
  TempDir dir;
  std::string path = dir.File("t.txt");
  std::string data = Pattern(GetParam().fileSize);
  ASSERT_TRUE(testing::WriteFile(path, data));
  TThreadDeLectureDisque worker;
  worker.Start();
  std::string content;
  EXPECT_EQ(ReadThrough(worker, path, content), GetParam().blocks);
  EXPECT_EQ(content, data);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BlockSplitTest,
                         ::testing::Values(BlockCase{0, {}}, BlockCase{1, {1}},
                                           BlockCase{65536, {65536}},
                                           BlockCase{65537, {65536, 1}},
                                           BlockCase{3 * 65536 + 17, {65536, 65536, 65536, 17}}));

// Bytes of file `seed`: every file, and every 64 KiB block of a file, has
// its own sequence, so a block read from the wrong place shows.
std::string SeededPattern(size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) {
    s[i] = static_cast<char>((i * 131 + (i >> 16) * 29 + seed * 71 + (i >> 8)) & 0xFF);
  }
  return s;
}

// Offset of the first byte where `got` and `want` differ; the shorter
// length when one is a prefix of the other; npos when they are equal.
size_t FirstDifference(const std::string& got, const std::string& want) {
  const size_t n = std::min(got.size(), want.size());
  for (size_t i = 0; i < n; ++i) {
    if (got[i] != want[i]) return i;
  }
  return got.size() == want.size() ? std::string::npos : n;
}

TEST(ReadAheadTest, FilesReadOneAfterAnotherThroughOneWorkerKeepEveryByte) {
  // The worker, woken by the last block taken from one file, may still be
  // on its way when the next file is opened: whatever it does then, every
  // file must come through whole and in order.
  const size_t sizes[] = {0, 1, 65535, 65536, 65537, 200 * 1024, 2 * 65536, 3};
  TempDir dir;
  std::vector<std::string> paths;
  std::vector<std::string> contents;
  unsigned seed = 0;
  for (int copy = 0; copy < 2; ++copy) {
    for (size_t size : sizes) {
      paths.push_back(dir.File("f" + std::to_string(seed) + ".txt"));
      contents.push_back(SeededPattern(size, seed++));
      ASSERT_TRUE(testing::WriteFile(paths.back(), contents.back()));
    }
  }
  TThreadDeLectureDisque worker;
  worker.Start();
  for (int round = 0; round < 25; ++round) {
    for (size_t f = 0; f < paths.size(); ++f) {
      std::string content;
      ReadThrough(worker, paths[f], content);
      const size_t at = FirstDifference(content, contents[f]);
      ASSERT_EQ(at, std::string::npos) << "round " << round << ", file of " << contents[f].size()
                                       << " bytes read as " << content.size() << " bytes, wrong from byte " << at;
    }
  }
}

TEST(ReadAheadTest, WorkerReadsTheNextBlockAfterASignal) {
  TempDir dir;
  std::string path = dir.File("big.txt");
  std::string data = Pattern(3 * 65536);
  ASSERT_TRUE(testing::WriteFile(path, data));
  TThreadDeLectureDisque worker;
  worker.Start();
  std::vector<uint8_t> block(TThreadDeLectureDisque::kBlockSize);
  int64_t size = 0;
  ASSERT_TRUE(worker.OpenFile(path.c_str(), size));
  {
    std::lock_guard<std::mutex> lk(worker.Lock());
    // Whoever reads first, the block taken is the file's first block.
    ASSERT_TRUE(worker.TakeBlock(block.data(), 65536));
    worker.Signal();
  }
  EXPECT_EQ(std::string(block.begin(), block.end()), data.substr(0, 65536));
  // The worker, woken by the signal, prefetches the second block.
  for (int i = 0; i < 10000; ++i) {
    {
      std::lock_guard<std::mutex> lk(worker.Lock());
      if (worker.BlockReady()) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::lock_guard<std::mutex> lk(worker.Lock());
  ASSERT_TRUE(worker.BlockReady());
  EXPECT_EQ(worker.Remaining(), 65536);
  ASSERT_TRUE(worker.TakeBlock(block.data(), 65536));
  EXPECT_EQ(std::string(block.begin(), block.end()), data.substr(65536, 65536));
  EXPECT_FALSE(worker.BlockReady());
}

TEST(ReadAheadTest, TakeBlockFailsAfterTermination) {
  TempDir dir;
  std::string path = dir.File("t.txt");
  ASSERT_TRUE(testing::WriteFile(path, Pattern(100)));
  TThreadDeLectureDisque worker;
  worker.Start();
  int64_t size = 0;
  ASSERT_TRUE(worker.OpenFile(path.c_str(), size));
  worker.Terminate();
  std::vector<uint8_t> block(TThreadDeLectureDisque::kBlockSize);
  std::lock_guard<std::mutex> lk(worker.Lock());
  EXPECT_FALSE(worker.TakeBlock(block.data(), 100));
}

TEST(ReadAheadTest, OpeningAMissingFileOrAFolderFails) {
  TempDir dir;
  TThreadDeLectureDisque worker;
  int64_t size = 7;
  EXPECT_FALSE(worker.OpenFile(dir.File("none.txt").c_str(), size));
  EXPECT_NE(worker.LastError(), 0);
  EXPECT_FALSE(worker.OpenFile(dir.path().c_str(), size));
  EXPECT_EQ(worker.LastError(), EISDIR);
  EXPECT_FALSE(worker.FileOpen());
  // A FIFO nobody writes to (the reading would wait for a writer) and a
  // device are refused with an error, not as an empty success.
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    EXPECT_FALSE(worker.OpenFile(path.c_str(), size)) << path;
    EXPECT_EQ(worker.LastError(), EINVAL) << path;
    EXPECT_FALSE(worker.FileOpen());
  }
}

}  // namespace
}  // namespace malvex
