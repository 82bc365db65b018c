#include "office/memory/Render.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace office::memory::render {

namespace {

const QColor Frame(0xBF, 0xBF, 0xBF);
const QColor GridLine(0xD9, 0xD9, 0xD9);
const QColor Axis(0x80, 0x80, 0x80);
const QColor Ink(0x40, 0x40, 0x40);
const QColor CellLine(0xD4, 0xD4, 0xD4);

constexpr int Margin = 8;
constexpr int CellPadding = 4;
constexpr int MinColumnWidth = 24;
constexpr int MaxColumnWidth = 600;

// Text needs a GUI application for its fonts; without one the pictures are drawn without text.
class Text {
  public:
    Text(int pixelSize, bool bold) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
        QFont f(QStringLiteral("Liberation Sans"));
        f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        f.setPixelSize(pixelSize);
        f.setBold(bold);
        f.setHintingPreference(QFont::PreferNoHinting);
        font_ = f;
    }
    double width(const QString& text) const {
        return font_ && !text.isEmpty() ? QFontMetricsF(*font_).horizontalAdvance(text) : 0.0;
    }
    double height() const { return font_ ? QFontMetricsF(*font_).height() : 0.0; }
    void draw(QPainter& p, const QRectF& box, int flags, const QString& text,
              const QColor& color = Ink) const {
        if (!font_ || text.isEmpty()) return;
        p.setFont(*font_);
        p.setPen(color);
        const QString shown = QFontMetricsF(*font_).elidedText(text, Qt::ElideRight, box.width());
        p.drawText(box, flags, shown);
    }

  private:
    std::optional<QFont> font_;
};

// One-pixel lines as filled pixel rows and columns: crisp in the bitmap, and in the SVG when it
// is drawn at its own size.
void hairline(QPainter& p, double x0, double y0, double x1, double y1, const QColor& color) {
    if (y0 == y1)
        p.fillRect(QRectF(std::min(x0, x1), y0, std::fabs(x1 - x0) + 1, 1), color);
    else
        p.fillRect(QRectF(x0, std::min(y0, y1), 1, std::fabs(y1 - y0) + 1), color);
}

// Draws the same picture into a bitmap and, when asked, into SVG.
Picture paint(QSize size, bool withSvg, const std::function<void(QPainter&)>& draw) {
    size = size.boundedTo(QSize(MaxSide, MaxSide)).expandedTo(QSize(1, 1));
    Picture out;
    out.bitmap = QImage(size, QImage::Format_RGB32);
    out.bitmap.fill(Qt::white);
    {
        QPainter p(&out.bitmap);
        draw(p);
    }
    if (withSvg) {
        QBuffer buffer(&out.svg);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setResolution(96);  // the same nominal size as the bitmap, at screen resolution
        svg.setViewBox(QRect(QPoint(0, 0), size));
        QPainter p(&svg);
        p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        draw(p);
    }
    return out;
}

// A value scale with round steps that holds lo..hi and zero.
struct Scale {
    double lo = 0, hi = 1, step = 0.2;
};

