#include "LessonTree.h"

#include "LessonTreeShape.h"

#include "core/CourseError.h"

#include <QSignalBlocker>

TreeImage markImage(const CatalogueEntry &entry, bool done)
{
    if (entry.ExerciseKind == KindHeading)
        return ImageHeading;
    return done ? ImageDone : ImageNotDone;
}

int nodeIndex(const QTreeWidgetItem *item)
{
    if (!item)
        return -1;
    bool ok = false;
    const int index = item->data(0, NodeIndexRole).toInt(&ok);
    return ok ? index : -1;
}

namespace {

// Pre-order walk of the whole tree: node i is visited i-th.
template <typename Visit>
void forEachNode(QTreeWidget &tree, Visit visit)
{
    int index = 0;
    std::vector<QTreeWidgetItem *> stack;
    for (int i = tree.topLevelItemCount() - 1; i >= 0; --i)
        stack.push_back(tree.topLevelItem(i));
    while (!stack.empty()) {
        QTreeWidgetItem *item = stack.back();
        stack.pop_back();
        visit(item, index++);
        for (int i = item->childCount() - 1; i >= 0; --i)
            stack.push_back(item->child(i));
    }
}

} // namespace

void fillLessonTree(QTreeWidget &tree, const CourseState &state, QChar letter, ProgressSink *progress)
{
    const QSignalBlocker blocker(tree);
    tree.clear();
    const Catalogue *catalogue = state.catalogue(letter);
    if (!catalogue)
        return;
    const int n = state.count(letter);

    std::vector<int> parentOf;
    try {
        parentOf = lessonTreeParents(*catalogue);
    } catch (const CourseError &error) {
        throw error.at(catalogueFileName(letter), error.line());
    }

    if (progress)
        progress->begin(n);
    // Nodes are made detached and handed to the tree in one call: inserting them one by
    // one into a live tree costs a model notification each.
    std::vector<QTreeWidgetItem *> node(size_t(n) + 1, nullptr);
    QList<QTreeWidgetItem *> topLevel;
    for (int k = 1; k <= n; ++k) {
        if (progress)
            progress->advance(k);
        auto *item = new QTreeWidgetItem(QStringList((*catalogue)[k].Title));
        node[size_t(k)] = item;
        const int parent = parentOf[size_t(k)];
        if (parent == 0)
            topLevel.append(item);
        else
            node[size_t(parent)]->addChild(item);
    }
    const std::vector<int> order = preOrder(parentOf);
    for (size_t i = 0; i < order.size(); ++i)
        node[size_t(order[i])]->setData(0, NodeIndexRole, int(i));
    tree.addTopLevelItems(topLevel);
    if (progress)
        progress->end();

    if (QTreeWidgetItem *first = tree.topLevelItem(0))
        tree.setCurrentItem(first);
}

void refreshMarks(QTreeWidget &tree, const CourseState &state, QChar letter,
                  const std::array<QIcon, 3> &images, const std::function<bool(int)> &done)
{
    const Catalogue *catalogue = state.catalogue(letter);
    if (!catalogue)
        return;
    forEachNode(tree, [&](QTreeWidgetItem *item, int index) {
        const int k = index + 1;
        if (k >= catalogue->size())
            return;
        item->setIcon(0, images[markImage((*catalogue)[k], done(k))]);
    });
}
