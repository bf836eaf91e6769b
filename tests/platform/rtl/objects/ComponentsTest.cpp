#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> gLog;

class TLogged : public TComponent {
  VANTREL_CLASS(TLogged, TComponent)
public:
  explicit TLogged(TComponent* AOwner) : TComponent(AOwner) {}
  ~TLogged() override { gLog.push_back("free " + Name()); }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove && AComponent == FWatched) {
      gLog.push_back(Name() + " heard " + AComponent->Name());
      FWatched = nullptr;
    }
    TComponent::Notification(AComponent, Operation);
  }
  void Watch(TComponent* c) {
    FWatched = c;
    if (c) c->FreeNotification(this);
  }
  TComponent* Watched() const { return FWatched; }

private:
  TComponent* FWatched = nullptr;
};

class TFormWithFields : public TComponent {
  VANTREL_CLASS(TFormWithFields, TComponent)
public:
  explicit TFormWithFields(TComponent* AOwner) : TComponent(AOwner) {}
  TLogged* Button1 = nullptr;
  static void Publish(TClassBuilder<TFormWithFields>& b) { b.Field("Button1", &TFormWithFields::Button1); }
};

TLogged* Make(TComponent* owner, const char* name) {
  auto* c = new TLogged(owner);
  c->SetName(name);
  return c;
}
}  // namespace

TEST(ComponentOwnership, OwnerFreesInReverseCreationOrderAndNotifies) {
  gLog.clear();
  TLogged watcher(nullptr);
  watcher.SetName("Watcher");
  {
    TLogged* root = Make(nullptr, "Root");
    Make(root, "A");
    TLogged* b = Make(root, "B");
    Make(root, "C");
    watcher.Watch(b);
    delete root;
  }
  // The root's own destructor body runs first, then its components go, the last created first.
  EXPECT_EQ(gLog, (std::vector<std::string>{"free Root", "free C", "free B", "Watcher heard B", "free A"}));
  EXPECT_EQ(watcher.Watched(), nullptr);
  gLog.clear();
}

TEST(ComponentOwnership, DeletingAComponentRemovesItFromItsOwner) {
  TComponent owner(nullptr);
  TLogged* a = Make(&owner, "A");
  TLogged* b = Make(&owner, "B");
  EXPECT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(b->ComponentIndex(), 1);
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
  EXPECT_THROW(owner.Components(1), EListError);
  gLog.clear();
}

TEST(ComponentOwnership, SiblingsHearRemovalThroughTheOwner) {
  TComponent owner(nullptr);
  TLogged* watcher = Make(&owner, "W");
  TLogged* target = Make(&owner, "T");
  watcher->Watch(target);
  owner.RemoveComponent(target);
  EXPECT_EQ(watcher->Watched(), nullptr);
  delete target;
  gLog.clear();
}

TEST(ComponentOwnership, RemoveFreeNotificationStopsTheNotice) {
  gLog.clear();
  TLogged watcher(nullptr);
  watcher.SetName("W");
  auto* t = new TLogged(nullptr);
  t->SetName("T");
  watcher.Watch(t);
  t->RemoveFreeNotification(&watcher);
  delete t;
  EXPECT_EQ(gLog, std::vector<std::string>{"free T"});
  gLog.clear();
}

TEST(ComponentNames, ValidityUniquenessAndLookup) {
  TComponent owner(nullptr);
  TLogged* a = Make(&owner, "Alpha");
  TLogged* b = Make(&owner, "Beta");
  EXPECT_EQ(owner.FindComponent("ALPHA"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_EQ(owner.FindComponent("Gamma"), nullptr);

  struct Case {
    const char* name;
    const char* message;
  } cases[] = {
      {"1abc", "'1abc' is not a valid component name"},
      {"a b", "'a b' is not a valid component name"},
      {"alpha", "A component named alpha already exists"},
  };
  for (const auto& c : cases) {
    try {
      b->SetName(c.name);
      ADD_FAILURE() << c.name;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(b->Name(), "Beta");
  }
  a->SetName("ALPHA");  // a rename that only changes case is allowed
  EXPECT_EQ(a->Name(), "ALPHA");
  b->SetName("");
  EXPECT_EQ(b->Name(), "");
  gLog.clear();
}

TEST(ComponentNames, PublishedFieldFollowsTheComponent) {
  TFormWithFields form(nullptr);
  auto* b = new TLogged(&form);
  EXPECT_EQ(form.Button1, nullptr);
  b->SetName("Button1");
  EXPECT_EQ(form.Button1, b);
  b->SetName("Other");
  EXPECT_EQ(form.Button1, nullptr);
  b->SetName("Button1");
  delete b;
  EXPECT_EQ(form.Button1, nullptr);
  gLog.clear();
}

TEST(ComponentState, LoadedClearsLoadingAndDestroyingPropagates) {
  struct TProbe : TComponent {
    using TComponent::TComponent;
    void Begin() { SetState(csLoading, true); }
  };
  TProbe p(nullptr);
  p.Begin();
  EXPECT_TRUE(p.ComponentState().Contains(csLoading));
  p.Loaded();
  EXPECT_FALSE(p.ComponentState().Contains(csLoading));

  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  owner.Destroying();
  EXPECT_TRUE(child->ComponentState().Contains(csDestroying));
}

TEST(ComponentOwnership, ComponentIndexMovesWithinOwner) {
  TComponent owner(nullptr);
  TLogged* a = Make(&owner, "A");
  Make(&owner, "B");
  TLogged* c = Make(&owner, "C");
  c->SetComponentIndex(0);
  EXPECT_EQ(owner.Components(0), c);
  EXPECT_EQ(owner.Components(1), a);
  gLog.clear();
}
