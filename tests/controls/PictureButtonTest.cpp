#include "controls/PictureButton.h"

#include "TestPictures.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor Background{255, 255, 255};

// A strip of `count` images side by side, each a square of its own colour on key colour.
QPixmap strip(const std::vector<QColor> &colours, int side)
{
    QImage image(side * int(colours.size()), side, QImage::Format_RGB32);
    QPainter painter(&image);
    for (size_t i = 0; i < colours.size(); ++i)
        painter.drawPixmap(int(i) * side, 0, squareOnKey({side, side}, colours[i], 2));
    painter.end();
    return QPixmap::fromImage(image);
}

QColor centreOf(PictureButton &button)
{
    const QImage image = renderOn(button, Background);
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

TEST(GlyphPlacementTest, PlacesTheGlyphByLayoutAndMargin)
{
    struct Case {
        const char *name;
        QSize client;
        QSize glyph;
        GlyphLayout layout;
        int margin;
        QPoint expected;
    };
    const Case cases[] = {
        {"centred, left layout", {100, 35}, {32, 32}, GlyphLayout::Left, -1, {34, 2}},
        {"centred, top layout", {100, 35}, {32, 32}, GlyphLayout::Top, -1, {34, 2}},
        {"left margin", {100, 35}, {32, 32}, GlyphLayout::Left, 5, {5, 2}},
        {"right margin", {100, 35}, {32, 32}, GlyphLayout::Right, 5, {63, 2}},
        {"top margin", {100, 35}, {32, 32}, GlyphLayout::Top, 3, {34, 3}},
        {"bottom margin", {100, 35}, {32, 32}, GlyphLayout::Bottom, 1, {34, 2}},
        {"odd leftover rounds up", {41, 36}, {32, 32}, GlyphLayout::Left, -1, {5, 2}},
        {"glyph larger than button truncates toward zero", {20, 20}, {32, 32}, GlyphLayout::Left,
         -1, {-5, -5}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(glyphPosition(c.client, c.glyph, c.layout, c.margin), c.expected) << c.name;
    }
}

TEST(PictureButtonTest, FreshButtonHasTheDesignDefaults)
{
    PictureButton button;

    EXPECT_EQ(button.size(), QSize(100, 35));
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), QColor(Qt::white));
    EXPECT_EQ(button.numGlyphs(), 1);
    EXPECT_EQ(button.margin(), -1);
    EXPECT_EQ(button.spacing(), 4);
    EXPECT_FALSE(button.modalResult());
    EXPECT_FALSE(button.isCancel());
}

TEST(PictureButtonTest, NumGlyphsStaysWithinOneToFour)
{
    PictureButton button;
    const std::pair<int, int> cases[] = {{0, 1}, {-3, 1}, {1, 1}, {3, 3}, {4, 4}, {9, 4}};
    for (const auto &[given, kept] : cases) {
        button.setNumGlyphs(given);
        EXPECT_EQ(button.numGlyphs(), kept) << "set " << given;
    }
}

TEST(PictureButtonTest, CaptionNamesTheButtonButIsNotPainted)
{
    // GIVEN a button with a caption and no picture
    PictureButton button;
    button.setText(QStringLiteral("Далее"));

    // WHEN it is painted
    const QImage image = renderOn(button, Background);

    // THEN nothing shows, yet screen readers get the caption
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), Background) << x << "," << y;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::PushButton);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Далее"));
}

TEST(PictureButtonTest, EmptyGlyphShowsNothingUntilPressed)
{
    // GIVEN only a pressed picture
    PictureButton button;
    button.resize(40, 40);
    button.setGlyphDown(squareOnKey({32, 32}, Qt::blue, 4));

    // THEN it shows nothing while up, and the pressed picture while down
    EXPECT_EQ(centreOf(button), Background);
    button.setDown(true);
    EXPECT_EQ(centreOf(button), QColor(Qt::blue));
}

