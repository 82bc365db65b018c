// Worksheets of Calc: cells, formats, regions, and the chart objects on their draw pages.

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Rectangle.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XExporter.hpp>
#include <com/sun/star/document/XFilter.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/io/SequenceOutputStream.hpp>
#include <com/sun/star/io/XSequenceOutputStream.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/CellDeleteMode.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangeMovement.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRangeContainer.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableCharts.hpp>
#include <com/sun/star/table/XTableChartsSupplier.hpp>
#include <com/sun/star/util/XNumberFormatTypes.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/util/XProtectable.hpp>

#include "office/libreoffice/Calc.h"
#include "office/libreoffice/Host.h"

namespace office::libreoffice {

namespace {

// The class id of Calc's chart objects.
const QString ChartClassId = QStringLiteral("12DCAE26-281F-416F-a234-c3086127382e");

Reference<css::beans::XPropertySet> props(const Reference<css::uno::XInterface>& object) {
    return Reference<css::beans::XPropertySet>(object, UNO_QUERY_THROW);
}

template <typename T>
T property(const Reference<css::uno::XInterface>& object, const char* name) {
    T value{};
    props(object)->getPropertyValue(ous(name)) >>= value;
    return value;
}

bool isChartShape(const Reference<css::drawing::XShape>& shape) {
    if (qs(shape->getShapeType()) != QLatin1String("com.sun.star.drawing.OLE2Shape")) return false;
    return property<OUString>(shape, "CLSID").equalsIgnoreAsciiCase(ous(ChartClassId));
}

// A chart's name: the shape's own name when it has one, else the embedded object's.
QString chartName(const Reference<css::drawing::XShape>& shape) {
    Reference<css::container::XNamed> named(shape, UNO_QUERY);
    const QString own = named.is() ? qs(named->getName()) : QString();
    return own.isEmpty() ? qs(property<OUString>(shape, "PersistName")) : own;
}

Value fromAny(const Any& a) {
    double d = 0;
    if (a >>= d) return d;
    OUString s;
    if ((a >>= s) && s.getLength() > 0) return qs(s);
    return {};
}

Any toAny(const Value& v) {
    if (auto s = std::get_if<QString>(&v)) return Any(ous(*s));
    if (auto d = std::get_if<double>(&v)) return Any(*d);
    if (auto b = std::get_if<bool>(&v)) return Any(*b ? 1.0 : 0.0);
    return Any();
}

class CalcChart;

class CalcChartObject : public ChartObject, public std::enable_shared_from_this<CalcChartObject> {
  public:
    CalcChartObject(std::shared_ptr<CalcSheet> sheet, Reference<css::drawing::XShape> shape,
                    QString name)
        : sheet_(std::move(sheet)), shape_(std::move(shape)), name_(std::move(name)) {}

    QString name() const override { return name_; }
    bool visible() const override {
        return guarded(sheet_->session(), "ChartObject.Visible", [&] {
            Reference<css::beans::XPropertySet> p(shape_, UNO_QUERY_THROW);
            if (!p->getPropertySetInfo()->hasPropertyByName(ous("Visible"))) return true;
            return property<bool>(shape_, "Visible");
        });
    }
    Range topLeftCell() const override {
        return guarded(sheet_->session(), "ChartObject.TopLeftCell", [&] {
            const auto p = shape_->getPosition();
            auto [row, column] = sheet_->cellAt(p.X, p.Y);
            return sheet_->range(CellRect{row, column, row, column});
        });
    }
    Range bottomRightCell() const override {
        return guarded(sheet_->session(), "ChartObject.BottomRightCell", [&] {
            const auto p = shape_->getPosition();
            const auto s = shape_->getSize();
            // The last point inside the shape.
            auto [row, column] =
                sheet_->cellAt(p.X + std::max(0, s.Width - 1), p.Y + std::max(0, s.Height - 1));
            return sheet_->range(CellRect{row, column, row, column});
        });
    }
    std::shared_ptr<Chart> chart() const override;
    void activate() override { select(); }
    void select() override {
        guarded(sheet_->session(), "ChartObject.Select", [&] {
            sheet_->activate();
            sheet_->doc()->select(Any(shape_));
        });
    }

