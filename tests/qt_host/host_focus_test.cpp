// Focus anywhere inside an adopted widget is focus in its panel: the title
// bar shows active while it lasts, also inside an editor a tree view opens.

#include "qt_host_fixture.h"
#include <QApplication>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTreeView>

#include <orlodock/tk/screen.h>
#include <orlodock/tk/widgetcontainer.h>

TEST_F(QtHostTest, FocusInsideAnAdoptedWidgetActivatesItsTitleBar) {
    auto* edit = new QTextEdit;
    TOrloDockablePanel* notes = Add("Notes", edit);
    auto* model = new QStandardItemModel(3, 1, window.get());
    auto* tree = new QTreeView;
    tree->setModel(model);
    TOrloDockablePanel* files = Add("Files", tree);

    central->setFocus();
    tktest::PumpEvents();
    ASSERT_EQ(QApplication::focusWidget(), central);
    EXPECT_EQ(ActivePixels(notes), 0);
    EXPECT_EQ(ActivePixels(files), 0);

    edit->setFocus();
    tktest::PumpEvents();
    EXPECT_EQ(tk::Screen::ActiveControl(), notes->ContentContainer());
    EXPECT_GT(ActivePixels(notes), 0);
    EXPECT_EQ(ActivePixels(files), 0);

    // The editor is a widget of its own inside the tree view's viewport.
    tree->edit(model->index(1, 0));
    tktest::PumpEvents();
    ASSERT_NE(QApplication::focusWidget(), tree);
    ASSERT_TRUE(tree->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(ActivePixels(notes), 0);
    EXPECT_GT(ActivePixels(files), 0);

    central->setFocus();
    tktest::PumpEvents();
    EXPECT_EQ(ActivePixels(files), 0);
    EXPECT_EQ(ActivePixels(notes), 0);
}

TEST_F(QtHostTest, FocusOutsideEveryControlLeavesNoneActive) {
    auto* edit = new QTextEdit;
    TOrloDockablePanel* notes = Add("Notes", edit);
    auto* search = new QLineEdit;
    window->addToolBar(QStringLiteral("Find"))->addWidget(search);
    tktest::PumpEvents();

    notes->ContentContainer()->SetFocus();
    tktest::PumpEvents();
    EXPECT_EQ(QApplication::focusWidget(), edit) << "the container hands the focus to its content";
    EXPECT_GT(ActivePixels(notes), 0);

    search->setFocus();
    tktest::PumpEvents();
    EXPECT_EQ(tk::Screen::ActiveControl(), nullptr);
    EXPECT_EQ(ActivePixels(notes), 0);
}
