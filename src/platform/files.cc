#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace malvex {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

size_t LastSeparator(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

// Start of the file part within `path`.
size_t FilePartStart(std::string_view path) {
  size_t sep = LastSeparator(path);
  if (sep != std::string_view::npos) return sep + 1;
  size_t colon = path.rfind(':');
  if (colon != std::string_view::npos) return colon + 1;
  return 0;
}

bool Fail(FileErrors* errors, int code) {
  if (errors != nullptr) errors->last = code;
  return false;
}

bool Succeed(FileErrors* errors) {
  if (errors != nullptr) errors->last = 0;
  return true;
}

// Writes all of `size` bytes; false on an error or a short write.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

ssize_t ReadSome(int fd, char* buffer, size_t size) {
  for (;;) {
    ssize_t n = ::read(fd, buffer, size);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

std::string FolderOf(const std::string& path) {
  std::string folder = path;
  if (!StripLastComponent(folder)) {
    size_t sep = LastSeparator(path);
    return sep == 0 ? std::string("/") : std::string(".");
  }
  return folder;
}

// Flushes the folder entry of a renamed file; failures are harmless.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string EnvironmentFolder(const char* variable, const char* fallbackUnderHome) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  std::string base = (home != nullptr && home[0] != '\0') ? home : "/tmp";
  return base + "/" + fallbackUnderHome;
}

}  // namespace

std::string FilePart(std::string_view path) { return std::string(path.substr(FilePartStart(path))); }

size_t ExtensionPos(std::string_view path) {
  size_t start = FilePartStart(path);
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) return path.size();
  return dot;
}

std::string ChangeExtension(std::string_view path, std::string_view newExtension) {
  std::string result(path.substr(0, ExtensionPos(path)));
  result.append(newExtension);
  if (result.size() > kMaxPath) result.resize(kMaxPath);
  return result;
}

bool StripLastComponent(std::string& path) {
  size_t sep = LastSeparator(path);
  if (sep == std::string::npos || sep == 0) return false;
  path.resize(sep);
  return true;
}

std::string FilterForExtension(std::string_view path) {
  size_t pos = ExtensionPos(path);
  if (pos == path.size()) return "*.*";
  std::string filter = "*" + std::string(path.substr(pos));
  if (filter.size() > 12) return "*.*";
  return filter;
}

std::string FullPath(std::string_view path) {
  if (path.empty()) return std::string();
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
  if (ec) return std::string(path);
  return absolute.lexically_normal().string();
}

bool SetCurrentFolder(const std::string& path, FileErrors* errors) {
  if (path.empty()) return Fail(errors, ENOENT);
  if (::chdir(path.c_str()) != 0) return Fail(errors, errno);
  return Succeed(errors);
}

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr) return std::string();
  return buffer;
}

bool FileExists(const std::string& path, int64_t& size, FileErrors* errors) {
  if (path.empty()) return Fail(errors, ENOENT);
  int code = 0;
  const int fd = OpenRegularFile(path, size, code);
  if (fd < 0) return Fail(errors, code);
  ::close(fd);
  return Succeed(errors);
}

int OpenRegularFile(const std::string& path, int64_t& size, int& error) {
  size = 0;
  error = 0;
  if (path.empty()) {
    error = ENOENT;
    return -1;
  }
  // Without O_NONBLOCK the open of a FIFO would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    error = errno != 0 ? errno : EIO;
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return -1;
  }
  // Reads of a regular file then block as usual.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  size = st.st_size;
  return fd;
}

bool FolderExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolders(const std::string& path, FileErrors* errors) {
  if (path.empty()) return Fail(errors, ENOENT);
  if (FolderExists(path)) return Succeed(errors);
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (!FolderExists(path)) return Fail(errors, ec ? ec.value() : ENOTDIR);
  return Succeed(errors);
}

bool FileModificationTime(const std::string& path, int64_t& nanoseconds, FileErrors* errors) {
  if (path.empty()) return Fail(errors, ENOENT);
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return Fail(errors, errno);
  nanoseconds = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return Succeed(errors);
}

bool CopyFile(const std::string& source, const std::string& destination, FileErrors* errors) {
  if (source.empty() || destination.empty()) return Fail(errors, ENOENT);
  int64_t sourceSize = 0;
  int openCode = 0;
  int in = OpenRegularFile(source, sourceSize, openCode);
  if (in < 0) return Fail(errors, openCode);
  struct stat sourceStat;
  if (::fstat(in, &sourceStat) != 0) {
    const int code = errno;
    ::close(in);
    return Fail(errors, code ? code : EIO);
  }
  // Opening the destination with truncation would destroy a source that is
  // the same file under another name.
  struct stat destinationStat;
  if (::stat(destination.c_str(), &destinationStat) == 0 &&
      destinationStat.st_dev == sourceStat.st_dev && destinationStat.st_ino == sourceStat.st_ino) {
    ::close(in);
    return Fail(errors, EINVAL);
  }
  int out = ::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    int code = errno;
    ::close(in);
    return Fail(errors, code);
  }
  char block[kCopyBlock];
  int code = 0;
  for (;;) {
    ssize_t n = ReadSome(in, block, sizeof block);
    if (n < 0) {
      code = errno;
      break;
    }
    if (n == 0) break;
    if (!WriteAll(out, block, static_cast<size_t>(n))) {
      code = errno ? errno : EIO;
      break;
    }
  }
  ::close(in);
  if (::close(out) != 0 && code == 0) code = errno;
  if (code != 0) {
    ::unlink(destination.c_str());
    return Fail(errors, code);
  }
  return Succeed(errors);
}

