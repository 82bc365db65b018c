#include "office/memory/Presentations.h"

#include <QColor>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

namespace office::memory {

namespace {

// PowerPoint's own number for a request it refuses.
constexpr int InvalidRequest = -2147188160;

[[noreturn]] void refuse(const QString& member, const QString& why) {
    throw Error(InvalidRequest, QStringLiteral("%1 : Invalid request.  %2").arg(member, why));
}

[[noreturn]] void outOfRange(const QString& member) {
    throw Error(InvalidRequest, QStringLiteral("%1 : Integer out of range.").arg(member));
}

QString colorText(int rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF).name().toUpper();
}

constexpr qint64 FirstHandle = 0x10010;

// A shape of a slide, or the slide's title placeholder (index 0).
class ShapeRef : public office::SlideShape {
  public:
    ShapeRef(std::shared_ptr<PresentationImpl> p, std::shared_ptr<Slide> s, int index)
        : p_(std::move(p)), s_(std::move(s)), index_(index) {}

    QString name() const override { return title() ? QStringLiteral("Title 1") : shape().name; }
    double left() const override { return title() ? titleData().left : shape().left; }
    double top() const override { return title() ? titleData().top : shape().top; }
    double width() const override { return title() ? titleData().width : shape().width; }
    double height() const override { return title() ? titleData().height : shape().height; }
    void setLeft(double v) override {
        geometry([&](double& l, double&, double&, double&) { l = v; });
    }
    void setTop(double v) override {
        geometry([&](double&, double& t, double&, double&) { t = v; });
    }
    void setWidth(double v) override {
        const bool lock = !title() && shape().lockAspectRatio;
        geometry([&](double&, double&, double& w, double& h) {
            if (lock && w > 0) h = h * v / w;
            w = v;
        });
    }
    void setHeight(double v) override {
        const bool lock = !title() && shape().lockAspectRatio;
        geometry([&](double&, double&, double& w, double& h) {
            if (lock && h > 0) w = w * v / h;
            h = v;
        });
    }
    void setLockAspectRatio(bool on) override {
        mutableShape("Shape.LockAspectRatio").lockAspectRatio = on;
    }
    void select() override {
        auto& w = p_->window;
        const int slide = live();
        if (!w || w->slideIndex != slide)
            refuse(QStringLiteral("Shape.Select"),
                   QStringLiteral("To select a shape, its view must be active."));
        w->selectedShape = index_;
    }

    void setShadowVisible(bool on) override { mutableShape("Shadow.Visible").shadow = on; }
    void setShadowBlur(double v) override { shadow("Shadow.Blur").blur = v; }
    void setShadowSize(double v) override { shadow("Shadow.Size").size = v; }
    void setShadowForeColor(int rgb) override { shadow("Shadow.ForeColor").color = colorText(rgb); }
    void setShadowOffsetX(double v) override { shadow("Shadow.OffsetX").offsetX = v; }
    void setShadowOffsetY(double v) override { shadow("Shadow.OffsetY").offsetY = v; }
    void setReflectionOffset(double v) override { reflection("Reflection.Offset").offset = v; }
    void setReflectionSize(double v) override { reflection("Reflection.Size").size = v; }
    void setAutoShapeType(int type) override {
        auto& s = mutableShape("Shape.AutoShapeType");
        // Pictures take a new outline; objects and tables have none to change.
        if (s.kind != QLatin1String("bitmap") && s.kind != QLatin1String("metafile") &&
            s.kind != QLatin1String("label"))
            refuse(QStringLiteral("Shape.AutoShapeType"),
                   QStringLiteral("This type of shape cannot have an auto shape type."));
        s.autoShapeType = type;
        s.adjustments = type == 5 ? std::vector<double>{0.16667} : std::vector<double>{};
    }
    void setAdjustment(int index, double value) override {
        auto& s = mutableShape("Adjustments.Item");
        if (!s.adjustments || index < 1 || index > static_cast<int>(s.adjustments->size()))
            throw Error(InvalidRequest,
                        QStringLiteral("Adjustments.Item : The index into the specified "
                                       "collection is out of bounds."));
        (*s.adjustments)[index - 1] = value;
    }

