#include "platform/rtl/Component.h"

#include "platform/rtl/forms/Filer.h"

#include <algorithm>

TComponent* CreateComponent(TClass Class, TComponent* Owner) {
  if (!Class || !Class->NewComponent || !Class->InheritsFrom(TComponent::StaticClass()))
    throw EInvalidOperation("Cannot create an instance of " + (Class ? Class->Name : std::string("nil")));
  return static_cast<TComponent*>(Class->NewComponent(Owner));
}

void TComponent::Publish(TClassBuilder<TComponent>& b) {
  b.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  b.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* c = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    std::erase(c->FFreeNotifies, this);
    c->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  int cur = ComponentIndex();
  if (cur < 0) return;
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  if (Value == cur) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

void TComponent::SetName(const std::string& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (FOwner) FOwner->ValidateRename(this, FName, NewName);
  else ValidateRename(nullptr, FName, NewName);
  SetReference(false);
  FName = NewName;
  SetReference(true);
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) {
  if (!AComponent || NewName.empty() || SameIdent(CurName, NewName)) return;
  for (TComponent* c : FComponents)
    if (c != AComponent && SameIdent(c->FName, NewName))
      throw EComponentError("A component named " + NewName + " already exists");
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameIdent(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
      AComponent->FFreeNotifies.end())
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) { std::erase(FFreeNotifies, AComponent); }

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  ValidateRename(AComponent, "", AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::SetReference(bool Enable) {
  if (!FOwner || FName.empty()) return;
  const TFieldInfo* f = FOwner->ClassType()->FindField(FName);
  if (!f) return;
  // On removal the component may be half destroyed: compare addresses only.
  if (!Enable) {
    if (f->Get(FOwner) == static_cast<TObject*>(this)) f->Set(FOwner, nullptr);
  } else if (InheritsFrom(f->ClassOf())) {
    f->Set(FOwner, this);
  }
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    c->SetReference(false);
    Remove(c);
    delete c;
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  int i = ComponentCount() - 1;
  while (i >= 0) {
    FComponents[static_cast<std::size_t>(i)]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  if (Root != this) return;
  for (TComponent* c : std::vector<TComponent*>(FComponents))
    if (!c->HasParent()) Proc(c);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  SetState(csDesigning, Value);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::SetState(TComponentStateItem Item, bool On) {
  if (On) FComponentState.Include(Item);
  else FComponentState.Exclude(Item);
}

namespace {
std::vector<TFindGlobalComponent>& GlobalFinders() {
  static std::vector<TFindGlobalComponent> finders;
  return finders;
}
}  // namespace

void RegisterFindGlobalComponent(TFindGlobalComponent Finder) {
  auto& f = GlobalFinders();
  if (std::find(f.begin(), f.end(), Finder) == f.end()) f.push_back(Finder);
}

void UnregisterFindGlobalComponent(TFindGlobalComponent Finder) { std::erase(GlobalFinders(), Finder); }

TComponent* FindGlobalComponent(const std::string& Name) {
  for (auto f : GlobalFinders())
    if (TComponent* c = f(Name)) return c;
  return nullptr;
}

void TComponent::DefineProperties(TFiler* Filer) {
  auto* anc = dynamic_cast<TComponent*>(Filer->Ancestor());
  auto entry = [&](const char* Name, std::int16_t TComponent::*Field) {
    Filer->DefineProperty(
        Name,
        [this, Field](TReader* R) {
          int v = R->ReadInteger();
          if (v < INT16_MIN || v > INT16_MAX) throw ERangeError("Range check error");
          this->*Field = static_cast<std::int16_t>(v);
        },
        [this, Field](TWriter* W) { W->WriteInteger(this->*Field); },
        anc ? anc->*Field != this->*Field : this->*Field != 0);
  };
  entry("Left", &TComponent::FDesignLeft);
  entry("Top", &TComponent::FDesignTop);
}