    void setName(const QString& name) override {
        guarded(sheet_->session(), "ChartObject.Name", [&] {
            const QString failed = QStringLiteral("Unable to set the Name property");
            if (name.trimmed().isEmpty()) fail(errors::Application, failed);
            for (const auto& [shape, other] : sheet_->chartShapes())
                if (shape != shape_ && other.compare(name, Qt::CaseInsensitive) == 0)
                    fail(errors::Application, failed);
            // The shape's own name is the one the chart is listed by.
            Reference<css::container::XNamed>(shape_, UNO_QUERY_THROW)->setName(ous(name));
            name_ = name;
        });
    }
    void remove() override {
        guarded(sheet_->session(), "ChartObject.Delete", [&] {
            Reference<css::drawing::XDrawPageSupplier> dps(sheet_->uno(), UNO_QUERY_THROW);
            Reference<css::drawing::XShapes>(dps->getDrawPage(), UNO_QUERY_THROW)->remove(shape_);
            pasted_ = QImage();
        });
    }

    void copy() const {
        guarded(sheet_->session(), "Chart.Copy", [&] {
            sheet_->doc()->copy(Any(shape_), QStringLiteral("the chart %1").arg(name_));
        });
    }

    // Calc cannot take a picture into a chart: the picture stays with the object and stands for
    // the chart's drawing when it is exported.
    void paste() {
        guarded(sheet_->session(), "Chart.Paste", [&] {
            auto session = sheet_->doc()->session;
            auto picture =
                UnoClipboard([session] { return session; }).picture(Clipboard::Format::Any);
            if (!picture || picture->bitmap.isNull())
                fail(errors::Application, QStringLiteral("Paste method of Chart class failed"));
            pasted_ = picture->bitmap;
        });
    }

    void exportFile(const QString& fileName) const {
        guarded(sheet_->session(), "Chart.Export", [&] {
            const QString failed = QStringLiteral("Export method of Chart class failed");
            const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
            if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format))
                fail(errors::Application, failed);
            const auto size = shape_->getSize();
            const QSize pixels(hmmToPixels(size.Width), hmmToPixels(size.Height));
            QImage image;
            if (pasted_.isNull()) {
                image = shapePicture(sheet_->session(), shape_, pixels);
            } else {
                // The pasted picture fills the chart area, scaled to fit, keeping proportions.
                image = QImage(pixels, QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter p(&image);
                p.setRenderHint(QPainter::SmoothPixmapTransform);
                p.drawImage(
                    QRectF(QPointF(0, 0),
                           QSizeF(pasted_.size()).scaled(QSizeF(pixels), Qt::KeepAspectRatio)),
                    pasted_);
            }
            if (image.isNull()) fail(errors::Application, failed);
            // A complete file or none: it appears under its name only once written.
            QSaveFile file(fileName);
            if (!file.open(QIODevice::WriteOnly)) fail(errors::Application, failed);
            QImageWriter writer(&file, format);
            if (!writer.write(image) || !file.commit()) fail(errors::Application, failed);
        });
    }

  private:
    std::shared_ptr<CalcSheet> sheet_;
    Reference<css::drawing::XShape> shape_;
    QString name_;
    QImage pasted_;
};

class CalcChart : public Chart {
  public:
    explicit CalcChart(std::shared_ptr<CalcChartObject> object) : object_(std::move(object)) {}
    QString name() const override { return object_->name(); }
    void activate() override { object_->select(); }
    // LibreOffice's copy of a chart carries its pictures too.
    void copy() override { object_->copy(); }
    void copyPicture() override { object_->copy(); }
    void paste() override { object_->paste(); }
    void exportFile(const QString& fileName) override { object_->exportFile(fileName); }

