#include "TextWorkSession.h"

#include "core/CourseError.h"
#include "sound/SoundDevice.h"
#include "sound/SoundResult.h"

#include <algorithm>

TextWorkSession::TextWorkSession(SoundDevice &courseDevice, SoundDevice &learnerDevice, TextWorkSources sources,
                                 QObject *parent)
    : QObject(parent), course_(courseDevice), learner_(learnerDevice), sources_(std::move(sources))
{
    controls_.learnerSound = !sources_.learnerRecording.isEmpty();
    course_.FileName = sources_.courseSound;
    learner_.FileName = sources_.learnerRecording;
    // Only one of the two plays at a time, and each is closed when its playback ends.
    for (SoundDevice *device : {&course_, &learner_}) {
        connect(device, &SoundDevice::OnNotify, this, &TextWorkSession::playbackEnded);
        connect(device, &SoundDevice::soundLost, this, &TextWorkSession::soundFailed);
    }
    comparePause_.setSingleShot(true);
    comparePause_.setTimerType(Qt::PreciseTimer);
    comparePause_.setInterval(ComparePauseMs);
    connect(&comparePause_, &QTimer::timeout, this, &TextWorkSession::playLearnerLine);
}

bool TextWorkSession::load()
{
    files_ = TextWorkFiles();
    const bool complete = files_.load(sources_);
    for (SoundDevice *device : {&course_, &learner_}) {
        if (device->FileName.isEmpty())
            continue;
        try {
            device->keepSound();
        } catch (const CourseError &) {
            // Told when a play action opens it, as for any sound that does not open.
        }
    }
    setCompareControl();
    emit stateChanged();
    return complete;
}

std::shared_ptr<const SoundData> TextWorkSession::courseFrames() const
{
    return course_.sound();
}

std::shared_ptr<const SoundData> TextWorkSession::learnerFrames() const
{
    return files_.hasCue ? learner_.sound() : nullptr;
}

Segment TextWorkSession::courseLine() const
{
    return files_.courseTiming.value(currentIndex_);
}

Segment TextWorkSession::learnerLine() const
{
    return files_.hasCue ? files_.learnerTiming.value(currentIndex_) : Segment{};
}

std::optional<qint32> TextWorkSession::heardPosition()
{
    if (!playing_ || !active_ || !active_->opened())
        return std::nullopt;
    return active_->Position();
}

// The learner's line needs its cue entry (none without a cue file), and the course's line a
// time of its own.
bool TextWorkSession::compareAllowed() const
{
    return courseLine().endMs > 0 && learnerLine().endMs > 0;
}

void TextWorkSession::setCompareControl()
{
    controls_.compare = !playing_ && compareAllowed();
}

// The timing of the sound being played: the learner's when that recording is chosen and
// its cue file was read. Tables are as long as the text, but the rules look one line ahead
// of the current one: value() gives an empty segment past the end.
const QList<Segment> &TextWorkSession::followedTable() const
{
    return files_.hasCue && learnerChosen_ ? files_.learnerTiming : files_.courseTiming;
}

void TextWorkSession::tick()
{
    bool changed = false;
    const int count = lineCount();
    if (following_ && currentIndex_ < count) {
        const QList<Segment> &table = followedTable();
        if (table.value(currentIndex_).endMs == 0) {
            ++currentIndex_; // a separator is never current during a playback
            changed = true;
        }
        if (currentIndex_ < count && active_->Position() > table.value(currentIndex_).endMs) {
            ++currentIndex_;
            changed = true;
        }
    }

    const bool comment = std::any_of(files_.comments.cbegin(), files_.comments.cend(),
                                     [&](const SyntagmComment &c) { return c.Number == currentIndex_; });
    if (comment != controls_.comment) {
        controls_.comment = comment;
        changed = true;
    }

    if (!translationShown_) {
        const int picture = files_.pictureAt(followedTable().value(currentIndex_).endMs);
        if (picture != 0 && picture != currentPicture_) {
            currentPicture_ = picture;
            emit pictureChanged(sources_.pictureFolder + files_.pictures[picture].PictureFile);
        }
    }
    if (changed)
        emit stateChanged();
}

SoundDevice &TextWorkSession::chosenDevice()
{
    return learnerChosen_ ? learner_ : course_;
}

void TextWorkSession::openSound(SoundDevice &device)
{
    active_ = &device;
    device.Open();
}

