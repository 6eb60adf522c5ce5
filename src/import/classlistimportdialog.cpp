#include "classlistimportdialog.h"

#include "classlistimportform.h"

#include <QAbstractTableModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The preview grid as a spreadsheet shows it: columns A, B, ..., rows from 1.
class PreviewModel : public QAbstractTableModel
{
public:
    explicit PreviewModel(const ClassListImportForm &form, QObject *parent)
        : QAbstractTableModel(parent), m_form(form)
    {}

    void refill()
    {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() || !m_form.isLoaded() ? 0 : m_form.preview().rows();
    }

    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() || !m_form.isLoaded() ? 0 : m_form.preview().columns();
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        return m_form.preview().cell(index.column(), index.row());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Vertical)
            return section + 1;
        QString name;
        for (int n = section + 1; n > 0; n = (n - 1) / 26)
            name.prepend(QChar(u'A' + (n - 1) % 26));
        return name;
    }

private:
    const ClassListImportForm &m_form;
};

} // namespace

ClassListImportDialog::ClassListImportDialog(ClassGrid &grid, UserPrompts &prompts,
                                             const QString &folder, QWidget *parent)
    : QDialog(parent), m_form(std::make_unique<ClassListImportForm>(grid, prompts)),
      m_folder(folder)
{
    setObjectName(QStringLiteral("classListImportDialog"));
    setWindowTitle(ClassListImportForm::Caption);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(1080, 660);

    m_conditions = new QPlainTextEdit(ClassListImportForm::Conditions);
    m_conditions->setObjectName(QStringLiteral("importConditions"));
    m_conditions->setReadOnly(true);
    m_loadButton = new QPushButton(QStringLiteral("Tabelle laden"));
    m_loadButton->setObjectName(QStringLiteral("loadTableButton"));
    m_loadButton->setToolTip(QStringLiteral(
        "Excel (.xlsx, .xls), OpenDocument (.ods, .odt), Word (.docx) oder Text (.csv)"));
    auto *cancel = new QPushButton(QStringLiteral("Abbruch"));
    cancel->setObjectName(QStringLiteral("cancelImportButton"));
    connect(m_loadButton, &QPushButton::clicked, this, &ClassListImportDialog::load);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_loadButton);
    buttons->addWidget(cancel);

    auto *model = new PreviewModel(*m_form, this);
    m_preview = new QTableView;
    m_preview->setObjectName(QStringLiteral("importPreview"));
    m_preview->setModel(model);
    m_preview->setSelectionMode(QAbstractItemView::SingleSelection);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->horizontalHeader()->setDefaultSectionSize(110);
    m_preview->verticalHeader()->setDefaultSectionSize(22);
    connect(m_preview->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_form->setCurrentCell(current.column(), current.row());
            });

    // The kinds of data, each with its start cell in two read-only boxes.
    m_fields = new QWidget;
    auto *fields = new QGridLayout(m_fields);
    fields->setContentsMargins(0, 0, 0, 0);
    auto *instruction = new QLabel(ClassListImportForm::Instruction);
    instruction->setWordWrap(true);
    fields->addWidget(instruction, 0, 0, 1, 4);
    fields->addWidget(new QLabel(QStringLiteral("Spalte")), 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Zeile")), 1, 2);
    for (int k = 0; k < ClassListImport::FieldCount; ++k) {
        const auto field = ClassListImport::Field(k);
        auto *caption = new QLabel(ClassListImportForm::FieldCaptions[k]);
        auto *columnBox = new QLineEdit;
        auto *rowBox = new QLineEdit;
        for (QLineEdit *box : {columnBox, rowBox}) {
            box->setReadOnly(true);
            box->setFixedWidth(44);
            box->setAlignment(Qt::AlignCenter);
            box->setFocusPolicy(Qt::NoFocus);
        }
        columnBox->setObjectName(QStringLiteral("importColumn%1").arg(k));
        rowBox->setObjectName(QStringLiteral("importRow%1").arg(k));
        auto *confirm = new QPushButton(QStringLiteral("Feld bestätigen"));
        confirm->setObjectName(QStringLiteral("confirmField%1").arg(k));
        confirm->setAccessibleName(QStringLiteral("Feld bestätigen: %1")
                                       .arg(ClassListImportForm::FieldCaptions[k].chopped(1)));
        connect(confirm, &QPushButton::clicked, this, [this, field] {
            m_form->confirm(field);
            showState();
            m_preview->setFocus();
        });
        fields->addWidget(caption, k + 2, 0);
        fields->addWidget(columnBox, k + 2, 1);
        fields->addWidget(rowBox, k + 2, 2);
        fields->addWidget(confirm, k + 2, 3);
        m_columnBoxes << columnBox;
        m_rowBoxes << rowBox;
    }
    auto *importButton = new QPushButton(QStringLiteral(" Importieren"));
    importButton->setObjectName(QStringLiteral("importButton"));
    connect(importButton, &QPushButton::clicked, this, &ClassListImportDialog::importList);
    fields->addWidget(importButton, ClassListImport::FieldCount + 2, 0, 1, 4);
    fields->setRowStretch(ClassListImport::FieldCount + 3, 1);
    m_fields->setFixedWidth(m_fields->sizeHint().width());

    // The conditions fill the left side until a table is loaded; then the preview does.
    auto *left = new QVBoxLayout;
    left->addWidget(m_conditions, 1);
    left->addWidget(m_preview, 4);
    auto *right = new QVBoxLayout;
    right->addLayout(buttons);
    right->addSpacing(8);
    right->addWidget(m_fields, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    showState();
}

ClassListImportDialog::~ClassListImportDialog() = default;

void ClassListImportDialog::load()
{
    if (!m_form->load(m_folder))
        return;
    showState();
    m_preview->setFocus();
    m_preview->setCurrentIndex(m_preview->model()->index(0, 0));
}

void ClassListImportDialog::importList()
{
    if (!m_form->importList())
        return;
    showState();
    emit imported();
    accept();
}

void ClassListImportDialog::showState()
{
    const bool loaded = m_form->isLoaded();
    static_cast<PreviewModel *>(m_preview->model())->refill();
    m_preview->setVisible(loaded);
    if (loaded) {
        m_conditions->setFixedHeight(118);
    } else {
        m_conditions->setMinimumHeight(0);
        m_conditions->setMaximumHeight(QWIDGETSIZE_MAX);
    }
    m_fields->setEnabled(loaded);
    m_loadButton->setEnabled(!loaded);
    for (int k = 0; k < ClassListImport::FieldCount; ++k) {
        m_columnBoxes[k]->setText(m_form->columnText(ClassListImport::Field(k)));
        m_rowBoxes[k]->setText(m_form->rowText(ClassListImport::Field(k)));
    }
}
