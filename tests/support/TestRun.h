#pragma once

#include <QTemporaryDir>
#include <memory>

#include "platform/Instance.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "startup/Run.h"
#include "support/Desktop.h"

namespace test {

// A whole run on a built-in desktop with recording seams.
struct TestRun {
    explicit TestRun(std::unique_ptr<office::Host> h)
        : host(std::move(h)),
          instance(lockFolder.path()),
          services{*host, prompt, shell, instance, platform::OutputFolders{outputRoot.path()}},
          run{services, state, features, nullptr, nullptr, {}} {}

    std::unique_ptr<office::Host> host;
    platform::RecordingPrompt prompt;
    platform::RecordingShell shell;
    QTemporaryDir lockFolder;
    QTemporaryDir outputRoot;
    platform::InstanceLock instance;
    run::Services services;
    run::RunState state;
    startup::Features features;
    startup::Run run;
};

}  // namespace test
