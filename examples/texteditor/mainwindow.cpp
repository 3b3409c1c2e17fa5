#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTreeView>

#include <orlodock/docking/OrloDockHost.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/tk/exceptions.h>

#include "panels.h"

namespace {

const char* const kPanelNames[] = {"Files", "Outline", "Search", "Output"};

} // namespace

MainWindow::MainWindow(const QString& folder) {
    editor_ = new QPlainTextEdit;
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);

    dock_ = new TOrloDockHost(this);
    setCentralWidget(dock_);
    dock_->SetCentralWidget(editor_);

    outline_ = new OutlineView(editor_);
    search_ = new SearchPanel(editor_);
    output_ = new QPlainTextEdit;
    output_->setReadOnly(true);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    dock_->AddPanel("Files", CreateFileTree(folder, this, [this](const QString& path) { OpenFile(path); }), tk::alLeft);
    dock_->AddPanel("Outline", outline_, tk::alLeft);
    dock_->AddPanel("Search", search_, tk::alRight);
    dock_->AddPanel("Output", output_, tk::alBottom);
    defaultLayout_ = dock_->SaveLayout();

    CreateMenus();
    statusBar()->showMessage(QStringLiteral("Panels dock along the edges; drag a splitter or an edge to resize"));
    resize(1100, 720);
    RestoreSettings();
    setWindowTitle(QStringLiteral("OrloDock text editor"));
}

void MainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"));
        if (!path.isEmpty())
            OpenFile(path);
    });
    file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] {
        QFile out(fileName_);
        if (fileName_.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            Log(QStringLiteral("Cannot save %1")
                    .arg(fileName_.isEmpty() ? QStringLiteral("an unnamed text") : fileName_));
            return;
        }
        out.write(editor_->toPlainText().toUtf8());
        Log(QStringLiteral("Saved %1").arg(fileName_));
    });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    // One check item per panel; a panel closed with its title bar's cross shows unchecked.
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    for (const char* name : kPanelNames) {
        QAction* action = view->addAction(QString::fromLatin1(name));
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, name](bool on) {
            if (TOrloDockablePanel* panel = dock_->Panel(QString::fromLatin1(name)))
                panel->SetVisible(on);
        });
    }
    connect(view, &QMenu::aboutToShow, this, [this, view] {
        for (QAction* action : view->actions())
            if (TOrloDockablePanel* panel = dock_->Panel(action->text())) {
                const QSignalBlocker quiet(action);
                action->setChecked(panel->Visible());
            }
    });
    view->addSeparator();
    view->addAction(QStringLiteral("&Reset Layout"), this, [this] {
        dock_->RestoreLayout(defaultLayout_);
        Log(QStringLiteral("Layout reset"));
    });
}

void MainWindow::OpenFile(const QString& path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        Log(QStringLiteral("Cannot open %1").arg(path));
        return;
    }
    editor_->setPlainText(QString::fromUtf8(in.readAll()));
    fileName_ = path;
    outline_->Refresh();
    setWindowTitle(QStringLiteral("%1 - OrloDock text editor").arg(QFileInfo(path).fileName()));
    Log(QStringLiteral("Opened %1").arg(path));
}

void MainWindow::Find(const QString& text) {
    search_->Field()->setText(text);
    search_->Run();
    activateWindow();
    search_->Field()->setFocus();
}

void MainWindow::Log(const QString& line) {
    output_->appendPlainText(QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss  ")) + line);
}

void MainWindow::RestoreSettings() {
    QSettings settings;
    restoreGeometry(settings.value("geometry").toByteArray());
    const QByteArray layout = settings.value("dockLayout").toByteArray();
    if (layout.isEmpty())
        return;
    try {
        for (const QString& skipped : dock_->RestoreLayout(layout))
            Log(skipped);
        Log(QStringLiteral("Layout restored"));
    } catch (const tk::EReadError& error) {
        // A damaged or newer layout changes nothing: the panels keep their default places.
        restoreError_ = error.Message();
        Log(QStringLiteral("Saved layout not restored: %1").arg(restoreError_));
    }
}

void MainWindow::SaveSettings() {
    QSettings settings;
    settings.setValue("geometry", saveGeometry());
    settings.setValue("dockLayout", dock_->SaveLayout());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveSettings();
    event->accept();
}

QString MainWindow::SelfTest() {
    if (!restoreError_.isEmpty())
        return QStringLiteral("the saved layout was not restored: ") + restoreError_;
    for (const char* name : kPanelNames) {
        TOrloDockablePanel* panel = dock_->Panel(QString::fromLatin1(name));
        if (!panel || !panel->DockSite())
            return QStringLiteral("panel %1 is not docked").arg(QString::fromLatin1(name));
        if (panel->Visible() && !panel->Content()->isVisible())
            return QStringLiteral("the content of panel %1 does not show").arg(QString::fromLatin1(name));
    }
    const QByteArray layout = dock_->SaveLayout();
    const QStringList skipped = dock_->RestoreLayout(layout);
    if (!skipped.isEmpty())
        return QStringLiteral("restoring the layout skipped: ") + skipped.join(QStringLiteral("; "));
    return {};
}
