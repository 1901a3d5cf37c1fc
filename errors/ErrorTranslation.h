#pragma once
// Spanish sentences for the database errors of known kinds.

#include <QString>

class TClientDataSet;

// The table word of a provider: its source's name without the first character
// ("TAjuste" gives "Ajuste").
QString tableWord(const QString& sourceName);

// A row refused while changes were applied: the server's key violations, read at
// characters 19 to 38 of the message (right after "SQL Server Error: ").
QString translateProviderError(const QString& message, const QString& tableWord);

// An error while a row was posted, edited or deleted in a cached dataset: deleting a
// master row with details, required fields left empty (named, in field order), and
// a duplicate key of the dataset's current index (it has none).
QString translateDataSetError(const QString& message, const TClientDataSet& dataSet);

// An error with neither dataset nor provider (a connection error): a sentence for the
// client's own errors, the message with a Spanish lead-in for the rest.
QString translateConnectionError(const QString& message);