  private:
    std::shared_ptr<CalcChartObject> object_;
};

std::shared_ptr<Chart> CalcChartObject::chart() const {
    return std::make_shared<CalcChart>(
        std::const_pointer_cast<CalcChartObject>(shared_from_this()));
}

const css::lang::Locale& formatLocale() {
    // Format codes come written the English way ("0", "@", "#,##0.00").
    static const css::lang::Locale english(ous("en"), ous("US"), OUString());
    return english;
}

// The 56 colours of the other office's default palette, by ColorIndex.
constexpr sal_Int32 Palette[56] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

constexpr double PointsPerHmm = 72.0 / 2540.0;

}  // namespace

int hmmToPixels(int hmm) {
    return std::max(1, static_cast<int>(std::lround(hmm * 96.0 / 2540.0)));
}

QImage shapePicture(const Session& session, const Reference<css::drawing::XShape>& shape,
                    QSize pixels) {
    if (pixels.isEmpty()) {
        const auto size = shape->getSize();
        pixels = QSize(hmmToPixels(size.Width), hmmToPixels(size.Height));
    }
    auto filter = session.create("com.sun.star.drawing.GraphicExportFilter");
    Reference<css::document::XExporter>(filter, UNO_QUERY_THROW)
        ->setSourceDocument(Reference<css::lang::XComponent>(shape, UNO_QUERY_THROW));
    auto stream = css::io::SequenceOutputStream::create(session.context());
    css::beans::PropertyValue size[2];
    size[0].Name = ous("PixelWidth");
    size[0].Value <<= static_cast<sal_Int32>(pixels.width());
    size[1].Name = ous("PixelHeight");
    size[1].Value <<= static_cast<sal_Int32>(pixels.height());
    css::beans::PropertyValue args[3];
    args[0].Name = ous("MediaType");
    args[0].Value <<= ous("image/png");
    args[1].Name = ous("OutputStream");
    args[1].Value <<= Reference<css::io::XOutputStream>(stream, UNO_QUERY_THROW);
    args[2].Name = ous("FilterData");
    args[2].Value <<= Sequence<css::beans::PropertyValue>(size, 2);
    if (!Reference<css::document::XFilter>(filter, UNO_QUERY_THROW)
             ->filter(Sequence<css::beans::PropertyValue>(args, 3)))
        return {};
    const auto bytes = stream->getWrittenBytes();
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes.getConstArray()),
                            bytes.getLength(), "PNG");
}

// ---- geometry

void CalcSheet::size() const {
    if (rows_ > 0) return;
    Reference<css::table::XColumnRowRange> crr(sheet_, UNO_QUERY_THROW);
    rows_ = need(crr->getRows())->getCount();
    columns_ = need(crr->getColumns())->getCount();
}

std::optional<CellRect> CalcSheet::clamp(const CellRect& rect) const {
    size();
    CellRect r{std::max(rect.top, 1), std::max(rect.left, 1), std::min(rect.bottom, rows_),
               std::min(rect.right, columns_)};
    if (r.top > r.bottom || r.left > r.right) return std::nullopt;
    return r;
}

Reference<css::table::XCellRange> CalcSheet::cellRange(const CellRect& rect) const {
    auto r = clamp(rect);
    if (!r || rect.top < 1 || rect.left < 1)
        fail(errors::Application,
             QStringLiteral("The range %1 lies outside the sheet %2.")
                 .arg(formatAddress(rect),
                      qs(Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->getName())));
    return sheet_->getCellRangeByPosition(r->left - 1, r->top - 1, r->right - 1, r->bottom - 1);
}

int CalcSheet::zeroBasedIndex() const {
    Reference<css::sheet::XCellRangeAddressable> a(sheet_, UNO_QUERY_THROW);
    return a->getRangeAddress().Sheet;
}

