#include "ExerciseKinds.h"

#include "core/FileSystem.h"
#include "listening/FullDuplexDialog.h"
#include "listening/ListenTranslateWindow.h"
#include "listening/TextWorkWindow.h"
#include "sound/WavFile.h"
#include "ui/MessageWindow.h"

const ExerciseKind *ExerciseKindTable::find(quint8 kind) const
{
    const auto row = rows_.find(kind);
    return row == rows_.end() ? nullptr : &row->second;
}

void ExerciseKindTable::setEveryRoutine(const ExerciseKind::Routine &routine)
{
    for (auto &[kind, row] : rows_)
        row.run = routine;
}

ExerciseKindTable ExerciseKindTable::windows(const ExerciseContext &context)
{
    // The vocabulary and question windows take File1, File2, File4 and File3, in that order.
    using WindowRoutine = int (*)(const ExerciseContext &, QPoint, const QString &, const QString &, const QString &,
                                  const QString &);
    auto window = [&context](WindowRoutine routine) -> ExerciseKind::Routine {
        return [&context, routine](const ExerciseRequest &request, ExerciseReport &) {
            const ResolvedFiles &f = request.files;
            return routine(context, request.centre, f.f1, f.f2, f.f4, f.f3);
        };
    };

    ExerciseKindTable table;
    table.set(KindVocabularyPresentation,
              {window(runVocabularyPresentation), QStringLiteral("Вы просмотрели лексику урока.")});
    table.set(KindVocabularyDrill, {window(runVocabularyDrill), QStringLiteral("Вы успешно выполнили упражнение.")});
    table.set(KindQuestionPresentation,
              {window(runQuestionPresentation), QStringLiteral("Вы просмотрели вопросы к тексту.")});
    table.set(KindMultipleChoice,
              {[&context](const ExerciseRequest &request, ExerciseReport &report) {
                   const ResolvedFiles &f = request.files;
                   return runMultipleChoice(context, request.centre, f.f1, f.f2, f.f4, f.f3, report.counts);
               },
               QString(), true, true});
    table.set(KindTrueFalse, {window(runTrueFalse), QString(), false});

    // Text work takes the client area, File3, the recording to play back, File1, File2,
    // File4, File5 and the data folder, in that order.
    ExerciseKind textWork{[&context](const ExerciseRequest &request, ExerciseReport &) {
                              const ResolvedFiles &f = request.files;
                              return runTextWork(context.audio, request.clientArea, f.f3, request.playbackRecording,
                                                 f.f1, f.f2, f.f4, f.f5, request.dataFolder);
                          },
                          QStringLiteral("Вы прослушали текст урока.")};
    textWork.playsBackRecording = true;
    textWork.playbackEndMessage = QStringLiteral("Вы анализировали свой перевод");
    table.set(KindTextWork, textWork);
    addListeningKinds(table, context);
    return table;
}

// ---- The listening kinds: one window, told per kind what it records and shows. ----

ExerciseKindTable::ListeningChecks ExerciseKindTable::ListeningChecks::system()
{
    return {[] { return testFullDuplex(); }, freeBytes};
}

quint64 ExerciseKindTable::recordingBytesNeeded(const QString &courseSound)
{
    const std::optional<SoundFileSummary> sound = readWavSummary(courseSound);
    if (!sound)
        return 0;
    // The template decides the recording's format; 22050 Hz 16-bit mono when it cannot be read.
    const std::optional<SoundFileSummary> recording = readWavSummary(ListenTranslateSession::Template);
    const SoundFormat format = recording ? recording->format : SoundFormat{22050, 1, 0};
    const double bytesPerSecond = double(format.rate) * std::max(format.channels, 1) * 2;
    const double seconds = sound->seconds() + ListenTranslateSession::TailMs / 1000.0;
    return quint64(bytesPerSecond * seconds * 2);
}

void ExerciseKindTable::addListeningKinds(ExerciseKindTable &table, const ExerciseContext &context,
                                          const ListeningChecks &checks)
{
    struct Row {
        quint8 kind;
        bool textInModesCD; // text allowed in modes C and D only
        bool textAllowed;
        bool translationAllowed;
        bool wait;
        int helpTopic;
        bool fullDuplexCheck;
        const char *message;
    };
    static constexpr Row rows[] = {
        {KindTranslateRecorded, true, false, false, false, 0, true, "Вы перевели текст."},
        {KindListenText, true, false, false, false, 0, false, "Вы прослушали текст урока."},
        {KindListenOnly, false, false, false, false, 110, true, "Вы прослушали текст урока."},
        {KindTranslateWithWait, false, false, false, true, 140, true, "Вы прослушали текст урока."},
        {KindTranslate, false, false, false, false, 150, true, "Вы прослушали текст урока."},
        {KindTranslateShowingTranslation, false, false, true, false, 160, true, "Вы прослушали текст урока."},
        {KindTranslateShowingText, false, true, false, false, 170, true, "Вы прослушали текст урока."},
    };
    for (const Row &row : rows) {
        ExerciseKind kind{[&context, row](const ExerciseRequest &request, ExerciseReport &) {
                              const ResolvedFiles &f = request.files;
                              ListenTranslateSettings settings;
                              settings.courseSound = f.f3;
                              settings.recordingName = request.recordingName; // empty for the kinds that do not record
                              settings.textFile = f.f1;
                              settings.translationFile = f.f2;
                              settings.timingFile = f.f4;
                              settings.pictureListFile = f.f5;
                              settings.textAllowed =
                                  row.textAllowed || (row.textInModesCD && (request.mode == u'C' || request.mode == u'D'));
                              settings.translationAllowed = row.translationAllowed;
                              settings.waitOffered = row.wait;
                              settings.pictureFolder = request.dataFolder;
                              settings.helpTopic = row.helpTopic;
                              return runListenTranslate(context.audio, request.clientArea, settings);
                          },
                          QString::fromUtf8(row.message)};
        // OK stores the name of the recording made; the listening-only kinds make none.
        kind.keepsRecording = keepsRecording(row.kind);
        // Every kind that records checks the space its recording needs.
        const bool spaceCheck = keepsRecording(row.kind);
        if (row.fullDuplexCheck) {
            kind.check = [checks, spaceCheck](const ExerciseRequest &request) {
                if (!checks.fullDuplex())
                    return false;
                if (!spaceCheck)
                    return true;
                // On the file system the recording and its safety copy are written to (the
                // design's drive letter).
                const quint64 needed = recordingBytesNeeded(request.files.f3);
                if (needed > checks.freeSpace(request.recordingName).value_or(0)) {
                    showMessageBox(QStringLiteral("Упражнение не может быть выполнено. На диске нет места."),
                                   QStringLiteral("Внимание"), 48);
                    return false;
                }
                return true;
            };
        }
        table.set(row.kind, std::move(kind));
    }
}
