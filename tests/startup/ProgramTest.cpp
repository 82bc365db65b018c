#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>

#include "startup/Dispatch.h"
#include "support/Desktop.h"
#include "support/Program.h"

namespace {

using test::Corvane;

TEST(Program, BatchModeWithoutWorkbookAsksToOpenOne) {
    Corvane c;
    c.desktop(test::fixturePath("no-workbook.json")).run("/112");
    EXPECT_EQ(c.exitCode, 0);
    EXPECT_EQ(c.err,
              "Corvane: Corvane didn't found an open Excel file   Would you want to open one?\n");
}

TEST(Program, BatchModeWithoutItemsWarns) {
    Corvane c;
    c.desktop(test::fixturePath("no-items.json")).run("/112");
    EXPECT_EQ(c.exitCode, 0);
    EXPECT_TRUE(c.err.startsWith("Corvane: Corvane didn't find any chart ot named range to paste"))
        << c.err.toStdString();
}

TEST(Program, HelpAddressReachesTheDesktop) {
    Corvane c;
    // An opener on PATH that hands its argument to a pipe the test reads.
    const QString bin = c.home.filePath("bin"), fifo = c.home.filePath("opened");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile script(bin + "/xdg-open");
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" > '%1'\n").arg(fifo).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    c.env.insert("PATH", bin + ":" + c.env.value("PATH"));
    c.desktop(test::fixturePath("no-workbook.json")).run("/001");
    EXPECT_EQ(c.exitCode, 0);
    QFile pipe(fifo);
    ASSERT_TRUE(pipe.open(QIODevice::ReadOnly));  // blocks until the opener writes
    EXPECT_EQ(QString::fromUtf8(pipe.readLine()).trimmed(), startup::HelpAddress);
}

TEST(Program, MalformedDesktopIsOneClearMessage) {
    Corvane c;
    QFile bad(c.home.filePath("bad.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(
        R"({"excel": {"workbooks": [ {"name": "B.xlsx", "sheets": [ {"name": "S", "visible": 7} ] } ] } })");
    bad.close();
    c.env.insert("CORVANE_DUMP", c.home.filePath("out.json"));
    c.desktop(bad.fileName()).run("/112");
    EXPECT_EQ(c.exitCode, 2);
    EXPECT_EQ(c.err.count('\n'), 1) << c.err.toStdString();
    EXPECT_TRUE(c.err.contains("bad.json")) << c.err.toStdString();
    EXPECT_TRUE(c.err.contains("visible")) << c.err.toStdString();
    EXPECT_FALSE(QFile::exists(c.home.filePath("out.json")));
}

TEST(Program, UnknownHostIsRefused) {
    Corvane c;
    c.env.insert("CORVANE_HOST", "carrier-pigeon");
    c.run("/112");
    EXPECT_EQ(c.exitCode, 2);
    EXPECT_TRUE(c.err.contains("carrier-pigeon")) << c.err.toStdString();
}

TEST(Program, DumpShowsTheStateSheetAfterBatchMode) {
    Corvane c;
    const QString out = c.home.filePath("out.json");
    c.env.insert("CORVANE_DUMP", out);
    c.desktop(test::fixturePath("four-items.json")).run("/112");
    EXPECT_EQ(c.exitCode, 0) << c.err.toStdString();
    QFile dumped(out);
    ASSERT_TRUE(dumped.open(QIODevice::ReadOnly));
    const QByteArray json = dumped.readAll();
    EXPECT_TRUE(json.contains("kukukukuVovezuv"));
    EXPECT_TRUE(json.contains("CorvaneReservedName01"));
}

}  // namespace
