#include "support/Slides.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace test {

namespace {
QJsonObject edit(QJsonObject o, const char* key, const QJsonValue& value) {
    o[QLatin1String(key)] = value;
    return o;
}
}  // namespace

std::unique_ptr<office::Host> slidesDesktop(const std::function<void(QJsonObject&)>& change) {
    QFile file(fixturePath(QStringLiteral("slides.json")));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("slides.json missing");
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    if (change) change(root);
    return hostFromJson(QJsonDocument(root).toJson());
}

// The edits rebuild the path down to the key, as QJsonObject holds values.
QJsonObject firstWorkbook(const QJsonObject& root) {
    return root["excel"].toObject()["workbooks"].toArray()[0].toObject();
}

static void putWorkbook(QJsonObject& root, const QJsonObject& wb) {
    QJsonObject excel = root["excel"].toObject();
    QJsonArray books = excel["workbooks"].toArray();
    books[0] = wb;
    excel["workbooks"] = books;
    root["excel"] = excel;
}

void removeSheet(QJsonObject& root, const QString& name) {
    QJsonObject wb = firstWorkbook(root);
    QJsonArray sheets = wb["sheets"].toArray();
    for (qsizetype i = sheets.size() - 1; i >= 0; --i)
        if (sheets[i].toObject()["name"].toString() == name) sheets.removeAt(i);
    wb["sheets"] = sheets;
    putWorkbook(root, wb);
}

void setPowerPoint(QJsonObject& root, const char* key, const QJsonValue& value) {
    root["powerpoint"] = edit(root["powerpoint"].toObject(), key, value);
}

void setWindow(QJsonObject& root, const char* key, const QJsonValue& value) {
    QJsonObject pp = root["powerpoint"].toObject();
    QJsonArray list = pp["presentations"].toArray();
    QJsonObject deck = list[0].toObject();
    deck["window"] = edit(deck["window"].toObject(), key, value);
    list[0] = deck;
    pp["presentations"] = list;
    root["powerpoint"] = pp;
}

void setSelection(QJsonObject& root, const QJsonObject& selection) {
    putWorkbook(root, edit(firstWorkbook(root), "selection", selection));
}

void setLayoutCells(QJsonObject& root, const QJsonValue& o1, const QJsonValue& p1,
                    const QJsonValue& r1) {
    QJsonObject wb = firstWorkbook(root);
    QJsonArray sheets = wb["sheets"].toArray();
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        QJsonObject s = sheets[i].toObject();
        if (s["name"].toString() != QLatin1String("kukukukuVovezuv")) continue;
        QJsonObject cells;
        if (!o1.isNull()) cells["O1"] = o1;
        if (!p1.isNull()) cells["P1"] = p1;
        if (!r1.isNull()) cells["R1"] = r1;
        s["cells"] = cells;
        sheets[i] = s;
    }
    wb["sheets"] = sheets;
    putWorkbook(root, wb);
}

}  // namespace test
