#pragma once

#include "CourseState.h"

#include "core/ProgressSink.h"

#include <QIcon>
#include <QTreeWidget>

#include <array>
#include <functional>

// Node images of the lesson tree.
enum TreeImage { ImageHeading = 0, ImageNotDone = 1, ImageDone = 2 };

// The image of an entry's node: a heading, or an exercise done or not.
TreeImage markImage(const CatalogueEntry &entry, bool done);

// Gives a node its image and tells a screen reader the same: whether it is a lesson or an
// exercise, and whether the exercise is done.
void setNodeMark(QTreeWidgetItem &item, const std::array<QIcon, 3> &images, TreeImage image);

// How the nodes are marked: the three node images, and whether entry k is done
// (no function: nothing is done).
struct TreeMarks {
    std::array<QIcon, 3> images;
    std::function<bool(int)> done;
};

// Each node carries its absolute pre-order index, so that a selected node finds its
// catalogue entry without walking the tree.
inline constexpr int NodeIndexRole = Qt::UserRole + 1;

// Absolute pre-order index of a node; -1 for none.
int nodeIndex(const QTreeWidgetItem *item);

// Rebuilds the tree from catalogue `letter`: every entry becomes a node where its Link
// puts it, captioned with its title and marked, and the first node is selected. The
// tree's signals are blocked meanwhile; the caller handles the new selection. A Link
// outside 0 to N, or a node deeper than MaxTreeDepth, throws CourseError naming the
// catalogue file and line, and leaves the tree empty.
void fillLessonTree(QTreeWidget &tree, const CourseState &state, QChar letter, ProgressSink *progress,
                    const TreeMarks &marks = {});
