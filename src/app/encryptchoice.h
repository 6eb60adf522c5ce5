#pragma once

#include <QString>

// The tick box "sicher verschlüsseln" of the password dialog: usable only with a password,
// ticked at first for a new class and for one that was encrypted, unticked for a class
// file of the older kind, so that a file shared with older versions stays readable to them
// until the teacher decides otherwise.
class EncryptChoice
{
public:
    void start(const QString &password, bool tickedByDefault);
    void passwordChanged(const QString &password);
    // The teacher's own click; it holds until the password field is emptied.
    void setTicked(bool ticked);

    bool enabled() const { return m_enabled; }
    bool ticked() const { return m_ticked; }

private:
    bool m_default = false;
    bool m_enabled = false;
    bool m_ticked = false;
    bool m_chosen = false;
};
