#include "powerpoint/WindowServices.h"

#include "office/Error.h"
#include "powerpoint/Objects.h"

namespace powerpoint {

using office::ignoreErrors;

QString WindowClassForVersion(const QString& version) {
    const QString major = version.section(QLatin1Char('.'), 0, 0);
    if (major == QLatin1String("8")) return QStringLiteral("PP97FrameClass");
    if (major == QLatin1String("9") || major == QLatin1String("10") ||
        major == QLatin1String("11") || major == QLatin1String("12"))
        return QStringLiteral("PP%1FrameClass").arg(major);
    if (major == QLatin1String("14") || major == QLatin1String("15") ||
        major == QLatin1String("16"))
        return QStringLiteral("PPTFrameClass");
    return {};
}

void SetPowerPointScreenUpdating(run::Services& services, run::RunState& state, bool enabled) {
    qint64& locked = state.powerPoint.lockedWindow;
    std::shared_ptr<office::PowerPoint> pp;
    ignoreErrors([&] { pp = services.host.attachPowerPoint(); });
    if (enabled) {
        ignoreErrors([&] { app(pp).lockWindowUpdate(0); });
        ignoreErrors([&] {
            if (!app(pp).updateWindow(locked))
                throw office::Error(office::errors::Application, QStringLiteral("UpdateWindow"));
        });
        locked = 0;
        return;
    }
    QString windowClass;
    ignoreErrors([&] { windowClass = WindowClassForVersion(app(pp).version()); });
    ignoreErrors([&] {
        if (windowClass.isEmpty())
            throw office::Error(lockErrors::NewerVersion, QStringLiteral("Newer version."));
    });
    ignoreErrors([&] { locked = windowClass.isEmpty() ? 0 : app(pp).findWindow(windowClass, {}); });
    ignoreErrors([&] {
        if (locked == 0)
            throw office::Error(lockErrors::NoHandle,
                                QStringLiteral("Unable to get the PowerPoint Window handle"));
        if (!app(pp).lockWindowUpdate(locked))
            throw office::Error(lockErrors::LockRefused,
                                QStringLiteral("Unable to set a  PowerPoint window lock"));
    });
}

qint64 FindWindowByTitle(office::PowerPoint& powerPoint, const QString& title,
                         const QString& className) {
    qint64 handle = 0;
    ignoreErrors([&] { handle = powerPoint.findWindow(className, title); });
    return handle;
}

bool BringWindowToFront(office::PowerPoint& powerPoint, const QString& title, qint64& handle,
                        int showState) {
    if (handle == 0) handle = FindWindowByTitle(powerPoint, title, {});
    if (handle == 0) return false;
    powerPoint.setWindowShowState(handle, showState);
    return powerPoint.setForegroundWindow(handle);
}

void WaitWithEvents(platform::Pacer& pacer, int milliseconds) {
    ignoreErrors([&] { pacer.wait(milliseconds); });
}

void BringPowerPointToFront(run::Services& services) {
    ignoreErrors([&] {
        auto pp = services.host.attachPowerPoint();
        qint64 handle = 0;
        BringWindowToFront(*pp, activePresentation(*pp).name() + QStringLiteral(" - PowerPoint"),
                           handle, 1);
    });
}

}  // namespace powerpoint
