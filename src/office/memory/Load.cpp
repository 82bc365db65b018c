// Reading a desktop file into the built-in office. Every fault names the key it was found at.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <initializer_list>
#include <set>

#include "office/memory/Office.h"

namespace office::memory {

namespace {

class Node {
  public:
    Node(const QString& file, QJsonObject object, QString path)
        : file_(&file), o_(std::move(object)), path_(std::move(path)) {}

    const QString& file() const { return *file_; }
    const QJsonObject& raw() const { return o_; }
    QString at(const QString& key) const { return path_.isEmpty() ? key : path_ + '.' + key; }
    QString path() const { return path_; }

    [[noreturn]] void failAt(const QString& where, const QString& message) const {
        throw DesktopError(QStringLiteral("%1: %2: %3").arg(*file_, where, message).toStdString());
    }
    [[noreturn]] void fail(const QString& key, const QString& message) const {
        failAt(at(key), message);
    }
    [[noreturn]] void failHere(const QString& message) const {
        failAt(path_.isEmpty() ? QStringLiteral("(top)") : path_, message);
    }

    // Unknown keys are an error, so a typo never passes silently.
    void allow(std::initializer_list<const char*> keys) const {
        for (auto it = o_.begin(); it != o_.end(); ++it) {
            bool known = false;
            for (const char* k : keys) known = known || it.key() == QLatin1String(k);
            if (!known) fail(it.key(), QStringLiteral("unknown key"));
        }
    }

    bool has(const QString& key) const { return o_.contains(key); }
    bool hasValue(const QString& key) const { return o_.contains(key) && !o_[key].isNull(); }

    QString string(const QString& key, const QString& fallback = {}) const {
        if (!has(key)) return fallback;
        const auto v = o_[key];
        if (!v.isString()) fail(key, QStringLiteral("expected a string"));
        return v.toString();
    }
    QString required(const QString& key) const {
        if (!has(key)) fail(key, QStringLiteral("missing"));
        const QString s = string(key);
        if (s.isEmpty()) fail(key, QStringLiteral("must not be empty"));
        return s;
    }
    std::optional<QString> nullableString(const QString& key) const {
        if (!hasValue(key)) return std::nullopt;
        return string(key);
    }
    std::optional<QString> optionalString(const QString& key) const {
        if (!has(key)) return std::nullopt;
        return string(key);
    }
    bool boolean(const QString& key, bool fallback) const {
        if (!has(key)) return fallback;
        const auto v = o_[key];
        if (!v.isBool()) fail(key, QStringLiteral("expected true or false"));
        return v.toBool();
    }
    std::optional<bool> optionalBool(const QString& key) const {
        if (!has(key)) return std::nullopt;
        return boolean(key, false);
    }
    double number(const QString& key, double fallback) const {
        if (!has(key)) return fallback;
        const auto v = o_[key];
        if (!v.isDouble()) fail(key, QStringLiteral("expected a number"));
        return v.toDouble();
    }
    std::optional<double> optionalNumber(const QString& key) const {
        if (!has(key)) return std::nullopt;
        return number(key, 0);
    }
    int integer(const QString& key, int fallback) const {
        if (!has(key)) return fallback;
        return wholeNumber(o_[key], at(key));
    }
    std::optional<int> nullableInteger(const QString& key) const {
        if (!hasValue(key)) return std::nullopt;
        return integer(key, 0);
    }
    int wholeNumber(const QJsonValue& v, const QString& where) const {
        const double d = v.toDouble(0.5);
        if (!v.isDouble() || d != static_cast<double>(static_cast<long long>(d)) ||
            d < -2147483648.0 || d > 2147483647.0)
            failAt(where, QStringLiteral("expected a whole number"));
        return static_cast<int>(d);
    }
    QJsonArray array(const QString& key) const {
        if (!has(key)) return {};
        const auto v = o_[key];
        if (!v.isArray()) fail(key, QStringLiteral("expected a list"));
        return v.toArray();
    }
    Node object(const QString& key) const {
        if (has(key) && !o_[key].isObject()) fail(key, QStringLiteral("expected an object"));
        return Node(*file_, o_[key].toObject(), at(key));
    }
    Node element(const QJsonArray& list, const QString& key, qsizetype i) const {
        const QString where = QStringLiteral("%1[%2]").arg(at(key)).arg(i);
        if (!list[i].isObject()) failAt(where, QStringLiteral("expected an object"));
        return Node(*file_, list[i].toObject(), where);
    }
    Node member(const QString& key, const QString& name) const {
        const QString where = QStringLiteral("%1[\"%2\"]").arg(at(key), name);
        const auto v = o_[key].toObject()[name];
        if (!v.isObject()) failAt(where, QStringLiteral("expected an object"));
        return Node(*file_, v.toObject(), where);
    }

