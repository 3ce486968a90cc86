#pragma once

#include "CatalogueSource.h"
#include "HelpSource.h"

#include <QChar>
#include <QString>

#include <functional>
#include <vector>

// What the window of one catalogue entry offers the learner, as the program's dispatcher
// opens it for the entry's kind and mode.
struct ExerciseOffer {
    bool records = false;          // the learner's voice is recorded
    bool textShown = false;        // "Показывать текст" can be ticked
    bool translationShown = false; // "Показывать перевод" can be ticked
    bool wait = false;             // the "Подождать" button
    bool pauses = false;           // the slow recording: a pause after each syntagm to translate in
    bool ownRecording = false;     // text work: the learner's recording to play back

    bool operator==(const ExerciseOffer &) const = default;
};

// The offer of entry `index` (0-based) of the catalogue of `mode`.
ExerciseOffer offerOf(const CatalogueSource &catalogue, size_t index, QChar mode);

// A catalogue and the letter of its mode.
struct ModeCatalogue {
    QChar mode;
    const CatalogueSource *catalogue;
};

// Checks that the help and the descriptions tell the learner what each exercise really is:
// - the help topic each kind's window opens is headed with the kind's catalogue title
//   (kinds whose window opens the contents: the topic the contents link under that title);
// - the topic and the description of every listening and text-work entry promise exactly
//   what the window offers: the recording, the text or translation shown, the wait
//   button, the pause after each phrase, the learner's own recording in text work;
// - one topic serves windows that offer the same;
// - every topic has at least 40 words.
// `descriptionText` gives the text of an entry's description. Fails at the first fault.
void checkExerciseHelp(const std::vector<ModeCatalogue> &catalogues, const HelpSource &help,
                       const std::function<QString(const CatalogueLine &)> &descriptionText);

// The check above on course sources: the help "help/LRX_HELP.HLP" and the descriptions in
// "data/" of `sourceDir`. A course without that help file is not checked.
void checkCourseHelp(const QString &sourceDir, const std::vector<ModeCatalogue> &catalogues);
