#include "EntryCheck.h"

#include "CourseFiles.h"
#include "ListeningCheck.h"
#include "QuestionCheck.h"
#include "VocabularyCheck.h"

#include "core/FileSystem.h"

namespace {

bool isListeningKind(int kind)
{
    return kind == KindTranslateRecorded || kind == KindTextWork || kind == KindListenText || kind == KindListenOnly
           || (kind >= KindTranslateWithWait && kind <= KindTranslateShowingText);
}

} // namespace

EntryCheck::EntryCheck(CheckContext &context, const CourseState &state)
    : context_(context), state_(state)
{
}

void EntryCheck::checkDescription(const NamedAt &at, const CatalogueEntry &entry)
{
    if (entry.InfoKind != 0 && entry.InfoKind != 1)
        return; // the pane keeps what it showed
    // Description files are opened in the data folder without looking for them elsewhere.
    const QString name = state_.DataFolder + entry.InfoFile();
    if (entry.InfoFile().isEmpty()) {
        context_.report(at, QStringLiteral("не указан файл описания (InfoFile)"));
        return;
    }
    // Several entries share a description; a bad one is reported at each of them.
    if (entry.InfoKind == 1) {
        QString why;
        if (!context_.pictureLoads(name, why))
            context_.report(at, QStringLiteral("рисунок описания %1 не загружается: %2").arg(name, why));
        return;
    }
    context_.lines(name, at, QStringLiteral("файл описания"));
}

QString EntryCheck::courseFile(const NamedAt &at, const QString &role, const QString &name, bool required)
{
    if (name.isEmpty()) {
        if (required)
            context_.report(at, QStringLiteral("не указан %1").arg(role));
        return {};
    }
    const QString resolved = resolveCourseFile(state_, name);
    if (!fileExists(resolved)) {
        // Reported at every entry that names it.
        context_.report(at, QStringLiteral("нет файла %1 (%2)").arg(resolved, role));
        return {};
    }
    return resolved;
}

void EntryCheck::check(const QString &catalogue, int line, const CatalogueEntry &entry)
{
    const NamedAt at{catalogue, line};
    checkDescription(at, entry);

    const int kind = entry.ExerciseKind;
    if (kind == KindVocabularyPresentation || kind == KindVocabularyDrill) {
        VocabularyFiles files;
        files.expressions = courseFile(at, QStringLiteral("File1, выражения"), entry.File1(), true);
        files.translations = courseFile(at, QStringLiteral("File2, переводы"), entry.File2(), true);
        files.segments = courseFile(at, QStringLiteral("File4, отрезки звука"), entry.File4(), false);
        // "Play" plays the sound whenever there are segments.
        files.sound = courseFile(at, QStringLiteral("File3, звук"), entry.File3(), !entry.File4().isEmpty());
        if (files.expressions.isEmpty() || files.translations.isEmpty())
            return;
        checkVocabularyFiles(context_, at, files);
    } else if (kind == KindQuestionPresentation || kind == KindMultipleChoice) {
        QuestionFiles files;
        files.questions = courseFile(at, QStringLiteral("File1, вопросы"), entry.File1(), true);
        // The presentation does not read the answers and offers no sound.
        const bool choice = kind == KindMultipleChoice;
        files.answers = courseFile(at, QStringLiteral("File2, ответы"), entry.File2(), choice);
        if (!choice)
            files.answers.clear();
        files.segments = courseFile(at, QStringLiteral("File4, отрезки звука"), entry.File4(), false);
        files.sound = courseFile(at, QStringLiteral("File3, звук"), entry.File3(), false);
        if (files.questions.isEmpty() || (choice && files.answers.isEmpty()))
            return;
        checkQuestionFiles(context_, at, files);
    } else if (kind == KindTrueFalse) {
        StatementFiles files;
        files.statements = courseFile(at, QStringLiteral("File1, утверждения"), entry.File1(), true);
        files.second = courseFile(at, QStringLiteral("File2"), entry.File2(), true);
        files.sound = courseFile(at, QStringLiteral("File3, звук"), entry.File3(), true);
        files.segments = courseFile(at, QStringLiteral("File4, отрезки звука"), entry.File4(), true);
        if (files.statements.isEmpty() || files.second.isEmpty() || files.segments.isEmpty())
            return;
        checkStatementFiles(context_, at, files);
    } else if (isListeningKind(kind)) {
        ListeningFiles files;
        files.text = courseFile(at, QStringLiteral("File1, текст"), entry.File1(), true);
        files.translation = courseFile(at, QStringLiteral("File2, перевод"), entry.File2(), true);
        files.sound = courseFile(at, QStringLiteral("File3, звук текста"), entry.File3(), true);
        files.timing = courseFile(at, QStringLiteral("File4, тайминг"), entry.File4(), true);
        files.pictures = courseFile(at, QStringLiteral("File5, список рисунков"), entry.File5(), true);
        files.pictureFolder = state_.DataFolder;
        if (files.text.isEmpty())
            return;
        checkListeningFiles(context_, at, files);
    }
}
