#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

TEST(Streams, MemoryStreamReadWriteSeek) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  EXPECT_EQ(m.Position(), 5);
  struct Case {
    std::int64_t offset;
    TSeekOrigin origin;
    std::int64_t expect;
  } seeks[] = {{1, soFromBeginning, 1}, {2, soFromCurrent, 3}, {-1, soFromEnd, 4}, {-10, soFromCurrent, 0}};
  for (const auto& c : seeks) EXPECT_EQ(m.Seek(c.offset, c.origin), c.expect);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 5);  // a short read returns the count
  EXPECT_EQ(std::string(buf, 5), "hello");
  EXPECT_EQ(m.Read(buf, 1), 0);
  m.SetPosition(3);
  try {
    m.ReadBuffer(buf, 3);
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  m.SetPosition(7);  // past the end: writing fills the gap
  m.WriteBuffer("!", 1);
  EXPECT_EQ(m.Size(), 8);
  EXPECT_EQ(m.Data()[5], '\0');
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
}

TEST(Streams, StringStreamAndCopyFrom) {
  TStringStream src("abcdef");
  src.SetPosition(2);
  EXPECT_EQ(src.ReadString(2), "cd");
  TStringStream dst;
  EXPECT_EQ(dst.CopyFrom(&src, 0), 6);  // 0 copies the whole source
  EXPECT_EQ(dst.DataString(), "abcdef");
  src.SetPosition(4);
  EXPECT_THROW(dst.CopyFrom(&src, 5), EReadError);
  dst.SetPosition(1);
  dst.WriteString("XY");
  EXPECT_EQ(dst.DataString(), "aXYdef");
}

TEST(Streams, FileStreamCreatesOpensAndNamesTheFileOnError) {
  std::string dir = testing::TempDir();
  std::string path = dir + "/rtlobj_stream.bin";
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("12345", 5);
  }
  {
    TFileStream f(path, fmOpenRead);
    EXPECT_EQ(f.Size(), 5);
    char b[5];
    f.ReadBuffer(b, 5);
    EXPECT_EQ(std::string(b, 5), "12345");
    EXPECT_EQ(f.Write("x", 1), 0);  // opened for reading only
  }
  std::remove(path.c_str());
  std::string missing = dir + "/no/such/dir/file.txt";
  try {
    TFileStream f(missing, fmOpenRead);
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find(missing), std::string::npos);
  }
  try {
    TFileStream f(missing, fmCreate);
    ADD_FAILURE();
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find(missing), std::string::npos);
  }
}

// Reads and writes share the file stream's buffer: mixing them, seeking and asking the
// size all see the bytes in order.
TEST(Streams, FileStreamBuffersReadsAndWritesInOrder) {
  std::string path = testing::TempDir() + "/rtlobj_buffered.bin";
  std::string big(200000, 'x');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("head", 4);
    EXPECT_EQ(f.Position(), 4);
    EXPECT_EQ(f.Size(), 4);  // buffered bytes count
    f.WriteBuffer(big.data(), static_cast<std::int64_t>(big.size()));
    f.SetPosition(2);
    char two[2];
    f.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "ad");
    EXPECT_EQ(f.Position(), 4);
    f.WriteBuffer("ZZ", 2);  // overwrites after the read
    f.Close();
  }
  TFileStream f(path, fmOpenRead);
  EXPECT_EQ(f.Size(), static_cast<std::int64_t>(4 + big.size()));
  std::string back(static_cast<std::size_t>(f.Size()), '\0');
  char first[3];
  f.ReadBuffer(first, 3);  // a small read fills the buffer, the rest reads through it
  EXPECT_EQ(f.Position(), 3);
  f.ReadBuffer(back.data() + 3, static_cast<std::int64_t>(back.size()) - 3);
  std::memcpy(back.data(), first, 3);
  EXPECT_EQ(back.substr(0, 6), "headZZ");
  EXPECT_EQ(back.substr(6), big.substr(2));
  std::remove(path.c_str());
}

// A file that may grow no further (as a full disk): the write is buffered, Flush and
// Close report the refusal, naming the file.
TEST(Streams, FileStreamReportsAFailedFlushAndClose) {
  std::string path = testing::TempDir() + "/rtlobj_limited.bin";
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limit{2, old.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limit);
  {
    TFileStream f(path, fmCreate);
    EXPECT_EQ(f.Write("abc", 3), 3);
    EXPECT_THROW(f.Flush(), EWriteError);
    try {
      f.Close();
      ADD_FAILURE() << "close reported success";
    } catch (const EWriteError& e) {
      EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    }
  }
  {
    TFileStream g(path, fmCreate);
    std::string big(100000, 'x');
    EXPECT_THROW(g.WriteBuffer(big.data(), static_cast<std::int64_t>(big.size())), EWriteError);
  }
  setrlimit(RLIMIT_FSIZE, &old);
  std::remove(path.c_str());
}
