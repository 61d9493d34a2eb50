#pragma once
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace forms {

// A control's or component's event. Several listeners may connect (a form's
// own handler and a component that watches the same control); they run in the
// order they connected. A Connection ends its listener when it goes away, so a
// component released before the control it watches leaves nothing dangling.
template <typename... Args>
class Event {
  struct Slot {
    std::function<void(Args...)> handler;
    bool connected = true;
  };

 public:
  class Connection {
   public:
    Connection() = default;
    explicit Connection(std::weak_ptr<Slot> slot) : slot_(std::move(slot)) {}
    Connection(Connection&&) noexcept = default;
    Connection& operator=(Connection&& other) noexcept {
      Disconnect();
      slot_ = std::move(other.slot_);
      return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Disconnect(); }
    void Disconnect() {
      if (auto slot = slot_.lock()) slot->connected = false;
      slot_.reset();
    }

   private:
    std::weak_ptr<Slot> slot_;
  };

  // For handlers that live as long as the control (a form's own handlers).
  void Handle(std::function<void(Args...)> handler) {
    slots_.push_back(std::make_shared<Slot>(Slot{std::move(handler)}));
  }
  [[nodiscard]] Connection Connect(std::function<void(Args...)> handler) {
    slots_.push_back(std::make_shared<Slot>(Slot{std::move(handler)}));
    return Connection(slots_.back());
  }

  void Raise(Args... args) {
    // A handler may connect or disconnect listeners while it runs.
    const auto slots = slots_;
    for (const auto& slot : slots)
      if (slot->connected) slot->handler(args...);
    std::erase_if(slots_, [](const auto& slot) { return !slot->connected; });
  }

 private:
  std::vector<std::shared_ptr<Slot>> slots_;
};

}  // namespace forms
