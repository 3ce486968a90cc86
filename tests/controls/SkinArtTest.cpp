#include "controls/SkinArt.h"

#include "controls/FlatPictureButton.h"
#include "controls/PictureButton.h"
#include "controls/PictureCheckBox.h"
#include "controls/PictureProgressBar.h"

#include "TestPictures.h"

#include <QSet>

#include <gtest/gtest.h>

#include <vector>

using namespace SkinArt;

namespace {

const ButtonSymbol AllSymbols[] = {
    ButtonSymbol::Confirm,      ButtonSymbol::Cancel,       ButtonSymbol::Help,
    ButtonSymbol::Exit,         ButtonSymbol::Next,         ButtonSymbol::Repeat,
    ButtonSymbol::Play,         ButtonSymbol::Pause,        ButtonSymbol::Stop,
    ButtonSymbol::Record,       ButtonSymbol::Translate,    ButtonSymbol::Wait,
    ButtonSymbol::PlayFromStart, ButtonSymbol::PlayFromHere, ButtonSymbol::PlayFragment,
    ButtonSymbol::Mark,         ButtonSymbol::Comment,      ButtonSymbol::NewUser,
    ButtonSymbol::Compare,      ButtonSymbol::DeleteUser,   ButtonSymbol::DeleteRecording,
};

QRgb rgbaAt(const QPixmap &picture, QPoint at)
{
    return picture.toImage().convertToFormat(QImage::Format_ARGB32).pixel(at);
}

// True when every key-coloured pixel is reachable from the picture's edge through
// key-coloured pixels: the key is the background only, never a hole inside the drawing.
bool keyIsOnlyBackground(const QPixmap &picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    int keyPixels = 0;
    std::vector<QPoint> todo;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            keyPixels += image.pixel(x, y) == KeyColour;
            if (x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1)
                todo.push_back({x, y});
        }
    }
    QSet<int> seen;
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (!image.valid(p) || image.pixel(p) != KeyColour || seen.contains(p.y() * 1000 + p.x()))
            continue;
        seen.insert(p.y() * 1000 + p.x());
        todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    return int(seen.size()) == keyPixels;
}

bool hasOpaquePixels(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) == 255 && argb.pixel(x, y) != KeyColour)
                return true;
    return false;
}

} // namespace

TEST(SkinArtTest, BackgroundsAreTheDesignColours)
{
    EXPECT_EQ(windowBackground(), QColor(121, 184, 228));
    EXPECT_EQ(dialogBackground(), QColor(0x79, 0xB8, 0xE4)); // DesignColour 14989433
    EXPECT_EQ(messagePanelBackground(), QColor(0xCC, 0xCC, 0xCC)); // DesignColour 13421772
}

TEST(SkinArtTest, IconsHaveTheirSizesAndAreDrawn)
{
    for (int i = 0; i <= int(ToolIcon::Exit); ++i) {
        const QPixmap icon = toolIcon(ToolIcon(i));
        EXPECT_EQ(icon.size(), QSize(32, 32)) << "tool icon " << i;
        EXPECT_TRUE(hasOpaquePixels(icon.toImage())) << "tool icon " << i;
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(treeImage(i).size(), QSize(16, 16)) << "tree image " << i;
        EXPECT_TRUE(hasOpaquePixels(treeImage(i).toImage())) << "tree image " << i;
    }
    EXPECT_TRUE(treeImage(3).isNull());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(messageIcon(i).size(), QSize(32, 32)) << "message icon " << i;
}

TEST(SkinArtTest, PicturesOfDifferentMeaningsDiffer)
{
    EXPECT_NE(treeImage(1).toImage(), treeImage(2).toImage());
    EXPECT_NE(messageIcon(0).toImage(), messageIcon(1).toImage());
    EXPECT_NE(messageIcon(1).toImage(), messageIcon(2).toImage());
    EXPECT_NE(messageIcon(2).toImage(), messageIcon(3).toImage());
    EXPECT_EQ(messageIcon(9).toImage(), messageIcon(3).toImage()) << "unknown: information";
    EXPECT_NE(toolIcon(ToolIcon::NewUser).toImage(), toolIcon(ToolIcon::SelectUser).toImage());
}

TEST(SkinArtTest, PictureButtonsHaveFiveDistinctStatesKeyedAtTheTopRight)
{
    for (const ButtonSymbol symbol : AllSymbols) {
        const ButtonPictures p = transButtonPictures(symbol);
        const QPixmap states[] = {p.normal, p.over, p.down, p.up, p.disabled};
        for (size_t i = 0; i < std::size(states); ++i) {
            EXPECT_EQ(states[i].size(), QSize(32, 32)) << int(symbol) << "/" << i;
            EXPECT_EQ(rgbaAt(states[i], {31, 0}), KeyColour) << int(symbol) << "/" << i;
            EXPECT_TRUE(keyIsOnlyBackground(states[i])) << int(symbol) << "/" << i;
            for (size_t j = 0; j < i; ++j)
                EXPECT_NE(states[i].toImage(), states[j].toImage()) << int(symbol) << ": " << i << j;
        }
    }
}

TEST(SkinArtTest, SymbolsAreTellableApart)
{
    QSet<QByteArray> seen;
    for (const ButtonSymbol symbol : AllSymbols) {
        const QImage image = transButtonPictures(symbol).normal.toImage();
        const QByteArray bytes(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes)) << int(symbol);
        seen.insert(bytes);
    }
}

