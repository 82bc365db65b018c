#include "imaging/PdfWriter.h"

#include <QBuffer>
#include <QDateTime>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdlib>
#include <optional>

namespace imaging {

namespace {

// 1000 device units to the centimetre keeps the conversions exact.
constexpr int kResolution = 2540;
constexpr double kUnitsPerCm = kResolution / 2.54;

QPageLayout layoutFor(QSizeF sizeCm) {
    const QPageSize size(sizeCm * 10.0, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    QPageLayout layout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

QByteArray pdfText(const QString& text) {
    QByteArray utf16be("FEFF");
    for (const QChar c : text)
        utf16be += QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    return '<' + utf16be.toUpper() + '>';
}

QByteArray pdfDate(const QDateTime& time) {
    const int offset = time.offsetFromUtc() / 60;
    const char sign = offset < 0 ? '-' : '+';
    return "(D:" + time.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + sign +
           QByteArray::number(std::abs(offset) / 60).rightJustified(2, '0') + '\'' +
           QByteArray::number(std::abs(offset) % 60).rightJustified(2, '0') + "')";
}

// Qt 6.4's PDF engine writes no author and its own producer, so the finished document gets an
// incremental update: a new information dictionary, its cross-reference section and a trailer
// that points back at Qt's. Readers take the last trailer's /Info.
std::optional<QByteArray> infoUpdate(const QByteArray& pdf, const PdfInfo& info) {
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    if (trailerAt < 0) return std::nullopt;
    const QString tail = QString::fromLatin1(pdf.mid(trailerAt));
    static const QRegularExpression sizePattern(QStringLiteral(R"(/Size\s+(\d+))"));
    static const QRegularExpression rootPattern(QStringLiteral(R"(/Root\s+(\d+\s+\d+)\s+R)"));
    static const QRegularExpression xrefPattern(QStringLiteral(R"(startxref\s+(\d+))"));
    const auto size = sizePattern.match(tail);
    const auto root = rootPattern.match(tail);
    const auto xref = xrefPattern.match(tail);
    if (!size.hasMatch() || !root.hasMatch() || !xref.hasMatch()) return std::nullopt;

    const QByteArray object = size.captured(1).toLatin1();
    QByteArray update = pdf.endsWith('\n') ? QByteArray() : QByteArray("\n");
    const qsizetype objectAt = pdf.size() + update.size();
    update += object + " 0 obj\n<<\n/Title " + pdfText(info.title) + "\n/Author " +
              pdfText(info.author) + "\n/Creator " + pdfText(info.creator) + "\n/Producer " +
              pdfText(info.producer) + "\n/CreationDate " + pdfDate(QDateTime::currentDateTime()) +
              "\n>>\nendobj\n";
    const qsizetype xrefAt = pdf.size() + update.size();
    update += "xref\n" + object + " 1\n" + QByteArray::number(objectAt).rightJustified(10, '0') +
              " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(object.toLongLong() + 1) + "\n/Root " +
              root.captured(1).toLatin1() + " R\n/Info " + object + " 0 R\n/Prev " +
              xref.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) +
              "\n%%EOF\n";
    return update;
}

}  // namespace

struct PdfWriter::State {
    explicit State(const QString& path) : file(path), writer(&buffer) {}

    QSaveFile file;
    QBuffer buffer;
    QPdfWriter writer;
    QPainter painter;
    PdfInfo info;
    QSizeF nextSizeCm{21.0, 29.7};
    QSizeF pageSizeCm;
    bool pageOpen = false;

    QPointF toDevice(double x, double y) const {
        return {x * kUnitsPerCm, (pageSizeCm.height() - y) * kUnitsPerCm};
    }
    bool beginPage() {
        writer.setPageLayout(layoutFor(nextSizeCm));
        if (!painter.isActive() ? !painter.begin(&writer) : !writer.newPage()) return false;
        pageSizeCm = nextSizeCm;
        return true;
    }
};

PdfWriter::PdfWriter() = default;
PdfWriter::~PdfWriter() {
    // Never leave a half-written document behind: QSaveFile drops its temporary file.
    if (m_state && m_state->painter.isActive()) m_state->painter.end();
}

bool PdfWriter::start(const QString& path, const PdfInfo& info) {
    m_state.reset();
    m_error.clear();
    auto state = std::make_unique<State>(path);
    if (!state->file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("Cannot create %1: %2").arg(path, state->file.errorString());
        return false;
    }
    state->buffer.open(QIODevice::WriteOnly);
    state->info = info;
    state->writer.setResolution(kResolution);
    state->writer.setTitle(info.title);
    state->writer.setCreator(info.creator);
    m_state = std::move(state);
    return true;
}

void PdfWriter::setPageSize(double widthCm, double heightCm) {
    if (m_state && widthCm > 0 && heightCm > 0) m_state->nextSizeCm = QSizeF(widthCm, heightCm);
}

bool PdfWriter::newPage() {
    if (!m_state) {
        m_error = QStringLiteral("No PDF file is started");
        return false;
    }
    if (!m_state->beginPage()) {
        m_error = QStringLiteral("Cannot open a new PDF page");
        return false;
    }
    m_state->pageOpen = true;
    return true;
}

void PdfWriter::endPage() {
    if (m_state) m_state->pageOpen = false;
}

bool PdfWriter::drawImage(const Image& image, double x, double y, double width, double height) {
    if (!m_state || !m_state->pageOpen || image.isNull()) return false;
    const QPointF topLeft = m_state->toDevice(x, y + height);
    m_state->painter.drawImage(QRectF(topLeft, QSizeF(width, height) * kUnitsPerCm),
                               image.bitmap());
    return true;
}

bool PdfWriter::drawText(double x, double y, const QString& text, double fontSizePt,
                         TextAlign align) {
    if (!m_state || !m_state->pageOpen || fontSizePt <= 0) return false;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(fontSizePt);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainter& painter = m_state->painter;
    painter.setFont(font);
    painter.setPen(Qt::black);
    QPointF at = m_state->toDevice(x, y);
    if (align != TextAlign::Left) {
        const double advance = QFontMetricsF(font, &m_state->writer).horizontalAdvance(text);
        at.rx() -= align == TextAlign::Center ? advance / 2 : advance;
    }
    painter.drawText(at, text);
    return true;
}

bool PdfWriter::finish() {
    if (!m_state) {
        m_error = QStringLiteral("No PDF file is started");
        return false;
    }
    std::unique_ptr<State> state = std::move(m_state);
    if (!state->painter.isActive() && !state->beginPage()) {
        m_error = QStringLiteral("Cannot open a PDF page");
        return false;
    }
    if (!state->painter.end()) {
        m_error = QStringLiteral("Cannot complete the PDF document");
        return false;
    }
    const QByteArray& pdf = state->buffer.data();
    const auto update = infoUpdate(pdf, state->info);
    if (!update) {
        m_error = QStringLiteral("The PDF document has no trailer to update");
        return false;
    }
    if (state->file.write(pdf) != pdf.size() || state->file.write(*update) != update->size() ||
        !state->file.commit()) {
        m_error = QStringLiteral("Cannot write %1: %2")
                      .arg(state->file.fileName(), state->file.errorString());
        return false;
    }
    return true;
}

QString PdfWriter::errorString() const {
    return m_error;
}

}  // namespace imaging
