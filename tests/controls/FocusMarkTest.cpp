#include "controls/FlatPictureButton.h"
#include "controls/PictureButton.h"
#include "controls/PictureCheckBox.h"
#include "controls/SkinArt.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Every skinned control that takes the keyboard focus shows where it is: its picture with
// the focus differs from its picture without.
TEST(FocusMarkTest, EveryFocusableSkinnedControlPaintsAFocusMark)
{
    struct Case {
        const char *what;
        std::function<QWidget *(QWidget *)> make;
    };
    const Case cases[] = {
        {"picture button",
         [](QWidget *parent) {
             auto *button = new PictureButton(parent);
             SkinArt::applyPushButtonGlyphs(*button, SkinArt::ButtonSymbol::Confirm);
             button->resize(41, 36);
             return button;
         }},
        {"flat picture button",
         [](QWidget *parent) {
             auto *button = new FlatPictureButton(parent);
             SkinArt::applyButtonPictures(*button, SkinArt::ButtonSymbol::Help);
             button->setFocusPolicy(Qt::StrongFocus);
             return button;
         }},
        {"answer marker",
         [](QWidget *parent) {
             auto *box = new PictureCheckBox(parent);
             SkinArt::applyAnswerMarkerPictures(*box);
             box->resize(26, 26);
             return box;
         }},
        {"switch",
         [](QWidget *parent) {
             auto *box = new PictureCheckBox(parent);
             SkinArt::applySwitchPictures(*box);
             box->setCaption(QStringLiteral("Показывать &текст"));
             box->resize(box->sizeHint());
             return box;
         }},
    };
    for (const Case &c : cases) {
        QWidget window;
        auto *other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(0, 0, 4, 4);
        QWidget *control = c.make(&window);
        control->move(10, 10);
        window.resize(300, 80);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << c.what;

        other->setFocus();
        const QImage without = control->grab().toImage();
        control->setFocus();
        ASSERT_TRUE(control->hasFocus()) << c.what;
        const QImage with = control->grab().toImage();

        EXPECT_NE(with, without) << c.what;
    }
}

} // namespace
