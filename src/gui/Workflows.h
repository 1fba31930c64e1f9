// The menu commands' work, each a short run of dialogs around the service: ask the student,
// call the service, word the outcome. The main window draws and calls these from its menus.
#pragma once

#include "core/Term.h"
#include "service/SchoolExports.h"

#include <QString>
#include <filesystem>

namespace orvanto::gui {

class MainWindow;

// 课表路径: a workbook chosen and used; a school's export chosen here is offered to the import.
void runChoosePath(MainWindow& window);
// Saves path in path.ini and opens the schedule again from it; false (with the student told)
// when path.ini cannot be written.
bool useWorkbook(MainWindow& window, const QString& path);
// 导入教务课表: a school's export chosen, previewed, saved as a workbook of ours and then used
// like a workbook chosen with 课表路径. Cancelling at any step writes nothing.
void runImport(MainWindow& window);
// An export already read: previewed, saved, used as the timetable, and then its term proposed
// in 学期设置.
void runImportRead(MainWindow& window, const std::filesystem::path& exportPath,
                   imports::ImportResult read);
// 导出日历: every class of the term into an .ics file the student picks; nothing is written when
// a week cannot be composed.
void runExportCalendar(MainWindow& window);
// 查询方式: the query window, once a workbook is set.
void runQuery(MainWindow& window);
// 检查课表: what in the workbook keeps a class from showing, or why the workbook is not read.
void runCheck(MainWindow& window);
// 学期设置 with the term in use, or with a proposed one; the schedule opened again after 确定.
void runEditTerm(MainWindow& window);
void runEditTerm(MainWindow& window, const core::Term& proposed);
// 帮助文档 in the student's text editor, 检查更新 in the browser; where it fails, what to do.
void runHelpFile(MainWindow& window);
void runUpdatePage(MainWindow& window);

} // namespace orvanto::gui
