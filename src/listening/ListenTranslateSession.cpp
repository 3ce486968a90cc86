#include "ListenTranslateSession.h"

#include "core/FileSystem.h"
#include "RecordingLeftovers.h"
#include "sound/SoundDevice.h"

#include <algorithm>
#include <limits>

ListenTranslateSession::ListenTranslateSession(SoundDevice &player, SoundDevice &recorder,
                                               ListenTranslateSettings settings, QObject *parent)
    : QObject(parent), player_(player), recorder_(recorder), settings_(std::move(settings))
{
    // Play without positions at the end of the text must not start it again from the
    // beginning: "Далее" after a pause in the recording's tail only goes on recording.
    player_.AutoRewind = false;
    controls_.wait = settings_.waitOffered;
    controls_.textBox = settings_.textAllowed;
    controls_.translationBox = settings_.translationAllowed;
    connect(&player_, &SoundDevice::soundLost, this, &ListenTranslateSession::soundLost);
    connect(&recorder_, &SoundDevice::soundLost, this, &ListenTranslateSession::soundLost);
}

bool ListenTranslateSession::load()
{
    return files_.load({settings_.courseSound, QString(), settings_.textFile, settings_.translationFile,
                        settings_.timingFile, settings_.pictureListFile, settings_.pictureFolder});
}

void ListenTranslateSession::prepare(QSize area, const QFont &font)
{
    text_ = ScrollingText(files_.text, font, area);
    translation_ = ScrollingText(files_.translation, font, area);
    showFirstPicture();
}

QString ListenTranslateSession::startLabel() const
{
    return settings_.recording() ? QStringLiteral("Переводить") : QStringLiteral("Слушать");
}

QString ListenTranslateSession::pauseLabel() const
{
    return paused_ ? QStringLiteral("Далее") : QStringLiteral("Пауза");
}

QString ListenTranslateSession::waitLabel() const
{
    return waiting_ ? QStringLiteral("Далее") : QStringLiteral("Подождать");
}

qint32 ListenTranslateSession::firstRecordingLimit() const
{
    // A slowed course sound takes longer to hear, and the learner's time to answer with it.
    const qint64 heardLength = qint64(soundLength_) * 100 / std::max(player_.speedPercent(), 1);
    const qint64 limit = 2 * heardLength + qint64(RecordingMsPerLine) * text_.wrapped().lineTotal();
    return qint32(std::min<qint64>(limit, std::numeric_limits<qint32>::max()));
}

QString ListenTranslateSession::firstPicture() const
{
    const QString file = files_.firstPictureFile();
    return file.isEmpty() ? QString() : settings_.pictureFolder + file;
}

Segment ListenTranslateSession::timing(int line) const
{
    return files_.courseTiming.value(line);
}

bool ListenTranslateSession::isSeparator(int line) const
{
    return files_.text.value(line - 1).startsWith(u'#');
}

qint32 ListenTranslateSession::recorderPosition()
{
    return recorder_.Position(); // 0 while the recorder is closed
}

void ListenTranslateSession::showFirstPicture()
{
    currentPicture_ = 1;
    emit pictureChanged(firstPicture());
}

// Every "#" line from the current one on is passed over, each leaving its "#" TAB "#" in the
// cue file, so that the cue file keeps one line per text line also where separators follow
// one another.
void ListenTranslateSession::skipSeparators()
{
    while (currentIndex_ <= lineCount() && isSeparator(currentIndex_)) {
        cue_.separator();
        ++currentIndex_;
    }
}

