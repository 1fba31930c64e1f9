// What the viewer tells the student when a workbook or term.ini cannot be used, in one place.
#pragma once

#include "core/Failure.h"
#include "settings/TermSettings.h"

#include <QString>

namespace orvanto::gui {

// "提示：无法读取课表：文件不是 Excel 工作簿", for the status label.
QString loadFailureHint(const core::Failure& failure);

// Why a school's export could not be imported, for a message box.
QString importFailureText(const core::Failure& failure);

// One line of the term.ini notice.
QString termNoticeText(const settings::TermNotice& notice);

} // namespace orvanto::gui
