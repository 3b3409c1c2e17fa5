#include "panels.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

QTreeView* CreateFileTree(const QString& folder, QObject* parent, std::function<void(const QString&)> open) {
    auto* model = new QFileSystemModel(parent);
    model->setRootPath(folder);
    auto* tree = new QTreeView;
    tree->setModel(model);
    tree->setRootIndex(model->index(folder));
    // The name is enough in a narrow panel.
    for (int column = 1; column < model->columnCount(); ++column)
        tree->hideColumn(column);
    tree->header()->hide();
    QObject::connect(tree, &QTreeView::activated, tree, [model, open](const QModelIndex& index) {
        if (!model->isDir(index))
            open(model->filePath(index));
    });
    return tree;
}

void GoToLine(QPlainTextEdit* editor, int line) {
    QTextCursor cursor(editor->document()->findBlockByNumber(line));
    editor->setTextCursor(cursor);
    editor->centerCursor();
    editor->setFocus();
}

OutlineView::OutlineView(QPlainTextEdit* editor) : editor_(editor) {
    // Refreshed a moment after typing stops, not on every key.
    auto* pending = new QTimer(this);
    pending->setSingleShot(true);
    pending->setInterval(300);
    connect(pending, &QTimer::timeout, this, &OutlineView::Refresh);
    connect(editor, &QPlainTextEdit::textChanged, pending, qOverload<>(&QTimer::start));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { GoToLine(editor_, item->data(Qt::UserRole).toInt()); });
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { GoToLine(editor_, item->data(Qt::UserRole).toInt()); });
}

void OutlineView::Refresh() {
    // Markdown headings, and C-like definitions that start at the margin.
    static const QRegularExpression heading(QStringLiteral("^#{1,6}\\s+\\S"));
    static const QRegularExpression definition(
        QStringLiteral("^(class|struct|enum|namespace)\\s+\\w+|^[A-Za-z_][\\w:<>,\\*&\\s]*\\([^;]*$"));
    clear();
    int line = 0;
    for (QTextBlock block = editor_->document()->begin(); block.isValid(); block = block.next(), ++line) {
        const QString text = block.text();
        if (!heading.match(text).hasMatch() && !definition.match(text).hasMatch())
            continue;
        auto* item = new QListWidgetItem(text.trimmed(), this);
        item->setData(Qt::UserRole, line);
    }
}

SearchPanel::SearchPanel(QPlainTextEdit* editor) : editor_(editor), field_(new QLineEdit), results_(new QListWidget) {
    field_->setPlaceholderText(QStringLiteral("Find in document"));
    field_->setClearButtonEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(field_);
    layout->addWidget(results_);
    connect(field_, &QLineEdit::returnPressed, this, &SearchPanel::Run);
    connect(results_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { GoToLine(editor_, item->data(Qt::UserRole).toInt()); });
}

void SearchPanel::Run() {
    results_->clear();
    const QString wanted = field_->text();
    if (wanted.isEmpty())
        return;
    int line = 0;
    for (QTextBlock block = editor_->document()->begin(); block.isValid(); block = block.next(), ++line) {
        if (!block.text().contains(wanted, Qt::CaseInsensitive))
            continue;
        auto* item = new QListWidgetItem(QStringLiteral("%1: %2").arg(line + 1).arg(block.text().trimmed()), results_);
        item->setData(Qt::UserRole, line);
    }
}