// Opens `device` to play `line`. Nothing when its sound ends before the line does: it is
// closed again then.
std::optional<Segment> TextWorkSession::openForLine(SoundDevice &device, Segment line)
{
    openSound(device);
    if (device.Length() < line.endMs) {
        device.Close();
        return std::nullopt;
    }
    return line;
}

// Opens the chosen sound for a play action at the current line.
std::optional<Segment> TextWorkSession::openAtCurrentLine()
{
    return openForLine(chosenDevice(), followedTable().value(currentIndex_));
}

void TextWorkSession::startPlayback(std::optional<qint32> from, std::optional<qint32> to, bool follow)
{
    controls_.slider = controls_.playAll = controls_.playFromLine = controls_.playLine = false;
    controls_.loop = controls_.marker = controls_.compare = false;
    controls_.stop = true;
    following_ = follow;
    if (follow)
        scrollSpeed_ = FollowScrollSpeed;
    playing_ = true;
    active_->PlayFrom = from;
    active_->PlayTo = to;
    active_->Play();
    if (active_->DeviceError() != 0) {
        // Nothing started (a range outside the sound), so no end will be announced: end it
        // here, and never loop on it nor go on comparing.
        loopSelection_ = false;
        comparePhase_ = ComparePhase::None;
        playbackEnded();
        return;
    }
    emit stateChanged();
}

void TextWorkSession::setIdleControls()
{
    controls_.slider = controls_.playAll = controls_.playFromLine = controls_.playLine = true;
    controls_.loop = !learnerChosen_;
    controls_.marker = true;
    controls_.stop = false;
    controls_.compare = compareAllowed();
}

void TextWorkSession::playbackEnded()
{
    // A playback whose device went away is not looped nor compared: the learner is told instead.
    if (active_ && active_->DeviceError() == SoundResult::NoOutputDevice) {
        loopSelection_ = false;
        comparePhase_ = ComparePhase::None;
    }
    if (active_)
        active_->Close();
    if (comparePhase_ == ComparePhase::Course) {
        // The controls stay as they are during the pause: "Стоп" ends it.
        comparePhase_ = ComparePhase::Pause;
        comparePause_.start();
        return;
    }
    comparePhase_ = ComparePhase::None;
    playing_ = false;
    setIdleControls();
    following_ = false;
    scrollSpeed_ = IdleScrollSpeed;
    if (loopSelection_) {
        try {
            playLoop();
        } catch (const CourseError &error) {
            loopSelection_ = false;
            emit soundFailed(error.userText());
        }
        if (playing_)
            return;
    }
    emit stateChanged();
    emit sliderFocusWanted();
}

void TextWorkSession::playLine()
{
    if (!controls_.playLine || lineCount() == 0)
        return;
    if (const std::optional<Segment> line = openAtCurrentLine())
        startPlayback(line->startMs, line->endMs, false);
}

void TextWorkSession::playFromLine()
{
    if (!controls_.playFromLine || lineCount() == 0)
        return;
    const std::optional<Segment> line = openAtCurrentLine();
    if (!line)
        return;
    // From a separator the playback starts with the line after it.
    const bool separator = line->startMs == 0 && line->endMs == 0;
    startPlayback(separator ? followedTable().value(currentIndex_ + 1).startMs : line->startMs, std::nullopt, true);
}

void TextWorkSession::playAll()
{
    if (!controls_.playAll || lineCount() == 0)
        return;
    openSound(chosenDevice());
    // Line 1 is normally the title; a text of one line plays from that line.
    const int first = lineCount() >= 2 ? 2 : 1;
    startPlayback(files_.courseTiming.value(first).startMs, std::nullopt, true);
    if (currentIndex_ != 1) {
        currentIndex_ = 1;
        emit stateChanged();
    }
}

void TextWorkSession::compare()
{
    if (!controls_.compare || lineCount() == 0)
        return;
    const std::optional<Segment> line = openForLine(course_, courseLine());
    if (!line)
        return;
    comparePhase_ = ComparePhase::Course;
    startPlayback(line->startMs, line->endMs, false);
}

void TextWorkSession::playLearnerLine()
{
    comparePhase_ = ComparePhase::Learner;
    std::optional<Segment> line;
    try {
        line = openForLine(learner_, learnerLine());
    } catch (const CourseError &error) {
        active_ = nullptr;
        comparePhase_ = ComparePhase::None;
        playbackEnded();
        emit soundFailed(error.userText());
        return;
    }
    if (!line) {
        // The recording ends before the line: there is nothing of the learner's to hear.
        comparePhase_ = ComparePhase::None;
        playbackEnded();
        return;
    }
    startPlayback(line->startMs, line->endMs, false);
}

