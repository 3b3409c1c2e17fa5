// A text editor with dockable panels, in plain Qt style.
//
//   orlodock_texteditor [FILE] [--folder DIR] [--find TEXT] [--smoke-test]
//
// --smoke-test shows the window, checks that the panels are docked and that
// the layout survives a save and a restore, saves the settings and quits
// (exit status 1 on a failure): CI starts the example this way.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "mainwindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("OrloDock"));
    QApplication::setApplicationName(QStringLiteral("TextEditor"));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A text file to open"));
    const QCommandLineOption folder(QStringLiteral("folder"), QStringLiteral("The folder the Files panel shows"),
                                    QStringLiteral("dir"), QDir::currentPath());
    const QCommandLineOption smokeTest(QStringLiteral("smoke-test"),
                                       QStringLiteral("Show the window, check the docking and quit"));
    const QCommandLineOption find(QStringLiteral("find"), QStringLiteral("Search the file for a text"),
                                  QStringLiteral("text"));
    parser.addOption(folder);
    parser.addOption(find);
    parser.addOption(smokeTest);
    parser.process(app);

    MainWindow window(QDir(parser.value(folder)).absolutePath());
    if (!parser.positionalArguments().isEmpty())
        window.OpenFile(parser.positionalArguments().constFirst());
    window.show();
    if (parser.isSet(find))
        window.Find(parser.value(find));

    if (parser.isSet(smokeTest)) {
        int status = 0;
        QTimer::singleShot(500, &window, [&] {
            const QString problem = window.SelfTest();
            std::printf("texteditor: %s\n",
                        problem.isEmpty() ? "docked, layout saved and restored" : qPrintable(problem));
            status = problem.isEmpty() ? 0 : 1;
            window.close();
        });
        const int code = app.exec();
        return code != 0 ? code : status;
    }
    return app.exec();
}
