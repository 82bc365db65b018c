#include "office/memory/Publish.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "office/Error.h"
#include "office/memory/Render.h"
#include "office/memory/Spreadsheet.h"

namespace office::memory {

namespace {

const QString PublishFailed = QStringLiteral("Method 'Publish' of object 'PublishObject' failed");

[[noreturn]] void refuse() {
    throw Error(errors::Application, PublishFailed);
}

QString attribute(const QString& text) {
    return text.toHtmlEscaped();
}

// Writes a picture into the page's picture folder and returns its address relative to the page.
QString writePicture(const QFileInfo& page, const QImage& image) {
    const QString folderName = page.completeBaseName() + QStringLiteral("_files");
    QDir folder(page.absolutePath());
    if (!folder.mkpath(folderName) || !folder.cd(folderName)) refuse();
    int n = 1;
    QString name;
    do name = QStringLiteral("image%1.png").arg(n++, 3, 10, QChar('0'));
    while (folder.exists(name));
    QSaveFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) refuse();
    return folderName + '/' + name;
}

QString imageTag(const QFileInfo& page, const QImage& image) {
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"\">\n")
        .arg(attribute(writePicture(page, image)))
        .arg(image.width())
        .arg(image.height());
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
        html += imageTag(page, co->chartImpl()->picture(false).bitmap);
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

    QString division =
        QStringLiteral("<div id=\"%1\" data-sheet=\"%2\" data-source=\"%3\">\n")
            .arg(attribute(settings_.divId), attribute(sheet->name()), attribute(settings_.source));
    if (!settings_.title.isEmpty())
        division += QStringLiteral("<h2 style=\"text-align: center;\">%1</h2>\n")
                        .arg(settings_.title.toHtmlEscaped());
    if (settings_.sourceType == xlSourceChart) {
        if (sheet->type() != xlChart) refuse();
        division += imageTag(page, sheet->chartSheetChart()->picture(false).bitmap);
    } else if (settings_.sourceType == xlSourceRange) {
        if (sheet->type() != xlWorksheet) refuse();
        const auto areas = parseA1(settings_.source);
        if (!areas || areas->empty()) refuse();
        for (const auto& area : *areas) division += rangeHtml(page, *sheet, area);
    } else {
        refuse();
    }
    division += QStringLiteral("</div>\n");

    QString html;
    const QString end = QStringLiteral("</body>");
    if (!create && page.exists()) {
        QFile in(page.absoluteFilePath());
        if (!in.open(QIODevice::ReadOnly)) refuse();
        html = QString::fromUtf8(in.readAll());
        const auto at = html.lastIndexOf(end);
        html.insert(at < 0 ? html.size() : at, division);
    } else {
        html = QStringLiteral(
                   "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                   "</head>\n<body>\n")
                   .arg(page.completeBaseName().toHtmlEscaped()) +
               division + end + QStringLiteral("\n</html>\n");
    }
    QSaveFile out(page.absoluteFilePath());
    const QByteArray bytes = html.toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        refuse();
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