Scale niceScale(double lo, double hi) {
    lo = std::min(lo, 0.0);
    hi = std::max(hi, 0.0);
    if (hi - lo <= 0) hi = lo + 1;
    const double rough = (hi - lo) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double norm = rough / magnitude;
    const double step = (norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 5 ? 5 : 10) * magnitude;
    return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

std::vector<double> ticks(const Scale& s) {
    std::vector<double> out;
    const int n = static_cast<int>(std::lround((s.hi - s.lo) / s.step));
    for (int i = 0; i <= n; ++i) {
        double v = s.lo + i * s.step;
        if (std::fabs(v) < s.step * 1e-9) v = 0;
        out.push_back(v);
    }
    return out;
}

QString tickLabel(double v) {
    return QString::number(v, 'g', 12);
}

void drawTitle(QPainter& p, const QString& title, int width, double& top) {
    if (title.isEmpty()) return;
    const Text font(16, true);
    const double h = std::max(font.height(), 16.0) + 4;
    font.draw(p, QRectF(Margin, top, width - 2 * Margin, h), Qt::AlignCenter, title);
    top += h + 4;
}

// The legend at the right; returns the left edge it leaves to the plot.
double drawLegend(QPainter& p, const QStringList& entries, QSize size, double top) {
    const Text font(11, false);
    double textWidth = 0;
    for (const auto& e : entries) textWidth = std::max(textWidth, font.width(e));
    textWidth = std::min(textWidth, size.width() / 3.0);
    const double width = 12 + 6 + textWidth;
    const double line = 18;
    const double left = std::round(size.width() - Margin - width);
    double y =
        std::round(top + std::max(0.0, (size.height() - Margin - top - line * entries.size()) / 2));
    for (int i = 0; i < entries.size(); ++i, y += line) {
        p.fillRect(QRectF(left, y + 3, 12, 12), seriesColor(i));
        font.draw(p, QRectF(left + 18, y, textWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                  entries[i]);
    }
    return left - Margin;
}

void drawPie(QPainter& p, const ChartPlot& c, const QRectF& plot) {
    double total = 0;
    const auto* values = c.values.empty() ? nullptr : &c.values.front();
    if (values)
        for (const auto& v : *values)
            if (v && *v > 0) total += *v;
    if (total <= 0) return;
    const double d = std::min(plot.width(), plot.height());
    if (d <= 0) return;
    const QRectF circle(plot.center().x() - d / 2, plot.center().y() - d / 2, d, d);
    // From twelve o'clock, clockwise, as the office draws pies.
    double start = 90 * 16;
    p.setPen(QPen(Qt::white, 1));
    for (size_t i = 0; i < values->size(); ++i) {
        const auto& v = (*values)[i];
        if (!v || *v <= 0) continue;
        const double span = -*v / total * 360 * 16;
        p.setBrush(seriesColor(static_cast<int>(i)));
        if (*v == total)
            p.drawEllipse(circle);
        else
            p.drawPie(circle, static_cast<int>(std::lround(start)),
                      static_cast<int>(std::lround(span)));
        start += span;
    }
    p.setBrush(Qt::NoBrush);
}

// Column, bar and line charts: a value axis, category labels, and the series.
void drawAxes(QPainter& p, const ChartPlot& c, QRectF area) {
    const bool bar = c.kind == QLatin1String("bar");
    const bool line = c.kind == QLatin1String("line");
    double lo = 0, hi = 0;
    for (const auto& s : c.values)
        for (const auto& v : s)
            if (v) {
                lo = std::min(lo, *v);
                hi = std::max(hi, *v);
            }
    const Scale scale = niceScale(lo, hi);
    const auto marks = ticks(scale);
    const Text font(11, false);
    const double labelHeight = std::max(font.height(), 12.0);
    double tickWidth = 0;
    for (double t : marks) tickWidth = std::max(tickWidth, font.width(tickLabel(t)));
    double categoryWidth = 0;
    for (const auto& name : c.categories) categoryWidth = std::max(categoryWidth, font.width(name));
    categoryWidth = std::min(categoryWidth, area.width() / 3);

    QRectF plot = area;
    if (bar) {
        plot.setLeft(area.left() + categoryWidth + 6);
        plot.setBottom(area.bottom() - labelHeight - 4);
        plot.setRight(plot.right() - tickWidth / 2);
    } else {
        plot.setLeft(area.left() + tickWidth + 6);
        plot.setBottom(area.bottom() - labelHeight - 4);
    }
    if (plot.width() <= 1 || plot.height() <= 1) return;
    // Whole pixels, so that bars and grid lines come out crisp.
    plot = QRectF(QPointF(std::round(plot.left()), std::round(plot.top())),
                  QPointF(std::round(plot.right()), std::round(plot.bottom())));

    const double valueLength = bar ? plot.width() : plot.height();
    auto at = [&](double v) {
        const double offset = (v - scale.lo) / (scale.hi - scale.lo) * valueLength;
        return std::round(bar ? plot.left() + offset : plot.bottom() - offset);
    };

    for (double t : marks) {
        const double pos = at(t);
        const QColor color = t == 0 ? Axis : GridLine;
        if (bar) {
            hairline(p, pos, plot.top(), pos, plot.bottom(), color);
            font.draw(p, QRectF(pos - 40, plot.bottom() + 4, 80, labelHeight), Qt::AlignCenter,
                      tickLabel(t));
        } else {
            hairline(p, plot.left(), pos, plot.right(), pos, color);
            font.draw(p, QRectF(area.left(), pos - labelHeight / 2, tickWidth, labelHeight),
                      Qt::AlignRight | Qt::AlignVCenter, tickLabel(t));
        }
    }

    const int categories = static_cast<int>(c.categories.size());
    const int series = static_cast<int>(c.values.size());
    if (categories == 0 || series == 0) return;
    const double group = (bar ? plot.height() : plot.width()) / categories;
    for (int i = 0; i < categories; ++i) {
        if (bar) {
            // The first category at the bottom, as the office lays out bar charts.
            const double bottom = plot.bottom() - i * group;
            font.draw(p, QRectF(area.left(), bottom - group, categoryWidth, group),
                      Qt::AlignRight | Qt::AlignVCenter, c.categories[i]);
        } else {
            font.draw(p, QRectF(plot.left() + i * group, plot.bottom() + 4, group, labelHeight),
                      Qt::AlignHCenter | Qt::AlignTop, c.categories[i]);
        }
    }

    const double zero = at(0);
    if (line) {
        p.setRenderHint(QPainter::Antialiasing, true);
        for (int s = 0; s < series; ++s) {
            const QColor color = seriesColor(s);
            std::optional<QPointF> last;
            for (int i = 0; i < categories; ++i) {
                const auto& v = c.values[s][i];
                if (!v) {
                    last.reset();
                    continue;
                }
                const QPointF point(plot.left() + (i + 0.5) * group, at(*v));
                if (last) {
                    p.setPen(QPen(color, 2.5, Qt::SolidLine, Qt::RoundCap));
                    p.drawLine(*last, point);
                }
                p.setPen(Qt::NoPen);
                p.setBrush(color);
                p.drawEllipse(point, 3.5, 3.5);
                p.setBrush(Qt::NoBrush);
                last = point;
            }
        }
        return;
    }
    const double barSpan = group * 0.7 / series;
    for (int i = 0; i < categories; ++i) {
        for (int s = 0; s < series; ++s) {
            const auto& v = c.values[s][i];
            if (!v) continue;
            const double from = i * group + group * 0.15 + s * barSpan;
            const double a = std::round(from), b = std::max(a + 1, std::round(from + barSpan));
            const double end = at(*v);
            QRectF r;
            if (bar)
                r = QRectF(QPointF(std::min(zero, end), plot.bottom() - b),
                           QPointF(std::max(zero, end), plot.bottom() - a));
            else
                r = QRectF(QPointF(plot.left() + a, std::min(zero, end)),
                           QPointF(plot.left() + b, std::max(zero, end)));
            p.fillRect(r, seriesColor(s));
        }
    }
}

void paintChart(QPainter& p, const ChartPlot& c, QSize size) {
    const int w = size.width() - 1, h = size.height() - 1;
    hairline(p, 0, 0, w, 0, Frame);
    hairline(p, 0, h, w, h, Frame);
    hairline(p, 0, 0, 0, h, Frame);
    hairline(p, w, 0, w, h, Frame);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    double top = Margin;
    drawTitle(p, c.title, size.width(), top);
    const bool pie = c.kind == QLatin1String("pie");
    const QStringList legend = pie ? c.categories : c.series;
    double right = size.width() - Margin;
    if (legend.size() > 1 || (pie && !legend.isEmpty())) right = drawLegend(p, legend, size, top);
    const QRectF area(QPointF(Margin, top), QPointF(right, size.height() - Margin));
    if (area.width() <= 0 || area.height() <= 0) return;
    if (pie)
        drawPie(p, c, area);
    else
        drawAxes(p, c, area);
}

QString general(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e11) return toText(v);
    return QString::number(v, 'g', 10);
}

}  // namespace

