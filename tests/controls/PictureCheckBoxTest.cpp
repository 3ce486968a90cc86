#include "controls/PictureCheckBox.h"

#include "TestPictures.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The four pictures differ in size, so the one chosen can be told by its size.
const QSize OnSize{10, 10};
const QSize OnDisSize{11, 11};
const QSize OffSize{12, 12};
const QSize OffDisSize{13, 13};

QPixmap picture(QSize size, const QColor &colour)
{
    return pictureWithKeyAt(size, colour, QPoint(1, 1));
}

void givePictures(PictureCheckBox &box)
{
    box.setImgOn(picture(OnSize, Qt::green));
    box.setImgOnDis(picture(OnDisSize, Qt::darkGreen));
    box.setImgOff(picture(OffSize, Qt::red));
    box.setImgOffDis(picture(OffDisSize, Qt::darkRed));
}

enum class ClickBy { Mouse, SpaceKey, AccessibleToggle };

void clickBy(ClickBy way, PictureCheckBox &box)
{
    switch (way) {
    case ClickBy::Mouse:
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 3));
        break;
    case ClickBy::SpaceKey:
        QTest::keyClick(&box, Qt::Key_Space);
        break;
    case ClickBy::AccessibleToggle:
        QAccessible::queryAccessibleInterface(&box)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        break;
    }
}

const char *nameOf(ClickBy way)
{
    switch (way) {
    case ClickBy::Mouse: return "mouse";
    case ClickBy::SpaceKey: return "space";
    case ClickBy::AccessibleToggle: return "accessible toggle";
    }
    return "";
}

} // namespace

TEST(PictureCheckBoxTest, FreshBoxIsSevenPixelsSquareAndOff)
{
    PictureCheckBox box;
    EXPECT_EQ(box.size(), QSize(7, 7));
    EXPECT_FALSE(box.isChecked());
    EXPECT_TRUE(box.ownEnabled());
}

TEST(PictureCheckBoxTest, ClickRaisesOnClickBeforeTogglingAndOnlyTogglesWhenOwnEnabled)
{
    struct Case {
        bool checked;
        bool ownEnabled;
        bool checkedAfter;
    };
    const Case cases[] = {
        {false, true, true},
        {true, true, false}, // clicking the marked answer leaves it unmarked
        {false, false, false},
        {true, false, true},
    };
    for (const ClickBy way : {ClickBy::Mouse, ClickBy::SpaceKey, ClickBy::AccessibleToggle}) {
        for (const Case &c : cases) {
            // GIVEN a box in a state, with a handler that notes the state it sees
            PictureCheckBox box;
            box.resize(20, 20);
            box.setChecked(c.checked);
            box.setOwnEnabled(c.ownEnabled);
            std::vector<bool> seenInHandler;
            QObject::connect(&box, &PictureCheckBox::activated,
                             [&] { seenInHandler.push_back(box.isChecked()); });

            // WHEN it is clicked
            clickBy(way, box);

            // THEN the handler ran once on the old state, then the box toggled if it may
            const auto label = testing::Message() << nameOf(way) << ", checked " << c.checked
                                                  << ", own enabled " << c.ownEnabled;
            ASSERT_EQ(seenInHandler.size(), 1u) << label;
            EXPECT_EQ(seenInHandler[0], c.checked) << label;
            EXPECT_EQ(box.isChecked(), c.checkedAfter) << label;
        }
    }
}

TEST(PictureCheckBoxTest, StateChoosesThePicture)
{
    struct Case {
        bool checked;
        bool ownEnabled;
        QSize expected;
    };
    const Case cases[] = {
        {true, true, OnSize},
        {true, false, OnDisSize},
        {false, true, OffSize},
        {false, false, OffDisSize},
    };
    for (const Case &c : cases) {
        PictureCheckBox box;
        givePictures(box);
        box.setChecked(c.checked);
        box.setOwnEnabled(c.ownEnabled);
        EXPECT_EQ(box.stateImage().size(), c.expected)
            << "checked " << c.checked << ", own enabled " << c.ownEnabled;
    }
}

TEST(PictureCheckBoxTest, PictureIsCentredWithHalvesTruncatedAndKeyedByPixelOneOne)
{
    struct Case {
        int controlHeight;
        int expectedTop; // h/2 - ph/2 with the 12 px off picture
    };
    const Case cases[] = {{26, 7}, {25, 6}, {12, 0}, {7, -3}};
    for (const Case &c : cases) {
        // GIVEN an unchecked box whose red picture has a magenta pixel at (1, 1)
        PictureCheckBox box;
        givePictures(box);
        box.resize(20, c.controlHeight);

        // WHEN painted on white
        const QImage image = renderOn(box, Qt::white);

        // THEN the picture's first row is at the expected top and (1, 1) is transparent
        const int top = c.expectedTop;
        for (int y = 0; y < image.height(); ++y) {
            const bool inPicture = y >= top && y < top + OffSize.height();
            const QColor expected = inPicture && y - top != 1 ? QColor(Qt::red) : QColor(Qt::white);
            EXPECT_EQ(image.pixelColor(1, y), expected) << "height " << c.controlHeight << ", y " << y;
        }
    }
}

