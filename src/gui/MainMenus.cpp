#include "MainMenus.h"

#include "MainWindow.h"
#include "StudentMessages.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace orvanto::gui {

namespace {

QMenu* addMenu(MainWindow& window, const char* name, const QString& caption) {
    QMenu* menu = window.menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

template <typename Command>
QAction* addItem(QMenu* menu, const char* name, MenuText caption, MainWindow& window,
                 Command command) {
    QAction* action = menu->addAction(menuText(caption));
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, &window, command);
    return action;
}

} // namespace

MainMenus::MainMenus(MainWindow& window) {
    m_set = addMenu(window, "Set", setMenuTitle(0));
    addItem(m_set, "Path", MenuText::Path, window, &MainWindow::choosePath);
    addItem(m_set, "Inquire", MenuText::Inquire, window, &MainWindow::inquire);
    m_set->addSeparator()->setObjectName(QStringLiteral("divide2"));
    // A checkable action has flipped its mark before it triggers.
    m_topmost = addItem(m_set, "Topmost", MenuText::Topmost, window, &MainWindow::setAlwaysOnTop);
    m_topmost->setCheckable(true);
    m_topmost->setChecked(true);
    addItem(m_set, "Term", MenuText::Term, window, &MainWindow::editTerm);
    addItem(m_set, "Calendar", MenuText::Calendar, window, &MainWindow::exportCalendar);
    addItem(m_set, "Import", MenuText::Import, window, &MainWindow::importExport);
    m_check = m_set->addAction(QString());
    m_check->setObjectName(QStringLiteral("Check"));
    QObject::connect(m_check, &QAction::triggered, &window, &MainWindow::checkTimetable);
    showFindingsCount(0);

    QMenu* help = addMenu(window, "Help", menuText(MenuText::Help));
    addItem(help, "File", MenuText::HelpFile, window, &MainWindow::openHelpFile);
    addItem(help, "Update", MenuText::Update, window, &MainWindow::openUpdatePage);
    help->addSeparator()->setObjectName(QStringLiteral("divide"));
    addItem(help, "About", MenuText::About, window, &MainWindow::showAbout);
}

void MainMenus::showFindingsCount(std::size_t count) {
    m_set->setTitle(setMenuTitle(count));
    m_check->setText(checkItemText(count));
}

} // namespace orvanto::gui
