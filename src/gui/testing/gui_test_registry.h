// The widget test classes of the front end register themselves here, each
// from its own file, and one main runs them all (see gui_test_main.cc).
#pragma once

#include <QObject>

namespace malvex::gui_testing {

using TestFactory = QObject* (*)();

// Adds a test class; returns true so that it can initialise a static.
bool RegisterTestClass(const char* name, TestFactory factory);

}  // namespace malvex::gui_testing

// Registers the QObject test class `Class` (a qualified name is fine).
#define MALVEX_GUI_TEST_CONCAT2(a, b) a##b
#define MALVEX_GUI_TEST_CONCAT(a, b) MALVEX_GUI_TEST_CONCAT2(a, b)
#define MALVEX_GUI_TEST(Class)                                                                    \
  static const bool MALVEX_GUI_TEST_CONCAT(malvex_gui_test_registered_, __LINE__) =               \
      ::malvex::gui_testing::RegisterTestClass(#Class, []() -> QObject* { return new Class; })
