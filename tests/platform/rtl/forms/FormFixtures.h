#pragma once
// Component classes with one published property of every kind, for form description
// tests and the form reader fuzz target.
#include "platform/rtl/Classes.h"
#include "platform/rtl/forms/FormText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace fixtures {

enum TFixAlign { faNone, faTop, faBottom, faClient };
VANTREL_ENUM(TFixAlign, "faNone", "faTop", "faBottom", "faClient")
enum TFixOption { foEditing, foTabs, foRowSelect, foMultiSelect };
VANTREL_ENUM(TFixOption, "foEditing", "foTabs", "foRowSelect", "foMultiSelect")
using TFixOptions = Set<TFixOption>;

inline std::vector<std::string>& LoadLog() {
  static std::vector<std::string> log;
  return log;
}

inline const TIdentMap& ColorIdents() {
  static const TIdentMap map{{0x000000, "clBlack"}, {0x0000FF, "clRed"}, {-16777201, "clBtnFace"}};
  return map;
}

class TFixFont : public TPersistent {
  VANTREL_CLASS(TFixFont, TPersistent)
public:
  const std::string& Name() const { return FName; }
  void SetName(const std::string& V) { FName = V; }
  int Size() const { return FSize; }
  void SetSize(int V) { FSize = V; }
  void Assign(TPersistent* Source) override {
    if (auto* f = dynamic_cast<TFixFont*>(Source)) {
      FName = f->FName;
      FSize = f->FSize;
      return;
    }
    TPersistent::Assign(Source);
  }
  static void Publish(TClassBuilder<TFixFont>& b) {
    b.Property("Name", &TFixFont::Name, &TFixFont::SetName);
    b.Property("Size", &TFixFont::Size, &TFixFont::SetSize).Default(8);
  }

private:
  std::string FName;
  int FSize = 8;
};

class TFixColumn : public TCollectionItem {
  VANTREL_CLASS(TFixColumn, TCollectionItem)
public:
  explicit TFixColumn(TCollection* C) : TCollectionItem(C) {}
  int Width() const { return FWidth; }
  void SetWidth(int V) { FWidth = V; Changed(false); }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& V) { FTitle = V; Changed(false); }
  TComponent* Source() const { return FSource; }
  void SetSource(TComponent* V) { FSource = V; }
  void Assign(TPersistent* Source) override {
    if (auto* c = dynamic_cast<TFixColumn*>(Source)) {
      FWidth = c->FWidth;
      FTitle = c->FTitle;
      FSource = c->FSource;
      return;
    }
    TCollectionItem::Assign(Source);
  }
  static void Publish(TClassBuilder<TFixColumn>& b) {
    b.Property("Width", &TFixColumn::Width, &TFixColumn::SetWidth).Default(64);
    b.Property("Title", &TFixColumn::Title, &TFixColumn::SetTitle);
    b.Property("Source", &TFixColumn::Source, &TFixColumn::SetSource);
  }

private:
  int FWidth = 64;
  std::string FTitle;
  TComponent* FSource = nullptr;
};

// A control-like component: children are written inside their parent.
class TFixControl : public TComponent {
  VANTREL_CLASS(TFixControl, TComponent)
public:
  explicit TFixControl(TComponent* AOwner) : TComponent(AOwner), FColumns(this, TFixColumn::StaticClass()) {}
  ~TFixControl() override {
    SetParentComponent(nullptr);
    for (TFixControl* c : std::vector<TFixControl*>(FChildren)) c->FParent = nullptr;
  }

