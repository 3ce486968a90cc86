#include "controls/PictureProgressBar.h"
#include "controls/ProgressBarLayout.h"

#include "TestPictures.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The program's pieces: 6 px caps and 4 px middle tiles for both track and fill.
const ProgressPieceWidths Pieces{6, 4, 6, 6, 4, 6};

const QColor TrackColour{200, 200, 255};
const QColor FillColour{0, 0, 160};
const QColor ParentColour{10, 120, 10};

QPixmap piece(int width, int height, const QColor &colour)
{
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

void givePictures(PictureProgressBar &bar, int height = 16)
{
    bar.setImgBeginLine(piece(6, height, TrackColour));
    bar.setImgMidleLine(piece(4, height, TrackColour));
    bar.setImgEndLine(piece(6, height, TrackColour));
    bar.setImgBeginScroll(piece(6, height, FillColour));
    bar.setImgMidleScroll(piece(4, height, FillColour));
    bar.setImgEndScroll(piece(6, height, FillColour));
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

TEST(ProgressBarLayoutTest, FillLengthFollowsThePosition)
{
    // A 150 px bar: the fill's middle runs from 6 to 144, so span = 138 div 4 = 34 tiles.
    struct Case {
        const char *name;
        int width;
        int min;
        int max;
        int position;
        size_t tiles;
        int fillEnd;
    };
    const Case cases[] = {
        {"position 0: one tile under the end cap", 150, 0, 100, 0, 1, 6},
        {"half way", 150, 0, 100, 50, 18, 6 + 17 * 4},
        {"full", 150, 0, 100, 100, 35, 6 + 34 * 4},
        {"the position itself is scaled, not position - min", 150, 20, 100, 60, 26, 6 + 25 * 4},
        {"max = min: one tile whatever the position", 150, 10, 10, 70, 2, 6 + 4},
        {"max below min: as max = min", 150, 10, 5, -40, 2, 6 + 4},
        {"a position above max counts as max", 150, 0, 100, 250, 35, 6 + 34 * 4},
        {"a position below min counts as min", 150, 0, 100, -30, 1, 6},
        {"division truncates toward zero", 150, -100, 100, -30, 0, 6 - 5 * 4},
        {"width not a multiple of the tile", 151, 0, 100, 100, 35, 6 + 34 * 4},
    };
    for (const Case &c : cases) {
        const ProgressBarLayout layout = layOutProgressBar(c.width, Pieces, c.min, c.max, c.position);
        EXPECT_EQ(layout.fillTiles.size(), c.tiles) << c.name;
        EXPECT_EQ(layout.fillEnd, c.fillEnd) << c.name;
        for (size_t i = 0; i < layout.fillTiles.size(); ++i)
            EXPECT_EQ(layout.fillTiles[i], 6 + int(i) * 4) << c.name << ", tile " << i;
    }
}

TEST(ProgressBarLayoutTest, FullFillEndsAtTheRightEdgeAtMost)
{
    for (int width = 12; width <= 400; ++width) {
        const ProgressBarLayout layout = layOutProgressBar(width, Pieces, 0, 100, 100);
        EXPECT_LE(layout.fillEnd + Pieces.endScroll, width) << "width " << width;
        EXPECT_GT(layout.fillEnd + Pieces.endScroll, width - Pieces.midleScroll) << "width " << width;
    }
}

TEST(ProgressBarLayoutTest, TrackRemainderIsLeftToTheEndCap)
{
    struct Case {
        int width;
        size_t tiles;
    };
    const Case cases[] = {{150, 37}, {151, 37}, {153, 38}, {3, 0}};
    for (const Case &c : cases) {
        const ProgressBarLayout layout = layOutProgressBar(c.width, Pieces, 0, 100, 20);
        ASSERT_EQ(layout.trackTiles.size(), c.tiles) << "width " << c.width;
        for (size_t i = 0; i < layout.trackTiles.size(); ++i)
            EXPECT_EQ(layout.trackTiles[i], int(i) * 4);
        EXPECT_EQ(layout.trackEnd, c.width - 6) << "width " << c.width;
    }
}

TEST(ProgressBarLayoutTest, PicturesAreCentredWithHalvesTruncated)
{
    EXPECT_EQ(centredTop(25, 16), 4);
    EXPECT_EQ(centredTop(22, 16), 3);
    EXPECT_EQ(centredTop(25, 15), 5);
    EXPECT_EQ(centredTop(10, 16), -3);
}

TEST(PictureProgressBarTest, FreshBarHasTheDesignDefaults)
{
    PictureProgressBar bar;
    EXPECT_EQ(bar.size(), QSize(150, 25));
    EXPECT_EQ(bar.min(), 0);
    EXPECT_EQ(bar.max(), 100);
    EXPECT_EQ(bar.position(), 20);
    EXPECT_FALSE(bar.hasAllPictures());
}

TEST(PictureProgressBarTest, PaintsTrackAndFillOnTheParentsColour)
{
    // GIVEN a bar at half way on a green parent, with pieces lower than the bar
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, ParentColour);
    parent.setPalette(palette);
    auto *bar = new PictureProgressBar(&parent);
    givePictures(*bar, 15);
    bar->setPosition(50);

    // WHEN painted
    const QImage image = renderOn(*bar, Qt::white);

    // THEN rows 5..19 hold the pieces (25/2 - 15/2 = 5), the rest is the parent's colour;
    // the fill reaches the end of its end cap at 6 + 17 * 4 + 6 = 80
    EXPECT_EQ(image.pixelColor(70, 4), ParentColour);
    EXPECT_EQ(image.pixelColor(70, 20), ParentColour);
    EXPECT_EQ(image.pixelColor(0, 5), FillColour);
    EXPECT_EQ(image.pixelColor(79, 12), FillColour);
    EXPECT_EQ(image.pixelColor(80, 12), TrackColour);
    EXPECT_EQ(image.pixelColor(149, 19), TrackColour);
}

TEST(PictureProgressBarTest, AnyEmptyPictureShowsNothing)
{
    for (int missing = 0; missing < 6; ++missing) {
        PictureProgressBar bar;
        givePictures(bar);
        const QPixmap none;
        switch (missing) {
        case 0: bar.setImgBeginLine(none); break;
        case 1: bar.setImgMidleLine(none); break;
        case 2: bar.setImgEndLine(none); break;
        case 3: bar.setImgBeginScroll(none); break;
        case 4: bar.setImgMidleScroll(none); break;
        case 5: bar.setImgEndScroll(none); break;
        }

        const QImage image = renderOn(bar, Qt::white);

        EXPECT_EQ(image.pixelColor(3, 12), QColor(Qt::white)) << "missing piece " << missing;
        EXPECT_EQ(image.pixelColor(100, 12), QColor(Qt::white)) << "missing piece " << missing;
    }
}

TEST(PictureProgressBarTest, OnlyADifferentPositionRepaints)
{
    // GIVEN a shown bar that has finished painting
    PictureProgressBar bar;
    givePictures(bar);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    PaintCounter counter;
    bar.installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    // WHEN the same position is set THEN nothing is painted
    bar.setPosition(bar.position());
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    // WHEN a different one is set THEN the bar repaints with the next paint, not at once
    bar.setPosition(bar.position() + 1);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
}

TEST(PictureProgressBarTest, AccessibleAsAProgressBarWithTheClampedPosition)
{
    struct Case {
        int min;
        int max;
        int position;
        int reported;
    };
    const Case cases[] = {{0, 100, 40, 40}, {0, 100, 250, 100}, {0, 100, -5, 0}, {10, 5, 7, 10}};
    for (const Case &c : cases) {
        PictureProgressBar bar;
        bar.setMin(c.min);
        bar.setMax(c.max);
        bar.setPosition(c.position);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&bar);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::ProgressBar);
        ASSERT_NE(accessible->valueInterface(), nullptr);
        EXPECT_EQ(accessible->valueInterface()->currentValue().toInt(), c.reported)
            << c.min << ".." << c.max << " at " << c.position;
        EXPECT_EQ(bar.position(), c.position) << "the own position is kept as set";
    }
}
