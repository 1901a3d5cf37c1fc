#include "tests/app/ProgramRun.h"

#include <QDateTime>
#include <QFile>

#include <csignal>

namespace {
qint64 nowMs() { return QDateTime::currentMSecsSinceEpoch(); }
} // namespace

ProgramRun::ProgramRun(const QStringList& arguments, const QByteArray& input, const QProcessEnvironment& extra)
    : process_(std::make_unique<QProcess>()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program must find out by itself
    for (const QString& name : extra.keys())
        env.insert(name, extra.value(name));
    process_->setProcessEnvironment(env);
    startedMs_ = nowMs();
    process_->start(QStringLiteral(QUELMAR_PROGRAM), arguments);
    process_->waitForStarted(10000);
    if (!input.isEmpty())
        process_->write(input);
    process_->closeWriteChannel();
}

ProgramRun::~ProgramRun() {
    if (running()) {
        process_->kill();
        process_->waitForFinished(10000);
    }
}

QList<QByteArray> ProgramRun::visibleArguments() const {
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray all = file.readAll();
    QList<QByteArray> arguments;
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] == '\0') {
            arguments << all.mid(start, i - start);
            start = i + 1;
        }
    }
    if (start < all.size())
        arguments << all.mid(start);
    return arguments;
}

void ProgramRun::signal(int signalNumber) const { ::kill(pid_t(pid()), signalNumber); }

bool ProgramRun::waitForErrorText(const QString& text, int limitMs) {
    const qint64 deadline = nowMs() + limitMs;
    while (nowMs() < deadline) {
        errors_ += process_->readAllStandardError();
        if (QString::fromUtf8(errors_).contains(text))
            return true;
        if (!running())
            return false;
        process_->waitForReadyRead(100);
    }
    return false;
}

ProgramOutcome ProgramRun::finish(int limitMs) {
    ProgramOutcome outcome;
    if (!process_->waitForFinished(limitMs) && running()) {
        process_->kill();
        process_->waitForFinished(10000);
        outcome.status = -1;
    } else {
        outcome.status = process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
    }
    outcome.elapsedMs = nowMs() - startedMs_;
    errors_ += process_->readAllStandardError();
    outcome.errors = QString::fromUtf8(errors_);
    return outcome;
}

ProgramOutcome runProgram(const QStringList& arguments, const QByteArray& input, const QProcessEnvironment& extra,
                          int limitMs) {
    return ProgramRun(arguments, input, extra).finish(limitMs);
}
