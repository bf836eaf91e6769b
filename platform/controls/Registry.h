#pragma once
// TRegistry: keys and values of the registry through an open current key.
#include "platform/rtl/Object.h"
#include "platform/rtl/Strings.h"
#include "platform/desktop/WinKernel.h"

#include <string>

class TRegistry : public TObject {
  VANTREL_CLASS(TRegistry, TObject)
public:
  explicit TRegistry(win::REGSAM Access = win::KEY_ALL_ACCESS);
  ~TRegistry() override;

  win::HKEY RootKey() const { return FRootKey; }
  void SetRootKey(win::HKEY Value);
  win::HKEY CurrentKey() const { return FCurrentKey; }
  const std::string& CurrentPath() const { return FCurrentPath; }
  bool LazyWrite() const { return FLazyWrite; }
  void SetLazyWrite(bool Value) { FLazyWrite = Value; }
  win::REGSAM Access() const { return FAccess; }
  void SetAccess(win::REGSAM Value) { FAccess = Value; }

  // A key path starting with "\" is taken from the root, else from the current key.
  bool OpenKey(const std::string& Key, bool CanCreate);
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();
  bool KeyExists(const std::string& Key);
  // Raises ERegistryException "Failed to create key %s" when it cannot be made.
  bool CreateKey(const std::string& Key);
  bool DeleteKey(const std::string& Key);
  bool DeleteValue(const std::string& Name);
  bool ValueExists(const std::string& Name);
  bool HasSubKeys();
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);

  // Reads raise ERegistryException "Failed to get data for '%s'" for a missing value (a
  // missing string reads as empty) and "Invalid data type for '%s'" for a wrong type;
  // writes raise "Failed to set data for '%s'".
  std::string ReadString(const std::string& Name);
  void WriteString(const std::string& Name, const std::string& Value);
  int ReadInteger(const std::string& Name);
  void WriteInteger(const std::string& Name, int Value);
  bool ReadBool(const std::string& Name) { return ReadInteger(Name) != 0; }
  void WriteBool(const std::string& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

private:
  win::HKEY BaseKey(bool Relative) const;
  void ChangeKey(win::HKEY Value, const std::string& Path);
  bool QueryValue(const std::string& Name, win::DWORD& Type, std::string& Data);
  void PutData(const std::string& Name, win::DWORD Type, const void* Data, win::DWORD Size);

  win::HKEY FRootKey;
  win::HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  bool FLazyWrite = true;
  win::REGSAM FAccess;
};