  private:
    const QString* file_;
    QJsonObject o_;
    QString path_;
};

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(QString sheet) {
    if (sheet.size() >= 2 && sheet.startsWith('\'') && sheet.endsWith('\''))
        sheet = sheet.mid(1, sheet.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    return sheet;
}

// --- Excel ---

CellRect singleCell(const Node& n, const QString& key, const QString& text) {
    auto a = parseA1(text);
    if (!a || a->size() != 1 || a->front().rows() != 1 || a->front().columns() != 1)
        n.fail(key, QStringLiteral("bad cell address \"%1\"").arg(text));
    return a->front();
}

ChartData loadChartData(const Node& n) {
    ChartData d;
    d.kind = n.string(QStringLiteral("kind"), d.kind);
    static const QStringList kinds{QStringLiteral("column"), QStringLiteral("bar"),
                                   QStringLiteral("line"), QStringLiteral("pie")};
    if (!kinds.contains(d.kind))
        n.fail(QStringLiteral("kind"), QStringLiteral("expected column, bar, line or pie"));
    d.title = n.string(QStringLiteral("title"));
    d.source = n.string(QStringLiteral("source"));
    if (!d.source.isEmpty() && d.source != QLatin1String("#REF!") && !parseReference(d.source))
        n.fail(QStringLiteral("source"), QStringLiteral("bad address \"%1\"").arg(d.source));
    return d;
}

SheetSelection loadSelection(const Node& n, const SheetImpl& sheet) {
    const QString kind = n.required(QStringLiteral("kind"));
    SheetSelection s;
    const bool chartSheet = sheet.type() == xlChart;
    if (kind == QLatin1String("range") && !chartSheet) {
        n.allow({"kind", "address"});
        const QString address = n.required(QStringLiteral("address"));
        auto areas = parseA1(address);
        if (!areas)
            n.fail(QStringLiteral("address"), QStringLiteral("bad address \"%1\"").arg(address));
        s = SheetSelection{Selection::Kind::Range, *areas, {}, {}, {}};
    } else if (kind == QLatin1String("chartArea") || kind == QLatin1String("chartPart")) {
        const bool part = kind == QLatin1String("chartPart");
        if (part)
            n.allow({"kind", "chart", "part"});
        else
            n.allow({"kind", "chart"});
        s.kind = part ? Selection::Kind::ChartPart : Selection::Kind::ChartArea;
        s.areas.clear();
        if (chartSheet) {
            const QString chart = n.string(QStringLiteral("chart"), sheet.name());
            if (chart != sheet.name())
                n.fail(QStringLiteral("chart"),
                       QStringLiteral("a chart sheet's selection is its own chart \"%1\"")
                           .arg(sheet.name()));
        } else {
            s.chart = n.required(QStringLiteral("chart"));
            if (!sheet.findChartObject(s.chart))
                n.fail(QStringLiteral("chart"),
                       QStringLiteral("no chart \"%1\" on the sheet \"%2\"")
                           .arg(s.chart, sheet.name()));
        }
        if (part) s.part = n.required(QStringLiteral("part"));
    } else if (kind == QLatin1String("shape") && !chartSheet) {
        n.allow({"kind", "name"});
        s = SheetSelection{Selection::Kind::Shape, {}, {}, {}, n.required(QStringLiteral("name"))};
    } else {
        n.fail(QStringLiteral("kind"),
               chartSheet ? QStringLiteral("on a chart sheet expected chartArea or chartPart")
                          : QStringLiteral("expected range, chartArea, chartPart or shape"));
    }
    return s;
}

void loadCells(const Node& n, SheetImpl& sheet) {
    const Node cells = n.object(QStringLiteral("cells"));
    const QJsonObject& raw = cells.raw();
    for (auto it = raw.begin(); it != raw.end(); ++it) {
        const CellRect c = singleCell(cells, it.key(), it.key());
        const QJsonValue v = it.value();
        Value value;
        if (v.isString())
            value = v.toString();
        else if (v.isDouble())
            value = v.toDouble();
        else if (v.isBool())
            value = v.toBool();
        else
            cells.fail(it.key(), QStringLiteral("expected a string, a number, true or false"));
        sheet.setCell(c.top, c.left, value);
    }
}

void loadWorksheetParts(const Node& n, SheetImpl& sheet) {
    loadCells(n, sheet);

    const QJsonArray formats = n.array(QStringLiteral("numberFormats"));
    for (qsizetype i = 0; i < formats.size(); ++i) {
        const Node f = n.element(formats, QStringLiteral("numberFormats"), i);
        f.allow({"range", "format"});
        const QString range = f.required(QStringLiteral("range"));
        auto areas = parseA1(range);
        if (!areas)
            f.fail(QStringLiteral("range"), QStringLiteral("bad address \"%1\"").arg(range));
        if (!f.has(QStringLiteral("format")))
            f.fail(QStringLiteral("format"), QStringLiteral("missing"));
        const QString format = f.string(QStringLiteral("format"));
        for (const auto& a : *areas) sheet.setNumberFormat(a, format);
    }

    const QJsonArray rows = n.array(QStringLiteral("hiddenRows"));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString where =
            QStringLiteral("%1[%2]").arg(n.at(QStringLiteral("hiddenRows"))).arg(i);
        const int r = n.wholeNumber(rows[i], where);
        if (r < 1 || r > MaxRows)
            n.failAt(where, QStringLiteral("expected a row number from 1 to %1").arg(MaxRows));
        sheet.hiddenRows.insert(r);
    }
    const QJsonArray columns = n.array(QStringLiteral("hiddenColumns"));
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString where =
            QStringLiteral("%1[%2]").arg(n.at(QStringLiteral("hiddenColumns"))).arg(i);
        const int c = columns[i].isString() ? columnNumber(columns[i].toString()) : 0;
        if (c == 0) n.failAt(where, QStringLiteral("expected column letters such as \"C\""));
        sheet.hiddenColumns.insert(c);
    }

