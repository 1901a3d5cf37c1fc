// --help, -h and --version: answered before anything else, only as the only
// argument; and the icon the program shows in its window.

#include "app/CommandLineHelp.h"
#include "app/Tfvestacol.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Answer {
    std::optional<int> status;
    std::string printed;
};

Answer answer(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "contabiliza-contado");
    std::FILE* out = std::tmpfile();
    const std::optional<int> status = answerInformationalArguments(int(arguments.size()), arguments.data(), out);
    std::rewind(out);
    std::string printed;
    for (int c; (c = std::fgetc(out)) != EOF;) printed += char(c);
    std::fclose(out);
    return {status, printed};
}

TEST(CommandLineHelpTest, HelpAndVersionAloneAreAnsweredWithStatusZero) {
    const Answer help = answer({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.printed, usageText());
    EXPECT_EQ(answer({"-h"}).printed, usageText());
    const Answer version = answer({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.printed, "contabiliza-contado " QUELMAR_VERSION "\n");
}

TEST(CommandLineHelpTest, EveryOtherCommandLineGoesOnAsUsual) {
    for (const auto& arguments : std::vector<std::vector<const char*>>{
             {},
             {"--help", "extra"},
             {"--version", "--help"},
             {"/srv/quelmar", "--help", "-", "07"},
             {"--helpme"},
             {"-help"},
             {"--VERSION"},
             {""},
         }) {
        const Answer a = answer(arguments);
        EXPECT_FALSE(a.status.has_value()) << arguments.size() << " arguments";
        EXPECT_TRUE(a.printed.empty());
    }
}

TEST(CommandLineHelpTest, AnAnswerThatCannotBeWrittenIsNoSuccess) {
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    const char* arguments[] = {"contabiliza-contado", "--help"};
    EXPECT_EQ(answerInformationalArguments(2, arguments, full), 2);
    std::fclose(full);
}

TEST(CommandLineHelpTest, TheHelpDescribesTheCommandLineAScriptNeeds) {
    const std::string help = usageText();
    for (const char* text : {"SERVIDOR USUARIO CLAVE COMPAÑÍA", "\"-\"", "entrada estándar", "SERVIDORES.cfg",
                             "ERRORES.TXT", "XDG_CONFIG_DIRS", "Tandeo/QuelmarERP2026.conf", "--version"})
        EXPECT_NE(help.find(text), std::string::npos) << text;
    for (const char* status : {"\n  0  ", "\n  1  ", "\n  2  ", "\n  3  "})
        EXPECT_NE(help.find(status), std::string::npos) << "exit status" << status;
    // A terminal of 80 columns shows every line whole.
    for (size_t start = 0, end; (end = help.find('\n', start)) != std::string::npos; start = end + 1)
        EXPECT_LE(QString::fromUtf8(help.substr(start, end - start)).size(), 80) << help.substr(start, end - start);
}

// The program itself answers without a display: one that cannot be reached would
// make creating the window fail, so a clean answer shows that none was made.
TEST(CommandLineHelpTest, TheProgramAnswersWithoutOpeningAWindow) {
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("--version")}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":93"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUELMAR_PROGRAM), {option});
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(30000)) << option.toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << option.toStdString();
        EXPECT_TRUE(p.readAllStandardError().isEmpty()) << option.toStdString();
        const QByteArray printed = p.readAllStandardOutput();
        EXPECT_EQ(printed, option == QStringLiteral("--version") ? QByteArray(versionLine()) : QByteArray(usageText()));
    }
}

TEST(WindowIconTest, TheWindowShowsTheProgramsDrawing) {
    const QImage drawn = QGuiApplication::windowIcon().pixmap(48, 48).toImage();
    ASSERT_FALSE(drawn.isNull()) << "no icon, or no SVG icon engine";
    // Drawn, not blank: the ledger's green and the coins' gold are both there.
    bool green = false, gold = false;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor c = drawn.pixelColor(x, y);
            if (c.alpha() < 200) continue;
            green = green || (c.green() > c.red() + 40 && c.green() > c.blue());
            gold = gold || (c.red() > 200 && c.green() > 150 && c.blue() < 130);
        }
    EXPECT_TRUE(green);
    EXPECT_TRUE(gold);
    const QPointer<Tfvestacol> window = new Tfvestacol;
    EXPECT_EQ(window->windowIcon().cacheKey(), QGuiApplication::windowIcon().cacheKey());
    delete window;
}

} // namespace
