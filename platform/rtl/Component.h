#pragma once
// TComponent: named, owned objects. An owner frees its components (the last created
// first); components that asked for free notification hear when one is freed.
#include "platform/rtl/Persistent.h"
#include "platform/rtl/Set.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TReader;
class TWriter;

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups, csInline };
using TComponentState = Set<TComponentStateItem>;
enum TOperation { opInsert, opRemove };
using TGetChildProc = std::function<void(TComponent* Child)>;

class TComponent : public TPersistent {
  VANTREL_CLASS(TComponent, TPersistent)
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int Value);
  const std::string& Name() const { return FName; }
  // Raises EComponentError for an invalid name or one already used under the owner.
  virtual void SetName(const std::string& NewName);
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }
  TComponentState ComponentState() const { return FComponentState; }

  // Owned component by name (case-insensitive); nullptr when none.
  TComponent* FindComponent(const std::string& AName) const;
  // AComponent will hear Notification(this, opRemove) when this component is freed
  // (and this one when AComponent is).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, the last created first.
  void DestroyComponents();
  // Marks this component (and what it owns) as being destroyed.
  void Destroying();

  // Called once the component and all its siblings have been read; clears csLoading.
  virtual void Loaded();
  // Told when a component is inserted or removed under the same owner chain, or when a
  // free-notified component is freed. The default passes opRemove on to owned components.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Streaming hierarchy: components with a parent (controls) are written under it.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}
  // Lists the children written inside this component; for the root, the owned
  // components without a parent.
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
  virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName);

  // Designer position of a non-visual component, stored as the custom entries Left and Top.
  std::int32_t DesignInfo() const { return static_cast<std::int32_t>((static_cast<std::uint32_t>(FDesignTop) << 16) | (static_cast<std::uint32_t>(FDesignLeft) & 0xFFFF)); }
  void SetDesignInfo(std::int32_t Value) {
    FDesignLeft = static_cast<std::int16_t>(Value & 0xFFFF);
    FDesignTop = static_cast<std::int16_t>((static_cast<std::uint32_t>(Value) >> 16) & 0xFFFF);
  }
  void DefineProperties(TFiler* Filer) override;
  TPersistent* GetOwner() override { return FOwner; }
  std::string GetNamePath() override { return FName; }
  void SetDesigning(bool Value, bool SetChildren = true);

  static void Publish(TClassBuilder<TComponent>& b);

protected:
  void SetState(TComponentStateItem Item, bool On);
  friend class TReader;
  friend class TWriter;

private:
  void SetReference(bool Enable);
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::string FName;
  std::intptr_t FTag = 0;
  std::int16_t FDesignLeft = 0;
  std::int16_t FDesignTop = 0;
  TComponentState FComponentState;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// Components found by name outside the root being read ("Form2.Button1" references):
// layers that keep top-level components (forms) register a finder.
using TFindGlobalComponent = TComponent* (*)(const std::string& Name);
void RegisterFindGlobalComponent(TFindGlobalComponent Finder);
void UnregisterFindGlobalComponent(TFindGlobalComponent Finder);
TComponent* FindGlobalComponent(const std::string& Name);
