#include "office/memory/Publish.h"

#include <QFileInfo>
#include <algorithm>

#include "office/Error.h"
#include "office/Publication.h"
#include "office/memory/Render.h"
#include "office/memory/Spreadsheet.h"

namespace office::memory {

namespace {

[[noreturn]] void refuse() {
    publication::failed();
}

QString rangeHtml(const QFileInfo& page, SheetImpl& sheet, const CellRect& rect) {
    QString html = QStringLiteral("<table>\n");
    for (int r = rect.top; r <= rect.bottom; ++r) {
        if (sheet.hiddenRows.count(r)) continue;
        html += QStringLiteral("<tr>");
        for (int c = rect.left; c <= rect.right; ++c) {
            if (sheet.hiddenColumns.count(c)) continue;
            const auto cell = render::tableCell(sheet.cell(r, c), sheet.numberFormat(r, c));
            const char* align = cell.align & Qt::AlignRight     ? "right"
                                : cell.align & Qt::AlignHCenter ? "center"
                                                                : "left";
            html += QStringLiteral("<td align=\"%1\">%2</td>")
                        .arg(QLatin1String(align), cell.text.toHtmlEscaped());
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    // The charts that stand on the range come with it.
    for (const auto& co : sheet.chartList()) {
        const CellRect& a = co->anchor;
        if (co->hidden || a.top < rect.top || a.top > rect.bottom || a.left < rect.left ||
            a.left > rect.right)
            continue;
        html += publication::imageTag(page, co->chartImpl()->picture(false).bitmap);
    }
    return html;
}

}  // namespace

void PublishObjectImpl::publish(bool create) {
    auto book = book_.lock();
    if (!book) refuse();
    auto sheet = book->findSheet(settings_.sheet);
    if (!sheet || settings_.fileName.isEmpty()) refuse();
    const QFileInfo page(settings_.fileName);

    QString body;
    if (settings_.sourceType == xlSourceChart) {
        if (sheet->type() != xlChart) refuse();
        body = publication::imageTag(page, sheet->chartSheetChart()->picture(false).bitmap);
    } else if (settings_.sourceType == xlSourceRange) {
        if (sheet->type() != xlWorksheet) refuse();
        const auto areas = parseA1(settings_.source);
        if (!areas || areas->empty()) refuse();
        for (const auto& area : *areas) body += rangeHtml(page, *sheet, area);
    } else {
        refuse();
    }
    publication::write(page,
                       publication::division(settings_.divId, sheet->name(), settings_.source,
                                             settings_.title, body),
                       create);
}

void PublishObjectImpl::remove() {
    auto book = book_.lock();
    if (!book) refuse();
    book->removePublishObject(*this);
}

std::vector<std::shared_ptr<office::PublishObject>> WorkbookImpl::publishObjects() const {
    return {publish_.begin(), publish_.end()};
}

std::shared_ptr<office::PublishObject> WorkbookImpl::addPublishObject(
    int sourceType, const QString& fileName, const QString& sheet, const QString& source,
    int htmlType, const QString& divId, const QString& title) {
    const QString failed = QStringLiteral("Method 'Add' of object 'PublishObjects' failed");
    if ((sourceType != xlSourceRange && sourceType != xlSourceChart) || fileName.isEmpty() ||
        !findSheet(sheet))
        throw Error(errors::Application, failed);
    auto object = std::make_shared<PublishObjectImpl>(
        weak_from_this(),
        PublishSettings{sourceType, fileName, sheet, source, htmlType, divId, title, false});
    publish_.push_back(object);
    return object;
}

void WorkbookImpl::removePublishObject(const PublishObjectImpl& object) {
    const auto at = std::find_if(publish_.begin(), publish_.end(),
                                 [&](const auto& p) { return p.get() == &object; });
    if (at == publish_.end())
        throw Error(errors::ObjectRequired, QStringLiteral("Object required"));
    publish_.erase(at);
}

}  // namespace office::memory
