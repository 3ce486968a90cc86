#include "QuestionWindowKit.h"

#include "sound/WavFile.h"
#include "ui/MessageWindow.h"

#include <QTest>

void QuestionWindowKit::writeSound(const QString &relativePath, int ms) const
{
    SoundData sound;
    sound.format = {8000, 1, 0};
    sound.samples.assign(std::size_t(ms) * 8, qint16(1000));
    course.writeBytes(relativePath, encodeWav(sound));
}

bool isReadErrorMessage(QWidget *modal)
{
    auto *message = qobject_cast<MessageWindow *>(modal);
    return message && message->windowTitle() == QStringLiteral("Ошибка чтения файла") &&
           message->shownText().startsWith(QStringLiteral("Ошибка чтения файла.\nПоврежден файл ")) &&
           !message->shownText().contains(u'\\') &&
           message->shownIconIndex() == 0;
}

void clickMiddle(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}
