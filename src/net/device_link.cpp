#include "device_link.h"

#include <QMetaObject>

#include "socket_worker.h"

namespace norvane::net {
namespace {
QByteArray toByteArray(ByteView bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}
}  // namespace

DeviceLink::DeviceLink(Options options, QObject* parent) : QObject(parent), options_(std::move(options)) {
    worker_ = new SocketWorker([this](ReceivedDatagram d) { deliver(std::move(d)); });
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("device-link"));
    thread_.start();
}

DeviceLink::~DeviceLink() {
    QMetaObject::invokeMethod(
        worker_, [w = worker_] { w->close(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

bool DeviceLink::open(const QHostAddress& card, std::vector<int> broadcastCards) {
    bool bound = false;
    QMetaObject::invokeMethod(
        worker_, [&] { bound = worker_->open(card, std::move(broadcastCards), options_.receiveBuffer); },
        Qt::BlockingQueuedConnection);
    return bound;
}

void DeviceLink::setLock(std::optional<protocol::LockCredentials> lock) {
    lock_ = std::move(lock);
}

void DeviceLink::send(ByteView frame, const QHostAddress& to) {
    sendRaw(lock_ ? protocol::withLockPrefix(frame, *lock_) : Bytes(frame.begin(), frame.end()),
            to.isNull() ? options_.broadcast : to);
}

void DeviceLink::sendRaw(ByteView bytes, const QHostAddress& to) {
    QMetaObject::invokeMethod(
        worker_,
        [w = worker_, data = toByteArray(bytes), to, port = options_.modulePort] { w->send(data, to, port); },
        Qt::QueuedConnection);
}

std::vector<ReceivedDatagram> DeviceLink::takeReceived() {
    std::lock_guard lock(queueMutex_);
    return std::exchange(queue_, {});
}

int DeviceLink::receiveBufferSize() const {
    return worker_->receiveBufferSize;
}

void DeviceLink::deliver(ReceivedDatagram datagram) {
    bool first = false;
    {
        std::lock_guard lock(queueMutex_);
        first = queue_.empty();
        queue_.push_back(std::move(datagram));
    }
    // One notice per batch: the owner takes everything queued when it gets to it.
    if (first) QMetaObject::invokeMethod(this, &DeviceLink::datagramsArrived, Qt::QueuedConnection);
}

}  // namespace norvane::net
