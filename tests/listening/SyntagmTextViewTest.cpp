#include "listening/SyntagmTextView.h"
#include "support/TempCourse.h"

#include <QAccessible>

#include <gtest/gtest.h>

namespace {

QStringList items(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QStringLiteral("Syntagm %1").arg(i));
    return list;
}

QFont pixelFont(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

TEST(SyntagmTextView, SettersKeepTheRangeOrderedAndTheHeightInBounds)
{
    SyntagmTextView view;
    view.setText(items(10));

    view.setNEnd(2);
    view.setNBegin(5);
    EXPECT_EQ(std::pair(view.nBegin(), view.nEnd()), std::pair(2, 5));

    SyntagmTextView fresh;
    fresh.setText(items(10));
    fresh.setNBegin(5);
    EXPECT_EQ(std::pair(fresh.nBegin(), fresh.nEnd()), std::pair(5, 5));
    fresh.setNBegin(12); // no item: refused
    EXPECT_EQ(std::pair(fresh.nBegin(), fresh.nEnd()), std::pair(5, 5));

    view.setPosScreen(150);
    EXPECT_EQ(view.posScreen(), 100);
    view.setPosScreen(-3);
    EXPECT_EQ(view.posScreen(), 0);

    view.setPosition(10);
    view.setPosition(-1);
    EXPECT_EQ(view.position(), 1);
    view.setPosition(9);
    EXPECT_EQ(view.position(), 9);
}

// The one-end setters can keep an end of the previous range; both ends at once cannot.
TEST(SyntagmTextView, MarkedRangeSetsBothEndsAtOnce)
{
    SyntagmTextView view;
    view.setText(items(10));
    view.setMarkedRange(2, 3);

    view.setMarkedRange(7, 5);

    EXPECT_EQ(std::pair(view.nBegin(), view.nEnd()), std::pair(5, 7));
}

TEST(SyntagmTextView, IndexesPastAShortenedTextAreClamped)
{
    SyntagmTextView view;
    view.setText(items(6));
    view.setPosition(5);
    view.setMarkedRange(3, 5);
    view.setMarkedRangeShown(true);

    view.editText() = QStringList{"One", "Two"};
    view.layoutText();

    EXPECT_EQ(view.position(), 1);
    EXPECT_EQ(std::pair(view.nBegin(), view.nEnd()), std::pair(1, 1));
    EXPECT_EQ(view.currentSyntagmText(), "Two");
}

// Line i lies at round(i × step): 13-pixel characters with 1.25 spacing step 16.25 pixels,
// and halves go to the even neighbour.
TEST(SyntagmTextView, LinesLieAtTheRoundedLineStep)
{
    SyntagmTextView view;
    view.setFont(pixelFont(13));
    view.setHeightIntervString(SyntagmTextView::LineSpacing::is1_25);
    view.setMargins({0, 0, 0, 0});
    view.setText({"#a", "#b", "#c"}); // on lines 2, 4 and 6

    QList<int> ys;
    for (int position : {0, 1, 2}) {
        view.setPosition(position); // repaints at once, unscrolled
        ys.append(view.currentSyntagmY());
    }

    EXPECT_EQ(view.lineStep(), 16.25);
    EXPECT_EQ(ys, QList<int>({32, 65, 98}));
}

TEST(SyntagmTextView, ScrollStepGrowsWithTheDistanceAndSettlesExactly)
{
    SyntagmTextView view;
    view.resize(200, 199);
    view.setFont(pixelFont(5));
    view.setMargins({0, 0, 0, 0});
    view.setPosScreen(0);
    QStringList headings;
    for (int i = 0; i < 25; ++i)
        headings.append(QStringLiteral("#h"));
    view.setText(headings);
    view.setPosition(24); // line 50: 250 pixels below the rest height

    view.scrollStep();
    EXPECT_NEAR(view.scrollOffset(), -2.70, 0.01);

    for (int i = 0; i < 500 && view.currentSyntagmY() != 0; ++i)
        view.scrollStep();
    EXPECT_EQ(view.currentSyntagmY(), 0);
}

TEST(SyntagmTextView, CurrentSyntagmRestsByItsFirstOrLastLine)
{
    for (bool down : {false, true}) {
        SCOPED_TRACE(down ? "SinDown" : "top");
        SyntagmTextView view;
        view.resize(120, 199);
        view.setFont(pixelFont(10));
        view.setMargins({0, 0, 0, 0});
        view.setSinDown(down);
        QStringList text = items(20);
        text.append(QStringLiteral("a long syntagm of many words that takes three lines or more"));
        view.setText(text);
        view.setPosition(20);
        view.layoutText();
        const SyntagmLayout::Span span = view.displayLines().spans()[20];
        ASSERT_GE(span.lastLine - span.firstLine, 2);

        for (int i = 0; i < 1000; ++i)
            view.scrollStep();

        const int target = 199 * 40 / 100;
        const int lastLineY = view.currentSyntagmY() + (span.lastLine - span.firstLine) * 10;
        EXPECT_EQ(down ? lastLineY : view.currentSyntagmY(), target);
    }
}

// Pixels close to a pure primary colour (the core of a glyph or an underline).
int countPixels(const QImage &image, QRgb colour)
{
    auto near = [](int a, int b) { return std::abs(a - b) < 60; };
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += near(qRed(p), qRed(colour)) && near(qGreen(p), qGreen(colour)) && near(qBlue(p), qBlue(colour));
        }
    }
    return count;
}

