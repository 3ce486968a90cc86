#include "ExerciseWindowFrame.h"

#include "controls/SkinArt.h"
#include "shell/DialogFrame.h"

#include <QDialog>

void setupExerciseWindow(QDialog &window, QSize size, const QString &name, int helpContext)
{
    window.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window.setFixedSize(size);
    window.setWindowTitle(name);
    window.setAccessibleName(name);
    window.setAutoFillBackground(true);
    QPalette background = window.palette();
    background.setColor(QPalette::Window, SkinArt::windowBackground());
    window.setPalette(background);
    window.setFont(arialFont(15));
    window.setProperty("helpContext", helpContext);
}

void centreOnPoint(QWidget &window, QPoint centre)
{
    window.move(centre.x() - window.width() / 2, centre.y() - window.height() / 2);
}
