#include "sim/sim_server.h"

#include <QThread>
#include <future>

#include "sim/udp_responder.h"

namespace norvane::sim {
namespace {
struct BindResult {
    QString error;
    quint16 port = 0;
};
}  // namespace

// The server's thread: its socket is made, used and destroyed on it.
class SimServer::Thread final : public QThread {
  public:
    Thread(DatagramHandler& handler, Endpoint endpoint, std::uint64_t linkBitsPerSecond)
        : handler_(handler), endpoint_(std::move(endpoint)), linkBitsPerSecond_(linkBitsPerSecond) {}
    std::future<BindResult> bound() { return bound_.get_future(); }

  protected:
    void run() override {
        UdpResponder responder(handler_, linkBitsPerSecond_);
        const QString error = responder.bind(endpoint_.address, endpoint_.port);
        bound_.set_value({error, responder.port()});
        if (error.isEmpty()) exec();
    }

  private:
    DatagramHandler& handler_;
    Endpoint endpoint_;
    std::uint64_t linkBitsPerSecond_;
    std::promise<BindResult> bound_;
};

SimServer::SimServer(DatagramHandler& handler, Endpoint endpoint, std::uint64_t linkBitsPerSecond)
    : handler_(handler), endpoint_(std::move(endpoint)), linkBitsPerSecond_(linkBitsPerSecond) {}

SimServer::~SimServer() {
    stop();
}

bool SimServer::start() {
    thread_ = std::make_unique<Thread>(handler_, endpoint_, linkBitsPerSecond_);
    auto bound = thread_->bound();
    thread_->start();
    const BindResult result = bound.get();
    error_ = result.error;
    port_ = result.port;
    if (error_.isEmpty()) return true;
    thread_->wait();
    thread_.reset();
    return false;
}

void SimServer::stop() {
    if (!thread_) return;
    // A quit that comes before the loop has started still ends it at once.
    thread_->quit();
    thread_->wait();
    thread_.reset();
}

}  // namespace norvane::sim
