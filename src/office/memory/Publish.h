#pragma once

// Web publications of the built-in office: each publish object writes its range as a table, with
// the charts standing on it as pictures, or its chart sheet's chart as a picture, into an HTML
// file; pictures go to a folder "NAME_files" beside the page.

#include <QString>
#include <memory>

#include "office/Excel.h"

namespace office::memory {

class WorkbookImpl;

struct PublishSettings {
    int sourceType = xlSourceRange;
    QString fileName;
    QString sheet;
    QString source;  // the range address; empty for a chart sheet
    int htmlType = xlHtmlStatic;
    QString divId;
    QString title;
    bool autoRepublish = false;
};

class PublishObjectImpl : public office::PublishObject {
  public:
    PublishObjectImpl(std::weak_ptr<WorkbookImpl> book, PublishSettings settings)
        : book_(std::move(book)), settings_(std::move(settings)) {}

    int sourceType() const override { return settings_.sourceType; }
    QString fileName() const override { return settings_.fileName; }
    QString sheet() const override { return settings_.sheet; }
    QString source() const override { return settings_.source; }
    QString title() const override { return settings_.title; }
    bool autoRepublish() const override { return settings_.autoRepublish; }
    void setAutoRepublish(bool on) override { settings_.autoRepublish = on; }
    void publish(bool create) override;
    void remove() override;

    const PublishSettings& settings() const { return settings_; }

  private:
    std::weak_ptr<WorkbookImpl> book_;
    PublishSettings settings_;
};

}  // namespace office::memory
