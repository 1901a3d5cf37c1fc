#pragma once
// The connection's parameter list: ordered "name=value" lines, names matched
// without regard to case.

#include <QString>
#include <QStringList>

class ConnectionParams {
public:
    ConnectionParams() = default;
    explicit ConnectionParams(QStringList lines) : lines_(std::move(lines)) {}

    // The list the connection is designed with, in its order.
    static ConnectionParams designList();

    // The value of the first line whose name matches (any case); empty when absent.
    QString value(const QString& name) const;
    bool contains(const QString& name) const;
    // Replaces the whole matching line with the name as written here, "=" and the
    // value; a name not in the list is appended; an empty value removes the line.
    void setValue(const QString& name, const QString& value);

    const QStringList& lines() const { return lines_; }
    int count() const { return int(lines_.size()); }

private:
    int indexOf(const QString& name) const;
    QStringList lines_;
};
