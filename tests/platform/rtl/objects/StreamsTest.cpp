#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
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
