// The menu commands' work, each a short run of dialogs around the service: ask the student,
// call the service, word the outcome. The main window draws and calls these from its menus.
#pragma once

namespace orvanto::core {
struct Term;
}

namespace orvanto::gui {

class MainWindow;

// 检查课表: what in the workbook keeps a class from showing, or why the workbook is not read.
void runCheck(MainWindow& window);
// 学期设置 with the term in use, or with a proposed one; the schedule opened again after 确定.
void runEditTerm(MainWindow& window);
void runEditTerm(MainWindow& window, const core::Term& proposed);
// 帮助文档 in the student's text editor, 检查更新 in the browser; where it fails, what to do.
void runHelpFile(MainWindow& window);
void runUpdatePage(MainWindow& window);

} // namespace orvanto::gui