TEST(SkinArtTest, PushButtonGlyphsAreKeyedAtTheBottomLeft)
{
    const QPixmap glyphs[] = {okGlyph(), okGlyphDown(), pushButtonGlyphs(ButtonSymbol::Next).normal,
                              pushButtonGlyphs(ButtonSymbol::Repeat).pressed};
    for (const QPixmap &glyph : glyphs) {
        EXPECT_EQ(glyph.size(), QSize(32, 32));
        EXPECT_EQ(rgbaAt(glyph, {0, 31}), KeyColour);
        EXPECT_TRUE(keyIsOnlyBackground(glyph));
    }
    EXPECT_NE(okGlyph().toImage(), okGlyphDown().toImage());
}

TEST(SkinArtTest, CheckBoxPicturesAreKeyedAtPixelOneOne)
{
    struct Case {
        const char *name;
        CheckBoxPictures pictures;
        QSize size;
    };
    const Case cases[] = {{"answer markers", answerMarkerPictures(), {26, 26}},
                          {"switches", switchPictures(), {16, 16}}};
    for (const Case &c : cases) {
        const QPixmap states[] = {c.pictures.on, c.pictures.onDisabled, c.pictures.off,
                                  c.pictures.offDisabled};
        for (size_t i = 0; i < std::size(states); ++i) {
            EXPECT_EQ(states[i].size(), c.size) << c.name << " " << i;
            EXPECT_EQ(rgbaAt(states[i], {1, 1}), KeyColour) << c.name << " " << i;
            EXPECT_TRUE(keyIsOnlyBackground(states[i])) << c.name << " " << i;
            for (size_t j = 0; j < i; ++j)
                EXPECT_NE(states[i].toImage(), states[j].toImage()) << c.name << ": " << i << j;
        }
    }
}

TEST(SkinArtTest, ProgressBarPiecesHaveCapAndTileSizes)
{
    const ProgressBarPictures p = progressBarPictures();
    for (const QPixmap *cap : {&p.beginLine, &p.endLine, &p.beginScroll, &p.endScroll})
        EXPECT_EQ(cap->size(), QSize(6, 16));
    for (const QPixmap *tile : {&p.midleLine, &p.midleScroll})
        EXPECT_EQ(tile->size(), QSize(4, 16));
    EXPECT_NE(p.midleLine.toImage(), p.midleScroll.toImage());
}

TEST(SkinArtTest, MessagePanelPiecesFitThePanel)
{
    const MessagePanelPieces pieces = messagePanelPieces();
    EXPECT_EQ(pieces.left.size(), QSize(91, 141));
    EXPECT_EQ(pieces.leftEdge.size(), QSize(18, 141));
    EXPECT_EQ(pieces.rightEdge.size(), QSize(19, 141));
    EXPECT_EQ(pieces.centre.height(), 141);

    // Painted over the panel, the pieces leave no gap of the underlying colour.
    QImage panel(380, 141, QImage::Format_RGB32);
    panel.fill(KeyMagenta);
    QPainter painter(&panel);
    paintMessagePanel(painter, panel.rect());
    painter.end();
    for (const int x : {0, 17, 18, 108, 109, 200, 360, 361, 379})
        EXPECT_NE(panel.pixelColor(x, 70), KeyMagenta) << "x " << x;
}

TEST(SkinArtTest, FramedPanelKeepsItsBackgroundInside)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(windowBackground());
    QPainter painter(&image);
    paintFramedPanel(painter, image.rect(), Qt::white);
    painter.end();

    EXPECT_EQ(image.pixelColor(100, 50), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(1, 50), QColor(Qt::white)) << "the frame";
}

TEST(SkinArtTest, IntroPictureIsAFullSizeDrawing)
{
    const QImage intro = introPicture();
    EXPECT_EQ(intro.size(), QSize(782, 594));
    QSet<QRgb> colours;
    for (int y = 0; y < intro.height(); y += 7)
        for (int x = 0; x < intro.width(); x += 7)
            colours.insert(intro.pixel(x, y));
    EXPECT_GT(colours.size(), 100) << "gradients and shapes, not a flat fill";
    EXPECT_EQ(introPicture(), intro) << "drawn the same every time";
}

TEST(SkinArtTest, SkinnedControlsShowTheirBackgroundAroundThePictures)
{
    // GIVEN skinned controls
    FlatPictureButton button;
    applyButtonPictures(button, ButtonSymbol::Help);
    PictureButton okButton;
    okButton.resize(41, 36);
    applyPushButtonGlyphs(okButton, ButtonSymbol::Confirm);
    PictureCheckBox box;
    box.resize(26, 26);
    applyAnswerMarkerPictures(box);
    PictureProgressBar bar;
    applyProgressBarPictures(bar);

    // THEN they take the pictures' size and let the background show at the key pixels
    EXPECT_EQ(button.size(), QSize(32, 32));
    EXPECT_FALSE(button.bitmapDisabled().isNull());
    EXPECT_TRUE(bar.hasAllPictures());
    const QColor background = windowBackground();
    EXPECT_EQ(renderOn(button, background).pixelColor(31, 0), background);
    EXPECT_EQ(renderOn(okButton, background).pixelColor(0, 35), background);
    EXPECT_EQ(renderOn(box, background).pixelColor(1, 1), background);
    EXPECT_NE(renderOn(box, background).pixelColor(13, 13), background);
}
