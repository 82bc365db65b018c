#pragma once

// The LibreOffice host and its clipboard. Internal to the adapter.

#include <functional>

#include "office/Host.h"
#include "office/libreoffice/Uno.h"
#include "platform/Pacer.h"

namespace office::libreoffice {

class CalcApp;
class ImpressApp;
class WriterApp;

class UnoClipboard : public Clipboard {
  public:
    explicit UnoClipboard(std::function<std::shared_ptr<Session>()> session)
        : session_(std::move(session)) {}
    bool hasFormat(Format format) const override;
    std::optional<Picture> picture(Format format) const override;
    void clear() override;

  private:
    template <typename F>
    auto guardedOnSession(const char* member, F&& body) const {
        auto s = session_();
        return guarded(*s, member, [&] { return body(*s); });
    }
    std::function<std::shared_ptr<Session>()> session_;
};

class UnoHost : public Host {
  public:
    explicit UnoHost(QString pipe);
    ~UnoHost() override;

    std::shared_ptr<Excel> attachExcel() override;
    std::shared_ptr<PowerPoint> attachPowerPoint() override;
    std::shared_ptr<Word> attachWord() override;
    Clipboard& clipboard() override { return clipboard_; }
    // UNO calls finish their work before they return: no waits.
    platform::Pacer& pacer() override { return pacer_; }
    void finish() override;

  private:
    std::shared_ptr<Session> session();

    QString pipe_;
    std::shared_ptr<Session> session_;
    std::shared_ptr<CalcApp> calc_;
    std::shared_ptr<ImpressApp> impress_;
    std::shared_ptr<WriterApp> writer_;
    UnoClipboard clipboard_;
    platform::ImmediatePacer pacer_;
};

}  // namespace office::libreoffice
