#pragma once

#include <vector>

class GraphicalObject;
template <class T, class C> class SpacialInstance;

// A layer's index of its placed instances by screen-sized cells:
// grid[column][row] lists the instances filed under that cell (not owned), in
// the order of the layer's instance list.
using CellGrid = std::vector<std::vector<std::vector<SpacialInstance<GraphicalObject, float>*>>>;
