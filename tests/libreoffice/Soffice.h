#pragma once

// A headless LibreOffice of the tests' own (private profile and pipe), and small workbooks
// built in it through UNO.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "office/libreoffice/Uno.h"

namespace test {

class Soffice {
  public:
    // The one started for this test program; null when LibreOffice is not installed or did
    // not come up (reason() says why).
    static Soffice* shared();
    static QString reason();

    // Starts one more, for tests that stop it. Null when it does not come up.
    static std::unique_ptr<Soffice> start(QString* why = nullptr);
    ~Soffice();

    const QString& pipe() const { return pipe_; }
    QString folder() const { return dir_.path(); }
    // A UNO session of its own, for building and inspecting fixtures.
    std::shared_ptr<office::libreoffice::Session> session();
    // Kills the whole process group.
    void stop();

  private:
    Soffice() = default;
    QTemporaryDir dir_;
    QString pipe_;
    int pid_ = 0;
    std::shared_ptr<office::libreoffice::Session> session_;
};

// Builds the fixture workbook and saves it as `path` (.ods or .xlsx by the extension):
//   Data (1):      A1:C5 a small table, E20:F22 a block; charts "Revenue" and "Costs"
//   Trend (2):     a table and the chart "Line"
//   Hidden (3):    hidden; the chart "Secret"
//   My data (4):   text cells, no chart
// Names: Totals (Data!A1:B5), Pair (Data!A1:A2 and C1:C2), Rate (the constant 0.2),
// HiddenRef (Hidden!A1:A3), and sheet-level Data!Block (E20:F22) and 'My data'!Local (A1:A2).
void buildFixture(office::libreoffice::Session& session, const QString& path);

// Opens a new, empty workbook.
void newWorkbook(office::libreoffice::Session& session);

// Installs an extension (.oxt) for the user of that LibreOffice; returns the identifiers of the
// user's extensions afterwards.
QStringList addExtension(office::libreoffice::Session& session, const QString& path);

// Opens a new workbook with `count` small charts on its first sheet, a row apart.
void newChartWorkbook(office::libreoffice::Session& session, int count);

// Closes every document open in that LibreOffice, without saving.
void closeAll(office::libreoffice::Session& session);

// Stores the open document of that file in its own format and closes it.
void saveAndClose(office::libreoffice::Session& session, const QString& path);

// Protects the structure of the open document of that file.
void protect(office::libreoffice::Session& session, const QString& path);

// The font colour (0xRRGGBB) of a cell (1-based) of the open document of that file.
int charColor(office::libreoffice::Session& session, const QString& path, const QString& sheet,
              int row, int column);

// Whether the document of that file has its controllers locked.
bool controllersLocked(office::libreoffice::Session& session, const QString& path);

}  // namespace test
