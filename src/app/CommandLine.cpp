#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

const QString ProgramName = QStringLiteral("vestoria");

// Qt's own options, which the application object takes off the command line later. The
// parser must know them, or "-platform offscreen" would be an unknown option.
void addQtOptions(QCommandLineParser &parser)
{
    const char *withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                               "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "session", "display",
                               "name", "style", "stylesheet", "qmljsdebugger", "visual"};
    const char *flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Показать эту справку.\nShow this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Показать версию программы.\nShow the program's version.")};
    QCommandLineOption course{
        QStringLiteral("course"),
        QStringLiteral("Открыть курс в папке <folder>; там же хранятся учащиеся и их успехи.\n"
                       "Open the course in <folder>, which also keeps the learners and their progress."),
        QStringLiteral("folder")};
    QCommandLineOption noIntro{QStringLiteral("no-intro"),
                               QStringLiteral("Не показывать заставку.\nDo not show the intro.")};
    QCommandLineOption checkCourse{
        QStringLiteral("check-course"),
        QStringLiteral("Проверить курс в папке <folder> без окна: строка «файл:строка: сообщение» на "
                       "каждую ошибку; код выхода 0 — ошибок нет (предупреждения не в счёт), 1 — есть, "
                       "2 — проверка невозможна.\n"
                       "Check the course in <folder> without a window: one \"file:line: message\" line per "
                       "problem; exit status 0 when there is none (warnings do not count), 1 when there are "
                       "some, 2 when the check cannot run."),
        QStringLiteral("folder")};
    // Each takes two files; the second is the next argument.
    QCommandLineOption makeTiming{
        QStringLiteral("make-timing"),
        QStringLiteral("Без окна составить тайминг текста <text> (cp1251, фраза в строке) по его записи <sound> (WAV) "
                       "и вывести его; код выхода 1, если файл не читается.\n"
                       "Make the timing file of the text <text> (cp1251, a syntagm a line) from its recording <sound> "
                       "(WAV) without a window and print it; exit status 1 when a file cannot be read."),
        QStringLiteral("text> <sound")};
    QCommandLineOption importTiming{
        QStringLiteral("import-timing"),
        QStringLiteral("Перевести в тайминг текста <text> метки Audacity, субтитры SRT или WebVTT или карту "
                       "синхронизации aeneas (JSON) из <file>; код выхода 1, если число меток не совпадает с "
                       "числом фраз.\n"
                       "Convert Audacity labels, SRT or WebVTT subtitles or an aeneas JSON sync map in <file> into "
                       "the timing file of the text <text>; exit status 1 when the counts differ."),
        QStringLiteral("file> <text")};
    QCommandLineOption out{
        QStringLiteral("out"),
        QStringLiteral("С --make-timing или --import-timing: записать тайминг в <file>, а не на стандартный вывод.\n"
                       "With --make-timing or --import-timing: write the timing to <file> instead of standard output."),
        QStringLiteral("file")};
    QCommandLineOption classReport{
        QStringLiteral("class-report"),
        QStringLiteral("Вывести успехи всех учеников курса в папке <folder> в формате CSV без окна: строка на "
                       "ученика, столбец на упражнение его режима.\n"
                       "Print the progress of every learner of the course in <folder> as CSV, without a window: "
                       "a row per learner, a column per exercise of the learner's mode."),
        QStringLiteral("folder")};
    QCommandLineOption html{QStringLiteral("html"),
                            QStringLiteral("С --class-report: записать тот же отчет для печати в <file> (HTML).\n"
                                           "With --class-report: also write the report as a printable page to "
                                           "<file> (HTML)."),
                            QStringLiteral("file")};
    QCommandLineOption traceWindows{
        QStringLiteral("trace-windows"),
        QStringLiteral("Печатать «shown <окно>», когда появляется окно, и «saved <файл>», когда сохранена "
                       "работа; принимать команды key, text, click со стандартного ввода (для сценариев и тестов).\n"
                       "Print \"shown <window>\" as each window appears and \"saved <file>\" as work is saved; "
                       "take key, text and click commands on standard input (for scripts and tests).")};
};

void setUp(QCommandLineParser &parser, const Options &options)
{
    // Qt's options are single-dash words ("-platform"), so ours are read the same way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Вестория — курс разговорного английского языка.\n"
        "Без --course открывается курс рабочей папки, если он там есть, иначе\n"
        "последний открытый курс, иначе своя копия учебного курса в\n"
        "~/.local/share/vestoria/sample-course.\n"
        "\n"
        "Vestoria, a course of spoken English.\n"
        "Without --course it opens the course in the working directory when there is\n"
        "one, else the last course opened, else the learner's own copy of the sample\n"
        "course in ~/.local/share/vestoria/sample-course."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addOption(options.course);
    parser.addOption(options.noIntro);
    parser.addOption(options.checkCourse);
    parser.addOption(options.makeTiming);
    parser.addOption(options.importTiming);
    parser.addOption(options.out);
    parser.addOption(options.classReport);
    parser.addOption(options.html);
    parser.addOption(options.traceWindows);
    addQtOptions(parser);
}

// A mistake is told in Russian, then in English, as the help is.
QString mistake(const QString &russian, const QString &english)
{
    return russian + u'\n' + english;
}

