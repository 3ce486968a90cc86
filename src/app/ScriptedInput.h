#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// With --trace-windows the program also takes input from a script on its standard input,
// one command a line, and hands it to the window that has the keyboard focus:
//   key <key sequence>   a key press and release ("Return", "Escape", "Alt+N", "Down")
//   text <text>          the characters typed one by one
//   click <object name>  a click on the button of that name in the active window
// A script so drives the real program through its windows, as a learner would.
class ScriptedInput : public QObject {
    Q_OBJECT
public:
    explicit ScriptedInput(QObject *parent = nullptr);

private:
    void readCommands();
    static void run(const QByteArray &line);

    QSocketNotifier *notifier_;
    QByteArray pending_;
};
