// The preview of an import: the classes understood (星期, 节次, 周次, 课程, 教师, 教室) and the
// texts not understood, with their counts, before anything is written.
#pragma once

#include "imports/ImportedClass.h"

#include <QDialog>

namespace orvanto::gui {

class ImportPreviewDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ImportPreviewDialog(const imports::ImportResult& result, QWidget* parent = nullptr);
};

} // namespace orvanto::gui
