// Runs every registered widget test class, in the order of their names.
// With arguments, those naming a test function (no leading '-') pick the
// classes that have one of them, and the arguments go to each class run.
#include <QApplication>
#include <QMetaMethod>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gui/testing/gui_test_registry.h"

namespace malvex::gui_testing {
namespace {

struct Entry {
  std::string name;
  TestFactory factory;
};

std::vector<Entry>& Registry() {
  static std::vector<Entry> entries;
  return entries;
}

bool HasSlot(const QObject& object, const QByteArray& name) {
  const QMetaObject* meta = object.metaObject();
  for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
    if (meta->method(i).name() == name) return true;
  }
  return false;
}

}  // namespace

bool RegisterTestClass(const char* name, TestFactory factory) {
  Registry().push_back({name, factory});
  return true;
}

}  // namespace malvex::gui_testing

int main(int argc, char** argv) {
  using namespace malvex::gui_testing;
  QApplication app(argc, argv);
  QTEST_SET_MAIN_SOURCE_PATH
  std::vector<QByteArray> functions;
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    if (!arg.startsWith('-')) functions.push_back(arg.contains(':') ? arg.left(arg.indexOf(':')) : arg);
  }
  std::vector<Entry> entries = Registry();
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  int failed = 0;
  for (const Entry& entry : entries) {
    std::unique_ptr<QObject> test(entry.factory());
    if (!functions.empty() &&
        std::none_of(functions.begin(), functions.end(), [&](const QByteArray& f) { return HasSlot(*test, f); }))
      continue;
    failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
  }
  return failed == 0 ? 0 : 1;
}
