#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::int64_t TStream::Size() {
  std::int64_t pos = Seek(0, soCurrent);
  std::int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream* Source, std::int64_t Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  std::int64_t total = Count;
  char buf[61440];
  while (Count > 0) {
    std::int64_t n = std::min<std::int64_t>(Count, sizeof buf);
    Source->ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    Count -= n;
  }
  return total;
}

namespace {
std::int64_t NewPosition(std::int64_t cur, std::int64_t size, std::int64_t off, TSeekOrigin origin) {
  std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? cur : size;
  std::int64_t p = base + off;
  return p < 0 ? 0 : p;
}

// Reads from an in-memory buffer at pos, advancing pos.
std::int64_t ReadAt(const char* data, std::int64_t size, std::int64_t& pos, void* buffer, std::int64_t count) {
  std::int64_t avail = size - pos;
  if (count <= 0 || avail <= 0) return 0;
  std::int64_t n = std::min(count, avail);
  std::memcpy(buffer, data + pos, static_cast<std::size_t>(n));
  pos += n;
  return n;
}

// Writes into a growable buffer at pos, advancing pos.
template <class Buf>
std::int64_t WriteAt(Buf& data, std::int64_t& pos, const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  std::int64_t end = pos + count;
  if (end > static_cast<std::int64_t>(data.size())) data.resize(static_cast<std::size_t>(end));
  std::memcpy(data.data() + pos, buffer, static_cast<std::size_t>(count));
  pos = end;
  return count;
}
}  // namespace

std::int64_t TCustomMemoryStream::Read(void* Buffer, std::int64_t Count) {
  return ReadAt(FData.data(), Size(), FPosition, Buffer, Count);
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  FPosition = NewPosition(FPosition, Size(), Offset, Origin);
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  Stream->WriteBuffer(FData.data(), Size());
}

void TCustomMemoryStream::SaveToFile(const std::string& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(&f);
  f.Close();
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
  return WriteAt(FData, FPosition, Buffer, Count);
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(NewSize, 0)));
  if (FPosition > Size()) FPosition = Size();
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  std::int64_t n = Stream->Size();
  FData.assign(static_cast<std::size_t>(n), 0);
  Stream->ReadBuffer(FData.data(), n);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

std::int64_t TStringStream::Read(void* Buffer, std::int64_t Count) {
  return ReadAt(FDataString.data(), Size(), FPosition, Buffer, Count);
}

std::int64_t TStringStream::Write(const void* Buffer, std::int64_t Count) {
  return WriteAt(FDataString, FPosition, Buffer, Count);
}

std::int64_t TStringStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  FPosition = std::min(NewPosition(FPosition, Size(), Offset, Origin), Size());
  return FPosition;
}

void TStringStream::SetSize(std::int64_t NewSize) {
  FDataString.resize(static_cast<std::size_t>(std::max<std::int64_t>(NewSize, 0)));
  if (FPosition > Size()) FPosition = Size();
}

std::string TStringStream::ReadString(std::int64_t Count) {
  std::int64_t n = std::max<std::int64_t>(0, std::min(Count, Size() - FPosition));
  std::string s = FDataString.substr(static_cast<std::size_t>(FPosition), static_cast<std::size_t>(n));
  FPosition += n;
  return s;
}

void TStringStream::WriteString(const std::string& AString) {
  Write(AString.data(), static_cast<std::int64_t>(AString.size()));
}

namespace {
constexpr std::size_t FileBufferSize = 65536;
}

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : FFileName(FileName) {
  if (Mode == fmCreate || (Mode & 0xFF00) == fmCreate) {
    FHandle = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (FHandle < 0)
      throw EFCreateError("Cannot create file \"" + FileName + "\". " + std::strerror(errno));
  } else {
    int flags = (Mode & 3) == fmOpenWrite ? O_WRONLY : (Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    FHandle = ::open(FileName.c_str(), flags | O_CLOEXEC);
    if (FHandle < 0) throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(errno));
    FWritable = flags != O_RDONLY;
  }
  FBuffer.resize(FileBufferSize);
}

TFileStream::~TFileStream() {
  if (FHandle < 0) return;
  if (FWriting) WriteOut();
  ::close(FHandle);
}

