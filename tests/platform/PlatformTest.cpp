#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/Files.h"
#include "platform/Instance.h"
#include "platform/Prompt.h"

namespace {

using platform::Answer;
using platform::Buttons;

TEST(Prompt, NobodyThereAnswersOkToNoticesAndNoToQuestions) {
    EXPECT_EQ(platform::unattendedAnswer(Buttons::Ok), Answer::Ok);
    EXPECT_EQ(platform::unattendedAnswer(Buttons::OkCancel), Answer::Cancel);
    EXPECT_EQ(platform::unattendedAnswer(Buttons::YesNo), Answer::No);
    EXPECT_EQ(platform::unattendedAnswer(Buttons::YesNoCancel), Answer::No);
}

TEST(Prompt, RecordingAnswersFromItsQueueThenUnattended) {
    platform::RecordingPrompt p;
    p.answerNext(Answer::Ok);
    EXPECT_TRUE(p.askOkCancel("first"));
    EXPECT_FALSE(p.askOkCancel("second"));
    EXPECT_EQ(p.texts(), QStringList({"first", "second"}));
    EXPECT_EQ(p.messages()[0].title, "Corvane");
}

TEST(Prompt, OneLineShowsBreaksAsSpaces) {
    EXPECT_EQ(platform::oneLine("a\r\rb\r\nc\nd"), "a  b c d");
}

TEST(Instance, SecondLockInTheSameFolderIsRefused) {
    QTemporaryDir dir;
    platform::InstanceLock first(dir.path()), second(dir.path());
    EXPECT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire());
    EXPECT_FALSE(second.acquire());
}

class IsFileOpen : public ::testing::Test {
  protected:
    QString file(const QString& name) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(IsFileOpen, EmptyMissingAndFreeFilesAreNotOpen) {
    EXPECT_FALSE(platform::IsFileOpen("   "));
    EXPECT_FALSE(platform::IsFileOpen(dir.filePath("missing.xlsx")));
    EXPECT_FALSE(platform::IsFileOpen(file("free.xlsx")));
    EXPECT_FALSE(platform::IsFileOpen(dir.path()));  // a folder is no file
}

TEST_F(IsFileOpen, OfficeLockFileBesideItMeansOpen) {
    const QString path = file("Sales.xlsx");
    file(".~lock.Sales.xlsx#");
    EXPECT_TRUE(platform::IsFileOpen(path));
}

TEST_F(IsFileOpen, LockHeldByAnotherProcessMeansOpen) {
    const QString path = file("held.xlsx");
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        ::fcntl(fd, F_SETLK, &fl);
        char c = 1;
        (void)!::write(ready[1], &c, 1);
        (void)!::read(release[0], &c, 1);
        ::_exit(0);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_TRUE(platform::IsFileOpen(path));
    (void)!::write(release[1], &c, 1);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(platform::IsFileOpen(path));
}

TEST_F(IsFileOpen, UnreadableFileCountsAsOpen) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const QString path = file("locked.xlsx");
    QFile::setPermissions(path, QFileDevice::Permissions());
    EXPECT_TRUE(platform::IsFileOpen(path));
}

TEST(OutputFolders, LiveUnderTheRootOrHome) {
    qputenv("CORVANE_OUTPUT_ROOT", "/srv/out");
    auto f = platform::OutputFolders::fromEnvironment();
    EXPECT_EQ(f.html(), "/srv/out/CorvaneHTML");
    EXPECT_EQ(f.pdf(), "/srv/out/CorvanePDF");
    EXPECT_EQ(f.images(), "/srv/out/CorvaneImages");
    qunsetenv("CORVANE_OUTPUT_ROOT");
    EXPECT_EQ(platform::OutputFolders::fromEnvironment().root, QDir::homePath());
}

}  // namespace
