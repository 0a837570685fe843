#pragma once
// How an error field stores a formula: the absolute-value bar of the formula
// language is kept as a control character, so that it can never be taken for
// a character the user typed into the text around it; the window shows it as
// "|" and the report as the broken bar "¦".
namespace velmar {

inline constexpr char kFormulaBar = '\x05';  // the absolute-value bar as stored in a text

}  // namespace velmar
