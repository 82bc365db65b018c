// Web publications of a Calc workbook. Calc has no publish objects of its own, so the adapter
// keeps them for the run and writes them as the built-in office does: a range as an HTML table,
// the charts standing on it as pictures in a folder "NAME_files" beside the page.

#include <QFileInfo>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/text/XText.hpp>

#include "office/Publication.h"
#include "office/libreoffice/Calc.h"

namespace office::libreoffice {

namespace {

[[noreturn]] void refuse() {
    publication::failed();
}

struct Settings {
    int sourceType = xlSourceRange;
    QString fileName;
    QString sheet;
    QString source;
    QString divId;
    QString title;
    bool autoRepublish = false;
};

QString rangeHtml(const Session& session, const QFileInfo& page, const CalcSheet& sheet,
                  const CellRect& wanted) {
    const auto inside = sheet.clamp(wanted);
    if (!inside || wanted.top < 1 || wanted.left < 1) refuse();
    const CellRect rect = *inside;
    auto range = sheet.cellRange(rect);
    const auto values =
        Reference<css::sheet::XCellRangeData>(range, UNO_QUERY_THROW)->getDataArray();
    std::vector<int> columns;
    for (int c = rect.left; c <= rect.right; ++c)
        if (sheet.columnVisible(c)) columns.push_back(c);

    QString html = QStringLiteral("<table>\n");
    for (int r = rect.top; r <= rect.bottom; ++r) {
        if (!sheet.rowVisible(r)) continue;
        html += QStringLiteral("<tr>");
        for (int c : columns) {
            // The text as Calc shows it; numbers stand to the right.
            const auto cell = range->getCellByPosition(c - rect.left, r - rect.top);
            const QString text =
                qs(Reference<css::text::XText>(cell, UNO_QUERY_THROW)->getString());
            const bool number = values[r - rect.top][c - rect.left].has<double>();
            html += QStringLiteral("<td align=\"%1\">%2</td>")
                        .arg(QLatin1String(number ? "right" : "left"), text.toHtmlEscaped());
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    // The charts that stand on the range come with it.
    for (const auto& [shape, name] : sheet.chartShapes()) {
        Reference<css::beans::XPropertySet> p(shape, UNO_QUERY_THROW);
        bool visible = true;
        if (p->getPropertySetInfo()->hasPropertyByName(ous("Visible")))
            p->getPropertyValue(ous("Visible")) >>= visible;
        const auto at = shape->getPosition();
        const auto [row, column] = sheet.cellAt(at.X, at.Y);
        if (!visible || row < rect.top || row > rect.bottom || column < rect.left ||
            column > rect.right)
            continue;
        html += publication::imageTag(page, shapePicture(session, shape));
    }
    return html;
}

class CalcPublishObject : public PublishObject {
  public:
    CalcPublishObject(std::weak_ptr<CalcBook> book, Settings settings)
        : book_(std::move(book)), settings_(std::move(settings)) {}

    int sourceType() const override { return settings_.sourceType; }
    QString fileName() const override { return settings_.fileName; }
    QString sheet() const override { return settings_.sheet; }
    QString source() const override { return settings_.source; }
    QString title() const override { return settings_.title; }
    bool autoRepublish() const override { return settings_.autoRepublish; }
    // Calc republishes nothing by itself: the flag is kept for the program to read back.
    void setAutoRepublish(bool on) override { settings_.autoRepublish = on; }

    void publish(bool create) override {
        auto book = book_.lock();
        if (!book) refuse();
        guarded(book->session(), "PublishObject.Publish", [&] { write(*book, create); });
    }

    void remove() override {
        auto book = book_.lock();
        if (!book) refuse();
        book->removePublishObject(*this);
    }

  private:
    void write(const CalcBook& book, bool create) const {
        auto found = book.sheet(settings_.sheet);
        if (!found || settings_.fileName.isEmpty()) refuse();
        const auto& sheet = static_cast<const CalcSheet&>(*found);
        // Calc has no chart sheets: a chart is published through the range it stands on.
        if (settings_.sourceType != xlSourceRange) refuse();
        const auto areas = parseA1(settings_.source);
        if (!areas || areas->empty()) refuse();
        const QFileInfo page(settings_.fileName);

        QString body;
        for (const auto& area : *areas) body += rangeHtml(book.session(), page, sheet, area);
        publication::write(page,
                           publication::division(settings_.divId, sheet.name(), settings_.source,
                                                 settings_.title, body),
                           create);
    }

    std::weak_ptr<CalcBook> book_;
    Settings settings_;
};

}  // namespace

std::vector<std::shared_ptr<PublishObject>> CalcBook::publishObjects() const {
    return publish_;
}

std::shared_ptr<PublishObject> CalcBook::addPublishObject(int sourceType, const QString& fileName,
                                                          const QString& sheet,
                                                          const QString& source, int /*htmlType*/,
                                                          const QString& divId,
                                                          const QString& title) {
    return guarded(session(), "PublishObjects.Add", [&]() -> std::shared_ptr<PublishObject> {
        if (sourceType != xlSourceRange || fileName.isEmpty() || !this->sheet(sheet))
            fail(errors::Application,
                 QStringLiteral("Method 'Add' of object 'PublishObjects' failed"));
        auto object = std::make_shared<CalcPublishObject>(
            weak_from_this(), Settings{sourceType, fileName, sheet, source, divId, title, false});
        publish_.push_back(object);
        return object;
    });
}

void CalcBook::removePublishObject(const PublishObject& object) {
    const auto at = std::find_if(publish_.begin(), publish_.end(),
                                 [&](const auto& p) { return p.get() == &object; });
    if (at == publish_.end()) fail(errors::ObjectRequired, QStringLiteral("Object required"));
    publish_.erase(at);
}

}  // namespace office::libreoffice