    const QJsonArray charts = n.array(QStringLiteral("charts"));
    std::set<QString> seen;  // a sheet may hold tens of thousands of charts
    for (qsizetype i = 0; i < charts.size(); ++i) {
        const Node c = n.element(charts, QStringLiteral("charts"), i);
        c.allow({"name", "topLeft", "bottomRight", "hidden", "kind", "title", "source"});
        const QString name = c.required(QStringLiteral("name"));
        if (!seen.insert(name.toCaseFolded()).second)
            c.fail(QStringLiteral("name"), QStringLiteral("duplicate chart name \"%1\"").arg(name));
        const CellRect tl =
            singleCell(c, QStringLiteral("topLeft"), c.required(QStringLiteral("topLeft")));
        const CellRect br =
            singleCell(c, QStringLiteral("bottomRight"), c.required(QStringLiteral("bottomRight")));
        if (br.top < tl.top || br.left < tl.left)
            c.fail(QStringLiteral("bottomRight"), QStringLiteral("lies above or left of topLeft"));
        sheet.addChartObject(name, CellRect{tl.top, tl.left, br.top, br.left},
                             c.boolean(QStringLiteral("hidden"), false), loadChartData(c));
    }
}

void loadName(const Node& n, WorkbookImpl& wb) {
    n.allow({"name", "refersTo", "visible"});
    const QString full = n.required(QStringLiteral("name"));
    QString local = full;
    std::shared_ptr<SheetImpl> scope;
    if (int bang = full.lastIndexOf('!'); bang >= 0) {
        const QString sheet = unquoted(full.left(bang));
        scope = wb.findSheet(sheet);
        if (!scope)
            n.fail(QStringLiteral("name"),
                   QStringLiteral("no sheet \"%1\" for the sheet-level name").arg(sheet));
        local = full.mid(bang + 1);
    }
    if (!validDefinedName(local))
        n.fail(QStringLiteral("name"), QStringLiteral("\"%1\" is not a valid name").arg(local));
    if (wb.findNameIn(local, scope.get()))
        n.fail(QStringLiteral("name"), QStringLiteral("duplicate name \"%1\"").arg(full));
    const QString formula = n.required(QStringLiteral("refersTo"));
    if (!formula.startsWith('='))
        n.fail(QStringLiteral("refersTo"),
               QStringLiteral("expected a formula starting with \"=\""));
    auto name = wb.putName(local, scope, n.boolean(QStringLiteral("visible"), true));
    if (auto ref = parseReference(formula)) {
        if (ref->sheet.isEmpty())
            n.fail(QStringLiteral("refersTo"),
                   QStringLiteral("a reference needs its sheet, as in \"=Data!$A$1\""));
        auto sheet = wb.findSheet(ref->sheet);
        // A missing sheet or a chart sheet gives a name without a range, as a broken reference
        // does.
        if (sheet && sheet->type() == xlWorksheet)
            name->setReference({sheet, ref->areas}, formula);
        else
            name->setFormula(formula);
        return;
    }
    if (formula.contains('!') && !formula.contains(QLatin1String("#REF!")) &&
        !formula.contains('('))
        n.fail(QStringLiteral("refersTo"), QStringLiteral("bad reference \"%1\"").arg(formula));
    name->setFormula(formula);
}

void loadPublishObjects(const Node& n, WorkbookImpl& wb) {
    const QJsonArray list = n.array(QStringLiteral("publishObjects"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Node p = n.element(list, QStringLiteral("publishObjects"), i);
        p.allow({"sourceType", "fileName", "sheet", "source", "title", "divId", "autoRepublish"});
        const QString type = p.string(QStringLiteral("sourceType"), QStringLiteral("range"));
        if (type != QLatin1String("range") && type != QLatin1String("chart"))
            p.fail(QStringLiteral("sourceType"), QStringLiteral("expected range or chart"));
        const QString sheet = p.required(QStringLiteral("sheet"));
        if (!wb.findSheet(sheet))
            p.fail(QStringLiteral("sheet"), QStringLiteral("names no sheet: \"%1\"").arg(sheet));
        auto object = wb.addPublishObject(
            type == QLatin1String("chart") ? xlSourceChart : xlSourceRange,
            p.required(QStringLiteral("fileName")), sheet, p.string(QStringLiteral("source")),
            xlHtmlStatic, p.string(QStringLiteral("divId")), p.string(QStringLiteral("title")));
        object->setAutoRepublish(p.boolean(QStringLiteral("autoRepublish"), false));
    }
}

std::shared_ptr<WorkbookImpl> loadWorkbook(const Node& n, ExcelApp& excel,
                                           const QString& path = {}) {
    n.allow({"name", "fullName", "protectStructure", "activeSheet", "selection", "sheets", "names",
             "publishObjects"});
    const QString name = path.isEmpty()
                             ? n.required(QStringLiteral("name"))
                             : n.string(QStringLiteral("name"), QFileInfo(path).fileName());
    auto wb =
        excel.newWorkbook(name, n.string(QStringLiteral("fullName"), path.isEmpty() ? name : path));
    wb->setProtectStructure(n.boolean(QStringLiteral("protectStructure"), false));

    const QJsonArray sheets = n.array(QStringLiteral("sheets"));
    if (sheets.isEmpty())
        n.fail(QStringLiteral("sheets"), QStringLiteral("a workbook holds at least one sheet"));
    std::vector<std::pair<std::shared_ptr<SheetImpl>, Node>> loaded;
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        const Node s = n.element(sheets, QStringLiteral("sheets"), i);
        const QString type = s.string(QStringLiteral("type"), QStringLiteral("worksheet"));
        const bool chart = type == QLatin1String("chart");
        if (!chart && type != QLatin1String("worksheet"))
            s.fail(QStringLiteral("type"), QStringLiteral("expected worksheet or chart"));
        if (chart)
            s.allow({"name", "type", "visible", "chart"});
        else
            s.allow({"name", "type", "visible", "cells", "numberFormats", "hiddenRows",
                     "hiddenColumns", "charts", "selection"});
        const QString sheetName = s.required(QStringLiteral("name"));
        if (!validSheetName(sheetName))
            s.fail(QStringLiteral("name"),
                   QStringLiteral("\"%1\" is not a valid sheet name").arg(sheetName));
        if (wb->findSheet(sheetName))
            s.fail(QStringLiteral("name"),
                   QStringLiteral("duplicate sheet name \"%1\"").arg(sheetName));
        auto sheet = wb->appendSheet(sheetName, chart ? xlChart : xlWorksheet);
        const QJsonValue v = s.raw().value(QStringLiteral("visible"));
        const int visible = v.isUndefined() ? xlSheetVisible
                            : v.isDouble()  ? static_cast<int>(v.toDouble())
                                            : 1;
        if ((visible != xlSheetVisible && visible != xlSheetHidden &&
             visible != xlSheetVeryHidden) ||
            (v.isDouble() && v.toDouble() != visible))
            s.fail(QStringLiteral("visible"), QStringLiteral("expected -1, 0 or 2"));
        sheet->loadVisible(visible);
        if (chart) {
            if (!s.has(QStringLiteral("chart")))
                s.fail(QStringLiteral("chart"), QStringLiteral("missing"));
            const Node c = s.object(QStringLiteral("chart"));
            c.allow({"kind", "title", "source"});
            sheet->setChart(loadChartData(c));
        } else {
            loadWorksheetParts(s, *sheet);
        }
        loaded.emplace_back(sheet, s);
    }

    std::shared_ptr<SheetImpl> active;
    if (auto a = n.nullableString(QStringLiteral("activeSheet"))) {
        active = wb->findSheet(*a);
        if (!active)
            n.fail(QStringLiteral("activeSheet"), QStringLiteral("names no sheet: \"%1\"").arg(*a));
        if (active->visible() != xlSheetVisible)
            n.fail(QStringLiteral("activeSheet"),
                   QStringLiteral("the sheet \"%1\" is hidden").arg(*a));
    } else {
        for (const auto& s : wb->sheetList())
            if (!active && s->visible() == xlSheetVisible) active = s;
        if (!active) n.fail(QStringLiteral("sheets"), QStringLiteral("no sheet is visible"));
    }
    wb->setActiveSheet(active);

    for (auto& [sheet, s] : loaded) {
        if (!s.has(QStringLiteral("selection"))) continue;
        if (sheet == active)
            s.fail(QStringLiteral("selection"),
                   QStringLiteral("the active sheet's selection is the workbook's \"selection\""));
        sheet->selection = loadSelection(s.object(QStringLiteral("selection")), *sheet);
    }
    if (n.has(QStringLiteral("selection")))
        active->selection = loadSelection(n.object(QStringLiteral("selection")), *active);

    const QJsonArray names = n.array(QStringLiteral("names"));
    for (qsizetype i = 0; i < names.size(); ++i)
        loadName(n.element(names, QStringLiteral("names"), i), *wb);
    loadPublishObjects(n, *wb);
    return wb;
}

void loadExcel(const Node& n, ExcelApp& excel) {
    n.allow({"running", "version", "displayAlerts", "screenUpdating", "windowState",
             "activeWorkbook", "workbooks", "openFilename", "files", "macroCalls"});
    excel.running = n.boolean(QStringLiteral("running"), true);
    excel.version_ = n.string(QStringLiteral("version"), excel.version_);
    excel.displayAlerts_ = n.boolean(QStringLiteral("displayAlerts"), true);
    excel.screenUpdating_ = n.boolean(QStringLiteral("screenUpdating"), true);
    excel.windowState_ = n.integer(QStringLiteral("windowState"), excel.windowState_);

    const QJsonArray books = n.array(QStringLiteral("workbooks"));
    for (qsizetype i = 0; i < books.size(); ++i) {
        const Node b = n.element(books, QStringLiteral("workbooks"), i);
        auto wb = loadWorkbook(b, excel);
        for (const auto& other : excel.workbookList())
            if (same(other->name(), wb->name()))
                b.fail(QStringLiteral("name"),
                       QStringLiteral("duplicate workbook name \"%1\"").arg(wb->name()));
        excel.addWorkbook(wb);
    }
    if (auto active = n.nullableString(QStringLiteral("activeWorkbook"))) {
        for (const auto& wb : excel.workbookList())
            if (same(wb->name(), *active)) excel.setActiveWorkbook(wb);
        if (!excel.activeWorkbookImpl())
            n.fail(QStringLiteral("activeWorkbook"),
                   QStringLiteral("names no open workbook: \"%1\"").arg(*active));
    }

    if (n.has(QStringLiteral("openFilename"))) {
        const auto v = n.raw()[QStringLiteral("openFilename")];
        if (v.isString() && !v.toString().isEmpty())
            excel.openFilename = v.toString();
        else if (!(v.isBool() && !v.toBool()))
            n.fail(QStringLiteral("openFilename"), QStringLiteral("expected a path or false"));
    }
    const Node files = n.object(QStringLiteral("files"));
    for (auto it = files.raw().begin(); it != files.raw().end(); ++it)
        excel.files[it.key()] =
            loadWorkbook(n.member(QStringLiteral("files"), it.key()), excel, it.key());

    const QJsonArray calls = n.array(QStringLiteral("macroCalls"));
    for (qsizetype i = 0; i < calls.size(); ++i) {
        if (!calls[i].isString())
            n.failAt(QStringLiteral("%1[%2]").arg(n.at(QStringLiteral("macroCalls"))).arg(i),
                     QStringLiteral("expected a string"));
        excel.macroCalls_.push_back(calls[i].toString());
    }
}

void loadMacros(const Node& n, ExcelApp& excel) {
    for (auto it = n.raw().begin(); it != n.raw().end(); ++it) {
        const QString where = QStringLiteral("%1[\"%2\"]").arg(n.path(), it.key());
        if (!it.value().isObject()) n.failAt(where, QStringLiteral("expected an object"));
        const Node m(n.file(), it.value().toObject(), where);
        m.allow({"opens"});
        excel.macros[it.key()] = Macro{m.optionalString(QStringLiteral("opens"))};
    }
}

// --- clipboard, shapes ---

ClipSource loadSource(const Node& n) {
    n.allow({"workbook", "sheet", "item"});
    return {n.string(QStringLiteral("workbook")), n.string(QStringLiteral("sheet")),
            n.string(QStringLiteral("item"))};
}

void loadClipboard(const Node& root, Clipboard& clipboard) {
    if (!root.hasValue(QStringLiteral("clipboard"))) return;
    const Node n = root.object(QStringLiteral("clipboard"));
    n.allow({"kind", "source"});
    const QString kind = n.required(QStringLiteral("kind"));
    static const QStringList kinds{QStringLiteral("chart"), QStringLiteral("chartPicture"),
                                   QStringLiteral("range"), QStringLiteral("rangePicture")};
    if (!kinds.contains(kind))
        n.fail(QStringLiteral("kind"),
               QStringLiteral("expected chart, chartPicture, range or rangePicture"));
    clipboard.put({kind, loadSource(n.object(QStringLiteral("source")))});
}

Shape loadShape(const Node& n) {
    n.allow({"name", "kind", "source", "left", "top", "width", "height", "lockAspectRatio",
             "shadow", "reflection", "autoShapeType", "adjustments", "text", "font", "wordWrap",
             "shadowFormat", "reflectionFormat"});
    Shape s;
    s.name = n.string(QStringLiteral("name"));
    s.kind = n.required(QStringLiteral("kind"));
    static const QStringList kinds{QStringLiteral("bitmap"),   QStringLiteral("metafile"),
                                   QStringLiteral("editable"), QStringLiteral("embedded"),
                                   QStringLiteral("linked"),   QStringLiteral("table"),
                                   QStringLiteral("label")};
    if (!kinds.contains(s.kind))
        n.fail(QStringLiteral("kind"),
               QStringLiteral(
                   "expected bitmap, metafile, editable, embedded, linked, table or label"));
    if (n.hasValue(QStringLiteral("source")))
        s.source = loadSource(n.object(QStringLiteral("source")));
    s.left = n.number(QStringLiteral("left"), 0);
    s.top = n.number(QStringLiteral("top"), 0);
    s.width = n.number(QStringLiteral("width"), 0);
    s.height = n.number(QStringLiteral("height"), 0);
    s.lockAspectRatio = n.boolean(QStringLiteral("lockAspectRatio"), true);
    s.shadow = n.optionalBool(QStringLiteral("shadow"));
    s.reflection = n.optionalBool(QStringLiteral("reflection"));
    if (n.has(QStringLiteral("autoShapeType")))
        s.autoShapeType = n.integer(QStringLiteral("autoShapeType"), 0);
    if (n.has(QStringLiteral("adjustments"))) {
        std::vector<double> adj;
        const QJsonArray a = n.array(QStringLiteral("adjustments"));
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (!a[i].isDouble())
                n.failAt(QStringLiteral("%1[%2]").arg(n.at(QStringLiteral("adjustments"))).arg(i),
                         QStringLiteral("expected a number"));
            adj.push_back(a[i].toDouble());
        }
        s.adjustments = adj;
    }
    s.text = n.optionalString(QStringLiteral("text"));
    if (n.has(QStringLiteral("font"))) {
        const Node f = n.object(QStringLiteral("font"));
        f.allow({"name", "size", "bold", "italic", "color"});
        s.font =
            Font{f.optionalString(QStringLiteral("name")), f.optionalNumber(QStringLiteral("size")),
                 f.optionalBool(QStringLiteral("bold")), f.optionalBool(QStringLiteral("italic")),
                 f.optionalString(QStringLiteral("color"))};
    }
    s.wordWrap = n.optionalBool(QStringLiteral("wordWrap"));
    if (n.hasValue(QStringLiteral("shadowFormat"))) {
        const Node f = n.object(QStringLiteral("shadowFormat"));
        f.allow({"blur", "size", "offsetX", "offsetY", "color"});
        s.shadowFormat = ShadowFormat{
            f.optionalNumber(QStringLiteral("blur")), f.optionalNumber(QStringLiteral("size")),
            f.optionalNumber(QStringLiteral("offsetX")),
            f.optionalNumber(QStringLiteral("offsetY")), f.optionalString(QStringLiteral("color"))};
    }
    if (n.hasValue(QStringLiteral("reflectionFormat"))) {
        const Node f = n.object(QStringLiteral("reflectionFormat"));
        f.allow({"offset", "size"});
        s.reflectionFormat = ReflectionFormat{f.optionalNumber(QStringLiteral("offset")),
                                              f.optionalNumber(QStringLiteral("size"))};
    }
    return s;
}

