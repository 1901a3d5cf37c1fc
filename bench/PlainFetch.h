#pragma once
// The baseline every fetch is measured against: a plain loop over the Firebird
// client that fetches each row straight into a packet buffer laid out by the
// statement's own output metadata. No layer of this system is involved.

#include <QString>

#include <cstddef>
#include <vector>

// Opens the database embedded, runs the query and appends every row's bytes to
// the packet; returns the number of rows.
std::size_t plainFetch(const QString& databasePath, const QString& sql, std::vector<std::byte>& packet);
