#include "core/form_events.h"

#include "core/form_context.h"
#include "core/input_record.h"
#include "core/messages.h"
#include "core/parse_value.h"
#include "core/platform.h"

namespace velmar {

void scheduleCalculation(FormContext& s) {
  s.TimerProv.stop();
  s.TimerProv.start();
  s.in.InputChanged = true;
}

void keyDown(FormContext& s, Edit& e) {
  if (!e.isValueEdit()) {
    scheduleCalculation(s);
    return;
  }
  if (!e.traits().prevTextOnKeyUp) {
    s.in.PrevText = e.text();
    s.in.PrevTextOwner = &e;
  }
  scheduleCalculation(s);
  if (e.traits().parseOnKeyDown) ParseValue(s, e);
}

void keyUp(FormContext& s, Edit& e) {
  if (e.traits().prevTextOnKeyUp) {
    s.in.PrevText = e.text();
    s.in.PrevTextOwner = &e;
  }
}

void editTextChanged(FormContext& s, Edit& e) {
  if (e.isValueEdit()) ParseValue(s, e);
  if (e.changeRule) e.changeRule();
}

void changeText(FormContext&, Edit& e, std::string text) { changeText(e, std::move(text)); }

void changeText(Edit& e, std::string text) {
  if (e.readOnly() || !e.enabled()) return;
  e.setText(std::move(text));
}

void typeText(FormContext& s, Edit& e, std::string text) {
  keyDown(s, e);
  changeText(s, e, std::move(text));
  keyUp(s, e);
}

void chooseItem(FormContext& s, Choice& c, int index) {
  if (!c.enabled()) return;
  c.setIndex(index);
  scheduleCalculation(s);
  if (c.onChange) c.onChange();
}

void typeComboText(FormContext& s, ComboBox& box, std::string text) {
  box.setText(std::move(text));
  scheduleCalculation(s);
  if (box.onChange) box.onChange();
}

void clickCheckBox(FormContext& s, CheckBox& box) {
  if (!box.enabled()) return;
  box.setChecked(!box.checked());
  scheduleCalculation(s);
  if (box.onClick) box.onClick();
}

void setCheckBox(FormContext& s, CheckBox& box, bool checked) {
  if (box.checked() != checked) clickCheckBox(s, box);
}

void pressButton(FormContext&, Button& button) { pressButton(button); }

void pressButton(Button& button) {
  if (button.enabled() && button.onClick) button.onClick();
}

void chooseItem(Choice& c, int index) {
  if (!c.enabled()) return;
  c.setIndex(index);
  if (c.onChange) c.onChange();
}

void clickCheckBox(CheckBox& box) {
  if (!box.enabled()) return;
  box.setChecked(!box.checked());
  if (box.onClick) box.onClick();
}

// A menu command runs only while it and the menu it stands in are enabled:
// the whole menu "Отчет" is disabled while the control-point tables are
// computed, and its shortcuts must not build a report of half-filled tables.
void chooseMenu(FormContext&, MenuItem& item) {
  for (const Control* c = &item; c != nullptr; c = c->parent()) {
    if (!c->enabled()) return;
  }
  if (item.onClick) item.onClick();
}

void editCell(FormContext&, StringGrid& grid, int col, int row, std::string text) {
  if (!grid.editable() || col < grid.fixedCols() || row < grid.fixedRows() || col >= grid.colCount()) return;
  grid.setCell(col, row, std::move(text));
  if (grid.onKeyUp) grid.onKeyUp();
}

}  // namespace velmar