std::pair<int, int> CalcSheet::cellAt(int x, int y) const {
    size();
    // The last row or column that starts at or before the point: positions only grow.
    auto last = [&](int count, auto start) {
        int lo = 0, hi = count - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (start(mid) <= 0)
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo + 1;
    };
    auto position = [&](int column, int row) {
        return property<css::awt::Point>(sheet_->getCellByPosition(column, row), "Position");
    };
    const int column = last(columns_, [&](int c) { return position(c, 0).X - x; });
    const int row = last(rows_, [&](int r) { return position(0, r).Y - y; });
    return {row, column};
}

// ---- sheet

QString CalcSheet::name() const {
    return guarded(session(), "Sheet.Name", [&] {
        return qs(Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->getName());
    });
}

void CalcSheet::setName(const QString& name) {
    guarded(session(), "Sheet.Name", [&] {
        Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->setName(ous(name));
    });
}

int CalcSheet::index() const {
    return guarded(session(), "Sheet.Index", [&] { return zeroBasedIndex() + 1; });
}

// Calc knows visible and hidden; a hidden sheet stands for a very hidden one, which keeps it
// out of the user's way the same way.
int CalcSheet::visible() const {
    return guarded(session(), "Sheet.Visible", [&] {
        return property<bool>(sheet_, "IsVisible") ? xlSheetVisible : xlSheetVeryHidden;
    });
}

void CalcSheet::setVisible(int visible) {
    guarded(session(), "Sheet.Visible", [&] {
        const bool show = visible == xlSheetVisible;
        // Calc's view must not stay on a hidden sheet (it crashes on the next write there):
        // move to the next visible sheet, or the one before, as the other office does.
        if (!show)
            leaveIfActive(
                QStringLiteral("Unable to set the Visible property of the Worksheet "
                               "class: it is the only visible sheet."));
        props(sheet_)->setPropertyValue(ous("IsVisible"), Any(show));
    });
}

bool CalcSheet::isActive() const {
    if (!doc_->model->getCurrentController().is()) return false;
    auto active = doc_->view()->getActiveSheet();
    return Reference<css::sheet::XCellRangeAddressable>(active, UNO_QUERY_THROW)
               ->getRangeAddress()
               .Sheet == zeroBasedIndex();
}

void CalcSheet::activate() {
    guarded(session(), "Sheet.Activate", [&] { doc_->view()->setActiveSheet(sheet_); });
}

std::shared_ptr<Chart> CalcSheet::chart() const {
    notSupported("Chart on a worksheet");
}