    void setWordWrap(bool on) override {
        auto& s = textShape("TextFrame.WordWrap");
        s.wordWrap = on;
        autoSize(s);
    }
    QString text() const override {
        if (title()) return titleData().text;
        const auto& s = shape();
        if (s.kind != QLatin1String("label"))
            refuse(QStringLiteral("TextFrame.TextRange"),
                   QStringLiteral("This shape does not have a text frame."));
        return s.text.value_or(QString());
    }
    void setText(const QString& text) override {
        if (title()) {
            live();
            s_->title->text = text;
            return;
        }
        auto& s = textShape("TextRange.Text");
        s.text = text;
        autoSize(s);
    }
    void setFontName(const QString& name) override { font("Font.Name").name = name; }
    void setFontSize(double size) override {
        font("Font.Size").size = size;
        autoSize(mutableShape("Font.Size"));
    }
    void setFontColor(int rgb) override { font("Font.Color").color = colorText(rgb); }

  private:
    bool title() const { return index_ == 0; }
    int live() const {
        const int i = p_->indexOf(s_.get());
        if (i == 0) throw Error(InvalidRequest, QStringLiteral("Object does not exist."));
        if (index_ > static_cast<int>(s_->shapes.size()) || (title() && !s_->title))
            throw Error(InvalidRequest, QStringLiteral("Object does not exist."));
        return i;
    }
    const TitlePlaceholder& titleData() const {
        live();
        return *s_->title;
    }
    const Shape& shape() const {
        live();
        return s_->shapes[index_ - 1];
    }
    Shape& mutableShape(const char* member) {
        live();
        if (title())
            refuse(QString::fromLatin1(member),
                   QStringLiteral("This member cannot be set on a placeholder."));
        return s_->shapes[index_ - 1];
    }
    template <typename F>
    void geometry(F change) {
        live();
        if (title()) {
            auto& t = *s_->title;
            change(t.left, t.top, t.width, t.height);
        } else {
            auto& s = s_->shapes[index_ - 1];
            change(s.left, s.top, s.width, s.height);
        }
        if (p_->app) p_->app->geometryChanged(*p_);
    }
    ShadowFormat& shadow(const char* member) {
        auto& s = mutableShape(member);
        if (!s.shadowFormat) s.shadowFormat = ShadowFormat{};
        return *s.shadowFormat;
    }
    ReflectionFormat& reflection(const char* member) {
        auto& s = mutableShape(member);
        s.reflection = true;
        if (!s.reflectionFormat) s.reflectionFormat = ReflectionFormat{};
        return *s.reflectionFormat;
    }
    Shape& textShape(const char* member) {
        auto& s = mutableShape(member);
        if (s.kind != QLatin1String("label"))
            refuse(QString::fromLatin1(member),
                   QStringLiteral("This shape does not have a text frame."));
        return s;
    }
    Font& font(const char* member) {
        auto& s = textShape(member);
        if (!s.font) s.font = Font{};
        return *s.font;
    }
    // A label that does not wrap grows with its text.
    static void autoSize(Shape& s) {
        if (s.kind != QLatin1String("label") || s.wordWrap.value_or(true)) return;
        const double size = s.font && s.font->size ? *s.font->size : 18;
        s.width = 14.4 + 0.5 * size * s.text.value_or(QString()).size();
    }

