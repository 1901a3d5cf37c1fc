// The text forms of fields: what the grid shows, what a typed text becomes.

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "data/detail/FieldText.h"
#include "tests/fixtures/DataSetRig.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using detail::parseCurrency;

TEST(NumberText, DecimalsReadExactlyOrNotAtAll) {
    EXPECT_EQ(parseCurrency(QStringLiteral("3,5"), u","), Currency::fromUnits(35000));
    EXPECT_EQ(parseCurrency(QStringLiteral("-0.0001"), u"."), Currency::fromUnits(-1));
    EXPECT_EQ(parseCurrency(QStringLiteral("99999999999.9999"), u"."), Currency::fromUnits(999999999999999));
    EXPECT_EQ(parseCurrency(QStringLiteral(".5"), u"."), Currency::fromUnits(5000));
    EXPECT_EQ(parseCurrency(QStringLiteral("1.50000"), u"."), Currency::fromUnits(15000));
    for (const char* bad : {"", "-", ".", "1.2.3", "1,5", "+1", "1e5", "0.00001", "1 000", "--1", "12a",
                            "99999999999999999999999999"})
        EXPECT_FALSE(parseCurrency(QString::fromLatin1(bad), u".")) << bad;
    // Either separator where both are taken, but never both in one number.
    EXPECT_EQ(parseCurrency(QStringLiteral("0.75"), u".,"), Currency::fromUnits(7500));
    EXPECT_EQ(parseCurrency(QStringLiteral("0,75"), u".,"), Currency::fromUnits(7500));
    EXPECT_FALSE(parseCurrency(QStringLiteral("1.000,5"), u".,"));
    EXPECT_FALSE(parseCurrency(QStringLiteral("1,000.5"), u".,"));
}

// The shortest form: what a 40-pixel cell has room for, and still the exact value.
TEST(NumberText, DecimalsShowTheirExactValueInTheShortestForm) {
    const std::pair<qint64, const char*> forms[] = {
        {190000, "19"}, {50000, "5"}, {0, "0"}, {8000, "0,8"}, {7500, "0,75"}, {123456, "12,3456"},
        {-5000, "-0,5"}, {100000, "10"}, {1, "0,0001"}, {-123456, "-12,3456"}, {999999999999999, "99999999999,9999"},
    };
    for (const auto& [units, text] : forms) {
        EXPECT_EQ(detail::currencyText(Currency::fromUnits(units), QLatin1Char(',')), QString::fromLatin1(text));
        QString pointed = QString::fromLatin1(text);
        pointed.replace(QLatin1Char(','), QLatin1Char('.'));
        EXPECT_EQ(detail::currencyText(Currency::fromUnits(units), QLatin1Char('.')), pointed);
        EXPECT_EQ(parseCurrency(QString::fromLatin1(text), u","), Currency::fromUnits(units)) << text;
    }
}

TEST(DateTextForms, ReadBackInTheFormatsOrder) {
    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    EXPECT_EQ(parseDateText(QStringLiteral("6/5/2026"), dayFirst), QDate(2026, 5, 6));
    EXPECT_EQ(parseDateText(QStringLiteral("06-05-2026"), dayFirst), QDate(2026, 5, 6));
    EXPECT_FALSE(parseDateText(QStringLiteral("2026/05/06"), dayFirst).isValid());
    EXPECT_FALSE(parseDateText(QStringLiteral("31/02/2026"), dayFirst).isValid());
    EXPECT_FALSE(parseDateText(QStringLiteral("06/05"), dayFirst).isValid());
    EXPECT_FALSE(parseDateText(QStringLiteral("00/00/0000"), dayFirst).isValid());
    // A two-digit year is no year of this century, nor of the first: refused.
    EXPECT_FALSE(parseDateText(QStringLiteral("6/5/26"), dayFirst).isValid());
    EXPECT_FALSE(parseDateText(QStringLiteral("6/5/202"), dayFirst).isValid());
    EXPECT_FALSE(parseDateText(QStringLiteral("006/5/2026"), dayFirst).isValid());
    // Digits only: two, two and four in the format's order.
    EXPECT_EQ(parseDateText(QStringLiteral("06052026"), dayFirst), QDate(2026, 5, 6));
    FormatSettings yearFirst;
    yearFirst.shortDateFormat = QStringLiteral("yyyy-MM-dd");
    EXPECT_EQ(parseDateText(QStringLiteral("20260506"), yearFirst), QDate(2026, 5, 6));
    EXPECT_EQ(parseDateText(QStringLiteral("2026-5-6"), yearFirst), QDate(2026, 5, 6));
    EXPECT_FALSE(parseDateText(QStringLiteral("6052026"), dayFirst).isValid());
    EXPECT_FALSE(parseDateText(QStringLiteral("31022026"), dayFirst).isValid());
    EXPECT_EQ(SqlQuoted(QStringLiteral("it's")), QStringLiteral("'it''s'"));
}

