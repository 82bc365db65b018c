#pragma once

// The built-in office's clipboard: what was copied last and where it came from. Pictures of
// the copied item join it later; the record of the copy is what pastes and dumps read.

#include <QJsonValue>
#include <QString>
#include <optional>

namespace office::memory {

struct ClipSource {
    QString workbook;
    QString sheet;
    QString item;  // chart object name, chart sheet name or range address
    bool operator==(const ClipSource&) const = default;
};

struct ClipContent {
    QString kind;  // "chart", "chartPicture", "range", "rangePicture"
    ClipSource source;
    bool operator==(const ClipContent&) const = default;
};

class Clipboard {
  public:
    void put(ClipContent content) { content_ = std::move(content); }
    void clear() { content_.reset(); }
    const std::optional<ClipContent>& content() const { return content_; }

  private:
    std::optional<ClipContent> content_;
};

}  // namespace office::memory
