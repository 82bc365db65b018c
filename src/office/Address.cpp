#include "office/Address.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace office {

std::optional<CellRect> intersect(const CellRect& a, const CellRect& b) {
    CellRect r{std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
               std::min(a.right, b.right)};
    if (r.top > r.bottom || r.left > r.right) return std::nullopt;
    return r;
}

QString columnLetters(int column) {
    QString s;
    while (column > 0) {
        int rem = (column - 1) % 26;
        s.prepend(QChar('A' + rem));
        column = (column - 1) / 26;
    }
    return s;
}

int columnNumber(const QString& letters) {
    if (letters.isEmpty() || letters.size() > 3) return 0;
    int n = 0;
    for (QChar c : letters) {
        QChar u = c.toUpper();
        if (u < 'A' || u > 'Z') return 0;
        n = n * 26 + (u.unicode() - 'A' + 1);
    }
    return n <= MaxColumns ? n : 0;
}

QString formatAddress(const CellRect& r) {
    auto cell = [](int row, int col) {
        return QStringLiteral("$%1$%2").arg(columnLetters(col)).arg(row);
    };
    if (r.top == 1 && r.bottom == MaxRows)
        return QStringLiteral("$%1:$%2").arg(columnLetters(r.left), columnLetters(r.right));
    if (r.left == 1 && r.right == MaxColumns)
        return QStringLiteral("$%1:$%2").arg(r.top).arg(r.bottom);
    if (r.top == r.bottom && r.left == r.right) return cell(r.top, r.left);
    return cell(r.top, r.left) + ':' + cell(r.bottom, r.right);
}

QString formatAddress(const std::vector<CellRect>& areas) {
    QStringList parts;
    for (const auto& a : areas) parts << formatAddress(a);
    return parts.join(',');
}

