// File-name helpers and small file operations. Names are 8-bit strings; both
// '/' and '\\' are taken as folder separators when a stored name is read, so
// names written on another system still split correctly. The operations
// report failure by their result and leave the error code in an optional
// FileErrors cell; they never show anything themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace malvex {

// Longest path the system stores (a path field holds 261 bytes with its
// terminating zero).
inline constexpr size_t kMaxPath = 260;
// Block size of CopyFile.
inline constexpr size_t kCopyBlock = 2048;

// The last-file-error cell: the errno of the last failed operation that was
// given this cell (0 after a success).
struct FileErrors {
  int last = 0;
};

// The text after the last '/' or '\\', else after the last ':', else the
// whole path.
std::string FilePart(std::string_view path);

// Position of the last '.' within the file part, or path.size() when the
// file part has none.
size_t ExtensionPos(std::string_view path);

// The path up to its extension followed by `newExtension` (dot included),
// cut to kMaxPath characters.
std::string ChangeExtension(std::string_view path, std::string_view newExtension);

// Cuts `path` at its last separator; a separator at position 0 does not
// count. False (and `path` untouched) when there is none.
bool StripLastComponent(std::string& path);

// "*" followed by the path's extension (the dot included); "*.*" when the
// file part has no dot or the filter would exceed 12 characters.
std::string FilterForExtension(std::string_view path);

// The absolute, lexically normalised form of `path` (relative to the
// current folder); empty for an empty path.
std::string FullPath(std::string_view path);

// Makes `path` the process's current folder.
bool SetCurrentFolder(const std::string& path, FileErrors* errors = nullptr);
// The process's current folder; empty when it cannot be read.
std::string CurrentFolder();

// True when `path` names a readable regular file; `size` gets its size in
// bytes. False on any error, for a folder, and for an empty name.
bool FileExists(const std::string& path, int64_t& size, FileErrors* errors = nullptr);
// True when `path` names an existing folder.
bool FolderExists(const std::string& path);
// Creates `path` and any missing parent folders; true when it exists after.
bool MakeFolders(const std::string& path, FileErrors* errors = nullptr);
// Last modification time of `path` in nanoseconds since the epoch.
bool FileModificationTime(const std::string& path, int64_t& nanoseconds,
                          FileErrors* errors = nullptr);

// Copies `source` to `destination` in blocks of kCopyBlock bytes, replacing
// the destination. False on any error or a short write; a partly written
// destination is removed. Copying a file onto itself is refused.
bool CopyFile(const std::string& source, const std::string& destination,
              FileErrors* errors = nullptr);
// The platform's rename: an existing `newName` file is replaced.
bool RenameFile(const std::string& oldName, const std::string& newName,
                FileErrors* errors = nullptr);
// Removes the file `path`.
bool DeleteFile(const std::string& path, FileErrors* errors = nullptr);

// Opens `path` for reading when it names a regular file, and gives its
// size. A FIFO, a socket or a device is refused at once: a plain open of a
// FIFO would wait until another program opened it for writing, and a
// device would be read without end. Returns the descriptor (the caller
// closes it), or -1 with `error` set (EISDIR for a folder, EINVAL for
// anything else that is no regular file, or the system's code).
int OpenRegularFile(const std::string& path, int64_t& size, int& error);

// Reads at most `limit` bytes from the start of the regular file `path`.
bool ReadFileHead(const std::string& path, size_t limit, std::string& bytes);

// Reads the whole file into `bytes`.
bool ReadWholeFile(const std::string& path, std::string& bytes, FileErrors* errors = nullptr);
// Replaces `path` by `bytes` so that a failure at any point leaves the
// previous file whole: writes `path` + ".tmp", flushes it to disk, then
// renames it over `path`. The temporary file is removed on failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         FileErrors* errors = nullptr);

// Names of the regular files of `folder` matching the wildcard `mask`
// ('*', '?'; letters compared without regard to case), sorted. Folders and
// other special files are skipped.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask);

// Full path of the running program; empty when it cannot be read.
std::string ProgramPath();
// The folder holding the running program.
std::string ProgramFolder();

// Base name shared by both front ends for their own files: "malvex"
// followed by the dictionary-name language code ("malvexro").
std::string ProgramBaseName(std::string_view dictionaryCode);
// The settings file and the help file beside the program:
// programFolder + "/" + base name + ".prm" or ".hlp".
std::string SettingsFileName(const std::string& programFolder, std::string_view dictionaryCode);
std::string HelpFileName(const std::string& programFolder, std::string_view dictionaryCode);

// $XDG_CONFIG_HOME, else $HOME/.config; $XDG_DATA_HOME, else
// $HOME/.local/share. Relative values are ignored as the XDG rules say.
std::string XdgConfigHome();
std::string XdgDataHome();

// Starts `program` (looked up in PATH) with `args`, detached from this
// process (own session, standard input from /dev/null, never waited for).
// True when the program could be started.
bool StartDetached(const std::string& program, const std::vector<std::string>& args);
// Asks the desktop to open `path` with its associated application.
// Paths longer than kMaxPath are refused.
bool OpenWithShell(const std::string& path);
// Asks the desktop to show the folder `path` (or the folder holding the
// file `path`) in the file browser. Paths longer than kMaxPath are refused.
bool Explore(const std::string& path);

}  // namespace malvex
