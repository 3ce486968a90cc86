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

void setNodeMark(QTreeWidgetItem &item, const std::array<QIcon, 3> &images, TreeImage image)
{
    static const char *const descriptions[] = {"урок", "упражнение, не выполнено", "упражнение, выполнено"};
    item.setIcon(0, images[size_t(image)]);
    item.setData(0, Qt::AccessibleDescriptionRole, QString::fromUtf8(descriptions[image]));
}

int nodeIndex(const QTreeWidgetItem *item)
{
    if (!item)
        return -1;
    bool ok = false;
    const int index = item->data(0, NodeIndexRole).toInt(&ok);
    return ok ? index : -1;
}

void fillLessonTree(QTreeWidget &tree, const CourseState &state, QChar letter, ProgressSink *progress,
                    const TreeMarks &marks)
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
    const std::vector<int> order = preOrder(parentOf);

    if (progress)
        progress->begin(n);
    // Nodes are made detached, marked and numbered, and handed to the tree in one call:
    // every change to a node the view shows costs a model notification and a new look
    // at the column's width.
    std::vector<QTreeWidgetItem *> node(size_t(n) + 1, nullptr);
    QList<QTreeWidgetItem *> topLevel;
    for (int k = 1; k <= n; ++k) {
        if (progress)
            progress->advance(k);
        const CatalogueEntry &entry = (*catalogue)[k];
        auto *item = new QTreeWidgetItem(QStringList(entry.Title()));
        setNodeMark(*item, marks.images, markImage(entry, marks.done && marks.done(k)));
        node[size_t(k)] = item;
        const int parent = parentOf[size_t(k)];
        if (parent == 0)
            topLevel.append(item);
        else
            node[size_t(parent)]->addChild(item);
    }
    for (size_t i = 0; i < order.size(); ++i)
        node[size_t(order[i])]->setData(0, NodeIndexRole, int(i));
    tree.addTopLevelItems(topLevel);
    if (progress)
        progress->end();

    if (QTreeWidgetItem *first = tree.topLevelItem(0))
        tree.setCurrentItem(first);
}
