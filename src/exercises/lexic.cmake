# Shared answer dialogs and the vocabulary exercises.
set(EXERCISES_LEXIC_SOURCES
  ExerciseRoutines.h
  SharedDialogs.h
  SharedDialogs.cpp
  ExerciseWindowParts.cpp
  FormExecLexic.cpp
  FormExecLexicDemo.cpp
  LexicDrill.cpp
  LexicPresentation.cpp
  LexicWindowParts.cpp
  VocabularyFiles.cpp
)