// Ends the reading of the command line with a mistake.
void fail(CommandLine &line, const QString &russian, const QString &english)
{
    line.action = CommandLine::Action::Fail;
    line.errorText = mistake(russian, english);
}

// The parser's own mistakes: an unknown option, or an option without its value.
QString parserMistake(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return mistake(QStringLiteral("Неизвестный параметр «%1».").arg(name),
                       QStringLiteral("Unknown option '%1'.").arg(name));
    }
    const QString english = parser.errorText();
    const QString name = english.section(u'\'', 1, 1);
    if (name.isEmpty())
        return english;
    return mistake(QStringLiteral("После «%1» нужно значение.").arg(name), english);
}

// "--make-timing TEXT SOUND" or "--import-timing FILE TEXT", with "--out FILE" or without.
void readTimingCommand(const QCommandLineParser &parser, const Options &options, CommandLine &line)
{
    const bool make = parser.isSet(options.makeTiming);
    if (make && parser.isSet(options.importTiming))
        return fail(line, QStringLiteral("--make-timing и --import-timing нельзя указывать вместе."),
                    QStringLiteral("--make-timing and --import-timing cannot be given together."));
    const QString first = parser.value(make ? options.makeTiming : options.importTiming);
    const QString second = parser.positionalArguments().value(0);
    if (parser.isSet(options.out) && parser.value(options.out).isEmpty())
        return fail(line, QStringLiteral("Для --out нужен файл."), QStringLiteral("--out needs a file."));
    if ((first.isEmpty() || second.isEmpty()) && make)
        return fail(line, QStringLiteral("Для --make-timing нужны текст и звук."),
                    QStringLiteral("--make-timing needs a text and a sound."));
    if (first.isEmpty() || second.isEmpty())
        return fail(line, QStringLiteral("Для --import-timing нужны файл с разметкой и текст."),
                    QStringLiteral("--import-timing needs a timing file and a text."));
    line.action = make ? CommandLine::Action::MakeTiming : CommandLine::Action::ImportTiming;
    line.timingText = make ? first : second;
    line.timingSound = make ? second : QString();
    line.timingImport = make ? QString() : first;
    line.timingOut = parser.value(options.out);
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    setUp(parser, options);

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.action = Action::Fail;
        line.errorText = parserMistake(parser);
        return line;
    }
    const bool timing = parser.isSet(options.makeTiming) || parser.isSet(options.importTiming);
    // A timing command's second file is the one argument that stands on its own.
    if (parser.positionalArguments().size() > (timing ? 1 : 0)) {
        const QString argument = parser.positionalArguments().constLast();
        fail(line, QStringLiteral("Лишний аргумент «%1».").arg(argument),
             QStringLiteral("Unexpected argument '%1'.").arg(argument));
        return line;
    }
    for (const QCommandLineOption *once : {&options.course, &options.checkCourse, &options.makeTiming,
                                           &options.importTiming, &options.out, &options.classReport, &options.html}) {
        if (parser.values(*once).size() > 1) {
            const QString name = once->names().constFirst();
            fail(line, QStringLiteral("--%1 указан больше одного раза.").arg(name),
                 QStringLiteral("--%1 is given more than once.").arg(name));
            return line;
        }
    }
    line.courseFolder = parser.value(options.course);
    line.checkFolder = parser.value(options.checkCourse);
    line.classReportFolder = parser.value(options.classReport);
    line.htmlFile = parser.value(options.html);
    line.showIntro = !parser.isSet(options.noIntro);
    line.traceWindows = parser.isSet(options.traceWindows);
    line.platform = parser.value(QStringLiteral("platform"));
    if (parser.isSet(options.help))
        line.action = Action::ShowHelp;
    else if (parser.isSet(options.version))
        line.action = Action::ShowVersion;
    else if (timing)
        readTimingCommand(parser, options, line);
    else if (parser.isSet(options.out))
        fail(line, QStringLiteral("--out указывается вместе с --make-timing или --import-timing."),
             QStringLiteral("--out goes with --make-timing or --import-timing."));
    else if (parser.isSet(options.checkCourse))
        line.action = Action::CheckCourse;
    else if (parser.isSet(options.classReport))
        line.action = Action::ClassReport;
    else if (parser.isSet(options.course) && line.courseFolder.isEmpty())
        fail(line, QStringLiteral("Для --course нужна папка."), QStringLiteral("--course needs a folder."));
    if (line.action == Action::ClassReport && line.classReportFolder.isEmpty())
        fail(line, QStringLiteral("Для --class-report нужна папка."), QStringLiteral("--class-report needs a folder."));
    if (parser.isSet(options.html) && (line.action != Action::ClassReport || line.htmlFile.isEmpty()))
        fail(line, QStringLiteral("Для --html нужны файл и --class-report."),
             QStringLiteral("--html needs a file and --class-report."));
    if (line.action == Action::CheckCourse && line.checkFolder.isEmpty())
        fail(line, QStringLiteral("Для --check-course нужна папка."), QStringLiteral("--check-course needs a folder."));
    return line;
}

QString CommandLine::helpText()
{
    QCommandLineParser parser;
    const Options options;
    setUp(parser, options);
    // Without an application object the parser cannot know the program's name.
    return parser.helpText().replace(QStringLiteral("<executable_name>"), ProgramName);
}

QString CommandLine::versionText()
{
    return ProgramName + u' ' + QStringLiteral(VESTORIA_VERSION) + u'\n';
}