void TFileStream::RaiseWriteError(int Error) const {
  throw EWriteError("Cannot write file \"" + FFileName + "\". " + std::strerror(Error));
}

bool TFileStream::WriteOut() {
  const char* p = FBuffer.data();
  std::size_t done = 0;
  while (done < FBufLen) {
    ssize_t n = ::write(FHandle, p + done, FBufLen - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      // Keep what was refused, so a later flush can try again.
      std::memmove(FBuffer.data(), p + done, FBufLen - done);
      FBufLen -= done;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  FBufLen = 0;
  FWriting = false;
  return true;
}

void TFileStream::DropReadAhead() {
  if (FWriting || FBufPos == FBufLen) {
    if (!FWriting) FBufPos = FBufLen = 0;
    return;
  }
  ::lseek(FHandle, -static_cast<off_t>(FBufLen - FBufPos), SEEK_CUR);
  FBufPos = FBufLen = 0;
}

void TFileStream::Flush() {
  if (FHandle < 0) RaiseWriteError(EBADF);
  if (FWriting && !WriteOut()) RaiseWriteError(errno);
}

void TFileStream::Close() {
  if (FHandle < 0) return;
  int error = 0;
  if (FWriting && !WriteOut()) error = errno;
  FBufLen = FBufPos = 0;
  FWriting = false;
  if (::close(FHandle) != 0 && error == 0) error = errno;
  FHandle = -1;
  if (error != 0) RaiseWriteError(error);
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
  if (FHandle < 0 || Count <= 0) return 0;
  if (FWriting && !WriteOut()) return 0;
  char* p = static_cast<char*>(Buffer);
  std::int64_t total = 0;
  while (total < Count) {
    if (FBufPos < FBufLen) {
      std::size_t n = std::min<std::size_t>(FBufLen - FBufPos, static_cast<std::size_t>(Count - total));
      std::memcpy(p + total, FBuffer.data() + FBufPos, n);
      FBufPos += n;
      total += static_cast<std::int64_t>(n);
      continue;
    }
    // Large reads go straight into the caller's buffer.
    const bool direct = Count - total >= static_cast<std::int64_t>(FBuffer.size());
    char* into = direct ? p + total : FBuffer.data();
    std::size_t want = direct ? static_cast<std::size_t>(Count - total) : FBuffer.size();
    ssize_t n = ::read(FHandle, into, want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (direct) total += n;
    else {
      FBufPos = 0;
      FBufLen = static_cast<std::size_t>(n);
    }
  }
  return total;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  if (FHandle < 0 || !FWritable || Count <= 0) return 0;
  DropReadAhead();
  const char* p = static_cast<const char*>(Buffer);
  std::int64_t total = 0;
  while (total < Count) {
    std::size_t room = FBuffer.size() - FBufLen;
    if (room == 0) {
      if (!WriteOut()) return total;
      continue;
    }
    std::size_t n = std::min<std::size_t>(room, static_cast<std::size_t>(Count - total));
    std::memcpy(FBuffer.data() + FBufLen, p + total, n);
    FBufLen += n;
    FWriting = true;
    total += static_cast<std::int64_t>(n);
  }
  return total;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  if (FHandle < 0) return -1;
  if (Origin == soCurrent && Offset == 0) {
    off_t at = ::lseek(FHandle, 0, SEEK_CUR);
    if (at < 0) return -1;
    return FWriting ? at + static_cast<off_t>(FBufLen) : at - static_cast<off_t>(FBufLen - FBufPos);
  }
  if (FWriting && !WriteOut()) return -1;
  DropReadAhead();
  int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
  return r < 0 ? -1 : static_cast<std::int64_t>(r);
}

std::int64_t TFileStream::Size() {
  if (FHandle < 0) return -1;
  if (FWriting && !WriteOut()) RaiseWriteError(errno);
  struct stat st {};
  if (::fstat(FHandle, &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

void TFileStream::SetSize(std::int64_t NewSize) {
  std::int64_t pos = Position();
  if (FWriting && !WriteOut()) RaiseWriteError(errno);
  DropReadAhead();
  if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0) throw EStreamError("Stream write error");
  if (pos > NewSize) SetPosition(NewSize);
}