std::vector<Shape> loadShapes(const Node& n) {
    std::vector<Shape> out;
    const QJsonArray shapes = n.array(QStringLiteral("shapes"));
    for (qsizetype i = 0; i < shapes.size(); ++i)
        out.push_back(loadShape(n.element(shapes, QStringLiteral("shapes"), i)));
    return out;
}

// --- PowerPoint ---

std::shared_ptr<PresentationImpl> loadPresentation(const Node& n, const QString& path = {}) {
    n.allow({"name", "fullName", "slideWidth", "slideHeight", "window", "slides"});
    auto p = std::make_shared<PresentationImpl>();
    p->name_ = path.isEmpty() ? n.required(QStringLiteral("name"))
                              : n.string(QStringLiteral("name"), QFileInfo(path).fileName());
    p->fullName_ = n.string(QStringLiteral("fullName"), path.isEmpty() ? p->name_ : path);
    p->slideWidth_ = n.number(QStringLiteral("slideWidth"), p->slideWidth_);
    p->slideHeight_ = n.number(QStringLiteral("slideHeight"), p->slideHeight_);

    const QJsonArray slides = n.array(QStringLiteral("slides"));
    for (qsizetype i = 0; i < slides.size(); ++i) {
        const Node s = n.element(slides, QStringLiteral("slides"), i);
        s.allow({"layout", "title", "shapes"});
        Slide slide;
        slide.layout = s.integer(QStringLiteral("layout"), slide.layout);
        if (s.hasValue(QStringLiteral("title"))) {
            const Node t = s.object(QStringLiteral("title"));
            t.allow({"left", "top", "width", "height", "text"});
            TitlePlaceholder title;
            title.left = t.number(QStringLiteral("left"), title.left);
            title.top = t.number(QStringLiteral("top"), title.top);
            title.width = t.number(QStringLiteral("width"), title.width);
            title.height = t.number(QStringLiteral("height"), title.height);
            title.text = t.string(QStringLiteral("text"));
            slide.title = title;
        }
        slide.shapes = loadShapes(s);
        p->slides.push_back(std::make_shared<Slide>(std::move(slide)));
    }

    if (n.hasValue(QStringLiteral("window"))) {
        const Node w = n.object(QStringLiteral("window"));
        w.allow({"viewType", "slideIndex", "title", "showState"});
        WindowData window;
        window.viewType = w.integer(QStringLiteral("viewType"), window.viewType);
        window.slideIndex = w.nullableInteger(QStringLiteral("slideIndex"));
        if (window.slideIndex &&
            (*window.slideIndex < 1 || *window.slideIndex > static_cast<int>(p->slides.size())))
            w.fail(QStringLiteral("slideIndex"),
                   QStringLiteral("expected a slide number from 1 to %1").arg(p->slides.size()));
        window.title =
            w.string(QStringLiteral("title"), p->name_ + QStringLiteral(" - PowerPoint"));
        if (w.hasValue(QStringLiteral("showState")))
            window.showState = w.integer(QStringLiteral("showState"), 1);
        p->window = window;
    }
    return p;
}

