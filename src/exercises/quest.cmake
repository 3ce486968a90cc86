# The question exercises.
set(EXERCISES_QUEST_SOURCES
  AnswerFile.cpp
  FormQuestDemo.cpp
  FormQuestDown.cpp
  FormQuestEnd.cpp
  FormQuestTrFl.cpp
  MultipleChoiceDrill.cpp
  QuestDraw.cpp
  QuestSegments.cpp
  QuestWindowParts.cpp
  QuestionFile.cpp
  QuestionPresentation.cpp
  StatementFile.cpp
  TrueFalseDrill.cpp
)
