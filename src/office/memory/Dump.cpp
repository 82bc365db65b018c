// Writing the built-in office's whole state in the desktop format, so that a run reads as
// desktop in, desktop out, and a dump loads again as the same desktop.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "office/memory/Office.h"

namespace office::memory {

namespace {

QString sheetTypeName(int type) {
    return type == xlChart ? QStringLiteral("chart") : QStringLiteral("worksheet");
}

QJsonValue cellValue(const Value& v) {
    if (auto s = std::get_if<QString>(&v)) return *s;
    if (auto d = std::get_if<double>(&v)) return *d;
    if (auto b = std::get_if<bool>(&v)) return *b;
    return QJsonValue::Null;
}

QJsonObject chartData(const ChartData& d) {
    return {{"kind", d.kind}, {"title", d.title}, {"source", d.source}};
}

QString selectionKind(Selection::Kind k) {
    switch (k) {
        case Selection::Kind::Range:
            return QStringLiteral("range");
        case Selection::Kind::ChartArea:
            return QStringLiteral("chartArea");
        case Selection::Kind::ChartPart:
            return QStringLiteral("chartPart");
        case Selection::Kind::Shape:
            return QStringLiteral("shape");
        case Selection::Kind::None:
            break;
    }
    return {};
}

QJsonObject selection(const SheetSelection& s, const SheetImpl& sheet) {
    QJsonObject o{{"kind", selectionKind(s.kind)}};
    switch (s.kind) {
        case Selection::Kind::Range:
            o["address"] = plainAddress(s.areas);
            break;
        case Selection::Kind::ChartArea:
        case Selection::Kind::ChartPart:
            o["chart"] = sheet.type() == xlChart ? sheet.name() : s.chart;
            if (s.kind == Selection::Kind::ChartPart) o["part"] = s.part;
            break;
        case Selection::Kind::Shape:
            o["name"] = s.shape;
            break;
        case Selection::Kind::None:
            break;
    }
    return o;
}

bool defaultSelection(const SheetSelection& s, const SheetImpl& sheet) {
    return sheet.type() == xlChart ? s.kind == Selection::Kind::ChartArea : s == SheetSelection{};
}

QJsonObject sheet(const SheetImpl& s, bool active) {
    QJsonObject o{{"name", s.name()}, {"type", sheetTypeName(s.type())}, {"visible", s.visible()}};
    if (s.type() == xlChart) {
        o["chart"] = chartData(s.chartSheetChart()->data);
        return o;
    }
    QJsonObject cells;
    s.cellStore().forEach([&](int r, int c, const Value& v) {
        cells[columnLetters(c) + QString::number(r)] = cellValue(v);
    });
    o["cells"] = cells;
    QJsonArray formats;
    for (const auto& f : s.formats())
        formats.append(QJsonObject{{"range", plainAddress(f.rect)}, {"format", f.format}});
    o["numberFormats"] = formats;
    QJsonArray rows, columns;
    for (int r : s.hiddenRows) rows.append(r);
    for (int c : s.hiddenColumns) columns.append(columnLetters(c));
    o["hiddenRows"] = rows;
    o["hiddenColumns"] = columns;
    QJsonArray charts;
    for (const auto& co : s.chartList()) {
        QJsonObject c = chartData(co->chartImpl()->data);
        c["name"] = co->name();
        c["topLeft"] = plainAddress(
            CellRect{co->anchor.top, co->anchor.left, co->anchor.top, co->anchor.left});
        c["bottomRight"] = plainAddress(
            CellRect{co->anchor.bottom, co->anchor.right, co->anchor.bottom, co->anchor.right});
        c["hidden"] = co->hidden;
        charts.append(c);
    }
    o["charts"] = charts;
    // The active sheet's selection is the workbook's; other sheets keep their own.
    if (!active && !defaultSelection(s.selection, s)) o["selection"] = selection(s.selection, s);
    return o;
}

QJsonObject workbook(const WorkbookImpl& wb) {
    auto active = wb.activeSheetImpl();
    QJsonArray sheets;
    for (const auto& s : wb.sheetList()) sheets.append(sheet(*s, s == active));
    QJsonArray names;
    for (const auto& n : wb.nameList())
        names.append(QJsonObject{
            {"name", n->name()}, {"refersTo", n->refersTo()}, {"visible", n->visible()}});
    QJsonObject o{{"name", wb.name()},
                  {"fullName", wb.fullName()},
                  {"protectStructure", wb.protectStructure()},
                  {"activeSheet", active ? QJsonValue(active->name()) : QJsonValue::Null},
                  {"sheets", sheets},
                  {"names", names}};
    if (active) o["selection"] = selection(active->selection, *active);
    QJsonArray published;
    for (const auto& p : wb.publishList())
        published.append(
            QJsonObject{{"sourceType", p->sourceType() == xlSourceChart ? "chart" : "range"},
                        {"fileName", p->fileName()},
                        {"sheet", p->sheet()},
                        {"source", p->source()},
                        {"title", p->title()},
                        {"divId", p->settings().divId},
                        {"autoRepublish", p->autoRepublish()}});
    if (!published.isEmpty()) o["publishObjects"] = published;
    return o;
}

QJsonObject excelJson(const ExcelApp& x) {
    QJsonArray books;
    for (const auto& wb : x.workbookList()) books.append(workbook(*wb));
    QJsonObject files;
    for (const auto& [path, wb] : x.files) files[path] = workbook(*wb);
    QJsonArray calls;
    for (const auto& c : x.macroCalls()) calls.append(c);
    auto active = x.activeWorkbookImpl();
    return {{"running", x.running},
            {"version", x.version_},
            {"displayAlerts", x.displayAlerts_},
            {"screenUpdating", x.screenUpdating_},
            {"windowState", x.windowState_},
            {"activeWorkbook", active ? QJsonValue(active->name()) : QJsonValue::Null},
            {"workbooks", books},
            {"openFilename", x.openFilename ? QJsonValue(*x.openFilename) : QJsonValue(false)},
            {"files", files},
            {"macroCalls", calls}};
}

QJsonObject source(const ClipSource& s) {
    return {{"workbook", s.workbook}, {"sheet", s.sheet}, {"item", s.item}};
}

QJsonObject shape(const Shape& s) {
    QJsonObject o{{"kind", s.kind},   {"left", s.left},     {"top", s.top},
                  {"width", s.width}, {"height", s.height}, {"lockAspectRatio", s.lockAspectRatio}};
    if (!s.name.isEmpty()) o["name"] = s.name;
    if (s.source) o["source"] = source(*s.source);
    if (s.shadow) o["shadow"] = *s.shadow;
    if (s.reflection) o["reflection"] = *s.reflection;
    if (s.autoShapeType) o["autoShapeType"] = *s.autoShapeType;
    if (s.adjustments) {
        QJsonArray a;
        for (double d : *s.adjustments) a.append(d);
        o["adjustments"] = a;
    }
    if (s.text) o["text"] = *s.text;
    if (s.font) {
        QJsonObject f;
        if (s.font->name) f["name"] = *s.font->name;
        if (s.font->size) f["size"] = *s.font->size;
        if (s.font->bold) f["bold"] = *s.font->bold;
        if (s.font->italic) f["italic"] = *s.font->italic;
        if (s.font->color) f["color"] = *s.font->color;
        o["font"] = f;
    }
    if (s.wordWrap) o["wordWrap"] = *s.wordWrap;
    if (s.shadowFormat) {
        QJsonObject f;
        if (s.shadowFormat->blur) f["blur"] = *s.shadowFormat->blur;
        if (s.shadowFormat->size) f["size"] = *s.shadowFormat->size;
        if (s.shadowFormat->offsetX) f["offsetX"] = *s.shadowFormat->offsetX;
        if (s.shadowFormat->offsetY) f["offsetY"] = *s.shadowFormat->offsetY;
        if (s.shadowFormat->color) f["color"] = *s.shadowFormat->color;
        o["shadowFormat"] = f;
    }
    if (s.reflectionFormat) {
        QJsonObject f;
        if (s.reflectionFormat->offset) f["offset"] = *s.reflectionFormat->offset;
        if (s.reflectionFormat->size) f["size"] = *s.reflectionFormat->size;
        o["reflectionFormat"] = f;
    }
    return o;
}

QJsonArray shapes(const std::vector<Shape>& list) {
    QJsonArray a;
    for (const auto& s : list) a.append(shape(s));
    return a;
}

QJsonObject presentation(const PresentationImpl& p) {
    QJsonArray slides;
    for (const auto& sp : p.slides) {
        const Slide& s = *sp;
        QJsonObject slide{{"layout", s.layout}, {"shapes", shapes(s.shapes)}};
        slide["title"] = s.title ? QJsonValue(QJsonObject{{"left", s.title->left},
                                                          {"top", s.title->top},
                                                          {"width", s.title->width},
                                                          {"height", s.title->height},
                                                          {"text", s.title->text}})
                                 : QJsonValue::Null;
        slides.append(slide);
    }
    QJsonObject o{{"name", p.name_},
                  {"fullName", p.fullName_},
                  {"slideWidth", p.slideWidth_},
                  {"slideHeight", p.slideHeight_},
                  {"slides", slides}};
    if (p.window) {
        QJsonObject w{{"viewType", p.window->viewType},
                      {"slideIndex",
                       p.window->slideIndex ? QJsonValue(*p.window->slideIndex) : QJsonValue::Null},
                      {"title", p.window->title}};
        if (p.window->showState) w["showState"] = *p.window->showState;
        o["window"] = w;
    }
    return o;
}

QJsonObject powerPointJson(const PowerPointApp& pp) {
    QJsonArray list;
    for (const auto& p : pp.list) list.append(presentation(*p));
    QJsonObject files;
    for (const auto& [path, p] : pp.files) files[path] = presentation(*p);
    auto active = pp.activePresentationImpl();
    return {{"running", pp.running},
            {"version", pp.version_},
            {"activePresentation", active ? QJsonValue(active->name_) : QJsonValue::Null},
            {"slideShowRunning", pp.slideShowRunning},
            {"presentations", list},
            {"files", files}};
}

QJsonObject blockBody(const Block& b) {
    switch (b.kind) {
        case Block::Kind::Paragraph:
            return {{"paragraph", b.text}, {"pageBreakBefore", b.pageBreakBefore}};
        case Block::Kind::InlineShape:
            return {{"inlineShape", shape(b.shape)}};
        case Block::Kind::FloatingShape:
            return {{"floatingShape", shape(b.shape)}};
        case Block::Kind::Table: {
            QJsonArray rows;
            for (const auto& r : b.table)
                rows.append(QJsonArray::fromStringList(QStringList(r.begin(), r.end())));
            return {{"table", rows}};
        }
        case Block::Kind::Caption: {
            QJsonObject c{{"label", b.captionLabel}, {"number", b.captionNumber}};
            if (!b.text.isEmpty()) c["title"] = b.text;
            return {{"caption", c}};
        }
    }
    return {};
}

QJsonObject block(const Block& b) {
    QJsonObject o = blockBody(b);
    if (b.alignment) o["alignment"] = *b.alignment;
    if (b.shadowFormat)
        o["shadowFormat"] = QJsonObject{{"type", b.shadowFormat->type},
                                        {"size", b.shadowFormat->size},
                                        {"blur", b.shadowFormat->blur}};
    return o;
}

QJsonObject wordJson(const WordApp& w) {
    QJsonArray docs;
    for (const auto& d : w.list) {
        const auto& p = d->pageSetup;
        QJsonArray content;
        for (const auto& b : d->content) content.append(block(b));
        QJsonObject selection{{"text", d->selectedText()}};
        if (!d->content.empty()) {
            selection["paragraph"] = d->selection.block;
            selection["start"] = d->selection.start;
        }
        docs.append(QJsonObject{{"name", d->name_},
                                {"fullName", d->fullName_},
                                {"pageSetup", QJsonObject{{"pageWidth", p.pageWidth},
                                                          {"pageHeight", p.pageHeight},
                                                          {"leftMargin", p.leftMargin},
                                                          {"rightMargin", p.rightMargin},
                                                          {"topMargin", p.topMargin},
                                                          {"bottomMargin", p.bottomMargin}}},
                                {"content", content},
                                {"selection", selection}});
    }
    auto active = w.activeDocumentImpl();
    return {{"running", w.running},
            {"visible", w.visible},
            {"activations", w.activations},
            {"captionLabels", QJsonArray::fromStringList(
                                  QStringList(w.captionLabels.begin(), w.captionLabels.end()))},
            {"activeDocument", active ? QJsonValue(active->name_) : QJsonValue::Null},
            {"documents", docs}};
}

}  // namespace

QByteArray Office::toJson() const {
    QJsonObject macros;
    for (const auto& [name, m] : excel_->macros)
        macros[name] = m.opens ? QJsonObject{{"opens", *m.opens}} : QJsonObject{};
    const auto& clip = clipboard_->content();
    QJsonObject root{{"excel", excelJson(*excel_)},
                     {"powerpoint", powerPointJson(*powerPoint_)},
                     {"word", wordJson(*word_)},
                     {"macros", macros},
                     {"clipboard", clip ? QJsonValue(QJsonObject{{"kind", clip->kind},
                                                                 {"source", source(clip->source)}})
                                        : QJsonValue::Null}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace office::memory
