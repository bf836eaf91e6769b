#pragma once
// Events: (object, method) pairs. Empty means unassigned; two events are equal when
// they name the same method of the same object, so a handler can be saved and restored.
#include "platform/rtl/Exceptions.h"

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <type_traits>
#include <typeinfo>
#include <utility>

class TObject;

// The untyped form of an event, as property access by name sees it.
struct TMethod {
  void* Data = nullptr;                               // the object
  std::array<unsigned char, 2 * sizeof(void*)> Code{};  // the member-function pointer's bytes
  const std::type_info* CodeClass = nullptr;          // class the member pointer belongs to
  const std::type_info* Signature = nullptr;          // the event's function type
  void (*Thunk)() = nullptr;                          // typed invoker (cast back by TEvent)
  std::shared_ptr<void> Func;                         // a bound callable, when not a method

  bool Assigned() const { return Thunk != nullptr; }
  bool operator==(const TMethod& o) const {
    if (!Assigned() || !o.Assigned()) return Assigned() == o.Assigned();
    if (Func || o.Func) return Func == o.Func;
    return Data == o.Data && Code == o.Code && *Signature == *o.Signature &&
           CodeClass && o.CodeClass && *CodeClass == *o.CodeClass;
  }
};

template <class Sig>
class TEvent;

template <class R, class... Args>
class TEvent<R(Args...)> {
public:
  using Signature = R(Args...);
  TEvent() = default;
  TEvent(std::nullptr_t) {}
  // Any callable that is not itself an event: equal only to copies of this event.
  template <class F>
    requires(!std::is_same_v<std::decay_t<F>, TEvent> && !std::is_same_v<std::decay_t<F>, std::nullptr_t> &&
             std::is_invocable_r_v<R, F&, Args...>)
  TEvent(F&& f) {
    auto fn = std::make_shared<std::function<R(Args...)>>(std::forward<F>(f));
    FMethod.Func = fn;
    FMethod.Signature = &typeid(Signature);
    FMethod.Thunk = reinterpret_cast<void (*)()>(&CallFunc);
  }

  // Binds Method of Obj.
  template <class T, class C>
  static TEvent Bind(T* Obj, R (C::*Method)(Args...)) {
    static_assert(sizeof(Method) <= sizeof(TMethod::Code), "member pointer too large");
    TEvent e;
    if (!Obj || !Method) return e;
    C* self = static_cast<C*>(Obj);
    e.FMethod.Data = static_cast<void*>(self);
    std::memcpy(e.FMethod.Code.data(), &Method, sizeof(Method));
    e.FMethod.CodeClass = &typeid(C);
    e.FMethod.Signature = &typeid(Signature);
    e.FMethod.Thunk = reinterpret_cast<void (*)()>(&CallMember<C>);
    return e;
  }

  // The typed event from an untyped one; a different signature raises EInvalidCast.
  static TEvent FromMethod(const TMethod& m) {
    TEvent e;
    if (!m.Assigned()) return e;
    if (!m.Signature || *m.Signature != typeid(Signature)) throw EInvalidCast("Invalid class typecast");
    e.FMethod = m;
    return e;
  }

  const TMethod& Method() const { return FMethod; }
  void* Data() const { return FMethod.Data; }
  explicit operator bool() const { return FMethod.Assigned(); }
  bool operator==(const TEvent& o) const { return FMethod == o.FMethod; }
  bool operator==(std::nullptr_t) const { return !FMethod.Assigned(); }

  // Calls the handler; an unassigned event does nothing (returns R{}).
  R operator()(Args... args) const {
    if (!FMethod.Assigned()) {
      if constexpr (std::is_void_v<R>) return;
      else return R{};
    }
    auto fn = reinterpret_cast<R (*)(const TMethod&, Args...)>(FMethod.Thunk);
    return fn(FMethod, std::forward<Args>(args)...);
  }

private:
  template <class C>
  static R CallMember(const TMethod& m, Args... args) {
    R (C::*pm)(Args...);
    std::memcpy(&pm, m.Code.data(), sizeof(pm));
    return (static_cast<C*>(m.Data)->*pm)(std::forward<Args>(args)...);
  }
  static R CallFunc(const TMethod& m, Args... args) {
    return (*static_cast<std::function<R(Args...)>*>(m.Func.get()))(std::forward<Args>(args)...);
  }

  TMethod FMethod;
};

template <class T>
struct IsEvent : std::false_type {};
template <class Sig>
struct IsEvent<TEvent<Sig>> : std::true_type {};

// MakeEvent(this, &TFoo::Handler): the event naming Handler of this object.
template <class T, class C, class R, class... Args>
TEvent<R(Args...)> MakeEvent(T* Obj, R (C::*Method)(Args...)) {
  return TEvent<R(Args...)>::Bind(Obj, Method);
}

using TNotifyEvent = TEvent<void(TObject* Sender)>;
