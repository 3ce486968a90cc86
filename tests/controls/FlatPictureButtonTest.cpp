#include "controls/FlatPictureButton.h"

#include "TestPictures.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Five pictures of different sizes, so the picture on show can be told by its size.
const QSize NormalSize{20, 20};
const QSize OverSize{24, 22};
const QSize DownSize{28, 26};
const QSize UpSize{30, 30};
const QSize DisabledSize{22, 18};

QPixmap picture(QSize size, const QColor &colour)
{
    return pictureWithKeyAt(size, colour, QPoint(size.width() - 1, 0));
}

// A picture button with all five pictures, in a shown window.
struct ButtonOnWindow {
    QWidget window;
    FlatPictureButton *button;

    ButtonOnWindow()
    {
        window.resize(200, 200);
        button = new FlatPictureButton(&window);
        button->move(10, 10);
        button->setBitmapOver(picture(OverSize, Qt::green));
        button->setBitmapDown(picture(DownSize, Qt::blue));
        button->setBitmapUp(picture(UpSize, Qt::yellow));
        button->setBitmapDisabled(picture(DisabledSize, Qt::gray));
        button->setBitmap(picture(NormalSize, Qt::red));
        window.show();
    }

    void enter()
    {
        QEnterEvent event(QPointF(2, 2), QPointF(12, 12), QPointF(12, 12));
        QApplication::sendEvent(button, &event);
    }
    void leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(button, &event);
    }
    void press() { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(2, 2)); }
    void releaseInside() { QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(2, 2)); }
    void releaseOutside() { QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(150, 150)); }
};

} // namespace

TEST(FlatPictureButtonTest, FreshButtonIsFiftyPixelsSquare)
{
    FlatPictureButton button;
    EXPECT_EQ(button.size(), QSize(50, 50));
}

TEST(FlatPictureButtonTest, SettingBitmapSizesTheButtonAndMakesItCurrent)
{
    FlatPictureButton button;
    button.setBitmap(picture(NormalSize, Qt::red));
    EXPECT_EQ(button.size(), NormalSize);
    EXPECT_EQ(button.currentPicture().size(), NormalSize);
}

TEST(FlatPictureButtonTest, PointerEventsWalkThroughThePictures)
{
    // GIVEN a button with five pictures of different sizes
    ButtonOnWindow fixture;
    enum Step { Enter, Leave, Press, ReleaseInside, ReleaseOutside };
    struct Expectation {
        const char *name;
        Step step;
        QSize current; // currentPicture()
        QSize onShow;  // pictureOnShow(), which is also the control's size
    };
    // WHEN the pointer moves over it, presses, releases and leaves
    // THEN the picture and the control's size follow, and after a release the released
    // picture shows while the current picture stays the pressed one
    const Expectation story[] = {
        {"enter shows hover", Enter, OverSize, OverSize},
        {"press shows pressed", Press, DownSize, DownSize},
        {"release over it shows released", ReleaseInside, DownSize, UpSize},
        {"leave shows normal", Leave, NormalSize, NormalSize},
        {"enter again shows hover", Enter, OverSize, OverSize},
        {"press again", Press, DownSize, DownSize},
        {"release away from it shows normal", ReleaseOutside, DownSize, NormalSize},
        {"leave", Leave, NormalSize, NormalSize},
    };
    for (const Expectation &e : story) {
        switch (e.step) {
        case Enter: fixture.enter(); break;
        case Leave: fixture.leave(); break;
        case Press: fixture.press(); break;
        case ReleaseInside: fixture.releaseInside(); break;
        case ReleaseOutside: fixture.releaseOutside(); break;
        }
        EXPECT_EQ(fixture.button->currentPicture().size(), e.current) << e.name;
        EXPECT_EQ(fixture.button->pictureOnShow().size(), e.onShow) << e.name;
        EXPECT_EQ(fixture.button->size(), e.onShow) << e.name;
    }
}

TEST(FlatPictureButtonTest, EmptyPicturesKeepThePictureOnShow)
{
    // GIVEN a button with only its normal picture
    QWidget window;
    auto *button = new FlatPictureButton(&window);
    button->setBitmap(picture(NormalSize, Qt::red));
    window.show();

    // WHEN the pointer enters and presses
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(2, 2));

    // THEN the normal picture stays
    EXPECT_EQ(button->pictureOnShow().size(), NormalSize);
    EXPECT_EQ(button->size(), NormalSize);
}

