#include "encryptchoice.h"

void EncryptChoice::start(const QString &password, bool tickedByDefault)
{
    m_default = tickedByDefault;
    m_chosen = false;
    passwordChanged(password);
}

void EncryptChoice::passwordChanged(const QString &password)
{
    m_enabled = !password.isEmpty();
    if (!m_enabled)
        m_chosen = false;
    if (!m_chosen)
        m_ticked = m_enabled && m_default;
}

void EncryptChoice::setTicked(bool ticked)
{
    if (!m_enabled)
        return;
    m_ticked = ticked;
    m_chosen = true;
}
