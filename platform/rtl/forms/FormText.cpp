#include "platform/rtl/forms/FormText.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Strings.h"

TComponent* ReadComponentResText(const std::string& Text, TComponent* Instance) {
  TReader reader(Text);
  reader.ReadRootComponent(Instance);
  return Instance;
}

TComponent* ReadInheritedComponentResTexts(const std::vector<std::string>& Texts, TComponent* Instance) {
  if (Texts.empty()) return Instance;
  TReader reader(Texts.front());
  reader.ReadRootComponents(Instance, std::vector<std::string>(Texts.begin() + 1, Texts.end()));
  return Instance;
}

TComponent* ReadComponentResFile(const std::string& FileName, TComponent* Instance) {
  TFileStream f(FileName, fmOpenRead);
  std::string text(static_cast<std::size_t>(f.Size()), '\0');
  f.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  return ReadComponentResText(text, Instance);
}

std::string WriteComponentResText(TComponent* Instance, TComponent* Ancestor) {
  TWriter writer;
  writer.WriteDescendent(Instance, Ancestor);
  return writer.Text();
}

void WriteComponentResFile(const std::string& FileName, TComponent* Instance) {
  std::string text = WriteComponentResText(Instance);
  TFileStream f(FileName, fmCreate);
  f.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

// Strings are stored as the custom entry "Strings" = ( 'line' ... ).
void TStrings::DefineProperties(TFiler* Filer) {
  auto* anc = dynamic_cast<TStrings*>(Filer->Ancestor());
  bool hasData = anc ? !Equals(anc) : Count() > 0;
  Filer->DefineProperty(
      "Strings",
      [this](TReader* R) {
        BeginUpdate();
        auto guard = AtScopeExit([&] { EndUpdate(); });
        Clear();
        R->ReadListBegin();
        while (!R->EndOfList()) Add(R->ReadString());
        R->ReadListEnd();
      },
      [this](TWriter* W) {
        W->WriteListBegin();
        for (int i = 0; i < Count(); ++i) W->WriteString(Get(i));
        W->WriteListEnd();
      },
      hasData);
}

bool CollectionsEqual(TCollection* C1, TCollection* C2, TComponent* Owner1, TComponent* Owner2) {
  if (C1 == C2) return true;
  if (!C1 || !C2 || C1->ClassType() != C2->ClassType() || C1->Count() != C2->Count()) return false;
  auto text = [](TCollection* c, TComponent* owner) {
    TWriter w;
    w.SetRoot(owner);
    w.WriteCollection(c);
    return w.Text();
  };
  return text(C1, Owner1) == text(C2, Owner2);
}
