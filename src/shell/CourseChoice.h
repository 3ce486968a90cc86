#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The folders where the program looks for a course and keeps its own files for one user.
struct CoursePlaces {
    QString settingsFile;       // remembers the last course opened
    QString dataFolder;         // the user's data folder of the program
    QStringList installedSamples; // where the installed sample course may be, in order

    // The user's places: the XDG config and data folders of "vestoria" and the sample
    // installed beside the program (share/vestoria/course), or the one a build tree holds.
    static CoursePlaces forUser(const QString &programFolder);

    // The learner's own copy of the sample course inside dataFolder.
    QString sampleCopy() const;
};

// Which course folder a start opens. In order: the folder given on the command line, the
// working directory when it holds a course, the last course opened, and else the learner's
// own copy of the installed sample, copied once on the first start and never overwritten.
// The installed sample itself is never opened, so learners' files are not written there.
class CourseChoice {
public:
    enum class Source { Given, WorkingDirectory, Remembered, SampleCopy };
    enum class Problem {
        None,
        GivenMissing,     // the given folder does not exist
        GivenNotACourse,  // it has no catalogues
        NoCourse,         // nothing given, remembered or installed
        SampleCopyFailed, // the sample could not be copied to the data folder
    };

    struct Result {
        Problem problem = Problem::None;
        QString folder; // absolute; for a problem, the folder it is about
        Source source = Source::SampleCopy;
        bool readOnly = false;
        QString detail; // what failed, for SampleCopyFailed; the missing catalogues otherwise
    };

    explicit CourseChoice(CoursePlaces places);

    // Chooses and remembers the course; `givenFolder` is empty when none was given.
    // Creates nothing in a given folder and nothing anywhere when it fails.
    Result choose(const QString &givenFolder, const QString &workingDirectory);

    // The catalogue files a course folder lacks (names matched without regard to case).
    static QStringList missingCatalogues(const QString &folder);

    // Tests replace the writability test: a privileged user may write anywhere.
    void setWritableTest(std::function<bool(const QString &folder)> test) { writable_ = std::move(test); }

    // The message for a problem in Russian and in English, one line each.
    static QString russianText(const Result &result);
    static QString englishText(const Result &result);
    // The notice that a course opens read-only and keeps no progress.
    static QString readOnlyNotice(const QString &folder);

private:
    QString rememberedCourse() const;
    void remember(const QString &folder) const;
    void forget() const;
    Result openSampleCopy();
    Result opened(const QString &folder, Source source) const;

    CoursePlaces places_;
    std::function<bool(const QString &)> writable_;
};
