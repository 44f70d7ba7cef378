// What the line breaking of one section carries from line to line.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "htmlengine/document/indent_manager.h"

namespace folverin {

struct TSectionLayoutState {
  TSectionLayoutState(IndentManager& indents, int x, int y) : Indents(indents), X(x), Y(y), LowestBottom(y) {}

  // The next marker character (line break) at or after index, or `end`.
  // Looked up, not scanned, so that a long section is not walked again for
  // every line.
  static int NextIn(const std::vector<int>& positions, int index, int end) {
    auto at = std::lower_bound(positions.begin(), positions.end(), index);
    return at == positions.end() ? end : *at;
  }

  // The edges at Y, which every step of every line asks for. They stay as
  // they are down to the next float or margin boundary; while the section
  // is laid out only the floats it places itself add entries, and placing
  // one forgets them.
  int LeftEdge() { return EdgesAtY().Left; }
  int RightEdge() { return EdgesAtY().Right; }
  void ForgetEdges() { Edges.Known = false; }

  IndentManager& Indents;
  int X;
  int Y;             // top of the next line
  int LowestBottom;  // of the lines and floats so far
  int LineStart = 0;
  int MaxLineWidth = 0;
  // Floats before this index have their room already; a line that is
  // tried again lower down must not place them twice.
  int PlacedFloatsEnd = 0;
  std::vector<int> Markers;  // buffer indexes of the marker characters
  std::vector<int> Breaks;   // buffer indexes of the line-break markers
  // A line that needs no measuring: no character is wider than this.
  int64_t WidestChar = 0;
  int64_t OverhangTotal = 0;
  // The font run where the walk along the text was last; only a hint.
  size_t Run = 0;
  // The font run where the heights of the last line ended; only a hint. The
  // walk's run above is often past the start of the next line, as a line
  // ends at the last break before where the walk stopped.
  size_t HeightRun = 0;

 private:
  struct TEdges {
    bool Known = false;
    int From = 0;  // the y they were asked for
    TEdgeSpan Span;
  };
  const TEdgeSpan& EdgesAtY() {
    if (!Edges.Known || Y < Edges.From || Y >= Edges.Span.Until) Edges = {true, Y, Indents.EdgesAt(Y)};
    return Edges.Span;
  }
  TEdges Edges;
};

}  // namespace folverin
