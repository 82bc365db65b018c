#pragma once

// A word processor whose pastes fail, over a working one: for the failure paths.

#include <memory>

#include "office/Host.h"

namespace wordtest {

class FailingWord : public office::Word {
  public:
    explicit FailingWord(std::shared_ptr<office::Word> inner) : inner_(std::move(inner)) {}
    std::shared_ptr<office::Document> activeDocument() const override {
        return inner_->activeDocument();
    }
    std::vector<std::shared_ptr<office::Document>> documents() const override {
        return inner_->documents();
    }
    void setVisible(bool on) override { inner_->setVisible(on); }
    void activate() override { inner_->activate(); }
    QString selectionText() const override { return inner_->selectionText(); }
    office::PageSetup selectionPageSetup() const override { return inner_->selectionPageSetup(); }
    void typeParagraph() override { inner_->typeParagraph(); }
    void moveDown(int unit, int count) override { inner_->moveDown(unit, count); }
    void homeKey(int unit) override { inner_->homeKey(unit); }
    void paste() override { fail(); }
    void pasteSpecial(const office::PasteSpecialOptions&) override { fail(); }
    void pasteExcelTable(bool, bool, bool) override { fail(); }
    void setParagraphAlignment(int a) override { inner_->setParagraphAlignment(a); }
    void setShapeRangeLeft(double left) override { inner_->setShapeRangeLeft(left); }
    void insertCaption(const QString& l, const QString& t) override { inner_->insertCaption(l, t); }
    void addCaptionLabel(const QString& name) override { inner_->addCaptionLabel(name); }

  private:
    [[noreturn]] static void fail() {
        throw office::Error(office::errors::Application, "The clipboard is busy.");
    }
    std::shared_ptr<office::Word> inner_;
};

class FailingHost : public office::Host {
  public:
    explicit FailingHost(std::unique_ptr<office::Host> inner)
        : inner_(std::move(inner)), word_(std::make_shared<FailingWord>(inner_->attachWord())) {}
    std::shared_ptr<office::Excel> attachExcel() override { return inner_->attachExcel(); }
    std::shared_ptr<office::PowerPoint> attachPowerPoint() override {
        return inner_->attachPowerPoint();
    }
    std::shared_ptr<office::Word> attachWord() override { return word_; }
    office::Clipboard& clipboard() override { return inner_->clipboard(); }
    platform::Pacer& pacer() override { return inner_->pacer(); }
    office::Host& inner() { return *inner_; }

  private:
    std::unique_ptr<office::Host> inner_;
    std::shared_ptr<FailingWord> word_;
};

}  // namespace wordtest
