#pragma once
// Named binary resources compiled into the program (bitmaps, cursors, icons, raw data),
// looked up by type and name, both case-insensitive. Types: "BITMAP", "CURSOR", "ICON",
// "RCDATA" (and any other name a caller uses).
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Streams.h"

// Adds or replaces a resource.
void RegisterResource(const std::string& Type, const std::string& Name, std::vector<unsigned char> Bytes);
// The same, with bytes that Make produces when they are first asked for: a program can
// name all its pictures at start and pay only for those it loads.
using TResourceMaker = std::function<std::vector<unsigned char>()>;
void RegisterResource(const std::string& Type, const std::string& Name, TResourceMaker Make);
// The bytes of a resource, or nullptr when there is none.
const std::vector<unsigned char>* FindResource(const std::string& Type, const std::string& Name);
// Names registered under a type, in registration order.
std::vector<std::string> ResourceNames(const std::string& Type);
void UnregisterResource(const std::string& Type, const std::string& Name);

// A read-only stream over a resource; raises EResNotFound "Resource %s not found".
class TResourceStream : public TCustomMemoryStream {
  VANTREL_CLASS(TResourceStream, TCustomMemoryStream)
public:
  TResourceStream(const std::string& Name, const std::string& Type);
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
};
