#pragma once
// Events of datasets: any number of handlers, called in the order they were connected.
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kv::store {

// Handle of one connected handler; it does not disconnect by itself (see ScopedConnection).
class Connection {
  public:
    Connection() = default;
    Connection(std::weak_ptr<std::function<void(int)>> disconnect, int id)
        : disconnect_(std::move(disconnect)), id_(id) {}
    void Disconnect() {
        if (auto d = disconnect_.lock()) (*d)(id_);
        disconnect_.reset();
    }

  private:
    std::weak_ptr<std::function<void(int)>> disconnect_;
    int id_ = 0;
};

class ScopedConnection {
  public:
    ScopedConnection() = default;
    ScopedConnection(Connection c) : c_(std::move(c)) {}
    ScopedConnection(ScopedConnection&& o) noexcept : c_(std::exchange(o.c_, {})) {}
    ScopedConnection& operator=(ScopedConnection&& o) noexcept {
        if (this != &o) {
            c_.Disconnect();
            c_ = std::exchange(o.c_, {});
        }
        return *this;
    }
    ~ScopedConnection() { c_.Disconnect(); }

  private:
    Connection c_;
};

template <typename... Args>
class Signal {
  public:
    using Handler = std::function<void(Args...)>;

    Signal()
        : handlers_(std::make_shared<std::vector<std::pair<int, Handler>>>()),
          disconnect_(std::make_shared<std::function<void(int)>>([h = handlers_.get()](int id) {
              std::erase_if(*h, [id](const auto& entry) { return entry.first == id; });
          })) {}
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    Connection Connect(Handler handler) {
        handlers_->emplace_back(++lastId_, std::move(handler));
        return Connection(disconnect_, lastId_);
    }

    bool Empty() const { return handlers_->empty(); }

    // Handlers may connect or disconnect others while being called.
    void operator()(Args... args) const {
        auto snapshot = *handlers_;
        for (auto& [id, handler] : snapshot) {
            bool connected = std::any_of(handlers_->begin(), handlers_->end(),
                                         [id = id](const auto& e) { return e.first == id; });
            if (connected) handler(args...);
        }
    }

  private:
    std::shared_ptr<std::vector<std::pair<int, Handler>>> handlers_;
    std::shared_ptr<std::function<void(int)>> disconnect_;
    int lastId_ = 0;
};

}  // namespace kv::store
