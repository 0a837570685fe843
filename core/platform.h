#pragma once
// The outside services a calculation pass needs, injected so that the window,
// the batch tool and the tests each supply their own: the one-shot
// recalculation timer TimerProv and the points where a long pass lets the
// window process pending events.
#include <functional>
#include <vector>

namespace velmar {

// TimerProv: a one-shot timer of 1000 ms. Starting a running timer restarts
// its interval; when it fires it stops itself and calls onTimeout.
class OneShotTimer {
 public:
  static constexpr int kIntervalMs = 1000;
  virtual ~OneShotTimer() = default;
  virtual void start() = 0;
  virtual void stop() = 0;
  virtual bool running() const = 0;
  std::function<void()> onTimeout;
};

// "Let the window process pending events": input events processed here change
// the record at once and set InputChanged, so the pass restarts.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void processPendingEvents() = 0;
};

// A timer on a virtual clock, for the batch tool and the tests.
class ManualTimer : public OneShotTimer {
 public:
  void start() override {
    running_ = true;
    remainingMs_ = kIntervalMs;
  }
  void stop() override { running_ = false; }
  bool running() const override { return running_; }
  // Lets virtual time pass; fires when the interval runs out.
  void advance(int ms) {
    if (!running_) return;
    remainingMs_ -= ms;
    if (remainingMs_ <= 0) fire();
  }
  // Lets the interval run out at once.
  void runOut() {
    if (running_) fire();
  }
  int remainingMs() const { return running_ ? remainingMs_ : 0; }

 private:
  void fire() {
    running_ = false;
    if (onTimeout) onTimeout();
  }
  bool running_ = false;
  int remainingMs_ = 0;
};

// An event pump that runs scripted actions: each call of
// processPendingEvents runs the actions queued so far.
class ScriptedEventPump : public EventPump {
 public:
  void post(std::function<void()> action) { queue_.push_back(std::move(action)); }
  void processPendingEvents() override {
    ++calls_;
    auto pending = std::move(queue_);
    queue_.clear();
    for (auto& action : pending) action();
  }
  int calls() const { return calls_; }
  bool empty() const { return queue_.empty(); }

 private:
  std::vector<std::function<void()>> queue_;
  int calls_ = 0;
};

}  // namespace velmar