bool RenameFile(const std::string& oldName, const std::string& newName, FileErrors* errors) {
  if (oldName.empty() || newName.empty()) return Fail(errors, ENOENT);
  if (::rename(oldName.c_str(), newName.c_str()) != 0) return Fail(errors, errno);
  return Succeed(errors);
}

bool DeleteFile(const std::string& path, FileErrors* errors) {
  if (path.empty()) return Fail(errors, ENOENT);
  if (::unlink(path.c_str()) != 0) return Fail(errors, errno);
  return Succeed(errors);
}

bool ReadFileHead(const std::string& path, size_t limit, std::string& bytes) {
  bytes.clear();
  int64_t size = 0;
  int code = 0;
  const int fd = OpenRegularFile(path, size, code);
  if (fd < 0) return false;
  bytes.resize(std::min<size_t>(limit, static_cast<size_t>(size)));
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(got);
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, FileErrors* errors) {
  bytes.clear();
  if (path.empty()) return Fail(errors, ENOENT);
  int64_t size = 0;
  int code = 0;
  const int fd = OpenRegularFile(path, size, code);
  if (fd < 0) return Fail(errors, code);
  bytes.reserve(static_cast<size_t>(size));
  char block[16384];
  for (;;) {
    ssize_t n = ReadSome(fd, block, sizeof block);
    if (n < 0) {
      int code = errno;
      ::close(fd);
      bytes.clear();
      return Fail(errors, code);
    }
    if (n == 0) break;
    bytes.append(block, static_cast<size_t>(n));
  }
  ::close(fd);
  return Succeed(errors);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, FileErrors* errors) {
  if (path.empty()) return Fail(errors, ENOENT);
  const std::string temporary = path + ".tmp";
  mode_t mode = 0666;
  struct stat existing;
  bool keepMode = ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return Fail(errors, errno);
  int code = 0;
  if (keepMode) ::fchmod(fd, existing.st_mode & 07777);
  if (!WriteAll(fd, bytes.data(), bytes.size())) code = errno ? errno : EIO;
  if (code == 0 && ::fsync(fd) != 0) code = errno;
  if (::close(fd) != 0 && code == 0) code = errno;
  if (code == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) code = errno;
  if (code != 0) {
    ::unlink(temporary.c_str());
    return Fail(errors, code);
  }
  SyncFolder(FolderOf(path));
  return Succeed(errors);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (struct dirent* entry = ::readdir(dir)) {
    const char* name = entry->d_name;
    if (std::string_view(name) == "." || std::string_view(name) == "..") continue;
    if (::fnmatch(mask.c_str(), name, FNM_CASEFOLD) != 0) continue;
    struct stat st;
    std::string full = folder + "/" + name;
    if (::stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    names.emplace_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ProgramPath() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::string();
  return std::string(buffer, static_cast<size_t>(n));
}

std::string ProgramFolder() {
  std::string path = ProgramPath();
  if (path.empty()) return CurrentFolder();
  return FolderOf(path);
}

std::string ProgramBaseName(std::string_view dictionaryCode) {
  return "malvex" + std::string(dictionaryCode);
}

std::string SettingsFileName(const std::string& programFolder, std::string_view dictionaryCode) {
  return programFolder + "/" + ProgramBaseName(dictionaryCode) + ".prm";
}

std::string HelpFileName(const std::string& programFolder, std::string_view dictionaryCode) {
  return programFolder + "/" + ProgramBaseName(dictionaryCode) + ".hlp";
}

std::string XdgConfigHome() { return EnvironmentFolder("XDG_CONFIG_HOME", ".config"); }

std::string XdgDataHome() { return EnvironmentFolder("XDG_DATA_HOME", ".local/share"); }

bool StartDetached(const std::string& program, const std::vector<std::string>& args) {
  if (program.empty()) return false;
  // Everything the children need is prepared before fork.
  std::vector<std::string> storage;
  storage.reserve(args.size() + 1);
  storage.push_back(program);
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  // The grandchild reports a failed exec through this pipe; a successful
  // exec closes it (close-on-exec) and the parent reads end of file.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    ::close(report[0]);
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild < 0) {
      int code = errno;
      (void)!::write(report[1], &code, sizeof code);
      ::_exit(1);
    }
    if (grandchild > 0) ::_exit(0);
    int null = ::open("/dev/null", O_RDONLY);
    if (null >= 0) {
      ::dup2(null, STDIN_FILENO);
      if (null != STDIN_FILENO) ::close(null);
    }
    ::execvp(argv[0], argv.data());
    int code = errno;
    (void)!::write(report[1], &code, sizeof code);
    ::_exit(127);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int code = 0;
  ssize_t n;
  do {
    n = ::read(report[0], &code, sizeof code);
  } while (n < 0 && errno == EINTR);
  ::close(report[0]);
  return n == 0;
}

bool OpenWithShell(const std::string& path) {
  if (path.empty() || path.size() > kMaxPath) return false;
  return StartDetached("xdg-open", {path});
}

bool Explore(const std::string& path) {
  if (path.empty() || path.size() > kMaxPath) return false;
  return StartDetached("xdg-open", {FolderExists(path) ? path : FolderOf(path)});
}

}  // namespace malvex
