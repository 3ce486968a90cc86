#pragma once

#include "Catalogue.h"

#include <vector>

// Levels of the lesson tree, the course's root being level 1. No course comes near it;
// a deeper catalogue is damaged, and the view and the item handling recurse per level.
inline constexpr int MaxTreeDepth = 1000;

// Where each entry's node hangs in the lesson tree: parentOf[k] is the entry whose node
// is the parent of entry k's node, 0 for a top-level node (entry 0 stands for the root
// level). Entry 1 is always the first top-level node. An entry whose Link is 0 or names
// an entry without a node yet (itself or a later one) becomes a new top-level node.
// Throws CourseError naming the entry when a Link lies outside 0 to N or the entry's
// node would lie deeper than MaxTreeDepth.
std::vector<int> lessonTreeParents(const Catalogue &catalogue);

// The entries in the order the tree lists its nodes top to bottom with every branch
// expanded. For a well-formed catalogue this is 1, 2, ..., N.
std::vector<int> preOrder(const std::vector<int> &parentOf);
