#pragma once

#include <QString>

namespace startup::messages {

inline const QString NoWorkbook =
    QStringLiteral("Corvane didn't found an open Excel file \r\rWould you want to open one?");
inline const QString NoItems = QStringLiteral(
    "Corvane didn't find any chart ot named range to paste from the current workbook!\r\rPlease "
    "open "
    "another workbook or create at least one chart or named range in the current one in order to "
    "open "
    "Corvane main form in batch mode");
inline const QString EmbeddedCharts =
    QStringLiteral("The specified range contains embedded charts. Please export in another format");
inline const QString NoFileSelected = QStringLiteral("No file selected.");
inline const QString FileAlreadyOpen = QStringLiteral("File already open");
inline const QString OpenFileFilter = QStringLiteral("Excel Files *.xls* (*.xls*),");
inline const QString OpenFileTitle = QStringLiteral("Please choose a file to open");

QString tooManyItems(int count);
QString notInThisBuild(const QString& what);

}  // namespace startup::messages
