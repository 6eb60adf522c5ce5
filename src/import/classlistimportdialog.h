#pragma once

#include <QDialog>

#include <memory>

class ClassGrid;
class ClassListImportForm;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QWidget;
class UserPrompts;

// "Importieren einer Klassenliste" on screen; the form holds what it does.
class ClassListImportDialog : public QDialog
{
    Q_OBJECT

public:
    ClassListImportDialog(ClassGrid &grid, UserPrompts &prompts, const QString &folder,
                          QWidget *parent = nullptr);
    ~ClassListImportDialog() override;

    ClassListImportForm &form() const { return *m_form; }
    QTableView *preview() const { return m_preview; }

signals:
    // The class took the list; the dialog is closing.
    void imported();

private:
    void load();
    void importList();
    void showState();

    std::unique_ptr<ClassListImportForm> m_form;
    QString m_folder;
    QPlainTextEdit *m_conditions;
    QPushButton *m_loadButton;
    QTableView *m_preview;
    QWidget *m_fields;
    QList<QLineEdit *> m_columnBoxes;
    QList<QLineEdit *> m_rowBoxes;
};
