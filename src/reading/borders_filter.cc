#include "reading/borders_filter.h"

#include "platform/files.h"

namespace malvex {

bool PrepareBorders(BordersStore& store, const std::string& scenarioFolder, const std::string& fileName,
                    bool showBordersInText) {
  store.Clear();
  const std::string name = FilePart(fileName);
  if (name.empty()) {
    store.Release();
    return false;
  }
  // A file that cannot be read must not leave the borders of an earlier
  // file filtering this text.
  if (!store.Load(scenarioFolder + "/" + name) || !store.Compile(showBordersInText)) {
    store.Release();
    return false;
  }
  return store.Active();
}

}  // namespace malvex
