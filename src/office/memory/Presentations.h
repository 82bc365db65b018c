#pragma once

// The built-in presentation application. Its presentations are kept as the desktop describes
// them, with every property, so that pastes can grow them and dumps show them.

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "office/PowerPoint.h"
#include "office/memory/Clipboard.h"

namespace office::memory {

struct Font {
    std::optional<QString> name;
    std::optional<double> size;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<QString> color;  // "#RRGGBB"
    bool operator==(const Font&) const = default;
};

// A shape on a slide, or an inline or floating shape in a document.
struct Shape {
    QString name;  // empty when the desktop gives none
    QString kind = QStringLiteral("bitmap");
    std::optional<ClipSource> source;
    double left = 0, top = 0, width = 0, height = 0;
    bool lockAspectRatio = true;
    std::optional<bool> shadow;
    std::optional<bool> reflection;
    std::optional<int> autoShapeType;
    std::optional<std::vector<double>> adjustments;
    std::optional<QString> text;
    std::optional<Font> font;
    std::optional<bool> wordWrap;
    bool operator==(const Shape&) const = default;
};

struct TitlePlaceholder {
    double left = 36, top = 30, width = 648, height = 60;
    QString text;
    bool operator==(const TitlePlaceholder&) const = default;
};

struct Slide {
    int layout = 11;  // title only
    std::optional<TitlePlaceholder> title;
    std::vector<Shape> shapes;
    bool operator==(const Slide&) const = default;
};

struct PresentationWindow {
    int viewType = 9;  // normal view
    std::optional<int> slideIndex;
    QString title;
    bool operator==(const PresentationWindow&) const = default;
};

class PresentationImpl : public office::Presentation {
  public:
    QString name() const override { return name_; }
    QString fullName() const override { return fullName_; }
    int slideCount() const override { return static_cast<int>(slides.size()); }

    QString name_;
    QString fullName_;
    double slideWidth = 720;
    double slideHeight = 540;
    std::optional<PresentationWindow> window;
    std::vector<Slide> slides;
};

class PowerPointApp : public office::PowerPoint {
  public:
    QString version() const override { return version_; }
    std::shared_ptr<office::Presentation> activePresentation() const override {
        return active_.lock();
    }
    std::vector<std::shared_ptr<office::Presentation>> presentations() const override;
    int windowCount() const override;

    std::shared_ptr<PresentationImpl> find(const QString& name) const;  // any case
    std::shared_ptr<PresentationImpl> activePresentationImpl() const { return active_.lock(); }
    void setActive(const std::shared_ptr<PresentationImpl>& p) { active_ = p; }
    // Opens a presentation the desktop lists among its files, or activates an open one; false
    // when it knows neither.
    bool open(const QString& file);

    bool running = false;
    QString version_ = QStringLiteral("16.0");
    bool slideShowRunning = false;
    std::vector<std::shared_ptr<PresentationImpl>> list;
    std::map<QString, std::shared_ptr<PresentationImpl>> files;

  private:
    std::weak_ptr<PresentationImpl> active_;
};

}  // namespace office::memory
