#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct NameCase {
  const char* path;
  const char* filePart;
  size_t extensionPos;
  const char* filter;
};

TEST(FileNames, FilePartExtensionAndFilter) {
  const NameCase cases[] = {
      {"/home/ana/report.htm", "report.htm", 16, "*.htm"},
      {"C:\\Texte\\report.htm", "report.htm", 15, "*.htm"},
      {"C:report.htm", "report.htm", 8, "*.htm"},
      {"mixed\\dir/name.txt", "name.txt", 14, "*.txt"},
      {"name.extension12", "name.extension12", 4, "*.*"},
      {"name.extensio1", "name.extensio1", 4, "*.extensio1"},
      {"/a.b/noext", "noext", 10, "*.*"},
      {"C:\\a.b\\noext", "noext", 12, "*.*"},
      {"archive.tar.gz", "archive.tar.gz", 11, "*.gz"},
      {"/folder/", "", 8, "*.*"},
      {"", "", 0, "*.*"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FilePart(c.path), c.filePart);
    EXPECT_EQ(ExtensionPos(c.path), c.extensionPos);
    EXPECT_EQ(FilterForExtension(c.path), c.filter);
  }
}

TEST(FileNames, ChangeExtension) {
  struct Case {
    const char* path;
    const char* extension;
    const char* expected;
  };
  const Case cases[] = {
      {"/opt/malvex/bin/malvexro.prm", ".INI", "/opt/malvex/bin/malvexro.INI"},
      {"/opt/malvex/bin/malvexro", ".prm", "/opt/malvex/bin/malvexro.prm"},
      {"/a.dir/file", ".scn", "/a.dir/file.scn"},
      {"C:\\a.dir\\file.txt", ".bak", "C:\\a.dir\\file.bak"},
      {"name.scn", "", "name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ChangeExtension(c.path, c.extension), c.expected);
  }
  std::string longPath(300, 'x');
  EXPECT_EQ(ChangeExtension(longPath, ".scn").size(), kMaxPath);
}

TEST(FileNames, StripLastComponent) {
  struct Case {
    const char* path;
    bool stripped;
    const char* expected;
  };
  const Case cases[] = {
      {"/home/ana/file.txt", true, "/home/ana"},
      {"C:\\Malvex\\bin", true, "C:\\Malvex"},
      {"a/b\\c", true, "a/b"},
      {"/file.txt", false, "/file.txt"},
      {"\\file.txt", false, "\\file.txt"},
      {"file.txt", false, "file.txt"},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string path = c.path;
    EXPECT_EQ(StripLastComponent(path), c.stripped);
    EXPECT_EQ(path, c.expected);
  }
}

TEST(FileNames, FullPathMakesRelativeAbsolute) {
  TempDir dir;
  const std::string before = CurrentFolder();
  ASSERT_TRUE(SetCurrentFolder(dir.path().string()));
  EXPECT_EQ(FullPath("sub/../x.txt"), dir.File("x.txt"));
  EXPECT_EQ(FullPath("/usr/./lib"), "/usr/lib");
  EXPECT_EQ(FullPath(""), "");
  ASSERT_TRUE(SetCurrentFolder(before));
}

TEST(FileNames, SetCurrentFolderRecordsTheError) {
  FileErrors errors;
  EXPECT_FALSE(SetCurrentFolder("/no/such/folder/anywhere", &errors));
  EXPECT_EQ(errors.last, ENOENT);
}

TEST(FileNames, SettingsAndHelpFileNames) {
  EXPECT_EQ(ProgramBaseName("ro"), "malvexro");
  EXPECT_EQ(SettingsFileName("/opt/malvex/bin", "ro"), "/opt/malvex/bin/malvexro.prm");
  EXPECT_EQ(HelpFileName("/opt/malvex/bin", "ro"), "/opt/malvex/bin/malvexro.hlp");
}

TEST(FileNames, ProgramFolderHoldsTheRunningProgram) {
  const std::string program = ProgramPath();
  ASSERT_FALSE(program.empty());
  int64_t size = 0;
  EXPECT_TRUE(FileExists(program, size));
  EXPECT_GT(size, 0);
  EXPECT_EQ(ProgramFolder() + "/" + FilePart(program), program);
}

TEST(FileNames, XdgFoldersFollowTheEnvironment) {
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const char* savedHome = std::getenv("HOME");
  std::string config = savedConfig ? savedConfig : "";
  std::string data = savedData ? savedData : "";
  std::string home = savedHome ? savedHome : "";

  ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  ::setenv("XDG_DATA_HOME", "/tmp/data", 1);
  EXPECT_EQ(XdgConfigHome(), "/tmp/cfg");
  EXPECT_EQ(XdgDataHome(), "/tmp/data");
  // Relative values are ignored; unset ones fall back under HOME.
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  ::unsetenv("XDG_DATA_HOME");
  ::setenv("HOME", "/home/ana", 1);
  EXPECT_EQ(XdgConfigHome(), "/home/ana/.config");
  EXPECT_EQ(XdgDataHome(), "/home/ana/.local/share");

  auto restore = [](const char* name, const char* saved, const std::string& value) {
    if (saved) {
      ::setenv(name, value.c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  };
  restore("XDG_CONFIG_HOME", savedConfig, config);
  restore("XDG_DATA_HOME", savedData, data);
  restore("HOME", savedHome, home);
}

TEST(Files, ExistsReportsSizeAndRefusesFoldersAndEmptyNames) {
  TempDir dir;
  ASSERT_TRUE(WriteFile(dir.File("a.txt"), "hello"));
  int64_t size = -1;
  EXPECT_TRUE(FileExists(dir.File("a.txt"), size));
  EXPECT_EQ(size, 5);
  FileErrors errors;
  EXPECT_FALSE(FileExists(dir.File("missing.txt"), size, &errors));
  EXPECT_EQ(errors.last, ENOENT);
  EXPECT_FALSE(FileExists(dir.path().string(), size, &errors));
  EXPECT_EQ(errors.last, EISDIR);
  EXPECT_FALSE(FileExists("", size));
}

class CopyFileSizes : public ::testing::TestWithParam<size_t> {};

TEST_P(CopyFileSizes, CopiesEveryByte) {
  TempDir dir;
  std::string bytes(GetParam(), '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  ASSERT_TRUE(WriteFile(dir.File("src.bin"), bytes));
  ASSERT_TRUE(WriteFile(dir.File("dst.bin"), std::string(5000, 'z')));  // longer: must be cut
  EXPECT_TRUE(CopyFile(dir.File("src.bin"), dir.File("dst.bin")));
  EXPECT_EQ(ReadFile(dir.File("dst.bin")), bytes);
}

INSTANTIATE_TEST_SUITE_P(BlockBoundaries, CopyFileSizes, ::testing::Values(0u, 2048u, 2049u, 4096u));

TEST(Files, CopyFailures) {
  TempDir dir;
  FileErrors errors;
  EXPECT_FALSE(CopyFile(dir.File("missing"), dir.File("out"), &errors));
  EXPECT_EQ(errors.last, ENOENT);
  EXPECT_FALSE(FolderExists(dir.File("out")));

  ASSERT_TRUE(WriteFile(dir.File("src"), "data"));
  EXPECT_FALSE(CopyFile(dir.File("src"), dir.File("no/such/folder/out"), &errors));
  EXPECT_NE(errors.last, 0);
  // Copying a file onto itself must not truncate it.
  EXPECT_FALSE(CopyFile(dir.File("src"), dir.File("./src"), &errors));
  EXPECT_EQ(ReadFile(dir.File("src")), "data");
  // A folder is not a file to copy.
  EXPECT_FALSE(CopyFile(dir.path().string(), dir.File("out"), &errors));
}

TEST(Files, RenameAndDelete) {
  TempDir dir;
  FileErrors errors;
  ASSERT_TRUE(WriteFile(dir.File("a"), "A"));
  ASSERT_TRUE(WriteFile(dir.File("b"), "B"));
  EXPECT_TRUE(RenameFile(dir.File("a"), dir.File("b"), &errors));
  EXPECT_EQ(errors.last, 0);
  EXPECT_EQ(ReadFile(dir.File("b")), "A");
  EXPECT_FALSE(RenameFile(dir.File("a"), dir.File("c"), &errors));
  EXPECT_EQ(errors.last, ENOENT);
  EXPECT_TRUE(DeleteFile(dir.File("b"), &errors));
  EXPECT_FALSE(DeleteFile(dir.File("b"), &errors));
  EXPECT_EQ(errors.last, ENOENT);
}

TEST(Files, ReadWholeFile) {
  TempDir dir;
  std::string bytes(40000, 'q');
  bytes[12345] = '\0';
  ASSERT_TRUE(WriteFile(dir.File("f"), bytes));
  std::string read;
  EXPECT_TRUE(ReadWholeFile(dir.File("f"), read));
  EXPECT_EQ(read, bytes);
  EXPECT_FALSE(ReadWholeFile(dir.File("none"), read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(ReadWholeFile(dir.path().string(), read));
}

// A FIFO without a writer, and a character device: every reader refuses
// them at once instead of waiting (a plain open of the FIFO would block
// the test for good) or reading without end.
TEST(Files, FifosAndDevicesAreRefusedWithoutWaiting) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    int64_t size = -1;
    int error = 0;
    EXPECT_EQ(OpenRegularFile(path, size, error), -1) << path;
    EXPECT_EQ(error, EINVAL) << path;
    FileErrors errors;
    EXPECT_FALSE(FileExists(path, size, &errors)) << path;
    EXPECT_EQ(errors.last, EINVAL) << path;
    std::string bytes;
    EXPECT_FALSE(ReadWholeFile(path, bytes, &errors)) << path;
    EXPECT_FALSE(ReadFileHead(path, 4, bytes)) << path;
    EXPECT_FALSE(CopyFile(path, dir.File("copy"), &errors)) << path;
    EXPECT_EQ(errors.last, EINVAL) << path;
  }
  // A regular file opens, gives its size and reads as usual.
  ASSERT_TRUE(WriteFile(dir.File("a.txt"), "PK\x03\x04rest"));
  int64_t size = -1;
  int error = 0;
  const int fd = OpenRegularFile(dir.File("a.txt"), size, error);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(size, 8);
  ::close(fd);
  std::string head;
  EXPECT_TRUE(ReadFileHead(dir.File("a.txt"), 4, head));
  EXPECT_EQ(head, std::string("PK\x03\x04", 4));
  EXPECT_TRUE(ReadFileHead(dir.File("a.txt"), 100, head));
  EXPECT_EQ(head.size(), 8u);
}

TEST(Files, WriteFileAtomicallyReplacesAndKeepsMode) {
  TempDir dir;
  const std::string path = dir.File("settings.prm");
  ASSERT_TRUE(WriteFile(path, "old"));
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  EXPECT_TRUE(WriteFileAtomically(path, "new contents"));
  EXPECT_EQ(ReadFile(path), "new contents");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_FALSE(FolderExists(path + ".tmp"));
  int64_t size;
  EXPECT_FALSE(FileExists(path + ".tmp", size));
}

TEST(Files, FailedAtomicWriteLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  // The target is a folder holding a file: the rename cannot replace it.
  ASSERT_TRUE(MakeFolders(dir.File("target")));
  ASSERT_TRUE(WriteFile(dir.File("target/inside"), "kept"));
  FileErrors errors;
  EXPECT_FALSE(WriteFileAtomically(dir.File("target"), "bytes", &errors));
  EXPECT_NE(errors.last, 0);
  EXPECT_EQ(ReadFile(dir.File("target/inside")), "kept");
  int64_t size;
  EXPECT_FALSE(FileExists(dir.File("target.tmp"), size));
  // A missing folder: nothing is created.
  EXPECT_FALSE(WriteFileAtomically(dir.File("none/x"), "bytes", &errors));
  EXPECT_FALSE(FolderExists(dir.File("none")));
}

TEST(Files, ListFilesMatchesMaskWithoutCaseAndSkipsFolders) {
  TempDir dir;
  ASSERT_TRUE(WriteFile(dir.File("b.scn"), ""));
  ASSERT_TRUE(WriteFile(dir.File("A.SCN"), ""));
  ASSERT_TRUE(WriteFile(dir.File("c.dlm"), ""));
  ASSERT_TRUE(MakeFolders(dir.File("folder.scn")));
  EXPECT_EQ(ListFiles(dir.path().string(), "*.scn"), (std::vector<std::string>{"A.SCN", "b.scn"}));
  EXPECT_EQ(ListFiles(dir.path().string(), "*.*").size(), 3u);
  EXPECT_TRUE(ListFiles(dir.File("missing"), "*.*").empty());
}

TEST(Files, MakeFoldersAndModificationTime) {
  TempDir dir;
  EXPECT_TRUE(MakeFolders(dir.File("a/b/c")));
  EXPECT_TRUE(FolderExists(dir.File("a/b/c")));
  EXPECT_TRUE(MakeFolders(dir.File("a/b/c")));
  ASSERT_TRUE(WriteFile(dir.File("file"), "x"));
  EXPECT_FALSE(MakeFolders(dir.File("file/sub")));
  int64_t t = 0;
  EXPECT_TRUE(FileModificationTime(dir.File("file"), t));
  EXPECT_GT(t, 0);
  EXPECT_FALSE(FileModificationTime(dir.File("missing"), t));
}

TEST(Shell, StartDetachedReportsWhetherTheProgramStarted) {
  EXPECT_TRUE(StartDetached("true", {"ignored"}));
  EXPECT_FALSE(StartDetached("malvex-no-such-program-here", {}));
  EXPECT_FALSE(StartDetached("", {}));
}

TEST(Shell, OverlongPathsAreRefused) {
  EXPECT_FALSE(OpenWithShell(std::string(kMaxPath + 1, 'a')));
  EXPECT_FALSE(Explore(std::string(kMaxPath + 1, 'a')));
  EXPECT_FALSE(OpenWithShell(""));
}

}  // namespace
}  // namespace malvex
