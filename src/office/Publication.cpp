#include "office/Publication.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "office/Error.h"

namespace office::publication {

void failed() {
    throw Error(errors::Application,
                QStringLiteral("Method 'Publish' of object 'PublishObject' failed"));
}

QString imageTag(const QFileInfo& page, const QImage& image) {
    if (image.isNull()) failed();
    const QString folderName = page.completeBaseName() + QStringLiteral("_files");
    QDir folder(page.absolutePath());
    if (!folder.mkpath(folderName) || !folder.cd(folderName)) failed();
    int n = 1;
    QString name;
    do name = QStringLiteral("image%1.png").arg(n++, 3, 10, QChar('0'));
    while (folder.exists(name));
    QSaveFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) failed();
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"\">\n")
        .arg((folderName + '/' + name).toHtmlEscaped())
        .arg(image.width())
        .arg(image.height());
}

QString division(const QString& divId, const QString& sheet, const QString& source,
                 const QString& title, const QString& body) {
    QString html = QStringLiteral("<div id=\"%1\" data-sheet=\"%2\" data-source=\"%3\">\n")
                       .arg(divId.toHtmlEscaped(), sheet.toHtmlEscaped(), source.toHtmlEscaped());
    if (!title.isEmpty())
        html += QStringLiteral("<h2 style=\"text-align: center;\">%1</h2>\n")
                    .arg(title.toHtmlEscaped());
    return html + body + QStringLiteral("</div>\n");
}

void write(const QFileInfo& page, const QString& division, bool create) {
    QString html;
    const QString end = QStringLiteral("</body>");
    if (!create && page.exists()) {
        QFile in(page.absoluteFilePath());
        if (!in.open(QIODevice::ReadOnly)) failed();
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
        failed();
}

}  // namespace office::publication
