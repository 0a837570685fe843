// Pictures of the main window for each kind of calculation, and of every tab
// of an error calculation, saved into the build tree for a look by eye.
#include <QDir>
#include <QPixmap>
#include <QPushButton>

#include "ui/window/about_dialog.h"
#include "ui/window/settings_dialog.h"
#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

class ScreenshotTest : public WindowTest {
 protected:
  void save(const QString& name, QWidget* shown = nullptr) {
    QCoreApplication::processEvents();
    const QPixmap picture = (shown != nullptr ? shown : window.get())->grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QDir(QStringLiteral(VELMAR_SCREENSHOT_DIR)).filePath(name + ".png"))) << name.toStdString();
  }

  // Every visible tab of a page control, inner page controls included.
  void saveTabs(const Control& pageControl, const QString& prefix) {
    for (Control* tab : binding().childrenOf(pageControl)) {
      if (tab->kind() != ControlKind::Tab || !tab->shown()) continue;
      showTabsOf(*tab);
      const QString name = prefix + "_" + QString::fromUtf8(tab->name().data(), static_cast<qsizetype>(tab->name().size()));
      bool nested = false;
      for (Control* child : binding().childrenOf(*tab)) {
        if (child->kind() == ControlKind::PageControl) {
          saveTabs(*child, name);
          nested = true;
        }
      }
      if (!nested) save(name);
    }
  }
};

TEST_F(ScreenshotTest, EveryKindOfCalculationAndEveryTabOfAnErrorCalculation) {
  clickRadio("metod", 1);
  typeInto("Tstr", "20");
  typeInto("PizbStr", "500000");
  typeInto("PbarStr", "101325");
  typeInto("Qstr", "1000");
  typeInto("rststr", "0,7");
  waitForCalculation();
  showTabsOf(control("TabSheet2"));
  save(QStringLiteral("volume"));
  saveTabs(control("PageControl1"), QStringLiteral("volume"));

  clickRadio("Raschet", 1);
  typeInto("TauStr", "10");
  waitForCalculation();
  save(QStringLiteral("error"));
  saveTabs(control("PageControl1"), QStringLiteral("error"));
  // The measuring channels counted apart from the computing device.
  clickRadio("TipIK", 2);
  showTabsOf(control("TabSheet7"));
  save(QStringLiteral("error_channels"));
  clickRadio("TipIK", 0);
  // The density meter pages and the gas mixture.
  setCheck("pr_Rab", true);
  setCheck("pr_St", true);
  saveTabs(control("PageControl1"), QStringLiteral("error_density_meter"));
  setCheck("pr_Rab", false);
  pickItem("sreda", 2);
  showTabsOf(control("TabSheet2"));
  save(QStringLiteral("error_gas_mixture"));
  pickItem("sreda", 1);
  showTabsOf(control("TabSheet2"));
  save(QStringLiteral("error_other_medium"));
  pickItem("sreda", 0);
  clickRadio("metod", 4);
  showTabsOf(control("TabSheet2"));
  save(QStringLiteral("error_gost_8_662"));

  clickRadio("Raschet", 2);
  waitForCalculation();
  save(QStringLiteral("diameter"));
  saveTabs(control("PageControl1"), QStringLiteral("diameter"));
}

// The settings window with both tabs, the new-user box open, and the about window.
TEST_F(ScreenshotTest, TheSettingsAndAboutWindows) {
  SettingsDialog& settings = window->settingsWindow();
  settings.openSettings();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&settings));
  save(QStringLiteral("settings"), &settings);
  auto* tabs = qobject_cast<QTabWidget*>(settings.binding().widgetOf(session().settings.SettingsPages));
  ASSERT_NE(tabs, nullptr);
  tabs->setCurrentIndex(1);
  save(QStringLiteral("settings_users"), &settings);
  qobject_cast<QPushButton*>(settings.binding().widgetOf(session().settings.AddUserButton))->click();
  save(QStringLiteral("settings_new_user"), &settings);
  settings.reject();
  window->aboutWindow().open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window->aboutWindow()));
  save(QStringLiteral("about"), &window->aboutWindow());
  window->aboutWindow().accept();
}

}  // namespace
}  // namespace velmar::window::testing
