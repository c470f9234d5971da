#include "secret_store.h"

#include <qt6keychain/keychain.h>

#include <QObject>

namespace {

SecretStore::Result resultOf(const QKeychain::Job *job)
{
    switch (job->error()) {
    case QKeychain::NoError:
        return SecretStore::Result::Ok;
    case QKeychain::EntryNotFound:
        return SecretStore::Result::NotFound;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return SecretStore::Result::NoKeyring;
    case QKeychain::OtherError:
        // Without a session bus or a Secret Service on it, the backends
        // report a generic error: that too means there is no keyring here.
        return SecretStore::Result::NoKeyring;
    default:
        return SecretStore::Result::Failed;
    }
}

class KeyringStore final : public SecretStore {
public:
    explicit KeyringStore(const QString &service) : m_service(service) {}

    void read(const QString &key, QObject *context, Done done) override
    {
        auto *job = new QKeychain::ReadPasswordJob(m_service);
        job->setKey(key);
        start(job, context, std::move(done));
    }
    void write(const QString &key, const QString &secret, QObject *context, Done done) override
    {
        auto *job = new QKeychain::WritePasswordJob(m_service);
        job->setKey(key);
        job->setTextData(secret);
        start(job, context, std::move(done));
    }
    void remove(const QString &key, QObject *context, Done done) override
    {
        auto *job = new QKeychain::DeletePasswordJob(m_service);
        job->setKey(key);
        start(job, context, std::move(done));
    }

private:
    static void start(QKeychain::Job *job, QObject *context, Done done)
    {
        // Never the plain settings file as a fallback.
        job->setInsecureFallback(false);
        job->setAutoDelete(true);
        QObject::connect(job, &QKeychain::Job::finished, context, [done = std::move(done)](QKeychain::Job *j) {
            const auto *read = qobject_cast<QKeychain::ReadPasswordJob *>(j);
            const Result r = resultOf(j);
            if (done)
                done(r, read && r == Result::Ok ? read->textData() : QString());
        });
        job->start();
    }

    QString m_service;
};

} // namespace

std::unique_ptr<SecretStore> makeKeyringStore(const QString &service)
{
    return std::make_unique<KeyringStore>(service);
}
