#pragma once

#include "office/Host.h"
#include "platform/Files.h"
#include "platform/Instance.h"
#include "platform/Pacer.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"

namespace run {

// The seams a run works through; main makes the real ones, tests their recording twins.
struct Services {
    office::Host& host;
    platform::Prompt& prompt;
    platform::Shell& shell;
    platform::InstanceLock& instance;
    platform::OutputFolders folders;

    platform::Pacer& pacer() { return host.pacer(); }
};

}  // namespace run