TEST(PictureButtonTest, BottomLeftPixelGivesTheTransparentColour)
{
    // GIVEN a picture whose bottom-left pixel is yellow, as is its frame, around a red square;
    // its top-right pixel is magenta, which is not the key here
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    picture.setPixelColor(31, 0, KeyMagenta);
    QPainter(&picture).fillRect(8, 8, 16, 16, Qt::red);
    PictureButton button;
    button.resize(32, 32);
    button.setGlyph(QPixmap::fromImage(picture));

    // WHEN painted on white
    const QImage image = renderOn(button, Background);

    // THEN the yellow frame lets the background through, the rest is drawn
    EXPECT_EQ(image.pixelColor(0, 31), Background);
    EXPECT_EQ(image.pixelColor(4, 4), Background);
    EXPECT_EQ(image.pixelColor(16, 16), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(31, 0), KeyMagenta);
}

TEST(PictureButtonTest, StateChoosesTheImageOfTheStrip)
{
    // GIVEN strips of normal, disabled and pressed images
    struct Case {
        const char *name;
        int numGlyphs;
        bool enabled;
        bool down;
        QColor expected;
    };
    const Case cases[] = {
        {"normal", 3, true, false, Qt::red},
        {"disabled has its own image", 3, false, false, Qt::green},
        {"pressed takes image 3 of the pressed picture", 3, true, true, Qt::cyan},
        {"pressed without a third image takes the first", 2, true, true, Qt::darkCyan},
    };
    for (const Case &c : cases) {
        PictureButton button;
        button.resize(40, 40);
        button.setNumGlyphs(c.numGlyphs);
        button.setGlyph(strip({Qt::red, Qt::green, Qt::blue}, 20));
        button.setGlyphDown(strip({Qt::darkCyan, Qt::darkMagenta, Qt::cyan}, 20));
        button.setEnabled(c.enabled);
        button.setDown(c.down);

        EXPECT_EQ(centreOf(button), c.expected) << c.name;
    }
}

TEST(PictureButtonTest, DisabledSingleImageIsDrawnGreyed)
{
    // GIVEN a disabled button whose only image is a red square with a white hole
    QImage picture = squareOnKey({20, 20}, Qt::red, 4).toImage();
    picture.setPixelColor(10, 10, Qt::white);
    PictureButton button;
    button.resize(20, 20);
    button.setGlyph(QPixmap::fromImage(picture));
    button.setEnabled(false);
    const QColor shadow(90, 90, 90);
    const QColor highlight(250, 250, 200);
    QPalette palette = button.palette();
    palette.setColor(QPalette::Disabled, QPalette::Dark, shadow);
    palette.setColor(QPalette::Disabled, QPalette::Light, highlight);
    button.setPalette(palette);

    // WHEN painted
    const QImage image = renderOn(button, Background);

    // THEN the shape shows in the shadow colour, its highlight peeks out one pixel down
    // and right, and the white of the picture is not part of the shape
    EXPECT_EQ(image.pixelColor(4, 4), shadow);
    EXPECT_EQ(image.pixelColor(15, 15), shadow);
    EXPECT_EQ(image.pixelColor(16, 16), highlight);
    EXPECT_EQ(image.pixelColor(16, 4), Background);
    EXPECT_EQ(image.pixelColor(10, 10), highlight) << "the hole shows its neighbour's highlight";
    EXPECT_EQ(image.pixelColor(11, 11), shadow);
    EXPECT_EQ(image.pixelColor(2, 2), Background);
}

