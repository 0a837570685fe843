#pragma once
// Text to value: how an edit's text becomes its value field.
namespace velmar {

struct Session;
class Edit;

// Converts the edit's text into its value field: a temperature-like edit
// reads "-" as 0; an error value goes through the formula evaluator; a
// pressure converts from its unit box into Pa; an absolute error of a gas
// parameter is stored relative to it; the field's check raises or clears its
// message. A text that does not convert leaves the value as it was and, unless
// the text is empty, brings back the edit's previous text.
void ParseValue(Session& s, Edit& edit);

}  // namespace velmar