void loadPowerPoint(const Node& n, PowerPointApp& pp) {
    n.allow(
        {"running", "version", "activePresentation", "slideShowRunning", "presentations", "files"});
    pp.running = n.boolean(QStringLiteral("running"), true);
    pp.version_ = n.string(QStringLiteral("version"), pp.version_);
    pp.slideShowRunning = n.boolean(QStringLiteral("slideShowRunning"), false);
    const QJsonArray list = n.array(QStringLiteral("presentations"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Node p = n.element(list, QStringLiteral("presentations"), i);
        auto presentation = loadPresentation(p);
        if (pp.find(presentation->name_))
            p.fail(QStringLiteral("name"),
                   QStringLiteral("duplicate presentation name \"%1\"").arg(presentation->name_));
        pp.add(presentation);
    }
    if (auto active = n.nullableString(QStringLiteral("activePresentation"))) {
        auto p = pp.find(*active);
        if (!p)
            n.fail(QStringLiteral("activePresentation"),
                   QStringLiteral("names no open presentation: \"%1\"").arg(*active));
        pp.setActive(p);
    }
    const Node files = n.object(QStringLiteral("files"));
    for (auto it = files.raw().begin(); it != files.raw().end(); ++it)
        pp.files[it.key()] =
            loadPresentation(n.member(QStringLiteral("files"), it.key()), it.key());
}

// --- Word ---

std::optional<int> loadAlignment(const Node& n) {
    if (!n.has(QStringLiteral("alignment"))) return std::nullopt;
    const int a = n.integer(QStringLiteral("alignment"), 0);
    if (a < 0 || a > 3) n.fail(QStringLiteral("alignment"), QStringLiteral("expected 0 to 3"));
    return a;
}

Block loadBlock(const Node& n) {
    Block b;
    static const char* kinds[] = {"paragraph", "inlineShape", "floatingShape", "table", "caption"};
    int found = 0;
    for (const char* k : kinds) found += n.has(QLatin1String(k)) ? 1 : 0;
    if (found != 1)
        n.failHere(QStringLiteral(
            "expected one of paragraph, inlineShape, floatingShape, table or caption"));
    b.alignment = loadAlignment(n);
    if (n.has(QStringLiteral("paragraph"))) {
        n.allow({"paragraph", "pageBreakBefore", "alignment"});
        b.kind = Block::Kind::Paragraph;
        b.text = n.string(QStringLiteral("paragraph"));
        b.pageBreakBefore = n.boolean(QStringLiteral("pageBreakBefore"), false);
    } else if (n.has(QStringLiteral("inlineShape")) || n.has(QStringLiteral("floatingShape"))) {
        const bool inlined = n.has(QStringLiteral("inlineShape"));
        n.allow({inlined ? "inlineShape" : "floatingShape", "alignment", "shadowFormat"});
        b.kind = inlined ? Block::Kind::InlineShape : Block::Kind::FloatingShape;
        b.shape = loadShape(
            n.object(inlined ? QStringLiteral("inlineShape") : QStringLiteral("floatingShape")));
        if (n.has(QStringLiteral("shadowFormat"))) {
            const Node f = n.object(QStringLiteral("shadowFormat"));
            f.allow({"type", "size", "blur"});
            office::ShadowFormat shadow;
            shadow.type = f.integer(QStringLiteral("type"), shadow.type);
            shadow.size = f.number(QStringLiteral("size"), shadow.size);
            shadow.blur = f.number(QStringLiteral("blur"), shadow.blur);
            b.shadowFormat = shadow;
        }
    } else if (n.has(QStringLiteral("table"))) {
        n.allow({"table", "alignment"});
        b.kind = Block::Kind::Table;
        const QJsonArray rows = n.array(QStringLiteral("table"));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QString where =
                QStringLiteral("%1[%2]").arg(n.at(QStringLiteral("table"))).arg(i);
            if (!rows[i].isArray()) n.failAt(where, QStringLiteral("expected a list of texts"));
            std::vector<QString> row;
            for (const auto& cell : rows[i].toArray()) {
                if (!cell.isString()) n.failAt(where, QStringLiteral("expected a list of texts"));
                row.push_back(cell.toString());
            }
            b.table.push_back(std::move(row));
        }
    } else {
        n.allow({"caption", "alignment"});
        b.kind = Block::Kind::Caption;
        const Node c = n.object(QStringLiteral("caption"));
        c.allow({"label", "number", "title"});
        b.captionLabel = c.string(QStringLiteral("label"), QStringLiteral("Figure"));
        b.captionNumber = c.integer(QStringLiteral("number"), 1);
        b.text = c.string(QStringLiteral("title"));
    }
    return b;
}

