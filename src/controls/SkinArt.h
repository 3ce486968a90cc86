#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>

class QPainter;
class PictureButton;
class FlatPictureButton;
class PictureCheckBox;
class PictureProgressBar;

// Every picture the program's windows show, drawn in code in one flat blue style that suits
// the exercise windows' background and the dialogs' background. Same input, same pixels.
//
// Pictures for controls that take a key colour have KeyColour at the stated pixel and all
// around the drawing (bottom-left for push-button glyphs, top-right for picture buttons,
// (1, 1) for check boxes). Edges are anti-aliased with partial alpha, so they blend into
// whatever background the control stands on. Other pictures are transparent around.
namespace SkinArt {

// Magenta: never used by the drawings themselves.
inline constexpr QRgb KeyColour = 0xFFFF00FF;

QColor windowBackground();       // exercise and main windows: RGB(121,184,228)
QColor dialogBackground();       // dialogs: DesignColour 14989433
QColor messagePanelBackground(); // the message window's panel: DesignColour 13421772

// Main toolbar, 32 x 32.
enum class ToolIcon { NewUser, SelectUser, Run, Report, About, Exit };
QPixmap toolIcon(ToolIcon icon);

// Lesson tree, 16 x 16: 0 heading (a closed book), 1 exercise not done (an empty box),
// 2 exercise done (a box with a tick). Other indexes give an empty picture.
QPixmap treeImage(int index);

// Message window, 32 x 32: 0 stop, 1 question, 2 exclamation, 3 information. Other
// indexes give the information icon.
QPixmap messageIcon(int index);

// The four frame pieces of the message window's 380 x 141 panel, all 141 high: the left
// part behind the icon (91 wide, stretched), the left edge (18), the right edge (19) and
// a centre slice (stretched).
struct MessagePanelPieces {
    QPixmap left;
    QPixmap leftEdge;
    QPixmap rightEdge;
    QPixmap centre;
};
MessagePanelPieces messagePanelPieces();
// Lays the four pieces over `rect`: left edge, left part, centre stretched, right edge.
void paintMessagePanel(QPainter &painter, const QRect &rect);

// A panel "framed by decorative bitmaps": a rounded blue frame around `background`.
void paintFramedPanel(QPainter &painter, const QRect &rect, const QColor &background);

// What a picture button or a push-button glyph shows.
enum class ButtonSymbol {
    Confirm,       // tick ("Подтверждение", "ОК")
    Cancel,        // cross ("Отмена")
    Help,          // question mark ("Помощь")
    Exit,          // door with an arrow ("Выход")
    Next,          // arrow to the right ("Далее")
    Repeat,        // circular arrow ("Повторить", "Цикл")
    Play,          // triangle ("Проиграть", "Слушать")
    Pause,         // two bars ("Пауза")
    Stop,          // square ("Стоп")
    Record,        // red dot
    Translate,     // microphone ("Переводить")
    Wait,          // hourglass ("Подождать")
    PlayFromStart, // bar and triangle ("С начала")
    PlayFromHere,  // triangle after a marker ("С фрагмента")
    PlayFragment,  // triangle in brackets ("Фрагмент")
    Mark,          // flag ("Начало", "Окончание")
    Comment,       // speech bubble ("Комментарий")
    Compare,       // triangle, then a person ("Сравнить")
    NewUser,       // person with a plus ("Новое имя")
    DeleteUser,    // person with a minus ("Удалить имя")
    DeleteRecording, // microphone and a cross ("Удалить звуковой файл")
};

// The five 32 x 32 pictures of a bottom-row picture button (key colour at the top right).
struct ButtonPictures {
    QPixmap normal;
    QPixmap over;
    QPixmap down;
    QPixmap up;
    QPixmap disabled;
};
ButtonPictures transButtonPictures(ButtonSymbol symbol);

// The 32 x 32 glyphs of a picture push button (key colour at the bottom left).
struct GlyphPair {
    QPixmap normal;
    QPixmap pressed;
};
GlyphPair pushButtonGlyphs(ButtonSymbol symbol);
QPixmap okGlyph();     // pushButtonGlyphs(Confirm).normal
QPixmap okGlyphDown(); // pushButtonGlyphs(Confirm).pressed

// Check box pictures (key colour at (1, 1)): 26 x 26 answer markers, 16 x 16 switches.
struct CheckBoxPictures {
    QPixmap on;
    QPixmap onDisabled;
    QPixmap off;
    QPixmap offDisabled;
};
CheckBoxPictures answerMarkerPictures();
CheckBoxPictures switchPictures();

// Progress bar pieces, 16 high: 6 wide caps, 4 wide middle tiles.
struct ProgressBarPictures {
    QPixmap beginLine;
    QPixmap midleLine;
    QPixmap endLine;
    QPixmap beginScroll;
    QPixmap midleScroll;
    QPixmap endScroll;
};
ProgressBarPictures progressBarPictures();

// The frame a picture button shows while it has the keyboard focus: a dark dotted line
// inside `rect`, over a light one, so that it shows on both backgrounds.
void paintFocusFrame(QPainter &painter, const QRect &rect);

// The intro window's 782 x 594 title picture.
QImage introPicture();

// One-call skinning of the controls with the pictures above.
void applyButtonPictures(FlatPictureButton &button, ButtonSymbol symbol);
void applyPushButtonGlyphs(PictureButton &button, ButtonSymbol symbol);
void applyAnswerMarkerPictures(PictureCheckBox &box);
void applySwitchPictures(PictureCheckBox &box);
void applyProgressBarPictures(PictureProgressBar &bar);

} // namespace SkinArt
