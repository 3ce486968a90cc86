#include "core/CourseError.h"
#include "course/LessonTree.h"
#include "course/LessonTreeShape.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct Line {
    bool child;
    int link;
    int kind = 0;
};

Catalogue catalogueOf(std::initializer_list<Line> lines)
{
    Catalogue catalogue(1);
    int k = 0;
    for (const Line &line : lines) {
        CatalogueEntry entry;
        entry.setTitle(QStringLiteral("E%1").arg(++k));
        entry.IsChild = line.child;
        entry.Link = line.link;
        entry.ExerciseKind = quint8(line.kind);
        catalogue.append(entry);
    }
    return catalogue;
}

// The tree as text: each node's title indented by its depth, in pre-order.
QString outline(const QTreeWidget &tree)
{
    QString text;
    std::function<void(const QTreeWidgetItem *, int)> walk = [&](const QTreeWidgetItem *item, int depth) {
        text += QString(depth * 2, u' ') + item->text(0) + u'\n';
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return text;
}

TEST(LessonTreeShape, ChildrenAndSiblingsFollowTheirLinks)
{
    // 1 course; 2 lesson under 1; 3, 4 exercises under 2; 5 lesson as a sibling of 2; 6 under 5
    const Catalogue c = catalogueOf({{false, 0}, {true, 1}, {true, 2, 2}, {false, 3, 6}, {false, 2}, {true, 5, 1}});
    EXPECT_EQ(lessonTreeParents(c), (std::vector<int>{0, 0, 1, 2, 2, 1, 5}));
    EXPECT_EQ(preOrder(lessonTreeParents(c)), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(LessonTreeShape, LinksToNothingMakeNewTopLevelNodes)
{
    // Link 0, a Link to itself and a Link to a later entry all give a new top-level node
    // at the end; entry 1 is the root whatever its own columns say.
    const Catalogue c = catalogueOf({{true, 7}, {true, 0}, {true, 3}, {false, 5}, {true, 1}});
    EXPECT_EQ(lessonTreeParents(c), (std::vector<int>{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(preOrder(lessonTreeParents(c)), (std::vector<int>{1, 5, 2, 3, 4}));
}

TEST(LessonTreeShape, LinksOutsideTheCatalogueAreErrors)
{
    for (int link : {-1, 4, 1000000}) {
        const Catalogue c = catalogueOf({{false, 0}, {true, 1}, {true, link}});
        try {
            lessonTreeParents(c);
            FAIL() << link;
        } catch (const CourseError &error) {
            EXPECT_EQ(error.line(), 3);
        }
    }
    EXPECT_NO_THROW(lessonTreeParents(catalogueOf({{false, 0}, {true, 3}, {true, 3}})));
}

TEST(LessonTreeShape, NodesDeeperThanTheCapAreAnError)
{
    // Each entry a child of the one before: entry k lies on level k.
    auto chain = [](int length) {
        Catalogue c(1);
        for (int k = 1; k <= length; ++k) {
            CatalogueEntry entry;
            entry.IsChild = true;
            entry.Link = k - 1;
            c.append(entry);
        }
        return c;
    };
    EXPECT_NO_THROW(lessonTreeParents(chain(MaxTreeDepth)));
    try {
        lessonTreeParents(chain(MaxTreeDepth + 5));
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_EQ(error.line(), MaxTreeDepth + 1);
    }
}

TEST(LessonTreeShape, EmptyAndSingleEntryCatalogues)
{
    EXPECT_TRUE(preOrder(lessonTreeParents(Catalogue(1))).empty());
    EXPECT_TRUE(preOrder(lessonTreeParents(Catalogue())).empty());
    EXPECT_EQ(preOrder(lessonTreeParents(catalogueOf({{true, -5}}))), std::vector<int>{1})
        << "entry 1's Link is never read";
}

class FillLessonTreeTest : public ::testing::Test {
protected:
    CourseState state;
    QTreeWidget tree;

    void useCatalogue(Catalogue c)
    {
        state.catalogues[3] = std::move(c);
        state.ShownCatalogue = u'D';
    }
};

TEST_F(FillLessonTreeTest, BuildsTheTreeAndSelectsTheFirstNode)
{
    useCatalogue(catalogueOf({{false, 0}, {true, 1}, {true, 2, 2}, {false, 3, 6}, {false, 2}, {false, 0}}));
    fillLessonTree(tree, state, u'D', nullptr);
    EXPECT_EQ(outline(tree), QStringLiteral("E1\n  E2\n    E3\n    E4\n  E5\nE6\n"));
    ASSERT_NE(tree.currentItem(), nullptr);
    EXPECT_EQ(tree.currentItem()->text(0), QStringLiteral("E1"));
    EXPECT_EQ(nodeIndex(tree.currentItem()), 0);
    EXPECT_EQ(state.entryOfNode(nodeIndex(tree.topLevelItem(1)))->Title(), QStringLiteral("E6"));
}

TEST_F(FillLessonTreeTest, NodeIndexesArePreOrderEvenWhenTheFileIsNot)
{
    // Entry 2 hangs at the end, so node 1 is entry 3: the catalogue is not in pre-order.
    useCatalogue(catalogueOf({{false, 0}, {true, 0}, {true, 1}}));
    fillLessonTree(tree, state, u'D', nullptr);
    EXPECT_EQ(outline(tree), QStringLiteral("E1\n  E3\nE2\n"));
    EXPECT_EQ(nodeIndex(tree.topLevelItem(0)->child(0)), 1);
    EXPECT_EQ(nodeIndex(tree.topLevelItem(1)), 2);
}

TEST_F(FillLessonTreeTest, ARangeErrorNamesTheFileAndLeavesTheTreeEmpty)
{
    useCatalogue(catalogueOf({{false, 0}, {true, 1}}));
    fillLessonTree(tree, state, u'D', nullptr);
    useCatalogue(catalogueOf({{false, 0}, {true, 9}}));
    try {
        fillLessonTree(tree, state, u'D', nullptr);
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_EQ(error.file(), QStringLiteral("InitRegD.txt"));
        EXPECT_EQ(error.line(), 2);
    }
    EXPECT_EQ(tree.topLevelItemCount(), 0);
}

TEST_F(FillLessonTreeTest, ProgressRunsFromZeroToN)
{
    struct Recorder : ProgressSink {
        QList<int> calls;
        void begin(int maximum) override { calls << -maximum; }
        void advance(int position) override { calls << position; }
        void end() override { calls << 0; }
    } recorder;
    useCatalogue(catalogueOf({{false, 0}, {true, 1}, {true, 1}}));
    fillLessonTree(tree, state, u'D', &recorder);
    EXPECT_EQ(recorder.calls, (QList<int>{-3, 1, 2, 3, 0}));
}

TEST_F(FillLessonTreeTest, NodesAreMadeWithTheirMarks)
{
    useCatalogue(catalogueOf({{false, 0}, {true, 1, 2}, {true, 1, 9}}));
    TreeMarks marks;
    for (int i = 0; i < 3; ++i) {
        QPixmap pixmap(16, 16);
        pixmap.fill(QColor(i * 100, 0, 0));
        marks.images[size_t(i)] = QIcon(pixmap);
    }
    marks.done = [](int k) { return k == 2; };
    fillLessonTree(tree, state, u'D', nullptr, marks);
    auto markOf = [&](QTreeWidgetItem *item) {
        return item->icon(0).pixmap(16, 16).toImage().pixelColor(0, 0).red() / 100;
    };
    QTreeWidgetItem *root = tree.topLevelItem(0);
    EXPECT_EQ(markOf(root), ImageHeading);
    EXPECT_EQ(markOf(root->child(0)), ImageDone);
    EXPECT_EQ(markOf(root->child(1)), ImageNotDone) << "kind 9 is an exercise node";
}

} // namespace
