#pragma once

namespace platform {

// Waits that keep the windows responsive. An office that finishes its work before a call
// returns gets a pacer that does not wait at all; tests never sleep.
class Pacer {
  public:
    virtual ~Pacer() = default;
    // Lets the office finish asynchronous work for about this long.
    virtual void wait(int milliseconds) = 0;
    // Lets pending window events run, `passes` times.
    virtual void processEvents(int passes = 1) = 0;
};

// Real waits, processing events while they last.
class EventLoopPacer : public Pacer {
  public:
    void wait(int milliseconds) override;
    void processEvents(int passes = 1) override;
};

// No waits: for an office whose calls complete before they return. Events still run.
class ImmediatePacer : public Pacer {
  public:
    void wait(int milliseconds) override { requested_ += milliseconds; }
    void processEvents(int passes = 1) override;
    long long requestedMilliseconds() const { return requested_; }

  private:
    long long requested_ = 0;
};

}  // namespace platform
