#include "office/libreoffice/Writer.h"

#include <cmath>

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/ShadowFormat.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/RelOrientation.hpp>
#include <com/sun/star/text/SetVariableType.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XDependentTextField.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XRefreshable.hpp>
#include <com/sun/star/view/XLineCursor.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <com/sun/star/view/XViewCursor.hpp>

#include "office/libreoffice/Calc.h"

namespace office::libreoffice {

namespace {

using css::beans::XPropertySet;
using css::text::TextContentAnchorType;

// Writer measures in 1/100 mm, the program in points.
constexpr double HmmPerPoint = 2540.0 / 72.0;
double toPoints(sal_Int32 hmm) {
    return hmm / HmmPerPoint;
}
sal_Int32 toHmm(double points) {
    return static_cast<sal_Int32>(std::lround(points * HmmPerPoint));
}

// LibreOffice's clipboard format numbers (SotClipboardFormatId) that a paste can ask for.
constexpr sal_Int32 FormatBitmap = 2;
constexpr sal_Int32 FormatMetafile = 3;
constexpr sal_Int32 FormatRtf = 10;
constexpr sal_Int32 FormatEmbedSource = 85;

// A cursor or the view cursor as the text range it is.
template <typename T>
Reference<css::text::XTextRange> asRange(const Reference<T>& r) {
    return Reference<css::text::XTextRange>(r.get());
}

Reference<css::frame::XController> controllerOf(const Reference<css::frame::XModel>& model) {
    auto c = need(model)->getCurrentController();
    if (!c.is())
        fail(errors::Application, QStringLiteral("The document has no window in LibreOffice."));
    return c;
}

Reference<css::view::XSelectionSupplier> selector(const Reference<css::frame::XModel>& model) {
    return {controllerOf(model), UNO_QUERY_THROW};
}

Reference<css::text::XTextViewCursor> viewCursor(const Reference<css::frame::XModel>& model) {
    Reference<css::text::XTextViewCursorSupplier> s(controllerOf(model), UNO_QUERY_THROW);
    return s->getViewCursor();
}

Reference<css::container::XIndexAccess> drawPage(const Reference<css::frame::XModel>& model) {
    Reference<css::drawing::XDrawPageSupplier> s(model, UNO_QUERY_THROW);
    return {s->getDrawPage(), UNO_QUERY_THROW};
}

int tableCount(const Reference<css::frame::XModel>& model) {
    Reference<css::text::XTextTablesSupplier> s(model, UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> tables(s->getTextTables(), UNO_QUERY_THROW);
    return tables->getCount();
}

bool inlineAnchor(const Reference<XPropertySet>& object) {
    TextContentAnchorType anchor = TextContentAnchorType::TextContentAnchorType_AT_PARAGRAPH;
    object->getPropertyValue(ous("AnchorType")) >>= anchor;
    return anchor == TextContentAnchorType::TextContentAnchorType_AS_CHARACTER;
}

// The objects of the document's draw page (pictures, embedded objects, frames, drawings) that
// are inline, or the others. The draw page keeps them in the order they were added, so the one
// a paste added is always the last.
std::vector<Reference<XPropertySet>> objects(const Reference<css::frame::XModel>& model,
                                             bool inlineOnes) {
    std::vector<Reference<XPropertySet>> out;
    const auto page = drawPage(model);
    for (sal_Int32 i = 0, n = page->getCount(); i < n; ++i) {
        Reference<XPropertySet> object(page->getByIndex(i), UNO_QUERY);
        if (object.is() && inlineAnchor(object) == inlineOnes) out.push_back(object);
    }
    return out;
}

// The object the controller has selected (a picture, an embedded object, a frame), or null
// when the selection is text.
Reference<XPropertySet> selectedObject(const Reference<css::frame::XModel>& model) {
    Reference<css::text::XTextContent> content(selector(model)->getSelection(), UNO_QUERY);
    Reference<css::drawing::XShape> shape(content, UNO_QUERY);
    if (!shape.is()) return {};
    return {content, UNO_QUERY};
}

// A text cursor where the insertion point is: the view cursor's range, or the place of the
// selected object.
Reference<css::text::XTextCursor> insertionPoint(const Reference<css::frame::XModel>& model) {
    if (Reference<css::text::XTextContent> object(selectedObject(model), UNO_QUERY); object.is()) {
        auto anchor = object->getAnchor();
        return anchor->getText()->createTextCursorByRange(anchor->getEnd());
    }
    auto vc = viewCursor(model);
    return vc->getText()->createTextCursorByRange(asRange(vc));
}

// The view cursor, ready to move: after an object was selected or pasted it refuses to move
// until the text is selected again.
Reference<css::text::XTextViewCursor> textViewCursor(const Reference<css::frame::XModel>& model) {
    if (Reference<css::text::XTextContent> object(selectedObject(model), UNO_QUERY); object.is())
        selector(model)->select(
            Any(Reference<css::text::XTextRange>(object->getAnchor()->getEnd())));
    return viewCursor(model);
}

Reference<css::frame::XFrame> frameOf(const Reference<css::frame::XModel>& model) {
    auto frame = controllerOf(model)->getFrame();
    if (!frame.is())
        fail(errors::Application, QStringLiteral("The document has no window in LibreOffice."));
    return frame;
}

void dispatch(const Session& session, const Reference<css::frame::XModel>& model,
              const char* command, const Sequence<css::beans::PropertyValue>& args = {}) {
    auto frame = frameOf(model);
    // A paste into a frame that is not the active one silently does nothing.
    frame->activate();
    Reference<css::frame::XDispatchProvider> provider(frame, UNO_QUERY_THROW);
    css::frame::DispatchHelper::create(session.context())
        ->executeDispatch(provider, ous(command), OUString(), 0, args);
    session.settle();
}

bool clipboardOffers(const Session& session, const char* mimePrefix) {
    auto contents = session.clipboard()->getContents();
    if (!contents.is()) return false;
    for (const auto& f : contents->getTransferDataFlavors())
        if (qs(f.MimeType).startsWith(QLatin1String(mimePrefix))) return true;
    return false;
}

[[noreturn]] void emptyClipboard() {
    fail(errors::Application,
         QStringLiteral("This method or property is not available because the Clipboard is "
                        "empty or not valid."));
}

// What a paste added: the objects and tables of the document before it.
struct Before {
    size_t objects;
    int tables;
};
Before countNow(const Reference<css::frame::XModel>& model) {
    return {static_cast<size_t>(drawPage(model)->getCount()), tableCount(model)};
}

enum class Placement { Inline, Floating };

// Pastes the clipboard in a format (or LibreOffice's default one) at the insertion point and
// places what it added. The dispatch's own result cannot be trusted, so the document is checked.
void pasteInto(const Session& session, const Reference<css::frame::XModel>& model,
               std::optional<sal_Int32> format, Placement placement) {
    if (!session.clipboard()->getContents().is()) emptyClipboard();
    textViewCursor(model);
    const Before before = countNow(model);
    if (format) {
        css::beans::PropertyValue arg;
        arg.Name = ous("SelectedFormat");
        arg.Value <<= *format;
        dispatch(session, model, ".uno:ClipboardFormatItems", Sequence(&arg, 1));
    } else {
        dispatch(session, model, ".uno:Paste");
    }
    const auto page = drawPage(model);
    const sal_Int32 count = page->getCount();
    if (static_cast<size_t>(count) <= before.objects) {
        if (tableCount(model) > before.tables) return;  // cells came as a table
        fail(errors::Application,
             QStringLiteral("LibreOffice Writer did not paste the clipboard's contents."));
    }
    Reference<XPropertySet> added;
    for (sal_Int32 i = static_cast<sal_Int32>(before.objects); i < count; ++i) {
        added.set(page->getByIndex(i), UNO_QUERY_THROW);
        added->setPropertyValue(
            ous("AnchorType"),
            Any(placement == Placement::Inline
                    ? TextContentAnchorType::TextContentAnchorType_AS_CHARACTER
                    : TextContentAnchorType::TextContentAnchorType_AT_PARAGRAPH));
    }
    if (placement == Placement::Floating) {
        // A floating object comes selected, ready to be placed.
        selector(model)->select(Any(added));
    } else {
        // The insertion point goes after the inline object, as after typing it.
        Reference<css::text::XTextContent> content(added, UNO_QUERY_THROW);
        selector(model)->select(
            Any(Reference<css::text::XTextRange>(content->getAnchor()->getEnd())));
    }
}

// Writer counts a number range by its name as a variable of its calculator, which takes no
// spaces or punctuation: the label's other characters become '_' in the name.
QString sequenceName(const QString& label) {
    QString name = label;
    for (auto& ch : name)
        if (!ch.isLetterOrNumber()) ch = QLatin1Char('_');
    if (name.isEmpty() || name.front().isDigit()) name.prepend(QLatin1Char('_'));
    return name;
}

// The document's numbering sequence for a caption label, made when it has none yet.
Reference<XPropertySet> captionSequence(const Reference<css::frame::XModel>& model,
                                        const QString& label) {
    Reference<css::text::XTextFieldsSupplier> fields(model, UNO_QUERY_THROW);
    auto masters = fields->getTextFieldMasters();
    const QString sequence = sequenceName(label);
    const OUString name =
        ous(QStringLiteral("com.sun.star.text.fieldmaster.SetExpression.") + sequence);
    if (masters->hasByName(name)) return {masters->getByName(name), UNO_QUERY_THROW};
    Reference<css::lang::XMultiServiceFactory> factory(model, UNO_QUERY_THROW);
    Reference<XPropertySet> master(
        factory->createInstance(ous("com.sun.star.text.fieldmaster.SetExpression")),
        UNO_QUERY_THROW);
    master->setPropertyValue(ous("Name"), Any(ous(sequence)));
    master->setPropertyValue(ous("SubType"), Any(css::text::SetVariableType::SEQUENCE));
    return master;
}

// Whether the cursor's paragraph holds nothing at all (no text, no object) and starts no page.
bool blankParagraph(const Reference<css::text::XParagraphCursor>& cursor) {
    Reference<XPropertySet> props(cursor, UNO_QUERY_THROW);
    css::style::BreakType brk = css::style::BreakType_NONE;
    props->getPropertyValue(ous("BreakType")) >>= brk;
    if (brk != css::style::BreakType_NONE) return false;
    auto whole = cursor->getText()->createTextCursorByRange(asRange(cursor));
    Reference<css::text::XParagraphCursor> p(whole, UNO_QUERY_THROW);
    p->gotoStartOfParagraph(false);
    p->gotoEndOfParagraph(true);
    if (!whole->getString().isEmpty()) return false;
    Reference<css::container::XEnumerationAccess> paragraphs(whole, UNO_QUERY_THROW);
    auto e = paragraphs->createEnumeration();
    if (!e->hasMoreElements()) return true;
    Reference<css::container::XEnumerationAccess> portions(e->nextElement(), UNO_QUERY);
    if (!portions.is()) return false;  // a table
    auto pe = portions->createEnumeration();
    while (pe->hasMoreElements()) {
        Reference<XPropertySet> portion(pe->nextElement(), UNO_QUERY_THROW);
        OUString type;
        portion->getPropertyValue(ous("TextPortionType")) >>= type;
        if (type != "Text") return false;
    }
    return true;
}

// A paragraph started after a caption is body text again, as when the user types one.
void leaveCaption(const Reference<css::text::XTextCursor>& inNewParagraph) {
    Reference<XPropertySet> props(inNewParagraph, UNO_QUERY_THROW);
    OUString style;
    props->getPropertyValue(ous("ParaStyleName")) >>= style;
    if (style == "Caption") props->setPropertyValue(ous("ParaStyleName"), Any(ous("Standard")));
}

// ---- the document's objects and text

class WriterShape : public DocumentShape {
  public:
    WriterShape(std::shared_ptr<Session> s, Reference<css::frame::XModel> m,
                Reference<XPropertySet> object)
        : session_(std::move(s)), model_(std::move(m)), object_(std::move(object)) {}

    double width() const override {
        return guarded(*session_, "Width", [&] { return toPoints(shape()->getSize().Width); });
    }
    double height() const override {
        return guarded(*session_, "Height", [&] { return toPoints(shape()->getSize().Height); });
    }
    // A floating object keeps its proportions when one side changes, as the other word
    // processor's floating shapes do; an inline one does not.
    void setWidth(double points) override {
        guarded(*session_, "Width", [&] {
            auto size = shape()->getSize();
            const sal_Int32 width = toHmm(points);
            if (width <= 0) fail(errors::Application, QStringLiteral("The width is out of range."));
            if (!inlineAnchor(object_) && size.Width > 0)
                size.Height = static_cast<sal_Int32>(std::lround(
                    static_cast<double>(size.Height) * width / static_cast<double>(size.Width)));
            size.Width = width;
            shape()->setSize(size);
        });
    }
    void setHeight(double points) override {
        guarded(*session_, "Height", [&] {
            auto size = shape()->getSize();
            const sal_Int32 height = toHmm(points);
            if (height <= 0)
                fail(errors::Application, QStringLiteral("The height is out of range."));
            if (!inlineAnchor(object_) && size.Height > 0)
                size.Width = static_cast<sal_Int32>(std::lround(
                    static_cast<double>(size.Width) * height / static_cast<double>(size.Height)));
            size.Height = height;
            shape()->setSize(size);
        });
    }
    // Writer's objects have a border shadow: an offset to the bottom right without blur.
    void setShadow(const ShadowFormat& format) override {
        guarded(*session_, "Shadow", [&] {
            if (format.type != msoShadow21) notSupported("Shadow.Type");
            const auto info = object_->getPropertySetInfo();
            if (!info->hasPropertyByName(ous("ShadowFormat"))) notSupported("Shadow");
            css::table::ShadowFormat shadow;
            shadow.Location = css::table::ShadowLocation_BOTTOM_RIGHT;
            shadow.ShadowWidth = static_cast<sal_Int16>(toHmm(3 * format.size / 100));
            shadow.IsTransparent = false;
            shadow.Color = 0x808080;
            object_->setPropertyValue(ous("ShadowFormat"), Any(shadow));
        });
    }
    void select() override {
        guarded(*session_, "Select", [&] {
            if (!selector(model_)->select(Any(object_)))
                fail(errors::Application, QStringLiteral("LibreOffice did not select the object."));
        });
    }

  private:
    Reference<css::drawing::XShape> shape() const { return {object_, UNO_QUERY_THROW}; }
    std::shared_ptr<Session> session_;
    Reference<css::frame::XModel> model_;
    Reference<XPropertySet> object_;
};

class WriterRange : public TextRange {
  public:
    WriterRange(std::shared_ptr<Session> s, Reference<css::frame::XModel> m,
                Reference<css::text::XTextCursor> cursor)
        : session_(std::move(s)), model_(std::move(m)), cursor_(std::move(cursor)) {}

    void collapse(int direction) override {
        guarded(*session_, "Collapse", [&] {
            if (direction == wdCollapseEnd)
                cursor_->collapseToEnd();
            else if (direction == wdCollapseStart)
                cursor_->collapseToStart();
            else
                fail(errors::Application, QStringLiteral("Bad parameter"));
        });
    }
    // A paragraph mark at the range's end; the range grows to take in the new paragraph.
    void insertParagraphAfter() override {
        guarded(*session_, "InsertParagraphAfter", [&] {
            auto text = cursor_->getText();
            auto at = text->createTextCursorByRange(cursor_->getEnd());
            text->insertControlCharacter(asRange(at), css::text::ControlCharacter::PARAGRAPH_BREAK,
                                         false);
            Reference<css::text::XParagraphCursor> para(at, UNO_QUERY_THROW);
            para->gotoEndOfParagraph(false);
            leaveCaption(at);
            cursor_->gotoRange(asRange(at), true);
        });
    }
    void setPageBreakBefore(bool on) override {
        guarded(*session_, "PageBreakBefore", [&] {
            Reference<XPropertySet> props(cursor_, UNO_QUERY_THROW);
            props->setPropertyValue(ous("BreakType"), Any(on ? css::style::BreakType_PAGE_BEFORE
                                                             : css::style::BreakType_NONE));
        });
    }
    void select() override {
        guarded(*session_, "Select", [&] {
            if (!selector(model_)->select(Any(asRange(cursor_))))
                fail(errors::Application, QStringLiteral("LibreOffice did not select the text."));
        });
    }

  private:
    std::shared_ptr<Session> session_;
    Reference<css::frame::XModel> model_;
    Reference<css::text::XTextCursor> cursor_;
};

class WriterDocument : public Document {
  public:
    WriterDocument(std::shared_ptr<Session> s, Reference<css::frame::XModel> m)
        : session_(std::move(s)), model_(std::move(m)) {}
    QString name() const override {
        return guarded(*session_, "Document.Name", [&] { return documentName(model_); });
    }
    QString fullName() const override {
        return guarded(*session_, "Document.FullName", [&] { return documentFullName(model_); });
    }
    std::shared_ptr<TextRange> range() override {
        return guarded(*session_, "Range", [&] {
            Reference<css::text::XTextDocument> doc(need(model_), UNO_QUERY_THROW);
            auto text = doc->getText();
            auto cursor = text->createTextCursor();
            cursor->gotoStart(false);
            cursor->gotoEnd(true);
            return std::make_shared<WriterRange>(session_, model_, cursor);
        });
    }
    int inlineShapeCount() const override {
        return guarded(*session_, "InlineShapes",
                       [&] { return static_cast<int>(objects(need(model_), true).size()); });
    }
    std::shared_ptr<DocumentShape> inlineShape(int index) override {
        return guarded(*session_, "InlineShapes", [&] { return item(true, index); });
    }
    int shapeCount() const override {
        return guarded(*session_, "Shapes",
                       [&] { return static_cast<int>(objects(need(model_), false).size()); });
    }
    std::shared_ptr<DocumentShape> shape(int index) override {
        return guarded(*session_, "Shapes", [&] { return item(false, index); });
    }

  private:
    std::shared_ptr<DocumentShape> item(bool inlineOnes, int index) {
        const auto all = objects(need(model_), inlineOnes);
        if (index < 1 || index > static_cast<int>(all.size()))
            fail(errors::NotFound,
                 QStringLiteral("The requested member of the collection does not exist."));
        return std::make_shared<WriterShape>(session_, model_, all[static_cast<size_t>(index - 1)]);
    }
    std::shared_ptr<Session> session_;
    Reference<css::frame::XModel> model_;
};

}  // namespace

WriterApp::WriterApp(std::shared_ptr<Session> session)
    : docs_(std::move(session), "com.sun.star.text.TextDocument") {}

bool WriterApp::hasDocuments() const {
    return guarded(docs_.session(), "Documents", [&] { return !docs_.all().empty(); });
}

std::shared_ptr<Document> WriterApp::wrap(const Reference<css::frame::XModel>& model) const {
    return wrappers_.get(
        model, [&] { return std::make_shared<WriterDocument>(docs_.sessionPtr(), model); });
}

std::shared_ptr<Document> WriterApp::activeDocument() const {
    return guarded(docs_.session(), "ActiveDocument", [&]() -> std::shared_ptr<Document> {
        auto m = docs_.active();
        return m.is() ? wrap(m) : nullptr;
    });
}

std::vector<std::shared_ptr<Document>> WriterApp::documents() const {
    return guarded(docs_.session(), "Documents", [&] {
        std::vector<std::shared_ptr<Document>> out;
        for (const auto& m : docs_.all()) out.push_back(wrap(m));
        return out;
    });
}

Reference<css::frame::XModel> WriterApp::model() const {
    auto m = docs_.active();
    if (!m.is())
        fail(errors::Application,
             QStringLiteral("This command is not available because no document is open."));
    return m;
}

void WriterApp::setVisible(bool visible) {
    guarded(session(), "Visible", [&] {
        auto window = frameOf(model())->getContainerWindow();
        if (window.is()) window->setVisible(visible);
    });
}

// Brings the active document's window to the front.
void WriterApp::activate() {
    guarded(session(), "Activate", [&] {
        auto frame = frameOf(model());
        frame->activate();
        Reference<css::awt::XTopWindow> top(frame->getContainerWindow(), UNO_QUERY);
        if (top.is()) top->toFront();
    });
}

QString WriterApp::selectionText() const {
    return guarded(session(), "Selection.Text", [&] {
        const auto m = model();
        if (selectedObject(m).is()) return QString();
        // Paragraphs end in a carriage return, as the program expects.
        return qs(viewCursor(m)->getString()).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    });
}

PageSetup WriterApp::selectionPageSetup() const {
    return guarded(session(), "Selection.PageSetup", [&] {
        const auto m = model();
        Reference<XPropertySet> at(insertionPoint(m), UNO_QUERY_THROW);
        OUString styleName;
        at->getPropertyValue(ous("PageStyleName")) >>= styleName;
        Reference<css::style::XStyleFamiliesSupplier> families(m, UNO_QUERY_THROW);
        Reference<css::container::XNameAccess> pageStyles(
            families->getStyleFamilies()->getByName(ous("PageStyles")), UNO_QUERY_THROW);
        Reference<XPropertySet> style(pageStyles->getByName(styleName), UNO_QUERY_THROW);
        auto length = [&](const char* name) {
            sal_Int32 v = 0;
            style->getPropertyValue(ous(name)) >>= v;
            return toPoints(v);
        };
        PageSetup p;
        p.pageWidth = length("Width");
        p.pageHeight = length("Height");
        p.leftMargin = length("LeftMargin");
        p.rightMargin = length("RightMargin");
        p.topMargin = length("TopMargin");
        p.bottomMargin = length("BottomMargin");
        return p;
    });
}

// A new paragraph at the insertion point, replacing selected text; the insertion point goes to
// its start.
void WriterApp::typeParagraph() {
    guarded(session(), "TypeParagraph", [&] {
        const auto m = model();
        auto vc = textViewCursor(m);
        if (!vc->isCollapsed()) vc->setString(OUString());
        vc->collapseToEnd();
        auto text = vc->getText();
        auto at = text->createTextCursorByRange(asRange(vc));
        text->insertControlCharacter(asRange(at), css::text::ControlCharacter::PARAGRAPH_BREAK,
                                     false);
        Reference<css::text::XParagraphCursor> para(at, UNO_QUERY_THROW);
        para->gotoStartOfParagraph(false);
        leaveCaption(at);
        vc->gotoRange(asRange(at), false);
    });
}

void WriterApp::moveDown(int unit, int count) {
    guarded(session(), "MoveDown", [&] {
        // Units a line stands for here: line, paragraph, screen.
        if (unit != wdLine && unit != 4 && unit != 7)
            fail(errors::Application, QStringLiteral("Bad parameter"));
        auto vc = textViewCursor(model());
        vc->collapseToEnd();
        Reference<css::view::XViewCursor> lines(vc, UNO_QUERY_THROW);
        // On the last line the insertion point goes to its end, as it does when typed.
        if (count > 0 && !lines->goDown(static_cast<sal_Int16>(count), false)) {
            Reference<css::view::XLineCursor> line(vc, UNO_QUERY_THROW);
            line->gotoEndOfLine(false);
        }
    });
}

void WriterApp::homeKey(int unit) {
    guarded(session(), "HomeKey", [&] {
        if (unit != wdLine && unit != wdStory)
            fail(errors::Application, QStringLiteral("Bad parameter"));
        auto vc = textViewCursor(model());
        if (unit == wdStory) {
            vc->gotoStart(false);
            return;
        }
        Reference<css::view::XLineCursor> line(vc, UNO_QUERY_THROW);
        line->gotoStartOfLine(false);
    });
}

// LibreOffice's copy always carries the pictures beside the object itself, and the program
// pastes plainly only what it copied as a picture: so a picture it is, inline. Without a
// picture on the clipboard, LibreOffice's own paste.
void WriterApp::paste() {
    guarded(session(), "Paste", [&] {
        const auto m = model();
        std::optional<sal_Int32> format;
        if (clipboardOffers(session(), "application/x-openoffice-gdimetafile"))
            format = FormatMetafile;
        else if (clipboardOffers(session(), "application/x-openoffice-bitmap"))
            format = FormatBitmap;
        pasteInto(session(), m, format, Placement::Inline);
    });
}

void WriterApp::pasteSpecial(const PasteSpecialOptions& o) {
    guarded(session(), "PasteSpecial", [&] {
        if (o.displayAsIcon.value_or(false)) notSupported("PasteSpecial DisplayAsIcon");
        if (o.dataType && *o.dataType != wdPasteOLEObject)
            fail(errors::Application, QStringLiteral("The specified data type is unavailable."));
        if (o.link.value_or(false))
            fail(errors::Application,
                 QStringLiteral("LibreOffice Writer cannot paste a link to a copied chart or "
                                "range; paste it embedded instead."));
        const auto m = model();
        const auto placement = o.placement.value_or(wdInLine) == wdFloatOverText
                                   ? Placement::Floating
                                   : Placement::Inline;
        if (o.dataType) {
            if (!clipboardOffers(session(), "application/x-openoffice-embed-source"))
                fail(errors::Application,
                     QStringLiteral("The specified data type is unavailable."));
            pasteInto(session(), m, FormatEmbedSource, placement);
        } else {
            pasteInto(session(), m, std::nullopt, placement);
        }
    });
}

// Cells come as a text table with their values, through the rich text Calc puts on the
// clipboard with them.
void WriterApp::pasteExcelTable(bool, bool, bool) {
    guarded(session(), "PasteExcelTable", [&] {
        const auto m = model();
        if (!clipboardOffers(session(), "text/rtf") && !clipboardOffers(session(), "text/richtext"))
            fail(errors::Application,
                 QStringLiteral("The clipboard holds no cells to paste as a table."));
        const int tables = tableCount(m);
        pasteInto(session(), m, FormatRtf, Placement::Inline);
        if (tableCount(m) <= tables)
            fail(errors::Application,
                 QStringLiteral("LibreOffice Writer did not paste the cells as a table."));
    });
}

void WriterApp::setParagraphAlignment(int alignment) {
    guarded(session(), "ParagraphFormat.Alignment", [&] {
        static const css::style::ParagraphAdjust adjust[] = {
            css::style::ParagraphAdjust_LEFT, css::style::ParagraphAdjust_CENTER,
            css::style::ParagraphAdjust_RIGHT, css::style::ParagraphAdjust_BLOCK};
        if (alignment < 0 || alignment > 3)
            fail(errors::Application, QStringLiteral("The value is out of range."));
        Reference<XPropertySet> at(insertionPoint(model()), UNO_QUERY_THROW);
        at->setPropertyValue(ous("ParaAdjust"), Any(static_cast<sal_Int16>(adjust[alignment])));
    });
}

// The selected floating object, placed from the left edge of its paragraph's text.
void WriterApp::setShapeRangeLeft(double left) {
    guarded(session(), "ShapeRange.Left", [&] {
        auto object = selectedObject(model());
        if (!object.is() || inlineAnchor(object))
            fail(errors::Application,
                 QStringLiteral("This method or property is not available because no shape is "
                                "selected."));
        object->setPropertyValue(ous("HoriOrient"), Any(css::text::HoriOrientation::NONE));
        object->setPropertyValue(ous("HoriOrientRelation"), Any(css::text::RelOrientation::FRAME));
        object->setPropertyValue(ous("HoriOrientPosition"), Any(toHmm(left)));
    });
}

void WriterApp::addCaptionLabel(const QString& name) {
    guarded(session(), "CaptionLabels.Add", [&] {
        if (name.trimmed().isEmpty())
            fail(errors::Application, QStringLiteral("The caption label name is empty."));
        if (!captionLabels_.contains(name, Qt::CaseInsensitive)) captionLabels_ << name;
    });
}

// A caption paragraph after the insertion point's paragraph (after the selected object):
// the label, its own number and the title. The number is a Writer number range of the label,
// so each label counts on its own and renumbers as the document changes.
void WriterApp::insertCaption(const QString& label, const QString& title) {
    guarded(session(), "InsertCaption", [&] {
        static const QStringList builtIn = {"Figure", "Table", "Equation"};
        if (!builtIn.contains(label, Qt::CaseInsensitive) &&
            !captionLabels_.contains(label, Qt::CaseInsensitive))
            fail(errors::Application, QStringLiteral("Invalid caption label."));
        const auto m = model();
        auto at = insertionPoint(m);
        auto text = at->getText();
        Reference<css::text::XParagraphCursor> para(at, UNO_QUERY_THROW);
        // An empty paragraph at the insertion point (after a pasted table) takes the caption.
        if (!blankParagraph(para)) {
            para->gotoEndOfParagraph(false);
            text->insertControlCharacter(asRange(at), css::text::ControlCharacter::PARAGRAPH_BREAK,
                                         false);
        }
        para->gotoStartOfParagraph(false);
        Reference<XPropertySet> props(at, UNO_QUERY_THROW);
        props->setPropertyValue(ous("BreakType"), Any(css::style::BreakType_NONE));
        props->setPropertyValue(ous("ParaStyleName"), Any(ous("Caption")));
        text->insertString(asRange(at), ous(label + ' '), false);

        Reference<css::lang::XMultiServiceFactory> factory(m, UNO_QUERY_THROW);
        Reference<css::text::XDependentTextField> number(
            factory->createInstance(ous("com.sun.star.text.TextField.SetExpression")),
            UNO_QUERY_THROW);
        Reference<XPropertySet> numberProps(number, UNO_QUERY_THROW);
        numberProps->setPropertyValue(ous("NumberingType"), Any(css::style::NumberingType::ARABIC));
        number->attachTextFieldMaster(captionSequence(m, label));
        text->insertTextContent(asRange(at), Reference<css::text::XTextContent>(number.get()),
                                false);
        if (!title.isEmpty()) text->insertString(asRange(at), ous(title), false);

        Reference<css::text::XTextFieldsSupplier> fields(m, UNO_QUERY_THROW);
        Reference<css::util::XRefreshable>(fields->getTextFields(), UNO_QUERY_THROW)->refresh();
        selector(m)->select(Any(Reference<css::text::XTextRange>(at->getEnd())));
    });
}

}  // namespace office::libreoffice