std::vector<std::pair<Reference<css::drawing::XShape>, QString>> CalcSheet::chartShapes() const {
    std::vector<std::pair<Reference<css::drawing::XShape>, QString>> out;
    Reference<css::drawing::XDrawPageSupplier> dps(sheet_, UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> shapes(dps->getDrawPage(), UNO_QUERY_THROW);
    const int n = shapes->getCount();
    for (int i = 0; i < n; ++i) {
        Reference<css::drawing::XShape> shape(shapes->getByIndex(i), UNO_QUERY);
        if (shape.is() && isChartShape(shape)) out.emplace_back(shape, chartName(shape));
    }
    return out;
}

std::vector<std::shared_ptr<ChartObject>> CalcSheet::chartObjects() const {
    return guarded(session(), "ChartObjects", [&] {
        std::vector<std::shared_ptr<ChartObject>> out;
        for (const auto& [shape, name] : chartShapes())
            out.push_back(std::make_shared<CalcChartObject>(self(), shape, name));
        return out;
    });
}

Value CalcSheet::cell(int row, int column) const {
    return guarded(session(), "Cells", [&] {
        const Grid g = read(CellRect{row, column, row, column});
        return g.at(0).at(0);
    });
}

void CalcSheet::setCell(int row, int column, const Value& value) {
    write(row, column, Grid{Row{value}});
}

Grid CalcSheet::read(const CellRect& rect) const {
    return guarded(session(), "Range.Value", [&] {
        Grid out(rect.rows(), Row(rect.columns()));
        auto inside = clamp(rect);
        if (!inside) return out;
        Reference<css::sheet::XCellRangeData> data(cellRange(*inside), UNO_QUERY_THROW);
        const auto rows = data->getDataArray();
        for (int r = 0; r < rows.getLength(); ++r)
            for (int c = 0; c < rows[r].getLength(); ++c)
                out[inside->top - rect.top + r][inside->left - rect.left + c] = fromAny(rows[r][c]);
        return out;
    });
}

void CalcSheet::write(int row, int column, const Grid& values) {
    guarded(session(), "Range.Value", [&] {
        if (values.empty()) return;
        size_t width = 0;
        for (const auto& r : values) width = std::max(width, r.size());
        if (width == 0) return;
        const bool ragged = std::any_of(values.begin(), values.end(),
                                        [&](const Row& r) { return r.size() != width; });
        auto put = [&](int top, const Grid& block, size_t columns) {
            std::vector<Sequence<Any>> rows;
            rows.reserve(block.size());
            for (const auto& r : block) {
                std::vector<Any> cells;
                cells.reserve(columns);
                for (const auto& v : r) cells.push_back(toAny(v));
                rows.emplace_back(cells.data(), static_cast<sal_Int32>(cells.size()));
            }
            const CellRect rect{top, column, top + static_cast<int>(block.size()) - 1,
                                column + static_cast<int>(columns) - 1};
            if (rect.top < 1 || rect.left < 1 || clamp(rect) != rect)
                fail(errors::Application,
                     QStringLiteral("The values do not fit on the sheet at %1.")
                         .arg(formatAddress(rect)));
            auto range = cellRange(rect);
            // An empty block is a clear: Calc 7.4 crashes on a data array of empty values only.
            const bool empty = std::all_of(block.begin(), block.end(), [](const Row& r) {
                return std::all_of(r.begin(), r.end(), [](const Value& v) {
                    return std::holds_alternative<std::monostate>(v);
                });
            });
            if (empty) {
                using namespace css::sheet::CellFlags;
                Reference<css::sheet::XSheetOperation>(range, UNO_QUERY_THROW)
                    ->clearContents(VALUE | DATETIME | STRING | FORMULA);
                return;
            }
            Reference<css::sheet::XCellRangeData> data(range, UNO_QUERY_THROW);
            data->setDataArray(
                Sequence<Sequence<Any>>(rows.data(), static_cast<sal_Int32>(rows.size())));
        };
        // Rows of different lengths go one by one, so no cell beyond a row is touched.
        if (!ragged) {
            put(row, values, width);
        } else {
            for (size_t i = 0; i < values.size(); ++i)
                if (!values[i].empty())
                    put(row + static_cast<int>(i), Grid{values[i]}, values[i].size());
        }
    });
}

void CalcSheet::clearContents(const CellRect& rect) {
    guarded(session(), "Range.ClearContents", [&] {
        auto inside = clamp(rect);
        if (!inside) return;
        using namespace css::sheet::CellFlags;
        Reference<css::sheet::XSheetOperation>(cellRange(*inside), UNO_QUERY_THROW)
            ->clearContents(VALUE | DATETIME | STRING | ANNOTATION | FORMULA);
    });
}

void CalcSheet::clear(const CellRect& rect) {
    guarded(session(), "Range.Clear", [&] {
        auto inside = clamp(rect);
        if (!inside) return;
        using namespace css::sheet::CellFlags;
        Reference<css::sheet::XSheetOperation>(cellRange(*inside), UNO_QUERY_THROW)
            ->clearContents(VALUE | DATETIME | STRING | ANNOTATION | FORMULA | HARDATTR | STYLES |
                            EDITATTR | FORMATTED);
    });
}

void CalcSheet::deleteRows(const std::vector<CellRect>& areas) {
    guarded(session(), "Range.Delete", [&] {
        // Bottom area first, so the row numbers of the areas above stay valid.
        std::vector<CellRect> sorted = areas;
        std::sort(sorted.begin(), sorted.end(),
                  [](const CellRect& a, const CellRect& b) { return a.top > b.top; });
        Reference<css::sheet::XCellRangeMovement> move(sheet_, UNO_QUERY_THROW);
        const auto sheetIndex = static_cast<sal_Int16>(zeroBasedIndex());
        size();
        for (const auto& a : sorted) {
            auto inside = clamp(CellRect{a.top, 1, a.bottom, 1});
            if (!inside) continue;
            move->removeRange(css::table::CellRangeAddress(sheetIndex, 0, inside->top - 1,
                                                           columns_ - 1, inside->bottom - 1),
                              css::sheet::CellDeleteMode_ROWS);
        }
    });
}

QString CalcSheet::numberFormat(int row, int column) const {
    return guarded(session(), "Range.NumberFormat", [&] {
        const auto key =
            property<sal_Int32>(cellRange(CellRect{row, column, row, column}), "NumberFormat");
        Reference<css::util::XNumberFormatsSupplier> supplier(doc_->doc, UNO_QUERY_THROW);
        auto formats = supplier->getNumberFormats();
        auto format = formats->getByKey(key);
        css::lang::Locale locale;
        format->getPropertyValue(ous("Locale")) >>= locale;
        Reference<css::util::XNumberFormatTypes> types(formats, UNO_QUERY_THROW);
        if (types->getStandardIndex(locale) == key) return QStringLiteral("General");
        OUString code;
        format->getPropertyValue(ous("FormatString")) >>= code;
        return qs(code);
    });
}

void CalcSheet::setNumberFormat(const CellRect& rect, const QString& format) {
    guarded(session(), "Range.NumberFormat", [&] {
        auto inside = clamp(rect);
        if (!inside) return;
        Reference<css::util::XNumberFormatsSupplier> supplier(doc_->doc, UNO_QUERY_THROW);
        auto formats = supplier->getNumberFormats();
        sal_Int32 key = -1;
        if (format.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
            key = Reference<css::util::XNumberFormatTypes>(formats, UNO_QUERY_THROW)
                      ->getStandardIndex(formatLocale());
        } else {
            key = formats->queryKey(ous(format), formatLocale(), false);
            if (key < 0) key = formats->addNew(ous(format), formatLocale());
        }
        props(cellRange(*inside))->setPropertyValue(ous("NumberFormat"), Any(key));
    });
}

std::optional<CellRect> CalcSheet::usedRange() const {
    return guarded(session(), "UsedRange", [&]() -> std::optional<CellRect> {
        auto cursor = need(sheet_->createCursor());
        Reference<css::sheet::XUsedAreaCursor> used(cursor, UNO_QUERY_THROW);
        used->gotoStartOfUsedArea(false);
        used->gotoEndOfUsedArea(true);
        const auto a = Reference<css::sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)
                           ->getRangeAddress();
        const CellRect r{a.StartRow + 1, a.StartColumn + 1, a.EndRow + 1, a.EndColumn + 1};
        if (r.rows() == 1 && r.columns() == 1 &&
            need(sheet_->getCellByPosition(a.StartColumn, a.StartRow))->getType() ==
                css::table::CellContentType_EMPTY)
            return std::nullopt;
        return r;
    });
}

