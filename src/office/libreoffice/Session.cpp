#include <QRegularExpression>
#include <csignal>
#include <cstdlib>

#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XToolkitExperimental.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/datatransfer/clipboard/SystemClipboard.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IndexOutOfBoundsException.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <cppuhelper/bootstrap.hxx>

#include "office/libreoffice/Uno.h"

namespace office::libreoffice {

namespace {

// The process's own UNO runtime, bootstrapped once: it only carries the bridge.
Reference<css::uno::XComponentContext> localContext() {
    static const Reference<css::uno::XComponentContext> context = [] {
        setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" LO_PROGRAM_DIR "/fundamentalrc", 0);
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

// What the bridge says when LibreOffice is gone: "Binary URP bridge already disposed",
// "Binary URP bridge disposed during call".
bool saysBridgeDisposed(const OUString& message) {
    return qs(message).contains(QLatin1String("URP bridge"), Qt::CaseInsensitive);
}

}  // namespace

std::shared_ptr<Session> Session::connect(const QString& pipe) {
    // The name goes into a connection string: keep its separators out.
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_.-]{1,100}$"));
    if (!safe.match(pipe).hasMatch())
        fail(errors::NotRunning,
             QStringLiteral("\"%1\" is not a usable LibreOffice pipe name (letters, digits, '_', "
                            "'.' and '-' only).")
                 .arg(pipe));
    // A LibreOffice that goes away must show as errors::Disconnected: a write to its closed pipe
    // would otherwise raise SIGPIPE and end the program without a word.
    static const bool pipeSignalIgnored = std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    (void)pipeSignalIgnored;
    // A new connection can be dropped by LibreOffice while an earlier one is being closed; a
    // bridge disposed during the handshake is tried again, a few times only.
    constexpr int Tries = 3;
    for (int attempt = 1;; ++attempt) {
        std::shared_ptr<Session> s(new Session);
        try {
            auto local = localContext();
            auto connection = css::connection::Connector::create(local)->connect(
                ous(QStringLiteral("pipe,name=") + pipe));
            auto bridge = css::bridge::BridgeFactory::create(local)->createBridge(
                OUString(), ous("urp"), connection, nullptr);
            s->bridge_.set(bridge, UNO_QUERY_THROW);
            s->context_.set(bridge->getInstance(ous("StarOffice.ComponentContext")),
                            UNO_QUERY_THROW);
            s->desktop_ = css::frame::Desktop::create(s->context_);
            return s;
        } catch (const css::connection::NoConnectException&) {
            fail(errors::NotRunning,
                 QStringLiteral("LibreOffice is not running, or not listening on the pipe \"%1\".")
                     .arg(pipe));
        } catch (const css::uno::RuntimeException& e) {
            if (attempt < Tries && saysBridgeDisposed(e.Message)) continue;
            fail(errors::NotRunning,
                 QStringLiteral("Could not attach to LibreOffice on the pipe \"%1\": %2")
                     .arg(pipe, qs(e.Message)));
        } catch (const css::uno::Exception& e) {
            fail(errors::NotRunning,
                 QStringLiteral("Could not attach to LibreOffice on the pipe \"%1\": %2")
                     .arg(pipe, qs(e.Message)));
        }
    }
}

Session::~Session() {
    // Closes the pipe; LibreOffice itself keeps running.
    try {
        if (bridge_.is() && !dead_) bridge_->dispose();
    } catch (const css::uno::Exception&) {
    }
}

bool Session::alive() const {
    if (dead_) return false;
    // A call that needs LibreOffice's answer: it fails at once when the bridge is gone.
    try {
        context_->getServiceManager();
    } catch (const css::uno::RuntimeException&) {
        dead_ = true;
    }
    return !dead_;
}

Reference<css::uno::XInterface> Session::create(const char* service) const {
    auto object = context_->getServiceManager()->createInstanceWithContext(ous(service), context_);
    if (!object.is())
        fail(errors::Application,
             QStringLiteral("LibreOffice has no %1.").arg(QLatin1String(service)));
    return object;
}

Reference<css::datatransfer::clipboard::XClipboard> Session::clipboard() const {
    if (!clipboard_.is())
        clipboard_.set(css::datatransfer::clipboard::SystemClipboard::create(context_),
                       UNO_QUERY_THROW);
    return clipboard_;
}

void Session::settle() const {
    if (!toolkit_.is()) toolkit_.set(css::awt::Toolkit::create(context_), UNO_QUERY_THROW);
    toolkit_->processEventsToIdle();
}

void Session::rethrowAsError(const char* member) const {
    const QString where = QLatin1String(member);
    auto disconnected = [&](const QString& said) -> Error {
        return Error(errors::Disconnected,
                     QStringLiteral("LibreOffice went away (it was closed or stopped) while "
                                    "Corvane was working on %1; the connection to it is lost "
                                    "(%2).")
                         .arg(where, said));
    };
    try {
        throw;
    } catch (const Error&) {
        throw;
    } catch (const css::lang::DisposedException& e) {
        if (saysBridgeDisposed(e.Message) || !alive()) throw disconnected(qs(e.Message));
        throw Error(
            errors::ObjectRequired,
            QStringLiteral("%1: the document or object was closed in LibreOffice.").arg(where));
    } catch (const css::uno::RuntimeException& e) {
        if (saysBridgeDisposed(e.Message) || !alive()) throw disconnected(qs(e.Message));
        throw Error(errors::Application,
                    QStringLiteral("LibreOffice refused %1: %2").arg(where, qs(e.Message)));
    } catch (const css::lang::IndexOutOfBoundsException& e) {
        throw Error(errors::NotFound, QStringLiteral("Subscript out of range (%1)").arg(where));
    } catch (const css::container::NoSuchElementException& e) {
        throw Error(errors::NotFound, QStringLiteral("Subscript out of range (%1)").arg(where));
    } catch (const css::uno::Exception& e) {
        if (!alive()) throw disconnected(qs(e.Message));
        throw Error(errors::Application,
                    QStringLiteral("LibreOffice refused %1: %2").arg(where, qs(e.Message)));
    } catch (const std::exception& e) {
        if (!alive()) throw disconnected(QString::fromUtf8(e.what()));
        throw Error(errors::Application,
                    QStringLiteral("%1 failed: %2").arg(where, QString::fromUtf8(e.what())));
    }
}

}  // namespace office::libreoffice
