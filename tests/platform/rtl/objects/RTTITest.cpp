#include "platform/rtl/Classes.h"
#include "platform/rtl/forms/FormText.h"

#include <gtest/gtest.h>

namespace {
enum TShade { shLight, shDark };
VANTREL_ENUM(TShade, "shLight", "shDark")
enum TStyleBit { sbBold, sbItalic, sbUnderline };
VANTREL_ENUM(TStyleBit, "sbBold", "sbItalic", "sbUnderline")

class TBase : public TComponent {
  VANTREL_CLASS(TBase, TComponent)
public:
  explicit TBase(TComponent* AOwner) : TComponent(AOwner) {}
  const std::string& Text() const { return FText; }
  void SetText(const std::string& V) {
    FText = V;
    ++Writes;
  }
  int Count() const { return FCount; }
  void SetCount(int V) { FCount = V; }
  TStrings* Lines() const { return FLines; }
  void SetLines(TStrings* V) { FLines = V; }
  TComponent* Link() const { return FLink; }
  void SetLink(TComponent* V) { FLink = V; }
  TShade Shade() const { return FShade; }
  void SetShade(TShade V) { FShade = V; }
  Set<TStyleBit> Style() const { return FStyle; }
  void SetStyle(Set<TStyleBit> V) { FStyle = V; }
  double Scale() const { return FScale; }
  void SetScale(double V) { FScale = V; }
  const TNotifyEvent& OnPing() const { return FOnPing; }
  void SetOnPing(const TNotifyEvent& E) { FOnPing = E; }
  int Writes = 0;
  int Pings = 0;
  void Ping(TObject*) { ++Pings; }
  static void Publish(TClassBuilder<TBase>& b) {
    b.Property("Text", &TBase::Text, &TBase::SetText).Wide();
    b.Property("Count", &TBase::Count, &TBase::SetCount).Default(0);
    b.Property("Lines", &TBase::Lines, &TBase::SetLines);
    b.Property("Link", &TBase::Link, &TBase::SetLink);
    b.Property("Shade", &TBase::Shade, &TBase::SetShade);
    b.Property("Style", &TBase::Style, &TBase::SetStyle);
    b.Property("Scale", &TBase::Scale, &TBase::SetScale);
    b.Property("OnPing", &TBase::OnPing, &TBase::SetOnPing);
    b.Method("Ping", &TBase::Ping);
  }

private:
  std::string FText;
  int FCount = 0;
  TStrings* FLines = nullptr;
  TComponent* FLink = nullptr;
  TShade FShade = shLight;
  Set<TStyleBit> FStyle;
  double FScale = 1;
  TNotifyEvent FOnPing;
};

class TDerived : public TBase {
  VANTREL_CLASS(TDerived, TBase)
public:
  explicit TDerived(TComponent* AOwner) : TBase(AOwner) {}
  bool Flag() const { return FFlag; }
  void SetFlag(bool V) { FFlag = V; }
  static void Publish(TClassBuilder<TDerived>& b) { b.Property("Flag", &TDerived::Flag, &TDerived::SetFlag).Default(false); }

private:
  bool FFlag = false;
};

class TUnrelated : public TComponent {
  VANTREL_CLASS(TUnrelated, TComponent)
public:
  explicit TUnrelated(TComponent* AOwner) : TComponent(AOwner) {}
};
}  // namespace

TEST(ClassInfo, NamesParentsAndDistances) {
  TDerived d(nullptr);
  EXPECT_EQ(d.ClassName(), "TDerived");
  EXPECT_EQ(d.ClassParent(), TBase::StaticClass());
  EXPECT_TRUE(d.InheritsFrom(TComponent::StaticClass()));
  EXPECT_TRUE(d.Is<TPersistent>());
  EXPECT_FALSE(d.InheritsFrom(TUnrelated::StaticClass()));
  EXPECT_EQ(TDerived::StaticClass()->DistanceTo(TDerived::StaticClass()), 0);
  EXPECT_EQ(TDerived::StaticClass()->DistanceTo(TComponent::StaticClass()), 2);
  EXPECT_EQ(TDerived::StaticClass()->DistanceTo(TObject::StaticClass()), 4);
  EXPECT_EQ(TBase::StaticClass()->DistanceTo(TDerived::StaticClass()), -1);
}