  int Left() const { return FLeft; }
  void SetLeft(int V) { FLeft = V; }
  std::int64_t Big() const { return FBig; }
  void SetBig(std::int64_t V) { FBig = V; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& V) { FCaption = V; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& V) { FHint = V; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool V) { FVisible = V; }
  int Color() const { return FColor; }
  void SetColor(int V) { FColor = V; }
  double Ratio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  TFixAlign Align() const { return FAlign; }
  void SetAlign(TFixAlign V) { FAlign = V; }
  TFixOptions Options() const { return FOptions; }
  void SetOptions(TFixOptions V) { FOptions = V; }
  char Accel() const { return FAccel; }
  void SetAccel(char V) { FAccel = V; }
  TFixFont* Font() const { return const_cast<TFixFont*>(&FFont); }
  void SetFont(TFixFont* V) { FFont.Assign(V); }
  TStrings* Items() const { return const_cast<TStringList*>(&FItems); }
  void SetItems(TStrings* V) { FItems.Assign(V); }
  TOwnedCollection* Columns() const { return const_cast<TOwnedCollection*>(&FColumns); }
  void SetColumns(TOwnedCollection* V) { FColumns.Assign(V); }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* V) {
    if (FBuddy) FBuddy->RemoveFreeNotification(this);
    FBuddy = V;
    if (V) V->FreeNotification(this);
  }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& E) { FOnClick = E; }
  const TEvent<void(TObject*, int)>& OnValue() const { return FOnValue; }
  void SetOnValue(const TEvent<void(TObject*, int)>& E) { FOnValue = E; }
  const std::vector<unsigned char>& Glyph() const { return FGlyph; }
  void SetGlyph(std::vector<unsigned char> G) { FGlyph = std::move(G); }
  bool LoadingSeenByLeft = false;

  TFixControl* Parent() const { return FParent; }
  const std::vector<TFixControl*>& Children() const { return FChildren; }
  bool HasParent() const override { return FParent != nullptr; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* Value) override {
    if (FParent) std::erase(FParent->FChildren, this);
    // Under a non-visual component a control is placed on its owner, so that the
    // written text nests it where it will be read again.
    FParent = dynamic_cast<TFixControl*>(Value);
    if (!FParent && Value) FParent = dynamic_cast<TFixControl*>(Owner());
    if (FParent) FParent->FChildren.push_back(this);
  }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override {
    if (Root == this) TComponent::GetChildren(Proc, Root);
    for (TFixControl* c : FChildren)
      if (c->Owner() == Root) Proc(c);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    LoadLog().push_back(Name().empty() ? ClassName() : Name());
  }
  void DefineProperties(TFiler* Filer) override {
    TComponent::DefineProperties(Filer);
    auto* anc = dynamic_cast<TFixControl*>(Filer->Ancestor());
    Filer->DefineBinaryProperty(
        "Glyph",
        [this](TStream* S) {
          FGlyph.assign(static_cast<std::size_t>(S->Size()), 0);
          S->ReadBuffer(FGlyph.data(), static_cast<std::int64_t>(FGlyph.size()));
        },
        [this](TStream* S) { S->WriteBuffer(FGlyph.data(), static_cast<std::int64_t>(FGlyph.size())); },
        anc ? anc->FGlyph != FGlyph : !FGlyph.empty());
  }

  static void Publish(TClassBuilder<TFixControl>& b) {
    b.Property("Left", &TFixControl::Left, &TFixControl::SetLeft);
    b.Property("Big", &TFixControl::Big, &TFixControl::SetBig).Default(0);
    b.Property("Caption", &TFixControl::Caption, &TFixControl::SetCaption);
    b.Property("Hint", &TFixControl::Hint, &TFixControl::SetHint).Wide();
    b.Property("Visible", &TFixControl::Visible, &TFixControl::SetVisible).Default(true);
    b.Property("Color", &TFixControl::Color, &TFixControl::SetColor).Default(-16777201).Idents(ColorIdents());
    b.Property("Ratio", &TFixControl::Ratio, &TFixControl::SetRatio);
    b.Property("Align", &TFixControl::Align, &TFixControl::SetAlign).Default(faNone);
    b.Property("Options", &TFixControl::Options, &TFixControl::SetOptions).Default(TFixOptions{foEditing});
    b.Property("Accel", &TFixControl::Accel, &TFixControl::SetAccel).Default('\0');
    b.Property("Font", &TFixControl::Font, &TFixControl::SetFont);
    b.Property("Items", &TFixControl::Items, &TFixControl::SetItems);
    b.Property("Columns", &TFixControl::Columns, &TFixControl::SetColumns);
    b.Property("Buddy", &TFixControl::Buddy, &TFixControl::SetBuddy);
    b.Property("OnClick", &TFixControl::OnClick, &TFixControl::SetOnClick);
    b.Property("OnValue", &TFixControl::OnValue, &TFixControl::SetOnValue);
  }

