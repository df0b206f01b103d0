#pragma once
// The graph window of a graph file kind, for the main window to put into its MDI area.

#include <cstdint>
#include <memory>

class TWindowBase;

// A new, empty window: 1 2D cartesian, 2 polar, 3 3D cartesian; null for any other kind.
std::unique_ptr<TWindowBase> CreateGraphWindow(int32_t GraphKind);