CellRect CalcSheet::currentRegion(int row, int column) const {
    return guarded(session(), "CurrentRegion", [&] {
        Reference<css::sheet::XSheetCellRange> start(cellRange(CellRect{row, column, row, column}),
                                                     UNO_QUERY_THROW);
        auto cursor = need(sheet_->createCursorByRange(start));
        cursor->collapseToCurrentRegion();
        const auto a = Reference<css::sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)
                           ->getRangeAddress();
        return CellRect{a.StartRow + 1, a.StartColumn + 1, a.EndRow + 1, a.EndColumn + 1};
    });
}

void CalcSheet::selectRange(const std::vector<CellRect>& areas) {
    guarded(session(), "Range.Select", [&] {
        if (areas.empty()) return;
        activate();
        if (areas.size() == 1) {
            doc_->select(Any(cellRange(areas.front())));
            return;
        }
        Reference<css::lang::XMultiServiceFactory> factory(doc_->doc, UNO_QUERY_THROW);
        Reference<css::sheet::XSheetCellRangeContainer> ranges(
            factory->createInstance(ous("com.sun.star.sheet.SheetCellRanges")), UNO_QUERY_THROW);
        const auto sheetIndex = static_cast<sal_Int16>(zeroBasedIndex());
        for (const auto& a : areas) {
            auto r = clamp(a);
            if (!r) continue;
            ranges->addRangeAddress(
                css::table::CellRangeAddress(sheetIndex, r->left - 1, r->top - 1, r->right - 1,
                                             r->bottom - 1),
                false);
        }
        doc_->select(Any(ranges));
    });
}