TEST(ClassInfo, LookupByNameAndVirtualConstruction) {
  RegisterClasses({TBase::StaticClass(), TDerived::StaticClass()});
  EXPECT_EQ(GetClass("tderived"), TDerived::StaticClass());
  EXPECT_EQ(GetClass("TNothing"), nullptr);
  try {
    FindClass("TNothing");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNothing not found");
  }
  TComponent owner(nullptr);
  TComponent* c = CreateComponent(FindClass("TDerived"), &owner);
  EXPECT_EQ(c->ClassType(), TDerived::StaticClass());
  EXPECT_EQ(c->Owner(), &owner);
  EXPECT_THROW(CreateComponent(TStrings::StaticClass(), &owner), EInvalidOperation);  // abstract
  TObject* list = CreateObject(TStringList::StaticClass());
  EXPECT_TRUE(list->Is<TStrings>());
  delete list;
  UnRegisterClass(TDerived::StaticClass());
  EXPECT_EQ(GetClass("TDerived"), nullptr);
}

TEST(PublishedProperties, InheritedAlongTheChainAndFoundByName) {
  TDerived d(nullptr);
  const TPropInfo* flag = GetPropInfo(&d, "flag");
  ASSERT_NE(flag, nullptr);
  EXPECT_EQ(flag->Kind, tkEnumeration);
  EXPECT_TRUE(flag->IsBoolean);
  EXPECT_NE(GetPropInfo(&d, "Text"), nullptr);
  EXPECT_EQ(GetPropInfo(&d, "Missing"), nullptr);
  std::vector<std::string> names;
  for (const TPropInfo* p : TDerived::StaticClass()->Properties()) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Text", "Count", "Lines", "Link", "Shade", "Style", "Scale",
                                             "OnPing", "Flag"}));
  struct KindCase {
    const char* name;
    TTypeKind kind;
  } kinds[] = {{"Text", tkWString}, {"Count", tkInteger}, {"Tag", tkInt64},  {"Lines", tkClass},
               {"Shade", tkEnumeration}, {"Style", tkSet}, {"Scale", tkFloat}, {"OnPing", tkMethod}};
  for (const auto& k : kinds) EXPECT_EQ(PropType(&d, k.name), k.kind) << k.name;
  EXPECT_THROW(PropType(&d, "Missing"), EPropertyError);
}

TEST(PublishedProperties, ReadAndWriteThroughTheRoutines) {
  TDerived d(nullptr);
  SetStrProp(&d, "Text", "hello");
  EXPECT_EQ(d.Text(), "hello");
  EXPECT_EQ(d.Writes, 1);
  EXPECT_EQ(GetStrProp(&d, "text"), "hello");
  SetOrdProp(&d, "Count", 42);
  EXPECT_EQ(GetOrdProp(&d, "Count"), 42);
  EXPECT_THROW(SetOrdProp(&d, "Count", std::int64_t(1) << 40), ERangeError);
  SetEnumProp(&d, "Shade", "SHDARK");
  EXPECT_EQ(d.Shade(), shDark);
  EXPECT_EQ(GetEnumProp(&d, "Shade"), "shDark");
  EXPECT_THROW(SetEnumProp(&d, "Shade", "shPurple"), EPropertyError);
  SetSetProp(&d, "Style", "[sbBold, sbUnderline]");
  EXPECT_EQ(d.Style(), (Set<TStyleBit>{sbBold, sbUnderline}));
  EXPECT_EQ(GetSetProp(&d, "Style", true), "[sbBold,sbUnderline]");
  EXPECT_THROW(SetSetProp(&d, "Style", "sbBlink"), EPropertyError);
  SetStrProp(&d, "Flag", "True");
  EXPECT_TRUE(d.Flag());
  SetFloatProp(&d, "Scale", 2.5);
  EXPECT_EQ(GetFloatProp(&d, "Scale"), 2.5);
  EXPECT_THROW(GetFloatProp(&d, "Text"), EInvalidCast);
}

