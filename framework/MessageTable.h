#pragma once
#include <span>

#include "framework/SystemRequests.h"
#include "framework/Window.h"

// A message table is a constant array of {message, handler}; a command table {command id, handler}.
template <class T>
struct MessageEntry {
  UINT message;
  LRESULT (T::*handler)(const Message&);
};

template <class T>
struct CommandEntry {
  UINT id;
  void (T::*handler)();
};

// Runs the handler of `commandId` from T::CommandTable(); false when the table lacks it.
template <class T>
bool InvokeCommand(T& target, UINT commandId) {
  for (const CommandEntry<T>& entry : T::CommandTable()) {
    if (entry.id == commandId) {
      (target.*entry.handler)();
      return true;
    }
  }
  return false;
}

// Dispatches through T::MessageTable() and T::CommandTable(); everything else goes to Base, which
// is what default processing means for T.
template <class T, class Base = Window>
class MessageWindow : public Base {
 public:
  using Base::Base;

 protected:
  LRESULT HandleMessage(const Message& message) override {
    for (const MessageEntry<T>& entry : T::MessageTable()) {
      if (entry.message == message.id) return (static_cast<T*>(this)->*entry.handler)(message);
    }
    return Base::HandleMessage(message);
  }

  bool HandleOwnCommand(UINT commandId) override {
    return InvokeCommand(*static_cast<T*>(this), commandId) || Base::HandleOwnCommand(commandId);
  }

  LRESULT Default(const Message& message) { return Base::HandleMessage(message); }

  // Handlers every window of the toy puts in its table (see SystemRequests.h).
  LRESULT KeepAppCommand(const Message&) { return AppCommandDone; }
  LRESULT RefuseSystemGestures(const Message&) { return NoSystemGestures; }

 public:
  // A class without commands keeps this empty table.
  static std::span<const CommandEntry<T>> CommandTable() { return {}; }
};
