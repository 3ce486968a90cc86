#include "SoundResult.h"

QString soundResultText(qint32 code)
{
    switch (code) {
    case SoundResult::Ok:
        return QStringLiteral("Нет ошибки");
    case SoundResult::FileNotFound:
        return QStringLiteral("Звуковой файл не найден");
    case SoundResult::NotWave:
        return QStringLiteral("Файл не является звуковым файлом WAV или поврежден");
    case SoundResult::UnsupportedFormat:
        return QStringLiteral("Формат звукового файла не поддерживается");
    case SoundResult::TooLarge:
        return QStringLiteral("Звуковой файл слишком велик");
    case SoundResult::ReadFailed:
        return QStringLiteral("Не удается прочитать звуковой файл");
    case SoundResult::NoOutputDevice:
        return QStringLiteral("Нет устройства воспроизведения звука");
    case SoundResult::NoInputDevice:
        return QStringLiteral("Нет устройства записи звука");
    case SoundResult::OutOfRange:
        return QStringLiteral("Позиция вне звукового файла");
    case SoundResult::WriteFailed:
        return QStringLiteral("Не удается записать звуковой файл");
    case SoundResult::DeviceNotOpen:
        return QStringLiteral("Звуковое устройство не открыто");
    case SoundResult::RecordingInterrupted:
        return QStringLiteral("Запись прервана: нет устройства записи звука");
    default:
        return QStringLiteral("Unknown error code");
    }
}

SoundFailure::SoundFailure(qint32 code, const QString &detail)
    : std::runtime_error(soundResultText(code).toStdString()), code_(code), detail_(detail)
{
}