private:
  int FLeft = 0;
  std::int64_t FBig = 0;
  std::string FCaption, FHint;
  bool FVisible = true;
  int FColor = -16777201;
  double FRatio = 0;
  TFixAlign FAlign = faNone;
  TFixOptions FOptions{foEditing};
  char FAccel = 0;
  TFixFont FFont;
  TStringList FItems;
  TOwnedCollection FColumns;
  TComponent* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  TEvent<void(TObject*, int)> FOnValue;
  std::vector<unsigned char> FGlyph;
  TFixControl* FParent = nullptr;
  std::vector<TFixControl*> FChildren;
};

// A non-visual component: written directly under the root.
class TFixTimer : public TComponent {
  VANTREL_CLASS(TFixTimer, TComponent)
public:
  explicit TFixTimer(TComponent* AOwner) : TComponent(AOwner) {}
  int Interval() const { return FInterval; }
  void SetInterval(int V) {
    // Acts at once while loading, as some properties do.
    FInterval = V;
    SeenLoading = ComponentState().Contains(csLoading);
  }
  void Loaded() override {
    TComponent::Loaded();
    LoadLog().push_back(Name());
  }
  bool SeenLoading = false;
  const Variant& Data() const { return FData; }
  void SetData(const Variant& V) { FData = V; }
  bool DataStored() const { return !FData.IsEmpty(); }
  static void Publish(TClassBuilder<TFixTimer>& b) {
    b.Property("Interval", &TFixTimer::Interval, &TFixTimer::SetInterval).Default(1000);
    b.Property("Data", &TFixTimer::Data, &TFixTimer::SetData).Stored(&TFixTimer::DataStored);
  }

private:
  int FInterval = 1000;
  Variant FData;
};

class TFixForm : public TFixControl {
  VANTREL_CLASS(TFixForm, TFixControl)
public:
  explicit TFixForm(TComponent* AOwner) : TFixControl(AOwner) {}
  TFixControl* Button1 = nullptr;
  TFixTimer* Timer1 = nullptr;
  std::vector<std::string> Calls;
  void FormClick(TObject* Sender) { Calls.push_back("FormClick"); }
  void ButtonClick(TObject* Sender) { Calls.push_back("ButtonClick"); }
  void ValueChanged(TObject* Sender, int V) { Calls.push_back("ValueChanged " + std::to_string(V)); }
  static void Publish(TClassBuilder<TFixForm>& b) {
    b.Method("FormClick", &TFixForm::FormClick);
    b.Method("ButtonClick", &TFixForm::ButtonClick);
    b.Method("ValueChanged", &TFixForm::ValueChanged);
    b.Field("Button1", &TFixForm::Button1);
    b.Field("Timer1", &TFixForm::Timer1);
  }
};

// A form class derived from TFixForm, for inherited descriptions.
class TFixForm2 : public TFixForm {
  VANTREL_CLASS(TFixForm2, TFixForm)
public:
  explicit TFixForm2(TComponent* AOwner) : TFixForm(AOwner) {}
};

inline void RegisterFixtureClasses() {
  RegisterClasses({TFixControl::StaticClass(), TFixTimer::StaticClass(), TFixForm::StaticClass(),
                   TFixForm2::StaticClass()});
}

}  // namespace fixtures
