#include "SkinArt.h"

#include "controls/DesignColour.h"
#include "controls/FlatPictureButton.h"
#include "controls/PictureButton.h"
#include "controls/PictureCheckBox.h"
#include "controls/PictureProgressBar.h"

namespace SkinArt {

QColor windowBackground()
{
    return QColor(121, 184, 228);
}

QColor dialogBackground()
{
    return QColor(rgbFromDesignColour(14989433));
}

QColor messagePanelBackground()
{
    return QColor(rgbFromDesignColour(13421772));
}

void applyButtonPictures(FlatPictureButton &button, ButtonSymbol symbol)
{
    const ButtonPictures pictures = transButtonPictures(symbol);
    button.setBitmapOver(pictures.over);
    button.setBitmapDown(pictures.down);
    button.setBitmapUp(pictures.up);
    button.setBitmapDisabled(pictures.disabled);
    button.setBitmap(pictures.normal);
}

void applyPushButtonGlyphs(PictureButton &button, ButtonSymbol symbol)
{
    const GlyphPair glyphs = pushButtonGlyphs(symbol);
    button.setGlyph(glyphs.normal);
    button.setGlyphDown(glyphs.pressed);
}

namespace {

void applyCheckBoxPictures(PictureCheckBox &box, const CheckBoxPictures &pictures)
{
    box.setImgOn(pictures.on);
    box.setImgOnDis(pictures.onDisabled);
    box.setImgOff(pictures.off);
    box.setImgOffDis(pictures.offDisabled);
}

} // namespace

void applyAnswerMarkerPictures(PictureCheckBox &box)
{
    applyCheckBoxPictures(box, answerMarkerPictures());
}

void applySwitchPictures(PictureCheckBox &box)
{
    applyCheckBoxPictures(box, switchPictures());
}

void applyProgressBarPictures(PictureProgressBar &bar)
{
    const ProgressBarPictures pictures = progressBarPictures();
    bar.setImgBeginLine(pictures.beginLine);
    bar.setImgMidleLine(pictures.midleLine);
    bar.setImgEndLine(pictures.endLine);
    bar.setImgBeginScroll(pictures.beginScroll);
    bar.setImgMidleScroll(pictures.midleScroll);
    bar.setImgEndScroll(pictures.endScroll);
}

} // namespace SkinArt
