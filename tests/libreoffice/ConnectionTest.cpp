// Attaching, and a LibreOffice that goes away mid-run.

#include <gtest/gtest.h>

#include <csignal>

#include <QCoreApplication>

#include "Soffice.h"
#include "inventory/Items.h"
#include "office/libreoffice/LibreOffice.h"
#include "startup/Dispatch.h"

namespace {

int errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const office::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(LibreOfficeAttach, NothingListeningMeansNotRunning) {
    const QString nobody =
        QStringLiteral("corvane-nobody-%1").arg(QCoreApplication::applicationPid());
    struct Case {
        const char* what;
        QString pipe;
    };
    const std::vector<Case> cases = {{"no LibreOffice on the pipe", nobody},
                                     {"a name that would break the connection string", "x;urp;y"},
                                     {"an empty name", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto host = office::libreoffice::makeHost(c.pipe);
        EXPECT_EQ(errorNumber([&] { host->attachExcel(); }), office::errors::NotRunning);
        EXPECT_EQ(errorNumber([&] { host->attachPowerPoint(); }), office::errors::NotRunning);
        EXPECT_EQ(errorNumber([&] { host->attachWord(); }), office::errors::NotRunning);
        EXPECT_EQ(errorNumber([&] { host->clipboard().hasFormat(office::Clipboard::Format::Any); }),
                  office::errors::NotRunning);
        // The program's own attach finds nothing and goes on.
        office::OfficeContext ctx;
        startup::attachOffice(*host, ctx);
        EXPECT_FALSE(ctx.excel);
        EXPECT_FALSE(ctx.workbook);
        host->finish();
    }
}

// LibreOffice killed mid-run: every later call is an office::Error that says so, never a UNO
// exception and never a quiet success.
TEST(LibreOfficeAttach, KilledMidRunIsDisconnected) {
    QString why;
    auto soffice = test::Soffice::start(&why);
    if (!soffice) GTEST_SKIP() << "Skipped: " << why.toStdString();
    test::newWorkbook(*soffice->session());

    auto host = office::libreoffice::makeHost(soffice->pipe());
    office::OfficeContext ctx;
    startup::attachOffice(*host, ctx);
    ASSERT_TRUE(ctx.workbook);
    auto sheet = ctx.workbook->activeSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(inventory::CountItems(*ctx.excel, *ctx.workbook), 0);
    ctx.excel->setScreenUpdating(false);

    // A call that writes to the dead pipe must fail, not raise SIGPIPE and end the program.
    struct sigaction pipeAction {};
    sigaction(SIGPIPE, nullptr, &pipeAction);
    EXPECT_EQ(pipeAction.sa_handler, SIG_IGN);
    soffice->stop();

    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"workbook sheets", [&] { ctx.workbook->sheets(); }},
        {"cell", [&] { sheet->cell(1, 1); }},
        {"write", [&] { sheet->write(1, 1, {{office::Value(1.0)}}); }},
        {"copy", [&] { sheet->copyRange(office::CellRect{}); }},
        {"active workbook", [&] { ctx.excel->activeWorkbook(); }},
        {"selection", [&] { ctx.excel->selection(); }},
        {"clipboard", [&] { host->clipboard().picture(office::Clipboard::Format::Any); }},
        {"inventory", [&] { inventory::CountItems(*ctx.excel, *ctx.workbook); }},
        {"presentations", [&] { host->attachPowerPoint(); }},
    };
    for (const auto& [what, call] : calls) {
        SCOPED_TRACE(what);
        try {
            call();
            ADD_FAILURE() << "succeeded without LibreOffice";
        } catch (const office::Error& e) {
            EXPECT_EQ(e.number(), office::errors::Disconnected);
            EXPECT_TRUE(e.description().contains("LibreOffice went away")) << e.what();
        }
    }
    // Ending the run after that throws nothing.
    EXPECT_NO_THROW(host->finish());
}

}  // namespace