// The selection: its text, found in the paragraph given (or the first that holds it), or an
// insertion point at "start" of that paragraph; without either, the start of the document.
void loadSelection(const Node& sel, DocumentImpl& doc) {
    sel.allow({"text", "paragraph", "start"});
    const QString text = sel.string(QStringLiteral("text"));
    auto& s = doc.selection;
    const int blocks = static_cast<int>(doc.content.size());
    std::optional<int> paragraph;
    if (sel.has(QStringLiteral("paragraph"))) {
        paragraph = sel.integer(QStringLiteral("paragraph"), 0);
        if (*paragraph < 0 || *paragraph >= std::max(blocks, 1))
            sel.fail(QStringLiteral("paragraph"), QStringLiteral("no such block in content"));
    }
    if (sel.has(QStringLiteral("start"))) {
        const int block = paragraph.value_or(0);
        const int length = blocks ? doc.content[static_cast<size_t>(block)].length() : 0;
        s.block = block;
        s.start = sel.integer(QStringLiteral("start"), 0);
        s.end = s.start + static_cast<int>(text.size());
        if (s.start < 0 || s.end > length ||
            (!text.isEmpty() &&
             doc.content[static_cast<size_t>(block)].text.mid(s.start, text.size()) != text))
            sel.fail(QStringLiteral("start"),
                     QStringLiteral("the selection's text is not at this place"));
        return;
    }
    if (text.isEmpty()) {
        s.block = paragraph.value_or(0);
        return;
    }
    for (int i = paragraph.value_or(0); i < (paragraph ? *paragraph + 1 : blocks); ++i) {
        const auto& b = doc.content[static_cast<size_t>(i)];
        const auto at = b.isParagraph() ? b.text.indexOf(text) : -1;
        if (at >= 0) {
            s = {i, static_cast<int>(at), static_cast<int>(at + text.size()), {}};
            return;
        }
    }
    sel.fail(QStringLiteral("text"), QStringLiteral("not found in the document's paragraphs"));
}

