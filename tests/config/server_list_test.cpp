// The server list file: how its bytes become the entries of the server selector.

#include "config/ServerList.h"
#include "tests/fixtures/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <random>

namespace {

QStringList parse(const char* bytes, qsizetype size = -1) {
    return parseServerList(size < 0 ? QByteArray(bytes) : QByteArray(bytes, size));
}

QStringList list(std::initializer_list<const char*> entries) {
    QStringList result;
    for (const char* e : entries)
        result << QString::fromLatin1(e);
    return result;
}

} // namespace

TEST(ServerList, OnlyLinesEndedByABreakAreEntries) {
    EXPECT_EQ(parse("A\r\nB\r\n"), list({"A", "B"}));
    EXPECT_EQ(parse("A\r\nB"), list({"A"}));
    EXPECT_EQ(parse("A\nB\n"), list({"A", "B"}));
    EXPECT_EQ(parse("no break at all"), QStringList());
    EXPECT_EQ(parse(""), QStringList());
}

TEST(ServerList, EmptyLinesGiveEmptyEntries) {
    EXPECT_EQ(parse("A\n\nB\n"), list({"A", "", "B"}));
    EXPECT_EQ(parse("\r\n\r\n"), list({"", ""}));
}

TEST(ServerList, TheByteAfterACarriageReturnIsDroppedUnseen) {
    EXPECT_EQ(parse("A\rXB\n"), list({"A", "B"}));
    // A CR followed by a CR: the second is taken for the LF of the pair.
    EXPECT_EQ(parse("A\r\rB\n"), list({"A", "B"}));
    // A CR as the very last byte still ends its line; nothing is read beyond the end.
    EXPECT_EQ(parse("A\r"), list({"A"}));
    // An LF followed by CR LF: two line ends.
    EXPECT_EQ(parse("A\n\r\nB\n"), list({"A", "", "B"}));
}

TEST(ServerList, BytesAreLatin1Text) {
    EXPECT_EQ(parse("servidor:/srv/compa\xf1ia\r\n"),
              QStringList{QStringLiteral("servidor:/srv/compañia")});
}

TEST(ServerList, AnEntryEndsAtANulByte) {
    EXPECT_EQ(parse("AB\0CD\nE\n", 8), list({"AB", "E"}));
}

TEST(ServerList, LongLinesAreCutAndTheNextLineIsWhole) {
    const QByteArray longLine(kServerEntryMaxLength + 40, 'x');
    const QStringList entries = parseServerList(longLine + "\r\nnext\r\n");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0], QString(kServerEntryMaxLength, QLatin1Char('x')));
    EXPECT_EQ(entries[1], QStringLiteral("next"));

    const QByteArray exact(kServerEntryMaxLength, 'y');
    EXPECT_EQ(parseServerList(exact + '\n'), QStringList{QString::fromLatin1(exact)});
}

TEST(ServerList, AMegabyteLineNeverOverrunsTheEntry) {
    const QByteArray huge(1 << 20, 'h');
    EXPECT_TRUE(parseServerList(huge).isEmpty());
    const QStringList entries = parseServerList(huge + '\n' + huge + "\r\n");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].size(), kServerEntryMaxLength);
    EXPECT_EQ(entries[1].size(), kServerEntryMaxLength);
}

// Random bytes, rich in CR, LF and NUL: whatever the file holds, the entries are
// short, hold no line break and no more of them come out than there are breaks.
TEST(ServerList, RandomBytesGiveSaneEntries) {
    std::mt19937 random(20260523);
    const char special[] = {'\r', '\n', '\0'};
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(std::uniform_int_distribution<int>(0, 2000)(random), Qt::Uninitialized);
        for (char& b : bytes)
            b = random() % 8 == 0 ? special[random() % 3] : char(random() % 256);
        const QStringList entries = parseServerList(bytes);
        ASSERT_LE(entries.size(), bytes.count('\r') + bytes.count('\n'));
        for (const QString& e : entries) {
            ASSERT_LE(e.size(), kServerEntryMaxLength);
            ASSERT_FALSE(e.contains(QLatin1Char('\r')) || e.contains(QLatin1Char('\n')) ||
                         e.contains(QChar(0)));
        }
    }
}

// Lines of ordinary text joined by LF or CR LF come back as they were written.
TEST(ServerList, WrittenLinesReadBack) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        QStringList lines;
        QByteArray bytes;
        const int count = int(random() % 12);
        for (int i = 0; i < count; ++i) {
            QByteArray line(std::uniform_int_distribution<int>(0, 300)(random), Qt::Uninitialized);
            for (char& c : line)
                c = char(32 + random() % 95);
            lines << QString::fromLatin1(line.left(kServerEntryMaxLength));
            bytes += line + (random() % 2 ? "\r\n" : "\n");
        }
        ASSERT_EQ(parseServerList(bytes), lines);
    }
}

TEST(ServerList, FilesThatCannotBeReadGiveNoEntries) {
    QTemporaryDir dir;
    EXPECT_TRUE(readServerList(dir.path() + QStringLiteral("/SERVIDORES.cfg")).isEmpty());
    EXPECT_TRUE(readServerList(dir.path()).isEmpty());

    QFile file(dir.path() + QStringLiteral("/SERVIDORES.cfg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("srv1:/q\r\nsrv2/3050:/q\r\n");
    file.close();
    EXPECT_EQ(readServerList(file.fileName()), list({"srv1:/q", "srv2/3050:/q"}));
}
