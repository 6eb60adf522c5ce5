#include "passworddialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordDialog::PasswordDialog(QWidget *parent)
    : QDialog(parent),
      m_label(new QLabel(QStringLiteral("Hier bitte das Passwort für die Klassendatei eingeben!"))),
      m_field(new QLineEdit), m_toggle(new QPushButton(QStringLiteral("aBc123"))),
      m_saveOk(new QPushButton(QStringLiteral("OK"))),
      m_loadOk(new QPushButton(QStringLiteral("OK"))),
      m_encrypt(new QCheckBox(QStringLiteral("sicher verschlüsseln"))),
      m_encryptHint(new QLabel(QStringLiteral("Ältere Versionen von Markwart können eine "
                                              "verschlüsselte Datei nicht öffnen.")))
{
    setWindowTitle(QStringLiteral("Passwortdialog"));
    setModal(false);
    m_field->setObjectName(QStringLiteral("passwordField"));
    m_toggle->setObjectName(QStringLiteral("passwordToggle"));
    m_saveOk->setObjectName(QStringLiteral("passwordSaveOk"));
    m_loadOk->setObjectName(QStringLiteral("passwordLoadOk"));
    m_encrypt->setObjectName(QStringLiteral("passwordEncrypt"));
    m_encrypt->setToolTip(m_encryptHint->text());
    m_encryptHint->setWordWrap(true);
    QFont small = m_encryptHint->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_encryptHint->setFont(small);

    m_field->setEchoMode(QLineEdit::Password);
    // Every character of a masked password shows as "#".
    m_field->setStyleSheet(QStringLiteral("lineedit-password-character: 35;"));
    m_toggle->setAutoDefault(false);
    m_saveOk->setAutoDefault(true);
    m_loadOk->setAutoDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_toggle);
    buttons->addStretch();
    buttons->addWidget(m_saveOk);
    buttons->addWidget(m_loadOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_field);
    layout->addWidget(m_encrypt);
    layout->addWidget(m_encryptHint);
    layout->addLayout(buttons);

    connect(m_toggle, &QPushButton::clicked, this, &PasswordDialog::toggleMasking);
    connect(m_saveOk, &QPushButton::clicked, this, [this] { emit saveConfirmed(m_field->text()); });
    connect(m_loadOk, &QPushButton::clicked, this, [this] { emit loadConfirmed(m_field->text()); });
    connect(m_field, &QLineEdit::textEdited, this, &PasswordDialog::passwordEdited);
    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_choice.passwordChanged(text);
        showChoice();
    });
    connect(m_encrypt, &QCheckBox::clicked, this, [this](bool ticked) {
        m_choice.setTicked(ticked);
        showChoice();
    });
}

void PasswordDialog::showChoice()
{
    m_encrypt->setEnabled(m_choice.enabled());
    m_encrypt->setChecked(m_choice.ticked());
}

void PasswordDialog::open(Mode mode, const QString &text, const QString &caption,
                          bool encryptByDefault)
{
    m_mode = mode;
    setWindowTitle(caption);
    m_field->setText(text);
    // A load finds out from the file whether it is encrypted.
    m_choice.start(text, encryptByDefault);
    showChoice();
    m_encrypt->setVisible(mode == Mode::Save);
    m_encryptHint->setVisible(mode == Mode::Save);
    m_saveOk->setVisible(mode == Mode::Save);
    m_loadOk->setVisible(mode == Mode::Load);
    // Enter in the field confirms the visible OK.
    m_saveOk->setDefault(mode == Mode::Save);
    m_loadOk->setDefault(mode == Mode::Load);
    show();
    raise();
    activateWindow();
    m_field->setFocus();
}

void PasswordDialog::toggleMasking()
{
    const bool masked = m_field->echoMode() == QLineEdit::Password;
    m_field->setEchoMode(masked ? QLineEdit::Normal : QLineEdit::Password);
    m_toggle->setText(masked ? QStringLiteral("###") : QStringLiteral("aBc123"));
    m_field->update();
}

void PasswordDialog::focusLoadButton()
{
    if (m_loadOk->isVisible()) {
        m_loadOk->setDefault(true);
        m_loadOk->setFocus();
    }
}

void PasswordDialog::refocusField()
{
    raise();
    activateWindow();
    m_field->setFocus();
}

void PasswordDialog::finish()
{
    m_field->clear();
    m_loadOk->hide();
    hide();
}

void PasswordDialog::reject()
{
    m_field->clear();
    m_loadOk->hide();
    QDialog::reject();
    emit cancelled();
}