void CalcSheet::copyRange(const CellRect& rect) {
    guarded(session(), "Range.Copy", [&] {
        doc_->copy(Any(cellRange(rect)), QStringLiteral("the range %1").arg(formatAddress(rect)));
    });
}

// LibreOffice's copy of a range carries its pictures too.
void CalcSheet::copyRangePicture(const CellRect& rect) {
    guarded(session(), "Range.CopyPicture", [&] {
        doc_->copy(Any(cellRange(rect)), QStringLiteral("the range %1").arg(formatAddress(rect)));
    });
}

// ---- what the file exports add

QRectF CalcSheet::rangeGeometry(const CellRect& rect) const {
    return guarded(session(), "Range.Left", [&] {
        // Hidden rows and columns take no room, in Calc as in the other office.
        auto range = cellRange(rect);
        const auto at = property<css::awt::Point>(range, "Position");
        const auto size = property<css::awt::Size>(range, "Size");
        return QRectF(at.X * PointsPerHmm, at.Y * PointsPerHmm, size.Width * PointsPerHmm,
                      size.Height * PointsPerHmm);
    });
}

std::shared_ptr<ChartObject> CalcSheet::addChartObject(double left, double top, double width,
                                                       double height) {
    return guarded(session(), "ChartObjects.Add", [&]() -> std::shared_ptr<ChartObject> {
        if (!(left >= 0 && top >= 0 && width > 0 && height > 0))
            fail(errors::Application, QStringLiteral("Add method of ChartObjects class failed"));
        auto hmm = [](double points) {
            return static_cast<sal_Int32>(std::lround(points / PointsPerHmm));
        };
        // The embedded object's name is unique in the whole document.
        Reference<css::container::XIndexAccess> all(doc_->doc->getSheets(), UNO_QUERY_THROW);
        auto taken = [&](const QString& name) {
            for (int i = 0; i < all->getCount(); ++i) {
                Reference<css::table::XTableChartsSupplier> s(all->getByIndex(i), UNO_QUERY_THROW);
                if (s->getCharts()->hasByName(ous(name))) return true;
            }
            return false;
        };
        int n = static_cast<int>(chartShapes().size()) + 1;
        QString name;
        do name = QStringLiteral("Chart %1").arg(n++);
        while (taken(name));
        auto charts =
            Reference<css::table::XTableChartsSupplier>(sheet_, UNO_QUERY_THROW)->getCharts();
        charts->addNewByName(ous(name),
                             css::awt::Rectangle(hmm(left), hmm(top), std::max(1, hmm(width)),
                                                 std::max(1, hmm(height))),
                             {}, false, false);
        for (const auto& [shape, shapeName] : chartShapes())
            if (property<OUString>(shape, "PersistName") == ous(name))
                return std::make_shared<CalcChartObject>(self(), shape, shapeName);
        fail(errors::Application, QStringLiteral("Add method of ChartObjects class failed"));
    });
}

void CalcSheet::setFontColorIndex(const CellRect& rect, int index) {
    guarded(session(), "Font.ColorIndex", [&] {
        if (index < 1 || index > 56)
            fail(errors::Application, QStringLiteral("Unable to set the ColorIndex property"));
        props(cellRange(rect))->setPropertyValue(ous("CharColor"), Any(Palette[index - 1]));
    });
}

