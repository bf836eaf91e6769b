#pragma once
// Reading and writing form descriptions: TFiler with its custom-entry callbacks,
// TReader (text to components) and TWriter (components to text).
#include "platform/rtl/Collection.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"
#include "platform/rtl/forms/Parser.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TValueType {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary,
  vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String
};

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

class TFiler : public TObject {
  VANTREL_CLASS(TFiler, TObject)
public:
  // A custom entry of the object whose DefineProperties is running: ReadData is called
  // when the entry is read; WriteData when it is written and HasData is true.
  virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  // The same for binary data, written as { hex }.
  virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                                    bool HasData) = 0;
  TComponent* Root() const { return FRoot; }
  void SetRoot(TComponent* Value) { FRoot = Value; }
  TComponent* LookupRoot() const { return FLookupRoot ? FLookupRoot : FRoot; }
  // While writing: the corresponding object of the ancestor, compared against; else nullptr.
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }

protected:
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
};

class TReader : public TFiler {
  VANTREL_CLASS(TReader, TFiler)
public:
  explicit TReader(std::string_view Text);
  ~TReader() override;

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Owner of the components created while reading (the root).
  TComponent* Owner() const { return FOwner; }
  // The component whose children are being read.
  TComponent* Parent() const { return FParent; }

  // Reads "object Name: TClass ... end" into Root (whose class, or an ancestor's, must
  // be the one named), fixes up references and calls Loaded on every component read.
  void ReadRootComponent(TComponent* Root);
  // As ReadRootComponent, over several texts in turn (ancestor first); references are
  // fixed up after each text, Loaded called once, after the last.
  void ReadRootComponents(TComponent* Root, const std::vector<std::string>& MoreTexts);

  // The type of the next value, without consuming it.
  TValueType NextValue();
  // Consumes the next value: the opening bracket of a list, set or collection, or the
  // whole of any other value; returns its type.
  TValueType ReadValue();
  void SkipValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  std::int64_t ReadInt64();
  int ReadInteger();
  double ReadFloat();
  std::string ReadString();
  std::string ReadWideString() { return ReadString(); }
  std::string ReadIdent();
  bool ReadBoolean();
  char ReadChar();
  std::vector<unsigned char> ReadBinary();
  // A variant value as TWriter::WriteVariant writes it.
  Variant ReadVariant();
  // After ReadValue gave vaCollection: the items up to '>' (the collection is cleared first).
  void ReadCollection(TCollection* Collection);
  // The properties of Instance up to (not including) 'end' or a nested object.
  void ReadProperties(TPersistent* Instance);
  int SourceLine() const { return FParser->SourceLine(); }

  // Told by objects being freed while a reader is active.
  void ObjectFreed(TPersistent* Instance);

private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    std::string Name;
    std::string Path;
    int Line;
  };
  void ReadRootText(TComponent* Root);
  void ReadComponent(TComponent* Parent);
  void ReadHeader(std::string& Keyword, std::string& Name, std::string& ClassName);
  void ReadProperty(TPersistent* Instance);
  void ReadPropValue(TPersistent* Instance, const TPropInfo* Prop, const std::string& Path);
  void ReadObjectValue(TPersistent* Instance, const TPropInfo* Prop, const std::string& Path);
  TClass FindComponentClass(const std::string& ClassName);
  void FixupReferences();
  TComponent* ResolveReference(const std::string& Name);
  void FinishLoading(bool Success);
  [[noreturn]] void PropError(const std::string& Path, const std::string& Message, int Line);
  [[noreturn]] void InvalidValue();
  void EnterNested();
  std::uint64_t ReadSetBits(const TEnumInfo& Type);

  std::deque<std::string> FTexts;  // the texts parsed (stable addresses)
  std::unique_ptr<TParser> FParser;
  std::vector<char> FClosers;  // expected closing brackets of the open lists
  int FDepth = 0;              // nesting of objects, collections and lists
  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
  std::string FPropName;       // the custom entry being looked for
  bool FPropFound = false;
  std::string FContext;        // name path of the object being read, for messages
  TReader* FNextActive = nullptr;
  friend void ReaderObjectFreed(TPersistent* Instance);
};

class TWriter : public TFiler {
  VANTREL_CLASS(TWriter, TFiler)
public:
  TWriter() = default;

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Writes Root and its children; with an ancestor root, only what differs from it
  // ("inherited" entries for components the ancestor has).
  void WriteDescendent(TComponent* Root, TComponent* AncestorRoot);
  void WriteRootComponent(TComponent* Root) { WriteDescendent(Root, nullptr); }
  void WriteComponent(TComponent* Component);
  // The stored properties of Instance (against Ancestor() when set).
  void WriteProperties(TPersistent* Instance);
  void WriteCollection(TCollection* Collection);

  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(std::int64_t Value);
  void WriteFloat(double Value);
  void WriteString(const std::string& Value);
  void WriteWideString(const std::string& Value) { WriteString(Value); }
  void WriteIdent(const std::string& Ident);
  void WriteBoolean(bool Value);
  void WriteChar(char Value);
  void WriteBinary(const std::vector<unsigned char>& Data);
  // nil (unassigned), Null, True/False, an integer, a float (with 'c' for currency and
  // 'd' for a date), a string, or a list for an array; EWriteError for other types.
  void WriteVariant(const Variant& Value);

  const std::string& Text() const { return FOut; }

private:
  void WriteProperty(TPersistent* Instance, const TPropInfo* Prop, TPersistent* AncestorObj);
  void WriteObjectProp(TPersistent* Instance, const TPropInfo* Prop, TPersistent* AncestorObj);
  // A method or component name, written unless it equals the ancestor's (or is empty).
  void WriteNameProp(const TPropInfo* Prop, const std::string& Name, bool HasAncestor, const std::string& AncestorName);
  void WriteComponentAs(TComponent* Component, TComponent* AncestorComponent);
  std::string ReferenceName(TComponent* Component, TComponent* Root);
  void WritePropName(const std::string& Name);
  void EndProperty();
  void WriteValueText(const std::string& Text);
  void Indent();

  std::string FOut;
  int FIndent = 0;
  int FListDepth = 0;
  bool FAfterName = false;
  std::string FPrefix;  // "Font." while writing a sub-object's properties
  TComponent* FAncestorRoot = nullptr;
  int FDepth = 0;
};

// Text of a form description value as the writer writes it.
std::string FormatFormString(const std::string& Value);
std::string FormatFormFloat(double Value);
