// Streams and files on a real temporary folder: number layout, the line
// rules, safe rewrites that survive a failed write, copyFile.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "runtime/Files.h"

namespace qm {
namespace {

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qm-stream-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string bytesOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string dir;
};

TEST_F(StreamTest, NumbersAreLittleEndianAndRoundTrip) {
    std::string path = dir + "/n.bin";
    StreamPtr out = writeFile(path);
    ASSERT_TRUE(out);
    out->writeByte(0x1FF);  // only the low byte is kept
    out->writeShort(0x1234);
    out->writeInt(-2);
    out->writeFloat(1.0f);
    EXPECT_TRUE(out->close());
    EXPECT_EQ(bytesOf(path), std::string("\xFF\x34\x12\xFE\xFF\xFF\xFF\x00\x00\x80\x3F", 11));

    StreamPtr in = readFile(path);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->readByte(), 255);
    EXPECT_EQ(in->readShort(), 0x1234);
    EXPECT_EQ(in->readInt(), -2);
    EXPECT_FLOAT_EQ(in->readFloat(), 1.0f);
    EXPECT_TRUE(in->eof());
    EXPECT_EQ(in->readInt(), 0);  // reading past the end gives zeros, no crash
}

TEST_F(StreamTest, LinesAreWrittenCrLfAndReadToLf) {
    std::string path = dir + "/lines.txt";
    StreamPtr out = writeFile(path);
    out->writeLine("first");
    out->writeLine("");
    out->close();
    EXPECT_EQ(bytesOf(path), "first\r\n\r\n");

    StreamPtr in = memoryStream({'a', '\r', '\n', 'b', '\n', 'c', '\r', 'x', '\n', 'l', 'a', 's', 't'});
    EXPECT_EQ(in->readLine(), "a");
    EXPECT_EQ(in->readLine(), "b");
    EXPECT_EQ(in->readLine(), "c\rx");  // only a CR right before the LF is dropped
    EXPECT_FALSE(in->eof());
    EXPECT_EQ(in->readLine(), "last");
    EXPECT_TRUE(in->eof());
    EXPECT_EQ(in->readLine(), "");
}

TEST_F(StreamTest, ReadStringStopsAtTheEnd) {
    StreamPtr in = memoryStream({'a', 'b', 'c'});
    EXPECT_EQ(in->readString(2), "ab");
    EXPECT_EQ(in->readString(5), "c");
}

TEST_F(StreamTest, BackslashPathsReachTheFile) {
    ASSERT_TRUE(createDir(dir + "\\sub"));
    put(dir + "/sub/f.txt", "hi");
    EXPECT_EQ(fileType(dir + "\\sub\\f.txt"), FILE_REGULAR);
    EXPECT_EQ(fileType(dir + "\\sub"), FILE_DIRECTORY);
    EXPECT_EQ(fileType(dir + "\\nothing"), FILE_MISSING);
    EXPECT_EQ(fileSize(dir + "\\sub\\f.txt"), 2);
    EXPECT_EQ(readFile(dir + "\\nothing"), nullptr);
    EXPECT_EQ(readFile(dir + "\\sub"), nullptr);
    std::vector<std::string> names = listDir(dir + "\\sub");
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "f.txt"}));
    EXPECT_TRUE(deleteFile(dir + "\\sub\\f.txt"));
    EXPECT_EQ(fileType(dir + "/sub/f.txt"), FILE_MISSING);
}

TEST_F(StreamTest, SafeWriteReplacesOnlyOnSuccess) {
    std::string path = dir + "/options.dat";
    put(path, "old");
    StreamPtr out = writeFileSafely(path);
    ASSERT_TRUE(out);
    out->writeString("new contents");
    EXPECT_TRUE(out->eof());  // asking a write stream must not spoil it
    EXPECT_EQ(bytesOf(path), "old");  // nothing visible before the commit
    EXPECT_TRUE(out->close());
    EXPECT_EQ(bytesOf(path), "new contents");
    EXPECT_EQ(listDir(dir).size(), 3u);  // no temporary file left behind
}

TEST_F(StreamTest, SafeWriteKeepsTheOldFileWhenTheDiskFills) {
    std::string path = dir + "/save0.dat";
    put(path, "precious");
    // A child process with a tiny file-size limit stands in for a full disk.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        StreamPtr out = writeFileSafely(path);
        if (!out) _exit(3);
        std::string block(4096, 'x');
        for (int i = 0; i < 64; ++i) out->writeString(block);
        _exit(out->close() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "close() must report the failed write";
    EXPECT_EQ(bytesOf(path), "precious");
    EXPECT_EQ(listDir(dir).size(), 3u);
}

TEST_F(StreamTest, CopyFileCopiesOrLeavesTheTargetAlone) {
    std::string big(10000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
    put(dir + "/a", big);
    put(dir + "/b", "old target");
    EXPECT_EQ(copyFile(dir + "\\a", dir + "\\b"), 1);
    EXPECT_EQ(bytesOf(dir + "/b"), big);
    EXPECT_EQ(copyFile(dir + "/missing", dir + "/b"), 0);
    EXPECT_EQ(bytesOf(dir + "/b"), big);
    EXPECT_EQ(copyFile(dir + "/a", dir + "/no/such/folder"), 0);
}

TEST_F(StreamTest, ProgramFolderHoldsTheTestProgram) {
    std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(fileType(folder + "/quillmere_tests"), FILE_REGULAR);
}

}  // namespace
}  // namespace qm