    std::shared_ptr<PresentationImpl> p_;
    std::shared_ptr<Slide> s_;
    int index_;
};

// What a paste puts on a slide, from what the clipboard holds.
Shape pasted(const Clipboard& clipboard, const QString& member, int dataType, bool link) {
    const auto& content = clipboard.content();
    if (!content)
        refuse(member, QStringLiteral("Clipboard is empty or contains data which may not be "
                                      "pasted here."));
    const bool picture = content->kind.endsWith(QLatin1String("Picture"));
    const bool chart = content->kind.startsWith(QLatin1String("chart"));
    Shape s;
    s.source = content->source;
    if (link || dataType == ppPasteOLEObject) {
        // A picture copy carries no workbook object to embed or link.
        if (picture)
            refuse(member, QStringLiteral("Clipboard is empty or contains data which may not be "
                                          "pasted here."));
        s.kind = link ? QStringLiteral("linked") : QStringLiteral("embedded");
    } else if (dataType == ppPasteBitmap) {
        s.kind = QStringLiteral("bitmap");
    } else if (dataType == ppPasteMetafilePicture) {
        s.kind = QStringLiteral("metafile");
    } else if (dataType == ppPasteDefault) {
        s.kind = picture ? QStringLiteral("bitmap")
                 : chart ? QStringLiteral("editable")
                         : QStringLiteral("table");
    } else {
        outOfRange(member);
    }
    QSizeF size(480, 288);
    if (auto p = clipboard.picture(office::Clipboard::Format::Any)) {
        if (!p->bitmap.isNull())
            size = QSizeF(p->bitmap.size()) * 0.75;
        else if (QSvgRenderer svg(p->svg); svg.isValid())
            size = QSizeF(svg.defaultSize()) * 0.75;
    }
    s.width = size.width();
    s.height = size.height();
    return s;
}

QString shapeName(const Shape& s, int number) {
    const QString& k = s.kind;
    const QString base = k == QLatin1String("bitmap") || k == QLatin1String("metafile")
                             ? QStringLiteral("Picture")
                         : k == QLatin1String("editable") ? QStringLiteral("Chart")
                         : k == QLatin1String("table")    ? QStringLiteral("Table")
                         : k == QLatin1String("label")    ? QStringLiteral("TextBox")
                                                          : QStringLiteral("Object");
    return QStringLiteral("%1 %2").arg(base).arg(number);
}

// Puts a shape last on a slide, where PowerPoint puts a paste: in the middle of the slide. The
// new shape is selected when its slide is in view.
std::shared_ptr<office::SlideShape> place(const std::shared_ptr<PresentationImpl>& p,
                                          const std::shared_ptr<Slide>& slide, Shape s,
                                          bool centre) {
    s.name = shapeName(s, static_cast<int>(slide->shapes.size()) + (slide->title ? 2 : 1));
    if (centre) {
        s.left = (p->slideWidth_ - s.width) / 2;
        s.top = (p->slideHeight_ - s.height) / 2;
    }
    slide->shapes.push_back(std::move(s));
    const int index = static_cast<int>(slide->shapes.size());
    if (p->window && p->window->slideIndex == p->indexOf(slide.get()))
        p->window->selectedShape = index;
    return std::make_shared<ShapeRef>(p, slide, index);
}

class SlideRef : public office::Slide {
  public:
    SlideRef(std::shared_ptr<PresentationImpl> p, std::shared_ptr<memory::Slide> s)
        : p_(std::move(p)), s_(std::move(s)) {}

