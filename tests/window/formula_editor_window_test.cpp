#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ui/window/formula_editor_dialog.h"
#include "window_test_support.h"

namespace velmar::window::testing {
namespace {

class FormulaEditorWindowTest : public WindowTest {
 protected:
  // Clicks the "f(x).." button of a field; `inside` runs while the editor is open.
  void openEditorOf(const char* field, const std::function<void(FormulaEditorDialog&)>& inside) {
    const std::string button = std::string(field) + "Fx";
    showTabsOf(control(button.c_str()));
    bool ran = false;
    QTimer::singleShot(0, window.get(), [&] {
      FormulaEditorDialog& dialog = window->formulaEditor();
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
      inside(dialog);
      ran = true;
      if (dialog.isVisible()) dialog.reject();
    });
    QTest::mouseClick(widget<QPushButton>(button.c_str()), Qt::LeftButton);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(window->formulaEditor().isVisible());
  }

  void press(FormulaEditorDialog& dialog, const QString& caption) {
    QPushButton* b = dialog.button(caption);
    ASSERT_NE(b, nullptr) << caption.toStdString();
    ASSERT_TRUE(b->isEnabled()) << caption.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
  }
};

TEST_F(FormulaEditorWindowTest, AFormulaTypedWithTheBarButtonIsRememberedWithItsValue) {
  clickRadio("Raschet", 1);
  typeInto("Tstr", "20");
  waitForCalculation();
  openEditorOf("dP1sisstr", [&](FormulaEditorDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Калькулятор"));
    EXPECT_EQ(dialog.inputLine()->text(), QStringLiteral("0"));
    // Hints and enabling as the editor is shown.
    EXPECT_EQ(dialog.button(QStringLiteral("t"))->toolTip(), QStringLiteral("20 °C"));
    EXPECT_TRUE(dialog.button(QStringLiteral("t"))->isEnabled());
    EXPECT_FALSE(dialog.button(QStringLiteral("r"))->isEnabled());
    EXPECT_FALSE(dialog.button(QStringLiteral("to1"))->isEnabled());

    QLineEdit* input = dialog.inputLine();
    input->selectAll();
    QTest::keyClicks(input, "0,5+0,01*");
    EXPECT_EQ(dialog.messageLine()->text(), QStringLiteral("Отсутствует операнд"));
    EXPECT_EQ(dialog.messageLine()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(dialog.rememberButton()->isEnabled());
    EXPECT_TRUE(dialog.resultBox()->text().isEmpty());
    press(dialog, QStringLiteral("|"));
    QTest::keyClicks(input, "t");
    press(dialog, QStringLiteral("|"));
    EXPECT_EQ(input->text(), QStringLiteral("0,5+0,01*¦t¦"));
    EXPECT_EQ(dialog.resultBox()->text(), QStringLiteral("0,7"));
    EXPECT_TRUE(dialog.messageLine()->text().isEmpty());
    ASSERT_TRUE(dialog.rememberButton()->isEnabled());
    dialog.grab().save(QStringLiteral(VELMAR_SCREENSHOT_DIR) + "/formula_editor.png");
    QTest::mouseClick(dialog.rememberButton(), Qt::LeftButton);
  });
  EXPECT_EQ(session().in.dP1sisstr.text(), "0,5+0,01*\x05t\x05 = 0,7");
  EXPECT_EQ(widget<QLineEdit>("dP1sisstr")->text(), QStringLiteral("0,5+0,01*¦t¦ = 0,7"));
  EXPECT_EQ(session().in.dP1sisstr.hint(), "0,5+0,01*\x05t\x05 =0,7");
  EXPECT_DOUBLE_EQ(session().in.dP1sisstr.value, 0.7);
  EXPECT_TRUE(session().in.InputChanged);

  // The editor opens with the formula alone and inserts at the caret.
  openEditorOf("dP1sisstr", [&](FormulaEditorDialog& dialog) {
    QLineEdit* input = dialog.inputLine();
    EXPECT_EQ(input->text(), QStringLiteral("0,5+0,01*¦t¦"));
    input->setCursorPosition(3);
    press(dialog, QStringLiteral("2"));
    EXPECT_EQ(input->text(), QStringLiteral("0,52+0,01*¦t¦"));
    EXPECT_EQ(input->cursorPosition(), 4);
    EXPECT_EQ(dialog.resultBox()->text(), QStringLiteral("0,72"));
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
  });
  // "Отмена" writes nothing.
  EXPECT_EQ(session().in.dP1sisstr.text(), "0,5+0,01*\x05t\x05 = 0,7");
  EXPECT_TRUE(window->isEnabled());
}

TEST_F(FormulaEditorWindowTest, InAVolumeCalculationTheFormulaIsWrittenAlone) {
  // A field of the gas parameters, reached while the error column is shown.
  clickRadio("Raschet", 1);
  clickRadio("metod", 1);
  openEditorOf("rstsisstr", [&](FormulaEditorDialog& dialog) {
    dialog.inputLine()->selectAll();
    QTest::keyClicks(dialog.inputLine(), "0,1*2");
    EXPECT_EQ(dialog.resultBox()->text(), QStringLiteral("0,2"));
    QTest::mouseClick(dialog.rememberButton(), Qt::LeftButton);
  });
  EXPECT_EQ(session().in.rstsisstr.text(), "0,1*2 = 0,2");
  EXPECT_DOUBLE_EQ(session().in.rstsisstr.value, 0.2);
  clickRadio("Raschet", 0);
  // Back in a volume calculation the field keeps its text; a new formula is written alone.
  session().in.rstsisstr.show();
  Edit& field = session().in.rstsisstr;
  window->formulaEditor().prepare(field);
  window->formulaEditor().inputLine()->setText(QStringLiteral("1/4"));
  QTest::mouseClick(window->formulaEditor().rememberButton(), Qt::LeftButton);
  EXPECT_EQ(field.text(), "1/4");
}

}  // namespace
}  // namespace velmar::window::testing
