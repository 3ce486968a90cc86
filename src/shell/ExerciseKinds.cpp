#include "ExerciseKinds.h"

#include "listening/TextWorkWindow.h"

const ExerciseKind *ExerciseKindTable::find(quint8 kind) const
{
    const auto row = rows_.find(kind);
    return row == rows_.end() ? nullptr : &row->second;
}

bool ExerciseKindTable::isPlannedKind(quint8 kind)
{
    switch (kind) {
    case KindTranslateRecorded:
    case KindListenText:
    case KindListenOnly:
    case KindTranslateWithWait:
    case KindTranslate:
    case KindTranslateShowingTranslation:
    case KindTranslateShowingText:
        return true;
    default:
        return false;
    }
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
    return table;
}
