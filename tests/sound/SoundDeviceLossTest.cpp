// A device whose sound server dies, or whose platform device is removed, on the virtual card.
#include "sound/SoundResult.h"
#include "sound/VirtualAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

const QString NoPlayback = QStringLiteral("Нет устройства воспроизведения звука");
const QString RecordingCut = QStringLiteral("Запись прервана: нет устройства записи звука");

// GIVEN a one-second ramp at 8000 Hz ("tone.wav"), an empty 8000 Hz template ("rec.wav"), a
// virtual card whose microphone hears the ramp, and a device; what DeviceError reads at each
// notification and each message for the learner are kept.
class SoundDeviceLossTest : public ::testing::Test {
protected:
    static constexpr int Rate = 8000;

    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice device{card};
    QList<qint32> notifications;
    QStringList messages;

    void SetUp() override
    {
        writeRampWav(course.absolute("tone.wav"), Rate, 1, Rate);
        writeWav(course.absolute("rec.wav"), Rate, 1, {});
        card.setMicrophone(rampSample);
        QObject::connect(&device, &SoundDevice::OnNotify, [this] { notifications << device.DeviceError(); });
        QObject::connect(&device, &SoundDevice::soundLost, [this](const QString &text) { messages << text; });
    }
};

TEST_F(SoundDeviceLossTest, PlaybackEndsASecondAfterTheServerDiedAndTheNextPlayUsesTheServerBack)
{
    device.FileName = QStringLiteral("tone.wav");
    device.Open();
    device.Play();
    card.advance(300);

    // WHEN the server dies, THEN the playback ends once its device has been silent a second
    card.stopServer();
    card.advance(999);
    EXPECT_TRUE(notifications.isEmpty());
    EXPECT_EQ(device.Mode(), SoundMode::Playing);
    card.advance(1);
    EXPECT_EQ(notifications, QList<qint32>{SoundResult::NoOutputDevice});
    EXPECT_EQ(messages, QStringList{NoPlayback});
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(device.Position(), 300) << "where it was heard last";

    // WHEN the learner plays again while there is still no server, THEN that play ends at once
    device.Play();
    card.advance(1);
    EXPECT_EQ(notifications.size(), 2);
    EXPECT_EQ(messages, QStringList({NoPlayback, NoPlayback}));

    // WHEN the server is back, THEN the next play opens a new stream and is heard complete
    card.startServer();
    device.PlayFrom = 100;
    device.PlayTo = 600;
    device.Play();
    card.advance(500);
    EXPECT_EQ(notifications, QList<qint32>({SoundResult::NoOutputDevice, SoundResult::NoOutputDevice, 0}));
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(card.outputs().size(), 2u);
    EXPECT_EQ(soundHanded(card.outputs().back().samples), rampFrames(800, 4800, 1));
}

TEST_F(SoundDeviceLossTest, ARecordingWhoseMicrophoneIsRemovedKeepsWhatItCapturedAndGoesOnOnANewOne)
{
    device.FileName = QStringLiteral("rec.wav");
    device.Open();
    device.PlayFrom = 0;
    device.Record();
    card.advance(400);

    card.removeDevices();
    card.advance(1);
    EXPECT_EQ(notifications, QList<qint32>{SoundResult::RecordingInterrupted});
    EXPECT_EQ(messages, QStringList{RecordingCut});
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(device.Position(), 400);
    EXPECT_EQ(card.openInputs(), 0) << "the lost microphone is let go";

    device.Save();
    EXPECT_EQ(readWavContents(course.absolute("rec.wav")).samples, rampFrames(0, 400 * Rate / 1000, 1));

    // The next recording goes on where the cut one stopped, from a new microphone.
    device.PlayTo = 600;
    device.Record();
    card.advance(200);
    device.Save();
    EXPECT_EQ(notifications.size(), 2);
    EXPECT_EQ(readWavContents(course.absolute("rec.wav")).frames(), 600 * Rate / 1000);
}

} // namespace
