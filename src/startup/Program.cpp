#include "startup/Program.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "chrome/AboutWindow.h"
#include "inventory/Items.h"
#include "mainform/Exports.h"
#include "mainform/UserformObj.h"
#include "office/Error.h"
#include "platform/DialogPrompt.h"
#include "startup/CorvaneLoad.h"
#include "startup/Dispatch.h"
#include "startup/FeatureExports.h"
#include "startup/FileFeatures.h"
#include "startup/SlideFeatures.h"
#include "startup/SplashProgress.h"
#include "startup/WordFeatures.h"

namespace startup {

namespace {

bool unattended() {
    return qEnvironmentVariable("CORVANE_UNATTENDED") == QLatin1String("1");
}

void printError(const QString& text) {
    std::fprintf(stderr, "Corvane: %s\n", platform::oneLine(text).toLocal8Bit().constData());
}

// Nobody can close a window in an unattended run: name what is open, then close it as a user
// would, so that what closing does (the main form stores the list) still happens.
void closeOpenWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->objectName().isEmpty())
            std::fprintf(stderr, "Corvane: window %s\n", w->objectName().toLocal8Bit().constData());
    QApplication::closeAllWindows();
    QApplication::processEvents();
}

bool anyWindowOpen() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) return true;
    return false;
}

}  // namespace

QString commandCode(const QStringList& arguments) {
    return arguments.mid(1).join(QChar(' '));
}

Features standardFeatures() {
    Features f;
    f.showMainForm = [](Run& run) {
        if (!run.exports) run.exports = std::make_unique<FeatureExports>(run);
        SplashProgress progress(run.state.progress, run.splash ? run.splash->bar() : nullptr,
                                run.services.pacer());
        auto* form = new mainform::UserformObj(run.services, run.state, *run.exports, progress,
                                               [&run] { run.splash.reset(); });
        run.mainForm = form;
        form->Form_Load();
        form->show();
    };
    f.showAbout = [](Run&) {
        auto* about = new chrome::AboutWindow();
        about->show();
    };
    addSlideFeatures(f);
    addWordFeatures(f);
    addFileFeatures(f, std::make_shared<platform::DialogChooser>());
    return f;
}

int runProgram(const QStringList& arguments) {
    HostChoice choice = makeHostFromEnvironment();
    if (!choice.host) {
        printError(choice.error);
        return 2;
    }
    std::unique_ptr<platform::Prompt> prompt;
    if (unattended())
        prompt = std::make_unique<platform::UnattendedPrompt>();
    else
        prompt = std::make_unique<platform::DialogPrompt>();
    platform::DesktopShell shell;
    platform::InstanceLock instance;
    run::Services services{*choice.host, *prompt, shell, instance,
                           platform::OutputFolders::fromEnvironment()};
    run::RunState state;
    Features features = standardFeatures();
    int status = 0;
    {
        Run run{services, state, features, nullptr, nullptr, {}};
        try {
            startUp(commandCode(arguments), run);
            if (unattended())
                closeOpenWindows();
            else if (anyWindowOpen())
                QApplication::exec();
        } catch (const office::Error& e) {
            prompt->show({e.description(), platform::Icon::Critical, platform::Buttons::Ok, true});
            status = 1;
        } catch (const inventory::TooManyItems&) {
            prompt->warn(
                QStringLiteral("The active workbook holds more than %1 charts and named ranges.")
                    .arg(inventory::MaxItems));
            status = 1;
        }
    }
    try {
        choice.host->finish();
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
        status = status ? status : 1;
    }
    return status;
}

}  // namespace startup
