#pragma once
// The messages as modal message boxes of the window system.

#include "config/messages/MessageService.h"

class MessageBoxService final : public MessageService {
protected:
    bool present(const ShownMessage& message) override;
    void beep() override;
};