namespace {

CellRect normalised(int r1, int c1, int r2, int c2) {
    return CellRect{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
}

std::optional<CellRect> parseA1Area(const QString& text) {
    static const QRegularExpression cellRe(QStringLiteral(R"(^\$?([A-Za-z]{1,3})\$?(\d{1,7})$)"));
    static const QRegularExpression colRe(QStringLiteral(R"(^\$?([A-Za-z]{1,3})$)"));
    static const QRegularExpression rowRe(QStringLiteral(R"(^\$?(\d{1,7})$)"));
    const QStringList ends = text.split(':');
    if (ends.size() > 2 || ends.isEmpty()) return std::nullopt;
    struct End {
        int row = 0, col = 0;  // 0 = whole
    };
    std::vector<End> parsed;
    for (const QString& e : ends) {
        End end;
        if (auto m = cellRe.match(e); m.hasMatch()) {
            end.col = columnNumber(m.captured(1));
            end.row = m.captured(2).toInt();
            if (end.col == 0 || end.row < 1 || end.row > MaxRows) return std::nullopt;
        } else if (auto m = colRe.match(e); m.hasMatch() && ends.size() == 2) {
            end.col = columnNumber(m.captured(1));
            if (end.col == 0) return std::nullopt;
        } else if (auto m = rowRe.match(e); m.hasMatch() && ends.size() == 2) {
            end.row = m.captured(1).toInt();
            if (end.row < 1 || end.row > MaxRows) return std::nullopt;
        } else {
            return std::nullopt;
        }
        parsed.push_back(end);
    }
    if (parsed.size() == 1)
        return CellRect{parsed[0].row, parsed[0].col, parsed[0].row, parsed[0].col};
    const End a = parsed[0], b = parsed[1];
    bool aCell = a.row && a.col, bCell = b.row && b.col;
    if (aCell && bCell) return normalised(a.row, a.col, b.row, b.col);
    if (!a.row && !b.row && a.col && b.col) return normalised(1, a.col, MaxRows, b.col);
    if (!a.col && !b.col && a.row && b.row) return normalised(a.row, 1, b.row, MaxColumns);
    return std::nullopt;
}

std::optional<CellRect> parseR1C1Area(const QString& text) {
    static const QRegularExpression endRe(QStringLiteral(R"(^(?:R(\d{1,7}))?(?:C(\d{1,5}))?$)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QStringList ends = text.split(':');
    if (ends.size() > 2 || ends.isEmpty()) return std::nullopt;
    std::vector<std::pair<int, int>> parsed;  // row, col; 0 = whole
    for (const QString& e : ends) {
        auto m = endRe.match(e);
        if (e.isEmpty() || !m.hasMatch()) return std::nullopt;
        int row = m.captured(1).isEmpty() ? 0 : m.captured(1).toInt();
        int col = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
        if (row > MaxRows || col > MaxColumns) return std::nullopt;
        if ((!m.captured(1).isEmpty() && row < 1) || (!m.captured(2).isEmpty() && col < 1))
            return std::nullopt;
        parsed.emplace_back(row, col);
    }
    auto [r1, c1] = parsed.front();
    auto [r2, c2] = parsed.back();
    if ((r1 == 0) != (r2 == 0) || (c1 == 0) != (c2 == 0)) return std::nullopt;
    if (r1 == 0 && c1 == 0) return std::nullopt;
    if (r1 == 0) return normalised(1, c1, MaxRows, c2);
    if (c1 == 0) return normalised(r1, 1, r2, MaxColumns);
    return normalised(r1, c1, r2, c2);
}

// Splits at commas that are not inside a quoted sheet name.
QStringList splitAreas(const QString& text) {
    QStringList parts;
    QString current;
    bool quoted = false;
    for (QChar c : text) {
        if (c == '\'') quoted = !quoted;
        if (c == ',' && !quoted) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    return parts;
}

}  // namespace

std::optional<std::vector<CellRect>> parseA1(const QString& text) {
    std::vector<CellRect> areas;
    for (const QString& part : text.split(',')) {
        auto a = parseA1Area(part.trimmed());
        if (!a) return std::nullopt;
        areas.push_back(*a);
    }
    return areas;
}

std::optional<std::vector<CellRect>> parseR1C1(const QString& text) {
    std::vector<CellRect> areas;
    for (const QString& part : text.split(',')) {
        auto a = parseR1C1Area(part.trimmed());
        if (!a) return std::nullopt;
        areas.push_back(*a);
    }
    return areas;
}

std::optional<SheetReference> parseReference(const QString& input, Notation notation) {
    QString text = input.trimmed();
    if (text.startsWith('=')) text = text.mid(1);
    if (text.isEmpty()) return std::nullopt;
    SheetReference ref;
    bool first = true;
    for (const QString& rawPart : splitAreas(text)) {
        QString part = rawPart.trimmed();
        QString sheet;
        int bang = part.lastIndexOf('!');
        if (bang >= 0) {
            sheet = part.left(bang);
            part = part.mid(bang + 1);
            if (sheet.size() >= 2 && sheet.startsWith('\'') && sheet.endsWith('\''))
                sheet = sheet.mid(1, sheet.size() - 2)
                            .replace(QStringLiteral("''"), QStringLiteral("'"));
            if (sheet.isEmpty()) return std::nullopt;
        }
        if (first) {
            ref.sheet = sheet;
            first = false;
        } else if (sheet != ref.sheet && !sheet.isEmpty()) {
            return std::nullopt;
        }
        auto areas = notation == Notation::A1 ? parseA1(part) : parseR1C1(part);
        if (!areas || areas->size() != 1) return std::nullopt;
        ref.areas.push_back(areas->front());
    }
    return ref;
}

QString quoteSheetName(const QString& sheet) {
    static const QRegularExpression plain(QStringLiteral(R"(^[A-Za-z_][A-Za-z0-9_.]*$)"));
    if (plain.match(sheet).hasMatch() && !parseA1(sheet)) return sheet;
    QString s = sheet;
    s.replace(QStringLiteral("'"), QStringLiteral("''"));
    return '\'' + s + '\'';
}

}  // namespace office
