#pragma once
// The input message of a prepared statement: its "?" parameters written into one
// buffer laid out by metadata built from the parameters' own types. Private to the
// data layer.

#include "data/SqlParam.h"
#include "data/detail/ConnectionState.h"

#include <map>
#include <vector>

namespace detail {

class InputMessage {
public:
    InputMessage() = default;
    InputMessage(const InputMessage&) = delete;
    InputMessage& operator=(const InputMessage&) = delete;

    // Writes the parameters for the statement; the statement's own input metadata
    // tells how many it takes and the type of a null one.
    void bind(ConnectionState& st, Firebird::IStatement* statement, const std::vector<SqlParam>& params);

    Firebird::IMessageMetadata* metadata() const { return current_; }
    unsigned char* buffer() { return buffer_.empty() ? nullptr : buffer_.data(); }

    // Lets go of the metadata (before the connection detaches).
    void reset();

private:
    struct Slot {
        unsigned sqlType; // without the nullable bit
        int scale;
        unsigned length;
        friend auto operator<=>(const Slot&, const Slot&) = default;
    };
    Firebird::IMessageMetadata* metadataFor(ConnectionState& st, Firebird::IMessageMetadata* server,
                                            const std::vector<Slot>& types);

    Metadata serverMeta_;
    // Built metadata per parameter-type signature, so a statement run many times with
    // parameters of the same types builds it once.
    std::map<std::vector<Slot>, Metadata> built_;
    Firebird::IMessageMetadata* current_ = nullptr;
    std::vector<unsigned char> buffer_;
};

} // namespace detail