TEST(PictureButtonTest, EnterInADialogClicksTheDefaultButton)
{
    // GIVEN a dialog with an edit field and a default picture button with a modal result
    QDialog dialog;
    auto *edit = new QLineEdit(&dialog);
    auto *ok = new PictureButton(&dialog);
    ok->move(0, 40);
    ok->setDefault(true);
    ok->setModalResult(QDialog::Accepted);
    QSignalSpy clicks(ok, &QAbstractButton::clicked);
    dialog.show();
    edit->setFocus();

    // WHEN Enter is pressed in the edit field
    QTest::keyClick(edit, Qt::Key_Return);

    // THEN the button was clicked and closed the dialog with its result
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(PictureButtonTest, EscInADialogClicksTheCancelButton)
{
    // GIVEN a dialog with a Cancel picture button whose result is not the dialog's own reject
    QDialog dialog;
    auto *cancel = new PictureButton(&dialog);
    cancel->setCancel(true);
    cancel->setModalResult(2);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    // WHEN Esc is pressed
    QTest::keyClick(&dialog, Qt::Key_Escape);

    // THEN the button's result closed the dialog
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(PictureButtonTest, ACancelButtonRejectsWhateverItsResult)
{
    // A cancel button whose result is QDialog::Rejected (0), or that has none, closes its
    // dialog as rejected, by a click or by Esc.
    struct Case {
        const char *what;
        std::optional<int> result;
        bool byEsc;
    };
    const Case cases[] = {
        {"click, result Rejected", QDialog::Rejected, false},
        {"Esc, result Rejected", QDialog::Rejected, true},
        {"click, no result", std::nullopt, false},
        {"Esc, no result", std::nullopt, true},
    };
    for (const Case &c : cases) {
        QDialog dialog;
        auto *cancel = new PictureButton(&dialog);
        cancel->setCancel(true);
        if (c.result)
            cancel->setModalResult(*c.result);
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

        if (c.byEsc)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(cancel, Qt::LeftButton);

        EXPECT_FALSE(dialog.isVisible()) << c.what;
        EXPECT_EQ(rejected.count(), 1) << c.what;
    }
}

TEST(PictureButtonTest, EscLeavesAButtonNoLongerCancelAlone)
{
    QDialog dialog;
    auto *button = new PictureButton(&dialog);
    button->setCancel(true);
    button->setCancel(false);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    QTest::keyClick(&dialog, Qt::Key_Escape);

    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(PictureButtonTest, CloseKindClosesItsWindow)
{
    QDialog dialog;
    auto *close = new PictureButton(&dialog);
    close->setKind(PictureButton::Kind::Close);
    dialog.show();

    close->click();

    EXPECT_FALSE(dialog.isVisible());
}

TEST(PictureButtonTest, HelpKindAsksForTheNearestHelpContext)
{
    struct Case {
        const char *name;
        int onButton;
        int onPanel;
        int onWindow;
        int expected; // 0: no request
    };
    const Case cases[] = {
        {"own context first", 5, 7, 9, 5},
        {"the panel's when the button has none", 0, 7, 9, 7},
        {"the window's when nothing nearer has one", 0, 0, 9, 9},
        {"none anywhere", 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        QDialog dialog;
        dialog.setProperty("helpContext", c.onWindow);
        auto *panel = new QWidget(&dialog);
        panel->setProperty("helpContext", c.onPanel);
        auto *help = new PictureButton(panel);
        help->setProperty("helpContext", c.onButton);
        help->setKind(PictureButton::Kind::Help);
        help->setModalResult(3);
        QSignalSpy requests(help, &PictureButton::helpRequested);
        dialog.show();

        help->click();

        if (c.expected == 0) {
            EXPECT_EQ(requests.count(), 0) << c.name;
            EXPECT_EQ(dialog.result(), 3) << c.name << ": an ordinary click instead";
        } else {
            ASSERT_EQ(requests.count(), 1) << c.name;
            EXPECT_EQ(requests.at(0).at(0).toInt(), c.expected) << c.name;
            EXPECT_TRUE(dialog.isVisible()) << c.name;
        }
    }
}

TEST(PictureButtonTest, AccessiblePressClicksTheButton)
{
    PictureButton button;
    button.setText(QStringLiteral("OK"));
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);

    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.count() == 1; }));
}