TEST(PublishedProperties, ObjectPropertiesCheckTheClass) {
  TDerived d(nullptr);
  TStringList lines;
  TUnrelated other(nullptr);
  SetObjectProp(&d, "Lines", &lines);
  EXPECT_EQ(d.Lines(), &lines);
  EXPECT_EQ(GetObjectProp(&d, "Lines"), &lines);
  // Anything but a TStrings in a strings property is an invalid cast, and changes nothing.
  EXPECT_THROW(SetObjectProp(&d, "Lines", &other), EInvalidCast);
  EXPECT_EQ(d.Lines(), &lines);
  SetObjectProp(&d, "Lines", nullptr);
  EXPECT_EQ(d.Lines(), nullptr);
  SetObjectProp(&d, "Link", &other);
  EXPECT_EQ(d.Link(), &other);
  EXPECT_THROW(SetObjectProp(&d, "Link", &lines), EInvalidCast);
}

TEST(PublishedProperties, EventsBoundByMethodName) {
  TDerived d(nullptr);
  TMethod m = d.MethodAddress("PING");
  ASSERT_TRUE(m.Assigned());
  SetMethodProp(&d, "OnPing", m);
  d.OnPing()(&d);
  EXPECT_EQ(d.Pings, 1);
  EXPECT_TRUE(d.OnPing() == MakeEvent(&d, &TBase::Ping));
  EXPECT_EQ(d.MethodName(GetMethodProp(&d, "OnPing")), "Ping");
  EXPECT_FALSE(d.MethodAddress("Pong").Assigned());
  TDerived other(nullptr);
  EXPECT_EQ(d.MethodName(MakeEvent(&other, &TBase::Ping).Method()), "");  // another object's method
}

TEST(Persistent, AssignErrorNamesBothClasses) {
  TStringList list;
  TDerived d(nullptr);
  try {
    d.Assign(&list);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStringList to a TDerived");
  }
}

namespace {
// A component whose Secret and Target can be written but not read.
class TSink : public TComponent {
  VANTREL_CLASS(TSink, TComponent)
public:
  explicit TSink(TComponent* AOwner) : TComponent(AOwner) {}
  void SetSecret(int V) { Secret = V; }
  void SetTarget(TComponent* V) { Target = V; }
  int Secret = 0;
  TComponent* Target = nullptr;
  static void Publish(TClassBuilder<TSink>& b) {
    b.WriteOnlyProperty<int>("Secret", &TSink::SetSecret);
    b.WriteOnlyProperty<TComponent*>("Target", &TSink::SetTarget);
  }
};
}  // namespace

TEST(WriteOnlyProperties, AreWrittenByNameAndFromDescriptionsButNeverRead) {
  RegisterClass(TSink::StaticClass());
  TSink Sink(nullptr);
  SetOrdProp(&Sink, "Secret", 7);
  EXPECT_EQ(Sink.Secret, 7);
  SetObjectProp(&Sink, "Target", &Sink);
  EXPECT_EQ(Sink.Target, &Sink);
  EXPECT_THROW(GetOrdProp(&Sink, "Secret"), EPropertyError);
  EXPECT_THROW(GetStrProp(&Sink, "Secret"), EPropertyError);
  EXPECT_THROW(GetObjectProp(&Sink, "Target"), EPropertyError);
  // A description sets it; the writer leaves it out.
  TSink Read(nullptr);
  ReadComponentResText("object Sink1: TSink\n  Secret = 42\nend\n", &Read);
  EXPECT_EQ(Read.Secret, 42);
  EXPECT_EQ(WriteComponentResText(&Read).find("Secret"), std::string::npos);
}
