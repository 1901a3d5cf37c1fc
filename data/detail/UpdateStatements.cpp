#include "data/detail/UpdateStatements.h"

#include "data/DatabaseError.h"

namespace detail {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Every column may be written: no key information is read, and columns computed
// by the server (no table behind them) or of no known type are left out.
bool passesUpdateRule(const ColumnDesc& c) {
    return !c.readOnly && c.type != FieldType::Unknown;
}

// Columns that can identify a row in the WHERE: no blobs, nothing of 8 KB or more.
bool passesWhereRule(const ColumnDesc& c) {
    return !c.readOnly && c.type != FieldType::Unknown && c.type != FieldType::Blob && c.length < 8192;
}

QString quoted(const QString& name, const QString& q) { return q + name + q; }

void addWhere(QStringList& lines, const UpdateEntry& entry, const RowLayout& layout, const QString& q) {
    QStringList where;
    for (int c = 0; c < layout.columnCount(); ++c) {
        const ColumnDesc& col = layout.columns()[std::size_t(c)];
        if (!passesWhereRule(col))
            continue;
        const Value& old = entry.oldValues[std::size_t(c)];
        if (old.isNull() || old.isUnset()) {
            where << QLatin1Char(' ') + quoted(col.name, q) + QStringLiteral(" is null and");
        } else {
            where << QLatin1Char(' ') + quoted(col.name, q) + QStringLiteral(" = ? and");
        }
    }
    if (where.isEmpty())
        throw EDatabaseError(QStringLiteral("Unable to find record.  No key specified"));
    where.back().chop(4); // the last " and"
    lines << QStringLiteral("where") << where;
}

} // namespace

std::string rowShape(const UpdateEntry& entry, const RowLayout& layout) {
    std::string shape(std::size_t(layout.columnCount()) + 1, '-');
    shape[0] = char('0' + int(entry.kind));
    for (int c = 0; c < layout.columnCount(); ++c) {
        const ColumnDesc& col = layout.columns()[std::size_t(c)];
        char& code = shape[std::size_t(c) + 1];
        if (entry.kind != UpdateKind::ukDelete) {
            const Value& v = entry.newValues[std::size_t(c)];
            if (!v.isUnset() && passesUpdateRule(col))
                code = 's'; // set
        }
        if (entry.kind != UpdateKind::ukInsert && passesWhereRule(col)) {
            const Value& old = entry.oldValues[std::size_t(c)];
            code = code == 's' ? (old.isNull() || old.isUnset() ? 'N' : 'V') : (old.isNull() || old.isUnset() ? 'n' : 'v');
        }
    }
    return shape;
}

std::vector<SqlParam> rowParams(const UpdateEntry& entry, const RowLayout& layout) {
    std::vector<SqlParam> params;
    params.reserve(std::size_t(layout.columnCount()) * 2);
    if (entry.kind != UpdateKind::ukDelete)
        for (int c = 0; c < layout.columnCount(); ++c) {
            const ColumnDesc& col = layout.columns()[std::size_t(c)];
            const Value& v = entry.newValues[std::size_t(c)];
            if (!v.isUnset() && passesUpdateRule(col))
                params.push_back({col.type, v});
        }
    if (entry.kind != UpdateKind::ukInsert)
        for (int c = 0; c < layout.columnCount(); ++c) {
            const ColumnDesc& col = layout.columns()[std::size_t(c)];
            const Value& old = entry.oldValues[std::size_t(c)];
            if (passesWhereRule(col) && !old.isNull() && !old.isUnset())
                params.push_back({col.type, old});
        }
    return params;
}

RowStatement buildRowStatement(const UpdateEntry& entry, const RowLayout& layout, const QString& q,
                               const QString& table) {
    RowStatement s;
    QStringList lines;
    switch (entry.kind) {
    case UpdateKind::ukInsert: {
        QString names = QStringLiteral("  (");
        QString marks = QStringLiteral("  (");
        for (int c = 0; c < layout.columnCount(); ++c) {
            const ColumnDesc& col = layout.columns()[std::size_t(c)];
            const Value& v = entry.newValues[std::size_t(c)];
            if (v.isUnset() || !passesUpdateRule(col))
                continue;
            names += quoted(col.name, q) + QStringLiteral(", ");
            marks += QStringLiteral("?, ");
        }
        names.chop(2);
        marks.chop(2);
        lines << QStringLiteral("insert into %1").arg(table) << names + QLatin1Char(')') << QStringLiteral("values")
              << marks + QLatin1Char(')');
        break;
    }
    case UpdateKind::ukModify: {
        lines << QStringLiteral("update %1 %2 set").arg(table, QString());
        for (int c = 0; c < layout.columnCount(); ++c) {
            const ColumnDesc& col = layout.columns()[std::size_t(c)];
            const Value& v = entry.newValues[std::size_t(c)];
            if (v.isUnset() || !passesUpdateRule(col))
                continue;
            lines << QLatin1Char(' ') + quoted(col.name, q) + QStringLiteral(" = ?,");
        }
        if (lines.size() == 1) {
            s.empty = true;
            return s;
        }
        lines.back().chop(1); // the last ","
        addWhere(lines, entry, layout, q);
        break;
    }
    case UpdateKind::ukDelete:
        lines << QStringLiteral("delete from %1 %2").arg(table, QString());
        addWhere(lines, entry, layout, q);
        break;
    }
    for (const QString& line : lines)
        s.text += line + kLineEnd;
    return s;
}

} // namespace detail
