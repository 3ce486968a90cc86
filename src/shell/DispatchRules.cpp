#include "DispatchRules.h"

#include "controls/ModalResult.h"

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
    return user->Dir() + user->Name() + QString::number(entryNumber) + QStringLiteral(".wav");
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
