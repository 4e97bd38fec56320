#include "reading/borders_filter.h"

#include "platform/files.h"

namespace malvex {

bool PrepareBorders(BordersStore& store, const std::string& scenarioFolder, const std::string& fileName,
                    bool showBordersInText, bool* unreadable) {
  if (unreadable != nullptr) *unreadable = false;
  const std::string name = FilePart(fileName);
  if (name.empty()) {
    store.Clear();
    store.Release();
    return false;
  }
  return PrepareBordersFile(store, scenarioFolder + "/" + name, showBordersInText, unreadable);
}

bool PrepareBordersFile(BordersStore& store, const std::string& path, bool showBordersInText, bool* unreadable) {
  if (unreadable != nullptr) *unreadable = false;
  store.Clear();
  // A file that cannot be read must not leave the borders of an earlier
  // file filtering this text.
  if (!store.Load(path)) {
    if (unreadable != nullptr) *unreadable = true;
    store.Release();
    return false;
  }
  if (!store.Compile(showBordersInText)) {
    store.Release();
    return false;
  }
  return store.Active();
}

}  // namespace malvex
