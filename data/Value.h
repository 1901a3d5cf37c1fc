#pragma once
// The values that travel between the database, the cached datasets and the window.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <cstdint>
#include <variant>

// A fixed-point number with 4 decimals, held as a 64-bit count of ten-thousandths.
// Money, rates and factors travel as this from the database to the screen and back,
// so that no amount is ever rounded through a binary floating-point number.
struct Currency {
    static constexpr qint64 Scale = 10000;
    qint64 units = 0;

    static constexpr Currency fromUnits(qint64 u) { return Currency{u}; }
    static constexpr Currency fromInteger(qint64 whole) { return Currency{whole * Scale}; }
    friend constexpr bool operator==(Currency a, Currency b) = default;
    friend constexpr auto operator<=>(Currency a, Currency b) = default;

    // Plain text with '.' as decimal separator and all 4 decimals ("-12.5000"),
    // the form used inside SQL text and in error messages.
    QString toPlainText() const;
};

// The kinds of column the data layer reads and writes.
enum class FieldType {
    Unknown,
    SmallInt,  // 16-bit integer
    Integer,   // 32-bit integer
    LargeInt,  // 64-bit integer
    Decimal,   // fixed point (NUMERIC/DECIMAL of any scale up to 4; held as Currency)
    Float,     // binary floating point (FLOAT, DOUBLE PRECISION)
    Date,      // calendar day
    Time,      // time of day
    DateTime,  // timestamp
    String,    // 8-bit text
    Boolean,
    Blob,      // read as bytes, never used as parameter
};

QString fieldTypeName(FieldType type);

// A field value: a value of one of the kinds above, null, or unset.
// Unset differs from null: it marks a field of a new row that was never assigned,
// which is left out of the INSERT that writes the row.
class Value {
public:
    struct Unset {
        friend bool operator==(Unset, Unset) = default;
    };
    struct Null {
        friend bool operator==(Null, Null) = default;
    };
    using Storage =
        std::variant<Unset, Null, qint64, Currency, double, QDate, QTime, QDateTime, QString, bool, QByteArray>;

    Value() : v_(Null{}) {}
    static Value unset() { return Value(std::in_place, Unset{}); }
    static Value null() { return Value(); }
    Value(int i) : v_(qint64(i)) {}
    Value(qint64 i) : v_(i) {}
    Value(Currency c) : v_(c) {}
    Value(double d) : v_(d) {}
    Value(QDate d) : v_(d) {}
    Value(QTime t) : v_(t) {}
    Value(QDateTime t) : v_(std::move(t)) {}
    Value(QString s) : v_(std::move(s)) {}
    Value(bool b) : v_(b) {}
    Value(QByteArray bytes) : v_(std::move(bytes)) {}

    bool isUnset() const { return std::holds_alternative<Unset>(v_); }
    bool isNull() const { return std::holds_alternative<Null>(v_); }
    // A value or null: what an INSERT includes.
    bool isSet() const { return !isUnset(); }

    template <typename T> bool holds() const { return std::holds_alternative<T>(v_); }
    template <typename T> const T& get() const { return std::get<T>(v_); }
    const Storage& storage() const { return v_; }

    friend bool operator==(const Value& a, const Value& b) { return a.v_ == b.v_; }

    // A readable form for messages and tests ("null", "unset", "19.0000", "2026-05-23").
    QString debugText() const;

private:
    Value(std::in_place_t, Storage s) : v_(std::move(s)) {}
    Storage v_;
};
