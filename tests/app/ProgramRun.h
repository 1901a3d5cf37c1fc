#pragma once
// The program itself, started as a scheduler on a machine without a display starts
// it: no DISPLAY, standard input as given, and a time limit on every run.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

struct ProgramOutcome {
    int status = -1;  // -1: killed at the time limit
    QString errors;   // standard error
    qint64 elapsedMs = 0;
};

class ProgramRun {
public:
    // Starts the program with the arguments; `input` goes to its standard input,
    // which is then closed. Extra environment entries are set on top of the test's.
    ProgramRun(const QStringList& arguments, const QByteArray& input = {},
               const QProcessEnvironment& extra = QProcessEnvironment());
    ~ProgramRun();

    qint64 pid() const { return process_->processId(); }
    bool running() const { return process_->state() == QProcess::Running; }
    // The process's argument list as other local users see it (/proc/PID/cmdline),
    // one entry per NUL-ended argument.
    QList<QByteArray> visibleArguments() const;
    void signal(int signalNumber) const;
    // Waits until the program ends (killing it after `limitMs`).
    ProgramOutcome finish(int limitMs = 90000);
    // Waits until standard error holds `text` or the program ends.
    bool waitForErrorText(const QString& text, int limitMs);

private:
    std::unique_ptr<QProcess> process_;
    qint64 startedMs_ = 0;
    QByteArray errors_;
};

// Runs the program to its end.
ProgramOutcome runProgram(const QStringList& arguments, const QByteArray& input = {},
                          const QProcessEnvironment& extra = QProcessEnvironment(), int limitMs = 90000);
