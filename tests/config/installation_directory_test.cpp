// The installation directory, read from the machine-wide setting at every use.

#include "config/InstallationDirectory.h"
#include "tests/fixtures/InstallationFolder.h"
#include "tests/fixtures/QStringPrinter.h"
#include "tests/fixtures/RecordingMessageService.h"

#include <gtest/gtest.h>

namespace {

const QString kMissingKey = QStringLiteral(
    "No se encontró la Clave HKEY_LOCAL_MACHINE\\Software\\Tandeo\\QuelmarERP2026\\Directorio");

class InstallationDirectory : public ::testing::Test {
protected:
    void SetUp() override { setApplicationTitle(QStringLiteral("Contabiliza ventas contado")); }
    RecordingMessageService messages;
};

} // namespace

TEST_F(InstallationDirectory, IsTheValueOfTheSetting) {
    InstallationFolder folder;
    EXPECT_EQ(diraplicacion(), folder.directory());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InstallationDirectory, AMissingSettingIsReportedAtEveryLookUp) {
    InstallationFolder folder(InstallationFolder::WithoutSetting);
    EXPECT_EQ(diraplicacion(), QString());
    EXPECT_EQ(diraplicacion(), QString());
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const ShownMessage& m : messages.shown) {
        EXPECT_EQ(m.kind, MessageKind::Message);
        EXPECT_EQ(m.caption, QStringLiteral("Contabiliza ventas contado"));
        EXPECT_EQ(m.text, kMissingKey);
    }
}

TEST_F(InstallationDirectory, OnlyTheFirstConfigurationFolderCounts) {
    InstallationFolder second;
    InstallationFolder first(InstallationFolder::WithoutSetting);
    // The setting lies in the second folder only.
    qputenv("XDG_CONFIG_DIRS",
            (first.configFolder() + QLatin1Char(':') + second.configFolder()).toUtf8());
    EXPECT_EQ(diraplicacion(), QString());
    EXPECT_EQ(messages.shown.size(), 1u);

    // A file of the first folder without the value: the later folder's value is not used.
    first.writeSetting("Otro=1\n");
    EXPECT_EQ(diraplicacion(), QString());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(InstallationDirectory, FollowsTheEnvironmentWithinOneProcess) {
    {
        InstallationFolder none(InstallationFolder::WithoutSetting);
        EXPECT_EQ(diraplicacion(), QString());
    }
    InstallationFolder folder;
    EXPECT_EQ(diraplicacion(), folder.directory());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(InstallationDirectory, AFileWithoutTheValueGivesTheEmptyTextQuietly) {
    InstallationFolder folder;
    folder.writeSetting("Otro=/opt\n");
    EXPECT_EQ(diraplicacion(), QString());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InstallationDirectory, AValueThatIsNoTextIsAnError) {
    InstallationFolder folder;
    folder.writeSetting("Directorio=/opt/a, /opt/b\n");
    EXPECT_THROW(diraplicacion(), ESettingsError);
    folder.writeSetting("Directorio=\"/opt/a, b\"\n");
    EXPECT_EQ(diraplicacion(), QStringLiteral("/opt/a, b"));
}

TEST(InstallationFile, JoinsDirectoryAndNameWithASlash) {
    EXPECT_EQ(installationFile(QStringLiteral("/opt/quelmar"), QStringLiteral("SERVIDORES.cfg")),
              QStringLiteral("/opt/quelmar/SERVIDORES.cfg"));
    EXPECT_EQ(installationFile(QString(), QStringLiteral("SERVIDORES.cfg")),
              QStringLiteral("/SERVIDORES.cfg"));
}