void loadWord(const Node& n, WordApp& word) {
    n.allow({"running", "activeDocument", "documents", "visible", "activations", "captionLabels"});
    word.running = n.boolean(QStringLiteral("running"), true);
    word.visible = n.boolean(QStringLiteral("visible"), true);
    word.activations = n.integer(QStringLiteral("activations"), 0);
    const QJsonArray labels = n.array(QStringLiteral("captionLabels"));
    for (qsizetype i = 0; i < labels.size(); ++i) {
        if (!labels[i].isString() || labels[i].toString().trimmed().isEmpty())
            n.failAt(QStringLiteral("%1[%2]").arg(n.at(QStringLiteral("captionLabels"))).arg(i),
                     QStringLiteral("expected a label name"));
        word.addCaptionLabel(labels[i].toString());
    }
    const QJsonArray docs = n.array(QStringLiteral("documents"));
    for (qsizetype i = 0; i < docs.size(); ++i) {
        const Node d = n.element(docs, QStringLiteral("documents"), i);
        d.allow({"name", "fullName", "pageSetup", "content", "selection"});
        auto doc = std::make_shared<DocumentImpl>();
        doc->name_ = d.required(QStringLiteral("name"));
        for (const auto& other : word.list)
            if (same(other->name_, doc->name_))
                d.fail(QStringLiteral("name"),
                       QStringLiteral("duplicate document name \"%1\"").arg(doc->name_));
        doc->fullName_ = d.string(QStringLiteral("fullName"), doc->name_);
        const Node ps = d.object(QStringLiteral("pageSetup"));
        ps.allow(
            {"pageWidth", "pageHeight", "leftMargin", "rightMargin", "topMargin", "bottomMargin"});
        auto& p = doc->pageSetup;
        p.pageWidth = ps.number(QStringLiteral("pageWidth"), p.pageWidth);
        p.pageHeight = ps.number(QStringLiteral("pageHeight"), p.pageHeight);
        p.leftMargin = ps.number(QStringLiteral("leftMargin"), p.leftMargin);
        p.rightMargin = ps.number(QStringLiteral("rightMargin"), p.rightMargin);
        p.topMargin = ps.number(QStringLiteral("topMargin"), p.topMargin);
        p.bottomMargin = ps.number(QStringLiteral("bottomMargin"), p.bottomMargin);
        const QJsonArray content = d.array(QStringLiteral("content"));
        for (qsizetype j = 0; j < content.size(); ++j)
            doc->addBlock(loadBlock(d.element(content, QStringLiteral("content"), j)));
        loadSelection(d.object(QStringLiteral("selection")), *doc);
        word.list.push_back(doc);
    }
    if (auto active = n.nullableString(QStringLiteral("activeDocument"))) {
        for (const auto& d : word.list)
            if (same(d->name_, *active)) word.setActive(d);
        if (!word.activeDocumentImpl())
            n.fail(QStringLiteral("activeDocument"),
                   QStringLiteral("names no open document: \"%1\"").arg(*active));
    }
}

