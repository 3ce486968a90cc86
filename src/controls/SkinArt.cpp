#include "SkinArt.h"

#include "controls/BtnImgD1KL.h"
#include "controls/BtnImgTransD1KL.h"
#include "controls/ChBxImgTransD1KL.h"
#include "controls/PrgssBarKL.h"
#include "controls/TColor.h"

namespace SkinArt {

QColor windowBackground()
{
    return QColor(121, 184, 228);
}

QColor dialogBackground()
{
    return QColor(rgbFromTColor(14989433));
}

QColor messagePanelBackground()
{
    return QColor(rgbFromTColor(13421772));
}

void applyButtonPictures(TBtnImgTransD1KL &button, ButtonSymbol symbol)
{
    const ButtonPictures pictures = transButtonPictures(symbol);
    button.setBitmapOver(pictures.over);
    button.setBitmapDown(pictures.down);
    button.setBitmapUp(pictures.up);
    button.setBitmapDisabled(pictures.disabled);
    button.setBitmap(pictures.normal);
}

void applyPushButtonGlyphs(TBtnImgD1KL &button, ButtonSymbol symbol)
{
    const GlyphPair glyphs = pushButtonGlyphs(symbol);
    button.setGlyph(glyphs.normal);
    button.setGlyphDown(glyphs.pressed);
}

namespace {

void applyCheckBoxPictures(TChBxImgTransD1KL &box, const CheckBoxPictures &pictures)
{
    box.setImgOn(pictures.on);
    box.setImgOnDis(pictures.onDisabled);
    box.setImgOff(pictures.off);
    box.setImgOffDis(pictures.offDisabled);
}

} // namespace

void applyAnswerMarkerPictures(TChBxImgTransD1KL &box)
{
    applyCheckBoxPictures(box, answerMarkerPictures());
}

void applySwitchPictures(TChBxImgTransD1KL &box)
{
    applyCheckBoxPictures(box, switchPictures());
}

void applyProgressBarPictures(TPrgssBarKL &bar)
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
