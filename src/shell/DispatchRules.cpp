#include "DispatchRules.h"

#include "controls/ModalResult.h"
#include "core/ConfinedPath.h"

#include <algorithm>

ResolvedFiles resolveEntryFiles(const CourseState &course, const CatalogueEntry &entry)
{
    auto optional = [&](const QString &name) { return name.isEmpty() ? name : resolveCourseFile(course, name); };
    return {resolveCourseFile(course, entry.File1()), resolveCourseFile(course, entry.File2()), optional(entry.File3()),
            optional(entry.File4()), resolveCourseFile(course, entry.File5())};
}

QString recordingName(const UserRegistry &users, int entryNumber)
{
    const UserRecord *user = users.current();
    if (!user)
        return QStringLiteral("AnonSnd.wav");
    const QString ownName = user->Name() + QString::number(entryNumber) + QStringLiteral(".wav");
    // The recording lies beside the learner's progress file, which lies in the course's
    // Report tree (a copied course never writes into the one it was copied from). The
    // stored Dir is not used: a crafted one could lead anywhere. A name that could climb
    // out of that folder gets the anonymous learner's file.
    const QString progressFile = userProgressFile(*user);
    if (progressFile.isEmpty() || !isSafeUserName(user->Name()))
        return QStringLiteral("AnonSnd.wav");
    return courseFolderOf(progressFile) + ownName;
}

int recordingEntry(const QString &learnerName, const QString &fileName)
{
    const qsizetype digits = fileName.size() - learnerName.size() - 4; // before ".wav"
    if (digits <= 0 || !fileName.startsWith(learnerName))
        return 0;
    bool isNumber = false;
    const int entry = fileName.mid(learnerName.size(), digits).toInt(&isNumber);
    return isNumber && entry > 0 ? entry : 0;
}

QString recordingToPlayBack(const Catalogue &catalogue, const ProgressState *progress, int entryNumber)
{
    if (!progress)
        return {};
    // Entry 0 is always a heading, so the walk ends; an entry number past the catalogue
    // starts at its last entry.
    for (qsizetype k = std::min<qsizetype>(entryNumber, catalogue.size()) - 1; k > 0; --k) {
        const quint8 kind = catalogue[k].ExerciseKind;
        if (kind == KindHeading)
            return {};
        if (keepsRecording(kind)) {
            const ProgressRecord *record = progress->record(int(k));
            return record ? record->SoundFile() : QString();
        }
    }
    return {};
}

MultipleChoiceVerdict judgeMultipleChoice(int questions, int errors)
{
    const QString count = QStringLiteral("Ошибок: ") + QString::number(errors);
    // With no questions there is nothing to divide by: no errors, score 0.
    const qint32 score = questions > 0 ? qint32(double(errors) * 100.0 / double(questions)) : 0;
    // Real arithmetic: with 3 questions one error (1 > 0.9) is already too many.
    if (double(errors) > double(questions) * 30.0 / 100.0) {
        return {count + QStringLiteral(". Вы не в достаточной мере поняли содержание текста. "
                                       "Попробуйте прослушать текст еще раз."),
                false, score};
    }
    return {count + QStringLiteral(".") + QStringLiteral(" Рекомендуется отметить упражнение как выполненное"), true,
            score};
}

bool runWithEndDialog(const std::function<int()> &runWindow, const std::function<EndDialogSetup()> &afterRun,
                      const std::function<int(const EndDialogSetup &)> &showDialog)
{
    for (;;) {
        if (runWindow() != 0)
            return false;
        const int choice = showDialog(afterRun());
        if (choice == mrOk)
            return true;
        if (choice != mrRetry)
            return false;
    }
}
