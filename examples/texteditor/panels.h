#pragma once

// The editor's tool panels: plain Qt widgets that know nothing of docking.

#include <QListWidget>
#include <QWidget>

class QFileSystemModel;
class QLineEdit;
class QPlainTextEdit;
class QTreeView;

// The files below a folder; activating one asks to open it.
QTreeView* CreateFileTree(const QString& folder, QObject* parent, std::function<void(const QString&)> open);

// Headings and definitions of the document, one line each; a click jumps there.
class OutlineView : public QListWidget {
public:
    explicit OutlineView(QPlainTextEdit* editor);
    void Refresh();

private:
    QPlainTextEdit* editor_;
};

// A search field and the lines of the document that contain the text.
class SearchPanel : public QWidget {
public:
    explicit SearchPanel(QPlainTextEdit* editor);
    QLineEdit* Field() const { return field_; }
    void Run();

private:
    QPlainTextEdit* editor_;
    QLineEdit* field_;
    QListWidget* results_;
};

// Moves the editor's cursor to the start of a line (0-based) and shows it.
void GoToLine(QPlainTextEdit* editor, int line);
