#include "office/memory/Documents.h"

#include <QSvgRenderer>
#include <algorithm>

#include "office/Error.h"
#include "office/memory/Render.h"
#include "office/memory/Spreadsheet.h"

namespace office::memory {

namespace {

[[noreturn]] void refuse(const QString& text) {
    throw Error(errors::Application, text);
}

[[noreturn]] void gone() {
    throw Error(errors::ObjectRequired, QStringLiteral("The object has been deleted."));
}

bool sameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A pasted picture is as large as its pixels at 96 dpi.
constexpr double PointsPerPixel = 0.75;
constexpr double DefaultWidth = 360, DefaultHeight = 216;

class MemoryRange : public office::TextRange {
  public:
    MemoryRange(std::weak_ptr<DocumentImpl> doc, TextPosition start, TextPosition end)
        : doc_(std::move(doc)), start_(start), end_(end) {}

    void collapse(int direction) override {
        if (direction == wdCollapseEnd)
            start_ = end_;
        else if (direction == wdCollapseStart)
            end_ = start_;
        else
            refuse(QStringLiteral("Bad parameter"));
    }

    void insertParagraphAfter() override {
        auto& d = live();
        d.ensureParagraph();
        const int added = d.splitAt(end_);
        end_ = {added, 0};
    }

    void setPageBreakBefore(bool on) override {
        auto& d = live();
        d.ensureParagraph();
        for (int i = start_.block; i <= end_.block && i < static_cast<int>(d.content.size()); ++i)
            if (d.content[static_cast<size_t>(i)].isParagraph())
                d.content[static_cast<size_t>(i)].pageBreakBefore = on;
    }

    void select() override {
        auto& d = live();
        d.ensureParagraph();
        d.selection = {end_.block, start_.block == end_.block ? start_.offset : 0, end_.offset, {}};
    }

  private:
    DocumentImpl& live() const {
        auto d = doc_.lock();
        if (!d) gone();
        return *d;
    }
    std::weak_ptr<DocumentImpl> doc_;
    TextPosition start_, end_;
};

class MemoryShape : public office::DocumentShape {
  public:
    MemoryShape(std::weak_ptr<DocumentImpl> doc, int id) : doc_(std::move(doc)), id_(id) {}

    double width() const override { return block().shape.width; }
    double height() const override { return block().shape.height; }
    void setWidth(double w) override { resize(w, true); }
    void setHeight(double h) override { resize(h, false); }
    void setShadow(const office::ShadowFormat& f) override {
        auto& b = block();
        b.shadowFormat = f;
        b.shape.shadow = true;
    }
    void select() override {
        auto d = doc_.lock();
        if (!d) gone();
        const int at = d->indexOf(id_);
        if (at < 0) gone();
        if (block().kind == Block::Kind::FloatingShape)
            d->selection = {d->selection.block, d->selection.end, d->selection.end, id_};
        else
            d->selection = {at, 0, 1, {}};
    }