TEST(DateTextForms, FormatsWithNamesOrShortYearsBecomeNumericAndFull) {
    FormatSettings named;
    named.shortDateFormat = QStringLiteral("d MMM yyyy"); // what the C locale writes
    FormatSettings::setCurrent(named);
    EXPECT_EQ(FormatSettings::current().shortDateFormat, QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(parseDateText(DateText(QDate(2026, 12, 8))), QDate(2026, 12, 8));
    FormatSettings american;
    american.shortDateFormat = QStringLiteral("M/d/yy");
    FormatSettings::setCurrent(american);
    EXPECT_EQ(DateText(QDate(2026, 12, 8)), QStringLiteral("12/8/2026"));
    EXPECT_EQ(parseDateText(QStringLiteral("12/8/2026")), QDate(2026, 12, 8));
    FormatSettings::setCurrent(FormatSettings{});
}

class FieldForms : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings s;
        s.shortDateFormat = QStringLiteral("dd/MM/yyyy");
        s.decimalSeparator = QLatin1Char(',');
        FormatSettings::setCurrent(s);
        rig.addAdjustment(1, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
        ds.Open();
        ds.Edit();
    }
    void TearDown() override { FormatSettings::setCurrent(FormatSettings{}); }
    TField& f(const char* name) { return ds.FieldByName(QString::fromLatin1(name)); }
    DataSetRig rig;
    TClientDataSet& ds = rig.adjustments();
};

TEST_F(FieldForms, ShownInTheWorkstationsFormats) {
    EXPECT_EQ(f("AJCI_FECINI").DisplayText(), QStringLiteral("23/05/2026"));
    EXPECT_EQ(f("AJCI_PORC").DisplayText(), QStringLiteral("19"));
    EXPECT_EQ(f("AJCI_FACTOR").DisplayText(), QStringLiteral("0,8"));
    EXPECT_EQ(f("AJCI_FACTOR").EditText(), QStringLiteral("0,8"));
    // The plain value, as the find dialog compares it without the shown format.
    EXPECT_EQ(f("AJCI_FACTOR").AsString(), QStringLiteral("0.8"));
    EXPECT_EQ(f("AJCI_PREFNO").DisplayText(), QString());
    EXPECT_EQ(f("AJCI_PORC").Alignment(), Qt::AlignRight);
    EXPECT_EQ(f("AJCI_FECINI").Alignment(), Qt::AlignLeft);
    EXPECT_EQ(f("AJCI_PORC").displayName(), QStringLiteral("Porc"));
    EXPECT_EQ(f("AJCI_ID").displayName(), QStringLiteral("AJCI_ID"));
    EXPECT_EQ(f("AJCI_ID").Name, QStringLiteral("CAjusteAJCI_ID"));
}

TEST_F(FieldForms, EditedTextIsParsedOrRefusedWithoutChange) {
    f("AJCI_FACTOR").setEditText(QStringLiteral("0,75"));
    EXPECT_EQ(f("AJCI_FACTOR").AsCurrency(), Currency::fromUnits(7500));
    // A pasted point reads as the decimal separator too: no grouping is ever shown.
    f("AJCI_FACTOR").setEditText(QStringLiteral("0.85"));
    EXPECT_EQ(f("AJCI_FACTOR").AsCurrency(), Currency::fromUnits(8500));
    EXPECT_THROW(f("AJCI_FACTOR").setEditText(QStringLiteral("1.000,5")), EDatabaseError);
    EXPECT_THROW(f("AJCI_FACTOR").setEditText(QStringLiteral("123456789012,5")), EDatabaseError); // out of range
    EXPECT_EQ(f("AJCI_FACTOR").AsCurrency(), Currency::fromUnits(8500));

    f("AJCI_FECFIN").setEditText(QStringLiteral("1/6/2026"));
    EXPECT_EQ(f("AJCI_FECFIN").AsDateTime().date(), QDate(2026, 6, 1));
    try {
        f("AJCI_FECFIN").setEditText(QStringLiteral("2026/06/01"));
        ADD_FAILURE() << "a year-first text was taken";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'2026/06/01' is not a valid date"));
    }
    f("AJCI_FECFIN").setEditText(QString());
    EXPECT_TRUE(f("AJCI_FECFIN").IsNull());

    EXPECT_THROW(f("AJCI_ID").setEditText(QStringLiteral("99999999999")), EDatabaseError);
    f("AJCI_PREFNO").setAsString(QStringLiteral("ABCDE"));
    EXPECT_EQ(f("AJCI_PREFNO").AsString(), QStringLiteral("ABCD"));
    f("AJCI_FECINI").setAsDateTime(QDateTime(QDate(2026, 7, 1), QTime(13, 45)));
    EXPECT_EQ(f("AJCI_FECINI").AsDateTime(), QDateTime(QDate(2026, 7, 1), QTime(0, 0)));
}

TEST_F(FieldForms, TypedCharactersAreCheckedPerType) {
    EXPECT_TRUE(f("AJCI_PORC").IsValidChar(QLatin1Char('7')));
    EXPECT_TRUE(f("AJCI_PORC").IsValidChar(QLatin1Char(',')));
    EXPECT_TRUE(f("AJCI_PORC").IsValidChar(QLatin1Char('-')));
    EXPECT_FALSE(f("AJCI_PORC").IsValidChar(QLatin1Char('a')));
    EXPECT_FALSE(f("AJCI_PORC").IsValidChar(QLatin1Char('.')));
    EXPECT_FALSE(f("AJCI_ID").IsValidChar(QLatin1Char(',')));
    EXPECT_TRUE(f("AJCI_FECINI").IsValidChar(QLatin1Char('/')));
    EXPECT_FALSE(f("AJCI_FECINI").IsValidChar(QLatin1Char('x')));
    EXPECT_TRUE(f("AJCI_PREFNO").IsValidChar(QLatin1Char('x')));
}

} // namespace