    int slideIndex() const override { return live(); }
    int layout() const override {
        live();
        return s_->layout;
    }
    void setLayout(int layout) override {
        live();
        if (layout < 1 || layout > 36) outOfRange(QStringLiteral("Slide.Layout"));
        s_->layout = layout;
        if (layout == ppLayoutBlank)
            s_->title.reset();
        else if (!s_->title)
            s_->title = p_->newTitle();
    }
    void select() override {
        const int i = live();
        if (!p_->window)
            refuse(QStringLiteral("Slide.Select"), QStringLiteral("No window shows this slide."));
        p_->window->slideIndex = i;
        p_->window->selectedShape.reset();
    }
    bool hasTitle() const override {
        live();
        return s_->title.has_value();
    }
    std::shared_ptr<office::SlideShape> title() const override {
        live();
        if (!s_->title)
            throw Error(InvalidRequest,
                        QStringLiteral("Shapes.Title : Invalid request.  This slide has no title "
                                       "placeholder."));
        return std::make_shared<ShapeRef>(p_, s_, 0);
    }
    int shapeCount() const override {
        live();
        return static_cast<int>(s_->shapes.size()) + (s_->title ? 1 : 0);
    }
    // The title placeholder comes first when there is one, as PowerPoint counts them.
    std::shared_ptr<office::SlideShape> shape(int index) const override {
        live();
        const int offset = s_->title ? 1 : 0;
        if (index < 1 || index > static_cast<int>(s_->shapes.size()) + offset)
            throw Error(InvalidRequest,
                        QStringLiteral("Shapes.Item : Integer out of range. %1 is not in the valid "
                                       "range of 1 to %2.")
                            .arg(index)
                            .arg(static_cast<int>(s_->shapes.size()) + offset));
        return std::make_shared<ShapeRef>(p_, s_, index - offset);
    }
    std::shared_ptr<office::SlideShape> pasteSpecial(int dataType, bool link) override {
        live();
        if (!p_->app || !p_->app->clipboard)
            refuse(QStringLiteral("Shapes.PasteSpecial"), QStringLiteral("Clipboard is empty."));
        return place(
            p_, s_,
            pasted(*p_->app->clipboard, QStringLiteral("Shapes.PasteSpecial"), dataType, link),
            true);
    }
    std::shared_ptr<office::SlideShape> addLabel(int orientation, double left, double top,
                                                 double width, double height) override {
        live();
        if (orientation != 1 && orientation != 5) outOfRange(QStringLiteral("Shapes.AddLabel"));
        Shape s;
        s.kind = QStringLiteral("label");
        s.left = left;
        s.top = top;
        s.width = width;
        s.height = height;
        s.lockAspectRatio = false;
        s.text = QString();
        s.wordWrap = true;
        auto shape = place(p_, s_, std::move(s), false);
        if (p_->window) p_->window->selectedShape.reset();  // a new label is not selected
        return shape;
    }

  private:
    int live() const {
        const int i = p_->indexOf(s_.get());
        if (i == 0) throw Error(InvalidRequest, QStringLiteral("Object does not exist."));
        return i;
    }
    std::shared_ptr<PresentationImpl> p_;
    std::shared_ptr<memory::Slide> s_;
};

class WindowRef : public office::PresentationWindow {
  public:
    explicit WindowRef(std::shared_ptr<PresentationImpl> p) : p_(std::move(p)) {}

    std::shared_ptr<office::Presentation> presentation() const override { return p_; }
    QString caption() const override { return w().title; }
    int viewType() const override { return w().viewType; }
    void setViewType(int type) override {
        if (type < 1 || type > 12) outOfRange(QStringLiteral("Window.ViewType"));
        w().viewType = type;
    }
    int viewSlideIndex() const override {
        if (!w().slideIndex)
            throw Error(InvalidRequest,
                        QStringLiteral("View.Slide : Invalid request.  No slide is in view."));
        return *w().slideIndex;
    }
    void gotoSlide(int index) override {
        if (index < 1 || index > p_->slideCount()) outOfRange(QStringLiteral("View.GotoSlide"));
        w().slideIndex = index;
        w().selectedShape.reset();
    }
    void viewPasteSpecial(int dataType) override {
        const QString member = QStringLiteral("View.PasteSpecial");
        if (dataType != ppPasteBitmap && dataType != ppPasteMetafilePicture &&
            dataType != ppPasteDefault && dataType != ppPasteOLEObject)
            outOfRange(member);
        place(p_, inView(member), pasted(*p_->app->clipboard, member, dataType, false), true);
    }
    std::shared_ptr<office::Slide> selectedSlide() const override {
        return std::make_shared<SlideRef>(p_, inView(QStringLiteral("Selection.SlideRange")));
    }
    std::shared_ptr<office::SlideShape> selectedShape() const override {
        const auto slide = inView(QStringLiteral("Selection.ShapeRange"));
        if (!w().selectedShape || *w().selectedShape > static_cast<int>(slide->shapes.size()) ||
            (*w().selectedShape == 0 && !slide->title))
            refuse(QStringLiteral("Selection.ShapeRange"),
                   QStringLiteral("Nothing appropriate is currently selected."));
        return std::make_shared<ShapeRef>(p_, slide, *w().selectedShape);
    }
    void unselect() override { w().selectedShape.reset(); }

