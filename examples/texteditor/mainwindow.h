#pragma once

// A text editor whose tool panels dock along the window's edges: "Files" and
// "Outline" on the left, "Search" on the right, "Output" at the bottom. The
// arrangement is restored at start and saved at exit (QSettings).

#include <QByteArray>
#include <QMainWindow>

class QPlainTextEdit;
class SearchPanel;
class OutlineView;
class TOrloDockHost;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(const QString& folder);

    void OpenFile(const QString& path);
    // Lists the lines that contain the text in the Search panel, which takes the focus.
    void Find(const QString& text);
    void Log(const QString& line);
    // The saved layout was restored at start (if there was one), docking works
    // and the layout survives a save and a restore; answers what is wrong, or "".
    QString SelfTest();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void SaveSettings();
    void RestoreSettings();

    TOrloDockHost* dock_;
    QPlainTextEdit* editor_;
    OutlineView* outline_;
    SearchPanel* search_;
    QPlainTextEdit* output_;
    QString fileName_;
    // The arrangement the panels start in, for View > Reset Layout.
    QByteArray defaultLayout_;
    // Why the saved layout could not be restored at start ("" when it was, or there was none).
    QString restoreError_;
};