QColor seriesColor(int index) {
    static constexpr std::array<QRgb, 6> colors{0x4472C4, 0xED7D31, 0xA5A5A5,
                                                0xFFC000, 0x5B9BD5, 0x70AD47};
    return QColor::fromRgb(colors[static_cast<size_t>(std::abs(index)) % colors.size()]);
}

ChartPlot plotFromGrid(const QString& kind, const QString& title, const Grid& grid) {
    ChartPlot plot;
    plot.kind = kind;
    plot.title = title;
    if (grid.size() < 2) return plot;
    size_t width = 0;
    for (const auto& row : grid) width = std::max(width, row.size());
    if (width < 2) return plot;
    auto cell = [&](size_t r, size_t c) -> const Value& {
        static const Value empty;
        return c < grid[r].size() ? grid[r][c] : empty;
    };
    for (size_t c = 1; c < width; ++c) {
        const QString name = toText(cell(0, c));
        plot.series << (name.isEmpty() ? QStringLiteral("Series%1").arg(c) : name);
        plot.values.emplace_back();
    }
    for (size_t r = 1; r < grid.size(); ++r) {
        plot.categories << toText(cell(r, 0));
        for (size_t c = 1; c < width; ++c) {
            const auto* number = std::get_if<double>(&cell(r, c));
            plot.values[c - 1].push_back(
                number && std::isfinite(*number) ? std::optional<double>(*number) : std::nullopt);
        }
    }
    return plot;
}