    std::shared_ptr<Slide> inView(const QString& member) const {
        if (!w().slideIndex) refuse(member, QStringLiteral("No slide is in view."));
        return p_->slides[*w().slideIndex - 1];
    }

  private:
    WindowData& w() const {
        if (!p_->window)
            refuse(QStringLiteral("ActiveWindow"),
                   QStringLiteral("There is no currently active document window."));
        return *p_->window;
    }
    std::shared_ptr<PresentationImpl> p_;
};

}  // namespace

// ---- presentations

int PresentationImpl::indexOf(const Slide* slide) const {
    for (size_t i = 0; i < slides.size(); ++i)
        if (slides[i].get() == slide) return static_cast<int>(i) + 1;
    return 0;
}

TitlePlaceholder PresentationImpl::newTitle() const {
    TitlePlaceholder t;
    t.width = slideWidth_ - 2 * t.left;
    return t;
}

std::shared_ptr<office::Slide> PresentationImpl::slide(int index) const {
    if (index < 1 || index > slideCount())
        throw Error(InvalidRequest,
                    QStringLiteral("Slides.Item : Integer out of range. %1 is not in the valid "
                                   "range of 1 to %2.")
                        .arg(index)
                        .arg(slideCount()));
    auto self = std::const_pointer_cast<PresentationImpl>(shared_from_this());
    return std::make_shared<SlideRef>(self, slides[index - 1]);
}

std::shared_ptr<office::Slide> PresentationImpl::addSlide(int index, int layout) {
    if (index < 1 || index > slideCount() + 1) outOfRange(QStringLiteral("Slides.Add"));
    if (layout < 1 || layout > 36) outOfRange(QStringLiteral("Slides.Add"));
    auto s = std::make_shared<Slide>();
    s->layout = layout;
    if (layout != ppLayoutBlank) s->title = newTitle();
    slides.insert(slides.begin() + (index - 1), s);
    // The slide in view stays in view.
    if (window && window->slideIndex && *window->slideIndex >= index) ++*window->slideIndex;
    return std::make_shared<SlideRef>(shared_from_this(), s);
}

void PresentationImpl::exitSlideShow() {
    if (!app || !app->slideShowRunning)
        refuse(QStringLiteral("Presentation.SlideShowWindow"),
               QStringLiteral("There is currently no slide show view for this presentation."));
    app->slideShowRunning = false;
}

// ---- the application

std::vector<std::shared_ptr<office::Presentation>> PowerPointApp::presentations() const {
    return {list.begin(), list.end()};
}

int PowerPointApp::windowCount() const {
    return static_cast<int>(std::count_if(list.begin(), list.end(),
                                          [](const auto& p) { return p->window.has_value(); }));
}

std::shared_ptr<office::PresentationWindow> PowerPointApp::activeWindow() const {
    auto p = active_.lock();
    if (!p || !p->window)
        refuse(QStringLiteral("Application.ActiveWindow"),
               QStringLiteral("There is no currently active document window."));
    return std::make_shared<WindowRef>(p);
}

std::shared_ptr<office::Presentation> PowerPointApp::addPresentation() {
    int n = 1;
    while (find(QStringLiteral("Presentation%1").arg(n))) ++n;
    auto p = std::make_shared<PresentationImpl>();
    p->name_ = p->fullName_ = QStringLiteral("Presentation%1").arg(n);
    p->window = WindowData{};
    p->window->title = p->name_ + QStringLiteral(" - PowerPoint");
    add(p);
    active_ = p;
    running = true;
    return p;
}

