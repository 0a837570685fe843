#pragma once
// A started main window on the offscreen platform, and the user's hands:
// typing into an edit, picking an item with the keyboard, clicking a radio
// button, a check box or a tab, as the user does it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "measuring_point/session.h"
#include "measuring_point/session_file.h"
#include "measuring_point/start_up.h"
#include "ui/form_rules.h"
#include "ui/window/form_binding.h"
#include "ui/window/main_window.h"
#include "ui/window/qt_services.h"
#include "ui/window/qt_text.h"

namespace velmar::window::testing {

// Whether a control's widget is shown in the window: hidden neither itself
// nor by any parent, where a tab page counts as shown when its tab is
// (only the current page of a tab widget is on screen at a time).
inline bool shownInWindow(const QWidget* w, const QWidget* window) {
  for (const QWidget* a = w; a != nullptr && a != window; a = a->parentWidget()) {
    const QWidget* parent = a->parentWidget();
    if (qobject_cast<const QStackedWidget*>(parent) != nullptr && parent->parentWidget() != nullptr) {
      if (const auto* tabs = qobject_cast<const QTabWidget*>(parent->parentWidget())) {
        if (!tabs->isTabVisible(tabs->indexOf(const_cast<QWidget*>(a)))) return false;
        continue;
      }
    }
    if (a->isHidden()) return false;
  }
  return true;
}

inline std::vector<std::string> paneLines(const QPlainTextEdit* pane) {
  std::vector<std::string> lines;
  const QString text = pane->toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(fromQt(line));
  return lines;
}

// Key clicks for every character of a text, Cyrillic letters included.
inline void typeKeys(QWidget* w, const QString& text) {
  for (const QChar ch : text) {
    if (ch.unicode() < 0x80) {
      QTest::keyClick(w, static_cast<char>(ch.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }
}

// The user's hands on a main window: the tabs, edits, boxes and buttons as a
// user works them.
class WindowHands {
 public:
  virtual ~WindowHands() = default;

 protected:
  virtual Session& session() const = 0;
  virtual MainWindow& mainWindow() const = 0;

  FormBinding& binding() const { return mainWindow().binding(); }

  Control& control(const char* name) const {
    Control* c = session().in.registry.find(name);
    if (c == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *c;
  }

  template <typename W>
  W* widget(const char* name) const {
    auto* w = qobject_cast<W*>(binding().widgetOf(control(name)));
    if (w == nullptr) throw std::runtime_error(std::string("no widget of that kind for ") + name);
    return w;
  }

  // Clicks the tabs that lead to a control, outermost first.
  void showTabsOf(const Control& c) {
    std::vector<const Control*> tabs;
    for (const Control* p = &c; p != nullptr; p = p->parent()) {
      if (p->kind() == ControlKind::Tab) tabs.insert(tabs.begin(), p);
    }
    for (const Control* tab : tabs) {
      QTabWidget* tw = binding().tabWidgetOf(*tab);
      QTabBar* bar = tw->tabBar();
      const int index = tw->indexOf(binding().widgetOf(*tab));
      ASSERT_TRUE(tw->isTabVisible(index)) << tab->name();
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
      ASSERT_EQ(tw->currentIndex(), index) << tab->name();
    }
    QCoreApplication::processEvents();
  }

  void typeInto(const char* name, const QString& text) {
    showTabsOf(control(name));
    auto* line = widget<QLineEdit>(name);
    line->setFocus();
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    typeKeys(line, text);
  }

  // Picks an item of a combo box with the arrow keys, as a user does.
  void pickItem(const char* name, int index) {
    showTabsOf(control(name));
    auto* combo = widget<QComboBox>(name);
    ASSERT_TRUE(combo->isEnabled()) << name;
    for (int guard = 0; combo->currentIndex() != index && guard < 100; ++guard) {
      QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
    ASSERT_EQ(combo->currentIndex(), index) << name;
  }

  void clickRadio(const char* name, int index) {
    showTabsOf(control(name));
    auto* group = widget<QGroupBox>(name);
    const auto buttons = group->findChildren<QRadioButton*>();
    ASSERT_LT(index, buttons.size()) << name;
    QRadioButton* button = buttons[index];
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    ASSERT_TRUE(button->isChecked()) << name << " " << index;
  }

  void setCheck(const char* name, bool checked) {
    showTabsOf(control(name));
    auto* box = widget<QCheckBox>(name);
    if (box->isChecked() != checked) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_EQ(box->isChecked(), checked) << name;
  }

  // Lets the one-second timer run out and the pass finish.
  void waitForCalculation() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !session().TimerProv.running(); }, 5000));
    QCoreApplication::processEvents();
  }
};

class WindowTest : public ::testing::Test, public WindowHands {
 protected:
  void SetUp() override {
    timer.stop();
    session_ = std::make_unique<Session>(timer, eventPump(), ',');
    installFormRules(session());
    window = std::make_unique<MainWindow>(session());
    startWithDefaults(session());  // a first start: no session file is read
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    waitForCalculation();
  }
  void TearDown() override {
    window.reset();
    session_.reset();
  }

  Session& session() const override { return *session_; }
  MainWindow& mainWindow() const override { return *window; }
  // The pump the session lets pending events run through.
  virtual EventPump& eventPump() { return pump; }

  QtOneShotTimer timer;
  QtEventPump pump;
  std::unique_ptr<Session> session_;
  std::unique_ptr<MainWindow> window;
};

}  // namespace velmar::window::testing