Reference<css::sheet::XSpreadsheet> CalcSheet::leaveIfActive(const QString& failed) {
    if (!property<bool>(sheet_, "IsVisible") || !isActive()) return {};
    Reference<css::container::XIndexAccess> all(doc_->doc->getSheets(), UNO_QUERY_THROW);
    const int self = zeroBasedIndex();
    const int n = all->getCount();
    Reference<css::sheet::XSpreadsheet> next;
    for (int step : {1, -1}) {
        for (int i = self + step; !next.is() && i >= 0 && i < n; i += step) {
            Reference<css::sheet::XSpreadsheet> candidate(all->getByIndex(i), UNO_QUERY_THROW);
            if (property<bool>(candidate, "IsVisible")) next = candidate;
        }
    }
    if (!next.is()) fail(errors::Application, failed);
    doc_->view()->setActiveSheet(next);
    return next;
}

void CalcSheet::remove() {
    guarded(session(), "Sheet.Delete", [&] {
        const QString failed = QStringLiteral("Delete method of Worksheet class failed");
        if (Reference<css::util::XProtectable>(doc_->doc, UNO_QUERY_THROW)->isProtected())
            fail(errors::Application, failed);
        // A workbook keeps at least one visible sheet.
        if (property<bool>(sheet_, "IsVisible")) {
            Reference<css::container::XIndexAccess> all(doc_->doc->getSheets(), UNO_QUERY_THROW);
            bool other = false;
            for (int i = 0; i < all->getCount() && !other; ++i)
                other = i != zeroBasedIndex() &&
                        property<bool>(
                            Reference<css::uno::XInterface>(all->getByIndex(i), UNO_QUERY_THROW),
                            "IsVisible");
            if (!other) fail(errors::Application, failed);
        }
        const auto next = leaveIfActive(failed);
        const OUString name = Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->getName();
        need(doc_->doc->getSheets())->removeByName(name);
        // Calc's view jumps to another sheet of its choice when one is removed.
        if (next.is()) doc_->view()->setActiveSheet(next);
    });
}

void CalcSheet::setRowsHidden(int first, int last, bool hidden) {
    guarded(session(), "EntireRow.Hidden", [&] {
        if (first < 1 || last < first)
            fail(errors::Application,
                 QStringLiteral("Application-defined or object-defined error"));
        auto inside = clamp(CellRect{first, 1, last, 1});
        if (!inside) return;
        Reference<css::table::XColumnRowRange> crr(cellRange(*inside), UNO_QUERY_THROW);
        props(crr->getRows())->setPropertyValue(ous("IsVisible"), Any(!hidden));
    });
}

void CalcSheet::setColumnsHidden(int first, int last, bool hidden) {
    guarded(session(), "EntireColumn.Hidden", [&] {
        if (first < 1 || last < first)
            fail(errors::Application,
                 QStringLiteral("Application-defined or object-defined error"));
        auto inside = clamp(CellRect{1, first, 1, last});
        if (!inside) return;
        Reference<css::table::XColumnRowRange> crr(cellRange(*inside), UNO_QUERY_THROW);
        props(crr->getColumns())->setPropertyValue(ous("IsVisible"), Any(!hidden));
    });
}

bool CalcSheet::rowVisible(int row) const {
    Reference<css::table::XColumnRowRange> crr(cellRange(CellRect{row, 1, row, 1}),
                                               UNO_QUERY_THROW);
    return property<bool>(crr->getRows(), "IsVisible");
}

bool CalcSheet::columnVisible(int column) const {
    Reference<css::table::XColumnRowRange> crr(cellRange(CellRect{1, column, 1, column}),
                                               UNO_QUERY_THROW);
    return property<bool>(crr->getColumns(), "IsVisible");
}

}  // namespace office::libreoffice