void TextWorkSession::playLoop()
{
    if (!controls_.loop || (selectionBegin_ == 0 && selectionEnd_ == 0)) {
        loopSelection_ = false;
        return;
    }
    const QList<Segment> &course = files_.courseTiming;
    const Segment first = course.value(selectionBegin_);
    const qint32 from = first.startMs == 0 && first.endMs == 0 ? course.value(selectionBegin_ + 1).startMs
                                                               : first.startMs;
    const Segment last = course.value(selectionEnd_);
    const qint32 to = last.endMs == 0 ? course.value(selectionEnd_ + 1).endMs : last.endMs;
    if (to <= from) {
        // An empty fragment would end the moment it starts, round after round.
        loopSelection_ = false;
        return;
    }
    openSound(course_);
    loopSelection_ = true;
    currentIndex_ = selectionBegin_;
    startPlayback(from, to, true);
}

void TextWorkSession::haltPlayback()
{
    loopSelection_ = false;
    if (comparePhase_ == ComparePhase::Pause) {
        // No device plays, so no end will be announced: the comparison ends here.
        comparePause_.stop();
        comparePhase_ = ComparePhase::None;
        playbackEnded();
        return;
    }
    comparePhase_ = ComparePhase::None;
    if (active_ && active_->opened())
        active_->Stop();
    playing_ = false;
}

void TextWorkSession::stop()
{
    if (!playing_)
        return;
    // The end notification of the stopped playback does the rest.
    haltPlayback();
    emit stateChanged();
}

QStringList TextWorkSession::openComments()
{
    if (playing_)
        haltPlayback();
    QStringList texts;
    for (const SyntagmComment &comment : files_.comments) {
        if (comment.Number == currentIndex_)
            texts.append(comment.Text);
    }
    return texts;
}

void TextWorkSession::mark()
{
    if (!controls_.marker)
        return;
    if (!markerSetsEnd_) {
        selectionBegin_ = selectionEnd_ = currentIndex_;
        markerSetsEnd_ = true;
    } else {
        markerSetsEnd_ = false;
        selectionEnd_ = currentIndex_;
        // A fragment does not end on a separator: it ends on the line above it.
        if (files_.courseTiming.value(currentIndex_).startMs == 0 && currentIndex_ != 0)
            selectionEnd_ = currentIndex_ - 1;
        if (currentIndex_ < selectionBegin_) {
            selectionEnd_ = selectionBegin_;
            selectionBegin_ = currentIndex_;
        }
        // The end moved up from a separator right after the beginning: one line.
        selectionEnd_ = std::max(selectionEnd_, selectionBegin_);
    }
    fragmentShown_ = true;
    emit stateChanged();
}

QString TextWorkSession::markerLabel() const
{
    return markerSetsEnd_ ? QStringLiteral("Окончание") : QStringLiteral("Начало");
}

std::optional<std::pair<int, int>> TextWorkSession::markedRange() const
{
    if (!fragmentShown_)
        return std::nullopt;
    return std::pair{selectionBegin_ - 1, selectionEnd_ - 1};
}

void TextWorkSession::setCurrentIndex(int line)
{
    line = std::clamp(line, 1, std::max(lineCount(), 1));
    if (line == currentIndex_)
        return;
    currentIndex_ = line;
    setCompareControl();
    emit stateChanged();
}

void TextWorkSession::textBoxClicked(bool wasChecked)
{
    textShown_ = wasChecked;
    emit stateChanged();
}

void TextWorkSession::translationBoxClicked(bool wasChecked)
{
    translationShown_ = wasChecked;
    emit stateChanged();
}

void TextWorkSession::learnerBoxClicked(bool wasChecked)
{
    if (!controls_.learnerSound)
        return;
    learnerChosen_ = wasChecked;
    // "Цикл" comes back only when no playback holds the buttons.
    controls_.loop = !learnerChosen_ && !controls_.stop;
    emit stateChanged();
}

QString TextWorkSession::startPicture() const
{
    const QString file = files_.firstPictureFile();
    return file.isEmpty() ? QString() : sources_.pictureFolder + file;
}

QString TextWorkSession::helpKey() const
{
    return sources_.learnerRecording.isEmpty() ? QStringLiteral("WorkText") : QStringLiteral("ListenTrans");
}

int TextWorkSession::helpContext() const
{
    return sources_.learnerRecording.isEmpty() ? 130 : 180;
}
