#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

namespace {
class THandler : public TObject {
public:
  int Hits = 0;
  TObject* LastSender = nullptr;
  void Click(TObject* Sender) {
    ++Hits;
    LastSender = Sender;
  }
  void Other(TObject* Sender) { Hits += 100; }
  virtual void Virt(TObject* Sender) { Hits += 10; }
};
class TDerivedHandler : public THandler {
public:
  void Virt(TObject* Sender) override { Hits += 1000; }
};
}  // namespace

TEST(Events, EqualOnlyForTheSameMethodOfTheSameObject) {
  THandler h1, h2;
  TNotifyEvent a = MakeEvent(&h1, &THandler::Click);
  TNotifyEvent same = TNotifyEvent::Bind(&h1, &THandler::Click);
  TNotifyEvent otherObject = MakeEvent(&h2, &THandler::Click);
  TNotifyEvent otherMethod = MakeEvent(&h1, &THandler::Other);
  TNotifyEvent empty;
  EXPECT_TRUE(a == same);
  EXPECT_FALSE(a == otherObject);
  EXPECT_FALSE(a == otherMethod);
  EXPECT_FALSE(a == empty);
  EXPECT_TRUE(empty == TNotifyEvent());
  EXPECT_TRUE(empty == nullptr);
  EXPECT_FALSE(static_cast<bool>(empty));
  EXPECT_TRUE(static_cast<bool>(a));
}

TEST(Events, SaveAndRestoreAnotherHandler) {
  THandler h;
  TNotifyEvent saved = MakeEvent(&h, &THandler::Click);
  TNotifyEvent current = saved;
  current = MakeEvent(&h, &THandler::Other);
  EXPECT_FALSE(current == saved);
  current = saved;
  EXPECT_TRUE(current == saved);
  current(&h);
  EXPECT_EQ(h.Hits, 1);
  EXPECT_EQ(h.LastSender, &h);
}

TEST(Events, InvokesVirtualMethodsAndSkipsWhenEmpty) {
  TDerivedHandler d;
  TNotifyEvent v = MakeEvent(static_cast<THandler*>(&d), &THandler::Virt);
  v(nullptr);
  EXPECT_EQ(d.Hits, 1000);
  TNotifyEvent none;
  none(nullptr);  // nothing happens
  TEvent<int(int)> unassigned;
  EXPECT_EQ(unassigned(5), 0);
}

TEST(Events, CallablesAreEqualOnlyToTheirCopies) {
  int n = 0;
  TNotifyEvent f = [&n](TObject*) { ++n; };
  TNotifyEvent copy = f;
  TNotifyEvent g = [&n](TObject*) { ++n; };
  EXPECT_TRUE(f == copy);
  EXPECT_FALSE(f == g);
  copy(nullptr);
  EXPECT_EQ(n, 1);
}

TEST(Events, UntypedMethodConvertsBackOnlyToItsSignature) {
  THandler h;
  TNotifyEvent e = MakeEvent(&h, &THandler::Click);
  TMethod m = e.Method();
  EXPECT_TRUE(TNotifyEvent::FromMethod(m) == e);
  EXPECT_THROW(TEvent<void(int)>::FromMethod(m), EInvalidCast);
  EXPECT_FALSE(static_cast<bool>(TEvent<void(int)>::FromMethod(TMethod{})));
}