TEST(FlatPictureButtonTest, WithoutAReleasedPictureTheHoverPictureShowsAfterRelease)
{
    ButtonOnWindow fixture;
    fixture.button->setBitmapUp(QPixmap());

    fixture.enter();
    fixture.press();
    fixture.releaseInside();

    EXPECT_EQ(fixture.button->pictureOnShow().size(), OverSize);
    EXPECT_EQ(fixture.button->currentPicture().size(), DownSize);
}

TEST(FlatPictureButtonTest, ClickRunsWithThePressedPictureBetweenDownAndUp)
{
    // GIVEN a button whose handlers note the order of events and the picture on show
    ButtonOnWindow fixture;
    QStringList events;
    QSize onShowAtClick;
    QObject::connect(fixture.button, &FlatPictureButton::mouseDown, [&] { events << "down"; });
    QObject::connect(fixture.button, &FlatPictureButton::activated, [&] {
        events << "click";
        onShowAtClick = fixture.button->pictureOnShow().size();
    });
    QObject::connect(fixture.button, &FlatPictureButton::mouseUp, [&] { events << "up"; });

    // WHEN it is clicked
    fixture.enter();
    fixture.press();
    fixture.releaseInside();

    // THEN
    EXPECT_EQ(events, QStringList({"down", "click", "up"}));
    EXPECT_EQ(onShowAtClick, DownSize);
}

TEST(FlatPictureButtonTest, ReleaseAwayFromTheButtonIsNoClick)
{
    ButtonOnWindow fixture;
    QSignalSpy clicks(fixture.button, &FlatPictureButton::activated);
    QSignalSpy ups(fixture.button, &FlatPictureButton::mouseUp);

    fixture.press();
    fixture.releaseOutside();

    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(ups.count(), 1);
}

TEST(FlatPictureButtonTest, DisabledButtonIgnoresThePointerAndShowsItsDisabledPicture)
{
    // GIVEN a hovered button that is then disabled
    ButtonOnWindow fixture;
    fixture.enter();
    QSignalSpy downs(fixture.button, &FlatPictureButton::mouseDown);
    QSignalSpy clicks(fixture.button, &FlatPictureButton::activated);
    fixture.button->setEnabled(false);
    EXPECT_EQ(fixture.button->pictureOnShow().size(), DisabledSize);
    EXPECT_EQ(fixture.button->size(), DisabledSize);

    // WHEN the pointer leaves, enters, presses and releases
    fixture.leave();
    fixture.enter();
    fixture.press();
    fixture.releaseInside();

    // THEN nothing changed
    EXPECT_EQ(fixture.button->currentPicture().size(), OverSize);
    EXPECT_EQ(fixture.button->pictureOnShow().size(), DisabledSize);
    EXPECT_EQ(downs.count(), 0);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(FlatPictureButtonTest, DisabledButtonWithoutDisabledPictureShowsTheCurrentOne)
{
    ButtonOnWindow fixture;
    fixture.button->setBitmapDisabled(QPixmap());
    fixture.enter();

    fixture.button->setEnabled(false);

    EXPECT_EQ(fixture.button->pictureOnShow().size(), OverSize);
}

TEST(FlatPictureButtonTest, PaintDrawsThePictureTransparentByItsTopRightPixel)
{
    // GIVEN a red picture whose top-right pixel is magenta, as is a pixel in its middle
    QImage image = picture(NormalSize, Qt::red).toImage();
    image.setPixelColor(10, 10, KeyMagenta);
    FlatPictureButton button;
    button.setBitmap(QPixmap::fromImage(image));

    // WHEN painted on white
    const QImage painted = renderOn(button, Qt::white);

    // THEN every magenta pixel let the background through, and the paint is recorded
    EXPECT_EQ(painted.pixelColor(19, 0), QColor(Qt::white));
    EXPECT_EQ(painted.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(painted.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(button.shownPicture().size(), NormalSize);
}

TEST(FlatPictureButtonTest, RepaintAfterReleaseKeepsTheReleasedPicture)
{
    ButtonOnWindow fixture;
    fixture.enter();
    fixture.press();
    fixture.releaseInside();

    renderOn(*fixture.button, Qt::white);

    EXPECT_EQ(fixture.button->shownPicture().size(), UpSize);
}

TEST(FlatPictureButtonTest, AccessibleAsANamedPushButtonThatPresses)
{
    // GIVEN a picture button captioned as the window labels it
    FlatPictureButton button;
    button.setText(QStringLiteral("Помощь"));
    QSignalSpy clicks(&button, &FlatPictureButton::activated);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(accessible, nullptr);

    // THEN it is a push button with that name
    EXPECT_EQ(accessible->role(), QAccessible::PushButton);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Помощь"));

    // WHEN its press action is done THEN it clicks
    ASSERT_NE(accessible->actionInterface(), nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.count() == 1; }));
}
