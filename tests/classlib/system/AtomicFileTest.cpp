#include "classlib/system/AtomicFile.h"
#include "classlib/system/Exceptions.h"
#include "tests/support/OtherUser.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <memory>

TEST(ReadFileBounded, ReportsWhatKindOfFailureItMet)
{
    TTempFolder folder;
    WriteText(folder / "small", "12345");
    WriteText(folder / "plain", "text");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    struct Case {
        std::string Path;
        size_t Bound;
        TReadFileStatus Expected;
        std::string Content;
    };
    const Case cases[] = {
        {folder / "small", 5, TReadFileStatus::Ok, "12345"},
        {folder / "small", 4, TReadFileStatus::TooLarge, ""},
        {folder / "missing", 16, TReadFileStatus::NotFound, ""},
        {folder / "plain/below", 16, TReadFileStatus::NotFound, ""},
        {folder.Path(), 16, TReadFileStatus::Failed, ""},
        {folder / "fifo", 16, TReadFileStatus::Failed, ""}, // and does not wait for a writer
    };
    for (const Case& c : cases) {
        std::string content = "old";
        EXPECT_EQ(ReadFileBounded(c.Path, content, c.Bound), c.Expected) << c.Path;
        EXPECT_EQ(content, c.Content) << c.Path;
    }
}

TEST(WriteFileAtomically, ReplacesContentKeepsModeAndFollowsLinks)
{
    TTempFolder folder;
    const std::string target = folder / "settings.ini";
    WriteFileAtomically(target, "first");
    EXPECT_EQ(ReadText(target), "first");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    WriteFileAtomically(target, "second");
    EXPECT_EQ(ReadText(target), "second");
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    ASSERT_EQ(symlink("settings.ini", (folder / "link.ini").c_str()), 0);
    WriteFileAtomically(folder / "link.ini", "through the link");
    EXPECT_EQ(ReadText(target), "through the link");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>({"link.ini", "settings.ini"}));
}

TEST(WriteFileAtomically, FollowsNoLinkOfAnotherUser)
{
    if (!CanActAsAnotherUser()) GTEST_SKIP() << "a link of another user needs root to be made";
    // Root writes through a link that "nobody" planted in root's folder: refused.
    TTempFolder folder;
    WriteText(folder / "precious", "keep");
    const std::string link = folder / "settings.ini";
    ASSERT_EQ(symlink("precious", link.c_str()), 0);
    ASSERT_EQ(lchown(link.c_str(), kNobody, kNobody), 0);
    try {
        WriteFileAtomically(link, "planted");
        FAIL() << "no exception";
    } catch (const EWriteError& e) {
        EXPECT_NE(e.Message().find("belongs to another user"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(ReadText(folder / "precious"), "keep");

    // In a folder of that user, the link is theirs to set and is followed.
    ASSERT_EQ(chown(folder.Path().c_str(), kNobody, kNobody), 0);
    WriteFileAtomically(link, "theirs");
    EXPECT_EQ(ReadText(folder / "precious"), "theirs");
}

TEST(WriteFileAtomically, FailureLeavesTheOldFileAndNoTemporaryFile)
{
    TTempFolder folder;
    const std::string target = folder / "settings.ini";
    WriteText(target, "old content");

    // A folder that is a file: even root cannot create anything below it.
    try {
        WriteFileAtomically(target + "/below", "x");
        FAIL() << "no exception";
    } catch (const EWriteError& e) {
        EXPECT_NE(e.Message().find(target + "/below"), std::string::npos) << e.Message();
    }
    // The target is a directory: the rename fails after the data was written.
    std::filesystem::create_directory(folder / "dir.ini");
    EXPECT_THROW(WriteFileAtomically(folder / "dir.ini", "x"), EWriteError);

    // The data itself cannot be written: a file-size limit, which binds root too.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {4, 4};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileAtomically(target, "new content that is longer than four bytes");
        } catch (const EWriteError&) {
            _exit(3);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);

    EXPECT_EQ(ReadText(target), "old content");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>({"dir.ini", "settings.ini"}));
}

TEST(FileLock, ExcludesASecondHolderUntilReleased)
{
    TTempFolder folder;
    const std::string target = folder / "hive.reg";
    auto lock = std::make_unique<TFileLock>(target);
    ASSERT_TRUE(lock->Locked()) << lock->Error();
    EXPECT_FALSE(TFileLock(target, 50).Locked());
    lock.reset();
    EXPECT_TRUE(TFileLock(target, 50).Locked());
    EXPECT_TRUE(FolderEntries(folder.Path()).empty()) << "no lock file is made";

    const TFileLock impossible(target + "/below");
    EXPECT_FALSE(impossible.Locked());
    EXPECT_FALSE(impossible.Error().empty());
}
