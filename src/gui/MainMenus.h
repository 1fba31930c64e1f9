// The main window's menu bar, 设置 and 帮助, under the 2010 window's object names; each item
// runs the window's command.
#pragma once

#include <cstddef>

class QAction;
class QMenu;

namespace orvanto::gui {

class MainWindow;

class MainMenus {
  public:
    explicit MainMenus(MainWindow& window);

    // The always-on-top item: its check mark is the setting.
    QAction* topmost() const { return m_topmost; }
    // The findings to fix, counted on 设置 and on 检查课表.
    void showFindingsCount(std::size_t count);

  private:
    QMenu* m_set = nullptr;
    QAction* m_topmost = nullptr;
    QAction* m_check = nullptr;
};

} // namespace orvanto::gui
