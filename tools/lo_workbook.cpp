// Writes the small workbook the LibreOffice tests build (charts on several sheets, a hidden
// sheet, workbook and sheet names, a multi-area name, a constant) to each file named on the
// command line, .ods or .xlsx by the extension, using a headless LibreOffice of its own.
//   build/tools/corvane_lo_workbook samples/sample-workbook.ods

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "libreoffice/Soffice.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.ods|FILE.xlsx...\n", argv[0]);
        return 2;
    }
    QString why;
    auto soffice = test::Soffice::start(&why);
    if (!soffice) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    for (int i = 1; i < argc; ++i)
        test::buildFixture(*soffice->session(),
                           QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    return 0;
}