QSize chartObjectSize(int rows, int columns) {
    return QSize(std::clamp(columns * CellWidth, 1, MaxSide),
                 std::clamp(rows * CellHeight, 1, MaxSide));
}

Picture drawChart(const ChartPlot& chart, QSize size, bool withSvg) {
    size = size.boundedTo(QSize(MaxSide, MaxSide)).expandedTo(QSize(1, 1));
    return paint(size, withSvg, [&](QPainter& p) { paintChart(p, chart, size); });
}

QString formatValue(const Value& value, const QString& numberFormat) {
    if (auto b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    const auto* number = std::get_if<double>(&value);
    if (!number) return toText(value);
    // Only the section for positive numbers; the office's other sections are rare in ranges.
    const QString format = numberFormat.section(';', 0, 0).trimmed();
    static const QRegularExpression numeric(
        QStringLiteral(R"(^([#0,]*0[#0,]*|#[#,]*)(\.([0#]*))?(%?)$)"));
    const auto m = numeric.match(format);
    if (!m.hasMatch() || !std::isfinite(*number)) return general(*number);
    const bool percent = !m.captured(4).isEmpty();
    const int decimals = static_cast<int>(m.captured(3).size());
    const double v = percent ? *number * 100 : *number;
    QLocale locale(QLocale::C);
    locale.setNumberOptions(m.captured(1).contains(',') ? QLocale::NumberOptions{}
                                                        : QLocale::OmitGroupSeparator);
    QString text = locale.toString(v, 'f', decimals);
    // A value that rounds to zero shows no sign.
    if (text.startsWith('-') && locale.toDouble(text.mid(1).remove(',')) == 0) text.remove(0, 1);
    return percent ? text + '%' : text;
}

TableCell tableCell(const Value& value, const QString& numberFormat) {
    Qt::Alignment align = Qt::AlignLeft;
    if (std::holds_alternative<bool>(value)) align = Qt::AlignHCenter;
    if (std::holds_alternative<double>(value) && numberFormat != QLatin1String("@"))
        align = Qt::AlignRight;
    return {numberFormat == QLatin1String("@") ? toText(value) : formatValue(value, numberFormat),
            align};
}

Picture drawTable(const Table& table, bool withSvg) {
    const Text font(11, false);
    const size_t columns = table.empty() ? 0 : table.front().size();
    std::vector<int> widths(columns, MinColumnWidth);
    for (const auto& row : table)
        for (size_t c = 0; c < columns && c < row.size(); ++c)
            widths[c] =
                std::clamp(static_cast<int>(std::ceil(font.width(row[c].text))) + 2 * CellPadding,
                           widths[c], MaxColumnWidth);
    std::vector<int> lefts{0};
    for (int w : widths) lefts.push_back(lefts.back() + w);
    const QSize size(lefts.back() + 1, static_cast<int>(table.size()) * CellHeight + 1);
    return paint(size, withSvg, [&](QPainter& p) {
        p.setRenderHint(QPainter::TextAntialiasing, true);
        for (size_t r = 0; r < table.size(); ++r)
            for (size_t c = 0; c < columns && c < table[r].size(); ++c) {
                const QRectF box(lefts[c] + CellPadding, static_cast<double>(r) * CellHeight,
                                 widths[c] - 2 * CellPadding, CellHeight);
                font.draw(p, box, static_cast<int>(table[r][c].align | Qt::AlignVCenter),
                          table[r][c].text, Qt::black);
            }
        for (int x : lefts) hairline(p, x, 0, x, size.height() - 1, CellLine);
        for (size_t r = 0; r <= table.size(); ++r) {
            const int y = static_cast<int>(r) * CellHeight;
            hairline(p, 0, y, size.width() - 1, y, CellLine);
        }
    });
}

}  // namespace office::memory::render