TEST(SyntagmTextView, PaintsTheCurrentSyntagmAndTheMarkedRangeInTheirColours)
{
    SyntagmTextView view;
    view.resize(300, 100);
    view.setText({"Plain words", "Current words", "Marked words"});
    view.show();

    view.setPosition(1);
    const int redAlone = countPixels(view.frame(), qRgb(255, 0, 0));
    const int blueAlone = countPixels(view.frame(), qRgb(0, 0, 255));
    view.setMarkedRange(2, 2);
    view.setMarkedRangeShown(true);

    EXPECT_GT(redAlone, 0);
    EXPECT_EQ(blueAlone, 0);
    EXPECT_GT(countPixels(view.frame(), qRgb(0, 0, 255)), 0);
    EXPECT_EQ(countPixels(view.frame(), qRgb(255, 0, 0)), redAlone);
}

QImage filled(QRgb colour)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Picture "p.bmp" red, its "r" variant green, its "g" variant blue, drawn centred at the
// picture line's height (line 2: y 20 with 10-pixel lines and no margins).
struct PictureCase {
    const char *name;
    QString folder;      // DirFileAdd
    QString pathPrefix;  // where the files lie
    int position;
    bool marked;
    QRgb shown;
};

class SyntagmPictures : public ::testing::TestWithParam<PictureCase> {};

TEST_P(SyntagmPictures, ShowTheVariantOfTheirState)
{
    const PictureCase &c = GetParam();
    TempCourse course;
    course.writeImage(c.pathPrefix + "p.bmp", filled(qRgb(255, 0, 0)), "BMP");
    course.writeImage(c.pathPrefix + "rp.bmp", filled(qRgb(0, 255, 0)), "BMP");
    course.writeImage(c.pathPrefix + "gp.bmp", filled(qRgb(0, 0, 255)), "BMP");
    SyntagmTextView view;
    view.resize(200, 200);
    view.setFont(pixelFont(10));
    view.setMargins({0, 0, 0, 0});
    view.setDirFileAdd(c.folder);
    view.setText({"#@p.bmp", "Text one", "Text two"});
    view.setMarkedRange(0, 0);
    view.setMarkedRangeShown(c.marked);
    view.show();

    view.setPosition(c.position);

    EXPECT_EQ(view.frame().pixel(95, 25), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, SyntagmPictures,
    ::testing::Values(PictureCase{"CurrentInFolder", "pics", "pics/", 0, false, qRgb(0, 255, 0)},
                      PictureCase{"NormalInFolder", "pics", "pics/", 1, false, qRgb(255, 0, 0)},
                      PictureCase{"MarkedInFolder", "pics", "pics/", 1, true, qRgb(0, 0, 255)},
                      PictureCase{"CurrentInWorkingFolder", "", "", 0, false, qRgb(0, 255, 0)},
                      PictureCase{"NormalInWorkingFolder", "", "", 2, false, qRgb(255, 0, 0)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SyntagmTextView, MissingPicturesLeaveTheirLineEmpty)
{
    TempCourse course;
    course.writeImage("q.bmp", filled(qRgb(255, 0, 0)), "BMP"); // no "r" or "g" variant
    SyntagmTextView view;
    view.resize(200, 200);
    view.setFont(pixelFont(10));
    view.setMargins({0, 0, 0, 0});
    view.setText({"#@missing.bmp", "#@q.bmp", "Text after"});
    view.show();

    view.setPosition(1);

    EXPECT_EQ(view.frame().pixel(95, 25), qRgb(255, 255, 255));
    EXPECT_EQ(view.frame().pixel(95, 45), qRgb(255, 0, 0)); // the normal picture stands in
    EXPECT_EQ(view.displayLines().lines()[view.displayLines().spans()[2].firstLine].text, "Text after ");
}

TEST(SyntagmTextView, ScreenReadersReadTheWholeTextWithTheCurrentSyntagmSelected)
{
    SyntagmTextView view;
    view.setAccessibleName("Текст");
    view.setText({"Hello ", "world.", "#A heading", "#", "#@pic.bmp", "Next"});
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTextInterface *text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_TRUE(accessible->state().readOnly);
    EXPECT_TRUE(accessible->state().multiLine);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Текст");
    EXPECT_EQ(text->text(0, text->characterCount()), "Hello world.\nA heading\n\npic.bmp\nNext");

    const auto selected = [&] {
        int start = 0;
        int end = 0;
        text->selection(0, &start, &end);
        EXPECT_EQ(text->cursorPosition(), start);
        return text->text(start, end);
    };
    view.setPosition(1);
    EXPECT_EQ(selected(), "world.");
    view.setPosition(2);
    EXPECT_EQ(selected(), "A heading");
    view.setPosition(5);
    EXPECT_EQ(selected(), "Next");
}

} // namespace
