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
                       "каждую ошибку; код выхода 0 — ошибок нет, 1 — есть, 2 — проверка невозможна.\n"
                       "Check the course in <folder> without a window: one \"file:line: message\" line per "
                       "problem; exit status 0 when there is none, 1 when there are some, 2 when the check "
                       "cannot run."),
        QStringLiteral("folder")};
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
    parser.addOption(options.classReport);
    parser.addOption(options.html);
    parser.addOption(options.traceWindows);
    addQtOptions(parser);
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
        line.errorText = parser.errorText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.action = Action::Fail;
        line.errorText = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
        return line;
    }
    for (const QCommandLineOption *once : {&options.course, &options.checkCourse, &options.classReport, &options.html}) {
        if (parser.values(*once).size() > 1) {
            line.action = Action::Fail;
            line.errorText = QStringLiteral("--%1 is given more than once.").arg(once->names().constFirst());
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
    else if (parser.isSet(options.checkCourse))
        line.action = Action::CheckCourse;
    else if (parser.isSet(options.classReport))
        line.action = Action::ClassReport;
    else if (parser.isSet(options.course) && line.courseFolder.isEmpty()) {
        line.action = Action::Fail;
        line.errorText = QStringLiteral("--course needs a folder.");
    }
    if (line.action == Action::ClassReport && line.classReportFolder.isEmpty()) {
        line.action = Action::Fail;
        line.errorText = QStringLiteral("--class-report needs a folder.");
    }
    if (parser.isSet(options.html) && (line.action != Action::ClassReport || line.htmlFile.isEmpty())) {
        line.action = Action::Fail;
        line.errorText = QStringLiteral("--html needs a file and --class-report.");
    }
    if (line.action == Action::CheckCourse && line.checkFolder.isEmpty()) {
        line.action = Action::Fail;
        line.errorText = QStringLiteral("--check-course needs a folder.");
    }
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
