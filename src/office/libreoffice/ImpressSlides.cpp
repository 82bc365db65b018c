// Impress's slides and the shapes on them, in points as the program counts.

#include <cmath>
#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XShapeDescriptor.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "office/libreoffice/Impress.h"

namespace office::libreoffice {

namespace {

using css::beans::XPropertySet;

// The program's layout numbers beside Impress's own.
struct LayoutPair {
    int program;
    sal_Int16 impress;
};
constexpr LayoutPair Layouts[] = {{ppLayoutTitle, 0}, {ppLayoutTitleOnly, 19}, {ppLayoutBlank, 20}};
// What the program reads for a layout of Impress's that it has no number for.
constexpr int ppLayoutCustom = 32;

// The office's colour numbers are red + green * 256 + blue * 65536; Impress's are 0xRRGGBB.
sal_Int32 unoColor(int officeColor) {
    const int r = officeColor & 0xFF, g = (officeColor >> 8) & 0xFF, b = (officeColor >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

Reference<XPropertySet> props(const Reference<css::uno::XInterface>& object) {
    return Reference<XPropertySet>(object, UNO_QUERY_THROW);
}

bool isTitle(const Reference<css::drawing::XShape>& shape) {
    return shape->getShapeType() == "com.sun.star.presentation.TitleTextShape";
}

std::vector<Reference<css::drawing::XShape>> shapesOf(
    const Reference<css::drawing::XDrawPage>& page) {
    std::vector<Reference<css::drawing::XShape>> out;
    for (sal_Int32 i = 0; i < page->getCount(); ++i)
        out.emplace_back(page->getByIndex(i), UNO_QUERY_THROW);
    return out;
}

class ImpressShape : public SlideShape {
  public:
    ImpressShape(std::shared_ptr<ImpressDoc> d, Reference<css::drawing::XShape> s)
        : doc_(std::move(d)), shape_(std::move(s)) {}

    QString name() const override {
        return get("Shape.Name", [&] {
            Reference<css::container::XNamed> named(shape_, UNO_QUERY);
            return named.is() ? qs(named->getName()) : QString();
        });
    }
    double left() const override {
        return get("Shape.Left", [&] { return toPoints(shape_->getPosition().X); });
    }
    double top() const override {
        return get("Shape.Top", [&] { return toPoints(shape_->getPosition().Y); });
    }
    double width() const override {
        return get("Shape.Width", [&] { return toPoints(shape_->getSize().Width); });
    }
    double height() const override {
        return get("Shape.Height", [&] { return toPoints(shape_->getSize().Height); });
    }
    void setLeft(double v) override {
        place("Shape.Left", [&] {
            auto p = shape_->getPosition();
            p.X = toMm100(v);
            shape_->setPosition(p);
        });
    }
    void setTop(double v) override {
        place("Shape.Top", [&] {
            auto p = shape_->getPosition();
            p.Y = toMm100(v);
            shape_->setPosition(p);
        });
    }
    void setWidth(double v) override {
        place("Shape.Width", [&] { resize(toMm100(v), true); });
    }
    void setHeight(double v) override {
        place("Shape.Height", [&] { resize(toMm100(v), false); });
    }
    void setLockAspectRatio(bool on) override {
        get("Shape.LockAspectRatio", [&] {
            auto& list = doc_->aspectLocked;
            std::erase_if(list, [&](const auto& s) { return s == shape_; });
            if (on) list.push_back(shape_);
        });
    }
    void select() override {
        get("Shape.Select", [&] {
            Reference<css::view::XSelectionSupplier> s(doc_->controller(), UNO_QUERY_THROW);
            if (!s->select(Any(shape_)))
                fail(errors::Application, QStringLiteral("Impress did not select the shape."));
            // The view takes the selection from its event loop; the next call reads it.
            doc_->session->settle();
        });
    }

    void setShadowVisible(bool on) override { set("Shadow.Visible", "Shadow", Any(on)); }
    void setShadowBlur(double v) override { set("Shadow.Blur", "ShadowBlur", Any(toMm100(v))); }
    void setShadowForeColor(int c) override {
        set("Shadow.ForeColor", "ShadowColor", Any(unoColor(c)));
    }
    void setShadowOffsetX(double v) override {
        set("Shadow.OffsetX", "ShadowXDistance", Any(toMm100(v)));
    }
    void setShadowOffsetY(double v) override {
        set("Shadow.OffsetY", "ShadowYDistance", Any(toMm100(v)));
    }

    void setWordWrap(bool on) override {
        get("TextFrame.WordWrap", [&] {
            auto p = props(shape_);
            p->setPropertyValue(ous("TextWordWrap"), Any(on));
            // Without wrapping a label grows with its text, as the other office's does.
            p->setPropertyValue(ous("TextAutoGrowWidth"), Any(!on));
        });
    }
    QString text() const override {
        return get("TextRange.Text", [&] {
            return qs(Reference<css::text::XText>(shape_, UNO_QUERY_THROW)->getString());
        });
    }
    void setText(const QString& t) override {
        get("TextRange.Text",
            [&] { Reference<css::text::XText>(shape_, UNO_QUERY_THROW)->setString(ous(t)); });
    }
    void setFontName(const QString& n) override { set("Font.Name", "CharFontName", Any(ous(n))); }
    void setFontSize(double v) override {
        set("Font.Size", "CharHeight", Any(static_cast<float>(v)));
    }
    void setFontColor(int c) override { set("Font.Color", "CharColor", Any(unoColor(c))); }

  private:
    template <typename F>
    auto get(const char* member, F&& body) const -> decltype(body()) {
        return guarded(*doc_->session, member, body);
    }
    // An embedded object answers a new position or size from Impress's event loop with the
    // rectangle it had then: each change is let through before the next, or a later one can
    // be undone by an earlier answer.
    template <typename F>
    void place(const char* member, F&& change) {
        get(member, [&] {
            change();
            doc_->session->settle();
        });
    }
    void set(const char* member, const char* property, const Any& value) {
        get(member, [&] { props(shape_)->setPropertyValue(ous(property), value); });
    }
    // With the aspect ratio locked, the other side follows.
    void resize(sal_Int32 value, bool width) {
        auto size = shape_->getSize();
        const bool locked = doc_->isAspectLocked(shape_) && size.Width > 0 && size.Height > 0;
        if (width) {
            if (locked)
                size.Height = sal_Int32(std::lround(double(size.Height) * value / size.Width));
            size.Width = value;
        } else {
            if (locked)
                size.Width = sal_Int32(std::lround(double(size.Width) * value / size.Height));
            size.Height = value;
        }
        shape_->setSize(size);
    }

    std::shared_ptr<ImpressDoc> doc_;
    Reference<css::drawing::XShape> shape_;
};

class ImpressSlide : public Slide {
  public:
    ImpressSlide(std::shared_ptr<ImpressDoc> d, Reference<css::drawing::XDrawPage> p)
        : doc_(std::move(d)), page_(std::move(p)) {}

    int slideIndex() const override {
        return get("Slide.SlideIndex", [&] {
            sal_Int16 n = 0;
            props(page_)->getPropertyValue(ous("Number")) >>= n;
            return int(n);
        });
    }
    int layout() const override {
        return get("Slide.Layout", [&] {
            sal_Int16 l = 0;
            props(page_)->getPropertyValue(ous("Layout")) >>= l;
            for (const auto& p : Layouts)
                if (p.impress == l) return p.program;
            return ppLayoutCustom;
        });
    }
    void setLayout(int layout) override {
        get("Slide.Layout", [&] {
            for (const auto& p : Layouts)
                if (p.program == layout) {
                    props(page_)->setPropertyValue(ous("Layout"), Any(p.impress));
                    return;
                }
            fail(errors::Application,
                 QStringLiteral("Impress has no slide layout for the layout number %1.")
                     .arg(layout));
        });
    }
    void select() override {
        get("Slide.Select", [&] { doc_->showPage(page_); });
    }
    bool hasTitle() const override {
        return get("Shapes.HasTitle", [&] {
            for (const auto& s : shapesOf(page_))
                if (isTitle(s)) return true;
            return false;
        });
    }
    std::shared_ptr<SlideShape> title() const override {
        return get("Shapes.Title", [&] {
            for (const auto& s : shapesOf(page_))
                if (isTitle(s)) return makeImpressShape(doc_, s);
            fail(errors::Application, QStringLiteral("The slide has no title."));
        });
    }
    int shapeCount() const override {
        return get("Shapes.Count", [&] { return int(page_->getCount()); });
    }
    std::shared_ptr<SlideShape> shape(int index) const override {
        return get("Shapes.Item", [&] {
            if (index < 1 || index > page_->getCount())
                fail(errors::NotFound, QStringLiteral("The slide has no shape %1: it has %2.")
                                           .arg(index)
                                           .arg(page_->getCount()));
            return makeImpressShape(doc_, Reference<css::drawing::XShape>(
                                              page_->getByIndex(index - 1), UNO_QUERY_THROW));
        });
    }
    std::shared_ptr<SlideShape> pasteSpecial(int format, bool link) override {
        return pasteOnto(doc_, page_, format, link);
    }
    std::shared_ptr<SlideShape> addLabel(int orientation, double left, double top, double width,
                                         double height) override {
        return get("Shapes.AddLabel", [&] {
            if (orientation != 1)
                fail(errors::Application, QStringLiteral("Impress adds horizontal labels only."));
            Reference<css::lang::XMultiServiceFactory> factory(doc_->model, UNO_QUERY_THROW);
            Reference<css::drawing::XShape> label(
                factory->createInstance(ous("com.sun.star.drawing.TextShape")), UNO_QUERY_THROW);
            page_->add(label);
            label->setPosition(css::awt::Point(toMm100(left), toMm100(top)));
            label->setSize(css::awt::Size(toMm100(width), toMm100(height)));
            auto p = props(label);
            p->setPropertyValue(ous("TextAutoGrowHeight"), Any(true));
            p->setPropertyValue(ous("TextAutoGrowWidth"), Any(false));
            return makeImpressShape(doc_, label);
        });
    }

  private:
    template <typename F>
    auto get(const char* member, F&& body) const -> decltype(body()) {
        return guarded(*doc_->session, member, body);
    }
    std::shared_ptr<ImpressDoc> doc_;
    Reference<css::drawing::XDrawPage> page_;
};

// A paste data type as Impress's paste-special command takes it.
struct PasteFormat {
    int program;
    int impress;  // a clipboard format number of LibreOffice's; 0: the plain paste
    const char* what;
};
constexpr PasteFormat PasteFormats[] = {
    {ppPasteDefault, 0, "the default format"},
    {ppPasteBitmap, 2, "a bitmap"},
    {ppPasteMetafilePicture, 3, "a metafile picture"},
    {ppPasteOLEObject, 85, "an embedded object"},
};

}  // namespace

sal_Int32 toMm100(double points) {
    return sal_Int32(std::lround(points * 2540.0 / 72.0));
}

std::shared_ptr<SlideShape> makeImpressShape(std::shared_ptr<ImpressDoc> doc,
                                             Reference<css::drawing::XShape> shape) {
    return std::make_shared<ImpressShape>(std::move(doc), std::move(shape));
}

std::shared_ptr<Slide> makeImpressSlide(std::shared_ptr<ImpressDoc> doc,
                                        Reference<css::drawing::XDrawPage> page) {
    return std::make_shared<ImpressSlide>(std::move(doc), std::move(page));
}

std::shared_ptr<SlideShape> pasteOnto(const std::shared_ptr<ImpressDoc>& doc,
                                      const Reference<css::drawing::XDrawPage>& page, int format,
                                      bool link) {
    return guarded(*doc->session, "Shapes.PasteSpecial", [&] {
        if (link)
            fail(errors::Application,
                 QStringLiteral("Impress cannot paste a link to the spreadsheet: paste the item "
                                "as a picture or as an embedded object instead."));
        const PasteFormat* how = nullptr;
        for (const auto& f : PasteFormats)
            if (f.program == format) how = &f;
        if (!how)
            fail(errors::Application,
                 QStringLiteral("Impress cannot paste the data type %1.").arg(format));

        doc->showPage(page);
        doc->unselect();
        const auto before = shapesOf(page);
        if (how->impress == 0)
            doc->dispatch(".uno:Paste");
        else
            doc->dispatch(".uno:ClipboardFormatItems", "SelectedFormat", how->impress);
        // The command's own result cannot be trusted: the shapes tell what arrived.
        const auto after = shapesOf(page);
        Reference<css::drawing::XShape> added;
        for (const auto& s : after)
            if (std::find(before.begin(), before.end(), s) == before.end()) added = s;
        if (after.size() != before.size() + 1 || !added.is())
            fail(errors::Application,
                 QStringLiteral("Impress did not paste the clipboard as %1: the clipboard may "
                                "not hold it in that form.")
                     .arg(QLatin1String(how->what)));
        if (after.back() != added)
            props(added)->setPropertyValue(ous("ZOrder"), Any(sal_Int32(after.size() - 1)));
        return makeImpressShape(doc, added);
    });
}

bool ImpressDoc::isAspectLocked(const Reference<css::drawing::XShape>& shape) const {
    return std::find(aspectLocked.begin(), aspectLocked.end(), shape) != aspectLocked.end();
}

}  // namespace office::libreoffice