QString syntaxError(const QByteArray& json, const QJsonParseError& e) {
    int line = 1, column = 1;
    for (int i = 0; i < e.offset && i < json.size(); ++i) {
        if (json[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2 (offset %3): %4")
        .arg(line)
        .arg(column)
        .arg(e.offset)
        .arg(e.errorString());
}

}  // namespace

std::unique_ptr<Office> Office::fromJson(const QByteArray& json, const QString& nameForMessages) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw DesktopError(
            QStringLiteral("%1: %2").arg(nameForMessages, syntaxError(json, error)).toStdString());
    if (!doc.isObject())
        throw DesktopError(
            QStringLiteral("%1: expected an object at the top").arg(nameForMessages).toStdString());

    auto office = std::make_unique<Office>();
    const Node root(nameForMessages, doc.object(), {});
    root.allow({"excel", "powerpoint", "word", "macros", "clipboard"});
    if (root.has(QStringLiteral("excel")))
        loadExcel(root.object(QStringLiteral("excel")), *office->excel_);
    if (root.has(QStringLiteral("powerpoint")))
        loadPowerPoint(root.object(QStringLiteral("powerpoint")), *office->powerPoint_);
    if (root.has(QStringLiteral("word")))
        loadWord(root.object(QStringLiteral("word")), *office->word_);
    loadMacros(root.object(QStringLiteral("macros")), *office->excel_);
    loadClipboard(root, *office->clipboard_);
    return office;
}

}  // namespace office::memory