void PowerPointApp::executeMso(const QString& command) {
    if (command != QLatin1String("PasteSourceFormatting"))
        throw Error(InvalidRequest,
                    QStringLiteral("CommandBars.ExecuteMso : Invalid request.  The command \"%1\" "
                                   "is not available.")
                        .arg(command));
    auto p = active_.lock();
    if (!p || !p->window || !p->window->slideIndex || !clipboard || !clipboard->content())
        throw Error(InvalidRequest,
                    QStringLiteral("CommandBars.ExecuteMso : Invalid request.  The command is "
                                   "disabled."));
    commands.push_back(command);
    const QString member = QStringLiteral("CommandBars.ExecuteMso");
    place(p, p->slides[*p->window->slideIndex - 1],
          pasted(*clipboard, member, ppPasteDefault, false), true);
}

std::shared_ptr<PresentationImpl> PowerPointApp::find(const QString& name) const {
    for (const auto& p : list)
        if (p->name_.compare(name, Qt::CaseInsensitive) == 0 || p->fullName_ == name) return p;
    return nullptr;
}

void PowerPointApp::add(std::shared_ptr<PresentationImpl> p) {
    p->app = this;
    list.push_back(std::move(p));
}

bool PowerPointApp::open(const QString& file) {
    if (auto p = find(file)) {
        active_ = p;
        return true;
    }
    auto it = files.find(file);
    if (it == files.end()) return false;
    auto p = it->second;
    files.erase(it);
    // A presentation opened from its file comes up in a window of its own.
    if (!p->window) {
        p->window = WindowData{};
        if (!p->slides.empty()) p->window->slideIndex = 1;
        p->window->title = p->name_ + QStringLiteral(" - PowerPoint");
    }
    add(p);
    active_ = p;
    running = true;
    return true;
}

QString PowerPointApp::frameClass() const {
    const QString major = version_.section(QLatin1Char('.'), 0, 0);
    if (major == QLatin1String("8")) return QStringLiteral("PP97FrameClass");
    if (major == QLatin1String("9") || major == QLatin1String("10") ||
        major == QLatin1String("11") || major == QLatin1String("12"))
        return QStringLiteral("PP%1FrameClass").arg(major);
    return QStringLiteral("PPTFrameClass");
}

qint64 PowerPointApp::handleOf(const PresentationImpl& p) const {
    if (!running || !p.window) return 0;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == &p) return FirstHandle + static_cast<qint64>(i);
    return 0;
}

qint64 PowerPointApp::findWindow(const QString& className, const QString& title) const {
    if (!running || (!className.isEmpty() && className != frameClass())) return 0;
    for (const auto& p : list)
        if (p->window && (title.isEmpty() || p->window->title == title)) return handleOf(*p);
    return 0;
}

namespace {
PresentationImpl* windowOf(const std::vector<std::shared_ptr<PresentationImpl>>& list,
                           qint64 handle) {
    const qint64 i = handle - FirstHandle;
    if (i < 0 || i >= static_cast<qint64>(list.size()) || !list[i]->window) return nullptr;
    return list[i].get();
}
}  // namespace

bool PowerPointApp::lockWindowUpdate(qint64 handle) {
    if (handle == 0) {
        lockedWindow = 0;
        return true;
    }
    // The desktop keeps one lock at a time.
    if (!windowOf(list, handle) || (lockedWindow && lockedWindow != handle)) return false;
    lockedWindow = handle;
    return true;
}

bool PowerPointApp::updateWindow(qint64 handle) {
    if (!windowOf(list, handle)) return false;
    ++redraws;
    return true;
}

bool PowerPointApp::setWindowShowState(qint64 handle, int showState) {
    auto* p = windowOf(list, handle);
    if (!p) return false;
    p->window->showState = showState;
    return true;
}

bool PowerPointApp::setForegroundWindow(qint64 handle) {
    if (!windowOf(list, handle)) return false;
    foregroundWindow = handle;
    return true;
}

void PowerPointApp::geometryChanged(const PresentationImpl& p) {
    if (p.window && !isLocked(p)) ++changesWhileUnlocked;
}

}  // namespace office::memory