void ListenTranslateSession::start(bool textTicked, bool translationTicked)
{
    playEndRec_ = NotEnded;
    lossTold_ = false;
    controls_.textBox = false;
    controls_.translationBox = false;
    emit stateChanged();

    const bool recording = settings_.recording();
    if (recording && !fileExists(Template))
        emit messageWanted(QStringLiteral("Повреждены файлы\rНет файла ") + Template, QStringLiteral("Ошибка чтения файла"), 16);

    player_.FileName = settings_.courseSound;
    player_.Open();
    if (recording) {
        // The recorder starts from the template, as a copy of it would; the learner's file
        // itself is replaced only by a save that has written the whole new recording.
        recorder_.FileName = Template;
        recorder_.Open();
        recorder_.FileName = settings_.recordingName;
    }
    soundLength_ = player_.Length();
    progressMax_ = soundLength_ / 1000;
    progressPosition_ = 0;
    timerActive_ = true;
    recordingEnd_ = NotEnded;
    if (recording) {
        recordingEnd_ = firstRecordingLimit();
        recorder_.PlayFrom = 0;
        recorder_.PlayTo = recordingEnd_;
        recorder_.Record();
    }
    player_.PlayFrom = 0;
    player_.Play();

    controls_.stop = true;
    controls_.pause = true;
    controls_.start = false;
    controls_.exit = false;
    controls_.wait = settings_.waitOffered;
    waiting_ = false;
    textShown_ = textTicked && settings_.textAllowed;
    translationShown_ = translationTicked && settings_.translationAllowed;
    panels_ = {!textShown_, textShown_, !translationShown_, translationShown_};
    playing_ = true;
    paused_ = false;
    stopped_ = false;
    saveReported_ = false;
    currentIndex_ = 2;
    text_.rewind();
    translation_.rewind();

    if (settings_.waitOffered && recording)
        cue_.open(TextWorkFiles::cueFileName(settings_.recordingName));
    skipSeparators();
    if (currentIndex_ <= lineCount())
        cue_.begin(0);
    emit stateChanged();
    emit repaintWanted();
}

void ListenTranslateSession::tick()
{
    if (settings_.waitOffered && waiting_) {
        const Segment syntagm = timing(currentIndex_);
        if (qint64(recorderPosition()) - waitStartRec_ > qint64(syntagm.endMs) - syntagm.startMs + WaitAllowanceMs)
            waitClicked();
        return;
    }
    if (settings_.recording() && !stopped_ && qint64(recorderPosition()) > qint64(playEndRec_) + TailMs)
        stop();

    // Of what the window shows, only the progress moves with the sound; a stop above has
    // told it the rest. Once the run is over the bar stays at 0, though the timer runs on
    // until the devices report and the course sound may still stand at its end.
    const qint32 position = player_.Position();
    const int progress = playing_ ? position / 1000 : 0;
    const bool changed = progress != progressPosition_;
    progressPosition_ = progress;
    if (currentIndex_ >= lineCount()) {
        if (changed)
            emit stateChanged();
        return;
    }
    text_.scroll(position, soundLength_);
    translation_.scroll(position, soundLength_);
    // The current syntagm is never a separator: start() and this step pass them over.
    if (timing(currentIndex_).endMs < position) {
        ++currentIndex_;
        const qint32 recorded = recorderPosition();
        cue_.end(recorded);
        skipSeparators();
        if (currentIndex_ <= lineCount())
            cue_.begin(recorded);
    }
    if (textShown_)
        text_.paint(currentIndex_);
    if (translationShown_)
        translation_.paint(currentIndex_);
    else
        changePicture();
    if (textShown_ || translationShown_)
        emit repaintWanted();
    if (changed)
        emit stateChanged();
}

void ListenTranslateSession::changePicture()
{
    const int picture = files_.pictureAt(timing(currentIndex_).endMs);
    if (picture != 0 && picture != currentPicture_) {
        currentPicture_ = picture;
        emit pictureChanged(settings_.pictureFolder + files_.pictures[picture].PictureFile);
    }
}

void ListenTranslateSession::pauseClicked()
{
    if (!playing_ || waiting_)
        return;
    const bool recording = settings_.recording() && recorder_.opened();
    if (!paused_) {
        paused_ = true;
        timerActive_ = false;
        if (recording)
            recorder_.Pause();
        player_.Pause();
        controls_.wait = false;
    } else {
        paused_ = false;
        timerActive_ = true;
        // Without positions: both go on where they stood, and the recording has no end now.
        recordingEnd_ = NotEnded;
        if (recording)
            recorder_.Record();
        if (playEndRec_ == NotEnded)
            player_.Play();
        controls_.wait = settings_.waitOffered;
    }
    emit stateChanged();
}

void ListenTranslateSession::speedChanged()
{
    if (stopped_ || recordingEnd_ == NotEnded || !recorder_.recording())
        return;
    const qint32 end = firstRecordingLimit();
    if (end <= recordingEnd_)
        return;
    // A Record without a start goes on where the recording stands, without a gap.
    recordingEnd_ = end;
    recorder_.PlayTo = end;
    recorder_.Record();
}

