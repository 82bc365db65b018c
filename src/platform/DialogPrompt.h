#pragma once

#include "platform/Prompt.h"

namespace platform {

// Real message boxes: application-modal, on top of every window.
class DialogPrompt : public Prompt {
  public:
    Answer show(const Message& message) override;
};

}  // namespace platform