  private:
    Block& block() const {
        auto d = doc_.lock();
        Block* b = d ? d->findBlock(id_) : nullptr;
        if (!b) gone();
        return *b;
    }
    // A locked aspect ratio carries the other side along, as the word processor does.
    void resize(double value, bool width) {
        if (value <= 0) refuse(QStringLiteral("The value is out of range."));
        auto& s = block().shape;
        double& side = width ? s.width : s.height;
        double& other = width ? s.height : s.width;
        if (s.lockAspectRatio && side > 0) other = other * value / side;
        side = value;
    }
    std::weak_ptr<DocumentImpl> doc_;
    int id_;
};

}  // namespace

// ---- DocumentImpl

std::shared_ptr<office::TextRange> DocumentImpl::range() {
    return std::make_shared<MemoryRange>(weak_from_this(), TextPosition{0, 0}, endPosition());
}

TextPosition DocumentImpl::endPosition() const {
    if (content.empty()) return {0, 0};
    return {static_cast<int>(content.size()) - 1, content.back().length()};
}

int DocumentImpl::count(Block::Kind kind) const {
    return static_cast<int>(std::count_if(content.begin(), content.end(),
                                          [&](const Block& b) { return b.kind == kind; }));
}

std::shared_ptr<office::DocumentShape> DocumentImpl::nth(Block::Kind kind, int index) {
    int seen = 0;
    for (const auto& b : content)
        if (b.kind == kind && ++seen == index)
            return std::make_shared<MemoryShape>(weak_from_this(), b.id);
    throw Error(errors::NotFound,
                QStringLiteral("The requested member of the collection does not exist."));
}

std::shared_ptr<office::DocumentShape> DocumentImpl::inlineShape(int index) {
    return nth(Block::Kind::InlineShape, index);
}

std::shared_ptr<office::DocumentShape> DocumentImpl::shape(int index) {
    return nth(Block::Kind::FloatingShape, index);
}

void DocumentImpl::addBlock(Block b) {
    insertBlock(static_cast<int>(content.size()), std::move(b));
}

int DocumentImpl::insertBlock(int index, Block b) {
    b.id = nextId_++;
    const int id = b.id;
    content.insert(content.begin() + index, std::move(b));
    return id;
}

Block* DocumentImpl::findBlock(int id) {
    const int at = indexOf(id);
    return at < 0 ? nullptr : &content[static_cast<size_t>(at)];
}

int DocumentImpl::indexOf(int id) const {
    for (size_t i = 0; i < content.size(); ++i)
        if (content[i].id == id) return static_cast<int>(i);
    return -1;
}

void DocumentImpl::ensureParagraph() {
    if (content.empty()) {
        addBlock(Block{});
        selection = {};
    }
}

QString DocumentImpl::selectedText() const {
    if (selection.shapeId || content.empty()) return {};
    const auto& b = content[static_cast<size_t>(selection.block)];
    if (!b.isParagraph()) return {};
    return b.text.mid(selection.start, selection.end - selection.start);
}

void DocumentImpl::deleteSelectedText() {
    ensureParagraph();
    auto& s = selection;
    s.shapeId.reset();
    auto& b = content[static_cast<size_t>(s.block)];
    if (b.isParagraph()) b.text.remove(s.start, s.end - s.start);
    s.end = s.start;
}

int DocumentImpl::splitAt(TextPosition at) {
    ensureParagraph();
    const auto index = static_cast<size_t>(at.block);
    const Block& here = content[index];
    Block added;
    if (here.isParagraph()) {
        added.pageBreakBefore = here.pageBreakBefore;
        added.alignment = here.alignment;
        added.text = here.text.mid(at.offset);
        content[index].text.truncate(at.offset);
        insertBlock(at.block + 1, std::move(added));
        return at.block + 1;
    }
    // Before or after a one-character block.
    const int where = at.offset == 0 ? at.block : at.block + 1;
    insertBlock(where, std::move(added));
    return where;
}

int DocumentImpl::insertAtSelection(Block b) {
    deleteSelectedText();
    const int at = selection.block;
    const Block& here = content[static_cast<size_t>(at)];
    int where;
    if (here.isParagraph() && here.text.isEmpty() && !here.pageBreakBefore) {
        b.id = nextId_++;  // the paragraph now holds the item
        content[static_cast<size_t>(at)] = std::move(b);
        where = at;
    } else if (here.isParagraph() && selection.start > 0 && selection.start < here.length()) {
        where = splitAt({at, selection.start});
        insertBlock(where, std::move(b));
    } else if (selection.start == 0 && !(here.isParagraph() && here.pageBreakBefore)) {
        where = at;
        insertBlock(where, std::move(b));
    } else {
        where = at + 1;
        insertBlock(where, std::move(b));
    }
    selection = {where, 1, 1, {}};
    return where;
}

void DocumentImpl::renumberCaptions(const QString& label) {
    int n = 0;
    for (auto& b : content)
        if (b.kind == Block::Kind::Caption && sameText(b.captionLabel, label))
            b.captionNumber = ++n;
}

// ---- WordApp

std::vector<std::shared_ptr<office::Document>> WordApp::documents() const {
    return {list.begin(), list.end()};
}

DocumentImpl& WordApp::document() const {
    auto d = active_.lock();
    if (!d) refuse(QStringLiteral("This command is not available because no document is open."));
    return *d;
}

QString WordApp::selectionText() const {
    return document().selectedText();
}

PageSetup WordApp::selectionPageSetup() const {
    return document().pageSetup;
}

void WordApp::typeParagraph() {
    auto& d = document();
    d.deleteSelectedText();
    const int added = d.splitAt({d.selection.block, d.selection.start});
    d.selection = {added, 0, 0, {}};
}

void WordApp::moveDown(int unit, int count) {
    // A line of the built-in office is its paragraph.
    if (unit != wdLine && unit != 4 /*wdParagraph*/ && unit != 7 /*wdScreen*/)
        refuse(QStringLiteral("Bad parameter"));
    auto& d = document();
    d.ensureParagraph();
    auto& s = d.selection;
    s.shapeId.reset();
    for (int i = 0; i < count; ++i) {
        if (s.block + 1 < static_cast<int>(d.content.size())) {
            ++s.block;
            s.start = s.end = 0;
        } else {
            s.start = s.end = d.content.back().length();
            break;
        }
    }
}

void WordApp::homeKey(int unit) {
    auto& d = document();
    d.ensureParagraph();
    if (unit == wdLine)
        d.selection = {d.selection.block, 0, 0, {}};
    else if (unit == wdStory)
        d.selection = {};
    else
        refuse(QStringLiteral("Bad parameter"));
}

Block WordApp::pictureBlock(const ClipContent& clip, const QString& kind) const {
    Block b;
    b.kind = Block::Kind::InlineShape;
    b.shape.kind = kind;
    b.shape.source = clip.source;
    b.shape.lockAspectRatio = false;
    b.shape.width = DefaultWidth;
    b.shape.height = DefaultHeight;
    if (auto picture = clipboard_->picture(office::Clipboard::Format::Any)) {
        QSizeF size = picture->bitmap.size();
        if (picture->bitmap.isNull()) size = QSvgRenderer(picture->svg).defaultSize();
        if (!size.isEmpty()) {
            b.shape.width = size.width() * PointsPerPixel;
            b.shape.height = size.height() * PointsPerPixel;
        }
    }
    return b;
}

namespace {

Block tableOf(const ExcelApp* excel, const ClipSource& source) {
    std::shared_ptr<WorkbookImpl> book;
    if (excel)
        for (const auto& wb : excel->workbookList())
            if (sameText(wb->name(), source.workbook)) book = wb;
    auto sheet = book ? book->findSheet(source.sheet) : nullptr;
    const auto areas = office::parseA1(source.item);
    if (!sheet || !areas || areas->empty())
        refuse(QStringLiteral("The copied cells are no longer available."));
    const CellRect& rect = areas->front();
    Block b;
    b.kind = Block::Kind::Table;
    const Grid values = sheet->read(rect);
    for (int r = 0; r < rect.rows(); ++r) {
        auto& row = b.table.emplace_back();
        for (int c = 0; c < rect.columns(); ++c)
            row.push_back(
                render::formatValue(values[static_cast<size_t>(r)][static_cast<size_t>(c)],
                                    sheet->numberFormat(rect.top + r, rect.left + c)));
    }
    return b;
}

}  // namespace

void WordApp::pasteContent(bool asDefault, bool link, bool floating) {
    auto& d = document();
    const auto& clip = clipboard_->content();
    if (!clip)
        refuse(QStringLiteral(
            "This method or property is not available because the Clipboard is empty or not "
            "valid."));
    const bool picture = clip->kind.endsWith(QLatin1String("Picture"));
    const bool range = clip->kind == QLatin1String("range");
    if (!asDefault && picture) refuse(QStringLiteral("The specified data type is unavailable."));
    Block b;
    if (asDefault && range && !link) {
        b = tableOf(excel_.lock().get(), clip->source);  // cells come as a table
        floating = false;
    } else if (asDefault && picture) {
        b = pictureBlock(*clip, clipboard_->hasFormat(office::Clipboard::Format::Metafile)
                                    ? QStringLiteral("metafile")
                                    : QStringLiteral("bitmap"));
    } else {
        const QString kind = link        ? QStringLiteral("linked")
                             : asDefault ? QStringLiteral("editable")
                                         : QStringLiteral("embedded");
        b = pictureBlock(*clip, kind);
    }
    if (!floating) {
        d.insertAtSelection(std::move(b));
        return;
    }
    // A floating object is anchored to the paragraph of the insertion point and comes selected.
    d.deleteSelectedText();
    b.kind = Block::Kind::FloatingShape;
    b.shape.lockAspectRatio = true;
    d.selection.shapeId = d.insertBlock(d.selection.block + 1, std::move(b));
}

void WordApp::paste() {
    pasteContent(true, false, false);
}

void WordApp::pasteSpecial(const PasteSpecialOptions& o) {
    if (o.displayAsIcon.value_or(false)) notSupported("PasteSpecial DisplayAsIcon");
    if (o.dataType && *o.dataType != wdPasteOLEObject)
        refuse(QStringLiteral("The specified data type is unavailable."));
    const bool link = o.link.value_or(false);
    const bool floating = o.placement.value_or(wdInLine) == wdFloatOverText;
    pasteContent(!o.dataType.has_value(), link, floating);
}

void WordApp::pasteExcelTable(bool, bool, bool) {
    auto& d = document();
    const auto& clip = clipboard_->content();
    if (!clip || clip->kind != QLatin1String("range"))
        refuse(QStringLiteral("The clipboard holds no cells to paste as a table."));
    d.insertAtSelection(tableOf(excel_.lock().get(), clip->source));
}

void WordApp::setParagraphAlignment(int alignment) {
    if (alignment < 0 || alignment > 3) refuse(QStringLiteral("The value is out of range."));
    auto& d = document();
    d.ensureParagraph();
    d.content[static_cast<size_t>(d.selection.block)].alignment = alignment;
}

void WordApp::setShapeRangeLeft(double left) {
    auto& d = document();
    Block* b = d.selection.shapeId ? d.findBlock(*d.selection.shapeId) : nullptr;
    if (!b)
        refuse(QStringLiteral(
            "This method or property is not available because no shape is selected."));
    b->shape.left = left;
}

bool WordApp::knowsCaptionLabel(const QString& name) const {
    static const QStringList builtIn = {"Figure", "Table", "Equation"};
    if (builtIn.contains(name, Qt::CaseInsensitive)) return true;
    return std::any_of(captionLabels.begin(), captionLabels.end(),
                       [&](const QString& l) { return sameText(l, name); });
}

void WordApp::addCaptionLabel(const QString& name) {
    if (name.trimmed().isEmpty()) refuse(QStringLiteral("The caption label name is empty."));
    if (!knowsCaptionLabel(name)) captionLabels.push_back(name);
}

void WordApp::insertCaption(const QString& label, const QString& title) {
    auto& d = document();
    if (!knowsCaptionLabel(label)) refuse(QStringLiteral("Invalid caption label."));
    d.ensureParagraph();
    Block b;
    b.kind = Block::Kind::Caption;
    b.captionLabel = label;
    b.text = title;
    const int after = d.selection.shapeId ? d.indexOf(*d.selection.shapeId) : d.selection.block;
    d.insertBlock(after + 1, std::move(b));
    d.renumberCaptions(label);
    d.selection = {after + 1, 1, 1, {}};
}

}  // namespace office::memory