TEST(PictureCheckBoxTest, CaptionIsGreyWhileOwnDisabledAndStartsAfterTheOnPicture)
{
    for (const bool ownEnabled : {true, false}) {
        // GIVEN a captioned box with a blue font colour
        PictureCheckBox box;
        givePictures(box);
        QFont font = box.font();
        font.setPixelSize(18);
        font.setBold(true);
        box.setFont(font);
        QPalette palette = box.palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        box.setPalette(palette);
        box.setCaption(QStringLiteral("Показывать текст"));
        box.resize(200, 26);
        box.setOwnEnabled(ownEnabled);

        // WHEN painted on white
        const QImage image = renderOn(box, Qt::white);

        // THEN the caption is in its colour (grey when own disabled), right of the on picture
        const QColor captionColour = ownEnabled ? QColor(Qt::blue) : QColor(128, 128, 128);
        int leftmostCaptionPixel = image.width();
        int captionPixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == captionColour) {
                    ++captionPixels;
                    leftmostCaptionPixel = std::min(leftmostCaptionPixel, x);
                }
            }
        }
        EXPECT_GT(captionPixels, 20) << "own enabled " << ownEnabled;
        EXPECT_GE(leftmostCaptionPixel, OnSize.width() + 4) << "own enabled " << ownEnabled;
    }
}

TEST(PictureCheckBoxTest, AccessibleAsANamedCheckBoxWithItsState)
{
    PictureCheckBox box;
    box.setCaption(QStringLiteral("Показывать перевод"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(accessible, nullptr);

    EXPECT_EQ(accessible->role(), QAccessible::CheckBox);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Показывать перевод"));
    EXPECT_TRUE(accessible->state().checkable);
    EXPECT_FALSE(accessible->state().checked);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    EXPECT_TRUE(accessible->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::toggleAction()));

    box.setChecked(true);
    EXPECT_TRUE(accessible->state().checked);
}

TEST(PictureCheckBoxTest, TheCaptionIsDrawnAsACaptionWithItsLetterUnderlined)
{
    // GIVEN a box whose caption marks its Alt letter, and one with the same words unmarked
    const auto box = [](const QString &caption) {
        auto made = std::make_unique<PictureCheckBox>();
        givePictures(*made);
        made->setCaption(caption);
        made->resize(made->sizeHint());
        return made;
    };
    const auto marked = box(QStringLiteral("П&оказывать перевод"));
    const auto plain = box(QStringLiteral("Показывать перевод"));

    // THEN the '&' takes no room and is not drawn: the ink ends where the plain caption's does
    EXPECT_EQ(marked->sizeHint(), plain->sizeHint());
    const auto rightmostInk = [](PictureCheckBox &b) {
        const QImage image = renderOn(b, Qt::white);
        int right = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = OnSize.width(); x < image.width(); ++x) {
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    right = std::max(right, x);
            }
        }
        return right;
    };
    EXPECT_NEAR(rightmostInk(*marked), rightmostInk(*plain), 1);
    // AND the letter is underlined, so the two pictures differ
    EXPECT_NE(renderOn(*marked, Qt::white), renderOn(*plain, Qt::white));
    // AND a screen reader hears the words
    EXPECT_EQ(QAccessible::queryAccessibleInterface(marked.get())->text(QAccessible::Name),
              QStringLiteral("Показывать перевод"));
}

TEST(PictureCheckBoxTest, ItsOwnKeyOutlivesANewCaptionBesideTheAltLetter)
{
    // GIVEN a box in an active window with the key F2, then a caption with an Alt letter
    QWidget window;
    auto *box = new PictureCheckBox(&window);
    givePictures(*box);
    box->setKey(Qt::Key_F2);
    box->setCaption(QStringLiteral("&Show text"));
    auto *other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QSignalSpy activated(box, &PictureCheckBox::activated);

    // WHEN F2, then Alt+S is pressed elsewhere in the window
    QTest::keyClick(other, Qt::Key_F2);
    EXPECT_EQ(activated.count(), 1);
    QTest::keyClick(other, Qt::Key_S, Qt::AltModifier);

    // THEN both clicked the box (the Alt letter after the click's short animation)
    EXPECT_TRUE(QTest::qWaitFor([&] { return activated.count() == 2; }, 2000));
    EXPECT_EQ(box->key(), QKeySequence(Qt::Key_F2));
}

TEST(PictureCheckBoxTest, ABoxDrawnDisabledIsReportedDisabledAndOffersNoToggle)
{
    PictureCheckBox box;
    box.setCaption(QStringLiteral("Показывать перевод"));
    box.setOwnEnabled(false);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(accessible, nullptr);

    EXPECT_TRUE(accessible->state().disabled);
    EXPECT_FALSE(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));

    box.setOwnEnabled(true);
    EXPECT_FALSE(accessible->state().disabled);
    EXPECT_TRUE(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
}

