#pragma once
#include <QString>

#include <functional>
#include <memory>

class QObject;

// Where a remembered password is kept: the desktop's keyring, never a plain
// file. Every call answers once, later (the keyring may ask the user), on the
// user-interface thread; nothing is answered once `context` is gone.
class SecretStore {
public:
    enum class Result {
        Ok,
        NotFound,  // nothing stored under the key
        NoKeyring, // no keyring is running on this desktop
        Failed,    // the keyring refused or failed
    };
    using Done = std::function<void(Result result, const QString &secret)>;

    virtual ~SecretStore() = default;
    virtual void read(const QString &key, QObject *context, Done done) = 0;
    virtual void write(const QString &key, const QString &secret, QObject *context, Done done) = 0;
    virtual void remove(const QString &key, QObject *context, Done done) = 0;
};

// The desktop's keyring (Secret Service, KWallet) through QtKeychain, under
// the service name given.
std::unique_ptr<SecretStore> makeKeyringStore(const QString &service);
