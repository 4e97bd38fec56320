// The borders file of a malvex-cli run (--borders FILE.dlm): the text is
// analysed with the borders of that file instead of those the settings
// name.
#pragma once

#include <cstdio>
#include <string>

namespace malvex {

struct EngineOptions;

// Checks that `path` names a readable file and makes it, as a full path
// (the engine changes the current folder when it starts), the borders file
// of every run of an engine built with `options`. False, with
// "malvex-cli: cannot read the borders file PATH: reason" on `err`, when
// it cannot be read; `options` is then unchanged.
bool UseBordersFile(const std::string& path, EngineOptions& options, std::FILE* err);

}  // namespace malvex
