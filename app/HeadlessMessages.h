#pragma once
// Messages with no display and nobody to answer them (a scheduler on a server):
// each is written to the standard error stream as one line, caption and text, and
// answered at once as OK.

#include "config/messages/MessageService.h"

#include <cstdio>

class HeadlessMessages final : public MessageService {
public:
    explicit HeadlessMessages(std::FILE* out = stderr) : out_(out) {}

    // "Caption: text", the text's line breaks turned into blanks.
    static QString line(const ShownMessage& message);

protected:
    bool present(const ShownMessage& message) override;

private:
    std::FILE* out_;
};
