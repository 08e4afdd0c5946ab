#include "gui/app/message_bus.h"

#include "core/platform/debug_log.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace v38 {

namespace {
constexpr int kMaxCopyDataBytes = 64 * 1024;
constexpr int kMaxMessageNameChars = 256;
} // namespace

MessageBus::MessageBus(QObject* parent) : MessageBus(QDBusConnection::sessionBus(), parent) {}

MessageBus::MessageBus(const QDBusConnection& connection, QObject* parent, const QString& serviceName)
    : QObject(parent), m_connection(connection), m_serviceName(serviceName) {
    setUp();
}

MessageBus::~MessageBus() {
    if (!m_connected)
        return;
    if (m_exported)
        m_connection.unregisterObject(kBusObjectPath);
    if (!m_ownedName.isEmpty())
        m_connection.unregisterService(m_ownedName);
    m_connection.disconnect(QString(), kBusObjectPath, kBusInterface, "Broadcast", this,
                            SLOT(onBroadcast(QString, qlonglong, qlonglong)));
}

void MessageBus::setUp() {
    m_connected = m_connection.isConnected();
    if (!m_connected) {
        debugOutput("no session bus: single instance and peers are off");
        return;
    }
    m_connection.connect(QString(), kBusObjectPath, kBusInterface, "Broadcast", this,
                         SLOT(onBroadcast(QString, qlonglong, qlonglong)));
}

QString MessageBus::peerServiceName(const QString& title) {
    QString safe;
    for (QChar c : title)
        safe += (c.isLetterOrNumber() && c.unicode() < 128) || c == '_' ? c : QChar('_');
    if (safe.isEmpty() || safe[0].isDigit())
        safe.prepend('_');
    return kBusPeerPrefix + safe.left(64);
}

bool MessageBus::claimApplicationName() {
    if (!m_connected)
        return false;
    if (!m_connection.registerService(m_serviceName))
        return false;
    m_ownedName = m_serviceName;
    m_exported = m_connection.registerObject(kBusObjectPath, this, QDBusConnection::ExportScriptableSlots);
    return true;
}

bool MessageBus::claimPeerName(const QString& title) {
    if (!m_connected)
        return false;
    const QString name = peerServiceName(title);
    if (!m_connection.registerService(name))
        return false;
    m_ownedName = name;
    m_exported = m_connection.registerObject(kBusObjectPath, this, QDBusConnection::ExportScriptableSlots);
    return true;
}

bool MessageBus::broadcast(const QString& message, qint64 wParam, qint64 lParam) {
    if (!m_connected)
        return false;
    QDBusMessage signal = QDBusMessage::createSignal(kBusObjectPath, kBusInterface, "Broadcast");
    signal << message << static_cast<qlonglong>(wParam) << static_cast<qlonglong>(lParam);
    return m_connection.send(signal);
}

bool MessageBus::postToApplication(const QString& message, qint64 wParam, qint64 lParam) {
    if (!m_connected)
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(m_serviceName, kBusObjectPath, kBusInterface, "Post");
    call << message << static_cast<qlonglong>(wParam) << static_cast<qlonglong>(lParam);
    call.setAutoStartService(false);
    return m_connection.send(call);
}

bool MessageBus::sendCopyData(const QString& peerTitle, qint64 sender, quint32 dwData,
                              const QByteArray& data) {
    if (!m_connected || data.size() > kMaxCopyDataBytes)
        return false;
    const QString name = peerServiceName(peerTitle);
    QDBusConnectionInterface* bus = m_connection.interface();
    if (!bus || !bus->isServiceRegistered(name).value())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(name, kBusObjectPath, kBusInterface, "CopyData");
    call << static_cast<qlonglong>(sender) << static_cast<uint>(dwData) << data;
    call.setAutoStartService(false);
    // Sent without waiting, as the peer may be slow; delivery order per peer is kept by the bus.
    return m_connection.send(call);
}

void MessageBus::Post(const QString& message, qlonglong wParam, qlonglong lParam) {
    if (message.size() <= kMaxMessageNameChars)
        emit messageReceived(message, wParam, lParam);
}

void MessageBus::CopyData(qlonglong sender, uint dwData, const QByteArray& data) {
    if (data.size() <= kMaxCopyDataBytes)
        emit copyDataReceived(sender, dwData, data);
}

void MessageBus::onBroadcast(const QString& message, qlonglong wParam, qlonglong lParam) {
    if (message.size() <= kMaxMessageNameChars)
        emit messageReceived(message, wParam, lParam);
}

} // namespace v38
