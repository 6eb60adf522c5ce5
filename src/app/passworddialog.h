#pragma once

#include "encryptchoice.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Passwortdialog": asks for the password of a class file before it is saved or taken
// over. Not modal, so the main window stays usable while it is open.
class PasswordDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        Save,
        Load
    };

    explicit PasswordDialog(QWidget *parent = nullptr);

    // `encryptByDefault`: the save's tick box "sicher verschlüsseln" starts ticked once there
    // is a password.
    void open(Mode mode, const QString &text, const QString &caption,
              bool encryptByDefault = false);
    Mode mode() const { return m_mode; }
    // Whether the save was asked to encrypt.
    bool encryptChosen() const { return m_choice.ticked(); }

    QLineEdit *field() const { return m_field; }
    QPushButton *saveButton() const { return m_saveOk; }
    QPushButton *loadButton() const { return m_loadOk; }
    QPushButton *toggleButton() const { return m_toggle; }
    QCheckBox *encryptBox() const { return m_encrypt; }

    // Moves the focus to the load OK, so that Enter confirms.
    void focusLoadButton();
    // Keeps the dialog open after a wrong password, with the focus in the field.
    void refocusField();
    // Hides the dialog after a finished load or save; closing it otherwise reports cancelled().
    void finish();

signals:
    void saveConfirmed(const QString &password);
    void loadConfirmed(const QString &password);
    void passwordEdited(const QString &text);
    void cancelled();

protected:
    void reject() override;

private:
    void toggleMasking();
    void showChoice();

    Mode m_mode = Mode::Load;
    QLabel *m_label;
    QLineEdit *m_field;
    QPushButton *m_toggle;
    QPushButton *m_saveOk;
    QPushButton *m_loadOk;
    QCheckBox *m_encrypt;
    QLabel *m_encryptHint;
    EncryptChoice m_choice;
};
