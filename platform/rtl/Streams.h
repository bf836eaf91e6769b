#pragma once
// Streams: TStream and the memory, string and file streams.
#include "platform/rtl/Object.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

class TStream : public TObject {
  VANTREL_CLASS(TStream, TObject)
public:
  // Reads up to Count bytes; returns how many were read.
  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  // Writes up to Count bytes; returns how many were written.
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  // Moves the position; returns the new position.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t NewSize) {}
  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }
  // Raise EReadError "Stream read error" / EWriteError "Stream write error" when short.
  void ReadBuffer(void* Buffer, std::int64_t Count);
  void WriteBuffer(const void* Buffer, std::int64_t Count);
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
  std::int64_t CopyFrom(TStream* Source, std::int64_t Count);
};

class TCustomMemoryStream : public TStream {
  VANTREL_CLASS(TCustomMemoryStream, TStream)
public:
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
  char* Memory() { return FData.data(); }
  const std::vector<char>& Data() const { return FData; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const std::string& FileName);

protected:
  std::vector<char> FData;
  std::int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  VANTREL_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  TMemoryStream() = default;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  void SetSize(std::int64_t NewSize) override;
  void Clear();
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const std::string& FileName);
};

class TStringStream : public TStream {
  VANTREL_CLASS(TStringStream, TStream)
public:
  explicit TStringStream(std::string AString = {}) : FDataString(std::move(AString)) {}
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FDataString.size()); }
  void SetSize(std::int64_t NewSize) override;
  const std::string& DataString() const { return FDataString; }
  // Hands over the bytes without copying them, leaving the stream empty.
  std::string TakeDataString() {
    FPosition = 0;
    return std::exchange(FDataString, {});
  }
  std::string ReadString(std::int64_t Count);
  void WriteString(const std::string& AString);

private:
  std::string FDataString;
  std::int64_t FPosition = 0;
};

// File open modes: one access mode, or fmCreate (create or truncate, read and write).
// Share modes are accepted and ignored.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFF00;

// A file stream keeps its reads and writes in one buffer and goes to the file when the
// buffer is full, on a seek, when the other direction is used, on Flush and on Close.
class TFileStream : public TStream {
  VANTREL_CLASS(TFileStream, TStream)
public:
  // Raises EFCreateError / EFOpenError naming the file when it cannot be created / opened.
  TFileStream(const std::string& FileName, unsigned Mode);
  // Writes what is buffered and closes the file; failures go unreported here: callers who
  // must know that the bytes arrived call Close first.
  ~TFileStream() override;
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  // Returns fewer bytes than asked when the file refused buffered bytes.
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() override;
  void SetSize(std::int64_t NewSize) override;
  // Hands the buffered bytes to the file; raises EWriteError naming the file when it
  // refuses them (a full disk, a broken device).
  void Flush();
  // Flush, then closes the file; raises EWriteError naming the file when either fails.
  // The stream can no longer be used afterwards.
  void Close();
  const std::string& FileName() const { return FFileName; }
  int Handle() const { return FHandle; }

private:
  // Writes the buffered bytes; false (errno kept) when the file refused them.
  bool WriteOut();
  // Gives up read-ahead bytes, moving the file back to the stream's position.
  void DropReadAhead();
  [[noreturn]] void RaiseWriteError(int Error) const;

  std::string FFileName;
  int FHandle = -1;
  std::vector<char> FBuffer;
  std::size_t FBufPos = 0;   // next byte to read from the buffer
  std::size_t FBufLen = 0;   // bytes in the buffer (read-ahead or waiting to be written)
  bool FWriting = false;     // the buffer holds bytes to write
  bool FWritable = true;     // opened for writing
};
