#include "core/parse_value.h"

#include <optional>

#include "core/composition_grid_texts.h"
#include "core/form_context.h"
#include "core/input_record.h"
#include "core/messages.h"
#include "core/platform.h"
#include "core/units.h"

namespace velmar {

namespace {

// An error value of a pressure converts from its unit only when its kind is
// "абсолютная"; the error of a channel pair only when the computing device's
// error excludes the channels (pr_IK on, TipIK 2).
bool convertsFromUnit(const FormContext& s, const Edit& e) {
  const EditTraits& traits = e.traits();
  if (traits.unit == nullptr) return false;
  if (traits.kind != ValueKind::ErrorValue) return true;
  if (traits.errorKind == nullptr || traits.errorKind->index() != 2) return false;
  if (traits.channelError) return s.in.pr_IK.checked() && s.in.TipIK.index() == 2;
  return true;
}

const double* flowLimitText(const FormContext& s, const Edit& e, const std::string& text) {
  const InputRecord& in = s.in;
  if (text == "Qн" && (&e == &in.Diap1minStr || &e == &in.Diap2minStr)) return &in.QpredMinStr.value;
  if (text == "Qв" && &e == &in.Diap1maxStr) return &in.QpredMaxStr.value;
  return nullptr;
}

}  // namespace

std::optional<double> numberOfText(const FormContext& s, const Edit& e, const std::string& text) {
  const ValueKind kind = e.traits().kind;
  if (kind == ValueKind::Text || kind == ValueKind::ErrorValue) return std::nullopt;
  // "Qн" and "Qв" in the range edits of the flowmeter stand for its limits.
  if (const double* limit = flowLimitText(s, e, text)) return *limit;
  if (kind == ValueKind::TemperatureLike && text == "-") return 0.0;  // the user is starting a negative number
  return parseNumber(text, s.decimalSeparator);
}

bool editTakesText(const FormContext& s, const Edit& e, const std::string& text) {
  const ValueKind kind = e.traits().kind;
  if (kind == ValueKind::Text || kind == ValueKind::ErrorValue) return true;
  return numberOfText(s, e, text).has_value() || (text.empty() && !e.traits().restoreIntoEmpty);
}

bool cellTakesText(const FormContext& s, const StringGrid& grid, int col, const std::string& text) {
  if ((col != 1 && col != 2) || gridComponents(s.in, grid).empty()) return true;
  return text.empty() || parseNumber(text, s.decimalSeparator).has_value();
}

void ParseValue(FormContext& s, Edit& e) {
  if (!e.isValueEdit()) return;
  const EditTraits& traits = e.traits();
  const std::string text = e.text();

  std::optional<double> v;
  if (traits.kind == ValueKind::ErrorValue) {
    v = s.errorFieldValue(e);
    if (!v) {
      // A rejected formula gives 0 and raises the field's message.
      e.value = 0;
      s.flags.raise(traits.check.message);
      return;
    }
  } else {
    v = numberOfText(s, e, text);
  }

  if (!v) {
    // Not a number: the value stays; the edit's own previous text comes back
    // (an empty text stays empty, except where the edit asks otherwise).
    if ((!text.empty() || traits.restoreIntoEmpty) && s.in.PrevTextOwner == &e && s.in.PrevText != text) {
      e.setText(s.in.PrevText);
    }
    return;
  }

  double x = *v;
  if (convertsFromUnit(s, e)) ConvertPressure(traits.unit->index(), kPa_Pa, x);
  if (traits.relativeBase != nullptr && traits.errorKind != nullptr && traits.errorKind->index() == 1 &&
      traits.relativeBase->value > 0) {
    x = x / traits.relativeBase->value * 100;
  }
  e.value = x;
  if (traits.check.rule != CheckRule::None) s.flags.set(traits.check.message, !traits.check.passes(x));
}

}  // namespace velmar