void ListenTranslateSession::waitClicked()
{
    if (!playing_ || paused_)
        return;
    if (!waiting_) {
        waiting_ = true;
        player_.Pause();
        waitStartRec_ = recorderPosition();
        controls_.pause = false;
    } else {
        waiting_ = false;
        if (playEndRec_ == NotEnded)
            player_.Play();
        controls_.pause = true;
    }
    emit stateChanged();
}

bool ListenTranslateSession::saveRecording()
{
    recorder_.Save();
    if (recorder_.DeviceError() == 0)
        return true;
    if (!saveReported_) {
        saveReported_ = true;
        emit messageWanted(QStringLiteral("Запись не удалось сохранить в файл %1.").arg(settings_.recordingName),
                           QStringLiteral("Ошибка записи файла"), 16);
    }
    return false;
}

void ListenTranslateSession::finishRecording()
{
    if (!settings_.recording() || !recorder_.opened())
        return;
    recorder_.Stop();
    recordedMs_ = recorder_.Position();
    const bool saved = saveRecording();
    // A new cue file belongs to the new recording: it replaces the old one only when the
    // recording did, or when the recording is empty and will be recovered.
    cue_.finish(recorder_.Position(), saved || RecordingLeftovers::holdsNoSound(settings_.recordingName));
}

void ListenTranslateSession::stop()
{
    stopped_ = true;
    controls_.stop = false;
    controls_.pause = false;
    controls_.start = true;
    paused_ = false;
    timerActive_ = true; // until a notification ends the run
    waiting_ = false;
    controls_.exit = true;
    controls_.textBox = settings_.textAllowed;
    controls_.translationBox = settings_.translationAllowed;

    playing_ = false;
    textShown_ = false;
    translationShown_ = false;
    panels_ = {true, false, false, true};
    progressPosition_ = 0;
    showFirstPicture();
    // The recording is stopped and saved once the stop is made: a save that fails is told
    // in a message, and the devices' end notifications that come while it waits (they make
    // the window idle) must find the stop done, not be undone by it afterwards.
    finishRecording();
    if (player_.opened())
        player_.Stop();
    emit stateChanged();
    emit repaintWanted();
}

void ListenTranslateSession::setIdle()
{
    controls_.stop = false;
    controls_.pause = false;
    controls_.start = true;
    controls_.exit = true;
    controls_.textBox = settings_.textAllowed;
    controls_.translationBox = settings_.translationAllowed;
    playing_ = false;
    textShown_ = false;
    panels_ = {true, false, true, false};
    emit stateChanged();
    emit repaintWanted();
}

void ListenTranslateSession::recorderNotified()
{
    if (!stopped_)
        return; // a pause, a resume or the first recording limit: the run goes on
    timerActive_ = false;
    if (recorder_.opened()) {
        recorder_.Stop();
        saveRecording();
    }
    if (player_.opened())
        player_.Stop();
    player_.Close();
    recorder_.Close();
    setIdle();
}

void ListenTranslateSession::playerNotified()
{
    const bool recording = settings_.recording();
    if (stopped_ && !recording) {
        timerActive_ = false;
        if (player_.opened()) {
            player_.Stop();
            player_.Close();
        }
        setIdle();
    }
    const bool atEnd = player_.opened() && player_.Position() == player_.Length();
    if (atEnd && playEndRec_ == NotEnded)
        playEndRec_ = recorderPosition();
    // An empty course sound has nothing to wait for: it ends at once, recording or not.
    if (atEnd && !stopped_ && (!recording || soundLength_ == 0))
        stop();
}

void ListenTranslateSession::soundLost(const QString &message)
{
    // Both devices lost at once are one loss: the second comes while the first is handled
    // (a failed save's message waits in stop()), and is told with it.
    if (lossTold_)
        return;
    lossTold_ = true;
    if (controls_.stop)
        stop();
    // The ended commands announce nothing more: the devices close now, and with them any
    // notification still on its way (the other device's loss among them).
    timerActive_ = false;
    player_.Close();
    recorder_.Close();
    setIdle();
    emit messageWanted(message, QStringLiteral("Ошибка"), 16);
}

void ListenTranslateSession::leave()
{
    if (controls_.stop) {
        finishRecording();
        if (player_.opened())
            player_.Stop();
    }
    timerActive_ = false;
    if (player_.DeviceError() == 0)
        player_.Close();
    if (recorder_.DeviceError() == 0)
        recorder_.Close();
    if (recorder_.Mode() != SoundMode::NotReady)
        recorder_.Close();
    playing_ = false;
    emit stateChanged();
}
