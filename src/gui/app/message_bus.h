// The session bus as the program's channel to other processes: named messages (message string,
// wParam, lParam) broadcast to every peer or posted to one, and copy-data blocks sent to a peer named
// by its window title. Owning the application's bus name is the single-instance rule.
#pragma once

#include <QDBusConnection>
#include <QObject>

namespace v38 {

inline const QString kBusServiceName = QStringLiteral("org.v38device.Device");
inline const QString kBusObjectPath = QStringLiteral("/Messages");
inline const QString kBusInterface = QStringLiteral("org.v38device.Messages");
// A peer window titled T owns kBusPeerPrefix + T (the title made bus-safe).
inline const QString kBusPeerPrefix = QStringLiteral("org.v38device.Window.");

class MessageBus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.v38device.Messages")
public:
    // Connects to the session bus (or the given connection); check isConnected().
    explicit MessageBus(QObject* parent = nullptr);
    // serviceName: the application's bus name (tests use names of their own).
    MessageBus(const QDBusConnection& connection, QObject* parent,
               const QString& serviceName = kBusServiceName);
    ~MessageBus() override;

    bool isConnected() const { return m_connected; }
    // Takes the application's name; false when another process holds it (or there is no bus).
    bool claimApplicationName();
    // Takes the name of a peer window with this title (peers and tests).
    bool claimPeerName(const QString& title);

    // Posted to every listening process, this one included.
    bool broadcast(const QString& message, qint64 wParam, qint64 lParam);
    // Posted to the running application.
    bool postToApplication(const QString& message, qint64 wParam, qint64 lParam);
    // Sent to the peer window with that title; false when there is no such peer.
    bool sendCopyData(const QString& peerTitle, qint64 sender, quint32 dwData, const QByteArray& data);

    static QString peerServiceName(const QString& title);

signals:
    void messageReceived(const QString& message, qint64 wParam, qint64 lParam);
    void copyDataReceived(qint64 sender, quint32 dwData, const QByteArray& data);

public slots:
    Q_SCRIPTABLE void Post(const QString& message, qlonglong wParam, qlonglong lParam);
    Q_SCRIPTABLE void CopyData(qlonglong sender, uint dwData, const QByteArray& data);

private slots:
    void onBroadcast(const QString& message, qlonglong wParam, qlonglong lParam);

private:
    void setUp();

    QDBusConnection m_connection;
    QString m_serviceName;
    bool m_connected = false;
    bool m_exported = false;
    QString m_ownedName;
};

} // namespace v38
