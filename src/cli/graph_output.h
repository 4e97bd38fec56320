// Graphs from the batch program: the graph of one type for one item of the
// last analysis, written to an SVG or PNG file by the same graph object the
// desktop program draws with.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace malvex {

class Engine;
class SelectionState;

struct GraphRequest {
  int type = 0;  // kGraphAreas .. kGraphActors
  std::string item;          // UTF-8, as the result lists show it; empty: none
  std::optional<int> level;  // 1..4 for a class item
  int width = 1000;
  int height = 700;
  std::string output;  // ends in .svg or .png
};

// Fonts, pictures and printers need a GUI application; a batch run has no
// display, so Qt's offscreen platform is used unless the caller chose one.
// Made once; Qt's notices of the missing session are not passed on.
void EnsureGuiApplication();

// The graph type named `name` (star, areas, actors, distribution,
// episodes), 0 for any other.
int GraphTypeOfName(const std::string& name);

// Selects `item` in `selection` from the analysis of `engine`: a class name
// (at `level`, or the first of levels 1 to 3 that knows it, then the
// scenario), or a relation written "first > second" (at `level`, or the
// relation level). The title to draw goes to `title`; false with `error`
// set when nothing of that name exists.
bool SelectGraphItem(Engine& engine, const std::string& item, std::optional<int> level, SelectionState& selection,
                     std::string& title, std::string& error);

// Draws the graph and writes the file; the exit status (0, 64 for an
// unknown item, 1 when the file cannot be written). Messages go to `err`.
int WriteGraph(Engine& engine, const GraphRequest& request, std::FILE* err);

}  // namespace malvex
