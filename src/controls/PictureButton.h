#pragma once

#include "controls/GlyphPlacement.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

#include <optional>

class QShortcut;

// A push button that shows nothing but a picture: the confirming buttons of the dialogs
// and the "Далее" buttons of the presentation windows. Being a QPushButton it keeps
// Default, Enter in dialogs and the accessible push-button role; its caption (setText)
// is never painted but names the button for screen readers.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    enum class Kind { Normal, Help, Close };
    Q_ENUM(Kind)

    explicit PictureButton(QWidget *parent = nullptr);

    // Picture of the normal and disabled states; the bottom-left pixel gives its
    // transparent colour.
    QPixmap glyph() const { return glyph_; }
    void setGlyph(const QPixmap &glyph);
    // Picture while the button is held down.
    QPixmap glyphDown() const { return glyphDown_; }
    void setGlyphDown(const QPixmap &glyph);
    // Images side by side in each picture: normal, disabled, pressed, held. Kept in 1..4.
    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);

    GlyphLayout glyphLayout() const { return layout_; }
    void setGlyphLayout(GlyphLayout layout);
    // Space between picture and caption; kept for the designs, a caption is never drawn.
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);
    // Distance of the picture from the layout's edge; -1 centres it.
    int margin() const { return margin_; }
    void setMargin(int margin);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }

    // The designs' frame colours. They take no part in painting but are kept, and a
    // change refreshes the button as the designs expect.
    QColor colorDefBorder() const { return colorDefBorder_; }
    void setColorDefBorder(const QColor &color);
    QColor colorFon() const { return colorFon_; }
    void setColorFon(const QColor &color);
    QColor colorLightSide() const { return colorLightSide_; }
    void setColorLightSide(const QColor &color);
    QColor colorDarkSide() const { return colorDarkSide_; }
    void setColorDarkSide(const QColor &color);
    QColor colorLightOut() const { return colorLightOut_; }
    void setColorLightOut(const QColor &color);
    QColor colorDarkOut() const { return colorDarkOut_; }
    void setColorDarkOut(const QColor &color);

    // Once set, a click of a Normal button closes the QDialog that holds it with this
    // result, whatever its value: QDialog::Rejected is 0 too.
    std::optional<int> modalResult() const { return modalResult_; }
    void setModalResult(int result) { modalResult_ = result; }

    // Help: a click asks for the nearest non-zero "helpContext" property up the parents.
    // Close: a click closes the window that holds the button.
    Kind kind() const { return kind_; }
    void setKind(Kind kind) { kind_ = kind; }

    // A Cancel button is clicked by Esc anywhere in its window; without a modal result of
    // its own its click rejects the dialog, so Esc is never swallowed.
    bool isCancel() const { return cancelShortcut_ != nullptr; }
    void setCancel(bool cancel);

    // What a paint in the current state draws (transparent where the key colour was),
    // and where; a null image when the state has no picture.
    QImage stateImage() const;
    QPoint stateImagePosition() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A Help button was clicked; no help viewer is bound here, the windows connect one.
    void helpRequested(int helpContext);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void onClicked();
    void setStoredColor(QColor &stored, const QColor &color);

    QPixmap glyph_;
    QPixmap glyphDown_;
    int numGlyphs_ = 1;
    GlyphLayout layout_ = GlyphLayout::Left;
    int spacing_ = 4;
    int margin_ = -1;
    bool autoSize_ = false;
    QColor colorDefBorder_{0, 0, 85};
    QColor colorFon_{0, 0, 204};
    QColor colorLightSide_{85, 85, 255};
    QColor colorDarkSide_{0, 0, 119};
    QColor colorLightOut_{153, 153, 255};
    QColor colorDarkOut_{0, 0, 85};
    std::optional<int> modalResult_;
    Kind kind_ = Kind::Normal;
    QShortcut *cancelShortcut_ = nullptr;
};
