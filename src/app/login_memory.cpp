#include "login_memory.h"

#include "client_settings.h"
#include "frm_giris.h"
#include "secret_store.h"
#include "server_connection.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>

LoginMemory::LoginMemory(TFrmGiris &login, ServerConnection &connection, QSettings &settings,
                         std::unique_ptr<SecretStore> keyring, QObject *parent)
    : QObject(parent), m_login(login), m_settings(settings), m_keyring(std::move(keyring))
{
    connect(&connection, &ServerConnection::loggedIn, this, &LoginMemory::remember);
    connect(login.rememberBox(), &QCheckBox::toggled, this, &LoginMemory::rememberToggled);
    connect(login.userField(), &QLineEdit::textEdited, this, &LoginMemory::userEdited);
}

LoginMemory::~LoginMemory() = default;

QString LoginMemory::keyFor(const QString &user, const QString &host)
{
    return user + QLatin1Char('@') + host;
}

void LoginMemory::restore(const QString &user, const QString &host, int port)
{
    const client_settings::Login saved = client_settings::login(m_settings);
    const QString u = user.isEmpty() ? saved.user : user;
    m_login.prefill(u, host.isEmpty() ? saved.host : host, port > 0 ? port : saved.port);
    {
        const QSignalBlocker quiet(m_login.rememberBox());
        m_login.rememberBox()->setChecked(saved.rememberPassword);
    }
    if (!saved.rememberPassword || u.isEmpty())
        return;
    if (!m_keyring) {
        noKeyring();
        return;
    }
    const QString key = keyFor(u, m_login.startHost());
    m_keyring->read(key, this, [this, u](SecretStore::Result r, const QString &secret) {
        if (r == SecretStore::Result::NoKeyring)
            noKeyring();
        // Only into an untouched form: what the user typed meanwhile wins.
        else if (r == SecretStore::Result::Ok && !secret.isEmpty() && m_login.userField()->text() == u
                 && m_login.passwordField()->text().isEmpty()) {
            m_login.passwordField()->setText(secret);
            m_filledFor = u;
            m_filledPassword = secret;
        }
        emit keyringAnswered();
    });
}

void LoginMemory::remember()
{
    client_settings::Login l;
    l.user = m_login.userField()->text();
    l.host = m_login.hostField()->text();
    bool ok = false;
    l.port = m_login.portField()->text().toInt(&ok);
    if (!ok)
        l.port = 0;
    l.rememberPassword = m_login.rememberBox()->isChecked() && m_keyring != nullptr;
    client_settings::setLogin(m_settings, l);
    m_settings.sync();
    if (!m_keyring)
        return;
    const QString key = keyFor(l.user, l.host);
    const QString password = m_login.passwordField()->text();
    const auto answered = [this](SecretStore::Result r, const QString &) {
        if (r == SecretStore::Result::NoKeyring)
            noKeyring();
        emit keyringAnswered();
    };
    if (l.rememberPassword && !password.isEmpty())
        m_keyring->write(key, password, this, answered);
    else
        m_keyring->remove(key, this, answered); // "Beni hatırla" cleared: forget it
}

void LoginMemory::rememberToggled(bool on)
{
    if (!on)
        return;
    if (!m_keyring) {
        noKeyring();
        return;
    }
    // Asking for an entry tells whether a keyring is there at all.
    const QString key = keyFor(m_login.userField()->text(), m_login.hostField()->text());
    m_keyring->read(key, this, [this](SecretStore::Result r, const QString &) {
        if (r == SecretStore::Result::NoKeyring)
            noKeyring();
        emit keyringAnswered();
    });
}

void LoginMemory::noKeyring()
{
    // Nothing is remembered then, and the window says why.
    {
        const QSignalBlocker quiet(m_login.rememberBox());
        m_login.rememberBox()->setChecked(false);
    }
    client_settings::Login saved = client_settings::login(m_settings);
    if (saved.rememberPassword) {
        saved.rememberPassword = false;
        client_settings::setLogin(m_settings, saved);
        m_settings.sync();
    }
    m_login.setStatusText(tr("   Anahtarlık yok: şifre hatırlanmaz"));
}

void LoginMemory::userEdited(const QString &text)
{
    // A remembered password belongs to its user only.
    if (!m_filledFor.isEmpty() && text != m_filledFor
        && m_login.passwordField()->text() == m_filledPassword) {
        m_login.passwordField()->clear();
        m_filledFor.clear();
        m_filledPassword.clear();
    }
}
