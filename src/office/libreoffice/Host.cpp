#include "office/libreoffice/Host.h"

#include "office/libreoffice/Calc.h"
#include "office/libreoffice/Impress.h"
#include "office/libreoffice/LibreOffice.h"
#include "office/libreoffice/Writer.h"

namespace office::libreoffice {

UnoHost::UnoHost(QString pipe) : pipe_(std::move(pipe)), clipboard_([this] { return session(); }) {}

UnoHost::~UnoHost() {
    finish();
}

// One connection for the whole run, made on first use. Once LibreOffice has gone away the
// dead session stays, so every later call reports the disconnection instead of quietly
// attaching to some other LibreOffice.
std::shared_ptr<Session> UnoHost::session() {
    if (!session_) session_ = Session::connect(pipe_);
    return session_;
}

std::shared_ptr<Excel> UnoHost::attachExcel() {
    if (!calc_) calc_ = std::make_shared<CalcApp>(session());
    return calc_;
}

std::shared_ptr<PowerPoint> UnoHost::attachPowerPoint() {
    if (!impress_) {
        auto app = std::make_shared<ImpressApp>(session());
        if (!app->hasDocuments())
            fail(errors::NotRunning,
                 QStringLiteral("LibreOffice Impress has no presentation open."));
        impress_ = app;
    }
    return impress_;
}

std::shared_ptr<Word> UnoHost::attachWord() {
    if (!writer_) {
        auto app = std::make_shared<WriterApp>(session());
        if (!app->hasDocuments())
            fail(errors::NotRunning, QStringLiteral("LibreOffice Writer has no document open."));
        writer_ = app;
    }
    return writer_;
}

// A run never leaves LibreOffice's windows locked.
void UnoHost::finish() {
    if (calc_) calc_->release();
    if (impress_) impress_->release();
}

std::unique_ptr<Host> makeHost(const QString& pipe) {
    return std::make_unique<UnoHost>(pipe);
}

}  // namespace office::libreoffice
